#include "db/dbtestsupport.h"
#include "reports/criteria/reportexport.h"
#include "reports/criteria/reportswindow.h"
#include "reports/summary/summaryreport.h"
#include "settings/settingsstore.h"
#include "support/fixedclock.h"
#include "support/scriptedprompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace zelkora {
namespace {

class ReportsWindowTest : public test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        const char* titles[] = {"Visitor", "Contractor", "Vendor's", "", "Delivery", "", "Guest"};
        for (int n = 1; n <= 7; ++n)
            ASSERT_TRUE(SaveSetting(QStringLiteral("Label%1Title").arg(n),
                                    QString::fromLatin1(titles[n - 1])));
        ASSERT_TRUE(SaveSetting(QStringLiteral("CompanyName"), QStringLiteral("Acme, Inc.")));
        ASSERT_TRUE(SaveSetting(QStringLiteral("ReportPrinter"), QStringLiteral("Office")));

        ReportsWindowServices services;
        services.viewReport = [this](QWidget* owner, const ReportViewRequest& request) {
            views << request;
            EXPECT_EQ(owner, window.get());
            return StationError{};
        };
        services.openFolder = [this](const QString& folder) {
            opened << folder;
            return true;
        };
        services.progressThreshold = 100;
        window = std::make_unique<ReportsWindow>(services);
        const StationError error = window->load();
        ASSERT_FALSE(error.isError()) << error;
    }
    void TearDown() override {
        window.reset();
        DatabaseTest::TearDown();
    }

    template <typename T>
    T* child(const char* name) {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* button) { child<QPushButton>(button)->click(); }
    void manyVisits(int count) {
        ASSERT_TRUE(rawExec(QStringLiteral("BEGIN")));
        for (int i = 0; i < count; ++i)
            rawExec(QStringLiteral("INSERT INTO Labels (TypeID, BadgeName, Name, LogInTime) "
                                   "VALUES (0, 'Visitor', 'Visitor %1', '2024-03-05 08:00:00')")
                        .arg(i));
        ASSERT_TRUE(rawExec(QStringLiteral("COMMIT")));
        closeRaw();
    }

    test::FixedClock clock{at("2024-03-05 10:00:00")};
    test::ScriptedPrompter prompter;
    std::unique_ptr<ReportsWindow> window;
    QList<ReportViewRequest> views;
    QStringList opened;
};

TEST_F(ReportsWindowTest, OpensWithYesterdayToTodayByDate) {
    EXPECT_EQ(window->objectName(), QStringLiteral("frmReports"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Reports"));
    EXPECT_TRUE(child<QCheckBox>("chkByDates")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("chkByName")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("chkByType")->isChecked());
    EXPECT_EQ(child<QLineEdit>("txtStartDate")->text(), QStringLiteral("3/4/2024"));
    EXPECT_EQ(child<QLineEdit>("txtEndDate")->text(), QStringLiteral("3/5/2024"));
    auto* types = child<QComboBox>("cmbTypes");
    ASSERT_EQ(types->count(), 7);
    EXPECT_EQ(types->itemText(2), QStringLiteral("Vendor's"));
    EXPECT_EQ(types->itemText(3), QString());
    EXPECT_EQ(types->currentText(), QStringLiteral("Visitor"));
    auto* order = child<QComboBox>("cmbOrderBy");
    EXPECT_EQ(order->count(), 3);
    EXPECT_EQ(order->currentText(), QStringLiteral("Log In Date"));
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->focusPolicy() != Qt::NoFocus && widget->parent() == window.get()) {
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
        }
    }
}

TEST_F(ReportsWindowTest, TypingANameOrChoosingATypeTicksItsBox) {
    child<QLineEdit>("txtName")->setText(QStringLiteral("smi"));
    EXPECT_TRUE(child<QCheckBox>("chkByName")->isChecked());
    auto* types = child<QComboBox>("cmbTypes");
    Q_EMIT types->activated(2);
    EXPECT_TRUE(child<QCheckBox>("chkByType")->isChecked());

    clock.set(at("2024-03-07 08:00:00"));
    click("btnToday");
    EXPECT_EQ(child<QLineEdit>("txtStartDate")->text(), QStringLiteral("3/7/2024"));
    EXPECT_EQ(child<QLineEdit>("txtEndDate")->text(), QStringLiteral("3/7/2024"));
}

TEST_F(ReportsWindowTest, ValidationMessagesStopViewAndExport) {
    child<QCheckBox>("chkByDates")->setChecked(false);
    click("cmdViewReport");
    click("cmdExportReport");
    ASSERT_EQ(prompter.messages.size(), 2);
    for (const MessageRequest& m : prompter.messages) {
        EXPECT_EQ(m.text, QStringLiteral("Please select at least one report search criteria."));
        EXPECT_EQ(m.title, QStringLiteral("Validation Error"));
        EXPECT_EQ(m.code, 64);
        EXPECT_TRUE(m.owned);
    }
    EXPECT_TRUE(prompter.folderPrompts.isEmpty());
    EXPECT_TRUE(views.isEmpty());

    child<QCheckBox>("chkByDates")->setChecked(true);
    child<QLineEdit>("txtStartDate")->setText(QStringLiteral("3/6/2024"));
    click("cmdViewReport");
    EXPECT_EQ(prompter.messages.last().text,
              QStringLiteral("The End Date must be after or equal to the Start Date."));
    // The window keeps what was typed.
    EXPECT_EQ(child<QLineEdit>("txtStartDate")->text(), QStringLiteral("3/6/2024"));
}

