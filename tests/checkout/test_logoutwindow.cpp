#include "checkin/printing/reportprint.h"
#include "checkout/checkoutlistmodel.h"
#include "checkout/logoutwindow.h"
#include "checkout/timecapturewindow.h"
#include "checkouttest.h"
#include "settings/settingsstore.h"
#include "support/scriptedprompter.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace zelkora {
namespace {

class LogOutWindowTest : public test::CheckoutTest {
protected:
    LogOutServices services() {
        LogOutServices s;
        s.captureTime = [this](QWidget*, qint16 elapsed) {
            offered << elapsed;
            return captured;
        };
        s.print = [this](QWidget*, const CheckoutPrintJob& job) {
            printed << job;
            return printError;
        };
        return s;
    }
    template <typename T>
    static T* child(const QWidget& window, const char* name) {
        T* found = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QList<qint32> ids(const LogOutWindow& window) {
        QList<qint32> list;
        for (int row = 0; row < window.listModel()->rowCount(); ++row)
            list << window.listModel()->value(row, kCheckoutId).toInt();
        return list;
    }

    test::ScriptedPrompter prompter;
    qint16 captured = 0;
    QList<qint16> offered;
    QList<CheckoutPrintJob> printed;
    StationError printError;
};

TEST_F(LogOutWindowTest, ChecksOutTheCurrentRowAndCloses) {
    const qint32 early = visit(0, QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
    const qint32 chosen = visit(0, QDateTime(QDate(2026, 3, 10), QTime(10, 0, 30)));
    struct Case {
        const char* gesture;
        std::function<void(LogOutWindow&)> act;
    };
    const Case cases[] = {
        {"button", [](LogOutWindow& w) { child<QPushButton>(w, "cmdLogOut")->click(); }},
        {"Enter on the grid",
         [](LogOutWindow& w) {
             QTest::keyClick(child<QTableView>(w, "VSFlexGrid1"), Qt::Key_Return);
         }},
        {"double-click on the row",
         [](LogOutWindow& w) {
             auto* grid = child<QTableView>(w, "VSFlexGrid1");
             const QRect cell = grid->visualRect(w.listModel()->index(1, 1));
             // A double-click follows a click, as a person's does.
             QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
             QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gesture);
        LogOutWindow window(nullptr, services());
        window.load();
        window.show();
        ASSERT_EQ(ids(window), (QList<qint32>{early, chosen}));
        auto* grid = child<QTableView>(window, "VSFlexGrid1");
        grid->setFocus();
        grid->setCurrentIndex(window.listModel()->index(1, 0));
        offered.clear();
        captured = 95;
        prompter.messageAnswers = {AnswerNo}; // first declined: nothing changes
        c.act(window);
        EXPECT_EQ(offered, QList<qint16>{95});
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(logOutOf(chosen).isNull());
        EXPECT_EQ(ids(window), (QList<qint32>{early, chosen}));

        prompter.messageAnswers = {AnswerYes};
        c.act(window);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.result(), QDialog::Accepted);
        EXPECT_EQ(logOutOf(chosen), QVariant(QStringLiteral("2026-03-10 11:35:30")));
        EXPECT_TRUE(logOutOf(early).isNull());
        // Put the visit back for the next gesture.
        ASSERT_TRUE(rawExec(QStringLiteral("UPDATE Labels SET LogOutTime = NULL")));
    }
}

TEST_F(LogOutWindowTest, EmptyListDisablesCheckOutButStillPrints) {
    oneStepTypes({1, 2, 3, 4, 5, 6, 7}); // nothing to list at all
    visit(0, now().addSecs(-3600));
    cVRAXSettings settings;
    ASSERT_FALSE(settings.LoadValues().isError());
    settings.setCompanyName(QStringLiteral("Harbor View Labs"));
    settings.setReportPrinter(QStringLiteral("Office"));
    ASSERT_FALSE(settings.SaveValues().isError());

    LogOutWindow window(nullptr, services());
    window.load();
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(window.listModel()->rowCount(), 0);
    auto* checkOut = child<QPushButton>(window, "cmdLogOut");
    EXPECT_FALSE(checkOut->isEnabled());
    QTest::keyClick(child<QTableView>(window, "VSFlexGrid1"), Qt::Key_Return);
    EXPECT_TRUE(offered.isEmpty());

    child<QPushButton>(window, "btnPrint")->click();
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(printed[0].companyName, QStringLiteral("Harbor View Labs"));
    EXPECT_EQ(printed[0].printer.deviceName, QStringLiteral("Office"));
    EXPECT_EQ(printed[0].parameterValues,
              QStringLiteral("Dates: 3/9/2026 11:35:10 AM - 3/11/2026 11:35:10 AM\r\n"
                             "Sort By: Date"));
    EXPECT_EQ(printed[0].query.sql(), window.currentQuery().sql());

    // A report error is shown; the window stays.
    printError = {482, QStringLiteral("The printer is on fire"), QStringLiteral("rpt")};
    child<QPushButton>(window, "btnPrint")->click();
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].code, 16);
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("The printer is on fire")));
}

