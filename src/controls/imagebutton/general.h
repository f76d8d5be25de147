#pragma once

#include <QList>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;

namespace zelkora::controls {

// The property page "General": edits the MousePointer of the first selected control in the
// text box txtMousePointer.
class General : public QWidget {
    Q_OBJECT

public:
    // How an applied value reaches a control; a designer passes one that records the change
    // in its form, the default sets the property directly.
    using PropertyWriter = std::function<void(QObject* control, const char* name, QVariant)>;

    explicit General(QWidget* parent = nullptr);

    // A new selection: shows the MousePointer of the first control and clears Changed.
    void setSelectedControls(const QList<QObject*>& controls);
    QList<QObject*> selectedControls() const;

    // True once the text was edited and not yet applied.
    bool isChanged() const { return m_changed; }

    // Sets MousePointer of the first selected control to the text. Returns false, leaving the
    // control and Changed as they were, when the text is no mouse pointer number.
    bool applyChanges();

    void setPropertyWriter(PropertyWriter writer);

Q_SIGNALS:
    void changedChanged(bool changed);

private:
    void setChanged(bool changed);

    QLabel* lblMousePointer = nullptr;
    QLineEdit* txtMousePointer = nullptr;
    QList<QPointer<QObject>> m_controls;
    PropertyWriter m_writer;
    bool m_changed = false;
};

} // namespace zelkora::controls
