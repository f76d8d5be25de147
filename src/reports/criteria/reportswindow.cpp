#include "reports/criteria/reportswindow.h"

#include "app/core/log.h"
#include "app/core/message.h"
#include "app/core/sharedroutines.h"
#include "app/core/shellopen.h"
#include "app/core/stationfolder.h"
#include "app/gui/formplacement.h"
#include "app/gui/resourcepicture.h"
#include "checkout/autologout.h"
#include "reports/criteria/reportexport.h"
#include "settings/vraxsettings.h"
#include "util/clock.h"
#include "util/commondialog.h"
#include "util/gui/hourglass.h"
#include "util/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <memory>

namespace zelkora {

namespace {

// Design size of the client area, in twips.
constexpr int kScaleWidth = 5895;
constexpr int kScaleHeight = 3930;
constexpr int kTouchHeight = 40;
constexpr int kHeaderHeight = 48;
constexpr int kFooterBitmap = 103;

const QString kCrLf = QStringLiteral("\r\n");

// The header band: the window's subject on the station's blue.
QPixmap headerPicture(int width, const QFont& base) {
    QPixmap pixmap(width, kHeaderHeight);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, width, 0);
    gradient.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    gradient.setColorAt(1, QColor(0x3a, 0x7c, 0xb8));
    painter.fillRect(pixmap.rect(), gradient);
    QFont font = base;
    font.setPointSize(15);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect().adjusted(16, 0, -16, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("Visit Reports"));
    return pixmap;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& accessible) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(accessible);
    button->setMinimumHeight(kTouchHeight);
    button->setAutoDefault(false);
    return button;
}

// Progress of a long export: a dialog with Cancel once the work is over the threshold, with the
// window's events processed between slices so that it keeps painting and Cancel can be pressed.
class WorkProgress {
public:
    WorkProgress(QWidget* owner, const QString& label, qint64 total, qint64 threshold) {
        if (total <= threshold)
            return;
        m_dialog =
            std::make_unique<QProgressDialog>(label, QStringLiteral("Cancel"), 0, 1000, owner);
        m_dialog->setObjectName(QStringLiteral("dlgProgress"));
        m_dialog->setAccessibleName(label);
        m_dialog->setWindowTitle(QString::fromLatin1("Zelkora"));
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoReset(false);
        m_dialog->setAutoClose(false);
        m_dialog->setValue(0);
        m_total = total;
    }

    // False once the user pressed Cancel.
    bool update(qint64 done) {
        if (!m_dialog)
            return true;
        m_dialog->setValue(static_cast<int>(m_total > 0 ? done * 1000 / m_total : 0));
        QCoreApplication::processEvents();
        return !m_dialog->wasCanceled();
    }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    qint64 m_total = 0;
};

} // namespace

