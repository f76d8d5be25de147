#pragma once

// The home screen's design: its controls as they stand before the load step, their fonts and
// colours, and the backdrop. Private to the main window's sources.

#include "util/error.h"

#include <QFont>
#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <functional>

class QLabel;

namespace zelkora {

namespace controls {
class Vitrel;
}

namespace design {

// Design fonts; the layout scales their sizes to the screen.
QFont HeaderLine1Font();
QFont HeaderLine2Font();
QFont CaptionLine1Font();
QFont CaptionLine2Font();

// Where each element stands before the layout file places it, in pixels of the design screen.
QPoint HeaderLine1Place();
QPoint HeaderLine2Place();
QSize HeaderLineSize();
QPoint CompanyLogoPlace();
QPoint CenterGraphicPlace();
QPoint ButtonPlace(int index);

} // namespace design

// The window's background: the backdrop picture stretched over the whole inner area. Mouse
// moves over it (or over an element that lets them through) are reported.
class HomeBackdrop final : public QWidget {
public:
    HomeBackdrop(QPixmap picture, QWidget* parent);

    std::function<void()> onMouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
    QPixmap m_scaled;
};

QLabel* makeHeaderLine(QWidget* parent, const QString& name, const QString& caption,
                       const QFont& font);
// An image that shows a picture and lets the mouse through to the backdrop, as a windowless
// image does.
QLabel* makeImage(QWidget* parent, const QString& name, const QString& accessibleName);
// A picture button of image pair `pair`, see-through around its picture, without a border.
controls::Vitrel* makePictureButton(QWidget* parent, const QString& name, int pair,
                                    const QPixmap& picture);

// Sizes a header line's height to its font.
void fitHeaderHeight(QLabel* label);

// The general error message of the station for an error a window reports.
QString ErrorMessageText(const StationError& error);

} // namespace zelkora
