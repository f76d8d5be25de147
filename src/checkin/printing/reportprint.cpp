#include "checkin/printing/reportprint.h"

#include "checkin/printing/changeprinter.h"
#include "checkin/printing/ppdaccess.h"
#include "checkin/printing/probedevice.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>
#include <cups/cups.h>
#include <exception>

namespace zelkora::printing {

namespace {

const QString kSource = QStringLiteral("Printing");

StationError printerError(const QString& description) {
    return StationError{kErrPrinter, description, kSource};
}

// Runs a call into report code, turning an escaping exception into an error: report code is
// called from window events, where nothing may be thrown through.
template <typename F>
bool guarded(F&& call, StationError* error) {
    try {
        return call();
    } catch (const std::exception& e) {
        *error = printerError(
            QStringLiteral("The report failed: %1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        *error = printerError(QStringLiteral("The report failed."));
    }
    return false;
}

} // namespace

StationError StartReport(Report& report, QPaintDevice& device) {
    StationError error;
    guarded(
        [&] {
            error = report.start(device);
            return true;
        },
        &error);
    return error;
}

bool PaintReportPage(Report& report, int index, QPainter& painter, StationError* error) {
    return guarded([&] { return report.paintPage(index, painter, error); }, error) &&
           !error->isError();
}

PrintTarget ResolvePrintTarget(const Report& report, const PrinterSettings& settings) {
    PrintTarget target;
    target.layout = report.pageLayout();
    const PpdFacts ppd =
        settings.deviceName.isEmpty() ? PpdFacts{} : ReadQueuePpd(settings.deviceName);
    if (ppd.resolution > 0)
        target.resolution = ppd.resolution;

    if (!settings.paperSizeCode.isEmpty()) {
        bool offered = !ppd.found; // without a PPD the scheduler decides
        for (const PpdPaper& paper : ppd.papers) {
            if (paper.keyword != settings.paperSizeCode)
                continue;
            offered = true;
            if (!paper.points.isEmpty())
                target.layout.setPageSize(
                    QPageSize(paper.points, QPageSize::Point, paper.text, QPageSize::ExactMatch));
            break;
        }
        if (offered)
            target.jobOptions.append({QStringLiteral("PageSize"), settings.paperSizeCode});
    }
    if (settings.orientation == 1)
        target.layout.setOrientation(QPageLayout::Portrait);
    else if (settings.orientation == 2)
        target.layout.setOrientation(QPageLayout::Landscape);
    if (!settings.paperBin.isEmpty())
        target.jobOptions.append({QStringLiteral("InputSlot"), settings.paperBin});
    return target;
}

bool ReportHasPage(Report& report, const QPaintDevice& model, int index, StationError* error) {
    ProbeDevice probe(model);
    QPainter painter;
    if (!painter.begin(&probe))
        return false;
    const bool exists = PaintReportPage(report, index, painter, error);
    painter.end();
    return exists;
}

StationError RenderReportToPdf(Report& report, const QString& path, const PrintTarget& target,
                               const QString& title, int* pages) {
    if (pages)
        *pages = 0;
    QPdfWriter writer(path);
    writer.setResolution(target.resolution);
    writer.setPageLayout(target.layout);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Zelkora"));

    if (StationError error = StartReport(report, writer); error.isError())
        return error;

    QPainter painter;
    if (!painter.begin(&writer))
        return StationError{kErrFileAccess,
                            QStringLiteral("The file \"%1\" cannot be written.").arg(path),
                            kSource};

    const std::optional<int> known = report.pageCount();
    StationError error;
    int count = 0;
    for (int index = 0; !known || index < *known; ++index) {
        // Without a known count, learn first whether the page exists, so the file does not end
        // in a blank page.
        if (!known && !ReportHasPage(report, writer, index, &error))
            break;
        if (index > 0 && !writer.newPage())
            break;
        if (!PaintReportPage(report, index, painter, &error))
            break;
        ++count;
    }
    const bool written = painter.end();
    if (error.isError()) {
        QFile::remove(path);
        return error;
    }
    if (!written)
        return StationError{kErrFileAccess,
                            QStringLiteral("The file \"%1\" cannot be written.").arg(path),
                            kSource};
    if (pages)
        *pages = count;
    return {};
}

int SubmitPrintFile(const QString& queue, const QString& path, const QString& title,
                    const JobOptions& options, StationError* error) {
    int count = 0;
    cups_option_t* cupsOptions = nullptr;
    for (const auto& [name, value] : options)
        count = cupsAddOption(name.toUtf8().constData(), value.toUtf8().constData(), count,
                              &cupsOptions);
    const QByteArray queueName = queue.section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray file = QFile::encodeName(path);
    const QByteArray jobTitle = title.toUtf8();
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queueName.constData(), file.constData(),
                                   jobTitle.constData(), count, cupsOptions);
    cupsFreeOptions(count, cupsOptions);
    if (job <= 0) {
        *error = printerError(QStringLiteral("The printer \"%1\" did not accept the job: %2")
                                  .arg(queue, QString::fromUtf8(cupsLastErrorString())));
        return 0;
    }
    return job;
}

StationError PrintReport(Report& report, const PrinterSettings& settings, const QString& title,
                         int* jobId) {
    if (jobId)
        *jobId = 0;
    PrinterSettings checked = settings;
    QString device = settings.deviceName;
    if (device.isEmpty()) {
        if (const auto fallback = DefaultQueue())
            device = fallback->name;
    }
    if (StationError error = SetDeviceName(checked, device); error.isError())
        return error;

    const PrintTarget target = ResolvePrintTarget(report, checked);
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/zelkora-print-XXXXXX.pdf"));
    if (!file.open())
        return StationError{kErrFileAccess,
                            QStringLiteral("No temporary file can be made for printing."), kSource};
    file.close();

    int pages = 0;
    if (StationError error = RenderReportToPdf(report, file.fileName(), target, title, &pages);
        error.isError())
        return error;
    if (pages == 0)
        return {};

    StationError error;
    const int job =
        SubmitPrintFile(checked.deviceName, file.fileName(), title, target.jobOptions, &error);
    if (jobId)
        *jobId = job;
    return error;
}

StationError SaveReportAsPdf(Report& report, const PrinterSettings& settings, const QString& path,
                             const QString& title) {
    return RenderReportToPdf(report, path, ResolvePrintTarget(report, settings), title);
}

} // namespace zelkora::printing
