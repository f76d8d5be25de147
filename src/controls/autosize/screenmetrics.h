#pragma once

#include "controls/common/twips.h"

class QWidget;

namespace zelkora::controls::fitfield {

// The screen facts the text box layout depends on: the twip scale and the widths, in pixels,
// of the thin system border and of a vertical scroll bar.
struct ScreenMetrics {
    double twipsPerPixelX = 15.0;
    double twipsPerPixelY = 15.0;
    int borderWidth = 1;
    int scrollBarWidth = 16;

    // The metrics of the screen `widget` is on (its logical DPI and style).
    static ScreenMetrics forWidget(const QWidget& widget);

    TwipScale scale() const { return {twipsPerPixelX, twipsPerPixelY}; }
    double toTwipsX(double pixels) const { return scale().toTwipsX(pixels); }
    double toTwipsY(double pixels) const { return scale().toTwipsY(pixels); }
    int toPixelsX(double twips) const { return scale().toPixelsX(twips); }
    int toPixelsY(double twips) const { return scale().toPixelsY(twips); }
};

} // namespace zelkora::controls::fitfield
