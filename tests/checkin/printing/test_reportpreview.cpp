#include "checkin/printing/changeprinter.h"
#include "checkin/printing/printerlistcontrol.h"
#include "checkin/printing/reportpreview.h"
#include "cupsserver.h"
#include "pagedreport.h"
#include "pdfpages.h"
#include "support/scriptedprompter.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace zelkora;
using namespace zelkora::printing;
using zelkora::test::CupsServer;
using zelkora::test::PagedReport;
using zelkora::test::ScriptedPrompter;

namespace {

PrinterSettings noPrinter() {
    return {};
}

} // namespace

TEST(ReportPreview, AHugeReportOpensLayingOutOnlyThePagesShown) {
    PagedReport report(100000, false);
    ReportPreview preview(report, noPrinter(), QStringLiteral("Label Summary"));
    ASSERT_FALSE(preview.begin().isError());
    EXPECT_EQ(report.painted, (QList<int>{0}));
    EXPECT_TRUE(report.probed.isEmpty());
    EXPECT_FALSE(preview.knownPageCount().has_value());

    preview.nextPage();
    preview.nextPage();
    preview.previousPage();
    EXPECT_EQ(preview.currentPage(), 1);
    EXPECT_EQ(report.painted, (QList<int>{0, 1, 2, 1}));

    // The end is found with a few layouts on a stand-in, not by laying out every page.
    preview.lastPage();
    EXPECT_EQ(preview.currentPage(), 99999);
    EXPECT_EQ(preview.knownPageCount(), 100000);
    EXPECT_LT(report.probed.size(), 40);
    EXPECT_EQ(report.painted.last(), 99999);
    EXPECT_EQ(report.startResolutions, (QList<int>{kDefaultResolution}));
}

TEST(ReportPreview, GoingPastTheEndOfAnUncountedReportFindsItsLength) {
    PagedReport report(2, false);
    ReportPreview preview(report, noPrinter(), QStringLiteral("Report"));
    ASSERT_FALSE(preview.begin().isError());
    preview.nextPage();
    EXPECT_FALSE(preview.goToPage(2));
    EXPECT_EQ(preview.currentPage(), 1);
    EXPECT_EQ(preview.knownPageCount(), 2);
    EXPECT_EQ(preview.statusText(), QStringLiteral("There is no page 3."));
    const int paintedBefore = static_cast<int>(report.painted.size());
    preview.nextPage(); // the end is known now: nothing is laid out
    EXPECT_EQ(report.painted.size(), paintedBefore);
    EXPECT_EQ(preview.currentPage(), 1);
}

TEST(ReportPreview, KeyboardNavigatesPagesAndZoom) {
    PagedReport report(5);
    ReportPreview preview(report, noPrinter(), QStringLiteral("Report"));
    ASSERT_FALSE(preview.begin().isError());
    preview.show();
    preview.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&preview));

    struct Step {
        QKeyCombination key;
        int page;
    };
    const std::vector<Step> steps = {
        {Qt::Key_PageDown, 1}, {Qt::Key_Right, 2}, {Qt::Key_End, 4},  {Qt::Key_PageDown, 4},
        {Qt::Key_PageUp, 3},   {Qt::Key_Left, 2},  {Qt::Key_Home, 0},
    };
    for (const Step& step : steps) {
        QTest::keyClick(&preview, step.key.key(), step.key.keyboardModifiers());
        EXPECT_EQ(preview.currentPage(), step.page) << step.key.key();
    }

    preview.setZoom(ReportPreview::Percent, 100);
    const double atHundred = preview.scale();
    QTest::keyClick(&preview, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_NEAR(preview.scale(), atHundred * 1.5, 1e-9);
    QTest::keyClick(&preview, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&preview, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_NEAR(preview.scale(), atHundred * 0.75, 1e-9);

    QTest::keyClick(&preview, Qt::Key_Escape);
    EXPECT_FALSE(preview.isVisible());
    EXPECT_FALSE(preview.error().isError());
}

TEST(ReportPreview, ControlsHaveAccessibleNames) {
    PagedReport report(3);
    ReportPreview preview(report, noPrinter(), QStringLiteral("Report"));
    ASSERT_FALSE(preview.begin().isError());
    QStringList names;
    for (const QToolButton* button : preview.findChildren<QToolButton*>())
        names.append(button->accessibleName());
    for (const char* name :
         {"First page", "Previous page", "Next page", "Last page", "Print", "Save as PDF", "Close"})
        EXPECT_TRUE(names.contains(QLatin1String(name))) << name;
    const auto* page = preview.findChild<QWidget*>();
    ASSERT_NE(page, nullptr);
    bool described = false;
    for (const QWidget* widget : preview.findChildren<QWidget*>())
        described = described || widget->accessibleDescription() == QLatin1String("Page 1 of 3");
    EXPECT_TRUE(described);
}

TEST(ReportPreview, ErrorsOfTheReportEndTheModalPreviewAndReachTheCaller) {
    struct Case {
        const char* name;
        bool failStart;
        int failAt;
        int throwAt;
        long number;
    };
    const std::vector<Case> cases = {
        {"start fails", true, -1, -1, 1001},
        {"first page fails", false, 0, -1, 1002},
        {"third page fails", false, 2, -1, 1002},
        {"second page throws", false, -1, 1, kErrPrinter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PagedReport report(4);
        report.failStart = c.failStart;
        report.failAtPage = c.failAt;
        report.throwAtPage = c.throwAt;
        bool shown = false;
        // Walks through the pages of the modal preview once it is shown.
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<ReportPreview*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            shown = true;
            preview->nextPage();
            preview->nextPage();
            preview->nextPage();
            if (preview->isVisible())
                preview->reject();
        });
        const StationError error =
            PreviewReport(report, noPrinter(), nullptr, QStringLiteral("Report"));
        EXPECT_EQ(error.number, c.number);
        EXPECT_EQ(shown, c.failAt != 0 && !c.failStart);
        QApplication::processEvents(); // lets a timer left over from a preview never shown go
    }
}

