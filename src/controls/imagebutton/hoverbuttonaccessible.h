#pragma once

#include <QAccessibleWidget>

namespace zelkora::controls {

class HoverButton;

// What assistive technology sees of a HoverButton: a push button with a press action, pressed
// while held down, named by its accessible name (or else its tool tip). The picture child is
// part of the button, not an element of its own.
class HoverButtonAccessible : public QAccessibleWidget {
public:
    explicit HoverButtonAccessible(QWidget* widget);

    QAccessible::State state() const override;
    QString text(QAccessible::Text textType) const override;
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    HoverButton* button() const;
};

// Registers the factory that gives every HoverButton its interface; safe to call repeatedly.
void installHoverButtonAccessibility();

} // namespace zelkora::controls
