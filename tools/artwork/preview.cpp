// Draws, for checking by eye, a contact sheet of the station's pictures and sounds and mocks of
// the home screen laid out from the layout file on the design screen and on a wide screen.
//
//   zelkora_artwork_preview <data folder> <output folder>

#include "app/gui/resourcepicture.h"
#include "palette.h"
#include "settings/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QtEndian>
#include <cmath>
#include <cstdio>

using namespace zelkora;

namespace {

QFont font(const QString& family, qreal points, int weight = QFont::Normal) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setWeight(static_cast<QFont::Weight>(weight));
    return f;
}

void drawWave(QPainter& p, const QRect& box, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    p.fillRect(box, QColor(0xf4, 0xf6, 0xf8));
    p.setPen(QColor(0x0e, 0x7c, 0x86));
    const int count = static_cast<int>((bytes.size() - 44) / 2);
    for (int x = 0; x < box.width(); ++x) {
        int lo = 0, hi = 0;
        for (int i = x * count / box.width(); i < (x + 1) * count / box.width(); ++i) {
            const qint16 s = qFromLittleEndian<qint16>(bytes.constData() + 44 + 2 * i);
            lo = std::min<int>(lo, s);
            hi = std::max<int>(hi, s);
        }
        const int mid = box.center().y();
        p.drawLine(box.left() + x, mid - hi * box.height() / 65536, box.left() + x,
                   mid - lo * box.height() / 65536);
    }
    p.setPen(Qt::black);
    p.drawText(box.adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("%1  (%2 s)")
                   .arg(QFileInfo(path).fileName())
                   .arg(count / 44100.0, 0, 'f', 2));
}

bool contactSheet(const QString& data, const QString& out) {
    QImage sheet(1400, 1280, QImage::Format_RGB32);
    sheet.fill(QColor(0xd9, 0xde, 0xe3));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(700, 0, 700, 760), artwork::navy());
    p.setFont(font(QStringLiteral("Liberation Sans"), 9));
    int x = 20, y = 20, rowHeight = 0;
    auto place = [&](const QImage& image, const QString& caption, int column) {
        const int left = column == 0 ? 20 : 720;
        if (x < left || x + image.width() > left + 680) {
            x = left;
            y += rowHeight + 30;
            rowHeight = 0;
        }
        p.drawImage(x, y, image);
        p.setPen(column == 0 ? Qt::black : Qt::white);
        p.drawText(x, y + image.height() + 14,
                   QStringLiteral("%1 %2x%3").arg(caption).arg(image.width()).arg(image.height()));
        x += std::max(image.width(), 150) + 20;
        rowHeight = std::max(rowHeight, image.height());
    };
    const Artwork all[] = {Artwork::ButtonMouseOut,   Artwork::ButtonMouseOver,
                           Artwork::CheckoutMouseOut, Artwork::CheckoutMouseOver,
                           Artwork::CenterGraphic,    Artwork::AppIcon,
                           Artwork::Splash,           Artwork::LabelLogo};
    for (int column = 0; column < 2; ++column) {
        x = column == 0 ? 20 : 720;
        y = 20;
        rowHeight = 0;
        for (Artwork art : all) {
            QImage image = ArtworkImage(art);
            if (art == Artwork::LabelLogo)
                image = image.scaledToWidth(458, Qt::SmoothTransformation);
            place(image, ArtworkFileName(art), column);
        }
        place(QImage(data + QStringLiteral("/CompLogo.bmp")), QStringLiteral("CompLogo.bmp"),
              column);
    }
    y = 880;
    p.setPen(Qt::black);
    for (int id = 101; id <= 105; ++id) {
        p.drawPixmap(20, y, ResourceBitmap(id));
        p.drawText(430, y + 16, QStringLiteral("footer %1").arg(id));
        y += 36;
    }
    const QImage backdrop = ArtworkImage(Artwork::Background);
    p.drawImage(QRect(720, 780, 406, 298), backdrop);
    p.drawText(720, 1094, QStringLiteral("Background.png (half size)"));
    int wy = 1070;
    for (const char* name : {"LoginRFID.wav", "LogoutRFID.wav", "InvalidRFID.wav"}) {
        drawWave(p, QRect(20, wy, 600, 56), data + QLatin1Char('/') + QLatin1String(name));
        wy += 66;
    }
    p.end();
    return sheet.save(out + QStringLiteral("/contact-sheet.png"));
}

