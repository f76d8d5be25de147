#pragma once

#include "controls/common/accessiblebutton.h"

namespace zelkora::controls {

class Vitrel;

// What assistive technology sees of a picture button: a push button named by its visible
// caption lines (unless the host gave it an accessible name), whose press action, bound to
// Return, clicks it.
class VitrelAccessible : public AccessibleButton {
public:
    explicit VitrelAccessible(Vitrel* control);

    QString text(QAccessible::Text t) const override;

protected:
    void press() override;

private:
    Vitrel* control() const;
};

} // namespace zelkora::controls
