#include "app/gui/resourcepicture.h"

#include "app/core/stationfolder.h"

#include <QImageReader>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace zelkora {

namespace {

// Accent colour of each footer: the one band design of the station, told apart per dialog.
QColor footerAccent(int id) {
    switch (id) {
    case 101: // RFID card management
        return QColor(0x18, 0xa7, 0xac);
    case 102: // printer selection
        return QColor(0x4f, 0x9d, 0xde);
    case 103: // time capture, password, reports
        return QColor(0x2e, 0xb8, 0x72);
    case 104: // Default Settings
        return QColor(0xf3, 0xb2, 0x3a);
    default:
        return QColor(0x8a, 0x9b, 0xa8);
    }
}

QImage readImage(const QString& path) {
    QImageReader reader(path);
    return reader.read();
}

} // namespace

QPixmap ResourceBitmap(int id) {
    if (id < 101 || id > 105)
        return {};
    // Drawn rather than shipped; the band is uniform along its length, so a dialog that shows
    // only part of it, or a wider one, still looks finished.
    const QColor navy(0x0b, 0x2a, 0x4a);
    QPixmap pixmap(400, 24);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 0, pixmap.height());
    band.setColorAt(0, QColor(0x12, 0x3f, 0x66));
    band.setColorAt(1, navy);
    painter.fillRect(pixmap.rect(), band);
    // A fine diagonal texture, faint enough to stay calm behind nothing.
    painter.setPen(QPen(QColor(255, 255, 255, 14), 1));
    for (int x = -pixmap.height(); x < pixmap.width(); x += 6)
        painter.drawLine(x, pixmap.height(), x + pixmap.height(), 0);
    painter.fillRect(QRect(0, 0, pixmap.width(), 3), footerAccent(id));
    painter.fillRect(QRect(0, 3, pixmap.width(), 1), QColor(0, 0, 0, 60));
    return pixmap;
}

void SetResourcePicture(QLabel* control, int id) {
    control->setPixmap(ResourceBitmap(id));
}

QString ArtworkFileName(Artwork art) {
    switch (art) {
    case Artwork::ButtonMouseOut:
        return QStringLiteral("MouseOut0.png");
    case Artwork::ButtonMouseOver:
        return QStringLiteral("MouseOver0.png");
    case Artwork::CheckoutMouseOut:
        return QStringLiteral("MouseOut1.png");
    case Artwork::CheckoutMouseOver:
        return QStringLiteral("MouseOver1.png");
    case Artwork::CenterGraphic:
        return QStringLiteral("CenterGraphic.png");
    case Artwork::Background:
        return QStringLiteral("Background.png");
    case Artwork::Splash:
        return QStringLiteral("Splash.png");
    case Artwork::AppIcon:
        return QStringLiteral("AppIcon.png");
    case Artwork::LabelLogo:
        return QStringLiteral("LabelLogo.png");
    }
    return {};
}

QSize ArtworkDesignSize(Artwork art) {
    switch (art) {
    case Artwork::ButtonMouseOut:
    case Artwork::ButtonMouseOver:
        return {151, 89};
    case Artwork::CheckoutMouseOut:
    case Artwork::CheckoutMouseOver:
        return {136, 51};
    case Artwork::CenterGraphic:
        return {300, 300};
    case Artwork::Background:
        return {813, 596};
    case Artwork::Splash:
        return {520, 316};
    case Artwork::AppIcon:
        return {128, 128};
    case Artwork::LabelLogo:
        return {917, 106};
    }
    return {};
}

QImage ArtworkImage(Artwork art) {
    const QString relative = QStringLiteral("artwork/") + ArtworkFileName(art);
    for (const QString& folder : {GetAppPath(), InstalledDataPath()}) {
        QImage image = readImage(folder + relative);
        if (!image.isNull())
            return image;
    }
    // Nothing readable: a plain face of the right size keeps every layout that depends on it.
    QImage standIn(ArtworkDesignSize(art), QImage::Format_ARGB32_Premultiplied);
    standIn.fill(art == Artwork::LabelLogo ? QColor(Qt::transparent) : QColor(0x12, 0x3f, 0x66));
    return standIn;
}

} // namespace zelkora
