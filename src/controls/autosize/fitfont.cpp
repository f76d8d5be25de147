#include "controls/autosize/fitfont.h"

#include "controls/autosize/screenmetrics.h"
#include "controls/autosize/textmeasurer.h"

namespace zelkora::controls::fitfield {

namespace {

// Qt cannot hold a point size of zero or below (it ignores the request); a size read from a
// damaged property bag is given as the smallest size Qt accepts instead.
void giveSize(QFont& font, double size, QList<double>& tried) {
    tried.append(size);
    font.setPointSizeF(size > 0 ? size : 1.0);
}

} // namespace

int BorderAllowance(const ScreenMetrics& metrics, bool threeD, bool fixedSingle, bool scrollBars) {
    const double t = metrics.twipsPerPixelX;
    const int d = roundTwips(t * 2 * metrics.borderWidth);
    int allowance = d;
    if (threeD)
        allowance += d;
    if (fixedSingle)
        allowance += d;
    if (scrollBars)
        allowance += roundTwips(t * metrics.scrollBarWidth);
    return allowance;
}

TextBoxLayout layoutTextBox(double surfaceWidth, double surfaceHeight, int borderAllowance) {
    TextBoxLayout layout;
    layout.fieldWidth = roundTwips(surfaceWidth - 30);
    layout.fieldHeight = roundTwips(surfaceHeight - 30);
    layout.availableWidth = layout.fieldWidth - borderAllowance - 60;
    layout.availableHeight = layout.fieldHeight - borderAllowance - 60;
    return layout;
}

bool MeasureText(const TextMeasurer& measurer, const QString& text, const QFont& font,
                 int availableWidth, int availableHeight) {
    const QSizeF size = measurer.textSize(text, font);
    return roundTwips(size.width()) < availableWidth && roundTwips(size.height()) < availableHeight;
}

FitResult FitFont(const QString& text, const QString& faceName, double minFontSize,
                  double maxFontSize, int availableWidth, int availableHeight, QFont& measuringFont,
                  const TextMeasurer& measurer) {
    FitResult result;
    if (text.isEmpty() || faceName.isEmpty())
        return result;

    const auto fits = [&] {
        return MeasureText(measurer, text, measuringFont, availableWidth, availableHeight);
    };

    measuringFont.setFamily(faceName);
    giveSize(measuringFont, maxFontSize, result.triedSizes);
    if (fits()) {
        result.size = measurer.grantedPointSize(measuringFont);
    } else {
        giveSize(measuringFont, minFontSize, result.triedSizes);
        if (!fits()) {
            result.size = measurer.grantedPointSize(measuringFont);
        } else {
            // The minimum fits and the maximum does not: halve the range towards the largest
            // size that fits. R stays 0 when no size tried here fits.
            double lo = minFontSize;
            double hi = maxFontSize;
            while (hi - lo > 1) {
                const double attempt = lo + (hi - lo) / 2;
                giveSize(measuringFont, attempt, result.triedSizes);
                if (fits()) {
                    lo = attempt;
                    result.size = attempt;
                } else {
                    hi = attempt;
                }
            }
        }
    }

    if (result.applies()) {
        measuringFont.setPointSizeF(result.size);
        result.grantedSize = measurer.grantedPointSize(measuringFont);
    }
    return result;
}

} // namespace zelkora::controls::fitfield
