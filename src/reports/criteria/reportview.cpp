// View: the label summary report of the chosen visits in the report preview.
#include "checkin/printing/reportpreview.h"
#include "reports/criteria/reportswindow.h"
#include "reports/summary/summaryreport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <memory>

namespace zelkora {

namespace {

// Pages painted within this many milliseconds of each other belong to one run (a print or a PDF
// file); the preview paints one page per user action.
constexpr qint64 kRunGapMs = 250;
// Pages of a run before its progress shows.
constexpr int kRunPagesBeforeProgress = 3;

// Progress of a rendering of every page: a dialog with Cancel once a run of pages is under way
// on a report of more rows than the threshold.
class PageProgress {
public:
    PageProgress(QWidget* owner, qint64 threshold)
        : m_owner(owner)
        , m_threshold(threshold) {}

    bool update(int page, int pageCount) {
        const bool continues =
            m_clock.isValid() && page == m_lastPage + 1 && m_clock.elapsed() < kRunGapMs;
        m_clock.start();
        m_lastPage = page;
        m_run = continues ? m_run + 1 : 0;
        if (!continues)
            m_dialog.reset();
        const qint64 rows = static_cast<qint64>(pageCount) * SummaryReport::kRowsPerPage;
        if (!m_dialog && m_run >= kRunPagesBeforeProgress && rows > m_threshold) {
            m_dialog = std::make_unique<QProgressDialog>(
                QStringLiteral("Preparing %1 pages...").arg(pageCount), QStringLiteral("Cancel"), 0,
                pageCount, m_owner);
            m_dialog->setObjectName(QStringLiteral("dlgProgress"));
            m_dialog->setWindowModality(Qt::WindowModal);
            m_dialog->setMinimumDuration(0);
            m_dialog->setAutoClose(false);
            m_dialog->setAutoReset(false);
        }
        if (!m_dialog)
            return true;
        m_dialog->setValue(page);
        QCoreApplication::processEvents();
        m_clock.start(); // the time spent here is not the report's
        const bool cancelled = m_dialog->wasCanceled();
        if (cancelled || page + 1 >= pageCount)
            m_dialog.reset();
        return !cancelled;
    }

private:
    QWidget* m_owner;
    qint64 m_threshold;
    QElapsedTimer m_clock;
    int m_lastPage = -1;
    int m_run = 0;
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace

StationError ViewLabelSummary(QWidget* owner, const ReportViewRequest& request) {
    rptLabelSummary report(request.companyName, request.query.parameterText,
                           SummaryQuery{request.query.sql, request.query.values});
    PageProgress progress(owner, request.progressThreshold);
    report.setProgressHandler(
        [&progress](int page, int pageCount) { return progress.update(page, pageCount); });
    printing::PrinterSettings settings;
    settings.deviceName = request.reportPrinter;
    const StationError error =
        printing::PreviewReport(report, settings, owner, rptLabelSummary::caption());
    // The user stopped a print or a PDF file; there is nothing to report.
    if (error.number == SummaryReport::kErrCancelled)
        return {};
    return error;
}

} // namespace zelkora
