#include "pictures.h"

#include "palette.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace zelkora::artwork {

namespace {

QImage transparentImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void smooth(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont face(const QString& family, qreal pixelSize, int weight) {
    QFont font(family);
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPainterPath rounded(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

// A soft shadow under a rounded shape: a few widening, fading outlines.
void softShadow(QPainter& painter, const QRectF& rect, qreal radius, qreal offset, int alpha) {
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        const qreal grow = i * 0.8;
        painter.setBrush(QColor(0, 0, 0, alpha / (i + 1)));
        painter.drawPath(
            rounded(rect.adjusted(-grow, -grow + offset, grow, grow + offset), radius + grow));
    }
    painter.restore();
}

// The visitor badge on its lanyard, the station's motif, drawn into a square of side `side`
// whose top-left corner is `origin`.
void drawBadgeMotif(QPainter& painter, QPointF origin, qreal side, bool withDisc) {
    painter.save();
    painter.translate(origin);
    painter.scale(side / 300.0, side / 300.0);
    painter.setPen(Qt::NoPen);

    const QPointF centre(150, 150);
    if (withDisc) {
        QRadialGradient glow(centre, 146, QPointF(120, 110));
        glow.setColorAt(0, tealBright());
        glow.setColorAt(1, teal().darker(115));
        painter.setBrush(glow);
        painter.drawEllipse(centre, 146, 146);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(255, 255, 255, 70), 3));
        painter.drawEllipse(centre, 136, 136);
        painter.setPen(Qt::NoPen);
    }

    // Lanyard straps, running out of the disc's top.
    QPainterPath disc;
    disc.addEllipse(centre, 146, 146);
    painter.save();
    if (withDisc)
        painter.setClipPath(disc);
    painter.setPen(QPen(navy(), 11, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(96, -4), QPointF(140, 70));
    painter.drawLine(QPointF(204, -4), QPointF(160, 70));
    painter.restore();

    // The card.
    const QRectF card(86, 74, 128, 168);
    softShadow(painter, card, 12, 4, 90);
    painter.setBrush(Qt::white);
    painter.drawPath(rounded(card, 12));
    painter.save();
    painter.setClipPath(rounded(card, 12));
    painter.setBrush(navy());
    painter.drawRect(QRectF(card.left(), card.top(), card.width(), 26));
    painter.restore();
    painter.setBrush(Qt::white);
    painter.drawPath(rounded(QRectF(132, 83, 36, 8), 4));
    // Clip ring joining card and straps.
    painter.setBrush(QColor(0xb8, 0xc4, 0xcc));
    painter.drawPath(rounded(QRectF(140, 62, 20, 16), 4));
    painter.setBrush(navy());
    painter.drawPath(rounded(QRectF(145, 66, 10, 6), 2));

    // Portrait.
    painter.setBrush(mist());
    painter.drawPath(rounded(QRectF(116, 108, 68, 62), 8));
    painter.save();
    painter.setClipPath(rounded(QRectF(116, 108, 68, 62), 8));
    painter.setBrush(teal());
    painter.drawEllipse(QPointF(150, 131), 14, 14);
    painter.drawEllipse(QPointF(150, 176), 28, 24);
    painter.restore();

    // Name lines.
    painter.setBrush(navy());
    painter.drawPath(rounded(QRectF(106, 182, 88, 8), 4));
    painter.setBrush(rule());
    painter.drawPath(rounded(QRectF(116, 198, 68, 6), 3));
    painter.drawPath(rounded(QRectF(122, 212, 56, 6), 3));

    // The check mark of a visit recorded.
    const QPointF tick(206, 222);
    painter.setBrush(Qt::white);
    painter.drawEllipse(tick, 30, 30);
    painter.setBrush(signalGreen());
    painter.drawEllipse(tick, 25, 25);
    QPainterPath mark;
    mark.moveTo(tick + QPointF(-11, 1));
    mark.lineTo(tick + QPointF(-3, 9));
    mark.lineTo(tick + QPointF(12, -8));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(mark);
    painter.restore();
}

// An arrow leaving through a door: the check-out sign.
void drawExitSign(QPainter& painter, const QRectF& box, const QColor& colour) {
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 24.0, box.height() / 24.0);
    painter.setBrush(Qt::NoBrush);
    QPen pen(colour, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    QPainterPath door;
    door.moveTo(13, 4);
    door.lineTo(4, 4);
    door.lineTo(4, 20);
    door.lineTo(13, 20);
    painter.drawPath(door);
    painter.drawLine(QPointF(9, 12), QPointF(21, 12));
    QPainterPath head;
    head.moveTo(16.5, 7.5);
    head.lineTo(21, 12);
    head.lineTo(16.5, 16.5);
    painter.drawPath(head);
    painter.restore();
}

bool save(const QImage& image, const QString& path, const char* format, QString* error) {
    QImageWriter writer(path, format);
    if (writer.write(image))
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, writer.errorString());
    return false;
}

} // namespace

