#include "controls/picturebox/captionlayout.h"
#include "vitreltestsupport.h"

#include <QPoint>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace zelkora::controls::vitrel {
namespace {

struct LayoutCase {
    const char* name;
    double width;
    double height;
    CaptionBox line1;
    CaptionBox line2;
    QPoint expected1; // left, top
    QPoint expected2;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class AdjustLabelsTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(AdjustLabelsTest, PlacesCaptions) {
    const LayoutCase& c = GetParam();
    const CaptionPair result = AdjustLabels(c.width, c.height, {c.line1, c.line2});
    EXPECT_EQ(QPoint(result.line1.left, result.line1.top), c.expected1);
    EXPECT_EQ(QPoint(result.line2.left, result.line2.top), c.expected2);
    // Sizes and visibility are the captions' own business.
    EXPECT_EQ(result.line1.width, c.line1.width);
    EXPECT_EQ(result.line2.height, c.line2.height);
    EXPECT_EQ(result.line1.visible, c.line1.visible);
}

// Boxes: visible, width, height, left, top (twips). Initial positions 750/293 and 750/1133.
const std::vector<LayoutCase> layoutCases{
    {"BothLinesSquare",
     1500,
     1500,
     {true, 600, 195, 750, 293},
     {true, 600, 195, 750, 1133},
     {450, 375},
     {450, 930}},
    {"TallLine1RaisedByThirdOfLine2",
     1500,
     1500,
     {true, 600, 400, 750, 293},
     {true, 600, 195, 750, 1133},
     {450, 310},
     {450, 930}},
    {"Line1EndingExactlyOnMiddleIsRaised",
     1500,
     1500,
     {true, 600, 375, 750, 293},
     {true, 600, 195, 750, 1133},
     {450, 310},
     {450, 930}},
    {"Line1EndingJustAboveMiddleStays",
     1500,
     1500,
     {true, 600, 374, 750, 293},
     {true, 600, 195, 750, 1133},
     {450, 375},
     {450, 930}},
    {"OnlyLine2Centred",
     1500,
     1500,
     {false, 600, 195, 750, 293},
     {true, 600, 195, 750, 1133},
     {750, 293},
     {450, 652}},
    {"OnlyLine1Centred",
     1500,
     1500,
     {true, 600, 195, 750, 293},
     {false, 600, 195, 750, 1133},
     {450, 652},
     {750, 1133}},
    {"NeitherVisibleNothingMoves",
     1500,
     1500,
     {false, 600, 195, 750, 293},
     {false, 600, 195, 750, 1133},
     {750, 293},
     {750, 1133}},
    {"WideControl",
     2400,
     900,
     {true, 390, 195, 0, 0},
     {true, 1000, 300, 0, 0},
     {1005, 225},
     {700, 375}},
    {"OddSizesFloor", 1001, 1001, {true, 391, 200, 0, 0}, {false, 0, 0, 7, 9}, {305, 400}, {7, 9}},
    // A caption wider than the control: floor goes toward minus infinity, not toward zero.
    {"NegativeLeftFloorsDown",
     301,
     1500,
     {true, 600, 195, 0, 0},
     {true, 601, 195, 0, 0},
     {-150, 375},
     {-150, 930}},
    // Caption heights and the control's size count in whole twips, halves to even.
    {"FractionalLine2HeightRounded",
     1500,
     1500,
     {true, 600, 195, 0, 0},
     {true, 600, 195.4, 0, 0},
     {450, 375},
     {450, 930}},
    {"HalfTwipHeightRoundsToEven",
     1500,
     1500,
     {true, 600, 374.5, 0, 0},
     {true, 600, 195, 0, 0},
     {450, 375},
     {450, 930}},
    {"ControlSizeRounded",
     1499.6,
     1500.4,
     {true, 600, 195, 0, 0},
     {true, 600, 195, 0, 0},
     {450, 375},
     {450, 930}},
};

INSTANTIATE_TEST_SUITE_P(Cases, AdjustLabelsTest, ::testing::ValuesIn(layoutCases),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace zelkora::controls::vitrel
