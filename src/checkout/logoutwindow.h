#pragma once

#include "checkin/printing/report.h"
#include "checkout/checkoutlist.h"
#include "reports/summary/summaryreport.h"
#include "util/error.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace zelkora {

class CheckoutListModel;

// What btnPrint hands to the check-out summary report: the current query (read afresh), the
// criteria text, the company name and the report printer from freshly read settings.
struct CheckoutPrintJob {
    CheckoutQuery query;
    QString parameterValues;
    QString companyName;
    printing::PrinterSettings printer;
};

// The outside pieces of the check-out window, replaceable in tests.
struct LogOutServices {
    // The time capture dialog: the minutes after check-in the user accepted, 0 when cancelled.
    std::function<qint16(QWidget* owner, qint16 elapsed)> captureTime;
    // Shows the check-out summary of `job` as a modal preview over `owner`; empty when the
    // station cannot print it (Print is then unavailable).
    std::function<StationError(QWidget* owner, const CheckoutPrintJob& job)> print;
};

// The check-out summary report rptCheckoutSummary of `job`, ready to preview or print.
rptCheckoutSummary CheckoutSummaryFor(const CheckoutPrintJob& job);
// Shows the check-out summary of `job` in the report preview over `owner`, on the job's
// printer; a print the user cancelled is no error.
[[nodiscard]] StationError PreviewCheckoutSummary(QWidget* owner, const CheckoutPrintJob& job);

// The product's services: the time capture window and the check-out summary preview.
LogOutServices DefaultLogOutServices();

// The check-out window "frmLogOut" (title "Check Out"): the open visits of the last LogoutDays
// days in a grid, ten sort orders, Print, and Check Out on the current row (the button, Enter or
// a double-click on the row), which closes the window once a visit is checked out. Errors are
// shown with a message and the window stays usable.
class LogOutWindow final : public QDialog {
    Q_OBJECT
public:
    LogOutWindow(QWidget* owner, LogOutServices services);
    ~LogOutWindow() override;

    // The load step: automatic logout, the period from "LogoutDays", the list by date, the sort
    // choices. Failures are shown; the window can still be shown.
    void load();

    const CheckoutPeriod& period() const { return m_period; }
    const CheckoutQuery& currentQuery() const { return m_query; }
    CheckoutListModel* listModel() const { return m_model; }

    void sortClicked();
    void printClicked();
    void checkOutClicked();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildQuery(const CheckoutSort& sort);
    void fillGrid();
    void showReadFailure(const StationError& error);

    LogOutServices m_services;
    CheckoutPeriod m_period;
    CheckoutQuery m_query;
    CheckoutListModel* m_model;

    QTableView* VSFlexGrid1;
    QLabel* lblSortBy;
    QComboBox* cmbSortBy;
    QPushButton* btnSort;
    QPushButton* btnPrint;
    QPushButton* cmdLogOut;
    QPushButton* cmdCancel;
};

// The home screen's check-out button: runs the window's load step, shows it modally over
// `owner` and returns once it has closed. Errors inside the window are shown there.
[[nodiscard]] StationError OpenLogOut(QWidget* owner);
[[nodiscard]] StationError OpenLogOut(QWidget* owner, const LogOutServices& services);

} // namespace zelkora
