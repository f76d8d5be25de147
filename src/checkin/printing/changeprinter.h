#pragma once

// CHangePrinter: the printer choices of the label types and the report printer on CUPS: the
// installed queues, the fixed paper roll and paper size choices and what they become at print
// time, the twin-roll label printer test and the paper code lookup.

#include "checkin/printing/report.h"
#include "util/error.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace zelkora::printing {

// Error numbers of the printing layer, with the platform's meanings.
inline constexpr long kErrPrinterNotFound = 484; // no such printer or no printing system
inline constexpr long kErrPrinter = 482;         // the printer or the report failed
inline constexpr long kErrFileAccess = 75;       // a file could not be written

// The paper roll and paper size choices, in the order the settings store their positions.
QStringList PaperRollChoices();
QStringList PaperSizeChoices();

// The paper name of a stored paper size position: "30256 Shipping" for 1, "Continuous, Wide"
// for 2, empty (the printer's default paper) for any other value.
QString PaperSizeName(int paperSize);

// The InputSlot choice of a stored paper roll position on a twin-roll printer: "Left" for 1,
// "Right" for 2, "Auto" otherwise; empty (the bin is left alone) on any other printer.
QString PaperBinForRoll(int paperRoll, bool twinRoll);

// A CUPS destination as the printing layer sees it.
struct QueueInfo {
    QString name;         // "queue" or "queue/instance"
    QString deviceUri;    // the port, e.g. "usb://DYMO/LabelWriter%20Twin%20Turbo"
    QString makeAndModel; // e.g. "DYMO LabelWriter Twin Turbo"
};

// The destination called `name`, or nullopt when there is none (or no scheduler answers).
std::optional<QueueInfo> FindQueue(const QString& name);

// The default destination of CUPS, or nullopt when none is set.
std::optional<QueueInfo> DefaultQueue();

// Printer list: the names of the CUPS destinations, in the order CUPS gives them. Any
// `section` other than "PrinterPorts" or "Devices" (letter case aside) names no printers.
QStringList PrinterList(const QString& section = QStringLiteral("PrinterPorts"));

// Twin-roll test: true when the queue's make-and-model is exactly "DYMO LabelWriter Twin Turbo"
// or its PPD offers both rolls (InputSlot choices Left and Right). Never fails outward: an
// unknown queue or an unreachable scheduler gives false. `driverName`, when given, receives the
// make-and-model found.
bool TwinRollTest(const QString& printerName, QString* driverName = nullptr);

// Paper code lookup: the PageSize keyword of the paper whose text is `paperName` (letter case
// aside) on queue `deviceName`, e.g. "w167h288" for "30256 Shipping"; empty when the queue
// offers no such paper, is unknown or has no PPD.
QString PaperCodeLookup(const QString& paperName, const QString& deviceName);

// Sets the device name of `settings` to queue `name` and its port to the queue's device URI;
// error 484 when there is no such queue (settings are then left unchanged).
StationError SetDeviceName(PrinterSettings& settings, const QString& name);

// The printer settings of a label type: its printer, the roll (paper bin) only on a twin-roll
// printer, and the paper size when the printer offers it. Error 484 when the printer is not
// a CUPS destination.
StationError LabelPrinterSettings(const QString& printer, int paperRoll, int paperSize,
                                  PrinterSettings* settings);

} // namespace zelkora::printing
