#pragma once

#include <QImage>
#include <QRegion>

namespace zelkora::controls::vitrel {

// The pixels of `picture` that show when the surface is see-through: every pixel except those
// of `maskColor` (compared without alpha) and those that are fully transparent. The region is
// in the picture's own pixels, origin at its top-left corner.
QRegion opaqueRegion(const QImage& picture, QRgb maskColor);

} // namespace zelkora::controls::vitrel
