#include "controls/autosize/autosizeaccessible.h"

#include "controls/autosize/autosizetextbox.h"

#include <QLineEdit>

namespace zelkora::controls {

namespace {

QAccessibleInterface* autoSizeTextboxFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("zelkora::controls::AutoSizeTextbox") && object &&
        object->isWidgetType()) {
        // Qt's accessibility cache owns the interfaces its factories create.
        return new AutoSizeTextboxAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

} // namespace

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
    static const bool installed = [] {
        QAccessible::installFactory(autoSizeTextboxFactory);
        return true;
    }();
    Q_UNUSED(installed)
}

} // namespace zelkora::controls
