#include "checkin/printing/changeprinter.h"
#include "checkin/printing/reportprint.h"
#include "cupsserver.h"
#include "pagedreport.h"
#include "pdfpages.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelkora;
using namespace zelkora::printing;
using zelkora::test::CupsServer;
using zelkora::test::PagedReport;
using zelkora::test::readPdf;

namespace {

const QSizeF kLabelLandscape(288, 167); // "30256 Shipping" (w167h288) turned landscape

} // namespace

class PdfRenderTest : public ::testing::Test {
protected:
    QString pdfPath() const { return m_dir.filePath(QStringLiteral("report.pdf")); }
    QTemporaryDir m_dir;
};

TEST_F(PdfRenderTest, PagesComeOutOnceEachWithoutATrailingBlankPage) {
    for (bool tellsCount : {true, false}) {
        SCOPED_TRACE(tellsCount ? "count told" : "count found");
        PagedReport report(3, tellsCount);
        PrintTarget target;
        target.layout = report.pageLayout();
        int pages = -1;
        ASSERT_FALSE(
            RenderReportToPdf(report, pdfPath(), target, QStringLiteral("T"), &pages).isError());
        EXPECT_EQ(pages, 3);
        EXPECT_EQ(readPdf(pdfPath()).pages, 3);
        EXPECT_EQ(report.painted, (QList<int>{0, 1, 2}));
        EXPECT_EQ(report.startResolutions, (QList<int>{kDefaultResolution}));
        EXPECT_EQ(report.probed, (tellsCount ? QList<int>{} : QList<int>{0, 1, 2, 3}));
    }
}

TEST_F(PdfRenderTest, AReportWithoutPagesGivesOneBlankPageAndCountsNone) {
    PagedReport report(0, false);
    PrintTarget target;
    target.layout = report.pageLayout();
    int pages = -1;
    ASSERT_FALSE(RenderReportToPdf(report, pdfPath(), target, {}, &pages).isError());
    EXPECT_EQ(pages, 0);
    EXPECT_TRUE(report.painted.isEmpty());
}

TEST_F(PdfRenderTest, ReportErrorsReachTheCallerAndLeaveNoFile) {
    struct Case {
        const char* name;
        bool failStart;
        int failAt;
        int throwAt;
        long number;
    };
    const std::vector<Case> cases = {
        {"start fails", true, -1, -1, 1001},
        {"page 2 fails", false, 1, -1, 1002},
        {"page 3 throws", false, -1, 2, kErrPrinter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PagedReport report(5, false);
        report.failStart = c.failStart;
        report.failAtPage = c.failAt;
        report.throwAtPage = c.throwAt;
        PrintTarget target;
        target.layout = report.pageLayout();
        const StationError error = RenderReportToPdf(report, pdfPath(), target, {});
        EXPECT_EQ(error.number, c.number);
        EXPECT_FALSE(error.description.isEmpty());
        EXPECT_FALSE(QFile::exists(pdfPath()));
    }
}

TEST_F(PdfRenderTest, AnUnwritableFileIsError75) {
    PagedReport report(1);
    PrintTarget target;
    target.layout = report.pageLayout();
    const StationError error = RenderReportToPdf(
        report, m_dir.filePath(QStringLiteral("missing/folder/report.pdf")), target, {});
    EXPECT_EQ(error.number, kErrFileAccess);
}

class ReportPrintTest : public ::testing::Test {
protected:
    void SetUp() override { ZELKORA_REQUIRE_CUPS(); }
    CupsServer& cups() const { return *CupsServer::running(); }
};

TEST_F(ReportPrintTest, TheTargetTakesThePrintersPaperResolutionAndOrientation) {
    PagedReport report(1);
    report.layout = QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF());

    PrinterSettings settings;
    settings.deviceName = QStringLiteral("TwinOld");
    settings.paperSizeCode = QStringLiteral("w154h792");
    settings.paperBin = QStringLiteral("Right");
    PrintTarget target = ResolvePrintTarget(report, settings);
    EXPECT_EQ(target.resolution, 300);
    EXPECT_EQ(target.layout.orientation(), QPageLayout::Landscape);
    // The PPD gives the paper as 153.12 x 792 points.
    const QSizeF paper = target.layout.fullRect(QPageLayout::Point).size();
    EXPECT_NEAR(paper.width(), 792, 0.01);
    EXPECT_NEAR(paper.height(), 153.12, 0.01);
    EXPECT_EQ(target.jobOptions,
              (JobOptions{{QStringLiteral("PageSize"), QStringLiteral("w154h792")},
                          {QStringLiteral("InputSlot"), QStringLiteral("Right")}}));

    // A paper the printer does not offer keeps the report's own and is not asked for.
    settings.paperSizeCode = QStringLiteral("w1h1");
    settings.orientation = 1;
    target = ResolvePrintTarget(report, settings);
    EXPECT_EQ(target.layout.orientation(), QPageLayout::Portrait);
    EXPECT_EQ(target.layout.fullRectPoints().size(), QSize(612, 792));
    EXPECT_EQ(target.jobOptions,
              (JobOptions{{QStringLiteral("InputSlot"), QStringLiteral("Right")}}));
}

