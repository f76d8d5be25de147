#include "labeltest.h"

#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QProcess>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace zelkora::test {

StationError RenderReportPdf(printing::Report& report, const QString& path, int resolution) {
    QPdfWriter writer(path);
    writer.setResolution(resolution);
    writer.setPageLayout(report.pageLayout());
    if (StationError error = report.start(writer); error.isError())
        return error;
    QPainter painter(&writer);
    StationError error;
    for (int page = 0;; ++page) {
        if (page > 0 && report.pageCount() && page >= *report.pageCount())
            break;
        if (page > 0)
            writer.newPage();
        if (!report.paintPage(page, painter, &error))
            break;
    }
    painter.end();
    return error;
}

QImage SamplePortrait(QSize size, QColor backdrop, QColor shirt) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();
    QRadialGradient back(QPointF(w * 0.5, h * 0.35), h * 0.9);
    back.setColorAt(0, backdrop.lighter(135));
    back.setColorAt(1, backdrop.darker(115));
    p.fillRect(image.rect(), back);

    // Shoulders and a collar.
    QPainterPath body;
    body.moveTo(w * 0.05, h);
    body.cubicTo(w * 0.08, h * 0.72, w * 0.3, h * 0.68, w * 0.5, h * 0.68);
    body.cubicTo(w * 0.7, h * 0.68, w * 0.92, h * 0.72, w * 0.95, h);
    body.closeSubpath();
    QLinearGradient cloth(0, h * 0.68, 0, h);
    cloth.setColorAt(0, shirt.lighter(120));
    cloth.setColorAt(1, shirt.darker(130));
    p.fillPath(body, cloth);
    const QColor skin(0xe0, 0xb0, 0x8c);
    QPainterPath neck;
    neck.addRect(QRectF(w * 0.42, h * 0.52, w * 0.16, h * 0.18));
    p.fillPath(neck, skin.darker(112));
    QPainterPath collar;
    collar.moveTo(w * 0.38, h * 0.69);
    collar.lineTo(w * 0.5, h * 0.8);
    collar.lineTo(w * 0.62, h * 0.69);
    collar.lineTo(w * 0.58, h * 0.67);
    collar.lineTo(w * 0.5, h * 0.72);
    collar.lineTo(w * 0.42, h * 0.67);
    collar.closeSubpath();
    p.fillPath(collar, QColor(0xf4, 0xf4, 0xf0));

    // Head with hair.
    QRadialGradient face(QPointF(w * 0.47, h * 0.36), w * 0.25);
    face.setColorAt(0, skin.lighter(110));
    face.setColorAt(1, skin.darker(108));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawEllipse(QRectF(w * 0.31, h * 0.16, w * 0.38, h * 0.44));
    QPainterPath hair;
    hair.moveTo(w * 0.3, h * 0.36);
    hair.cubicTo(w * 0.26, h * 0.08, w * 0.74, h * 0.06, w * 0.7, h * 0.36);
    hair.cubicTo(w * 0.66, h * 0.22, w * 0.45, h * 0.2, w * 0.3, h * 0.36);
    p.fillPath(hair, QColor(0x4a, 0x33, 0x24));
    p.setBrush(QColor(0x3a, 0x2a, 0x20));
    p.drawEllipse(QRectF(w * 0.405, h * 0.36, w * 0.035, h * 0.025));
    p.drawEllipse(QRectF(w * 0.56, h * 0.36, w * 0.035, h * 0.025));
    p.setPen(QPen(QColor(0x9a, 0x5a, 0x4a), w * 0.012, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(w * 0.43, h * 0.42, w * 0.14, h * 0.08), 200 * 16, 140 * 16);
    return image;
}

} // namespace zelkora::test
