#include "checkin/printing/reportpreview.h"

#include "checkin/printing/changeprinter.h"
#include "util/gui/hourglass.h"
#include "util/prompter.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cmath>

namespace zelkora::printing {

namespace {

// Page devices above this resolution cost memory without showing more on a screen.
constexpr int kMaxPreviewResolution = 300;
constexpr double kMetresPerInch = 0.0254;
const int kZoomSteps[] = {25, 50, 75, 100, 150, 200, 300, 400};

QToolButton* toolButton(QAction* action, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAccessibleName(action->text().remove(QLatin1Char('&')));
    return button;
}

} // namespace

ReportPreview::ReportPreview(Report& report, const PrinterSettings& settings,
                             const QString& caption, QWidget* parent)
    : QDialog(parent)
    , m_report(report)
    , m_settings(settings)
    , m_caption(caption)
    , m_target(ResolvePrintTarget(report, settings)) {
    setWindowTitle(caption);
    setAccessibleName(caption);
    setModal(true);
    setSizeGripEnabled(true);

    m_dpi = std::clamp(m_target.resolution, 1, kMaxPreviewResolution);
    const QSize pixels = m_target.layout.fullRectPixels(m_dpi).size();
    m_device = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMetre = static_cast<int>(std::lround(m_dpi / kMetresPerInch));
    m_device.setDotsPerMeterX(dotsPerMetre);
    m_device.setDotsPerMeterY(dotsPerMetre);

    auto makeAction = [this](const QString& text, const QList<QKeySequence>& keys, auto slot) {
        auto* action = new QAction(text, this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        return action;
    };
    m_first = makeAction(QStringLiteral("&First"),
                         {QKeySequence(Qt::Key_Home), QKeySequence(Qt::CTRL | Qt::Key_Home)},
                         &ReportPreview::firstPage);
    m_previous = makeAction(QStringLiteral("&Previous"),
                            {QKeySequence(Qt::Key_PageUp), QKeySequence(Qt::Key_Left)},
                            &ReportPreview::previousPage);
    m_next = makeAction(QStringLiteral("&Next"),
                        {QKeySequence(Qt::Key_PageDown), QKeySequence(Qt::Key_Right)},
                        &ReportPreview::nextPage);
    m_last = makeAction(QStringLiteral("&Last"),
                        {QKeySequence(Qt::Key_End), QKeySequence(Qt::CTRL | Qt::Key_End)},
                        &ReportPreview::lastPage);
    m_print =
        makeAction(QStringLiteral("P&rint"), {QKeySequence::Print}, &ReportPreview::printReport);
    m_save =
        makeAction(QStringLiteral("&Save as PDF"), {QKeySequence::Save}, &ReportPreview::saveAsPdf);
    makeAction(QStringLiteral("Zoom In"),
               {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)},
               &ReportPreview::zoomIn);
    makeAction(QStringLiteral("Zoom Out"), {QKeySequence::ZoomOut}, &ReportPreview::zoomOut);
    m_first->setToolTip(QStringLiteral("First page (Home)"));
    m_previous->setToolTip(QStringLiteral("Previous page (Page Up)"));
    m_next->setToolTip(QStringLiteral("Next page (Page Down)"));
    m_last->setToolTip(QStringLiteral("Last page (End)"));
    m_print->setToolTip(settings.deviceName.isEmpty()
                            ? QStringLiteral("Print on the default printer (Ctrl+P)")
                            : QStringLiteral("Print on %1 (Ctrl+P)").arg(settings.deviceName));
    m_save->setToolTip(QStringLiteral("Save as a PDF file (Ctrl+S)"));

    auto* bar = new QHBoxLayout;
    auto* firstButton = toolButton(m_first, this);
    firstButton->setAccessibleName(QStringLiteral("First page"));
    auto* previousButton = toolButton(m_previous, this);
    previousButton->setAccessibleName(QStringLiteral("Previous page"));
    bar->addWidget(firstButton);
    bar->addWidget(previousButton);

    auto* pageLabel = new QLabel(QStringLiteral("Pa&ge"), this);
    m_pageBox = new QSpinBox(this);
    m_pageBox->setAccessibleName(QStringLiteral("Page number"));
    m_pageBox->setMinimum(1);
    m_pageBox->setKeyboardTracking(false);
    m_pageBox->setMinimumWidth(
        m_pageBox->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    pageLabel->setBuddy(m_pageBox);
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int value) {
        if (value - 1 != m_page)
            goToPage(value - 1);
    });
    m_pageOf = new QLabel(this);
    bar->addWidget(pageLabel);
    bar->addWidget(m_pageBox);
    bar->addWidget(m_pageOf);

    auto* nextButton = toolButton(m_next, this);
    nextButton->setAccessibleName(QStringLiteral("Next page"));
    auto* lastButton = toolButton(m_last, this);
    lastButton->setAccessibleName(QStringLiteral("Last page"));
    bar->addWidget(nextButton);
    bar->addWidget(lastButton);
    bar->addSpacing(12);

