#pragma once

#include "checkin/printing/report.h"
#include "checkin/printing/reportprint.h"
#include "util/error.h"

#include <QDialog>
#include <QImage>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;

namespace zelkora::printing {

// The modal preview of a report: shows one page at a time and lays out only the pages it
// shows, so a report of thousands of pages opens at once. From it the user prints on the
// report's printer or saves the report as a PDF file. Pages are laid out at the printer's
// resolution (at most 300 dpi), so what the preview shows is what prints.
class ReportPreview : public QDialog {
    Q_OBJECT

public:
    enum ZoomMode { FitPage, FitWidth, Percent };

    ReportPreview(Report& report, const PrinterSettings& settings, const QString& caption,
                  QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Runs the report-start event and lays out the first page. An error here means the preview
    // cannot be shown.
    StationError begin();

    // The error that ended the preview, if any.
    StationError error() const { return m_error; }

    int currentPage() const { return m_page; } // from 0
    // The number of pages once known: told by the report or found by going past the end.
    std::optional<int> knownPageCount() const { return m_count; }
    QString statusText() const;
    double scale() const { return m_scale; } // screen pixels per page pixel

public Q_SLOTS:
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    // Shows page `index` (from 0); false (and a note in the status line) when there is none.
    bool goToPage(int index);
    void setZoom(ZoomMode mode, int percent = 100);
    void zoomIn();
    void zoomOut();
    void printReport();
    void saveAsPdf();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool showPage(int index);
    bool pageExists(int index);
    void fail(const StationError& error);
    bool restart();
    void updateView();
    void updateControls();
    void setStatus(const QString& text);

    Report& m_report;
    PrinterSettings m_settings;
    QString m_caption;
    PrintTarget m_target;
    int m_dpi = kDefaultResolution;
    QImage m_device; // the page device the report paints on, holding the page shown
    int m_page = 0;
    std::optional<int> m_count;
    StationError m_error;
    ZoomMode m_zoomMode = FitPage;
    int m_percent = 100;
    double m_scale = 1.0;
    QString m_status;

    QAction* m_first = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_last = nullptr;
    QAction* m_print = nullptr;
    QAction* m_save = nullptr;
    QSpinBox* m_pageBox = nullptr;
    QLabel* m_pageOf = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_view = nullptr;
    QLabel* m_statusLabel = nullptr;
};

// Shows `report` as a modal preview owned by `owner`, with `caption` as its title. Returns
// when the user closes it; an error of the report code or of printing ends the preview and
// is returned.
StationError PreviewReport(Report& report, const PrinterSettings& settings, QWidget* owner,
                           const QString& caption);

} // namespace zelkora::printing
