#include "controls/autosize/fitfont.h"
#include "controls/autosize/screenmetrics.h"
#include "fakemeasurer.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zelkora::controls::fitfield {
namespace {

using test::FakeMeasurer;

TEST(TwipScale, FifteenTwipsPerPixelAtNinetySixDpi) {
    EXPECT_DOUBLE_EQ(twipsPerPixel(96), 15.0);
    EXPECT_DOUBLE_EQ(twipsPerPixel(144), 10.0);
    EXPECT_DOUBLE_EQ(twipsPerPixel(0), 15.0); // no answer from the device: assume 96 DPI
    EXPECT_EQ(roundTwips(419.5), 420);        // halves go to even
    EXPECT_EQ(roundTwips(420.5), 420);
}

struct AllowanceCase {
    const char* name;
    double twipsPerPixel;
    bool threeD;
    bool fixedSingle;
    bool scrollBars;
    int expected;
};

TEST(BorderAllowance, AddsTheBorderForEachFeature) {
    const std::vector<AllowanceCase> cases{
        {"default 3d single border", 15, true, true, false, 90},
        {"flat single border", 15, false, true, false, 60},
        {"flat without border", 15, false, false, false, 30},
        {"with a 16-pixel scroll bar", 15, true, true, true, 330},
        {"144 DPI", 10, true, true, false, 60},
        {"120 DPI", 12, true, true, false, 72},
    };
    for (const auto& c : cases) {
        ScreenMetrics metrics;
        metrics.twipsPerPixelX = c.twipsPerPixel;
        metrics.borderWidth = 1;
        metrics.scrollBarWidth = 16;
        EXPECT_EQ(BorderAllowance(metrics, c.threeD, c.fixedSingle, c.scrollBars), c.expected)
            << c.name;
    }
}

TEST(TextBoxLayout, TwoThousandBySixHundredTwipsLeavesEighteenTwentyByFourTwenty) {
    const TextBoxLayout layout = layoutTextBox(2000, 600, BorderAllowance({}, true, true, false));
    EXPECT_EQ(layout.fieldWidth, 1970);
    EXPECT_EQ(layout.fieldHeight, 570);
    EXPECT_EQ(layout.availableWidth, 1820);
    EXPECT_EQ(layout.availableHeight, 420);
}

struct MeasureCase {
    const char* name;
    QSizeF size;
    bool fits;
};

TEST(MeasureText, FitsOnlyWhenStrictlySmallerInWholeTwips) {
    const std::vector<MeasureCase> cases{
        {"smaller both ways", {1819, 419}, true},
        {"width equal", {1820, 100}, false},
        {"height equal", {100, 420}, false},
        {"width rounds up to equal", {1819.6, 100}, false},
        {"height half rounds to even, below", {100, 418.5}, true},
        {"height half rounds to even, equal", {100, 419.5}, false},
    };
    for (const auto& c : cases) {
        const FakeMeasurer measurer([&](const QString&, double) { return c.size; });
        EXPECT_EQ(MeasureText(measurer, QStringLiteral("x"), QFont(), 1820, 420), c.fits) << c.name;
    }
}

struct FitCase {
    const char* name;
    QString text;
    QString face;
    double minSize;
    double maxSize;
    int width;
    int height;
    FakeMeasurer::SizeFunction size;
    FakeMeasurer::GrantFunction grant;
    double expectedSize; // R; 0 when nothing is applied
    double expectedGranted;
    QList<double> expectedTries;
};

// Fits only at sizes of at least 50 points: lets a test tell the two ends of a reversed range
// apart.
QSizeF fitsFromFifty(const QString&, double size) {
    return size >= 50 ? QSizeF(10, 10) : QSizeF(1e6, 1e6);
}

QSizeF fitsNowhere(const QString&, double) {
    return {1e6, 1e6};
}

TEST(FitFont, ChoosesTheSizeAsTheHostExpects) {
    const QString arial = QStringLiteral("Arial");
    const QString word = QStringLiteral("Visitor"); // 84 twips wide and 23 high per point
    const std::vector<FitCase> cases{
        // 84 s < 1820 and 23 s < 420 hold below 18.26 points; 18.2421875 gives a height of
        // 419.57, which rounds to 420 and so does not fit.
        {"short word in 2,000 x 600 twips bisects to the largest fitting size tried",
         word,
         arial,
         2,
         200,
         1820,
         420,
         FakeMeasurer::proportional,
         nullptr,
         17.46875,
         17.46875,
         {200, 2, 101, 51.5, 26.75, 14.375, 20.5625, 17.46875, 19.015625, 18.2421875}},
        {"text that fits at the maximum takes the granted size, no bisection",
         QStringLiteral("A"),
         arial,
         2,
         199.9,
         100000,
         100000,
         FakeMeasurer::proportional,
         [](double requested) { return std::floor(requested * 2) / 2; },
         199.5,
         199.5,
         {199.9}},
        {"too small even for the minimum shows the minimum",
         word,
         arial,
         2,
         200,
         10,
         10,
         FakeMeasurer::proportional,
         nullptr,
         2,
         2,
         {200, 2}},
        {"range 2 to 3: 3 too big, 2 fits, no step runs and R stays 0",
         word,
         arial,
         2,
         3,
         200,
         420,
         FakeMeasurer::proportional,
         nullptr,
         0,
         0,
         {3, 2}},
        {"minimum above maximum, only the minimum fits: nothing applied",
         word,
         arial,
         50,
         20,
         1820,
         420,
         fitsFromFifty,
         nullptr,
         0,
         0,
         {20, 50}},
        {"minimum above maximum, neither fits: the minimum applied",
         word,
         arial,
         50,
         20,
         1820,
         420,
         fitsNowhere,
         nullptr,
         50,
         50,
         {20, 50}},
        {"empty text fits nothing",
         QString(),
         arial,
         2,
         200,
         1820,
         420,
         FakeMeasurer::proportional,
         nullptr,
         0,
         0,
         {}},
        {"empty face fits nothing",
         word,
         QString(),
         2,
         200,
         1820,
         420,
         FakeMeasurer::proportional,
         nullptr,
         0,
         0,
         {}},
        {"bisection result is granted again",
         word,
         arial,
         2,
         200,
         1820,
         420,
         FakeMeasurer::proportional,
         [](double requested) { return requested + 0.25; },
         17.46875,
         17.71875,
         {200, 2, 101, 51.5, 26.75, 14.375, 20.5625, 17.46875, 19.015625, 18.2421875}},
    };
    for (const auto& c : cases) {
        const FakeMeasurer measurer(c.size, c.grant);
        QFont font(QStringLiteral("Other"), 12);
        const FitResult result =
            FitFont(c.text, c.face, c.minSize, c.maxSize, c.width, c.height, font, measurer);
        EXPECT_DOUBLE_EQ(result.size, c.expectedSize) << c.name;
        EXPECT_EQ(result.applies(), c.expectedSize > 1) << c.name;
        if (result.applies()) {
            EXPECT_DOUBLE_EQ(result.grantedSize, c.expectedGranted) << c.name;
            EXPECT_DOUBLE_EQ(font.pointSizeF(), c.expectedSize) << c.name;
            EXPECT_EQ(font.family(), c.face) << c.name;
        }
        EXPECT_EQ(result.triedSizes, c.expectedTries) << c.name;
    }
}

TEST(FitFont, DefaultRangeBisectsInEightSteps) {
    // Any size that needs the bisection tries eight sizes between the two ends.
    for (const double limit : {3.0, 47.0, 120.0, 199.0}) {
        const FakeMeasurer measurer([&](const QString&, double size) {
            return size < limit ? QSizeF(1, 1) : QSizeF(9, 9);
        });
        QFont font;
        const FitResult result =
            FitFont(QStringLiteral("x"), QStringLiteral("Arial"), 2, 200, 5, 5, font, measurer);
        EXPECT_EQ(result.triedSizes.size(), 2 + 8) << limit;
        EXPECT_LT(result.size, limit);
        EXPECT_GT(result.size, limit - 1);
    }
}

TEST(FitFont, DamagedRangeBelowOnePointDoesNotReachQt) {
    // A property bag may hold 0 for the maximum; Qt rejects such a size, the fit must not
    // measure with whatever size the font had before.
    QList<double> measured;
    const FakeMeasurer measurer([&](const QString&, double size) {
        measured.append(size);
        return QSizeF(1, 1);
    });
    QFont font(QStringLiteral("Arial"), 40);
    const FitResult result =
        FitFont(QStringLiteral("x"), QStringLiteral("Arial"), 2, 0, 100, 100, font, measurer);
    EXPECT_EQ(measured, QList<double>{1.0});
    EXPECT_FALSE(result.applies());
}

} // namespace
} // namespace zelkora::controls::fitfield