struct Caption {
    QString line1;
    QString line2;
};

// Draws a picture button as the transparent picture box lays out its captions.
void drawButton(QPainter& p, const QImage& picture, QPoint at, const Caption& caption, qreal v) {
    p.drawImage(at, picture);
    const QFont f1 = font(QStringLiteral("Liberation Sans"), std::floor(13 * v), QFont::Bold);
    const QFont f2 = font(QStringLiteral("Liberation Sans"), std::floor(9 * v));
    const QFontMetrics m1(f1), m2(f2);
    const int w = picture.width(), h = picture.height();
    p.setPen(artwork::ink());
    if (caption.line1.isEmpty())
        return;
    if (caption.line2.isEmpty()) {
        p.setFont(f1);
        p.drawText(at.x() + w / 2 - m1.horizontalAdvance(caption.line1) / 2,
                   at.y() + h / 2 - m1.height() / 2 + m1.ascent(), caption.line1);
        return;
    }
    int top1 = h / 4;
    if (h / 2 <= m1.height() + top1)
        top1 = static_cast<int>(std::floor(h / 4.0 - m2.height() / 3.0));
    const int top2 = h * 3 / 4 - m2.height();
    p.setFont(f1);
    p.drawText(at.x() + w / 2 - m1.horizontalAdvance(caption.line1) / 2,
               at.y() + top1 + m1.ascent(), caption.line1);
    p.setFont(f2);
    p.drawText(at.x() + w / 2 - m2.horizontalAdvance(caption.line2) / 2,
               at.y() + top2 + m2.ascent(), caption.line2);
}

