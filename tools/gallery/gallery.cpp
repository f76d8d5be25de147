#include "gallery.h"

#include "controls/autosize/autosizetextbox.h"
#include "controls/imagebutton/hoverbutton.h"
#include "controls/picturebox/vitrel.h"
#include "pictures.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

namespace zelkora::gallery {

using controls::AutoSizeTextbox;
using controls::HoverButton;
using controls::Vitrel;

namespace {

// A checkerboard behind a picture box, so its see-through pixels are plain to see.
class Backdrop : public QWidget {
public:
    Backdrop(QWidget* child, QWidget* parent)
        : QWidget(parent) {
        constexpr int margin = 12;
        child->setParent(this);
        child->move(margin, margin);
        setFixedSize(child->size() + QSize(2 * margin, 2 * margin));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QBrush(checkerTile()));
    }
};

AutoSizeTextbox* textBox(const QString& text, QWidget* parent) {
    auto* box = new AutoSizeTextbox(parent);
    // As the badge title field of the entry window is laid out.
    box->putFont(QFont(QStringLiteral("Arial")));
    box->setAlignment(AutoSizeTextbox::Center);
    box->setBackColor(Qt::white);
    box->setFixedSize(220, 56);
    box->setText(text);
    return box;
}

Vitrel* pictureBox(Vitrel::pbBackStyle backStyle, QWidget* parent) {
    auto* box = new Vitrel(parent);
    box->setBorderStyle(Vitrel::NoBorder);
    box->setBackStyle(backStyle);
    box->setMaskColor(maskMagenta);
    box->setPicture(badgePicture());
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    font.setBold(true);
    box->setLine1Font(font);
    font.setPointSize(9);
    font.setBold(false);
    box->setLine2Font(font);
    box->setLine1ForeColor(Qt::white);
    box->setLine2ForeColor(QColor(0xdd, 0xe8, 0xf5));
    box->setLine1Caption(QStringLiteral("Visitor"));
    box->setLine2Caption(QStringLiteral("Press to check in"));
    return box;
}

HoverButton* imageButton(QWidget* parent) {
    auto* button = new HoverButton(parent);
    button->setImageOut(buttonPicture(ButtonLook::Out));
    button->setImageOver(buttonPicture(ButtonLook::Over));
    button->setImageDown(buttonPicture(ButtonLook::Down));
    button->setFixedSize(button->sizeHint());
    return button;
}

// The button's pictures react to the mouse on its picture child; a synthetic event puts a
// sample into its state without a pointer.
void sendMouse(QWidget* button, QEvent::Type type) {
    QWidget* target = button->findChild<QWidget*>(QStringLiteral("picBack"));
    if (!target)
        return;
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    const Qt::MouseButton pressed = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), pressed, pressed, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

GalleryWindow::GalleryWindow(QWidget* parent)
    : QWidget(parent) {
    setWindowTitle(QStringLiteral("Zelkora control gallery"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    addTextBoxes();
    addPictureBoxes();
    addButtons();
}

QBoxLayout* GalleryWindow::addSection(const QString& title) {
    auto* group = new QGroupBox(title, this);
    auto* row = new QHBoxLayout(group);
    row->setSpacing(18);
    layout()->addWidget(group);
    return row;
}

QWidget* GalleryWindow::addCell(QBoxLayout* section, QWidget* sample, const QString& caption) {
    auto* cell = new QWidget(section->parentWidget());
    auto* column = new QVBoxLayout(cell);
    column->setContentsMargins(4, 4, 4, 4);
    auto* text = new QLabel(caption, cell);
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    text->setWordWrap(true);
    text->setFixedWidth(std::max(sample->width(), 150));
    column->addWidget(sample, 0, Qt::AlignHCenter | Qt::AlignBottom);
    column->addWidget(text, 1, Qt::AlignHCenter | Qt::AlignTop);
    section->addWidget(cell, 0, Qt::AlignTop);
    return cell;
}

void GalleryWindow::addTextBoxes() {
    QBoxLayout* section = addSection(QStringLiteral("AutoSizeTextbox (libfitfield)"));
    addCell(section, textBox(QStringLiteral("Ann Lee"), this),
            QStringLiteral("Short text: the largest size that fits"));
    addCell(section, textBox(QStringLiteral("Dr. Maximiliane Oberhauser-Lindqvist"), this),
            QStringLiteral("Long text: the font shrinks to fit"));

    AutoSizeTextbox* focused = textBox(QStringLiteral("Text Here"), this);
    focused->setShowFocus(true);
    QWidget* cell = addCell(section, focused,
                            QStringLiteral("Focused with ShowFocus: the frame turns FocusColor"));
    m_focusSamples.append({focused->textField(), cell});

    AutoSizeTextbox* disabled = textBox(QStringLiteral("Text Here"), this);
    disabled->putEnabled(false);
    addCell(section, disabled, QStringLiteral("Disabled (Enabled = False)"));
}

void GalleryWindow::addPictureBoxes() {
    QBoxLayout* section = addSection(QStringLiteral("Vitrel (libvitrel)"));
    auto backed = [this](Vitrel* box) { return new Backdrop(box, this); };

    addCell(section, backed(pictureBox(Vitrel::Transparent, this)),
            QStringLiteral("Transparent: the magenta corners and slot show the backdrop"));
    addCell(section, backed(pictureBox(Vitrel::Opaque, this)),
            QStringLiteral("Opaque: the whole picture, mask colour included"));

    Vitrel* oneLine = pictureBox(Vitrel::Transparent, this);
    oneLine->setLine2Visible(false);
    addCell(section, backed(oneLine), QStringLiteral("Line1 only: centred on the picture"));

    Vitrel* disabled = pictureBox(Vitrel::Transparent, this);
    disabled->setEnabled(false);
    addCell(section, backed(disabled), QStringLiteral("Disabled: greyed captions"));

    Vitrel* focused = pictureBox(Vitrel::Transparent, this);
    QWidget* cell = addCell(section, backed(focused),
                            QStringLiteral("Focused: takes keys, draws no focus mark"));
    m_focusSamples.append({focused, cell});
}

void GalleryWindow::addButtons() {
    QBoxLayout* section = addSection(QStringLiteral("HoverButton (libtristel)"));
    addCell(section, imageButton(this), QStringLiteral("Out: ImageOut"));
    m_overButton = imageButton(this);
    addCell(section, m_overButton, QStringLiteral("Mouse over: ImageOver"));
    m_downButton = imageButton(this);
    addCell(section, m_downButton, QStringLiteral("Mouse button down: ImageDown"));
    section->addStretch(1);
}

void GalleryWindow::enterStates() {
    sendMouse(m_overButton, QEvent::MouseMove);
    sendMouse(m_downButton, QEvent::MouseMove);
    sendMouse(m_downButton, QEvent::MouseButtonPress);
    if (!m_focusSamples.isEmpty())
        m_focusSamples.constFirst().target->setFocus(Qt::OtherFocusReason);
}

void GalleryWindow::waitUntilActive() {
    activateWindow();
    const QDeadlineTimer deadline(2000);
    while (!isActiveWindow() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

QImage GalleryWindow::render() {
    waitUntilActive();
    QCoreApplication::processEvents();
    QImage image = grab().toImage();
    QPainter painter(&image);
    for (const FocusSample& sample : m_focusSamples) {
        sample.target->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        // Grabbed through the window, so the cell keeps the background its group box paints.
        const QRect area(sample.cell->mapTo(this, QPoint(0, 0)), sample.cell->size());
        painter.drawPixmap(area.topLeft(), grab(area));
    }
    return image;
}

} // namespace zelkora::gallery
