#include "controls/picturebox/surfacemask.h"
#include "controls/picturebox/vitrel.h"
#include "vitreltestsupport.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <vector>

namespace zelkora::controls::test {
namespace {

TEST(VitrelMask, OnlyPixelsAwayFromTheMaskColourShow) {
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(qRgb(255, 0, 255));
    image.setPixel(1, 1, qRgb(10, 20, 30));
    image.setPixel(2, 1, qRgba(10, 20, 30, 0));    // fully transparent: never shows
    image.setPixel(3, 2, qRgba(255, 0, 255, 128)); // the mask colour at any alpha
    image.setPixel(0, 2, qRgba(1, 2, 3, 40));
    const QRegion region = vitrel::opaqueRegion(image, qRgb(255, 0, 255));
    EXPECT_EQ(region, QRegion(1, 1, 1, 1) + QRegion(0, 2, 1, 1));
    EXPECT_TRUE(vitrel::opaqueRegion(QImage(), qRgb(0, 0, 0)).isEmpty());
}

// A host that counts the presses the control lets through.
class Host : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        ++presses;
        event->accept();
    }
};

class VitrelOnHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.resize(200, 200);
        control = new Vitrel(&host);
        control->setBorderStyle(Vitrel::NoBorder);
        control->setMaskColor(QColor(255, 0, 255));
        control->move(50, 50);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    // A click where the host window receives it, so Qt finds the widget under the point.
    void clickAt(QPoint hostPos) {
        QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, hostPos);
    }

    Host host;
    Vitrel* control = nullptr;
};

struct ClickThroughCase {
    const char* name;
    Vitrel::pbBackStyle style;
    QPoint hostPos;
    bool controlClicked;
};

void PrintTo(const ClickThroughCase& c, std::ostream* os) {
    *os << c.name;
}

class ClickThroughTest : public VitrelOnHostTest,
                         public ::testing::WithParamInterface<ClickThroughCase> {};

TEST_P(ClickThroughTest, MaskColourPixelsLetClicksThroughOnlyWhenTransparent) {
    const ClickThroughCase& c = GetParam();
    // 60 x 60 at (50, 50), its outer 8 pixels in the mask colour.
    control->setPicture(framedPicture({60, 60}, 8, QColor(255, 0, 255), Qt::darkGreen));
    control->setLine1Visible(false);
    control->setLine2Visible(false);
    ASSERT_TRUE(control->setBackStyle(c.style));
    QSignalSpy clicks(control, &Vitrel::Click);
    clickAt(c.hostPos);
    EXPECT_EQ(clicks.count(), c.controlClicked ? 1 : 0);
    EXPECT_EQ(host.presses, c.controlClicked ? 0 : 1);
}

const std::vector<ClickThroughCase> clickThroughCases{
    {"TransparentMaskPixel", Vitrel::Transparent, {53, 53}, false},
    {"TransparentPicturePixel", Vitrel::Transparent, {80, 80}, true},
    {"TransparentInnerEdge", Vitrel::Transparent, {58, 58}, true},
    {"TransparentJustOutsideInnerEdge", Vitrel::Transparent, {57, 80}, false},
    {"OpaqueMaskPixel", Vitrel::Opaque, {53, 53}, true},
    {"OutsideControl", Vitrel::Opaque, {45, 45}, false},
};

