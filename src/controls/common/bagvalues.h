#pragma once

#include "controls/common/propertybag.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QVariant>
#include <limits>

namespace zelkora::controls {

// A colour as a host's property bag holds it: a QColor, or a number of 32 bits, signed or
// unsigned (hosts store &H80000005 as -2147483643 as well). Only values that are colours are
// taken: &H00BBGGRR, or a system colour &H800000nn; anything else gives `fallback`.
inline quint32 oleColorFrom(const QVariant& value, quint32 fallback) {
    if (value.metaType() == QMetaType::fromType<QColor>()) {
        const QColor color = value.value<QColor>();
        return color.isValid() ? oleFromColor(color) : fallback;
    }
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint32>::min() ||
        number > std::numeric_limits<quint32>::max())
        return fallback;
    const auto bits = static_cast<quint32>(number);
    const bool plain = (bits & 0xFF000000u) == 0;
    const bool system = (bits & 0xFFFFFF00u) == 0x80000000u;
    return plain || system ? bits : fallback;
}

// A picture as a bag may hold it: a pixmap, an image, or the bytes of an image file (PNG and
// the other formats Qt reads). Anything else, or bytes that are no picture, give no picture.
inline QPixmap pictureFrom(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QPixmap>())
        return value.value<QPixmap>();
    if (value.metaType() == QMetaType::fromType<QImage>())
        return QPixmap::fromImage(value.value<QImage>());
    if (value.metaType() == QMetaType::fromType<QByteArray>()) {
        QPixmap picture;
        picture.loadFromData(value.toByteArray());
        return picture;
    }
    return {};
}

// The bag value of a picture held in memory; no picture is no value, so it is never written.
inline QVariant pictureValue(const QPixmap& picture) {
    return picture.isNull() ? QVariant() : QVariant(picture);
}

// The bag value of a picture as PNG bytes, for hosts that keep their bag in a file.
inline QVariant pictureData(const QPixmap& picture) {
    if (picture.isNull())
        return {};
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return data;
}

} // namespace zelkora::controls
