#include "controls/picturebox/vitrelaccessible.h"

#include "controls/picturebox/vitrel.h"

namespace zelkora::controls {

VitrelAccessible::VitrelAccessible(Vitrel* control)
    : QAccessibleWidget(control, QAccessible::Button) {}

Vitrel* VitrelAccessible::control() const {
    return static_cast<Vitrel*>(widget());
}

QString VitrelAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return control()->accessibleCaption();
    return QAccessibleWidget::text(t);
}

QStringList VitrelAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (widget()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void VitrelAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        if (widget()->isEnabled())
            control()->press();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QStringList VitrelAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == pressAction())
        return {QStringLiteral("Return")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

QAccessibleInterface* vitrelAccessibleFactory(const QString& className, QObject* object) {
    auto* control = qobject_cast<Vitrel*>(object);
    if (control == nullptr || className != QLatin1String(Vitrel::staticMetaObject.className()))
        return nullptr;
    // Qt's accessibility cache owns the interface.
    return new VitrelAccessible(control);
}

} // namespace zelkora::controls
