#include "controls/autosize/autosizeaccessible.h"

#include "controls/autosize/autosizetextbox.h"
#include "controls/common/accessiblefactory.h"

#include <QLineEdit>

namespace zelkora::controls {

AutoSizeTextboxAccessible::AutoSizeTextboxAccessible(QWidget* widget)
    : QAccessibleWidget(widget, QAccessible::EditableText) {}

AutoSizeTextbox* AutoSizeTextboxAccessible::box() const {
    return static_cast<AutoSizeTextbox*>(widget());
}

QString AutoSizeTextboxAccessible::text(QAccessible::Text type) const {
    switch (type) {
    case QAccessible::Name:
        return box()->accessibleLabel();
    case QAccessible::Value:
        // A password field never reads its text aloud.
        return box()->PasswordChar().isEmpty() ? box()->Text() : QString();
    case QAccessible::Description:
        if (!box()->accessibleDescription().isEmpty())
            return box()->accessibleDescription();
        return box()->ToolTipText();
    default:
        return QAccessibleWidget::text(type);
    }
}

QAccessible::State AutoSizeTextboxAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    const QLineEdit* field = box()->textField();
    state.focusable = true;
    state.focused = field->hasFocus();
    state.editable = !field->isReadOnly();
    state.readOnly = field->isReadOnly();
    state.passwordEdit = !box()->PasswordChar().isEmpty();
    state.disabled = !field->isEnabled();
    return state;
}

QAccessibleInterface* AutoSizeTextboxAccessible::focusChild() const {
    QLineEdit* field = box()->textField();
    return field->hasFocus() ? QAccessible::queryAccessibleInterface(field) : nullptr;
}

void installAutoSizeTextboxAccessibility() {
    installAccessibleFactory<AutoSizeTextbox, AutoSizeTextboxAccessible>();
}

} // namespace zelkora::controls
