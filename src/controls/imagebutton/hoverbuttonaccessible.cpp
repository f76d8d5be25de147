#include "controls/imagebutton/hoverbuttonaccessible.h"

#include "controls/imagebutton/hoverbutton.h"

namespace zelkora::controls {

namespace {

QAccessibleInterface* hoverButtonFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(HoverButton::staticMetaObject.className()) && object &&
        object->isWidgetType())
        // Qt's accessibility cache takes ownership of the interfaces a factory returns.
        return new HoverButtonAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

HoverButtonAccessible::HoverButtonAccessible(QWidget* widget)
    : QAccessibleWidget(widget, QAccessible::Button) {}

HoverButton* HoverButtonAccessible::button() const {
    return static_cast<HoverButton*>(widget());
}

QAccessible::State HoverButtonAccessible::state() const {
    QAccessible::State result = QAccessibleWidget::state();
    result.pressed = button()->state() == HoverButton::ButtonState::Down;
    result.hotTracked = button()->state() == HoverButton::ButtonState::Over;
    return result;
}

QString HoverButtonAccessible::text(QAccessible::Text textType) const {
    QString result = QAccessibleWidget::text(textType);
    if (result.isEmpty() && textType == QAccessible::Name)
        result = widget()->toolTip();
    return result;
}

QStringList HoverButtonAccessible::actionNames() const {
    QStringList names;
    if (widget()->isEnabled())
        names << pressAction();
    names << QAccessibleWidget::actionNames();
    return names;
}

void HoverButtonAccessible::doAction(const QString& actionName) {
    if (!widget()->isEnabled())
        return;
    if (actionName == pressAction())
        button()->click();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList HoverButtonAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == pressAction())
        return {QStringLiteral("Space"), QStringLiteral("Return")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void installHoverButtonAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(hoverButtonFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace zelkora::controls