ReportsWindow::ReportsWindow(ReportsWindowServices services, QWidget* parent)
    : QDialog(parent)
    , m_services(std::move(services))
    , pctHeader(new QLabel(this))
    , chkByDates(new QCheckBox(QStringLiteral("By Date"), this))
    , txtStartDate(new QLineEdit(this))
    , lblTo(new QLabel(QStringLiteral("to"), this))
    , txtEndDate(new QLineEdit(this))
    , btnToday(makeButton(this, "btnToday", QStringLiteral("< Today"),
                          QStringLiteral("Today: set both dates to today")))
    , chkByName(new QCheckBox(QStringLiteral("By Name"), this))
    , txtName(new QLineEdit(this))
    , chkByType(new QCheckBox(QStringLiteral("By Type"), this))
    , cmbTypes(new QComboBox(this))
    , lblOrderBy(new QLabel(QStringLiteral("Order By:"), this))
    , cmbOrderBy(new QComboBox(this))
    , cmdViewReport(makeButton(this, "cmdViewReport", QStringLiteral("View Report"),
                               QStringLiteral("View Report")))
    , cmdExportReport(makeButton(this, "cmdExportReport", QStringLiteral("Export Report"),
                                 QStringLiteral("Export Report to a folder")))
    , cmdPhotos(makeButton(this, "cmdPhotos", QStringLiteral("Photos"),
                           QStringLiteral("Open the photos folder")))
    , cmdCancel(makeButton(this, "cmdCancel", QStringLiteral("Cancel"),
                           QStringLiteral("Cancel: close the report window")))
    , pctFooter(new QLabel(this)) {
    setObjectName(QStringLiteral("frmReports"));
    setWindowTitle(QStringLiteral("Reports"));
    setModal(true);
    if (!m_services.viewReport)
        m_services.viewReport = ViewLabelSummary;
    if (!m_services.openFolder)
        m_services.openFolder = [](const QString& folder) {
            return ShellOpen(QStringLiteral("Open"), folder, {}, {}, 10);
        };

    const auto name = [](QWidget* widget, const char* object, const QString& accessible) {
        widget->setObjectName(QLatin1String(object));
        widget->setAccessibleName(accessible);
    };
    name(pctHeader, "pctHeader", QStringLiteral("Reports header"));
    name(chkByDates, "chkByDates", QStringLiteral("By Date"));
    name(txtStartDate, "txtStartDate", QStringLiteral("Start date"));
    name(lblTo, "lblTo", QStringLiteral("to"));
    name(txtEndDate, "txtEndDate", QStringLiteral("End date"));
    name(chkByName, "chkByName", QStringLiteral("By Name"));
    name(txtName, "txtName", QStringLiteral("Part of the name"));
    name(chkByType, "chkByType", QStringLiteral("By Type"));
    name(cmbTypes, "cmbTypes", QStringLiteral("Label type"));
    name(lblOrderBy, "lblOrderBy", QStringLiteral("Order By:"));
    name(cmbOrderBy, "cmbOrderBy", QStringLiteral("Order By"));
    name(pctFooter, "pctFooter", QStringLiteral("Footer"));

    for (QCheckBox* box : {chkByDates, chkByName, chkByType})
        box->setMinimumHeight(kTouchHeight);
    for (QWidget* field : {static_cast<QWidget*>(txtStartDate), static_cast<QWidget*>(txtEndDate),
                           static_cast<QWidget*>(txtName), static_cast<QWidget*>(cmbTypes),
                           static_cast<QWidget*>(cmbOrderBy)})
        field->setMinimumHeight(kTouchHeight - 4);
    txtStartDate->setMaxLength(20);
    txtEndDate->setMaxLength(20);
    txtName->setMaxLength(50);
    cmbTypes->setEditable(true);
    cmbTypes->setInsertPolicy(QComboBox::NoInsert);
    cmbTypes->lineEdit()->setMaxLength(50);
    lblOrderBy->setBuddy(cmbOrderBy);
    lblTo->setAlignment(Qt::AlignCenter);
    chkByDates->setChecked(true);
    cmdViewReport->setDefault(true);
    pctHeader->setMinimumHeight(kHeaderHeight);
    pctHeader->setScaledContents(false);
    pctFooter->setAlignment(Qt::AlignCenter);

    auto* criteria = new QGridLayout;
    criteria->setHorizontalSpacing(8);
    criteria->setVerticalSpacing(6);
    criteria->setColumnStretch(1, 1);
    criteria->setColumnStretch(3, 1);
    criteria->addWidget(chkByDates, 0, 0);
    criteria->addWidget(txtStartDate, 0, 1);
    criteria->addWidget(lblTo, 0, 2);
    criteria->addWidget(txtEndDate, 0, 3);
    criteria->addWidget(btnToday, 0, 4);
    criteria->addWidget(chkByName, 1, 0);
    criteria->addWidget(txtName, 1, 1, 1, 4);
    criteria->addWidget(chkByType, 2, 0);
    criteria->addWidget(cmbTypes, 2, 1, 1, 4);
    criteria->addWidget(lblOrderBy, 3, 0, Qt::AlignRight);
    criteria->addWidget(cmbOrderBy, 3, 1, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(cmdViewReport);
    buttons->addWidget(cmdExportReport);
    buttons->addWidget(cmdPhotos);
    buttons->addStretch(1);
    buttons->addWidget(cmdCancel);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 10, 12, 8);
    body->setSpacing(12);
    body->addLayout(criteria);
    body->addLayout(buttons);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addWidget(pctHeader);
    window->addLayout(body, 1);
    window->addWidget(pctFooter);

    setTabOrder(chkByDates, txtStartDate);
    setTabOrder(txtStartDate, txtEndDate);
    setTabOrder(txtEndDate, btnToday);
    setTabOrder(btnToday, chkByName);
    setTabOrder(chkByName, txtName);
    setTabOrder(txtName, chkByType);
    setTabOrder(chkByType, cmbTypes);
    setTabOrder(cmbTypes, cmbOrderBy);
    setTabOrder(cmbOrderBy, cmdViewReport);
    setTabOrder(cmdViewReport, cmdExportReport);
    setTabOrder(cmdExportReport, cmdPhotos);
    setTabOrder(cmdPhotos, cmdCancel);

    connect(txtName, &QLineEdit::textChanged, this, [this] { chkByName->setChecked(true); });
    connect(cmbTypes, &QComboBox::activated, this, [this] { chkByType->setChecked(true); });
    connect(btnToday, &QPushButton::clicked, this, &ReportsWindow::setToday);
    connect(cmdViewReport, &QPushButton::clicked, this, &ReportsWindow::viewReport);
    connect(cmdExportReport, &QPushButton::clicked, this, &ReportsWindow::exportReport);
    connect(cmdPhotos, &QPushButton::clicked, this, &ReportsWindow::showPhotos);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

StationError ReportsWindow::load() {
    LoadCaptions(this);
    WriteLog(QStringLiteral("About to LoadLabelTypes."));
    cVRAXSettings settings;
    if (const StationError error = settings.LoadValues(); error.isError())
        return error;
    cmbTypes->clear();
    for (int n = 1; n <= cVRAXSettings::kLabelTypeCount; ++n)
        cmbTypes->addItem(settings.LabelTitle(n));
    if (cmbTypes->count() > 0)
        cmbTypes->setCurrentIndex(0);
    chkByType->setChecked(false);

    const QDate today = Clock::current().now().date();
    txtStartDate->setText(reports::ReportDateText(today.addDays(-1)));
    txtEndDate->setText(reports::ReportDateText(today));

    WriteLog(QStringLiteral("About to GetFormPosition."));
    const QSize design(twipsToPixels(kScaleWidth, TwipsPerPixelX(this)),
                       twipsToPixels(kScaleHeight, TwipsPerPixelY(this)));
    resize(design.expandedTo(minimumSizeHint()));
    GetFormPosition(this, kScaleWidth, kScaleHeight);

    cmbOrderBy->clear();
    cmbOrderBy->addItems(reports::ReportOrderChoices());
    cmbOrderBy->setCurrentIndex(0);

    WriteLog(QStringLiteral("About to LoadFooter."));
    SetResourcePicture(pctFooter, kFooterBitmap);

    // The report must see overdue visits already closed; a failure does not keep the window shut.
    if (const StationError error = RunAutoLogout(); error.isError())
        showError(QStringLiteral("Overdue visits could not be closed."), error);
    chkByDates->setFocus();
    return {};
}

reports::ReportCriteria ReportsWindow::criteria() const {
    reports::ReportCriteria c;
    c.byDates = chkByDates->isChecked();
    c.startDate = txtStartDate->text();
    c.endDate = txtEndDate->text();
    c.byName = chkByName->isChecked();
    c.name = txtName->text();
    c.byType = chkByType->isChecked();
    c.type = cmbTypes->currentText();
    c.orderBy = cmbOrderBy->currentText();
    return c;
}

bool ReportsWindow::validate() {
    const QString message = reports::ValidateCriteria(criteria());
    if (message.isEmpty())
        return true;
    ShowMessage(message, MsgOk | MsgInformation, QLatin1String(reports::kValidationTitle), true);
    return false;
}

void ReportsWindow::showError(const QString& what, const StationError& error) {
    ShowMessage(what + QStringLiteral("\nError : ") + QString::number(error.number) +
                    QStringLiteral("\nDescription : ") + error.description,
                MsgOk | MsgExclamation, {}, true);
}

void ReportsWindow::viewReport() {
    if (!validate())
        return;
    ReportViewRequest request;
    request.query = reports::BuildReportQuery(criteria());
    request.progressThreshold = m_services.progressThreshold;
    WriteLog(QStringLiteral("About to RunSQLReturnRS with SQL of ") + request.query.sql +
             QLatin1Char('.'));
    cVRAXSettings settings;
    if (const StationError error = settings.LoadValues(); error.isError()) {
        showError(QStringLiteral("The settings could not be read."), error);
        return;
    }
    request.companyName = settings.CompanyName();
    request.reportPrinter = settings.ReportPrinter();
    if (const StationError error = m_services.viewReport(this, request); error.isError())
        showError(QStringLiteral("The report could not be shown."), error);
}

void ReportsWindow::exportReport() {
    if (!validate())
        return;
    const QString folder = BrowseForFolder(true, QStringLiteral("Select a folder to export to."));
    if (folder.isEmpty()) {
        ShowMessage(QStringLiteral("No folder specified to export to."), MsgOk | MsgInformation, {},
                    true);
        return;
    }
    const reports::ReportQuery query =
        reports::BuildReportQuery(criteria(), reports::ExportColumns());
    WriteLog(QStringLiteral("About to RunSQLReturnRS with SQL of ") + query.sql + QLatin1Char('.'));

    reports::ExportOutcome outcome;
    {
        cHourglass hourglass;
        qint64 total = 0;
        if (const StationError error = reports::CountReportRows(query, &total); error.isError()) {
            outcome.error = error;
        } else {
            WorkProgress progress(this, QStringLiteral("Exporting %1 visits...").arg(total), total,
                                  m_services.progressThreshold);
            outcome = reports::ExportReport(query, folder, total, [&progress](qint64 rows, qint64) {
                return progress.update(rows);
            });
        }
    }
    if (outcome.error.isError()) {
        showError(QStringLiteral("The report data could not be exported."), outcome.error);
        return;
    }
    if (outcome.cancelled) {
        ShowMessage(QStringLiteral("The export was cancelled. No file was written."),
                    MsgOk | MsgInformation, {}, true);
        return;
    }
    ShowMessage(QStringLiteral("Your report data has been exported to this location: ") + kCrLf +
                    kCrLf + outcome.path,
                MsgOk | MsgInformation, QStringLiteral("Export Complete"), true);
}

void ReportsWindow::showPhotos() {
    const QString photos = GetAppPath() + QStringLiteral("photos");
    // An empty folder has nothing to show either: the station always creates it.
    const bool any =
        IsFolder(photos) &&
        !QDir(photos).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty();
    if (!any) {
        ShowMessage(QStringLiteral("There are no photos to show."), MsgOk | MsgInformation,
                    QStringLiteral("Unable to read Photos Directory"), true);
        return;
    }
    m_services.openFolder(photos);
}

void ReportsWindow::setToday() {
    const QString today = reports::ReportDateText(Clock::current().now().date());
    txtStartDate->setText(today);
    txtEndDate->setText(today);
}

void ReportsWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    pctHeader->setPixmap(headerPicture(width(), font()));
}

void ReportsWindow::done(int result) {
    StoreFormPosition(this);
    QDialog::done(result);
}

StationError OpenReports(QWidget* owner) {
    ReportsWindow window({}, owner);
    if (const StationError error = window.load(); error.isError())
        return error;
    window.exec();
    return {};
}

} // namespace zelkora