INSTANTIATE_TEST_SUITE_P(Points, ClickThroughTest, ::testing::ValuesIn(clickThroughCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(VitrelOnHostTest, WithoutAPictureOnlyTheCaptionsTakeClicks) {
    QSignalSpy clicks(control, &Vitrel::Click);
    const QLabel* line1 = caption(*control, 0);
    clickAt(control->mapTo(&host, line1->geometry().center()));
    EXPECT_EQ(clicks.count(), 1);
    clickAt(control->mapTo(&host, QPoint(2, 2)));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(host.presses, 1);

    control->setLine1Visible(false);
    control->setLine2Visible(false);
    clickAt(control->mapTo(&host, QPoint(2, 2)));
    EXPECT_EQ(host.presses, 2) << "nothing left to show: every click passes";
}

TEST_F(VitrelOnHostTest, ChangingTheMaskColourChangesWhatIsSeeThrough) {
    control->setPicture(framedPicture({60, 60}, 8, QColor(255, 0, 255), Qt::darkGreen));
    control->setLine1Visible(false);
    control->setLine2Visible(false);
    control->setMaskColor(Qt::darkGreen);
    QSignalSpy clicks(control, &Vitrel::Click);
    clickAt({53, 53});
    clickAt({80, 80});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(host.presses, 1);
}

TEST_F(VitrelOnHostTest, DesignModeKeepsTheWholeControlSelectable) {
    control->setPicture(framedPicture({60, 60}, 8, QColor(255, 0, 255), Qt::darkGreen));
    control->setDesignMode(true);
    EXPECT_TRUE(control->mask().isEmpty());
    control->setDesignMode(false);
    EXPECT_FALSE(control->mask().isEmpty());
}

TEST(VitrelClick, CaptionClickRaisesTheSameClick) {
    Vitrel control;
    control.setBackStyle(Vitrel::Opaque);
    QSignalSpy clicks(&control, &Vitrel::Click);
    QTest::mouseClick(caption(control, 0), Qt::LeftButton);
    QTest::mouseClick(caption(control, 1), Qt::LeftButton);
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicks.count(), 3);
}

TEST(VitrelClick, OnlyAPressAndReleaseOnTheSameElementClicks) {
    Vitrel control;
    control.setBackStyle(Vitrel::Opaque);
    QSignalSpy clicks(&control, &Vitrel::Click);
    QLabel* line1 = caption(control, 0);
    QTest::mousePress(line1, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseRelease(line1, Qt::LeftButton, {}, QPoint(-5, -5));
    QTest::mouseClick(line1, Qt::RightButton);
    QTest::mouseClick(&control, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicks.count(), 0);
}

TEST(VitrelClick, DoubleClickClicksOnce) {
    Vitrel control;
    control.setBackStyle(Vitrel::Opaque);
    QSignalSpy clicks(&control, &Vitrel::Click);
    // What a window system delivers for a double click.
    const QPointF pos(3, 3);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, pos, control.mapToGlobal(pos), Qt::LeftButton, held, {});
        QCoreApplication::sendEvent(&control, &event);
    }
    EXPECT_EQ(clicks.count(), 1);
}

struct MoveRecord {
    qint16 button = -1;
    qint16 shift = -1;
    float x = -1;
    float y = -1;
};

MoveRecord sendMove(Vitrel& control, QWidget* target, QPointF pos, Qt::MouseButtons buttons,
                    Qt::KeyboardModifiers modifiers) {
    MoveRecord record;
    const auto connection = QObject::connect(
        &control, &Vitrel::MouseMove, [&](qint16* button, qint16* shift, float* x, float* y) {
            record = {*button, *shift, *x, *y};
        });
    QMouseEvent event(QEvent::MouseMove, pos, target->mapToGlobal(pos), Qt::NoButton, buttons,
                      modifiers);
    QCoreApplication::sendEvent(target, &event);
    QObject::disconnect(connection);
    return record;
}

