#pragma once

#include <QAccessible>
#include <QAccessibleInterface>

namespace zelkora::controls {

// Registers, once per process, the factory that gives every `Control` (subclasses included)
// its `Interface`, constructed from the control.
template <typename Control, typename Interface>
void installAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(
            [](const QString& className, QObject* object) -> QAccessibleInterface* {
                auto* control = qobject_cast<Control*>(object);
                if (control == nullptr ||
                    className != QLatin1String(Control::staticMetaObject.className()))
                    return nullptr;
                // Qt's accessibility cache owns the interfaces its factories create.
                return new Interface(control);
            });
        return true;
    }();
    Q_UNUSED(installed)
}

} // namespace zelkora::controls
