#pragma once

#include <QAccessibleWidget>

namespace zelkora::controls {

class Vitrel;

// What assistive technology sees of a picture button: a push button named by its visible
// caption lines (unless the host gave it an accessible name), with a press action that clicks
// it. The captions are part of the button, not children of their own.
class VitrelAccessible : public QAccessibleWidget {
public:
    explicit VitrelAccessible(Vitrel* control);

    QString text(QAccessible::Text t) const override;
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    Vitrel* control() const;
};

// The factory the control installs once; answers for Vitrel objects only.
QAccessibleInterface* vitrelAccessibleFactory(const QString& className, QObject* object);

} // namespace zelkora::controls
