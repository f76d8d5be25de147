// The label as it comes out of the PDF writer, read back with poppler's pdftotext and pdftoppm:
// positions on the page, not the layout code's own numbers.
#include "app/core/log.h"
#include "labeltest.h"
#include "settings/settingsstore.h"
#include "support/testenv.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

using test::FindWord;
using test::PdfWord;

// Points on the page of a vertical twip position of the detail section (which starts 139
// twips down the label).
double pageY(double sectionTwips) {
    return (sectionTwips + 139) / 20;
}

class SecurityLabelPdfTest : public test::StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        QDir().mkpath(stationDir());
        QImage portrait(300, 400, QImage::Format_RGB32);
        portrait.fill(QColor(255, 0, 0));
        photo = stationDir() + QStringLiteral("photo.png");
        ASSERT_TRUE(portrait.save(photo));
    }

    static clsReportInfo visitor() {
        clsReportInfo info;
        info.BadgeID = 17;
        info.PersonsName = QStringLiteral("Ada Byron");
        info.CompanyName = QStringLiteral("Northwind");
        info.BadgeName = QStringLiteral("VISITOR");
        info.PrintedInfo1 = QStringLiteral("Host Grace");
        info.PrintedInfo2 = QStringLiteral("Lab four");
        info.PrintDate = QDateTime(QDate(2010, 12, 3), QTime(21, 5, 7));
        return info;
    }

    // Renders `info` to a PDF of its own and returns its path.
    QString render(const clsReportInfo& info, const QImage& logo = {}) {
        const QString path = root() + QStringLiteral("/label%1.pdf").arg(++m_count);
        rptSecurityLabel report(info);
        report.setLogo(logo);
        report.setLogSink([](const QString&) {});
        const StationError error = test::RenderReportPdf(report, path);
        EXPECT_FALSE(error.isError()) << qPrintable(error.description);
        EXPECT_EQ(report.copyCounter(), 0);
        return path;
    }

    // Bounds in page pixels of the pixels close to `colour` on page 1 at 144 dpi.
    static QRect colourBounds(const QString& pdf, QColor colour) {
        const QImage page = test::PdfPageImage(pdf, 144);
        EXPECT_FALSE(page.isNull());
        QRect bounds;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                if (qAbs(c.red() - colour.red()) < 40 && qAbs(c.green() - colour.green()) < 40 &&
                    qAbs(c.blue() - colour.blue()) < 40)
                    bounds |= QRect(x, y, 1, 1);
            }
        }
        return bounds;
    }

    static double lineCentreX(const QList<PdfWord>& words, const QString& first,
                              const QString& last) {
        const PdfWord* a = FindWord(words, first);
        const PdfWord* b = FindWord(words, last);
        EXPECT_TRUE(a && b);
        return a && b ? (a->xMin + b->xMax) / 2 : 0;
    }

    QString photo;

private:
    int m_count = 0;
};

TEST_F(SecurityLabelPdfTest, EveryCopyIsALandscapeLabelPageAndAllAreAlike) {
    clsReportInfo info = visitor();
    info.PersonsName.clear();
    info.BadgeID = 0;
    info.PrintedInfo1.clear();
    info.BadgeCount = 3;
    const QString pdf = render(info);
    const QList<QSizeF> pages = test::PdfPageSizes(pdf);
    ASSERT_EQ(pages.size(), 3);
    for (const QSizeF& page : pages) {
        EXPECT_NEAR(page.width(), 288, 0.5);  // 4 in across
        EXPECT_NEAR(page.height(), 167, 0.5); // 2.32 in
    }
    QList<QList<PdfWord>> byPage(3);
    for (const PdfWord& w : test::PdfWords(pdf))
        byPage[w.page].append(w);
    ASSERT_FALSE(byPage[0].isEmpty());
    for (int p = 1; p < 3; ++p) {
        ASSERT_EQ(byPage[p].size(), byPage[0].size()) << p;
        for (qsizetype i = 0; i < byPage[0].size(); ++i) {
            EXPECT_EQ(byPage[p][i].text, byPage[0][i].text);
            EXPECT_DOUBLE_EQ(byPage[p][i].yMin, byPage[0][i].yMin);
            EXPECT_DOUBLE_EQ(byPage[p][i].xMax, byPage[0][i].xMax);
        }
    }
}

