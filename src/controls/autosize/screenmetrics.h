#pragma once

#include <cmath>

class QWidget;

namespace zelkora::controls {

// Twips (1/1440 inch) per pixel on a device with the given logical DPI: 15 at 96 DPI. Every
// conversion between the library's twip geometry and Qt's pixels goes through this.
inline double twipsPerPixel(int logicalDpi) {
    return logicalDpi > 0 ? 1440.0 / logicalDpi : 15.0;
}

// Whole twips, halves to even as everywhere else in the station.
inline int roundTwips(double twips) {
    return static_cast<int>(std::nearbyint(twips));
}

// The screen facts the text box layout depends on: the twip scale and the widths, in pixels,
// of the thin system border and of a vertical scroll bar.
struct ScreenMetrics {
    double twipsPerPixelX = 15.0;
    double twipsPerPixelY = 15.0;
    int borderWidth = 1;
    int scrollBarWidth = 16;

    // The metrics of the screen `widget` is on (its logical DPI and style).
    static ScreenMetrics forWidget(const QWidget& widget);

    double toTwipsX(double pixels) const { return pixels * twipsPerPixelX; }
    double toTwipsY(double pixels) const { return pixels * twipsPerPixelY; }
    int toPixelsX(double twips) const {
        return static_cast<int>(std::nearbyint(twips / twipsPerPixelX));
    }
    int toPixelsY(double twips) const {
        return static_cast<int>(std::nearbyint(twips / twipsPerPixelY));
    }
};

} // namespace zelkora::controls
