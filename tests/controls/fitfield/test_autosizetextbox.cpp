#include "controls/autosize/autosizetextbox.h"
#include "controls/common/propertybag.h"
#include "fakemeasurer.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace zelkora::controls {
namespace {

using test::FakeMeasurer;

ScreenMetrics at96Dpi() {
    ScreenMetrics metrics;
    metrics.twipsPerPixelX = 15;
    metrics.twipsPerPixelY = 15;
    metrics.borderWidth = 1;
    metrics.scrollBarWidth = 16;
    return metrics;
}

// A control on its own host window, measuring with the fake metrics at 15 twips per pixel.
// 134 x 40 pixels are 2,010 x 600 twips: SW 1,980, SH 570, WA 1,830, HA 420.
class AutoSizeTextboxTest : public ::testing::Test {
protected:
    void SetUp() override {
        box = new AutoSizeTextbox(&host);
        box->setScreenMetrics(at96Dpi());
        auto measurer = std::make_unique<FakeMeasurer>();
        fake = measurer.get();
        box->setTextMeasurer(std::move(measurer));
        box->setGeometry(0, 0, 134, 40);
        host.resize(200, 100);
        host.show(); // a hidden widget gets its resize events only when shown
    }

    double fieldSize() const { return box->textField()->font().pointSizeF(); }

    void showAndActivate() {
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    }

