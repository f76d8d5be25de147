#include "app/gui/mainwindow_parts.h"

#include "controls/picturebox/vitrel.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace zelkora {

namespace {

// The station's colours: white on deep blue for the header, deep blue ink on the buttons.
const QColor kHeaderText(0xff, 0xff, 0xff);
const QColor kCaptionInk(0x0b, 0x2a, 0x4a);
const QColor kCaptionSoftInk(0x2f, 0x4b, 0x66);
// Never a colour of the button pictures, whose see-through parts are their transparent pixels.
const QColor kMaskColor(0xff, 0x00, 0xff);

QFont face(const char* family, int points, QFont::Weight weight) {
    QFont font{QString::fromLatin1(family)};
    font.setPointSize(points);
    font.setWeight(weight);
    return font;
}

// The default layout file at both scale factors 1, on the design screen's inner width of 813.
constexpr int kDesignCentre = 406;

} // namespace

namespace design {

QFont HeaderLine1Font() {
    return face("Lato", 20, QFont::Bold);
}

QFont HeaderLine2Font() {
    return face("Lato", 30, QFont::Black);
}

QFont CaptionLine1Font() {
    return face("Liberation Sans", 13, QFont::Bold);
}

QFont CaptionLine2Font() {
    return face("Liberation Sans", 9, QFont::Normal);
}

QSize HeaderLineSize() {
    return {800, 52};
}

QPoint HeaderLine1Place() {
    return {kDesignCentre - HeaderLineSize().width() / 2, 14};
}

QPoint HeaderLine2Place() {
    return {kDesignCentre - HeaderLineSize().width() / 2, 50};
}

QPoint CompanyLogoPlace() {
    return {kDesignCentre - 100, 122};
}

QPoint CenterGraphicPlace() {
    return {kDesignCentre - 150, 206};
}

QPoint ButtonPlace(int index) {
    static constexpr QPoint places[] = {{40, 122},  {40, 225},  {40, 328},  {40, 431},
                                        {620, 122}, {620, 225}, {620, 328}, {628, 450}};
    return index >= 0 && index < 8 ? places[index] : QPoint();
}

} // namespace design

HomeBackdrop::HomeBackdrop(QPixmap picture, QWidget* parent)
    : QWidget(parent)
    , m_picture(std::move(picture)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HomeBackdrop::paintEvent(QPaintEvent*) {
    if (m_scaled.size() != size() && !m_picture.isNull())
        m_scaled = m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(this);
    if (m_scaled.isNull())
        painter.fillRect(rect(), QColor(0x0b, 0x2a, 0x4a));
    else
        painter.drawPixmap(0, 0, m_scaled);
}

void HomeBackdrop::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove)
        onMouseMove();
    event->accept();
}

QLabel* makeHeaderLine(QWidget* parent, const QString& name, const QString& caption,
                       const QFont& font) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    // Settings texts are shown as typed, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kHeaderText);
    label->setPalette(palette);
    label->resize(design::HeaderLineSize());
    // Mouse moves over a header line pass on to the backdrop, which ends any hover.
    label->setMouseTracking(true);
    return label;
}

QLabel* makeImage(QWidget* parent, const QString& name, const QString& accessibleName) {
    auto* image = new QLabel(parent);
    image->setObjectName(name);
    image->setAccessibleName(accessibleName);
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    image->resize(0, 0);
    return image;
}

controls::Vitrel* makePictureButton(QWidget* parent, const QString& name, int pair,
                                    const QPixmap& picture) {
    auto* button = new controls::Vitrel(parent);
    button->setObjectName(name);
    button->setDesignMode(true);
    button->setImageIndex(pair);
    button->setDesignMode(false);
    button->setBorderStyle(controls::Vitrel::NoBorder);
    button->setMaskColor(kMaskColor);
    button->setLine1Font(design::CaptionLine1Font());
    button->setLine2Font(design::CaptionLine2Font());
    button->setLine1ForeColor(kCaptionInk);
    button->setLine2ForeColor(kCaptionSoftInk);
    button->setCursor(Qt::PointingHandCursor);
    button->setPicture(picture);
    return button;
}

void fitHeaderHeight(QLabel* label) {
    const int needed = QFontMetrics(label->font()).height();
    if (label->height() < needed)
        label->resize(label->width(), needed);
}

QString ErrorMessageText(const StationError& error) {
    return QStringLiteral("An error occured. \nError : ") + QString::number(error.number) +
           QStringLiteral("\nDescription : ") + error.description;
}

} // namespace zelkora
