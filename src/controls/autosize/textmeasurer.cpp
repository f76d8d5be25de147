#include "controls/autosize/textmeasurer.h"

#include "controls/autosize/screenmetrics.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QRegularExpression>
#include <QScreen>
#include <algorithm>

namespace zelkora::controls::fitfield {

double TextMeasurer::grantedPointSize(const QFont& font) const {
    return QFontInfo(font).pointSizeF();
}

FontMetricsMeasurer::FontMetricsMeasurer(const QPaintDevice* device)
    : m_device(device) {}

QSizeF FontMetricsMeasurer::textSize(const QString& text, const QFont& font) const {
    const QFontMetricsF metrics = m_device ? QFontMetricsF(font, m_device) : QFontMetricsF(font);
    int dpiX = 96;
    int dpiY = 96;
    if (m_device) {
        dpiX = m_device->logicalDpiX();
        dpiY = m_device->logicalDpiY();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        dpiX = qRound(screen->logicalDotsPerInchX());
        dpiY = qRound(screen->logicalDotsPerInchY());
    }

    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineBreak);
    qreal width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const qreal height = metrics.height() + (lines.size() - 1) * metrics.lineSpacing();
    return {width * twipsPerPixel(dpiX), height * twipsPerPixel(dpiY)};
}

double FontMetricsMeasurer::grantedPointSize(const QFont& font) const {
    return m_device ? QFontInfo(QFont(font, m_device)).pointSizeF() : QFontInfo(font).pointSizeF();
}

} // namespace zelkora::controls::fitfield
