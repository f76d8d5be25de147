#pragma once

#include <QPaintDevice>
#include <cmath>

namespace zelkora::controls {

// Twips (1/1440 inch) per pixel on a device with the given logical DPI: 15 at 96 DPI, and 15
// when the device gives no answer.
inline double twipsPerPixel(int logicalDpi) {
    return logicalDpi > 0 ? 1440.0 / logicalDpi : 15.0;
}

// Whole twips, halves to even as everywhere else in the station.
inline int roundTwips(double twips) {
    return static_cast<int>(std::nearbyint(twips));
}

// The one place where the controls' twip geometry meets Qt's pixels, on each axis.
class TwipScale {
public:
    TwipScale(double twipsPerPixelX, double twipsPerPixelY)
        : m_x(twipsPerPixelX)
        , m_y(twipsPerPixelY) {}

    // The scale of the screen `device` is shown on.
    static TwipScale of(const QPaintDevice& device) {
        return TwipScale(twipsPerPixel(device.logicalDpiX()), twipsPerPixel(device.logicalDpiY()));
    }

    double twipsPerPixelX() const { return m_x; }
    double twipsPerPixelY() const { return m_y; }

    double toTwipsX(double pixels) const { return pixels * m_x; }
    double toTwipsY(double pixels) const { return pixels * m_y; }
    // Whole pixels, halves to even.
    int toPixelsX(double twips) const { return static_cast<int>(std::nearbyint(twips / m_x)); }
    int toPixelsY(double twips) const { return static_cast<int>(std::nearbyint(twips / m_y)); }

private:
    double m_x;
    double m_y;
};

} // namespace zelkora::controls
