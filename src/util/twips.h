#pragma once

#include <cmath>

namespace zelkora {

// Window geometry is kept in twips (1/1440 inch) and converted here, in one place.
inline constexpr double kTwipsPerInch = 1440.0;

inline double twipsPerPixel(double logicalDpi) {
    return logicalDpi > 0 ? kTwipsPerInch / logicalDpi : 15.0;
}

inline int twipsToPixels(double twips, double perPixel) {
    return static_cast<int>(std::lround(twips / perPixel));
}

inline int pixelsToTwips(double pixels, double perPixel) {
    return static_cast<int>(std::lround(pixels * perPixel));
}

} // namespace zelkora
