#include "controls/imagebutton/hoverbuttonaccessible.h"

#include "controls/common/accessiblefactory.h"
#include "controls/imagebutton/hoverbutton.h"

namespace zelkora::controls {

HoverButtonAccessible::HoverButtonAccessible(HoverButton* button)
    : AccessibleButton(button, {QStringLiteral("Space"), QStringLiteral("Return")}) {}

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

void HoverButtonAccessible::press() {
    button()->click();
}

void installHoverButtonAccessibility() {
    installAccessibleFactory<HoverButton, HoverButtonAccessible>();
}

} // namespace zelkora::controls
