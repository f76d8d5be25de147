#pragma once

#include "checkin/printing/report.h"
#include "util/error.h"

#include <QList>
#include <QPageLayout>
#include <QString>
#include <utility>

class QPaintDevice;
class QPainter;

namespace zelkora::printing {

// The resolution a report is laid out at when the printer names none.
inline constexpr int kDefaultResolution = 300;

using JobOptions = QList<std::pair<QString, QString>>;

// How a report's pages come out on a printer: the page layout (the report's own, with the
// printer's paper when the settings name one it offers, and the settings' orientation when
// given), the printer's resolution and the CUPS job options (PageSize, InputSlot).
struct PrintTarget {
    QPageLayout layout;
    int resolution = kDefaultResolution;
    JobOptions jobOptions;
};

// Works out the target of `report` on the printer of `settings`, asking the queue's PPD for
// its paper sizes and resolution. A paper size the queue does not offer leaves the report's
// own; without a queue or PPD the settings are taken as they are.
PrintTarget ResolvePrintTarget(const Report& report, const PrinterSettings& settings);

// Runs the report-start event of `report` on `device`; an exception escaping the report code
// becomes error 482, as every call into report code through this layer does.
StationError StartReport(Report& report, QPaintDevice& device);

// Paints page `index` of `report`; false when there is no such page or the report failed
// (then `error` is set).
bool PaintReportPage(Report& report, int index, QPainter& painter, StationError* error);

// Whether the report has page `index`, learnt by painting it on a stand-in for `model` (the
// device last given to the report's start()). A failure of the report code sets `error`.
bool ReportHasPage(Report& report, const QPaintDevice& model, int index, StationError* error);

// Renders every page of `report` into the PDF file `path` at the target's layout and
// resolution, running the report-start event first. `pages` receives the number of pages (a
// report without pages gives a file with one blank page and 0). Errors of the report code come
// back as they are; a file that cannot be written gives error 75.
StationError RenderReportToPdf(Report& report, const QString& path, const PrintTarget& target,
                               const QString& title, int* pages = nullptr);

// Submits the file at `path` to queue `queue` ("queue" or "queue/instance") with `options`,
// without any dialog. Returns the job id, or 0 with `error` set (error 482).
int SubmitPrintFile(const QString& queue, const QString& path, const QString& title,
                    const JobOptions& options, StationError* error);

// Prints `report` without a dialog on the printer of `settings`: renders it to a temporary
// PDF file at the printer's resolution and submits that with the roll and paper size as job
// options. Without a device name the report prints on the CUPS default destination, as a
// printer object left unset would. Error 484 when the printer is not installed (or no
// device is named and there is no default); errors of the report code or of the
// scheduler reach the caller. `jobId` receives the CUPS job id (0 when the report had no
// pages, which prints nothing).
StationError PrintReport(Report& report, const PrinterSettings& settings, const QString& title,
                         int* jobId = nullptr);

// Saves `report` as the PDF file `path`, laid out as it would print with `settings`.
StationError SaveReportAsPdf(Report& report, const PrinterSettings& settings, const QString& path,
                             const QString& title);

} // namespace zelkora::printing
