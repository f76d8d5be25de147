#include "app/core/log.h"

#include "app/core/sharedroutines.h"
#include "app/core/stationfolder.h"
#include "util/clock.h"

#include <QFile>

namespace zelkora {

namespace {

struct LogState {
    LogMode mode = LogMode::Off;
    QString filePath; // fixed by StartLog for the rest of the run
    DebugListSink* sink = nullptr;
};

LogState& state() {
    static LogState s;
    return s;
}

bool hasFile(LogMode mode) {
    return mode == LogMode::File || mode == LogMode::WindowAndFile;
}

bool hasWindow(LogMode mode) {
    return mode == LogMode::Window || mode == LogMode::WindowAndFile;
}

// One quoted field and CR LF. Line breaks inside a message would split the entry, so they
// become blanks: every call stays one line of the file.
QByteArray fileLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return '"' + text.toUtf8() + "\"\r\n";
}

bool writeToFile(const QString& path, QIODevice::OpenMode mode, const QByteArray& bytes,
                 QString* error) {
    QFile file(path);
    if (file.open(mode) && file.write(bytes) == bytes.size() && file.flush())
        return true;
    if (error)
        *error = QStringLiteral("Cannot write the log file %1: %2").arg(path, file.errorString());
    return false;
}

} // namespace

void DebugListSink::install(DebugListSink* sink) {
    state().sink = sink;
}

QString LogFilePath() {
    return GetAppPath() + QStringLiteral("orvdebug.txt");
}

QString DebugWindowMarkerPath() {
    return GetAppPath() + QStringLiteral("orvdebugwindow.txt");
}

bool StartLog(QString* error) {
    LogState& s = state();
    s.filePath = LogFilePath();
    const bool logFile = FileExists(s.filePath);
    const bool window = FileExists(DebugWindowMarkerPath());

    LogMode mode = LogMode::Off;
    if (logFile && window)
        mode = LogMode::WindowAndFile;
    else if (window)
        mode = LogMode::Window;
    else if (logFile)
        mode = LogMode::File;

    bool ok = true;
    if (hasFile(mode)) {
        if (mode == LogMode::WindowAndFile)
            RemoveFile(s.filePath);
        const QString start = QStringLiteral("Log Started ") + generalDate(Clock::current().now());
        ok = writeToFile(s.filePath, QIODevice::WriteOnly | QIODevice::Truncate, fileLine(start),
                         error);
    }
    s.mode = mode;
    if (hasWindow(mode) && s.sink)
        s.sink->showWindow();
    return ok;
}

bool WriteLog(const QString& message, QString* error) {
    const LogState& s = state();
    if (s.mode == LogMode::Off)
        return true;
    const QString line = message + QLatin1Char(',') + generalDate(Clock::current().now());
    if (hasWindow(s.mode) && s.sink && s.sink->isWindowVisible())
        s.sink->insertAtTop(line);
    if (hasFile(s.mode))
        return writeToFile(s.filePath, QIODevice::WriteOnly | QIODevice::Append, fileLine(line),
                           error);
    return true;
}

LogMode CurrentLogMode() {
    return state().mode;
}

void ResetLog() {
    state().mode = LogMode::Off;
    state().filePath.clear();
}

} // namespace zelkora
