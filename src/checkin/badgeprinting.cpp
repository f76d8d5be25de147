#include "checkin/badgeprinting.h"

#include "checkin/checkinservices.h"
#include "checkin/label/securitylabel.h"
#include "checkin/printing/changeprinter.h"
#include "checkin/printing/reportpreview.h"
#include "checkin/printing/reportprint.h"

#include <QApplication>

namespace zelkora {

StationError ReportBadgePrinter::printBadge(const clsReportInfo& info,
                                            const printing::PrinterSettings& printer,
                                            bool preview) {
    rptSecurityLabel report(info);
    if (!preview)
        return printing::PrintReport(report, printer, rptSecurityLabel::caption());
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    return printing::PreviewReport(report, printer, owner, rptSecurityLabel::caption());
}

PaperSelector LabelPaperSelector() {
    return [](qint16 paperRoll, qint16 paperSize, printing::PrinterSettings& settings) {
        return printing::LabelPrinterSettings(settings.deviceName, paperRoll, paperSize, &settings);
    };
}

void InstallCheckInPrinting() {
    checkInServices().printer = std::make_shared<ReportBadgePrinter>();
    checkInServices().paper = LabelPaperSelector();
}

} // namespace zelkora
