#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

class QPaintDevice;

namespace zelkora::controls::fitfield {

// Measures text for fitting. Implementations answer in twips; tests use a fake.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;

    // Width of the longest line and height of all lines of `text` in `font`, in twips.
    virtual QSizeF textSize(const QString& text, const QFont& font) const = 0;

    // The point size the font system actually grants for `font`'s requested size.
    virtual double grantedPointSize(const QFont& font) const;
};

// Measures with the real font metrics of a paint device (a widget, a printer), converting its
// pixels to twips with the device's logical DPI.
class FontMetricsMeasurer : public TextMeasurer {
public:
    // `device` must outlive the measurer; null measures for the primary screen.
    explicit FontMetricsMeasurer(const QPaintDevice* device = nullptr);

    QSizeF textSize(const QString& text, const QFont& font) const override;
    double grantedPointSize(const QFont& font) const override;

private:
    const QPaintDevice* m_device;
};

} // namespace zelkora::controls::fitfield