TEST_F(LogOutWindowTest, ThePrintOutReadsTheCurrentQueryAfresh) {
    struct Case {
        const char* name;
        QList<int> oneStep;
        qint64 rows;
    };
    const Case cases[] = {{"a visit checked in after the load", {}, 1},
                          {"nothing to list", {1, 2, 3, 4, 5, 6, 7}, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        oneStepTypes(c.oneStep);
        LogOutWindow window(nullptr, services());
        window.load();
        // Visits checked in after the list was read still print: the report reads afresh.
        visit(0, now().addSecs(-60), QStringLiteral("Pat O'Neil"), QStringLiteral("Room 4"));
        child<QComboBox>(window, "cmbSortBy")->setCurrentText(QStringLiteral("Name Descending"));
        printed.clear();
        child<QPushButton>(window, "btnPrint")->click();
        ASSERT_EQ(printed.size(), 1);
        EXPECT_TRUE(
            printed[0].parameterValues.endsWith(QStringLiteral("\r\nSort By: Name Descending")));
        rptCheckoutSummary report = CheckoutSummaryFor(printed[0]);
        const QString pdf = root() + QStringLiteral("/summary.pdf");
        const StationError error = printing::SaveReportAsPdf(report, printed[0].printer, pdf,
                                                             rptCheckoutSummary::caption());
        EXPECT_FALSE(error.isError()) << error;
        EXPECT_EQ(report.rowCount(), c.rows);
        EXPECT_TRUE(QFileInfo(pdf).size() > 0);
    }
}

TEST_F(LogOutWindowTest, SortRebuildsTheQueryWithTheSamePeriod) {
    const qint32 a = visit(0, now().addSecs(-300), QStringLiteral("A"), {}, QStringLiteral("b"));
    const qint32 b = visit(0, now().addSecs(-200), QStringLiteral("B"), {}, QStringLiteral("c"));
    const qint32 c = visit(0, now().addSecs(-100), QStringLiteral("C"), {}, QStringLiteral("a"));
    LogOutWindow window(nullptr, services());
    window.load();
    auto* sortBy = child<QComboBox>(window, "cmbSortBy");
    ASSERT_EQ(sortBy->count(), 10);
    EXPECT_EQ(sortBy->currentText(), QStringLiteral("Date"));
    EXPECT_EQ(ids(window), (QList<qint32>{a, b, c}));
    const CheckoutPeriod period = window.period();

    sortBy->setCurrentText(QStringLiteral("Info 2 Descending"));
    child<QPushButton>(window, "btnSort")->click();
    EXPECT_EQ(ids(window), (QList<qint32>{b, a, c}));
    EXPECT_EQ(window.currentQuery().sort().column, QStringLiteral("Labels.Field10"));
    EXPECT_TRUE(window.currentQuery().sort().descending);
    EXPECT_EQ(window.currentQuery().period().from, period.from);

    // Enter in the sort list sorts too.
    sortBy->setCurrentText(QStringLiteral("Name Descending"));
    QTest::keyClick(sortBy, Qt::Key_Return);
    EXPECT_EQ(ids(window), (QList<qint32>{c, b, a}));
}

TEST_F(LogOutWindowTest, ADatabaseErrorIsShownAndTheWindowStillOpens) {
    ASSERT_TRUE(rawExec(QStringLiteral("DROP TABLE Labels")));
    closeRaw();
    LogOutWindow window(nullptr, services());
    window.load();
    ASSERT_FALSE(prompter.messages.isEmpty());
    EXPECT_EQ(prompter.messages.last().code, 16);
    EXPECT_TRUE(prompter.messages.last().text.startsWith(QStringLiteral("An error occured.")));
    EXPECT_EQ(window.listModel()->rowCount(), 0);
    EXPECT_FALSE(child<QPushButton>(window, "cmdLogOut")->isEnabled());
}

TEST_F(LogOutWindowTest, ControlsHaveNamesAndAccessibleNames) {
    LogOutWindow window(nullptr, services());
    window.load();
    EXPECT_EQ(window.objectName(), QStringLiteral("frmLogOut"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Check Out"));
    const std::pair<const char*, const char*> buttons[] = {{"btnSort", "Sort"},
                                                           {"btnPrint", "Print"},
                                                           {"cmdLogOut", "Check Out"},
                                                           {"cmdCancel", "Cancel"}};
    for (const auto& [name, caption] : buttons) {
        auto* button = child<QPushButton>(window, name);
        EXPECT_EQ(button->text(), QLatin1String(caption));
        EXPECT_FALSE(button->accessibleName().isEmpty());
    }
    EXPECT_FALSE(child<QTableView>(window, "VSFlexGrid1")->accessibleName().isEmpty());
    EXPECT_FALSE(child<QComboBox>(window, "cmbSortBy")->accessibleName().isEmpty());
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

class TimeCaptureWindowTest : public test::StationTest {
protected:
    test::ScriptedPrompter prompter;
};

TEST_F(TimeCaptureWindowTest, ProposesTheTimeAndReturnsTheEntry) {
    TimeCaptureWindow window;
    window.InitForm(125);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Time Capture"));
    auto* hours = window.findChild<QLineEdit*>(QStringLiteral("txtHours"));
    auto* minutes = window.findChild<QLineEdit*>(QStringLiteral("txtMinutes"));
    auto* ok = window.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    ASSERT_TRUE(hours && minutes && ok);
    EXPECT_EQ(hours->text(), QStringLiteral("2"));
    EXPECT_EQ(minutes->text(), QStringLiteral("5"));

    minutes->setText(QStringLiteral("abc"));
    ok->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(minutes->text(), QStringLiteral("abc"));
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].title, QStringLiteral("Data Error"));

    minutes->setText(QStringLiteral("0"));
    QTest::keyClick(minutes, Qt::Key_Return); // Enter means Ok
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.capturedMinutes(), 120);
    EXPECT_EQ(CapturedMinutes(), 120);
}

TEST_F(TimeCaptureWindowTest, CancelEscapeAndTheCloseBoxGiveZero) {
    const std::pair<const char*, std::function<void(TimeCaptureWindow&)>> ways[] = {
        {"Cancel",
         [](TimeCaptureWindow& w) {
             w.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
         }},
        {"Escape", [](TimeCaptureWindow& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
        {"close box", [](TimeCaptureWindow& w) { w.close(); }},
    };
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        SetCapturedMinutes(33);
        TimeCaptureWindow window;
        window.InitForm(125);
        window.show();
        close(window);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.capturedMinutes(), 0);
        EXPECT_EQ(CapturedMinutes(), 0);
    }
}

} // namespace
} // namespace zelkora
