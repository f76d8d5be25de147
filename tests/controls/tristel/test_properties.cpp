#include "tristeltest.h"

#include <QSignalSpy>
#include <vector>

using namespace zelkora::controls;
using namespace zelkora::controls::test;

namespace {

TEST(HoverButtonProperties, DefaultsAreNotWritten) {
    HoverButton button;
    button.initProperties();
    PropertyBag bag;
    button.writeProperties(bag);
    EXPECT_TRUE(bag.names().isEmpty()) << bag.names().join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(button.backColorValue(), 0x8000000Fu);
    EXPECT_EQ(button.mousePointer(), 0);
}

TEST(HoverButtonProperties, RoundTripInThePersistedOrder) {
    HoverButton source;
    source.setImageOver(solidPicture(Qt::cyan));
    source.setImageOut(solidPicture(Qt::darkBlue, {30, 20}));
    source.setImageDown(solidPicture(Qt::darkRed));
    source.setMouseIcon(solidPicture(Qt::black, {16, 16}));
    source.setMousePointer(HoverButton::Custom);
    source.setBackColor(QColor(0x12, 0x34, 0x56));
    PropertyBag bag;
    source.writeProperties(bag);
    EXPECT_EQ(bag.names(), events({"ImageOver", "ImageOut", "ImageDown", "MouseIcon",
                                   "MousePointer", "BackColor"}));
    EXPECT_EQ(bag.read(QStringLiteral("BackColor"), {}).toUInt(), 0x563412u);

    HoverButton target;
    target.readProperties(bag);
    EXPECT_EQ(target.imageOver().toImage(), source.imageOver().toImage());
    EXPECT_EQ(target.imageOut().toImage(), source.imageOut().toImage());
    EXPECT_EQ(target.imageDown().toImage(), source.imageDown().toImage());
    EXPECT_EQ(target.mouseIcon().toImage(), source.mouseIcon().toImage());
    EXPECT_EQ(target.mousePointer(), 99);
    EXPECT_EQ(target.backColor(), QColor(0x12, 0x34, 0x56));
    // Reading shows ImageOut.
    EXPECT_EQ(target.shownPicture().toImage(), source.imageOut().toImage());

    PropertyBag again;
    target.writeProperties(again);
    EXPECT_EQ(again.names(), bag.names());
}

TEST(HoverButtonProperties, OnlyChangedPropertiesAreWritten) {
    HoverButton button;
    button.setImageDown(solidPicture(Qt::red));
    button.setMousePointer(HoverButton::Arrow);
    PropertyBag bag;
    button.writeProperties(bag);
    EXPECT_EQ(bag.names(), events({"ImageDown", "MousePointer"}));

    // Back to the defaults: the bag loses them again.
    button.setImageDown(QPixmap());
    button.setMousePointer(HoverButton::Default);
    button.setBackColorValue(HoverButton::defaultBackColor);
    button.writeProperties(bag);
    EXPECT_TRUE(bag.names().isEmpty());
}

TEST(HoverButtonProperties, UnusableBagValuesFallBackToDefaults) {
    struct Case {
        const char* name;
        QVariant value;
    };
    const std::vector<Case> cases = {
        {"MousePointer", QVariant(50)},
        {"MousePointer", QVariant(QStringLiteral("arrow"))},
        {"BackColor", QVariant(QStringLiteral("blue"))},
        {"BackColor", QVariant(qlonglong(-1))},
        {"ImageOut", QVariant(QByteArray("not a picture"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PropertyBag bag;
        bag.write(QString::fromLatin1(c.name), c.value, {});
        HoverButton button;
        button.readProperties(bag);
        PropertyBag written;
        button.writeProperties(written);
        EXPECT_TRUE(written.names().isEmpty());
    }
}

TEST(HoverButtonProperties, BagAcceptsPicturesAndColoursInMemory) {
    PropertyBag bag;
    bag.write(QStringLiteral("ImageOut"), solidPicture(Qt::green), {});
    bag.write(QStringLiteral("ImageOver"), solidPicture(Qt::blue).toImage(), {});
    bag.write(QStringLiteral("BackColor"), QColor(Qt::red), {});
    bag.write(QStringLiteral("MousePointer"), qint16(3), {});
    HoverButton button;
    button.readProperties(bag);
    EXPECT_FALSE(button.imageOut().isNull());
    EXPECT_FALSE(button.imageOver().isNull());
    EXPECT_EQ(button.backColorValue(), 0x0000FFu);
    EXPECT_EQ(button.mousePointer(), 3);
}

TEST(HoverButtonProperties, EveryAssignmentIsReportedUnderItsName) {
    HoverButton button;
    QSignalSpy changed(&button, &HoverButton::propertyChanged);
    button.setImageOver(QPixmap());
    button.setImageOut(QPixmap());
    button.setImageDown(QPixmap());
    button.setMouseIcon(QPixmap());
    button.setMousePointer(0);
    button.setBackColor(Qt::white);
    button.setMousePointer(42); // refused: not reported
    QStringList names;
    for (const QList<QVariant>& args : changed)
        names.append(args.at(0).toString());
    EXPECT_EQ(names, events({"ImageOver", "ImageOut", "ImageDown", "MouseIcon", "MousePointer",
                             "BackColor"}));
    EXPECT_EQ(button.mousePointer(), 0);
}

TEST(HoverButtonProperties, PropertiesAreReachableByName) {
    HoverButton button;
    for (const char* name :
         {"ImageOver", "ImageOut", "ImageDown", "MouseIcon", "MousePointer", "BackColor"}) {
        SCOPED_TRACE(name);
        EXPECT_GE(button.metaObject()->indexOfProperty(name), 0);
    }
    EXPECT_TRUE(button.setProperty("MousePointer", 7));
    EXPECT_EQ(button.property("MousePointer").toInt(), 7);
}

TEST(HoverButtonProperties, InitPropertiesEmptiesThePictures) {
    HoverButton button;
    button.setImageOut(solidPicture(Qt::red));
    button.setImageOver(solidPicture(Qt::red));
    button.setImageDown(solidPicture(Qt::red));
    button.initProperties();
    EXPECT_TRUE(button.imageOut().isNull());
    EXPECT_TRUE(button.imageOver().isNull());
    EXPECT_TRUE(button.imageDown().isNull());
}

TEST(HoverButtonMetadata, EventsByDispatchNumberAndDescriptions) {
    const QStringList expected = events(
        {"Click", "MouseOver", "MouseOut", "MouseDown", "MouseUp", "MouseHover", "DblClick"});
    for (int id = 1; id <= 7; ++id) {
        EXPECT_EQ(HoverButton::eventName(id), expected.at(id - 1));
        // Each names a signal of the button.
        const QMetaObject& meta = HoverButton::staticMetaObject;
        bool found = false;
        for (int i = 0; i < meta.methodCount(); ++i)
            found |= meta.method(i).methodType() == QMetaMethod::Signal &&
                     QString::fromLatin1(meta.method(i).name()) == expected.at(id - 1);
        EXPECT_TRUE(found) << id;
    }
    EXPECT_TRUE(HoverButton::eventName(0).isEmpty());
    EXPECT_TRUE(HoverButton::eventName(8).isEmpty());
    EXPECT_EQ(HoverButton::description(QStringLiteral("ImageOut")),
              QStringLiteral("Picture property for Button Out state."));
    EXPECT_EQ(HoverButton::description(QStringLiteral("Click")),
              QStringLiteral("Raised when Button is Clicked"));
    EXPECT_TRUE(HoverButton::description(QStringLiteral("Caption")).isEmpty());
}

} // namespace
