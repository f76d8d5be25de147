#include "app/gui/resourcepicture.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace zelkora {

QPixmap ResourceBitmap(int id) {
    // One footer design in five tints, drawn rather than shipped so it scales with the code.
    static const QColor tints[] = {QColor(0x1f, 0x4e, 0x79), QColor(0x2e, 0x6b, 0x3a),
                                   QColor(0x5a, 0x3d, 0x7a), QColor(0x7a, 0x4a, 0x1f),
                                   QColor(0x44, 0x4c, 0x55)};
    if (id < 101 || id > 105)
        return {};
    const QColor tint = tints[id - 101];
    QPixmap pixmap(400, 24);
    QPainter painter(&pixmap);
    QLinearGradient band(0, 0, pixmap.width(), 0);
    band.setColorAt(0, tint);
    band.setColorAt(1, tint.lighter(180));
    painter.fillRect(pixmap.rect(), band);
    painter.setPen(QPen(tint.darker(150), 2));
    painter.drawLine(0, 1, pixmap.width(), 1);
    return pixmap;
}

void SetResourcePicture(QLabel* control, int id) {
    control->setPixmap(ResourceBitmap(id));
}

} // namespace zelkora
