#pragma once

#include "reports/criteria/reportcriteria.h"
#include "util/error.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zelkora {

// What View hands the report: the rows, the criteria text and the settings read afresh.
struct ReportViewRequest {
    reports::ReportQuery query;
    QString companyName;
    QString reportPrinter;
    // Visits from which the work shows progress with a Cancel button.
    qint64 progressThreshold = 0;
};

// Shows the label summary report of `request` modally over `owner` until it is closed.
using ReportViewer = std::function<StationError(QWidget* owner, const ReportViewRequest& request)>;

// The product's viewer: rptLabelSummary in the report preview, on the report printer.
StationError ViewLabelSummary(QWidget* owner, const ReportViewRequest& request);

// What the report window reaches outside itself; empty members take the product's own.
struct ReportsWindowServices {
    ReportViewer viewReport;
    // Opens a folder in the file manager.
    std::function<bool(const QString& folder)> openFolder;
    // Visits from which an export or a report shows progress and can be cancelled.
    qint64 progressThreshold = 3000;
};

// The report criteria window frmReports: dates, part of a name, label type and order of the
// visits to report on; View shows the label summary report, Export writes "Orv_Security.txt"
// into a chosen folder, Photos opens the photos folder. Failures are shown and the window stays
// open with its entries.
class ReportsWindow final : public QDialog {
    Q_OBJECT
public:
    explicit ReportsWindow(ReportsWindowServices services = {}, QWidget* parent = nullptr);

    // The load event: label types, yesterday to today, position, order, footer, then the
    // automatic logout. A settings error is returned and the window should not be shown.
    StationError load();

    // The criteria as the controls hold them.
    reports::ReportCriteria criteria() const;

    void done(int result) override;

public Q_SLOTS:
    void viewReport();
    void exportReport();
    void showPhotos();
    void setToday();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Validates; on failure shows the message and returns false.
    bool validate();
    void showError(const QString& what, const StationError& error);

    ReportsWindowServices m_services;

    QLabel* pctHeader;
    QCheckBox* chkByDates;
    QLineEdit* txtStartDate;
    QLabel* lblTo;
    QLineEdit* txtEndDate;
    QPushButton* btnToday;
    QCheckBox* chkByName;
    QLineEdit* txtName;
    QCheckBox* chkByType;
    QComboBox* cmbTypes;
    QLabel* lblOrderBy;
    QComboBox* cmbOrderBy;
    QPushButton* cmdViewReport;
    QPushButton* cmdExportReport;
    QPushButton* cmdPhotos;
    QPushButton* cmdCancel;
    QLabel* pctFooter;
};

// Opens frmReports modally over `owner` (Utilities > Reports, behind the password) and returns
// once it has closed; a window that cannot load returns its error without being shown.
StationError OpenReports(QWidget* owner);

} // namespace zelkora
