#pragma once

#include <QtGlobal>

namespace zelkora::controls {

// The Button argument of the controls' mouse events: 1 left, 2 right, 4 middle, added together
// when several are held; other buttons count for nothing.
inline qint16 buttonCode(Qt::MouseButtons buttons) {
    qint16 code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

// The Shift argument of the controls' key and mouse events: 1 Shift, 2 Ctrl, 4 Alt.
inline qint16 shiftCode(Qt::KeyboardModifiers modifiers) {
    qint16 code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

} // namespace zelkora::controls
