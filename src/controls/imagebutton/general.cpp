#include "controls/imagebutton/general.h"

#include "controls/imagebutton/hoverbutton.h"

#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

namespace zelkora::controls {

namespace {

constexpr const char* mousePointerProperty = "MousePointer";

QObject* firstOf(const QList<QPointer<QObject>>& controls) {
    for (const auto& control : controls) {
        if (control)
            return control;
    }
    return nullptr;
}

} // namespace

General::General(QWidget* parent)
    : QWidget(parent)
    , lblMousePointer(new QLabel(QStringLiteral("MousePointer:"), this))
    , txtMousePointer(new QLineEdit(this))
    , m_writer([](QObject* control, const char* name, const QVariant& value) {
        control->setProperty(name, value);
    }) {
    setObjectName(QStringLiteral("General"));
    setWindowTitle(QStringLiteral("General"));
    lblMousePointer->setObjectName(QStringLiteral("lblMousePointer"));
    txtMousePointer->setObjectName(QStringLiteral("txtMousePointer"));
    lblMousePointer->setBuddy(txtMousePointer);
    // The property is a 16-bit number; the control itself decides which numbers it takes.
    txtMousePointer->setValidator(new QIntValidator(-32768, 32767, txtMousePointer));

    auto* layout = new QGridLayout(this);
    layout->addWidget(lblMousePointer, 0, 0);
    layout->addWidget(txtMousePointer, 0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);

    connect(txtMousePointer, &QLineEdit::textEdited, this, [this] { setChanged(true); });
}

void General::setSelectedControls(const QList<QObject*>& controls) {
    m_controls.clear();
    for (QObject* control : controls)
        m_controls.append(control);
    const QObject* first = firstOf(m_controls);
    txtMousePointer->setText(first ? first->property(mousePointerProperty).toString() : QString());
    txtMousePointer->setEnabled(first != nullptr);
    setChanged(false);
}

QList<QObject*> General::selectedControls() const {
    QList<QObject*> result;
    for (const auto& control : m_controls) {
        if (control)
            result.append(control);
    }
    return result;
}

bool General::applyChanges() {
    QObject* first = firstOf(m_controls);
    if (!first)
        return false;
    bool ok = false;
    const int pointer = txtMousePointer->text().toInt(&ok);
    if (!ok || !HoverButton::isValidMousePointer(pointer))
        return false;
    m_writer(first, mousePointerProperty, pointer);
    setChanged(false);
    return true;
}

void General::setPropertyWriter(PropertyWriter writer) {
    if (writer)
        m_writer = std::move(writer);
}

void General::setChanged(bool changed) {
    if (m_changed == changed)
        return;
    m_changed = changed;
    Q_EMIT changedChanged(changed);
}

} // namespace zelkora::controls