TEST_F(ReportPrintTest, JobsCarryTheRollAndPaperOfTheLabelType) {
    struct Case {
        const char* printer;
        int roll;
        int size;
        const char* inputSlot; // "" when the job has none
        const char* pageSize;
    };
    const std::vector<Case> cases = {
        {"TwinOld", 1, 1, "Left", "w167h288"},  {"TwinOld", 2, 2, "Right", "w154h792"},
        {"TwinOld", 0, 0, "Auto", ""},          {"Twin450", 1, 2, "Left", "w154h792"},
        {"Twin450", 2, 1, "Right", "w167h288"}, {"Plain", 1, 1, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.printer) + " " + std::to_string(c.roll) + "/" +
                     std::to_string(c.size));
        PrinterSettings settings;
        ASSERT_FALSE(LabelPrinterSettings(QString::fromLatin1(c.printer), c.roll, c.size, &settings)
                         .isError());
        PagedReport report(2);
        int job = 0;
        const StationError error =
            PrintReport(report, settings, QStringLiteral("Security Label"), &job);
        ASSERT_FALSE(error.isError()) << error.description.toStdString();
        ASSERT_GT(job, 0);
        EXPECT_EQ(report.startResolutions, (QList<int>{300}));

        const auto attributes = cups().jobAttributes(job);
        EXPECT_EQ(attributes.value(QStringLiteral("job-name")), QLatin1String("Security Label"));
        EXPECT_TRUE(
            attributes.value(QStringLiteral("job-printer-uri")).endsWith(QLatin1String(c.printer)));
        EXPECT_EQ(attributes.value(QStringLiteral("InputSlot")), QLatin1String(c.inputSlot));
        EXPECT_EQ(attributes.value(QStringLiteral("PageSize")), QLatin1String(c.pageSize));
    }
}

TEST_F(ReportPrintTest, FailuresPrintNothingAndReachTheCaller) {
    struct Case {
        const char* name;
        const char* printer;
        bool failStart;
        int failAt;
        long number;
    };
    const std::vector<Case> cases = {
        {"no printer chosen and no default", "", false, -1, kErrPrinterNotFound},
        {"printer not installed", "Gone", false, -1, kErrPrinterNotFound},
        {"report start fails", "TwinOld", true, -1, 1001},
        {"a page fails", "TwinOld", false, 1, 1002},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QList<int> before = cups().jobIds();
        PagedReport report(3);
        report.failStart = c.failStart;
        report.failAtPage = c.failAt;
        PrinterSettings settings;
        settings.deviceName = QString::fromLatin1(c.printer);
        int job = -1;
        EXPECT_EQ(PrintReport(report, settings, QStringLiteral("Report"), &job).number, c.number);
        EXPECT_EQ(job, 0);
        EXPECT_EQ(cups().jobIds(), before);
    }
}

TEST_F(ReportPrintTest, WithoutADeviceNameTheDefaultPrinterPrints) {
    // A queue of this test's own is the default while it lives; removing it clears the default.
    ASSERT_TRUE(
        cups().lpadmin({QStringLiteral("-p"), QStringLiteral("Standard"), QStringLiteral("-E"),
                        QStringLiteral("-v"), QStringLiteral("file:///dev/null"),
                        QStringLiteral("-m"), QStringLiteral("drv:///sample.drv/generic.ppd")}));
    ASSERT_TRUE(cups().lpadmin({QStringLiteral("-d"), QStringLiteral("Standard")}));
    PagedReport report(1);
    int job = 0;
    const StationError error = PrintReport(report, {}, QStringLiteral("Label Summary"), &job);
    const QString printerUri = cups().jobAttributes(job).value(QStringLiteral("job-printer-uri"));
    EXPECT_TRUE(cups().lpadmin({QStringLiteral("-x"), QStringLiteral("Standard")}));
    EXPECT_FALSE(DefaultQueue().has_value());
    ASSERT_FALSE(error.isError()) << error.description.toStdString();
    EXPECT_TRUE(printerUri.endsWith(QLatin1String("/Standard"))) << printerUri.toStdString();
}

TEST_F(ReportPrintTest, AReportWithoutPagesSubmitsNoJob) {
    const QList<int> before = cups().jobIds();
    PagedReport report(0, false);
    PrinterSettings settings;
    settings.deviceName = QStringLiteral("Plain");
    int job = -1;
    EXPECT_FALSE(PrintReport(report, settings, QStringLiteral("Report"), &job).isError());
    EXPECT_EQ(job, 0);
    EXPECT_EQ(cups().jobIds(), before);
}

TEST_F(ReportPrintTest, SavedPdfIsLaidOutAsItWouldPrint) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("label.pdf"));
    PagedReport report(2);
    PrinterSettings settings;
    ASSERT_FALSE(LabelPrinterSettings(QStringLiteral("TwinOld"), 1, 1, &settings).isError());
    ASSERT_FALSE(SaveReportAsPdf(report, settings, path, QStringLiteral("Label")).isError());
    const auto pdf = readPdf(path);
    EXPECT_EQ(pdf.pages, 2);
    EXPECT_NEAR(pdf.firstPagePoints.width(), kLabelLandscape.width(), 1.0);
    EXPECT_NEAR(pdf.firstPagePoints.height(), kLabelLandscape.height(), 1.0);
}