TEST(ReportPreview, SavesAsPdfThroughTheFileDialogAndReportsAnUnwritableFile) {
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    const QString path = dir.filePath(QStringLiteral("saved.pdf"));
    prompter.fileAnswers.append(FileDialogAnswer{path, 1, false});
    prompter.fileAnswers.append(
        FileDialogAnswer{dir.filePath(QStringLiteral("no/such/folder.pdf")), 1, false});

    PagedReport report(3, false);
    ReportPreview preview(report, noPrinter(), QStringLiteral("Label Summary"));
    ASSERT_FALSE(preview.begin().isError());
    preview.nextPage();
    preview.saveAsPdf();
    ASSERT_EQ(prompter.fileRequests.size(), 1);
    EXPECT_EQ(prompter.fileRequests[0].title, QStringLiteral("Save as PDF"));
    EXPECT_EQ(prompter.fileRequests[0].proposedName, QStringLiteral("Label Summary.pdf"));
    EXPECT_EQ(zelkora::test::readPdf(path).pages, 3);
    EXPECT_EQ(preview.currentPage(), 1);
    EXPECT_EQ(preview.statusText(), QStringLiteral("Saved as %1.").arg(path));
    // Saving ran the report start again on the PDF, then again on the preview's page.
    EXPECT_EQ(report.startResolutions.size(), 3);

    preview.saveAsPdf();
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].code, 48);
    EXPECT_FALSE(preview.error().isError());

    preview.saveAsPdf(); // cancelled: nothing happens
    EXPECT_EQ(prompter.fileRequests.size(), 3);
    EXPECT_EQ(prompter.messages.size(), 1);
}

class PreviewPrintTest : public ::testing::Test {
protected:
    void SetUp() override { ZELKORA_REQUIRE_CUPS(); }
};

TEST_F(PreviewPrintTest, PrintsOnTheReportsPrinterWithItsRollAndPaper) {
    PrinterSettings settings;
    ASSERT_FALSE(LabelPrinterSettings(QStringLiteral("Twin450"), 2, 1, &settings).isError());
    PagedReport report(2);
    ReportPreview preview(report, settings, QStringLiteral("Security Label"));
    ASSERT_FALSE(preview.begin().isError());
    const QList<int> before = CupsServer::running()->jobIds();
    preview.printReport();
    ASSERT_FALSE(preview.error().isError()) << preview.error().description.toStdString();
    EXPECT_EQ(preview.statusText(), QStringLiteral("Sent to Twin450."));
    const QList<int> after = CupsServer::running()->jobIds();
    ASSERT_EQ(after.size(), before.size() + 1);
    const auto attributes = CupsServer::running()->jobAttributes(after.last());
    EXPECT_EQ(attributes.value(QStringLiteral("InputSlot")), QLatin1String("Right"));
    EXPECT_EQ(attributes.value(QStringLiteral("PageSize")), QLatin1String("w167h288"));
}

TEST_F(PreviewPrintTest, APrinterThatIsGoneEndsThePreviewWithError484) {
    PrinterSettings settings;
    settings.deviceName = QStringLiteral("Gone");
    PagedReport report(1);
    ReportPreview preview(report, settings, QStringLiteral("Report"));
    ASSERT_FALSE(preview.begin().isError());
    preview.printReport();
    EXPECT_EQ(preview.error().number, kErrPrinterNotFound);
}

TEST_F(PreviewPrintTest, PrinterListFillsListControls) {
    QComboBox combo;
    combo.addItem(QStringLiteral("already there"));
    EXPECT_EQ(PrinterList(combo, QStringLiteral("PrinterPorts")), 4);
    EXPECT_EQ(combo.itemText(3), QStringLiteral("TwinOld"));

    QListWidget list;
    EXPECT_EQ(PrinterList(list, QStringLiteral("NoSuchSection")), 0);
}
