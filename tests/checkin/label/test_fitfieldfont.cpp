// The font fitting: the size search and its log with a measurer whose answers are known, and
// the fit decision with the font metrics of a real PDF writer.
#include "checkin/label/fitfieldfont.h"
#include "checkin/label/labelfonts.h"
#include "settings/settingsstore.h"
#include "support/testenv.h"

#include <QPdfWriter>
#include <QStringList>
#include <gtest/gtest.h>
#include <optional>

namespace zelkora::label {
namespace {

// Text `n` characters long is n * size * 10 twips wide and size * 20 twips high. The device may
// take a size other than the one asked for, and may fail to measure.
class FakeMeasurer final : public TextMeasurer {
public:
    std::optional<double> largestSize; // the device's limit
    bool fail = false;
    QStringList sizesSet;

    void setFontFace(const QString& name, bool bold, bool italic) override {
        m_font = {name, m_font.size, bold, italic};
    }
    void setFontSize(double points) override {
        m_font.size = largestSize && points > *largestSize ? *largestSize : points;
    }
    PrinterFont font() const override { return m_font; }
    bool measure(const QString& text, double* w, double* h, StationError* error) override {
        if (fail) {
            *error = {482, QStringLiteral("Printer error"), {}};
            return false;
        }
        *w = static_cast<double>(text.size()) * m_font.size * 10;
        *h = m_font.size * 20;
        return true;
    }

private:
    PrinterFont m_font;
};

QStringList texts(std::initializer_list<const char*> list) {
    QStringList result;
    for (const char* text : list)
        result.append(QString::fromUtf8(text));
    return result;
}

LabelField titleField() {
    LabelField f = SecurityLabelFields::design().txtBadgeName;
    f.text = QStringLiteral("ABCDEFGHIJ");
    return f;
}

class FitFieldFontTest : public test::StationTest {
protected:
    FakeMeasurer measurer;
    QStringList lines;
    FontFitter fitter{measurer, [this](const QString& line) { lines.append(line); }};