    QWidget host;
    AutoSizeTextbox* box = nullptr;
    FakeMeasurer* fake = nullptr;
};

TEST_F(AutoSizeTextboxTest, InnerFieldStandsFifteenTwipsIn) {
    box->setText(QStringLiteral("Visitor"));
    EXPECT_EQ(box->textField()->geometry(), QRect(1, 1, 132, 38));
    EXPECT_EQ(box->textField()->objectName(), QStringLiteral("Text1"));
}

TEST_F(AutoSizeTextboxTest, TextChangeFitsBeforeChangeIsRaised) {
    double sizeSeenByHandler = 0;
    int changes = 0;
    QObject::connect(box, &AutoSizeTextbox::Change, [&] {
        ++changes;
        sizeSeenByHandler = fieldSize();
    });
    box->setText(QStringLiteral("Visitor"));
    // 84 s < 1830 and 23 s < 420: the bisection's largest fitting try is 17.46875.
    EXPECT_DOUBLE_EQ(fieldSize(), 17.46875);
    EXPECT_DOUBLE_EQ(sizeSeenByHandler, 17.46875);
    EXPECT_EQ(changes, 1);

    box->setText(QStringLiteral("Visitor from the north")); // 264 s < 1830: below 6.93 points
    EXPECT_LT(fieldSize(), 6.93);
    EXPECT_GT(fieldSize(), 6);
    EXPECT_EQ(changes, 2);
}

TEST_F(AutoSizeTextboxTest, ResizeRefits) {
    box->setText(QStringLiteral("Visitor"));
    const double before = fieldSize();
    box->resize(67, 40);
    EXPECT_LT(fieldSize(), before);
    EXPECT_EQ(box->textField()->geometry(), QRect(1, 1, 65, 38));
}

TEST_F(AutoSizeTextboxTest, EmptyTextKeepsTheFont) {
    box->setText(QStringLiteral("Visitor"));
    const int measured = fake->calls;
    box->setText(QString());
    EXPECT_DOUBLE_EQ(fieldSize(), 17.46875);
    EXPECT_EQ(fake->calls, measured);
}

TEST_F(AutoSizeTextboxTest, NarrowRangeWithoutAFittingTryKeepsThePreviousSize) {
    box->setText(QStringLiteral("Visitor"));
    box->setMinFontSize(2);
    box->setMaxFontSize(3);
    // 24 pixels leave WA 180: 3 points (252 twips) do not fit, 2 points (168) do, and with
    // hi - lo = 1 no bisection step runs.
    box->resize(24, 40);
    EXPECT_DOUBLE_EQ(fieldSize(), 17.46875) << "R stays 0: the field keeps its previous size";
    // 20 pixels leave WA 120: not even the minimum fits, so the minimum is shown.
    box->resize(20, 40);
    EXPECT_DOUBLE_EQ(fieldSize(), 2);
}

struct SetterCase {
    const char* name;
    void (AutoSizeTextbox::*setter)(int);
    int (AutoSizeTextbox::*getter)() const;
    int put;
    int stored;
};

TEST_F(AutoSizeTextboxTest, SizeSettersCorrectValuesBelowTwo) {
    const std::vector<SetterCase> cases{
        {"maximum 0", &AutoSizeTextbox::setMaxFontSize, &AutoSizeTextbox::MaxFontSize, 0, 200},
        {"maximum 1", &AutoSizeTextbox::setMaxFontSize, &AutoSizeTextbox::MaxFontSize, 1, 200},
        {"maximum -7", &AutoSizeTextbox::setMaxFontSize, &AutoSizeTextbox::MaxFontSize, -7, 200},
        {"maximum 2", &AutoSizeTextbox::setMaxFontSize, &AutoSizeTextbox::MaxFontSize, 2, 2},
        {"maximum 72", &AutoSizeTextbox::setMaxFontSize, &AutoSizeTextbox::MaxFontSize, 72, 72},
        {"minimum 1", &AutoSizeTextbox::setMinFontSize, &AutoSizeTextbox::MinFontSize, 1, 2},
        {"minimum 0", &AutoSizeTextbox::setMinFontSize, &AutoSizeTextbox::MinFontSize, 0, 2},
        {"minimum 2", &AutoSizeTextbox::setMinFontSize, &AutoSizeTextbox::MinFontSize, 2, 2},
        {"minimum 300, above the maximum", &AutoSizeTextbox::setMinFontSize,
         &AutoSizeTextbox::MinFontSize, 300, 300},
    };
    for (const auto& c : cases) {
        AutoSizeTextbox control;
        QStringList notified;
        QObject::connect(&control, &AutoSizeTextbox::propertyChanged,
                         [&](const QString& name) { notified.append(name); });
        (control.*c.setter)(c.put);
        EXPECT_EQ((control.*c.getter)(), c.stored) << c.name;
        EXPECT_EQ(notified.size(), 1) << c.name;
    }
}

TEST_F(AutoSizeTextboxTest, SizeRangeTakesEffectAtTheNextFit) {
    box->setText(QStringLiteral("Visitor"));
    box->setMaxFontSize(10);
    EXPECT_DOUBLE_EQ(fieldSize(), 17.46875);
    box->setText(QStringLiteral("Visitors"));
    EXPECT_DOUBLE_EQ(fieldSize(), 10);
}

TEST_F(AutoSizeTextboxTest, FontPutCopiesBoldItalicAndFaceOnly) {
    box->setText(QStringLiteral("Visitor"));
    const QFont before = box->Font();

    QFont put(QStringLiteral("Liberation Serif"), 24);
    put.setBold(true);
    put.setItalic(true);
    put.setUnderline(true);
    put.setStrikeOut(true);
    box->putFont(put);

    const QFont font = box->Font();
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_EQ(font.family(), QStringLiteral("Liberation Serif"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), before.pointSizeF());
    EXPECT_EQ(font.underline(), before.underline());
    EXPECT_EQ(font.strikeOut(), before.strikeOut());

    // The put refits at once: bold text at the fitted size, not at 24 points.
    const QFont field = box->textField()->font();
    EXPECT_TRUE(field.bold());
    EXPECT_TRUE(field.italic());
    EXPECT_EQ(field.family(), QStringLiteral("Liberation Serif"));
    EXPECT_DOUBLE_EQ(field.pointSizeF(), 17.46875);
    EXPECT_FALSE(field.underline());
}

TEST_F(AutoSizeTextboxTest, FontWithoutFaceKeepsTheTextAndStillFits) {
    // Qt's default font names no family; it means the default face, and the person's text
    // must never be wiped because of it.
    QFont faceless;
    faceless.setFamily(QString());
    box->putFont(faceless);
    box->setText(QStringLiteral("Visitor"));
    EXPECT_EQ(box->Text(), QStringLiteral("Visitor"));
    EXPECT_DOUBLE_EQ(fieldSize(), 17.46875);
}

TEST_F(AutoSizeTextboxTest, NewInstanceWritesNothing) {
    PropertyBag bag;
    box->WriteProperties(bag);
    EXPECT_TRUE(bag.names().isEmpty()) << bag.names().join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(box->MaxFontSize(), 200);
    EXPECT_EQ(box->MinFontSize(), 2);
    EXPECT_EQ(box->FocusColorValue(), 0xFFu);
    EXPECT_EQ(box->BackColorValue(), 0x80000005u);
    EXPECT_EQ(box->ForeColorValue(), 0x80000008u);
    EXPECT_EQ(box->BorderStyle(), AutoSizeTextbox::FixedSingle);
    EXPECT_EQ(box->Appearance(), AutoSizeTextbox::ThreeD);
    EXPECT_EQ(box->LinkTimeout(), 50);
    EXPECT_EQ(box->Font(), box->QWidget::font()) << "the host's ambient font";
}

TEST_F(AutoSizeTextboxTest, PropertyBagRoundTripInTheHostsOrder) {
    QFont font(QStringLiteral("Liberation Sans"), 14);
    font.setBold(true);
    QPixmap icon(16, 16);
    icon.fill(Qt::blue);

    PropertyBag saved;
    saved.write(QStringLiteral("MaxFontSize"), 72.0, 200.0);
    saved.write(QStringLiteral("MinFontSize"), 6.0, 2.0);
    saved.write(QStringLiteral("MoveOnEnter"), true, false);
    saved.write(QStringLiteral("ShowFocus"), true, false);
    saved.write(QStringLiteral("FocusColor"), 0x00FF00u, 0xFFu);
    saved.write(QStringLiteral("FocusAlwaysOn"), true, false);
    saved.write(QStringLiteral("Font"), font, QFont());
    saved.write(QStringLiteral("BackColor"), 0xFFFFFFu, 0x80000005u);
    saved.write(QStringLiteral("ForeColor"), 0x000080u, 0x80000008u);
    saved.write(QStringLiteral("Enabled"), false, true);
    saved.write(QStringLiteral("BorderStyle"), 0, 1);
    saved.write(QStringLiteral("Alignment"), 2, 0);
    saved.write(QStringLiteral("Appearance"), 0, 1);
    saved.write(QStringLiteral("LinkItem"), QStringLiteral("item"), QString());
    saved.write(QStringLiteral("LinkMode"), 1, 0);
    saved.write(QStringLiteral("LinkTimeout"), 20, 50);
    saved.write(QStringLiteral("LinkTopic"), QStringLiteral("topic"), QString());
    saved.write(QStringLiteral("Locked"), true, false);
    saved.write(QStringLiteral("MaxLength"), 40, 0);
    saved.write(QStringLiteral("MouseIcon"), icon, QVariant());
    saved.write(QStringLiteral("MousePointer"), 99, 0);
    saved.write(QStringLiteral("OLEDragMode"), 1, 0);
    saved.write(QStringLiteral("OLEDropMode"), 2, 0);
    saved.write(QStringLiteral("PasswordChar"), QStringLiteral("*"), QString());
    saved.write(QStringLiteral("RightToLeft"), true, false);
    saved.write(QStringLiteral("Text"), QStringLiteral("Text Here"), QString());
    saved.write(QStringLiteral("ToolTipText"), QStringLiteral("Badge title"), QString());
    saved.write(QStringLiteral("WhatsThisHelpID"), 7, 0);

    box->ReadProperties(saved);
    EXPECT_EQ(box->MaxFontSize(), 72);
    EXPECT_EQ(box->MinFontSize(), 6);
    EXPECT_TRUE(box->MoveOnEnter());
    EXPECT_EQ(box->Font(), font);
    EXPECT_EQ(box->BackColor(), QColor(Qt::white));
    EXPECT_EQ(box->ForeColor(), QColor(0x80, 0, 0));
    EXPECT_FALSE(box->Enabled());
    EXPECT_FALSE(box->textField()->isEnabled());
    EXPECT_EQ(box->Alignment(), AutoSizeTextbox::Center);
    EXPECT_EQ(box->textField()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_FALSE(box->textField()->hasFrame());
    EXPECT_TRUE(box->textField()->isReadOnly());
    EXPECT_EQ(box->textField()->maxLength(), 40);
    EXPECT_EQ(box->textField()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(box->textField()->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(box->textField()->toolTip(), QStringLiteral("Badge title"));
    EXPECT_EQ(box->Text(), QStringLiteral("Text Here"));
    EXPECT_EQ(box->frameColor(), QColor(Qt::green)) << "ShowFocus and FocusAlwaysOn loaded";

    PropertyBag written;
    box->WriteProperties(written);
    EXPECT_EQ(written.names(), saved.names());
    for (const QString& name : saved.names()) {
        if (name != QLatin1String("MouseIcon")) {
            EXPECT_EQ(written.read(name, {}), saved.read(name, {})) << name.toStdString();
        }
    }
    EXPECT_EQ(written.read(QStringLiteral("MouseIcon"), {}).value<QPixmap>().toImage(),
              icon.toImage());
}

TEST_F(AutoSizeTextboxTest, LoadedSizesAreKeptAsStoredAndRoundedOnRead) {
    struct Case {
        double stored;
        int read;
    };
    for (const Case c : {Case{12.5, 12}, Case{13.5, 14}, Case{1, 1}, Case{0, 0}}) {
        PropertyBag bag;
        bag.write(QStringLiteral("MaxFontSize"), c.stored, 200.0);
        bag.write(QStringLiteral("MinFontSize"), c.stored, 2.0);
        box->ReadProperties(bag);
        EXPECT_EQ(box->MaxFontSize(), c.read) << c.stored;
        EXPECT_EQ(box->MinFontSize(), c.read) << c.stored;

        PropertyBag written;
        box->WriteProperties(written);
        EXPECT_DOUBLE_EQ(written.read(QStringLiteral("MaxFontSize"), 200.0).toDouble(), c.stored);
    }
}

TEST_F(AutoSizeTextboxTest, ColoursStoredAsSignedNumbersLoadAsTheSameBits) {
    PropertyBag bag;
    bag.write(QStringLiteral("BackColor"), -2147483643, 0); // &H80000005 as a signed Long
    box->ReadProperties(bag);
    EXPECT_EQ(box->BackColorValue(), 0x80000005u);
}

struct FrameCase {
    const char* name;
    bool showFocus;
    bool focusAlwaysOn;
    bool afterLoad;  // focus colour right after loading
    bool whileFocus; // while the field has the focus
    bool afterLeave; // after the focus went to another control
};

TEST_F(AutoSizeTextboxTest, FocusFrameFollowsShowFocusAndFocusAlwaysOn) {
    auto* other = new QLineEdit(&host);
    other->setGeometry(0, 50, 100, 20);
    other->show(); // the host is already visible
    showAndActivate();

    const QColor focus(Qt::red);
    const QColor back(Qt::white);
    const std::vector<FrameCase> cases{
        {"both off", false, false, false, false, false},
        {"ShowFocus only", true, false, false, true, false},
        {"both on", true, true, true, true, true},
        {"FocusAlwaysOn without ShowFocus", false, true, false, false, false},
    };
    for (const auto& c : cases) {
        other->setFocus();
        PropertyBag bag;
        bag.write(QStringLiteral("ShowFocus"), c.showFocus, false);
        bag.write(QStringLiteral("FocusAlwaysOn"), c.focusAlwaysOn, false);
        bag.write(QStringLiteral("BackColor"), 0xFFFFFFu, 0x80000005u);
        box->ReadProperties(bag);
        EXPECT_EQ(box->frameColor(), c.afterLoad ? focus : back) << c.name;
        box->textField()->setFocus();
        ASSERT_TRUE(box->textField()->hasFocus());
        EXPECT_EQ(box->frameColor(), c.whileFocus ? focus : back) << c.name;
        other->setFocus();
        EXPECT_EQ(box->frameColor(), c.afterLeave ? focus : back) << c.name;
    }
}

TEST_F(AutoSizeTextboxTest, FocusAlwaysOnPutShowsTheColourAtOnce) {
    box->setBackColor(Qt::white);
    box->setFocusColor(Qt::blue);
    box->setFocusAlwaysOn(true); // even with ShowFocus off
    EXPECT_EQ(box->frameColor(), QColor(Qt::blue));
    box->setFocusAlwaysOn(false);
    EXPECT_EQ(box->frameColor(), QColor(Qt::white));
}

TEST_F(AutoSizeTextboxTest, FrameIsPaintedAroundTheField) {
    box->setFocusColor(Qt::red);
    box->setFocusAlwaysOn(true);
    const QImage image = box->grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() / 2), QColor(Qt::red));
    EXPECT_NE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::red));
}