TEST_F(SecurityLabelPdfTest, HiddenNameMovesTheTitleUp) {
    const QList<PdfWord> named = test::PdfWords(render(visitor()));
    clsReportInfo info = visitor();
    info.PersonsName.clear();
    info.BadgeID = 0;
    const QList<PdfWord> nameless = test::PdfWords(render(info));

    ASSERT_TRUE(FindWord(named, QStringLiteral("Byron")));
    ASSERT_TRUE(FindWord(named, QStringLiteral("17")));
    const PdfWord* before = FindWord(named, QStringLiteral("VISITOR"));
    const PdfWord* after = FindWord(nameless, QStringLiteral("VISITOR"));
    ASSERT_TRUE(before && after);
    EXPECT_LT(after->yMin, before->yMin - 5);
    EXPECT_GT(after->yMin, pageY(530) - 1); // still inside the name's former place
    EXPECT_EQ(FindWord(nameless, QStringLiteral("Byron")), nullptr);
    EXPECT_EQ(FindWord(nameless, QStringLiteral("ID")), nullptr);
    // Without a logo strip the date is centred across the whole line.
    EXPECT_NEAR(lineCentreX(nameless, QStringLiteral("12/03/2010"), QStringLiteral("PM")), 144,
                1.5);
    EXPECT_LT(lineCentreX(named, QStringLiteral("12/03/2010"), QStringLiteral("PM")), 100);
}

TEST_F(SecurityLabelPdfTest, BothInfosEmptyGrowTitleAndPicture) {
    clsReportInfo info = visitor();
    info.ImagePath = photo;
    const QString withInfos = render(info);
    info.PrintedInfo1.clear();
    info.PrintedInfo2.clear();
    const QString withoutInfos = render(info);

    const QList<PdfWord> beforeWords = test::PdfWords(withInfos);
    const PdfWord* before = FindWord(beforeWords, QStringLiteral("VISITOR"));
    const QList<PdfWord> afterWords = test::PdfWords(withoutInfos);
    const PdfWord* after = FindWord(afterWords, QStringLiteral("VISITOR"));
    ASSERT_TRUE(before && after);
    EXPECT_GT(after->yMax, before->yMax + 5);
    EXPECT_EQ(FindWord(afterWords, QStringLiteral("Lab")), nullptr);

    // The portrait fills the picture's height: 1440 twips, then 1980 (10 twips a pixel).
    const QRect small = colourBounds(withInfos, Qt::red);
    const QRect large = colourBounds(withoutInfos, Qt::red);
    EXPECT_NEAR(small.height(), 144, 2);
    EXPECT_NEAR(large.height(), 198, 2);
    EXPECT_NEAR(small.top(), (490 + 139) / 10, 2);
    EXPECT_NEAR(large.top(), (490 + 139) / 10, 2);
}

TEST_F(SecurityLabelPdfTest, OnlySecondInfoMovesUp) {
    const QList<PdfWord> both = test::PdfWords(render(visitor()));
    clsReportInfo info = visitor();
    info.PrintedInfo1.clear();
    const QList<PdfWord> second = test::PdfWords(render(info));

    const PdfWord* first = FindWord(both, QStringLiteral("Grace"));
    const PdfWord* before = FindWord(both, QStringLiteral("Lab"));
    const PdfWord* after = FindWord(second, QStringLiteral("Lab"));
    ASSERT_TRUE(first && before && after);
    EXPECT_LT(after->centerY(), before->centerY() - 3);
    // It takes both lines' place: centred between where the two lines were.
    EXPECT_NEAR(after->centerY(), pageY(1970 + 270), 2);
    EXPECT_NEAR(first->centerY(), pageY(1970 + 135), 2);
    EXPECT_EQ(FindWord(second, QStringLiteral("Grace")), nullptr);
}

TEST_F(SecurityLabelPdfTest, MissingPictureKeepsTheFullWidth) {
    clsReportInfo info = visitor();
    info.ImagePath = photo;
    const QString shown = render(info);
    info.ImagePath = stationDir() + QStringLiteral("gone.jpg");
    const QString missing = render(info);

    const QList<PdfWord> shownWords = test::PdfWords(shown);
    const QList<PdfWord> missingWords = test::PdfWords(missing);
    const PdfWord* narrow = FindWord(shownWords, QStringLiteral("VISITOR"));
    const PdfWord* wide = FindWord(missingWords, QStringLiteral("VISITOR"));
    ASSERT_TRUE(narrow && wide);
    EXPECT_NEAR(narrow->centerX(), (270 + 3420) / 2.0 / 20, 1.5);
    EXPECT_NEAR(wide->centerX(), (270 + 5490) / 2.0 / 20, 1.5);
    EXPECT_LT(narrow->xMax, 3420 / 20.0);
    EXPECT_TRUE(colourBounds(missing, Qt::red).isEmpty());
    EXPECT_FALSE(colourBounds(shown, Qt::red).isEmpty());
}

