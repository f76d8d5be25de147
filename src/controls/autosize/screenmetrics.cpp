#include "controls/autosize/twips.h"

#include <QStyle>
#include <QWidget>

namespace zelkora::controls {

ScreenMetrics ScreenMetrics::forWidget(const QWidget& widget) {
    ScreenMetrics metrics;
    metrics.twipsPerPixelX = twipsPerPixel(widget.logicalDpiX());
    metrics.twipsPerPixelY = twipsPerPixel(widget.logicalDpiY());
    // Linux has no system border metric; one pixel is the thin border of the desktops.
    metrics.borderWidth = 1;
    metrics.scrollBarWidth =
        widget.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &widget);
    return metrics;
}

} // namespace zelkora::controls
