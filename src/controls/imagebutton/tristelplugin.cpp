#include "controls/imagebutton/tristelplugin.h"

#include "controls/imagebutton/general.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QExtensionManager>

namespace zelkora::controls {

TristelPlugin::TristelPlugin(QObject* parent)
    : QObject(parent)
    , DesignerWidgetPlugin<HoverButton>(
          {QStringLiteral("Three-state image button"),
           QStringLiteral("A button drawn from three pictures: ImageOut, ImageOver while the "
                          "mouse is over it, and ImageDown while it is held down."),
           QStringLiteral("controls/imagebutton/hoverbutton.h"), QStringLiteral("hoverButton"),
           QSize(64, 32)}) {}

QWidget* TristelPlugin::createWidget(QWidget* parent) {
    auto* button = static_cast<HoverButton*>(DesignerWidgetPlugin::createWidget(parent));
    button->initProperties();
    return button;
}

void TristelPlugin::initializeExtensions(QDesignerFormEditorInterface* core) {
    if (!core)
        return;
    QExtensionManager* manager = core->extensionManager();
    if (manager)
        manager->registerExtensions(new HoverButtonTaskMenuFactory(manager),
                                    Q_TYPEID(QDesignerTaskMenuExtension));
}

HoverButtonTaskMenu::HoverButtonTaskMenu(HoverButton* button, QObject* parent)
    : QObject(parent)
    , m_button(button)
    , m_editAction(new QAction(QStringLiteral("Edit MousePointer..."), this)) {
    connect(m_editAction, &QAction::triggered, this, &HoverButtonTaskMenu::editMousePointer);
}

QAction* HoverButtonTaskMenu::preferredEditAction() const {
    return m_editAction;
}

QList<QAction*> HoverButtonTaskMenu::taskActions() const {
    return {m_editAction};
}

void HoverButtonTaskMenu::editMousePointer() {
    if (!m_button)
        return;
    QDialog dialog(m_button->window());
    dialog.setWindowTitle(QStringLiteral("HoverButton Properties"));
    auto* page = new General(&dialog);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(page);
    layout->addWidget(buttons);

    // Through the form window's cursor, so Designer records the change (and can undo it).
    if (QDesignerFormWindowInterface* form =
            QDesignerFormWindowInterface::findFormWindow(m_button.data())) {
        page->setPropertyWriter([form](QObject* control, const char* name, const QVariant& value) {
            if (control->isWidgetType())
                form->cursor()->setWidgetProperty(static_cast<QWidget*>(control),
                                                  QString::fromLatin1(name), value);
        });
    }
    page->setSelectedControls({m_button.data()});

    QPushButton* apply = buttons->button(QDialogButtonBox::Apply);
    apply->setEnabled(false);
    connect(page, &General::changedChanged, apply, &QPushButton::setEnabled);
    const auto applyPage = [&dialog, page] {
        if (!page->isChanged() || page->applyChanges())
            return true;
        QMessageBox::warning(&dialog, dialog.windowTitle(),
                             QStringLiteral("Invalid property value"));
        return false;
    };
    connect(apply, &QPushButton::clicked, &dialog, applyPage);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, applyPage] {
        if (applyPage())
            dialog.accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.exec();
}

HoverButtonTaskMenuFactory::HoverButtonTaskMenuFactory(QExtensionManager* parent)
    : QExtensionFactory(parent) {}

QObject* HoverButtonTaskMenuFactory::createExtension(QObject* object, const QString& iid,
                                                     QObject* parent) const {
    if (iid != QLatin1String(Q_TYPEID(QDesignerTaskMenuExtension)))
        return nullptr;
    if (auto* button = qobject_cast<HoverButton*>(object))
        return new HoverButtonTaskMenu(button, parent);
    return nullptr;
}

} // namespace zelkora::controls
