#pragma once

#include "controls/common/accessiblebutton.h"

namespace zelkora::controls {

class HoverButton;

// What assistive technology sees of a HoverButton: a push button with a press action (Space
// or Return), pressed while held down, named by its accessible name (or else its tool tip).
// The picture child is part of the button, not an element of its own.
class HoverButtonAccessible : public AccessibleButton {
public:
    explicit HoverButtonAccessible(HoverButton* button);

    QAccessible::State state() const override;
    QString text(QAccessible::Text textType) const override;

protected:
    void press() override;

private:
    HoverButton* button() const;
};

// Registers the factory that gives every HoverButton its interface; safe to call repeatedly.
void installHoverButtonAccessibility();

} // namespace zelkora::controls
