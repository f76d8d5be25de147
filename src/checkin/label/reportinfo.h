#pragma once

#include "checkin/printing/report.h"
#include "util/error.h"

#include <QDateTime>
#include <QString>

namespace zelkora {

// clsReportInfo: the record of one badge, filled by the check-in commit and handed to the
// security label report.
struct clsReportInfo {
    bool ForceUppercase = false;
    qint32 TypeID = 0;     // label index, 0-based
    qint32 BadgeCount = 1; // copies to print
    qint32 BadgeID = 0;    // the visit's row; 0 for a nameless label
    QString PersonsName;   // empty for a nameless label
    QDateTime PrintDate;   // the check-in time
    QString CompanyName;
    QString BadgeName;
    QString PrintedInfo1;
    QString PrintedInfo2;
    qint32 StyleID = 0;
    QString ImagePath; // full path of the picture to print, or empty
};

// Prints or previews the security label of a record on a printer: what the check-in commit
// needs of the label report and the printing layer, so the commit can be tested with a double.
class BadgePrinter {
public:
    virtual ~BadgePrinter() = default;
    // Prints `info.BadgeCount` copies without a dialog, or shows the modal preview when
    // `preview` is set. An error of the report or the printer reaches the caller.
    virtual StationError printBadge(const clsReportInfo& info,
                                    const printing::PrinterSettings& printer, bool preview) = 0;
};

} // namespace zelkora
