#pragma once

#include <QColor>
#include <QString>

// The station's colours and faces: deep blue and teal with white, chosen for legibility across a
// lobby; amber marks the way out.
namespace zelkora::artwork {

inline QColor navy() {
    return QColor(0x0b, 0x2a, 0x4a);
}
inline QColor navyLight() {
    return QColor(0x12, 0x3f, 0x66);
}
inline QColor teal() {
    return QColor(0x0e, 0x7c, 0x86);
}
inline QColor tealBright() {
    return QColor(0x18, 0xa7, 0xac);
}
inline QColor tealPale() {
    return QColor(0xdc, 0xf2, 0xf1);
}
inline QColor ink() {
    return QColor(0x0b, 0x2a, 0x4a);
}
inline QColor mist() {
    return QColor(0xee, 0xf3, 0xf6);
}
inline QColor rule() {
    return QColor(0xc3, 0xd1, 0xdb);
}
inline QColor amber() {
    return QColor(0xf3, 0xb2, 0x3a);
}
inline QColor amberLight() {
    return QColor(0xff, 0xd0, 0x6e);
}
inline QColor signalGreen() {
    return QColor(0x2e, 0xb8, 0x72);
}

inline QString headingFace() {
    return QStringLiteral("Lato");
}
inline QString bodyFace() {
    return QStringLiteral("Liberation Sans");
}

} // namespace zelkora::artwork