struct EnterCase {
    const char* name;
    bool moveOnEnter;
    bool focusMoves;
    qint16 keyDownCode;
    qint16 keyPressCharacter;
};

TEST_F(AutoSizeTextboxTest, MoveOnEnterTabsToTheNextFieldAndSwallowsTheKey) {
    auto* next = new QLineEdit(&host);
    next->setGeometry(0, 50, 100, 20);
    next->show();
    QWidget::setTabOrder(box, next);
    showAndActivate();

    const std::vector<EnterCase> cases{
        {"on", true, true, 0, 0},
        {"off", false, false, 13, 13},
    };
    for (const auto& c : cases) {
        box->setMoveOnEnter(c.moveOnEnter);
        box->textField()->setFocus();
        box->setText(QStringLiteral("Visitor"));
        qint16 keyDown = -1;
        qint16 keyPress = -1;
        const auto down = QObject::connect(box, &AutoSizeTextbox::KeyDown,
                                           [&](KeyCodeArgs* args) { keyDown = args->KeyCode; });
        const auto press = QObject::connect(box, &AutoSizeTextbox::KeyPress,
                                            [&](KeyAsciiArgs* args) { keyPress = args->KeyAscii; });
        int returnPressed = 0;
        const auto enter =
            QObject::connect(box->textField(), &QLineEdit::returnPressed, [&] { ++returnPressed; });

        QTest::keyClick(box->textField(), Qt::Key_Return);

        EXPECT_EQ(next->hasFocus(), c.focusMoves) << c.name;
        EXPECT_EQ(keyDown, c.keyDownCode) << c.name;
        EXPECT_EQ(keyPress, c.keyPressCharacter) << c.name;
        EXPECT_EQ(returnPressed, c.moveOnEnter ? 0 : 1) << c.name << ": Enter reached the field";
        EXPECT_EQ(box->Text(), QStringLiteral("Visitor")) << c.name;
        QObject::disconnect(down);
        QObject::disconnect(press);
        QObject::disconnect(enter);
    }
}

