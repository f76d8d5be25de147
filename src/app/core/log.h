#pragma once

#include <QString>

namespace zelkora {

// Log modes, decided once by StartLog from the two marker files of the station folder.
enum class LogMode { Off = 0, Window = 1, File = 2, WindowAndFile = 3 };

// Where the debug window's lines go. The GUI registers its window before StartLog; the core
// asks it to show itself and hands it lines only while it is visible.
class DebugListSink {
public:
    virtual ~DebugListSink() = default;
    virtual void showWindow() = 0;
    virtual bool isWindowVisible() const = 0;
    // Inserts a line at the top of the list: the newest line is always first.
    virtual void insertAtTop(const QString& line) = 0;

    // Registers the sink (nullptr removes it). The caller keeps ownership.
    static void install(DebugListSink* sink);
};

// The log file and the debug-window marker, both in the station folder.
QString LogFilePath();
QString DebugWindowMarkerPath();

// Decides the log mode from the marker files and prepares the outputs: a fresh log file holding
// its start line, the debug window shown. Returns false with `error` set when the log file
// cannot be created; the mode is still decided.
bool StartLog(QString* error = nullptr);

// Writes one log line: the message, a comma and the general date and time. Does nothing before
// StartLog or in mode 0. Returns false with `error` set when the log file cannot be written,
// so that the caller's own error handling applies.
bool WriteLog(const QString& message, QString* error = nullptr);

LogMode CurrentLogMode();
// Returns the log to its state before StartLog; for tests.
void ResetLog();

} // namespace zelkora