TEST_F(ReportsWindowTest, ViewHandsTheReportItsRowsCriteriaAndSettings) {
    child<QLineEdit>("txtName")->setText(QStringLiteral("O'Neil"));
    child<QComboBox>("cmbOrderBy")->setCurrentIndex(2);
    click("cmdViewReport");
    ASSERT_EQ(views.size(), 1);
    const ReportViewRequest& view = views.first();
    EXPECT_EQ(view.companyName, QStringLiteral("Acme, Inc."));
    EXPECT_EQ(view.reportPrinter, QStringLiteral("Office"));
    EXPECT_EQ(view.progressThreshold, 100);
    EXPECT_TRUE(view.query.sql.startsWith(QLatin1String("SELECT * FROM qLabelSummaryReport")));
    EXPECT_TRUE(view.query.sql.endsWith(QLatin1String(" ORDER BY Name,LogInTime,LogOutTime")));
    EXPECT_EQ(view.query.values.last(), QVariant(QStringLiteral("%O'Neil%")));
    EXPECT_EQ(view.query.parameterText,
              QStringLiteral("Dates: 3/4/2024 - 3/5/2024 11:59:59 PM\r\n"
                             "Name: Contains O'Neil\r\nSort By: Name\r\n"));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(ReportsWindowTest, ExportAsksForAFolderAndReportsWhereTheFileIs) {
    // No folder chosen: a message and no file.
    click("cmdExportReport");
    ASSERT_EQ(prompter.folderPrompts, QStringList{QStringLiteral("Select a folder to export to.")});
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("No folder specified to export to."));
    EXPECT_EQ(prompter.messages[0].code, 64);
    EXPECT_EQ(prompter.messages[0].title, QStringLiteral("Zelkora"));

    const QString folder = root() + QStringLiteral("/out");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(QDir(folder).isEmpty());
    manyVisits(3);
    prompter.folderAnswers << folder;
    click("cmdExportReport");
    ASSERT_EQ(prompter.messages.size(), 2);
    const QString file = folder + QStringLiteral("/Orv_Security.txt");
    EXPECT_EQ(prompter.messages[1].text,
              QStringLiteral("Your report data has been exported to this location: \r\n\r\n") +
                  file);
    EXPECT_EQ(prompter.messages[1].title, QStringLiteral("Export Complete"));
    EXPECT_EQ(prompter.messages[1].code, 64);
    EXPECT_EQ(readFile(file).count("\r\n"), 1 + 3 + 1);
}

TEST_F(ReportsWindowTest, LongExportShowsProgressAndCancelLeavesNoFile) {
    manyVisits(2500);
    const QString folder = root() + QStringLiteral("/out");
    ASSERT_TRUE(QDir().mkpath(folder));
    prompter.folderAnswers << folder;
    bool sawProgress = false;
    // Pressed as soon as the dialog has processed its first events.
    QTimer::singleShot(0, window.get(), [&] {
        auto* progress = window->findChild<QProgressDialog*>(QStringLiteral("dlgProgress"));
        ASSERT_NE(progress, nullptr);
        sawProgress = true;
        progress->cancel();
    });
    click("cmdExportReport");
    EXPECT_TRUE(sawProgress);
    EXPECT_TRUE(QDir(folder).isEmpty());
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].text,
              QStringLiteral("The export was cancelled. No file was written."));
    EXPECT_EQ(window->findChild<QProgressDialog*>(QStringLiteral("dlgProgress")), nullptr);
}

TEST_F(ReportsWindowTest, PhotosOpensTheFolderOnlyWhenThereAreSome) {
    const QString photos = stationDir() + QStringLiteral("photos");
    // No folder, then an empty folder.
    click("cmdPhotos");
    ASSERT_TRUE(QDir().mkpath(photos));
    click("cmdPhotos");
    ASSERT_EQ(prompter.messages.size(), 2);
    for (const MessageRequest& m : prompter.messages) {
        EXPECT_EQ(m.text, QStringLiteral("There are no photos to show."));
        EXPECT_EQ(m.title, QStringLiteral("Unable to read Photos Directory"));
        EXPECT_EQ(m.code, 64);
    }
    EXPECT_TRUE(opened.isEmpty());

    writeFile(photos + QStringLiteral("/12 Ann Smith.jpg"), "jpeg");
    click("cmdPhotos");
    EXPECT_EQ(opened, QStringList{photos});
    EXPECT_EQ(prompter.messages.size(), 2);
}

// What View hands the report is a select the label summary can count and page through.
TEST_F(ReportsWindowTest, TheReportSelectFeedsTheLabelSummary) {
    manyVisits(30);
    child<QLineEdit>("txtName")->setText(QStringLiteral("Visitor 1"));
    click("cmdViewReport");
    ASSERT_EQ(views.size(), 1);
    const reports::ReportQuery& query = views.first().query;
    rptLabelSummary report(QStringLiteral("Acme"), query.parameterText,
                           SummaryQuery{query.sql, query.values});
    QImage device(850, 1100, QImage::Format_RGB32);
    device.fill(Qt::white);
    const StationError started = report.start(device);
    ASSERT_FALSE(started.isError()) << started;
    EXPECT_EQ(report.rowCount(), 11); // Visitor 1 and Visitor 10 to 19
    QPainter painter(&device);
    StationError error;
    EXPECT_TRUE(report.paintPage(0, painter, &error)) << error;
}

TEST_F(ReportsWindowTest, Screenshot) {
    child<QLineEdit>("txtName")->setText(QStringLiteral("smi"));
    window->show();
    const QImage image = window->grab().toImage();
    EXPECT_FALSE(image.isNull());
    if (const QString out = qEnvironmentVariable("ZELKORA_SCREENSHOT_DIR"); !out.isEmpty()) {
        EXPECT_TRUE(image.save(out + QStringLiteral("/reports.png")));
    }
}

} // namespace
} // namespace zelkora
