#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QStringList>
#include <QWidget>
#include <utility>

namespace zelkora::controls {

// What assistive technology sees of a control that is one push button: no children of its own
// (its pictures and captions are part of it) and a press action, offered while the control is
// enabled and bound to `pressKeys`.
class AccessibleButton : public QAccessibleWidget {
public:
    AccessibleButton(QWidget* widget, QStringList pressKeys)
        : QAccessibleWidget(widget, QAccessible::Button)
        , m_pressKeys(std::move(pressKeys)) {}

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& actionName) override {
        if (actionName != pressAction()) {
            QAccessibleWidget::doAction(actionName);
            return;
        }
        if (widget()->isEnabled())
            press();
    }

    QStringList keyBindingsForAction(const QString& actionName) const override {
        if (actionName == pressAction())
            return m_pressKeys;
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }

protected:
    // Clicks the control, as its keys do.
    virtual void press() = 0;

private:
    QStringList m_pressKeys;
};

} // namespace zelkora::controls
