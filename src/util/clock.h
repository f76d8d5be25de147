#pragma once

#include <QDateTime>

namespace zelkora {

// The station's one source of "now". Tests install their own clock so that times in logs,
// visits and timers are fixed; the product uses the system clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    // The clock in force; the system clock unless a test replaced it.
    static const Clock& current();
    // Replaces the clock in force (nullptr restores the system clock). The caller keeps ownership.
    static void install(const Clock* clock);
};

// The general date form of the system locale: short date with a four-digit year, a blank and the
// long time without time zone, for example "12/3/2010 9:05:07 AM" in US English.
QString generalDate(const QDateTime& when);

} // namespace zelkora
