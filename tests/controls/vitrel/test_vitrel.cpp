#include "controls/picturebox/vitrel.h"
#include "vitreltestsupport.h"

#include <QMetaProperty>
#include <QSignalSpy>
#include <functional>
#include <vector>

namespace zelkora::controls::test {
namespace {

const QPoint initial1(750, 293);
const QPoint initial2(750, 1133);
const QPoint laidOut1(450, 375);
const QPoint laidOut2(450, 930);

TEST(VitrelCreated, StartsAsANewControl) {
    Vitrel control;
    EXPECT_TRUE(control.autoSize());
    EXPECT_TRUE(control.autoAdjustLabels());
    EXPECT_EQ(control.borderStyle(), Vitrel::FixedSingle);
    EXPECT_EQ(control.backStyle(), Vitrel::Transparent);
    EXPECT_EQ(control.line1Caption(), QStringLiteral("Line1"));
    EXPECT_EQ(control.line2Caption(), QStringLiteral("Line2"));
    EXPECT_EQ(control.captionPosition(0), initial1);
    EXPECT_EQ(control.captionPosition(1), initial2);
    EXPECT_EQ(control.maskColorOle(), Vitrel::ButtonFace);
    EXPECT_EQ(control.line1ForeColorOle(), Vitrel::ButtonText);
    EXPECT_EQ(control.focusPolicy(), Qt::StrongFocus);
    EXPECT_NE(control.findChild<QLabel*>(QStringLiteral("Picture1")), nullptr);
    EXPECT_TRUE(control.findChild<QLabel*>(QStringLiteral("Picture1"))->isHidden());
}

TEST_F(MeasuredVitrelTest, InitialCaptionsStandAtTheirTwipPositions) {
    // 750 / 15 = 50; 293 / 15 = 19.53 and 1133 / 15 = 75.53 round to whole pixels.
    EXPECT_EQ(caption(control, 0)->pos(), QPoint(50, 20));
    EXPECT_EQ(caption(control, 1)->pos(), QPoint(50, 76));
}

TEST_F(MeasuredVitrelTest, BothLinesOnASquareControl) {
    control.setLine1Caption(QStringLiteral("Visitor"));
    EXPECT_EQ(control.captionPosition(0), laidOut1);
    EXPECT_EQ(control.captionPosition(1), laidOut2);
    EXPECT_EQ(caption(control, 0)->pos(), QPoint(30, 25));
    EXPECT_EQ(caption(control, 1)->pos(), QPoint(30, 62));
}

TEST_F(MeasuredVitrelTest, OnlyLine2VisibleIsCentred) {
    control.setLine1Visible(false);
    EXPECT_EQ(control.captionPosition(1), QPoint(450, 652));
    EXPECT_EQ(control.captionPosition(0), initial1);
    EXPECT_EQ(caption(control, 1)->pos(), QPoint(30, 43));
}

TEST_F(MeasuredVitrelTest, CaptionOfHiddenLineMovesNothingUntilItIsShown) {
    control.setLine1Visible(false);
    const QPoint line2 = control.captionPosition(1);
    control.setLine1Caption(QStringLiteral("Contractor"));
    EXPECT_EQ(control.captionPosition(0), initial1);
    EXPECT_EQ(control.captionPosition(1), line2);
    control.setLine1Visible(true);
    EXPECT_EQ(control.captionPosition(0), laidOut1);
    EXPECT_EQ(control.captionPosition(1), laidOut2);
}

TEST_F(MeasuredVitrelTest, BorderMovesCaptionsByItsWidthNotTheirTwips) {
    control.setLine1Caption(QStringLiteral("Visitor"));
    control.setBorderStyle(Vitrel::FixedSingle);
    EXPECT_EQ(control.captionPosition(0), laidOut1);
    EXPECT_EQ(caption(control, 0)->pos(), QPoint(31, 26));
}

// Which changes run the caption layout. Each case starts with the captions at their initial
// positions; a layout puts them at 375 / 930.
struct TriggerCase {
    const char* name;
    bool autoAdjustLabels;
    std::function<void(Vitrel&)> change;
    bool laysOut;
};

void PrintTo(const TriggerCase& c, std::ostream* os) {
    *os << c.name;
}

class LayoutTriggerTest : public MeasuredVitrelTest,
                          public ::testing::WithParamInterface<TriggerCase> {};

TEST_P(LayoutTriggerTest, RunsLayoutOnlyWhereItShould) {
    const TriggerCase& c = GetParam();
    control.setAutoSize(false);
    control.setAutoAdjustLabels(c.autoAdjustLabels);
    c.change(control);
    const bool moved = control.captionPosition(0) != initial1;
    EXPECT_EQ(moved, c.laysOut);
    if (c.laysOut) {
        EXPECT_EQ(control.captionPosition(0), laidOut1);
        EXPECT_EQ(control.captionPosition(1), laidOut2);
    } else {
        EXPECT_EQ(control.captionPosition(1), initial2);
    }
}

QImage somePicture() {
    return framedPicture({100, 100}, 0, Qt::magenta, Qt::darkCyan);
}

const std::vector<TriggerCase> triggerCases{
    {"PictureWithAutoAdjust", true, [](Vitrel& v) { v.setPicture(somePicture()); }, true},
    {"PictureWithoutAutoAdjust", false, [](Vitrel& v) { v.setPicture(somePicture()); }, false},
    {"Line1Caption", false, [](Vitrel& v) { v.setLine1Caption(QStringLiteral("A")); }, true},
    {"Line2Caption", false, [](Vitrel& v) { v.setLine2Caption(QStringLiteral("B")); }, true},
    {"Line1Font", false, [](Vitrel& v) { v.setLine1Font(QFont(v.font().family(), 14)); }, true},
    {"Line2Font", false, [](Vitrel& v) { v.setLine2Font(QFont(v.font().family(), 14)); }, true},
    {"Line1VisibleUnchanged", false, [](Vitrel& v) { v.setLine1Visible(true); }, true},
    {"Line2VisibleUnchanged", false, [](Vitrel& v) { v.setLine2Visible(true); }, true},
    {"Line1ForeColor", true, [](Vitrel& v) { v.setLine1ForeColor(Qt::red); }, false},
    {"Line2ForeColor", true, [](Vitrel& v) { v.setLine2ForeColorOle(0xFF); }, false},
    {"BackStyle", true, [](Vitrel& v) { v.setBackStyle(Vitrel::Opaque); }, false},
    {"BorderStyle", true, [](Vitrel& v) { v.setBorderStyle(Vitrel::FixedSingle); }, false},
    {"MaskColor", true, [](Vitrel& v) { v.setMaskColor(Qt::green); }, false},
    {"AutoSize", true, [](Vitrel& v) { v.setAutoSize(true); }, false},
    {"AutoAdjustLabels", true, [](Vitrel& v) { v.setAutoAdjustLabels(true); }, false},
    {"Enabled", true, [](Vitrel& v) { v.setEnabled(false); }, false},
    {"MousePointer", true, [](Vitrel& v) { v.setMousePointer(11); }, false},
    {"MouseIcon", true, [](Vitrel& v) { v.setMouseIcon(QPixmap::fromImage(somePicture())); },
     false},
    {"ResizedByHost", true, [](Vitrel& v) { v.resize(200, 60); }, false},
};

INSTANTIATE_TEST_SUITE_P(Triggers, LayoutTriggerTest, ::testing::ValuesIn(triggerCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(MeasuredVitrelTest, AutoSizeTakesThePicturesNaturalSizeAndLaysOutOnIt) {
    control.setPicture(framedPicture({100, 80}, 0, Qt::magenta, Qt::darkCyan));
    EXPECT_EQ(control.size(), QSize(100, 80));
    // 1,500 x 1,200 twips: line 1 on the quarter line, line 2 ending on the three-quarter line.
    EXPECT_EQ(control.captionPosition(0), QPoint(450, 300));
    EXPECT_EQ(control.captionPosition(1), QPoint(450, 705));
}

TEST_F(MeasuredVitrelTest, WithoutAutoSizeTheControlKeepsItsSize) {
    control.resize(150, 120);
    control.setAutoSize(false);
    control.setPicture(framedPicture({100, 80}, 0, Qt::magenta, Qt::darkCyan));
    EXPECT_EQ(control.size(), QSize(150, 120));
    EXPECT_EQ(control.sizeHint(), QSize(100, 80));
}

TEST_F(MeasuredVitrelTest, ClearingThePictureDoesNotCollapseTheControl) {
    control.setPicture(framedPicture({100, 80}, 0, Qt::magenta, Qt::darkCyan));
    control.setPicture(QPixmap());
    EXPECT_TRUE(control.picture().isNull());
    EXPECT_EQ(control.size(), QSize(100, 80));
}

TEST(VitrelSetters, AutoFlagsOnlyStoreTheFlag) {
    Vitrel control;
    control.resize(123, 45);
    control.setAutoSize(false);
    control.setAutoSize(true);
    control.setAutoAdjustLabels(true);
    EXPECT_EQ(control.size(), QSize(123, 45));
    EXPECT_EQ(control.captionPosition(0), initial1);
}

TEST(VitrelSetters, EverySetterTellsTheHost) {
    Vitrel control;
    QSignalSpy changed(&control, &Vitrel::propertyChanged);
    control.setLine1Caption(QStringLiteral("Visitor"));
    control.setPicture(somePicture());
    control.setBackStyle(Vitrel::Opaque);
    control.setEnabled(false);
    ASSERT_EQ(changed.count(), 4);
    EXPECT_EQ(changed.at(0).at(0).toString(), QStringLiteral("Line1Caption"));
    EXPECT_EQ(changed.at(1).at(0).toString(), QStringLiteral("Picture"));
    EXPECT_EQ(changed.at(2).at(0).toString(), QStringLiteral("BackStyle"));
    EXPECT_EQ(changed.at(3).at(0).toString(), QStringLiteral("Enabled"));
}

TEST(VitrelSetters, CaptionsAreNeverMarkup) {
    Vitrel control;
    control.setLine1Caption(QStringLiteral("<b>Visitor</b>"));
    EXPECT_EQ(caption(control, 0)->textFormat(), Qt::PlainText);
    EXPECT_EQ(control.line1Caption(), QStringLiteral("<b>Visitor</b>"));
}

TEST(VitrelSetters, CaptionFollowsTheHostFontUntilGivenItsOwn) {
    QWidget host;
    auto* control = new Vitrel(&host);
    QFont big = host.font();
    big.setPointSize(30);
    const int before = caption(*control, 0)->height();
    host.setFont(big);
    EXPECT_EQ(control->line1Font().pointSize(), 30);
    EXPECT_GT(caption(*control, 0)->height(), before) << "the caption sizes itself to its font";
    EXPECT_EQ(control->captionPosition(0), initial1) << "a font change by the host moves nothing";

    QFont own = big;
    own.setPointSize(9);
    control->setLine1Font(own);
    host.setFont(QFont(big.family(), 20));
    EXPECT_EQ(control->line1Font().pointSize(), 9);
}

TEST(VitrelSetters, ForeColoursKeepSystemColoursAndAcceptPlainOnes) {
    Vitrel control;
    EXPECT_EQ(control.line1ForeColor(), colorFromOle(Vitrel::ButtonText));
    control.setLine2ForeColor(QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(control.line2ForeColorOle(), 0x563412u);
    EXPECT_EQ(caption(control, 1)->palette().color(QPalette::Active, QPalette::WindowText),
              QColor(0x12, 0x34, 0x56));
}

struct RefusalCase {
    const char* name;
    std::function<bool(Vitrel&)> set;
    int error;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedSetterTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedSetterTest, ReportsTheErrorAndKeepsTheValue) {
    Vitrel control;
    const QVariant before = control.property(GetParam().name);
    EXPECT_FALSE(GetParam().set(control));
    EXPECT_EQ(control.lastError().number, GetParam().error);
    EXPECT_EQ(control.property(GetParam().name), before);
}

const std::vector<RefusalCase> refusalCases{
    {"ImageIndex",
     [](Vitrel& v) {
         v.show(); // loading is over
         return v.setImageIndex(3);
     },
     382},
    {"MousePointer", [](Vitrel& v) { return v.setMousePointer(16); }, 380},
    {"BackStyle", [](Vitrel& v) { return v.setBackStyle(static_cast<Vitrel::pbBackStyle>(2)); },
     380},
    {"BorderStyle",
     [](Vitrel& v) { return v.setBorderStyle(static_cast<Vitrel::pbBorderstyle>(-1)); }, 380},
};

INSTANTIATE_TEST_SUITE_P(Refusals, RefusedSetterTest, ::testing::ValuesIn(refusalCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(VitrelImageIndex, RefusedAtRunTimeOnceShown) {
    Vitrel control;
    control.show();
    EXPECT_FALSE(control.setImageIndex(3));
    EXPECT_EQ(control.lastError().number, 382);
    EXPECT_EQ(control.lastError().description,
              QStringLiteral("Let/Set not supported at run time."));
    EXPECT_EQ(control.imageIndex(), 0);

    // Through the property system, as a host binding by name does.
    control.setProperty("ImageIndex", 4);
    EXPECT_EQ(control.imageIndex(), 0);
    EXPECT_EQ(control.lastError().number, 382);
}

// A form's setup code sets its design-time values before the form is first shown, with
// design mode off; hiding the form again does not reopen loading.
TEST(VitrelImageIndex, AllowedWhileLoadingUntilFirstShown) {
    QWidget form;
    auto* control = new Vitrel(&form);
    EXPECT_TRUE(control->setImageIndex(3));
    EXPECT_EQ(control->imageIndex(), 3);
    EXPECT_EQ(control->lastError().number, 0);
    EXPECT_FALSE(control->setImageIndex(70000)) << "still a 16-bit value";
    EXPECT_EQ(control->lastError().number, 6);

    form.show();
    form.hide();
    EXPECT_FALSE(control->setImageIndex(4));
    EXPECT_EQ(control->lastError().number, 382);
    EXPECT_EQ(control->imageIndex(), 3);
}

TEST(VitrelImageIndex, AllowedInDesignMode) {
    Vitrel control;
    control.setDesignMode(true);
    EXPECT_TRUE(control.setImageIndex(-7));
    EXPECT_EQ(control.imageIndex(), -7);
    EXPECT_EQ(control.lastError().number, 0);
    EXPECT_FALSE(control.setImageIndex(40000)) << "a 16-bit value";
    EXPECT_EQ(control.lastError().number, 6);
    EXPECT_EQ(control.imageIndex(), -7);
}

TEST(VitrelIdentifiers, EveryPropertyHasItsDispatchIdentifier) {
    const QMetaObject& meta = Vitrel::staticMetaObject;
    QStringList declared;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        declared.append(QLatin1String(meta.property(i).name()));
    ASSERT_EQ(declared.size(), 18);
    for (const QString& name : declared) {
        const auto id = Vitrel::dispatchIdOf(name);
        ASSERT_TRUE(id.has_value()) << name.toStdString();
        EXPECT_EQ(Vitrel::propertyForDispatchId(*id), name);
    }
    // The numbers run down the interface from 17.
    for (int i = 0; i < declared.size(); ++i)
        EXPECT_EQ(*Vitrel::dispatchIdOf(declared.at(i)), 0x68030000 + 17 - i);
    EXPECT_EQ(Vitrel::propertyForDispatchId(0x6803000B), QStringLiteral("Picture"));
    EXPECT_TRUE(Vitrel::propertyForDispatchId(0x68030012).isEmpty());
    EXPECT_FALSE(Vitrel::dispatchIdOf(QStringLiteral("enabled")).has_value());
    EXPECT_EQ(Vitrel::eventForDispatchId(3), QStringLiteral("Click"));
    EXPECT_EQ(Vitrel::eventForDispatchId(1), QStringLiteral("KeyPress"));
}

TEST(VitrelIdentifiers, ClassIdentifiersAreMetadata) {
    const QMetaObject& meta = Vitrel::staticMetaObject;
    const int index = meta.indexOfClassInfo("ClassID");
    ASSERT_GE(index, 0);
    EXPECT_STREQ(meta.classInfo(index).value(), "{A623C3BC-68E0-455C-AED4-8B7D5139F924}");
    EXPECT_STREQ(meta.classInfo(meta.indexOfClassInfo("ProgID")).value(), "VitrelLib.Vitrel");
}

} // namespace
} // namespace zelkora::controls::test
