#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <utility>

namespace zelkora::gallery {

QPixmap badgePicture() {
    QPixmap picture(160, 120);
    picture.fill(maskMagenta);
    QPainter painter(&picture);
    // No antialiasing: an edge pixel half-way between card and magenta would be neither
    // see-through nor part of the card.
    painter.setRenderHint(QPainter::Antialiasing, false);

    const QRect card(4, 4, 152, 112);
    QLinearGradient body(card.topLeft(), card.bottomLeft());
    body.setColorAt(0, QColor(0x2b, 0x6c, 0xb0));
    body.setColorAt(1, QColor(0x17, 0x3f, 0x73));
    QPainterPath outline;
    outline.addRoundedRect(card, 18, 18);
    painter.fillPath(outline, body);

    // A stripe across the lower part, as printed badges have.
    painter.fillRect(QRect(card.left(), 96, card.width(), 6), QColor(0xf2, 0xb1, 0x34));

    // The lanyard slot is a hole: the backdrop shows through it.
    QPainterPath slot;
    slot.addRoundedRect(QRect(62, 10, 36, 8), 4, 4);
    painter.fillPath(slot, maskMagenta);
    return picture;
}

QPixmap buttonPicture(ButtonLook look) {
    const QSize size(150, 44);
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QColor top(0x4a, 0x8a, 0x3c);
    QColor bottom(0x2f, 0x62, 0x26);
    QColor rim(0x24, 0x4d, 0x1d);
    int shift = 0;
    switch (look) {
    case ButtonLook::Out:
        break;
    case ButtonLook::Over:
        top = top.lighter(130);
        bottom = bottom.lighter(130);
        rim = QColor(0xf2, 0xb1, 0x34);
        break;
    case ButtonLook::Down:
        std::swap(top, bottom);
        top = top.darker(120);
        shift = 2; // the face sinks as it is pressed
        break;
    }

    const QRectF face = QRectF(QPointF(0, 0), size).adjusted(1.5, 1.5, -1.5, -1.5);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.setBrush(fill);
    painter.setPen(QPen(rim, 3));
    painter.drawRoundedRect(face, 10, 10);

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(face.translated(0, shift), Qt::AlignCenter, QStringLiteral("Check out"));
    return picture;
}

QPixmap checkerTile() {
    QPixmap tile(16, 16);
    tile.fill(QColor(0xf4, 0xf4, 0xf4));
    QPainter painter(&tile);
    const QColor dark(0xc8, 0xc8, 0xc8);
    painter.fillRect(0, 0, 8, 8, dark);
    painter.fillRect(8, 8, 8, 8, dark);
    return tile;
}

} // namespace zelkora::gallery