    // Fits `field` in the title's box of 5220 x 990 twips (trigger size 5020 x 960).
    void fit(LabelField& field, double width = 5220, double height = 990) {
        fitter.FitFieldFont(field, field.text, field.fontName, width, height);
    }
};

TEST_F(FitFieldFontTest, TextFitsOnlyWhenStrictlySmaller) {
    // "ABCDEFGHIJ" at 10 pt: 1000 x 200 twips.
    measurer.setFontSize(10);
    const struct {
        double width, height;
        bool fits;
    } cases[] = {{1001, 201, true},
                 {1000, 201, false},
                 {1001, 200, false},
                 {999, 300, false},
                 {2000, 199, false}};
    for (const auto& c : cases) {
        long w = 0;
        long h = 0;
        EXPECT_EQ(fitter.TextFits(QStringLiteral("ABCDEFGHIJ"), c.width, c.height, &w, &h), c.fits)
            << c.width << " x " << c.height;
        EXPECT_EQ(w, 1000);
        EXPECT_EQ(h, 200);
    }
    EXPECT_EQ(lines.mid(0, 7),
              (texts({"Entering TextFits.", "TextFits sText: ABCDEFGHIJ", "TextFits lWidth: 1001",
                      "TextFits lHeight: 201", "TextFits lThisWidthTwips: 1000",
                      "TextFits lThisHeightTwips: 200", "Leaving  TextFits."})));
}

TEST_F(FitFieldFontTest, FailedMeasurementDoesNotFit) {
    measurer.fail = true;
    long w = 7;
    long h = 7;
    EXPECT_FALSE(fitter.TextFits(QStringLiteral("A"), 1e6, 1e6, &w, &h));
    EXPECT_TRUE(lines.contains(QStringLiteral("An Error (482) happened in TextFits.")));
    EXPECT_FALSE(lines.contains(QStringLiteral("Leaving  TextFits.")));

    LabelField field = titleField();
    fit(field);
    EXPECT_EQ(field.fontSize, 2); // nothing fits, so the smallest size is used
}

struct SizeCase {
    const char* label;
    QString text;
    double tag = 0;
    std::optional<double> largestSize;
    double expectedSize;
    int expectedRounds;
    double boxHeight = 990;
};

TEST_F(FitFieldFontTest, ChoosesTheLargestSizeThatFits) {
    const std::vector<SizeCase> cases = {
        // 10 characters fit below 48 pt (the height): the search narrows down from 101.
        {"search", QStringLiteral("ABCDEFGHIJ"), 0, {}, 47.6328125, 9},
        // One character at 200 pt: 2000 x 4000 twips.
        {"fits at the maximum", QStringLiteral("A"), 0, {}, 200, 0, 4031},
        {"fits at the maximum the device takes", QStringLiteral("A"), 0, 144, 144, 0, 4031},
        {"too long even at the minimum", QString(600, QLatin1Char('x')), 0, {}, 2, 0},
        // 200 characters fit below 2.51 pt: at the minimum but at no size the search tries.
        {"fits at the minimum only keeps the design size",
         QString(200, QLatin1Char('x')),
         0,
         {},
         30,
         9},
        {"fixed size that fits", QStringLiteral("ABCDEFGHIJ"), 20, {}, 20, 0},
        {"fixed size that does not fit", QStringLiteral("ABCDEFGHIJ"), 60, {}, 47.6328125, 9},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.label);
        measurer.largestSize = c.largestSize;
        LabelField field = titleField();
        field.text = c.text;
        field.tag = c.tag;
        fit(field, 5220, c.boxHeight);
        EXPECT_DOUBLE_EQ(field.fontSize, c.expectedSize);
        EXPECT_EQ(fitter.lastLoopCount(), c.expectedRounds);
        EXPECT_EQ(field.fontName, QStringLiteral("Arial Black"));
    }
}

TEST_F(FitFieldFontTest, LogsTheSearch) {
    LabelField field = titleField();
    fit(field);
    const QStringList head = lines.mid(0, 10);
    EXPECT_EQ(head,
              (texts({"***", "***", "***", "***",
                      "About to set font size for control txtBadgeName with Text of "
                      "ABCDEFGHIJ",
                      "Font Name is Arial Black", "Font Bold is False", "Font Italic is False",
                      "Did not try fixed font size.", "About to try m_MaxFontSize."})));
    const QStringList expected = texts(
        {"Max Font size did not work", "About to try m_MinFontSize.",
         "*****************************", "Block size is 5220 x 990", "Trigger size is 5020 x 960",
         "mThisTryMin, mThisTryMaxsize, mThisTryis :2, 200, 101",
         "Fit BAD.  mThisTryMax too high, setting mThisTryMax to 101",
         "Tried FontSize of 101 with Width TWIPS of 10100 & Height TWIPS of 2020.",
         "mThisTryMin, mThisTryMaxsize, mThisTryis :2, 101, 51.5",
         "mThisTryMin, mThisTryMaxsize, mThisTryis :2, 51.5, 26.75",
         "Fit OK.  mThisTryMin too low, setting mThisTryMin to 26.75",
         "mThisTryMin, mThisTryMaxsize, mThisTryis :26.75, 51.5, 39.125",
         "Min. Increment Size found.  Exiting Loop***********************",
         "XAbout to set Printer.Font.Size to 47.6328125",
         "XJust set Printer.Font.Size to 47.6328125 but font size actually set to 47.6328125",
         "Loopcount in autosize is 9"});
    qsizetype from = 0;
    for (const QString& line : expected) {
        const qsizetype at = lines.indexOf(line, from);
        ASSERT_GE(at, 0) << qPrintable(line);
        from = at + 1;
    }
    EXPECT_EQ(lines.last(), QStringLiteral("Loopcount in autosize is 9"));
}

TEST_F(FitFieldFontTest, FixedSizeLogLines) {
    LabelField field = titleField();
    field.tag = 60;
    fit(field);
    EXPECT_TRUE(lines.contains(QStringLiteral(
        "Tried Fixed FontSize of 60 with Width TWIPS of 6000 & Height TWIPS of 1200.")));
    EXPECT_TRUE(
        lines.contains(QStringLiteral("Fixed size specified but did not fit, continuing scale.")));
    lines.clear();
    field = titleField();
    field.tag = 20;
    fit(field);
    EXPECT_TRUE(lines.contains(QStringLiteral("Fixed size specified and used.")));
    EXPECT_FALSE(lines.contains(QStringLiteral("About to try m_MaxFontSize.")));
}

TEST_F(FitFieldFontTest, SettingsAreReadAndWrittenBack) {
    LabelField field = titleField();
    field.text.clear();
    fit(field);
    // An empty text stops before the margins are read.
    EXPECT_EQ(GetSetting(QStringLiteral("m_MaxFontSize")), QStringLiteral("200"));
    EXPECT_EQ(GetSetting(QStringLiteral("m_MinFontSize")), QStringLiteral("2"));
    EXPECT_EQ(GetSetting(QStringLiteral("FontMarginX"), QStringLiteral("absent")),
              QStringLiteral("absent"));
    EXPECT_TRUE(field.text.isEmpty());
    EXPECT_EQ(field.fontSize, 30);

    SaveSetting(QStringLiteral("m_MaxFontSize"), QStringLiteral("40"));
    SaveSetting(QStringLiteral("m_MinFontSize"), QStringLiteral("a lot"));
    SaveSetting(QStringLiteral("FontMarginX"), QStringLiteral("20"));
    field = titleField();
    fit(field, 1220);
    // 10 characters at 40 pt are 4000 twips wide: the search starts at 21 pt.
    EXPECT_EQ(GetSetting(QStringLiteral("m_MaxFontSize")), QStringLiteral("40"));
    EXPECT_EQ(GetSetting(QStringLiteral("m_MinFontSize")), QStringLiteral("2"));
    EXPECT_EQ(GetSetting(QStringLiteral("FontMarginX")), QStringLiteral("20"));
    EXPECT_EQ(GetSetting(QStringLiteral("FontMarginY")), QStringLiteral("30"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Trigger size is 1200 x 960")));
    EXPECT_TRUE(
        lines.contains(QStringLiteral("mThisTryMin, mThisTryMaxsize, mThisTryis :2, 40, 21")));
}

TEST_F(FitFieldFontTest, EmptyFontNameEmptiesTheField) {
    LabelField field = titleField();
    fitter.FitFieldFont(field, field.text, QString(), 5220, 990);
    EXPECT_TRUE(field.text.isEmpty());
    EXPECT_TRUE(lines.isEmpty());
}

TEST_F(FitFieldFontTest, TitleIsNeverItalic) {
    for (const char* name : {"txtBadgeName", "txtName"}) {
        LabelField field = titleField();
        field.name = QString::fromLatin1(name);
        field.italic = true;
        field.bold = true;
        fit(field);
        const bool isTitle = field.name == QLatin1String("txtBadgeName");
        EXPECT_EQ(field.italic, !isTitle) << name;
        EXPECT_TRUE(field.bold);
    }
}

// The same decisions with the metrics of the PDF writer the label is printed through.
class RealMetricsTest : public test::StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        InstallLabelFontSubstitutes();
        writer.emplace(root() + QStringLiteral("/measure.pdf"));
        writer->setResolution(1200);
    }
    std::optional<QPdfWriter> writer;
    QStringList lines;
};

TEST_F(RealMetricsTest, ExactlyAsWideDoesNotFit) {
    DeviceTextMeasurer measurer(&*writer);
    FontFitter fitter(measurer, [this](const QString& l) { lines.append(l); });
    measurer.setFontFace(QStringLiteral("Arial Black"), false, false);
    measurer.setFontSize(30);
    long w = 0;
    long h = 0;
    fitter.TextFits(QStringLiteral("VISITOR"), 1e6, 1e6, &w, &h);
    ASSERT_GT(w, 1000);
    ASSERT_GT(h, 500);
    long w2 = 0;
    long h2 = 0;
    EXPECT_FALSE(fitter.TextFits(QStringLiteral("VISITOR"), static_cast<double>(w),
                                 static_cast<double>(h) + 100, &w2, &h2));
    EXPECT_FALSE(fitter.TextFits(QStringLiteral("VISITOR"), static_cast<double>(w) + 100,
                                 static_cast<double>(h), &w2, &h2));
    EXPECT_TRUE(fitter.TextFits(QStringLiteral("VISITOR"), static_cast<double>(w) + 1,
                                static_cast<double>(h) + 1, &w2, &h2));
    EXPECT_EQ(w2, w);
    // Two lines are twice as high and as wide as the wider one.
    fitter.TextFits(QStringLiteral("VISITOR\nVISITOR"), 1e6, 1e6, &w2, &h2);
    EXPECT_EQ(w2, w);
    EXPECT_NEAR(static_cast<double>(h2), 2.0 * static_cast<double>(h), 2);
}

TEST_F(RealMetricsTest, FittedSizeIsTheLargestWithinOnePoint) {
    DeviceTextMeasurer measurer(&*writer);
    FontFitter fitter(measurer, [this](const QString& l) { lines.append(l); });
    const struct {
        const char* text;
        double width, height;
    } cases[] = {{"VISITOR", 5220, 990},
                 {"Northwind Engineering", 5220, 540},
                 {"Visiting Researcher, Advanced Materials Laboratory", 3150, 1530}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        LabelField field = SecurityLabelFields::design().txtBadgeName;
        field.text = QString::fromLatin1(c.text);
        fitter.FitFieldFont(field, field.text, field.fontName, c.width, c.height);
        long w = 0;
        long h = 0;
        measurer.setFontSize(field.fontSize);
        EXPECT_TRUE(fitter.TextFits(field.text, c.width - 200, c.height - 30, &w, &h));
        measurer.setFontSize(field.fontSize + 1);
        EXPECT_FALSE(fitter.TextFits(field.text, c.width - 200, c.height - 30, &w, &h));
    }
}

} // namespace
} // namespace zelkora::label
