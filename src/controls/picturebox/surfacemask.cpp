#include "controls/picturebox/surfacemask.h"

#include <QBitmap>

namespace zelkora::controls::vitrel {

QRegion opaqueRegion(const QImage& picture, QRgb maskColor) {
    if (picture.isNull())
        return {};
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = maskColor & RGB_MASK;

    // Index 1 is black, which QBitmap takes as color1, the pixels a region is built from.
    QImage bits(argb.size(), QImage::Format_MonoLSB);
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    bits.fill(0);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = line[x];
            if (qAlpha(pixel) != 0 && (pixel & RGB_MASK) != key)
                bits.setPixel(x, y, 1);
        }
    }
    return QRegion(QBitmap::fromImage(bits));
}

} // namespace zelkora::controls::vitrel