    auto* zoomLabel = new QLabel(QStringLiteral("&Zoom"), this);
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setAccessibleName(QStringLiteral("Zoom"));
    m_zoomBox->addItem(QStringLiteral("Fit Page"), -int(FitPage) - 1);
    m_zoomBox->addItem(QStringLiteral("Fit Width"), -int(FitWidth) - 1);
    for (int percent : kZoomSteps)
        m_zoomBox->addItem(QStringLiteral("%1%").arg(percent), percent);
    zoomLabel->setBuddy(m_zoomBox);
    connect(m_zoomBox, &QComboBox::activated, this, [this](int row) {
        const int code = m_zoomBox->itemData(row).toInt();
        if (code > 0)
            setZoom(Percent, code);
        else
            setZoom(static_cast<ZoomMode>(-code - 1));
    });
    bar->addWidget(zoomLabel);
    bar->addWidget(m_zoomBox);
    bar->addStretch();

    auto* printButton = toolButton(m_print, this);
    printButton->setAccessibleName(QStringLiteral("Print"));
    auto* saveButton = toolButton(m_save, this);
    saveButton->setAccessibleName(QStringLiteral("Save as PDF"));
    auto* closeButton = new QToolButton(this);
    closeButton->setText(QStringLiteral("&Close"));
    closeButton->setAccessibleName(QStringLiteral("Close"));
    closeButton->setToolTip(QStringLiteral("Close the preview (Esc)"));
    connect(closeButton, &QToolButton::clicked, this, &QDialog::reject);
    bar->addWidget(printButton);
    bar->addWidget(saveButton);
    bar->addWidget(closeButton);

    m_view = new QLabel(this);
    m_view->setAlignment(Qt::AlignCenter);
    m_view->setAccessibleName(QStringLiteral("Page"));
    m_scroll = new QScrollArea(this);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_view);
    m_scroll->setAccessibleName(QStringLiteral("Page view"));
    m_scroll->setFocusPolicy(Qt::StrongFocus);

    m_statusLabel = new QLabel(this);
    m_statusLabel->setAccessibleName(QStringLiteral("Status"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_statusLabel);

    resize(760, 860);
    m_scroll->setFocus();
}

ReportPreview::~ReportPreview() = default;

StationError ReportPreview::begin() {
    if (m_device.isNull())
        return StationError{kErrPrinter,
                            QStringLiteral("The page of the report is too large to preview."),
                            QStringLiteral("Printing")};
    if (StationError error = StartReport(m_report, m_device); error.isError())
        return error;
    m_count = m_report.pageCount();
    m_page = 0;
    if (!showPage(0)) {
        if (m_error.isError())
            return m_error;
        m_count = 0;
        m_device.fill(Qt::white);
        setStatus(QStringLiteral("The report has no pages."));
    }
    updateControls();
    updateView();
    return {};
}

QString ReportPreview::statusText() const {
    return m_status;
}

void ReportPreview::setStatus(const QString& text) {
    m_status = text;
    m_statusLabel->setText(text);
}

void ReportPreview::fail(const StationError& error) {
    m_error = error;
    for (QAction* action : actions())
        action->setEnabled(false);
    done(QDialog::Rejected);
}

bool ReportPreview::showPage(int index) {
    if (index < 0 || (m_count && index >= *m_count))
        return false;
    m_device.fill(Qt::white);
    StationError error;
    QPainter painter(&m_device);
    const bool painted = PaintReportPage(m_report, index, painter, &error);
    painter.end();
    if (error.isError()) {
        fail(error);
        return false;
    }
    if (!painted) {
        // Going one past the page shown finds the end of the report.
        if (index == m_page + 1 || index == 0)
            m_count = index;
        if (index != m_page)
            showPage(m_page);
        return false;
    }
    m_page = index;
    return true;
}

bool ReportPreview::pageExists(int index) {
    if (m_count)
        return index >= 0 && index < *m_count;
    StationError error;
    const bool exists = ReportHasPage(m_report, m_device, index, &error);
    if (error.isError())
        fail(error);
    return exists;
}

bool ReportPreview::goToPage(int index) {
    if (m_error.isError())
        return false;
    const bool shown = index == m_page || showPage(index);
    if (m_error.isError())
        return false;
    if (!shown)
        setStatus(QStringLiteral("There is no page %1.").arg(index + 1));
    else
        setStatus({});
    updateControls();
    updateView();
    return shown;
}

void ReportPreview::firstPage() {
    goToPage(0);
}

void ReportPreview::previousPage() {
    if (m_page > 0)
        goToPage(m_page - 1);
}

void ReportPreview::nextPage() {
    if (!m_count || m_page + 1 < *m_count)
        goToPage(m_page + 1);
}

void ReportPreview::lastPage() {
    if (!m_count) {
        // Widen the step until a page is missing, then halve the gap: a few layouts find the
        // end of a report of thousands of pages.
        cHourglass wait;
        int present = m_page;
        int step = 1;
        while (step < INT_MAX / 4 && pageExists(present + step)) {
            present += step;
            step *= 2;
        }
        if (m_error.isError())
            return;
        int missing = present + step;
        while (missing - present > 1) {
            const int middle = present + (missing - present) / 2;
            (pageExists(middle) ? present : missing) = middle;
            if (m_error.isError())
                return;
        }
        m_count = present + 1;
    }
    goToPage(std::max(0, *m_count - 1));
}

