#pragma once

#include "controls/picturebox/vitrel.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QPoint& point, std::ostream* os) {
    *os << "(" << point.x() << ", " << point.y() << ")";
}

inline void PrintTo(const QSize& size, std::ostream* os) {
    *os << size.width() << " x " << size.height();
}

namespace zelkora::controls::test {

// A picture of `size` pixels whose outer `border` pixels have `maskColor` and whose inside
// is `fill`.
inline QImage framedPicture(QSize size, int border, QColor maskColor, QColor fill) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(maskColor);
    QPainter painter(&image);
    painter.fillRect(QRect(QPoint(0, 0), size).adjusted(border, border, -border, -border), fill);
    return image;
}

inline QLabel* caption(Vitrel& control, int line) {
    return control.findChild<QLabel*>(line == 0 ? QStringLiteral("Label1")
                                                : QStringLiteral("Label2"));
}

// A control of 100 x 100 pixels (1,500 twips square at 96 DPI) whose captions measure
// 40 x 13 pixels (600 x 195 twips) whatever their text, so that the layout's arithmetic can be
// checked exactly.
class MeasuredVitrelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(control.logicalDpiX(), 96) << "the twip examples assume 96 DPI";
        ASSERT_EQ(control.logicalDpiY(), 96);
        control.setBorderStyle(Vitrel::NoBorder);
        control.resize(100, 100);
        caption(control, 0)->setFixedSize(40, 13);
        caption(control, 1)->setFixedSize(40, 13);
    }

    Vitrel control;
};

} // namespace zelkora::controls::test
