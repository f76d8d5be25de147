#include "controls/picturebox/vitrelaccessible.h"

#include "controls/picturebox/vitrel.h"

namespace zelkora::controls {

VitrelAccessible::VitrelAccessible(Vitrel* control)
    : AccessibleButton(control, {QStringLiteral("Return")}) {}

Vitrel* VitrelAccessible::control() const {
    return static_cast<Vitrel*>(widget());
}

QString VitrelAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return control()->accessibleCaption();
    return QAccessibleWidget::text(t);
}

void VitrelAccessible::press() {
    control()->press();
}

} // namespace zelkora::controls