void ReportPreview::setZoom(ZoomMode mode, int percent) {
    m_zoomMode = mode;
    m_percent = std::clamp(percent, 10, 1000);
    const int code = mode == Percent ? m_percent : -int(mode) - 1;
    const int row = m_zoomBox->findData(code);
    const QSignalBlocker blocker(m_zoomBox);
    if (row >= 0) {
        m_zoomBox->setCurrentIndex(row);
    } else {
        m_zoomBox->setEditText(QStringLiteral("%1%").arg(m_percent));
    }
    updateView();
}

void ReportPreview::zoomIn() {
    const int current = static_cast<int>(std::lround(m_scale * m_dpi / logicalDpiX() * 100));
    for (int percent : kZoomSteps) {
        if (percent > current) {
            setZoom(Percent, percent);
            return;
        }
    }
}

void ReportPreview::zoomOut() {
    const int current = static_cast<int>(std::lround(m_scale * m_dpi / logicalDpiX() * 100));
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it) {
        if (*it < current) {
            setZoom(Percent, *it);
            return;
        }
    }
}

void ReportPreview::updateView() {
    if (m_device.isNull())
        return;
    const QSize page = m_device.size();
    const QSize room = m_scroll->viewport()->size() - QSize(8, 8);
    switch (m_zoomMode) {
    case FitPage:
        m_scale =
            std::min(double(room.width()) / page.width(), double(room.height()) / page.height());
        break;
    case FitWidth:
        m_scale =
            double(room.width() - m_scroll->verticalScrollBar()->sizeHint().width()) / page.width();
        break;
    case Percent:
        m_scale = double(logicalDpiX()) / m_dpi * m_percent / 100.0;
        break;
    }
    m_scale = std::max(m_scale, 0.01);
    const QSize shown(std::max(1, int(std::lround(page.width() * m_scale))),
                      std::max(1, int(std::lround(page.height() * m_scale))));
    m_view->setPixmap(QPixmap::fromImage(
        m_device.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    m_view->resize(shown);
}

void ReportPreview::updateControls() {
    const bool more = !m_count || m_page + 1 < *m_count;
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(more);
    m_last->setEnabled(more);
    {
        const QSignalBlocker blocker(m_pageBox);
        m_pageBox->setMaximum(m_count ? std::max(1, *m_count) : INT_MAX / 4);
        m_pageBox->setValue(m_page + 1);
    }
    const QString of = m_count ? QStringLiteral("of %1").arg(*m_count) : QString();
    m_pageOf->setText(of);
    const QString description = m_count
                                    ? QStringLiteral("Page %1 of %2").arg(m_page + 1).arg(*m_count)
                                    : QStringLiteral("Page %1").arg(m_page + 1);
    m_view->setAccessibleDescription(description);
    m_scroll->setAccessibleDescription(description);
}

void ReportPreview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_zoomMode != Percent)
        updateView();
}

bool ReportPreview::restart() {
    // Printing ran the report on another device; lay the page shown out again on ours.
    if (StationError error = StartReport(m_report, m_device); error.isError()) {
        fail(error);
        return false;
    }
    if (m_count && *m_count == 0)
        return true;
    showPage(m_page);
    updateView();
    return !m_error.isError();
}

void ReportPreview::printReport() {
    if (m_error.isError())
        return;
    int job = 0;
    {
        cHourglass wait;
        if (StationError error = PrintReport(m_report, m_settings, m_caption, &job);
            error.isError()) {
            fail(error);
            return;
        }
    }
    if (restart())
        setStatus(job ? QStringLiteral("Sent to %1.").arg(m_settings.deviceName)
                      : QStringLiteral("The report has no pages to print."));
}

void ReportPreview::saveAsPdf() {
    Prompter* prompter = Prompter::current();
    if (m_error.isError() || !prompter)
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Save as PDF");
    request.proposedName = m_caption + QStringLiteral(".pdf");
    request.filters = {{QStringLiteral("PDF Files"), QStringLiteral("*.pdf")}};
    request.defaultExtension = QStringLiteral("pdf");
    request.owned = true;
    const auto answer = prompter->openFile(request);
    if (!answer || answer->path.isEmpty())
        return;

    StationError error;
    {
        cHourglass wait;
        error = SaveReportAsPdf(m_report, m_settings, answer->path, m_caption);
    }
    if (error.isError() && error.number != kErrFileAccess) {
        fail(error);
        return;
    }
    if (!restart())
        return;
    if (error.isError()) {
        prompter->message(MessageRequest{error.description, 48, m_caption, true});
        return;
    }
    setStatus(QStringLiteral("Saved as %1.").arg(answer->path));
}

StationError PreviewReport(Report& report, const PrinterSettings& settings, QWidget* owner,
                           const QString& caption) {
    ReportPreview preview(report, settings, caption, owner);
    if (StationError error = preview.begin(); error.isError())
        return error;
    preview.exec();
    return preview.error();
}

} // namespace zelkora::printing
