#include "checkout/logoutwindow.h"

#include "app/core/log.h"
#include "app/core/message.h"
#include "app/gui/formplacement.h"
#include "checkin/printing/reportpreview.h"
#include "checkout/autologout.h"
#include "checkout/checkoutlistmodel.h"
#include "checkout/timecapturewindow.h"
#include "settings/vraxsettings.h"
#include "util/clock.h"
#include "util/gui/hourglass.h"
#include "util/twips.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace zelkora {

namespace {

// Design size of the window, in twips.
constexpr int kScaleWidth = 12105;
constexpr int kScaleHeight = 8805;
// Buttons large enough for a finger.
constexpr int kTouchHeight = 44;
constexpr int kButtonWidth = 120;

QPushButton* makeButton(const char* name, const QString& caption, const QString& spoken,
                        QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(spoken);
    button->setMinimumSize(kButtonWidth, kTouchHeight);
    return button;
}

} // namespace

rptCheckoutSummary CheckoutSummaryFor(const CheckoutPrintJob& job) {
    // A fresh read of the current query: the report reads its rows itself, page by page.
    return rptCheckoutSummary(job.companyName, job.parameterValues,
                              SummaryQuery{job.query.sql(), job.query.values()});
}

StationError PreviewCheckoutSummary(QWidget* owner, const CheckoutPrintJob& job) {
    rptCheckoutSummary report = CheckoutSummaryFor(job);
    const StationError error =
        printing::PreviewReport(report, job.printer, owner, rptCheckoutSummary::caption());
    if (error.number == SummaryReport::kErrCancelled)
        return {};
    return error;
}

LogOutServices DefaultLogOutServices() {
    LogOutServices services;
    services.captureTime = CaptureTime;
    services.print = PreviewCheckoutSummary;
    return services;
}