TEST_F(AutoSizeTextboxTest, KeyPressHandlerMaySwallowOrReplaceTheCharacter) {
    showAndActivate();
    box->textField()->setFocus();
    QObject::connect(box, &AutoSizeTextbox::KeyPress, [](KeyAsciiArgs* args) {
        if (args->KeyAscii == 'x')
            args->KeyAscii = 0;
        else if (args->KeyAscii >= 'a' && args->KeyAscii <= 'z')
            args->KeyAscii = static_cast<qint16>(args->KeyAscii - 'a' + 'A');
    });
    QTest::keyClicks(box->textField(), QStringLiteral("axb"));
    EXPECT_EQ(box->Text(), QStringLiteral("AB"));
}

TEST_F(AutoSizeTextboxTest, KeyAndMouseEventsCarryHostCodes) {
    showAndActivate();
    KeyCodeArgs down;
    QList<qint16> ups;
    MouseArgs mouseDown;
    int clicks = 0;
    int doubleClicks = 0;
    QObject::connect(box, &AutoSizeTextbox::KeyDown, [&](KeyCodeArgs* args) { down = *args; });
    QObject::connect(box, &AutoSizeTextbox::KeyUp,
                     [&](KeyCodeArgs* args) { ups.append(args->KeyCode); });
    QObject::connect(box, &AutoSizeTextbox::MouseDown, [&](MouseArgs* args) { mouseDown = *args; });
    QObject::connect(box, &AutoSizeTextbox::Click, [&] { ++clicks; });
    QObject::connect(box, &AutoSizeTextbox::DblClick, [&] { ++doubleClicks; });

    QTest::keyClick(box->textField(), Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(down.KeyCode, 65);
    EXPECT_EQ(down.Shift, 3);
    EXPECT_TRUE(ups.contains(65));
    QTest::keyClick(box->textField(), Qt::Key_Left);
    EXPECT_EQ(down.KeyCode, 37);

    QTest::mouseClick(box->textField(), Qt::LeftButton, {}, QPoint(10, 4));
    EXPECT_EQ(mouseDown.Button, 1);
    EXPECT_FLOAT_EQ(mouseDown.X, 150); // pixels relative to the field, in twips
    EXPECT_FLOAT_EQ(mouseDown.Y, 60);
    EXPECT_EQ(clicks, 1);
    QTest::mouseDClick(box->textField(), Qt::LeftButton, {}, QPoint(10, 4));
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(AutoSizeTextboxTest, EnabledIsTheFieldsOwnFlag) {
    box->putEnabled(false);
    EXPECT_FALSE(box->Enabled());
    EXPECT_FALSE(box->textField()->isEnabled());
    box->putEnabled(true);
    box->setEnabled(false); // the host disabling the whole control
    EXPECT_FALSE(box->textField()->isEnabled());
    EXPECT_TRUE(box->Enabled());
    EXPECT_TRUE(box->property("Enabled").toBool());
}

TEST_F(AutoSizeTextboxTest, PassThroughPropertiesReachTheField) {
    box->setProperty("Locked", true);
    box->setProperty("MaxLength", 5);
    box->setProperty("ToolTipText", QStringLiteral("tip"));
    box->setProperty("PasswordChar", QStringLiteral("*"));
    box->setProperty("BorderStyle", AutoSizeTextbox::None);
    box->setProperty("Alignment", AutoSizeTextbox::RightJustify);
    box->setProperty("BackColor", QColor(Qt::yellow));
    box->setProperty("OLEDragMode", 1);
    box->setProperty("MousePointer", 11);
    const QLineEdit* field = box->textField();
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_EQ(field->maxLength(), 5);
    EXPECT_EQ(field->toolTip(), QStringLiteral("tip"));
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(field->hasFrame());
    EXPECT_EQ(field->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(field->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::yellow));
    EXPECT_TRUE(field->dragEnabled());
    EXPECT_EQ(field->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(box->property("ScrollBars").toInt(), 0);
    EXPECT_TRUE(box->property("HideSelection").toBool());

    box->setProperty("MaxLength", 0);
    EXPECT_EQ(field->maxLength(), 32767) << "0 means no limit";
}

TEST(AutoSizeTextboxDispatch, IdentifiersMapToMembers) {
    EXPECT_EQ(AutoSizeTextbox::memberForDispId(0x68030000), QStringLiteral("FocusColor"));
    EXPECT_EQ(AutoSizeTextbox::memberForDispId(0x68030009), QStringLiteral("Text"));
    EXPECT_EQ(AutoSizeTextbox::memberForDispId(0x6803001D), QStringLiteral("BackColor"));
    EXPECT_EQ(AutoSizeTextbox::memberForDispId(0x6003001E), QStringLiteral("Refresh"));
    EXPECT_TRUE(AutoSizeTextbox::memberForDispId(0x6803001E).isEmpty());
    EXPECT_EQ(AutoSizeTextbox::dispIdForMember(QStringLiteral("MaxFontSize")), 0x68030006);
    EXPECT_EQ(AutoSizeTextbox::dispIdForMember(QStringLiteral("Nothing")), -1);
    EXPECT_EQ(AutoSizeTextbox::eventForDispId(2), QStringLiteral("Change"));
    EXPECT_EQ(AutoSizeTextbox::eventForDispId(9), QStringLiteral("MouseUp"));
    EXPECT_TRUE(AutoSizeTextbox::eventForDispId(10).isEmpty());

    // Every numbered member is a property or method of the widget, so a host binding by
    // number reaches it through the meta-object.
    const QMetaObject& meta = AutoSizeTextbox::staticMetaObject;
    for (qint32 number = 0; number < 30; ++number) {
        const QString name = AutoSizeTextbox::memberForDispId(0x68030000 + number);
        EXPECT_GE(meta.indexOfProperty(name.toLatin1().constData()), 0) << number;
        EXPECT_EQ(AutoSizeTextbox::dispIdForMember(name), 0x68030000 + number);
    }
    EXPECT_GE(meta.indexOfMethod("Refresh()"), 0);
    const int classId = meta.indexOfClassInfo("ClassID");
    ASSERT_GE(classId, 0);
    EXPECT_STREQ(meta.classInfo(classId).value(), "{3D01958B-72D5-11D4-832F-00A0CC271D71}");
}

TEST_F(AutoSizeTextboxTest, AccessibleAsEditableTextNamedLikeItsLabel) {
    auto* label = new QLabel(QStringLiteral("&Badge title"), &host);
    label->setBuddy(box);
    box->setText(QStringLiteral("Visitor"));
    showAndActivate();

    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->role(), QAccessible::EditableText);
    EXPECT_EQ(control->text(QAccessible::Name), QStringLiteral("Badge title"));
    EXPECT_EQ(control->text(QAccessible::Value), QStringLiteral("Visitor"));

    // The label's mnemonic and the control's focus land in the inner field, which carries
    // the same name.
    box->setFocus();
    EXPECT_TRUE(box->textField()->hasFocus());
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(box->textField());
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(QAccessible::Name), QStringLiteral("Badge title"));
    EXPECT_EQ(control->focusChild(), field);
    EXPECT_TRUE(control->state().focused);

    box->textField()->clearFocus();
    box->setAccessibleName(QStringLiteral("Title on the badge"));
    box->setFocus();
    EXPECT_EQ(control->text(QAccessible::Name), QStringLiteral("Title on the badge"));
    EXPECT_EQ(field->text(QAccessible::Name), QStringLiteral("Title on the badge"));
}

// Real font metrics: a long title gets a smaller font than a short one, both inside the
// field. The pictures are left in the build folder for a person to look at.
TEST(AutoSizeTextboxRendering, LongAndShortTextsFitWithRealMetrics) {
    QWidget host;
    host.setStyleSheet(QString());
    auto* layout = new QVBoxLayout(&host);
    QFont arial(QStringLiteral("Liberation Sans"), 12);

    double sizes[2] = {};
    const QString texts[2] = {QStringLiteral("Text Here"),
                              QStringLiteral("Contractor - electrical maintenance, building 4")};
    for (int i = 0; i < 2; ++i) {
        auto* box = new AutoSizeTextbox(&host);
        layout->addWidget(box);
        box->setFixedSize(320, 60);
        box->putFont(arial);
        box->setAlignment(AutoSizeTextbox::Center);
        box->setBackColor(Qt::white);
        box->setShowFocus(true);
        box->setFocusAlwaysOn(i == 1);
        box->setText(texts[i]);
        sizes[i] = box->textField()->font().pointSizeF();

        const QFontMetricsF metrics(box->textField()->font(), box->textField());
        EXPECT_LT(metrics.horizontalAdvance(texts[i]), box->textField()->width()) << i;
        EXPECT_LT(metrics.height(), box->textField()->height()) << i;
        EXPECT_EQ(QFontInfo(box->textField()->font()).family(), QStringLiteral("Liberation Sans"));
    }
    EXPECT_GT(sizes[0], sizes[1]);
    EXPECT_GT(sizes[1], 2);

    host.resize(340, 140);
    host.show();
    const QImage image = host.grab().toImage();
    EXPECT_FALSE(image.isNull());
    image.save(QDir::current().absoluteFilePath(QStringLiteral("fitfield_render.png")));
}

} // namespace
} // namespace zelkora::controls