// The home screen on a screen of `width` x `height` pixels at 15 twips per pixel.
bool homeMock(const QString& data, const QString& out, int width, int height) {
    const double v = (height + 10.0) / (8945.0 / 15);
    const double hs = (width + 10.0) / (12195.0 / 15);
    const int menuHeight = 22;
    QImage screen(width, height, QImage::Format_RGB32);
    QPainter p(&screen);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.fillRect(QRect(0, 0, width, menuHeight), QColor(0xef, 0xf0, 0xf1));
    p.setPen(Qt::black);
    p.setFont(font(QStringLiteral("Liberation Sans"), 9));
    p.drawText(QRect(8, 0, 400, menuHeight), Qt::AlignVCenter,
               QStringLiteral("File    Utilities    Help"));
    p.translate(-5, menuHeight); // the window's border lies just beyond the screen's edge
    const int clientWidth = width + 10;
    p.drawImage(QRect(0, 0, clientWidth, height + 10 - menuHeight),
                ArtworkImage(Artwork::Background));

    cInifile ini;
    ini.setPath(data + QStringLiteral("/orvsecurity.ini"));
    ini.setDefault(QString());
    auto value = [&](const char* section, const char* key) {
        ini.setSection(QLatin1String(section));
        ini.setKey(QLatin1String(key));
        return ini.Value().toDouble();
    };
    const int c = qRound(clientWidth / 2.0);
    auto scaled = [&](const QImage& image) {
        return image.scaled(qRound(image.width() * v), qRound(image.height() * v),
                            Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };

    // Header lines.
    const QFont head1 = font(QStringLiteral("Lato"), std::floor(20 * v), QFont::Bold);
    const QFont head2 = font(QStringLiteral("Lato"), std::floor(30 * v), QFont::Black);
    p.setPen(Qt::white);
    p.setFont(head1);
    const QString welcome1 = QStringLiteral("Welcome to");
    const int w1 = QFontMetrics(head1).horizontalAdvance(welcome1);
    p.drawText(QRect((clientWidth - w1) / 2, qRound(value("HeaderLine1", "Top") * v), w1 + 2,
                     QFontMetrics(head1).height()),
               Qt::AlignCenter, welcome1);
    p.setFont(head2);
    const double width2 = value("HeaderLine2", "Width");
    const QRectF line2(qRound(value("HeaderLine2", "Left") * v) * hs + c - width2 / 2,
                       value("HeaderLine2", "Top") * v, width2, value("HeaderLine2", "Height") * v);
    p.drawText(line2, Qt::AlignCenter, QStringLiteral("My Company, Inc."));
    p.setPen(QColor(255, 255, 255, 60));
    p.drawRect(line2);

    // Logo and centre graphic.
    const QImage logo(data + QStringLiteral("/CompLogo.bmp"));
    p.drawImage(QPointF(c + hs * value("CompanyLogo", "Left") - logo.width() / 2.0,
                        value("CompanyLogo", "Top") * v),
                logo);
    const QImage graphic = scaled(ArtworkImage(Artwork::CenterGraphic));
    p.drawImage(QPointF(c + hs * value("CenterLogo", "Left") - graphic.width() / 2.0,
                        value("CenterLogo", "Top") * v),
                graphic);

    // Buttons.
    const Caption captions[] = {{QStringLiteral("Visitor"), QStringLiteral("Meetings and guests")},
                                {QStringLiteral("Contractor"), QStringLiteral("Works on site")},
                                {QStringLiteral("Delivery"), QString()},
                                {QStringLiteral("Interview"), QStringLiteral("Job candidates")},
                                {QStringLiteral("Vendor"), QStringLiteral("Sales visits")},
                                {QStringLiteral("Event Guest"), QStringLiteral("Seminars")},
                                {QStringLiteral("Staff"), QStringLiteral("Forgot your card?")}};
    const QImage out0 = scaled(ArtworkImage(Artwork::ButtonMouseOut));
    const QImage over0 = scaled(ArtworkImage(Artwork::ButtonMouseOver));
    const int b = qRound(out0.width() / 2.0);
    for (int i = 0; i < 7; ++i) {
        const QByteArray section = "Label" + QByteArray::number(i);
        const QPoint at(qRound(c + hs * value(section.constData(), "Left") - b),
                        qRound(value(section.constData(), "Top") * v));
        drawButton(p, i == 1 ? over0 : out0, at, captions[i], v);
    }
    const QImage out1 = scaled(ArtworkImage(Artwork::CheckoutMouseOut));
    p.drawImage(QPointF(c + hs * value("Checkout", "Left") - out1.width() / 2.0,
                        value("Checkout", "Top") * v),
                out1);
    p.end();
    return screen.save(out + QStringLiteral("/home-%1x%2.png").arg(width).arg(height));
}

// A security label with the design geometry of its fields (twips), sample texts and the fixed
// strip, to see that the strip leaves the date and the badge number clear.
bool labelMock(const QString& out) {
    const double scale = 0.15; // pixels per twip
    QImage label(qRound(5760 * scale), qRound(3062 * scale), QImage::Format_RGB32);
    label.fill(Qt::white);
    QPainter p(&label);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
    auto field = [&](QRectF box, const QString& text, qreal points, Qt::Alignment align) {
        QFont f = font(QStringLiteral("Lato"), points, QFont::Black);
        f.setPixelSize(qRound(points * 20)); // twips
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(box, align | Qt::AlignVCenter, text);
        p.setPen(QPen(QColor(255, 0, 0, 90), 0));
        p.drawRect(box);
    };
    field(QRectF(270, -100, 5220, 540), QStringLiteral("My Company, Inc."), 14.5, Qt::AlignHCenter);
    field(QRectF(270, 530, 5220, 540), QStringLiteral("Jane Smith"), 22, Qt::AlignHCenter);
    field(QRectF(270, 910, 5220, 990), QStringLiteral("VISITOR"), 30, Qt::AlignHCenter);
    field(QRectF(270, 1970, 5220, 270), QStringLiteral("Host: R. Jones"), 10, Qt::AlignHCenter);
    field(QRectF(270, 2300, 5220, 270), QStringLiteral("Meeting room 2"), 10, Qt::AlignHCenter);
    field(QRectF(270, 2660, 5220, 360), QStringLiteral("12/03/2010 09:05 AM"), 9, Qt::AlignLeft);
    field(QRectF(3060, 2660, 2430, 360), QStringLiteral("ID # 12345"), 9, Qt::AlignRight);
    p.drawImage(QRectF(2400, 2750, 2200, 255), ArtworkImage(Artwork::LabelLogo));
    p.end();
    return label.save(out + QStringLiteral("/label.png"));
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: zelkora_artwork_preview <data folder> <output folder>\n");
        return 2;
    }
    const QString data = args.at(1);
    const QString out = args.at(2);
    QDir().mkpath(out);
    const bool ok = contactSheet(data, out) && homeMock(data, out, 803, 586) &&
                    homeMock(data, out, 1920, 1080) && homeMock(data, out, 1280, 1024) &&
                    labelMock(out);
    return ok ? 0 : 1;
}
