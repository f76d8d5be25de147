#pragma once

#include <QAccessibleWidget>

namespace zelkora::controls {

class AutoSizeTextbox;

// What assistive technology is told about an AutoSizeTextbox: an editable text named like
// its label, whose inner edit field is the part that takes the focus.
class AutoSizeTextboxAccessible : public QAccessibleWidget {
public:
    explicit AutoSizeTextboxAccessible(QWidget* widget);

    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;
    QAccessibleInterface* focusChild() const override;

private:
    AutoSizeTextbox* box() const;
};

// Registers the accessibility factory for AutoSizeTextbox once per process.
void installAutoSizeTextboxAccessibility();

} // namespace zelkora::controls