QImage buttonPicture(bool checkout, bool mouseOver) {
    const QSize size = checkout ? QSize(136, 51) : QSize(151, 89);
    QImage image = transparentImage(size.width(), size.height());
    QPainter painter(&image);
    smooth(painter);

    // Room for the shadow below; the captions of the label-type buttons sit between a quarter
    // and three quarters of the height, so nothing but the face is drawn there.
    const QRectF body(1.5, 1.5, size.width() - 3.0, size.height() - 5.0);
    const qreal radius = checkout ? 9 : 11;
    softShadow(painter, body, radius, mouseOver ? 2.5 : 1.5, mouseOver ? 120 : 80);

    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    if (checkout) {
        fill.setColorAt(0, mouseOver ? amberLight().lighter(104) : amber().lighter(112));
        fill.setColorAt(1, mouseOver ? amberLight() : amber());
    } else {
        fill.setColorAt(0, mouseOver ? tealPale().lighter(103) : Qt::white);
        fill.setColorAt(1, mouseOver ? tealPale().darker(106) : mist());
    }
    const QPainterPath outline = rounded(body, radius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(outline);

    if (!checkout) {
        // The accent bar along the foot of the face.
        painter.save();
        painter.setClipPath(outline);
        painter.setBrush(mouseOver ? tealBright() : teal());
        const qreal bar = mouseOver ? 7 : 5;
        painter.drawRect(QRectF(body.left(), body.bottom() - bar, body.width(), bar));
        painter.restore();
    } else {
        drawExitSign(painter, QRectF(12, 12.5, 22, 22), ink());
        painter.setPen(ink());
        painter.setFont(face(headingFace(), 19, QFont::Bold));
        painter.drawText(QRectF(38, body.top(), body.right() - 42, body.height()),
                         Qt::AlignVCenter | Qt::AlignHCenter, QStringLiteral("Check Out"));
    }

    // The outline: a hairline at rest, a strong teal (navy on amber) ring under the mouse.
    painter.setBrush(Qt::NoBrush);
    if (mouseOver) {
        painter.setPen(QPen(checkout ? ink() : teal(), 2.5));
        painter.drawPath(rounded(body.adjusted(1.25, 1.25, -1.25, -1.25), radius - 1));
    } else {
        painter.setPen(QPen(checkout ? amber().darker(125) : rule(), 1));
        painter.drawPath(rounded(body.adjusted(0.5, 0.5, -0.5, -0.5), radius));
    }
    return image;
}

QImage centerGraphic() {
    QImage image = transparentImage(300, 300);
    QPainter painter(&image);
    smooth(painter);
    drawBadgeMotif(painter, QPointF(0, 0), 300, true);
    return image;
}

QImage background() {
    QImage image(813, 596, QImage::Format_RGB32);
    QPainter painter(&image);
    smooth(painter);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, navy());
    sky.setColorAt(1, QColor(0x0c, 0x3f, 0x58));
    painter.fillRect(image.rect(), sky);
    // Faint rings around the centre, echoing the centre graphic's disc.
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        painter.setPen(QPen(QColor(255, 255, 255, 10 - 2 * i), 26));
        painter.drawEllipse(QPointF(406, 356), 200.0 + 70 * i, 200.0 + 70 * i);
    }
    // A thin teal line under the header lines' band.
    painter.fillRect(QRectF(0, 0, image.width(), 4), teal());
    return image;
}

