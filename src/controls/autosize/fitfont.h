#pragma once

#include <QFont>
#include <QList>
#include <QString>

namespace zelkora::controls::fitfield {

class TextMeasurer;
struct ScreenMetrics;

// Twips the inner field's own border takes from its size: twice the thin system border, once
// more for a 3D appearance, once more for a single border, plus a scroll bar when shown.
int BorderAllowance(const ScreenMetrics& metrics, bool threeD, bool fixedSingle, bool scrollBars);

// Where the inner field goes and how much room its text has, all in whole twips.
struct TextBoxLayout {
    int fieldWidth = 0;      // SW: the surface's inner width less the 15-twip frame each side
    int fieldHeight = 0;     // SH
    int availableWidth = 0;  // WA = SW - B - 60
    int availableHeight = 0; // HA = SH - B - 60
};

// The layout for a surface of the given inner size (twips) and border allowance B.
TextBoxLayout layoutTextBox(double surfaceWidth, double surfaceHeight, int borderAllowance);

// True when `text` in `font` (at its current size) is strictly smaller than the available
// width and height, measured in whole twips.
bool MeasureText(const TextMeasurer& measurer, const QString& text, const QFont& font,
                 int availableWidth, int availableHeight);

struct FitResult {
    // R: the size to apply; 0 when nothing fits in the bisection (or nothing was fitted).
    double size = 0;
    // The size the font system grants for R; the field takes this one.
    double grantedSize = 0;
    // Every size given to the measuring font, in order.
    QList<double> triedSizes;

    // Whether the field's font is to change (R above 1).
    bool applies() const { return size > 1; }
};

// Chooses the font size for `text` between `minFontSize` and `maxFontSize`: the maximum when
// it fits, the minimum when even that does not, else the largest size tried in a bisection
// that fits. `measuringFont` takes `faceName` and is left at R when R applies. Empty text or
// an empty face name fits nothing.
FitResult FitFont(const QString& text, const QString& faceName, double minFontSize,
                  double maxFontSize, int availableWidth, int availableHeight, QFont& measuringFont,
                  const TextMeasurer& measurer);

} // namespace zelkora::controls::fitfield
