#include "controls/common/bagvalues.h"
#include "controls/common/eventcodes.h"
#include "controls/common/mousepointer.h"
#include "controls/common/twips.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace zelkora::controls {
namespace {

TEST(EventCodes, ButtonsAndModifiersAddUp) {
    struct Case {
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
        qint16 button;
        qint16 shift;
    };
    const std::vector<Case> cases = {
        {Qt::NoButton, Qt::NoModifier, 0, 0},
        {Qt::LeftButton, Qt::ShiftModifier, 1, 1},
        {Qt::RightButton, Qt::ControlModifier, 2, 2},
        {Qt::MiddleButton, Qt::AltModifier, 4, 4},
        {Qt::LeftButton | Qt::RightButton | Qt::MiddleButton,
         Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, 7, 7},
        // Buttons and keys the hosts have no code for count for nothing.
        {Qt::BackButton | Qt::LeftButton, Qt::MetaModifier | Qt::KeypadModifier, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(buttonCode(c.buttons), c.button) << c.buttons.toInt();
        EXPECT_EQ(shiftCode(c.modifiers), c.shift) << c.modifiers.toInt();
    }
}

TEST(MousePointer, StandardCodesHaveTheirShapes) {
    const std::vector<std::pair<int, Qt::CursorShape>> shapes = {
        {1, Qt::ArrowCursor},    {2, Qt::CrossCursor},      {3, Qt::IBeamCursor},
        {4, Qt::ArrowCursor},    {5, Qt::SizeAllCursor},    {6, Qt::SizeBDiagCursor},
        {7, Qt::SizeVerCursor},  {8, Qt::SizeFDiagCursor},  {9, Qt::SizeHorCursor},
        {10, Qt::UpArrowCursor}, {11, Qt::WaitCursor},      {12, Qt::ForbiddenCursor},
        {13, Qt::BusyCursor},    {14, Qt::WhatsThisCursor}, {15, Qt::SizeAllCursor},
    };
    for (const auto& [pointer, shape] : shapes) {
        EXPECT_EQ(standardPointerShape(pointer), shape) << pointer;
        EXPECT_TRUE(isMousePointerCode(pointer)) << pointer;
    }
    for (int pointer : {0, 99})
        EXPECT_TRUE(isMousePointerCode(pointer)) << pointer;
    for (int pointer : {-1, 16, 98, 100}) {
        EXPECT_FALSE(isMousePointerCode(pointer)) << pointer;
        EXPECT_FALSE(standardPointerShape(pointer).has_value()) << pointer;
    }
}

TEST(MousePointer, DefaultAndIconlessCustomKeepTheWidgetsOwnPointer) {
    QWidget host; // a window always keeps a cursor of its own
    QWidget& widget = *new QWidget(&host);
    QPixmap icon(16, 16);
    icon.fill(Qt::black);

    applyMousePointer(widget, 11, icon);
    EXPECT_EQ(widget.cursor().shape(), Qt::WaitCursor);
    applyMousePointer(widget, CustomMousePointer, QPixmap());
    EXPECT_FALSE(widget.testAttribute(Qt::WA_SetCursor));
    applyMousePointer(widget, CustomMousePointer, icon);
    EXPECT_EQ(widget.cursor().shape(), Qt::BitmapCursor);
    applyMousePointer(widget, DefaultMousePointer, icon);
    EXPECT_FALSE(widget.testAttribute(Qt::WA_SetCursor));
}

TEST(BagValues, ColoursAreTakenOnlyWhenTheyAreColours) {
    constexpr quint32 fallback = 0x8000000Fu;
    struct Case {
        const char* name;
        QVariant value;
        quint32 expected;
    };
    const std::vector<Case> cases = {
        {"colour object", QColor(0x12, 0x34, 0x56), 0x563412u},
        {"plain number", 0x00FF00u, 0x00FF00u},
        {"system colour", 0x80000005u, 0x80000005u},
        {"system colour as a signed Long", qint32(-2147483643), 0x80000005u},
        {"number as text", QStringLiteral("255"), 0xFFu},
        {"absent", QVariant(), fallback},
        {"invalid colour object", QColor(), fallback},
        {"minus one", qlonglong(-1), fallback},
        {"high byte of no colour", 0x12345678u, fallback},
        {"wider than 32 bits", qlonglong(0x100000000ll), fallback},
        {"colour name", QStringLiteral("blue"), fallback},
    };
    for (const Case& c : cases)
        EXPECT_EQ(oleColorFrom(c.value, fallback), c.expected) << c.name;
}

TEST(BagValues, PicturesComeAsPixmapsImagesOrFileBytes) {
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QPixmap pixmap = QPixmap::fromImage(image);

    EXPECT_EQ(pictureFrom(pixmap).toImage(), image);
    EXPECT_EQ(pictureFrom(image).toImage(), image);
    const QVariant png = pictureData(pixmap);
    ASSERT_EQ(png.metaType(), QMetaType::fromType<QByteArray>());
    EXPECT_EQ(pictureFrom(png).toImage().convertToFormat(QImage::Format_RGB32), image);

    EXPECT_TRUE(pictureFrom(QByteArray("not a picture")).isNull());
    EXPECT_TRUE(pictureFrom(QStringLiteral("picture.png")).isNull());
    EXPECT_TRUE(pictureFrom(QVariant()).isNull());
    // No picture is no value, so a bag never stores one.
    EXPECT_FALSE(pictureValue(QPixmap()).isValid());
    EXPECT_FALSE(pictureData(QPixmap()).isValid());
}

TEST(TwipScale, EachAxisHasItsOwnScaleAndPixelsRoundHalvesToEven) {
    const TwipScale scale(15, 10);
    EXPECT_DOUBLE_EQ(scale.toTwipsX(2), 30);
    EXPECT_DOUBLE_EQ(scale.toTwipsY(2), 20);
    EXPECT_EQ(scale.toPixelsX(37.5), 2); // 2.5 pixels
    EXPECT_EQ(scale.toPixelsX(52.5), 4); // 3.5 pixels
    EXPECT_EQ(scale.toPixelsY(25), 2);

    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(144 / 0.0254));
    device.setDotsPerMeterY(qRound(96 / 0.0254));
    const TwipScale ofDevice = TwipScale::of(device);
    EXPECT_DOUBLE_EQ(ofDevice.twipsPerPixelX(), 10);
    EXPECT_DOUBLE_EQ(ofDevice.twipsPerPixelY(), 15);
}

} // namespace
} // namespace zelkora::controls
