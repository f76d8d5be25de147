#pragma once

#include "checkin/checkincommit.h"
#include "checkin/label/reportinfo.h"

namespace zelkora {

// The product's badge printer: the security label report on the printing layer, printed as a
// CUPS job or shown in the preview over the active window.
class ReportBadgePrinter final : public BadgePrinter {
public:
    StationError printBadge(const clsReportInfo& info, const printing::PrinterSettings& printer,
                            bool preview) override;
};

// Turns a label type's roll and paper numbers into the queue's InputSlot and PageSize choices,
// for the printer already named in the settings.
PaperSelector LabelPaperSelector();

// Gives the entry windows the product's printer and paper selection.
void InstallCheckInPrinting();

} // namespace zelkora