TEST_F(SecurityLabelPdfTest, FittedTextsStayInsideTheirBoxes) {
    clsReportInfo info = visitor();
    info.CompanyName = QStringLiteral("Northwind Engineering and Precision Tooling");
    info.BadgeName = QStringLiteral("Guest Researcher, Advanced Materials Laboratory");
    info.ImagePath = photo;
    const QList<PdfWord> words = test::PdfWords(render(info));
    const PdfWord* companyFirst = FindWord(words, QStringLiteral("Northwind"));
    const PdfWord* companyLast = FindWord(words, QStringLiteral("Tooling"));
    const PdfWord* titleFirst = FindWord(words, QStringLiteral("Guest"));
    const PdfWord* titleLast = FindWord(words, QStringLiteral("Laboratory"));
    ASSERT_TRUE(companyFirst && companyLast && titleFirst && titleLast);
    // One line each, no wider than the box less the margin.
    EXPECT_DOUBLE_EQ(companyFirst->yMin, companyLast->yMin);
    EXPECT_DOUBLE_EQ(titleFirst->yMin, titleLast->yMin);
    EXPECT_LT(companyLast->xMax - companyFirst->xMin, (5220 - 200) / 20.0);
    EXPECT_LT(titleLast->xMax - titleFirst->xMin, (3150 - 200) / 20.0);
    EXPECT_GT(titleLast->xMax - titleFirst->xMin,
              (3150 - 200) / 20.0 * 0.8); // within the search's last point
}

TEST_F(SecurityLabelPdfTest, LogoStripAndTheCentredDate) {
    QImage strip(440, 51, QImage::Format_RGB32); // the strip's proportions
    strip.fill(QColor(0, 0, 255));
    clsReportInfo info = visitor();
    info.BadgeID = 0;
    const QString pdf = render(info, strip);
    const QRect logo = colourBounds(pdf, Qt::blue);
    EXPECT_NEAR(logo.left(), 240, 2);
    EXPECT_NEAR(logo.top(), (2750 + 139) / 10, 2);
    EXPECT_NEAR(logo.width(), 220, 2);
    const QList<PdfWord> words = test::PdfWords(pdf);
    const PdfWord* last = FindWord(words, QStringLiteral("PM"));
    ASSERT_TRUE(last);
    EXPECT_LT(last->xMax, 2400 / 20.0);
    EXPECT_NEAR(lineCentreX(words, QStringLiteral("12/03/2010"), QStringLiteral("PM")),
                (270 + 2400) / 2.0 / 20, 1.5);
}

TEST_F(SecurityLabelPdfTest, UnreadablePictureEndsThePrint) {
    clsReportInfo info = visitor();
    info.ImagePath = stationDir() + QStringLiteral("broken.jpg");
    writeFile(info.ImagePath, "no picture here");
    rptSecurityLabel report(info);
    report.setLogSink([](const QString&) {});
    const StationError error = test::RenderReportPdf(report, root() + QStringLiteral("/x.pdf"));
    EXPECT_EQ(error.number, 481);
}

TEST_F(SecurityLabelPdfTest, FittingWritesTheDiagnosticLog) {
    writeFile(LogFilePath(), {});
    ASSERT_TRUE(StartLog());
    rptSecurityLabel report(visitor());
    report.setLogo({});
    ASSERT_FALSE(test::RenderReportPdf(report, root() + QStringLiteral("/log.pdf")).isError());
    ResetLog();
    const QString log = QString::fromUtf8(readFile(LogFilePath()));
    EXPECT_TRUE(log.contains(
        QStringLiteral("About to set font size for control txtBadgeName with Text of VISITOR,")));
    EXPECT_TRUE(log.contains(QStringLiteral("Loopcount in autosize is ")));
    EXPECT_EQ(GetSetting(QStringLiteral("FontMarginY")), QStringLiteral("30"));
}

} // namespace
} // namespace zelkora
