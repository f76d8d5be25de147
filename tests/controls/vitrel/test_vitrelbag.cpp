#include "controls/picturebox/vitrel.h"
#include "vitreltestsupport.h"

#include <QSignalSpy>

namespace zelkora::controls::test {
namespace {

const QPoint initial1(750, 293);
const QPoint initial2(750, 1133);

TEST(VitrelBag, NewControlWritesOnlyWhatDiffersFromTheDefaults) {
    Vitrel control;
    PropertyBag bag;
    control.saveProperties(bag);
    // A new control has a border; the saved default is none.
    EXPECT_EQ(bag.names(), QStringList{QStringLiteral("BorderStyle")});
    EXPECT_EQ(bag.read(QStringLiteral("BorderStyle"), 0).toInt(), 1);
}

TEST(VitrelBag, EmptyBagGivesTheDefaults) {
    QWidget host;
    auto* control = new Vitrel(&host);
    control->setLine1Caption(QStringLiteral("Old"));
    control->setLine1Font(QFont(host.font().family(), 30));
    control->setMaskColor(Qt::red);
    ASSERT_TRUE(control->loadProperties(PropertyBag()));

    EXPECT_TRUE(control->isEnabled());
    EXPECT_EQ(control->borderStyle(), Vitrel::NoBorder);
    EXPECT_EQ(control->maskColorOle(), Vitrel::ButtonFace);
    EXPECT_EQ(control->mousePointer(), 0);
    EXPECT_TRUE(control->picture().isNull());
    EXPECT_EQ(control->line1Caption(), QStringLiteral("Line1"));
    EXPECT_EQ(control->line2Caption(), QStringLiteral("Line2"));
    EXPECT_EQ(control->line1ForeColorOle(), Vitrel::ButtonText);
    EXPECT_TRUE(control->line1Visible());
    EXPECT_TRUE(control->autoSize());
    EXPECT_EQ(control->backStyle(), Vitrel::Transparent);
    EXPECT_TRUE(control->autoAdjustLabels());
    EXPECT_EQ(control->imageIndex(), 0);
    EXPECT_EQ(control->captionPosition(0), initial1);
    // An absent font is the host's ambient font, and keeps following it.
    EXPECT_EQ(control->line1Font(), host.font());
    host.setFont(QFont(host.font().family(), 17));
    EXPECT_EQ(control->line1Font().pointSize(), 17);
}

// Every property away from its default, in a control that has been laid out.
void changeEverything(Vitrel& control) {
    control.setDesignMode(true);
    ASSERT_TRUE(control.setImageIndex(5));
    control.setEnabled(false);
    ASSERT_TRUE(control.setBorderStyle(Vitrel::FixedSingle));
    control.setMouseIcon(QPixmap::fromImage(framedPicture({16, 16}, 2, Qt::white, Qt::black)));
    control.setMaskColor(QColor(255, 0, 255));
    ASSERT_TRUE(control.setMousePointer(99));
    control.setPicture(framedPicture({64, 48}, 4, QColor(255, 0, 255), Qt::darkBlue));
    control.setLine1Caption(QStringLiteral("Visitor"));
    control.setLine1ForeColor(Qt::yellow);
    control.setLine1Font(QFont(control.font().family(), 15, QFont::Bold));
    control.setLine1Visible(false);
    control.setLine2Caption(QStringLiteral("Check-in"));
    control.setLine2Font(QFont(control.font().family(), 11));
    control.setLine2ForeColorOle(0x80000008);
    control.setLine2Visible(false);
    control.setAutoSize(false);
    ASSERT_TRUE(control.setBackStyle(Vitrel::Opaque));
    control.setAutoAdjustLabels(false);
}

TEST(VitrelBag, WritesInLoadOrderWithTheVisibilityFlagsLast) {
    Vitrel control;
    changeEverything(control);
    PropertyBag bag;
    control.saveProperties(bag);
    // The second writes of Line1Visible and Line2Visible replace the first ones.
    const QStringList expected{QStringLiteral("Enabled"),          QStringLiteral("BorderStyle"),
                               QStringLiteral("MouseIcon"),        QStringLiteral("MaskColor"),
                               QStringLiteral("MousePointer"),     QStringLiteral("Picture"),
                               QStringLiteral("Line1Caption"),     QStringLiteral("Line1ForeColor"),
                               QStringLiteral("Line1Font"),        QStringLiteral("Line2Caption"),
                               QStringLiteral("Line2Font"),        QStringLiteral("Line2ForeColor"),
                               QStringLiteral("AutoSize"),         QStringLiteral("BackStyle"),
                               QStringLiteral("AutoAdjustLabels"), QStringLiteral("Line1Visible"),
                               QStringLiteral("Line2Visible"),     QStringLiteral("ImageIndex")};
    EXPECT_EQ(bag.names(), expected);
    EXPECT_EQ(bag.read(QStringLiteral("MaskColor"), 0).toUInt(), 0xFF00FFu);
    EXPECT_EQ(bag.read(QStringLiteral("Line2ForeColor"), 0).toUInt(), 0x80000008u)
        << "system colours are saved as such";
}

TEST(VitrelBag, RoundTripRestoresEveryProperty) {
    Vitrel source;
    changeEverything(source);
    PropertyBag bag;
    source.saveProperties(bag);

    Vitrel loaded; // run time: ImageIndex still comes back from the bag
    ASSERT_TRUE(loaded.loadProperties(bag)) << loaded.lastError().description.toStdString();
    EXPECT_EQ(loaded.imageIndex(), 5);
    EXPECT_FALSE(loaded.isEnabled());
    EXPECT_EQ(loaded.borderStyle(), Vitrel::FixedSingle);
    EXPECT_EQ(loaded.mouseIcon().size(), QSize(16, 16));
    EXPECT_EQ(loaded.maskColor(), QColor(255, 0, 255));
    EXPECT_EQ(loaded.mousePointer(), 99);
    EXPECT_EQ(loaded.picture().toImage(), source.picture().toImage());
    EXPECT_EQ(loaded.line1Caption(), QStringLiteral("Visitor"));
    EXPECT_EQ(loaded.line1ForeColor(), QColor(Qt::yellow));
    EXPECT_EQ(loaded.line1Font(), source.line1Font());
    EXPECT_FALSE(loaded.line1Visible());
    EXPECT_EQ(loaded.line2Caption(), QStringLiteral("Check-in"));
    EXPECT_EQ(loaded.line2Font().pointSize(), 11);
    EXPECT_EQ(loaded.line2ForeColorOle(), 0x80000008u);
    EXPECT_FALSE(loaded.line2Visible());
    EXPECT_FALSE(loaded.autoSize());
    EXPECT_EQ(loaded.backStyle(), Vitrel::Opaque);
    EXPECT_FALSE(loaded.autoAdjustLabels());

    PropertyBag again;
    loaded.saveProperties(again);
    EXPECT_EQ(again.names(), bag.names());
}

TEST_F(MeasuredVitrelTest, LoadingReadsThePictureWithTheAutoFlagsStillOff) {
    PropertyBag bag;
    bag.write(QStringLiteral("Picture"),
              QPixmap::fromImage(framedPicture({64, 48}, 0, Qt::magenta, Qt::darkCyan)),
              QVariant());
    bag.write(QStringLiteral("AutoSize"), true, false);
    bag.write(QStringLiteral("AutoAdjustLabels"), true, false);
    control.resize(120, 90);
    control.setLine1Caption(QStringLiteral("laid out before loading"));
    ASSERT_NE(control.captionPosition(0), initial1);

    QSignalSpy changed(&control, &Vitrel::propertyChanged);
    ASSERT_TRUE(control.loadProperties(bag));
    EXPECT_EQ(control.size(), QSize(120, 90)) << "loading does not resize";
    EXPECT_EQ(control.captionPosition(0), initial1) << "loading does not lay out";
    EXPECT_EQ(control.captionPosition(1), initial2);
    EXPECT_TRUE(control.autoSize());
    EXPECT_TRUE(control.autoAdjustLabels());
    EXPECT_EQ(changed.count(), 0) << "nothing to save after a load";

    // The first run-time change applies the flags.
    control.setPicture(framedPicture({100, 100}, 0, Qt::magenta, Qt::darkCyan));
    EXPECT_EQ(control.size(), QSize(100, 100));
    EXPECT_EQ(control.captionPosition(0), QPoint(450, 375));
}

TEST(VitrelBag, LoadedLongCaptionExtendsRightFromTheInitialPosition) {
    Vitrel control;
    PropertyBag bag;
    bag.write(QStringLiteral("Line1Caption"), QStringLiteral("A much longer first caption"),
              QStringLiteral("Line1"));
    ASSERT_TRUE(control.loadProperties(bag));
    QLabel* line1 = caption(control, 0);
    EXPECT_EQ(control.captionPosition(0), initial1);
    EXPECT_EQ(line1->pos(), QPoint(50, 20));
    EXPECT_GT(line1->width(), caption(control, 1)->width());
}

TEST(VitrelBag, AcceptsImagesAndColoursAsHostsStoreThem) {
    Vitrel control;
    PropertyBag bag;
    bag.write(QStringLiteral("Picture"), framedPicture({30, 20}, 0, Qt::red, Qt::blue), QVariant());
    bag.write(QStringLiteral("MaskColor"), QColor(Qt::red), QVariant());
    ASSERT_TRUE(control.loadProperties(bag));
    EXPECT_EQ(control.picture().size(), QSize(30, 20));
    EXPECT_EQ(control.maskColorOle(), 0x0000FFu);
}

TEST(VitrelBag, RefusedValueIsReportedAndTheRestStillLoads) {
    Vitrel control;
    PropertyBag bag;
    bag.write(QStringLiteral("MousePointer"), 42, 0);
    bag.write(QStringLiteral("Line2Caption"), QStringLiteral("Contractor"),
              QStringLiteral("Line2"));
    EXPECT_FALSE(control.loadProperties(bag));
    EXPECT_EQ(control.lastError().number, 380);
    EXPECT_EQ(control.mousePointer(), 0);
    EXPECT_EQ(control.line2Caption(), QStringLiteral("Contractor"));
}

} // namespace
} // namespace zelkora::controls::test