QImage splashPicture() {
    QImage image(520, 316, QImage::Format_RGB32);
    QPainter painter(&image);
    smooth(painter);
    QLinearGradient sky(0, 0, image.width(), image.height());
    sky.setColorAt(0, navy());
    sky.setColorAt(1, QColor(0x0c, 0x4a, 0x5e));
    painter.fillRect(image.rect(), sky);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        painter.setPen(QPen(QColor(255, 255, 255, 12 - 3 * i), 18));
        painter.drawEllipse(QPointF(392, 150), 150.0 + 54 * i, 150.0 + 54 * i);
    }
    drawBadgeMotif(painter, QPointF(272, 30), 240, true);

    // The left half stays calm for the product and version lines the window sets over it.
    painter.setPen(QColor(255, 255, 255, 215));
    painter.setFont(face(bodyFace(), 15, QFont::Normal));
    painter.drawText(QRectF(30, 258, 250, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Visitor check-in and check-out"));
    painter.fillRect(QRectF(30, 250, 44, 3), tealBright());
    painter.fillRect(QRectF(0, image.height() - 6, image.width(), 6), teal());
    return image;
}

QImage appIcon() {
    QImage image = transparentImage(128, 128);
    QPainter painter(&image);
    smooth(painter);
    const QRectF tile(4, 4, 120, 120);
    QLinearGradient fill(tile.topLeft(), tile.bottomRight());
    fill.setColorAt(0, navyLight());
    fill.setColorAt(1, teal());
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(rounded(tile, 26));
    drawBadgeMotif(painter, QPointF(-6, 0), 140, false);
    return image;
}

QImage companyLogo() {
    QImage image(200, 70, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    smooth(painter);
    // An abstract mark: two interlocking rounded squares.
    painter.setPen(Qt::NoPen);
    painter.setBrush(navy());
    painter.drawPath(rounded(QRectF(12, 13, 32, 32), 8));
    painter.setBrush(tealBright());
    painter.drawPath(rounded(QRectF(26, 25, 32, 32), 8));
    painter.setBrush(Qt::white);
    painter.drawPath(rounded(QRectF(31, 30, 8, 8), 2));

    painter.setPen(ink());
    const QString name = QStringLiteral("My Company");
    qreal size = 26;
    while (size > 10 &&
           QFontMetricsF(face(headingFace(), size, QFont::Black)).horizontalAdvance(name) > 122)
        size -= 0.5;
    painter.setFont(face(headingFace(), size, QFont::Black));
    painter.drawText(QRectF(68, 10, 130, 32), Qt::AlignLeft | Qt::AlignVCenter, name);
    QFont small = face(bodyFace(), 10, QFont::Bold);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
    painter.setFont(small);
    painter.setPen(teal());
    painter.drawText(QRectF(69, 42, 130, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("YOUR LOGO HERE"));
    return image;
}

QImage labelLogo() {
    // 2200 x 255 twips at 600 dots per inch.
    const int dpi = 600;
    const int width = qRound(2200.0 * dpi / 1440.0);
    const int height = qRound(255.0 * dpi / 1440.0);
    QImage image = transparentImage(width, height);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    QPainter painter(&image);
    smooth(painter);
    QFont font = face(bodyFace(), height * 0.4, QFont::Bold);
    font.setLetterSpacing(QFont::PercentageSpacing, 110);
    const QString text = QStringLiteral("PLEASE CHECK OUT");
    const qreal textWidth = QFontMetricsF(font).horizontalAdvance(text);
    const qreal pillHeight = height * 0.86;
    const QRectF pill((width - textWidth) / 2 - pillHeight * 0.45, (height - pillHeight) / 2,
                      textWidth + pillHeight * 0.9, pillHeight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPath(rounded(pill, pillHeight / 2));
    painter.setPen(Qt::white);
    painter.setFont(font);
    painter.drawText(pill, Qt::AlignCenter, text);
    return image;
}

bool writePictures(const QString& dataDir, QString* error) {
    const QString art = dataDir + QStringLiteral("/artwork");
    if (!QDir().mkpath(art)) {
        if (error)
            *error = QStringLiteral("%1: cannot create the folder").arg(art);
        return false;
    }
    const struct {
        QImage image;
        QString path;
        const char* format;
    } files[] = {
        {buttonPicture(false, false), art + QStringLiteral("/MouseOut0.png"), "png"},
        {buttonPicture(false, true), art + QStringLiteral("/MouseOver0.png"), "png"},
        {buttonPicture(true, false), art + QStringLiteral("/MouseOut1.png"), "png"},
        {buttonPicture(true, true), art + QStringLiteral("/MouseOver1.png"), "png"},
        {centerGraphic(), art + QStringLiteral("/CenterGraphic.png"), "png"},
        {background(), art + QStringLiteral("/Background.png"), "png"},
        {splashPicture(), art + QStringLiteral("/Splash.png"), "png"},
        {appIcon(), art + QStringLiteral("/AppIcon.png"), "png"},
        {labelLogo(), art + QStringLiteral("/LabelLogo.png"), "png"},
        {companyLogo().convertToFormat(QImage::Format_RGB888),
         dataDir + QStringLiteral("/CompLogo.bmp"), "bmp"},
    };
    for (const auto& file : files) {
        if (!save(file.image, file.path, file.format, error))
            return false;
    }
    return true;
}

} // namespace zelkora::artwork