TEST(VitrelMouseMove, CoordinatesAreTwipsOfTheElementUnderTheMouse) {
    Vitrel control; // with its new control's one-pixel border
    ASSERT_EQ(control.logicalDpiX(), 96);

    const MoveRecord overCaption = sendMove(control, caption(control, 1), {3, 4}, Qt::LeftButton,
                                            Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(overCaption.x, 45.0f);
    EXPECT_EQ(overCaption.y, 60.0f);
    EXPECT_EQ(overCaption.button, 1);
    EXPECT_EQ(overCaption.shift, 5);

    const MoveRecord overSurface = sendMove(
        control, &control, {11, 21}, Qt::RightButton | Qt::MiddleButton, Qt::ControlModifier);
    EXPECT_EQ(overSurface.x, 150.0f) << "relative to the inside of the border";
    EXPECT_EQ(overSurface.y, 300.0f);
    EXPECT_EQ(overSurface.button, 6);
    EXPECT_EQ(overSurface.shift, 2);
}

// Keys with the text the platform gives them.
struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    int keyAscii; // 0: no KeyPress
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class KeyPressTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyPressTest, CharacterKeysRaiseKeyPress) {
    Vitrel control;
    std::vector<int> received;
    QObject::connect(&control, &Vitrel::KeyPress,
                     [&](qint16* keyAscii) { received.push_back(*keyAscii); });
    QTest::sendKeyEvent(QTest::Click, &control, GetParam().key, GetParam().text,
                        GetParam().modifiers);
    if (GetParam().keyAscii == 0)
        EXPECT_TRUE(received.empty());
    else
        EXPECT_EQ(received, std::vector<int>{GetParam().keyAscii});
}

const std::vector<KeyCase> keyCases{
    {"Return", Qt::Key_Return, {}, QStringLiteral("\r"), 13},
    {"ReturnWithoutText", Qt::Key_Return, {}, QString(), 13},
    {"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"), 13},
    {"Letter", Qt::Key_A, {}, QStringLiteral("a"), 'a'},
    {"ShiftedLetter", Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"), 'A'},
    {"Accented", Qt::Key_Eacute, {}, QString(QChar(0xE9)), 0xE9},
    {"Space", Qt::Key_Space, {}, QStringLiteral(" "), 32},
    {"Escape", Qt::Key_Escape, {}, QString(QChar(27)), 27},
    {"ArrowIsNoCharacter", Qt::Key_Left, {}, QString(), 0},
    {"FunctionKeyIsNoCharacter", Qt::Key_F5, {}, QString(), 0},
};

INSTANTIATE_TEST_SUITE_P(Keys, KeyPressTest, ::testing::ValuesIn(keyCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(VitrelFocus, TabReachesTheControlWhichTellsItsHost) {
    QWidget window;
    auto* field = new QLineEdit(&window);
    auto* first = new Vitrel(&window);
    auto* second = new Vitrel(&window);
    first->move(0, 40);
    second->move(0, 150);
    QSignalSpy firstGained(first, &Vitrel::focusGained);
    QSignalSpy firstLost(first, &Vitrel::focusLost);
    QSignalSpy secondGained(second, &Vitrel::focusGained);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    ASSERT_TRUE(field->hasFocus());

    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(firstGained.count(), 1);

    std::vector<int> keys;
    QObject::connect(first, &Vitrel::KeyPress,
                     [&](qint16* keyAscii) { keys.push_back(*keyAscii); });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(keys, std::vector<int>{13});

    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(second->hasFocus());
    EXPECT_EQ(firstLost.count(), 1);
    EXPECT_EQ(secondGained.count(), 1);
}

TEST(VitrelAccessibility, PushButtonNamedByItsVisibleCaptions) {
    Vitrel control;
    control.setLine1Caption(QStringLiteral("Visitor"));
    control.setLine2Caption(QStringLiteral("Check in"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&control);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Visitor Check in"));
    EXPECT_EQ(iface->childCount(), 0) << "the captions are part of the button";
    EXPECT_TRUE(iface->state().focusable);

    control.setLine2Visible(false);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Visitor"));
    control.setAccessibleName(QStringLiteral("Visitor badge"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Visitor badge"));
}

TEST(VitrelAccessibility, PressActionClicks) {
    Vitrel control;
    QSignalSpy clicks(&control, &Vitrel::Click);
    QAccessibleActionInterface* actions =
        QAccessible::queryAccessibleInterface(&control)->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 1);

    control.setEnabled(false);
    EXPECT_FALSE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
} // namespace zelkora::controls::test
