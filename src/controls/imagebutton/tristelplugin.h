#pragma once

#include "controls/common/designerplugin.h"
#include "controls/imagebutton/hoverbutton.h"

#include <QObject>
#include <QPointer>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

class QAction;

namespace zelkora::controls {

// Offers HoverButton in Qt Designer's widget box, with the property page General in its
// context menu; a button placed there starts with no pictures.
class TristelPlugin : public QObject, public DesignerWidgetPlugin<HoverButton> {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QDesignerCustomWidgetInterface_iid)
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit TristelPlugin(QObject* parent = nullptr);

    QWidget* createWidget(QWidget* parent) override;

protected:
    void initializeExtensions(QDesignerFormEditorInterface* core) override;
};

// The button's context-menu entry in Designer, which opens the property page General.
class HoverButtonTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    HoverButtonTaskMenu(HoverButton* button, QObject* parent);

    QAction* preferredEditAction() const override;
    QList<QAction*> taskActions() const override;

private:
    void editMousePointer();

    QPointer<HoverButton> m_button;
    QAction* m_editAction;
};

class HoverButtonTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT

public:
    explicit HoverButtonTaskMenuFactory(QExtensionManager* parent);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

} // namespace zelkora::controls
