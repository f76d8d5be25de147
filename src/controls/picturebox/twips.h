#pragma once

#include <QPaintDevice>
#include <cmath>

namespace zelkora::controls::vitrel {

// Whole twips, halves to even.
inline int roundTwips(double twips) {
    return static_cast<int>(std::nearbyint(twips));
}

// The one place where the control's twip geometry meets Qt's pixels: 1440 / logical DPI twips
// per pixel on each axis, 15 at 96 DPI.
class TwipScale {
public:
    TwipScale(double twipsPerPixelX, double twipsPerPixelY)
        : m_x(twipsPerPixelX)
        , m_y(twipsPerPixelY) {}

    // The scale of the screen `device` is shown on.
    static TwipScale of(const QPaintDevice& device) {
        return TwipScale(perPixel(device.logicalDpiX()), perPixel(device.logicalDpiY()));
    }

    double twipsPerPixelX() const { return m_x; }
    double twipsPerPixelY() const { return m_y; }

    double toTwipsX(double pixels) const { return pixels * m_x; }
    double toTwipsY(double pixels) const { return pixels * m_y; }
    int toPixelsX(double twips) const { return static_cast<int>(std::nearbyint(twips / m_x)); }
    int toPixelsY(double twips) const { return static_cast<int>(std::nearbyint(twips / m_y)); }

private:
    static double perPixel(int logicalDpi) { return logicalDpi > 0 ? 1440.0 / logicalDpi : 15.0; }

    double m_x;
    double m_y;
};

} // namespace zelkora::controls::vitrel