LogOutWindow::LogOutWindow(QWidget* owner, LogOutServices services)
    : QDialog(owner)
    , m_services(std::move(services))
    , m_model(new CheckoutListModel(this))
    , VSFlexGrid1(new QTableView(this))
    , lblSortBy(new QLabel(QStringLiteral("Sort By:"), this))
    , cmbSortBy(new QComboBox(this))
    , btnSort(makeButton("btnSort", QStringLiteral("Sort"), QStringLiteral("Sort the list"), this))
    , btnPrint(makeButton("btnPrint", QStringLiteral("Print"),
                          QStringLiteral("Print the list of open visits"), this))
    , cmdLogOut(makeButton("cmdLogOut", QStringLiteral("Check Out"),
                           QStringLiteral("Check Out the selected visit"), this))
    , cmdCancel(makeButton("cmdCancel", QStringLiteral("Cancel"), QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("frmLogOut"));
    setWindowTitle(QStringLiteral("Check Out"));
    setModal(true);
    QFont font = this->font();
    font.setPointSizeF(std::max(font.pointSizeF(), 10.5));
    setFont(font);

    VSFlexGrid1->setObjectName(QStringLiteral("VSFlexGrid1"));
    VSFlexGrid1->setAccessibleName(QStringLiteral("Open visits"));
    VSFlexGrid1->setModel(m_model);
    VSFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    VSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    VSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    VSFlexGrid1->setAlternatingRowColors(true);
    VSFlexGrid1->setWordWrap(false);
    VSFlexGrid1->setTabKeyNavigation(false);
    VSFlexGrid1->verticalHeader()->setDefaultSectionSize(kTouchHeight - 8);
    VSFlexGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    VSFlexGrid1->horizontalHeader()->setHighlightSections(false);
    VSFlexGrid1->horizontalHeader()->setStretchLastSection(true);
    VSFlexGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    lblSortBy->setObjectName(QStringLiteral("lblSortBy"));
    lblSortBy->setBuddy(cmbSortBy);
    cmbSortBy->setObjectName(QStringLiteral("cmbSortBy"));
    cmbSortBy->setAccessibleName(QStringLiteral("Sort By"));
    cmbSortBy->setMinimumHeight(kTouchHeight);
    cmbSortBy->setMinimumContentsLength(20);
    cmbSortBy->installEventFilter(this);

    // No default button: Enter on the grid checks out its current row, Enter on a button
    // presses that button, Enter on the sort list sorts.
    for (QPushButton* button : {btnSort, btnPrint, cmdLogOut, cmdCancel})
        button->setDefault(false);
    QFont bold = cmdLogOut->font();
    bold.setBold(true);
    cmdLogOut->setFont(bold);

    auto* top = new QHBoxLayout;
    top->addWidget(lblSortBy);
    top->addWidget(cmbSortBy);
    top->addWidget(btnSort);
    top->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(btnPrint);
    bottom->addStretch(1);
    bottom->addWidget(cmdLogOut);
    bottom->addWidget(cmdCancel);
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(14, 12, 14, 12);
    window->setSpacing(10);
    window->addLayout(top);
    window->addWidget(VSFlexGrid1, 1);
    window->addLayout(bottom);

    setTabOrder(VSFlexGrid1, cmdLogOut);
    setTabOrder(cmdLogOut, cmdCancel);
    setTabOrder(cmdCancel, cmbSortBy);
    setTabOrder(cmbSortBy, btnSort);
    setTabOrder(btnSort, btnPrint);

    connect(btnSort, &QPushButton::clicked, this, &LogOutWindow::sortClicked);
    connect(btnPrint, &QPushButton::clicked, this, &LogOutWindow::printClicked);
    connect(cmdLogOut, &QPushButton::clicked, this, &LogOutWindow::checkOutClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A double-click on a row checks it out, and so does Enter (in the event filter: the grid
    // passes Enter on to the window, whose buttons must not take it as well).
    connect(VSFlexGrid1, &QTableView::doubleClicked, this, &LogOutWindow::checkOutClicked);
    VSFlexGrid1->installEventFilter(this);
    connect(m_model, &CheckoutListModel::readFailed, this, &LogOutWindow::showReadFailure);

    btnPrint->setEnabled(static_cast<bool>(m_services.print));
}

LogOutWindow::~LogOutWindow() = default;

void LogOutWindow::load() {
    LoadCaptions(this);
    const double tx = TwipsPerPixelX(this);
    const double ty = TwipsPerPixelY(this);
    resize(QSize(twipsToPixels(kScaleWidth, tx), twipsToPixels(kScaleHeight, ty))
               .expandedTo(minimumSizeHint()));
    GetFormPosition(this, kScaleWidth, kScaleHeight);

    {
        cHourglass wait;
        if (StationError e = RunAutoLogout(); e.isError()) {
            // The list is still worth showing: at worst it holds overdue visits.
            WriteLog(QStringLiteral("RunAutoLogout failed: ") + e.description);
            ShowMessage(CheckoutErrorText(e), MsgOk | MsgCritical, {}, true);
        }
    }
    m_period = CheckoutPeriodAt(Clock::current().now(), LogoutDays());
    buildQuery(DefaultCheckoutSort());
    fillGrid();

    cmbSortBy->clear();
    for (const CheckoutSort& sort : CheckoutSortChoices())
        cmbSortBy->addItem(sort.choice);
    cmbSortBy->setCurrentIndex(0);
    VSFlexGrid1->setFocus();
}

void LogOutWindow::buildQuery(const CheckoutSort& sort) {
    QList<int> types;
    if (StationError e = LoadCheckoutTypeList(&types); e.isError()) {
        ShowMessage(CheckoutErrorText(e), MsgOk | MsgCritical, {}, true);
        if (!m_query.isNull())
            return;    // keeps the list as it is
        types.clear(); // nothing known to list: a valid query without rows
    }
    m_query = CheckoutQuery(m_period, types, sort);
}

void LogOutWindow::fillGrid() {
    StationError error;
    {
        cHourglass wait;
        error = m_model->setQuery(m_query);
    }
    if (error.isError()) {
        WriteLog(QStringLiteral("Check-out list failed: ") + error.description);
        ShowMessage(CheckoutErrorText(error), MsgOk | MsgCritical, {}, true);
    }
    VSFlexGrid1->resizeColumnsToContents();
    if (m_model->rowCount() == 0) {
        // Nothing to check out; the window never makes the button available again.
        cmdLogOut->setEnabled(false);
        return;
    }
    VSFlexGrid1->setCurrentIndex(m_model->index(0, 0));
}

void LogOutWindow::showReadFailure(const StationError& error) {
    // Reported after the view's own scrolling or painting that asked for the rows.
    QTimer::singleShot(
        0, this, [error] { ShowMessage(CheckoutErrorText(error), MsgOk | MsgCritical, {}, true); });
}

void LogOutWindow::sortClicked() {
    if (const std::optional<CheckoutSort> sort = CheckoutSortFor(cmbSortBy->currentText()))
        buildQuery(*sort);
    fillGrid();
}

void LogOutWindow::printClicked() {
    if (!m_services.print)
        return;
    CheckoutPrintJob job;
    job.query = m_query;
    job.parameterValues = CheckoutParameterText(m_period, cmbSortBy->currentText());
    cVRAXSettings settings;
    if (StationError e = settings.LoadValues(); e.isError()) {
        ShowMessage(CheckoutErrorText(e), MsgOk | MsgCritical, {}, true);
        return;
    }
    job.companyName = settings.CompanyName();
    job.printer.deviceName = settings.ReportPrinter();
    if (StationError e = m_services.print(this, job); e.isError()) {
        WriteLog(QStringLiteral("Check-out summary failed: ") + e.description);
        ShowMessage(CheckoutErrorText(e), MsgOk | MsgCritical, {}, true);
    }
}

void LogOutWindow::checkOutClicked() {
    if (!cmdLogOut->isEnabled())
        return;
    const int row = VSFlexGrid1->currentIndex().row();
    if (row < 0 || row >= m_model->rowCount())
        return;
    const CheckOutOutcome outcome = RunCheckOut(
        m_model->value(row, kCheckoutId), m_model->value(row, kCheckoutCheckIn),
        [this](qint16 elapsed) {
            return m_services.captureTime ? m_services.captureTime(this, elapsed) : qint16{0};
        });
    switch (outcome) {
    case CheckOutOutcome::CheckedOut:
        accept();
        break;
    case CheckOutOutcome::AlreadyClosed:
        fillGrid();
        break;
    case CheckOutOutcome::Stayed:
        break;
    }
}

bool LogOutWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == cmbSortBy || watched == VSFlexGrid1) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == cmbSortBy)
                sortClicked();
            else
                checkOutClicked();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void LogOutWindow::done(int result) {
    StoreFormPosition(this);
    QDialog::done(result);
}

StationError OpenLogOut(QWidget* owner) {
    return OpenLogOut(owner, DefaultLogOutServices());
}

StationError OpenLogOut(QWidget* owner, const LogOutServices& services) {
    LogOutWindow window(owner, services);
    window.load();
    window.exec();
    return {};
}

} // namespace zelkora
