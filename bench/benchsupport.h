#pragma once

// What the benchmark programs share: failing loudly, timing, medians, stored date text and the
// raw SQLite calls that build their fixtures.

#include "util/error.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace zelkora::bench {

using SteadyClock = std::chrono::steady_clock;

// Ends the benchmark: a figure measured after a failure would mean nothing.
[[noreturn]] inline void fail(const char* what, const QString& detail = {}) {
    std::fprintf(stderr, "%s: %s %s\n", qPrintable(QCoreApplication::applicationName()), what,
                 qPrintable(detail));
    std::exit(1);
}

inline void check(const StationError& e, const char* what) {
    if (e.isError())
        fail(what, QStringLiteral("%1 %2 / %3").arg(e.number).arg(e.description, e.source));
}

inline double msSince(SteadyClock::time_point start) {
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

inline double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The station's stored date text, "YYYY-MM-DD HH:MM:SS" in local time.
inline std::string dateText(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

inline void exec(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK)
        fail(sql, QString::fromUtf8(message));
}

// Binds a text, or null for an empty one, as the data layer stores empty texts.
inline void bindText(sqlite3_stmt* s, int index, const std::string& text) {
    if (text.empty())
        sqlite3_bind_null(s, index);
    else
        sqlite3_bind_text(s, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

} // namespace zelkora::bench
