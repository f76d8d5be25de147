#include "controls/imagebutton/hoverbutton.h"

#include "controls/common/bagvalues.h"
#include "controls/common/eventcodes.h"
#include "controls/common/mousepointer.h"
#include "controls/imagebutton/hoverbuttonaccessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMetaClassInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace zelkora::controls {

namespace {

const QLatin1String imageOverName("ImageOver");
const QLatin1String imageOutName("ImageOut");
const QLatin1String imageDownName("ImageDown");
const QLatin1String mouseIconName("MouseIcon");
const QLatin1String mousePointerName("MousePointer");
const QLatin1String backColorName("BackColor");

} // namespace

// picBack: fills the button, paints the current picture unscaled at its top left over the
// background colour, and hands all mouse input to the button.
class HoverButtonPicture : public QWidget {
public:
    explicit HoverButtonPicture(HoverButton* owner)
        : QWidget(owner)
        , m_owner(owner) {
        setObjectName(QStringLiteral("picBack"));
        setFocusPolicy(Qt::NoFocus);
    }

    void setPicture(const QPixmap& picture) {
        m_picture = picture;
        update();
    }
    QPixmap picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        // Resolved at every paint, so a system colour follows a change of the desktop theme.
        painter.fillRect(rect(), colorFromOle(m_owner->m_backColor));
        if (!m_picture.isNull())
            painter.drawPixmap(0, 0, m_picture);
        if (m_owner->showsFocusFrame()) {
            // Drawn here rather than by the style: some styles tint the whole focused area,
            // which would hide the picture.
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
        }
    }

    void mouseMoveEvent(QMouseEvent*) override {
        if (!m_owner->m_designMode)
            m_owner->onMouseMove();
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (!m_owner->m_designMode)
            m_owner->onMousePress(*event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (!m_owner->m_designMode)
            m_owner->onMouseDoubleClick(*event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!m_owner->m_designMode)
            m_owner->onMouseRelease(*event);
    }

private:
    HoverButton* m_owner;
    QPixmap m_picture;
};

HoverButton::HoverButton(QWidget* parent)
    : QWidget(parent)
    , picBack(new HoverButtonPicture(this))
    , m_cPTM(new cMouseTrack(this)) {
    installHoverButtonAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    picBack->setPicture(m_imageOut);
    m_cPTM->setObjectName(QStringLiteral("m_cPTM"));
    m_cPTM->AttachMouseTracking(picBack, cMouseTrack::automaticMethod);
    connect(m_cPTM, &cMouseTrack::MouseHover, this, &HoverButton::onTrackerHover);
    connect(m_cPTM, &cMouseTrack::MouseLeave, this, &HoverButton::onTrackerLeave);
}

HoverButton::~HoverButton() {
    m_cPTM->DetachMouseTracking();
}

void HoverButton::setImageOver(const QPixmap& picture) {
    m_imageOver = picture;
    Q_EMIT propertyChanged(imageOverName);
}

void HoverButton::setImageOut(const QPixmap& picture) {
    m_imageOut = picture;
    picBack->setPicture(m_imageOut);
    Q_EMIT propertyChanged(imageOutName);
}

void HoverButton::setImageDown(const QPixmap& picture) {
    m_imageDown = picture;
    Q_EMIT propertyChanged(imageDownName);
}

QPixmap HoverButton::mouseIcon() const {
    return m_mouseIcon;
}

void HoverButton::setMouseIcon(const QPixmap& icon) {
    m_mouseIcon = icon;
    updatePointer();
    Q_EMIT propertyChanged(mouseIconName);
}

bool HoverButton::isValidMousePointer(int pointer) {
    return isMousePointerCode(pointer);
}

void HoverButton::setMousePointer(int pointer) {
    if (!isValidMousePointer(pointer))
        return;
    m_mousePointer = pointer;
    updatePointer();
    Q_EMIT propertyChanged(mousePointerName);
}

QColor HoverButton::backColor() const {
    return colorFromOle(m_backColor);
}

void HoverButton::setBackColor(const QColor& color) {
    if (!color.isValid())
        return;
    setBackColorValue(oleFromColor(color));
}

void HoverButton::setBackColorValue(quint32 value) {
    m_backColor = value;
    picBack->update();
    Q_EMIT propertyChanged(backColorName);
}

void HoverButton::initProperties() {
    m_imageDown = QPixmap();
    m_imageOver = QPixmap();
    m_imageOut = QPixmap();
}

void HoverButton::readProperties(const PropertyBag& bag) {
    m_imageOver = pictureFrom(bag.read(imageOverName, {}));
    m_imageOut = pictureFrom(bag.read(imageOutName, {}));
    m_imageDown = pictureFrom(bag.read(imageDownName, {}));
    m_mouseIcon = pictureFrom(bag.read(mouseIconName, {}));

    // A value this control would refuse at run time falls back to its default.
    bool ok = false;
    const int pointer = bag.read(mousePointerName, int(Default)).toInt(&ok);
    m_mousePointer = ok && isValidMousePointer(pointer) ? pointer : int(Default);

    m_backColor = oleColorFrom(bag.read(backColorName, defaultBackColor), defaultBackColor);

    picBack->setPicture(m_imageOut);
    updatePointer();
    picBack->update();
}

void HoverButton::writeProperties(PropertyBag& bag) const {
    bag.write(imageOverName, pictureData(m_imageOver), {});
    bag.write(imageOutName, pictureData(m_imageOut), {});
    bag.write(imageDownName, pictureData(m_imageDown), {});
    bag.write(mouseIconName, pictureData(m_mouseIcon), {});
    bag.write(mousePointerName, m_mousePointer, int(Default));
    bag.write(backColorName, m_backColor, defaultBackColor);
}

