#include "controls/autosize/screenmetrics.h"

#include <QStyle>
#include <QWidget>

namespace zelkora::controls::fitfield {

ScreenMetrics ScreenMetrics::forWidget(const QWidget& widget) {
    const TwipScale scale = TwipScale::of(widget);
    ScreenMetrics metrics;
    metrics.twipsPerPixelX = scale.twipsPerPixelX();
    metrics.twipsPerPixelY = scale.twipsPerPixelY();
    // Linux has no system border metric; one pixel is the thin border of the desktops.
    metrics.borderWidth = 1;
    metrics.scrollBarWidth =
        widget.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &widget);
    return metrics;
}

} // namespace zelkora::controls::fitfield