void HoverButton::click() {
    Q_EMIT Click();
}

QPixmap HoverButton::shownPicture() const {
    return picBack->picture();
}

QString HoverButton::eventName(int dispId) {
    static const char* const names[] = {"Click",   "MouseOver",  "MouseOut", "MouseDown",
                                        "MouseUp", "MouseHover", "DblClick"};
    if (dispId < 1 || dispId > int(std::size(names)))
        return {};
    return QString::fromLatin1(names[dispId - 1]);
}

QString HoverButton::description(const QString& name) {
    const QByteArray key = "Description." + name.toLatin1();
    const QMetaObject& meta = staticMetaObject;
    const int index = meta.indexOfClassInfo(key.constData());
    return index < 0 ? QString() : QString::fromLatin1(meta.classInfo(index).value());
}

QSize HoverButton::sizeHint() const {
    if (!m_imageOut.isNull())
        return m_imageOut.deviceIndependentSize().toSize();
    return {64, 32};
}

void HoverButton::resizeEvent(QResizeEvent* event) {
    picBack->setGeometry(0, 0, width(), height());
    QWidget::resizeEvent(event);
}

void HoverButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat() && !m_designMode) {
            m_spaceDown = true;
            showPicture(ButtonState::Down);
            setState(ButtonState::Down);
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat() && !m_designMode)
            click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void HoverButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (event->isAutoRepeat() || !m_spaceDown)
        return;
    m_spaceDown = false;
    showPicture(m_mouseOver ? ButtonState::Over : ButtonState::Out);
    setState(m_mouseOver ? ButtonState::Over : ButtonState::Out);
    click();
}

void HoverButton::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    m_focusFrame = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                   reason == Qt::ShortcutFocusReason;
    picBack->update();
    QWidget::focusInEvent(event);
}

void HoverButton::focusOutEvent(QFocusEvent* event) {
    // Space released elsewhere cancels the press, as with any push button.
    if (m_spaceDown) {
        m_spaceDown = false;
        showPicture(m_mouseOver ? ButtonState::Over : ButtonState::Out);
        setState(m_mouseOver ? ButtonState::Over : ButtonState::Out);
    }
    m_focusFrame = false;
    picBack->update();
    QWidget::focusOutEvent(event);
}

void HoverButton::onMouseMove() {
    if (m_cPTM->Tracking())
        return;
    showPicture(ButtonState::Over);
    m_cPTM->StartMouseTracking();
    m_mouseOver = true;
    if (m_state == ButtonState::Out)
        setState(ButtonState::Over);
    Q_EMIT MouseOver();
}

void HoverButton::onMousePress(const QMouseEvent& event) {
    if (event.button() == Qt::LeftButton) {
        m_leftPressed = true;
        m_doubleClicked = false;
    }
    showPicture(ButtonState::Down);
    setState(ButtonState::Down);
    const QPointF at = event.position();
    Q_EMIT MouseDown(buttonCode(event.button()), shiftCode(event.modifiers()), float(at.x()),
                     float(at.y()));
}

void HoverButton::onMouseDoubleClick(const QMouseEvent& event) {
    // The second press of a left double click reports DblClick in place of MouseDown.
    if (event.button() != Qt::LeftButton) {
        onMousePress(event);
        return;
    }
    m_leftPressed = true;
    m_doubleClicked = true;
    showPicture(ButtonState::Down);
    setState(ButtonState::Down);
    Q_EMIT DblClick();
}

void HoverButton::onMouseRelease(const QMouseEvent& event) {
    const bool clicks = event.button() == Qt::LeftButton && m_leftPressed && !m_doubleClicked &&
                        picBack->rect().contains(event.position().toPoint());
    if (event.button() == Qt::LeftButton) {
        m_leftPressed = false;
        m_doubleClicked = false;
    }
    showPicture(ButtonState::Over);
    setState(ButtonState::Over);
    const QPointF at = event.position();
    Q_EMIT MouseUp(buttonCode(event.button()), shiftCode(event.modifiers()), float(at.x()),
                   float(at.y()));
    if (clicks)
        Q_EMIT Click();
}

void HoverButton::onTrackerHover() {
    Q_EMIT MouseHover();
    m_cPTM->StartMouseTracking();
}

void HoverButton::onTrackerLeave() {
    showPicture(ButtonState::Out);
    m_mouseOver = false;
    if (!m_spaceDown)
        setState(ButtonState::Out);
    Q_EMIT MouseOut();
}

QPixmap HoverButton::pictureFor(ButtonState state) const {
    // A missing picture falls back to the one of the calmer state, so a button without
    // ImageOver does not keep looking pressed after the release.
    switch (state) {
    case ButtonState::Down:
        if (!m_imageDown.isNull())
            return m_imageDown;
        [[fallthrough]];
    case ButtonState::Over:
        if (!m_imageOver.isNull())
            return m_imageOver;
        [[fallthrough]];
    case ButtonState::Out:
        break;
    }
    return m_imageOut;
}

void HoverButton::showPicture(ButtonState state) {
    picBack->setPicture(pictureFor(state));
}

void HoverButton::setState(ButtonState state) {
    if (m_state == state)
        return;
    const bool pressedChanged = (m_state == ButtonState::Down) != (state == ButtonState::Down);
    m_state = state;
    if (pressedChanged && QAccessible::isActive()) {
        QAccessible::State changed;
        changed.pressed = true;
        QAccessibleStateChangeEvent accessibleEvent(this, changed);
        QAccessible::updateAccessibility(&accessibleEvent);
    }
}

void HoverButton::updatePointer() {
    applyMousePointer(*picBack, m_mousePointer, m_mouseIcon);
}

} // namespace zelkora::controls
