#pragma once

#include <QIcon>
#include <QSize>
#include <QString>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <utility>

namespace zelkora::controls {

// What the controls' Qt Designer plugins share: one `Control` in the widget box group
// "Zelkora", never a container, created in design mode. A plugin class derives from QObject
// and from this, and adds Q_PLUGIN_METADATA and Q_INTERFACES(QDesignerCustomWidgetInterface).
template <typename Control>
class DesignerWidgetPlugin : public QDesignerCustomWidgetInterface {
public:
    // What the widget box shows, and what a control dropped on a form starts with.
    struct Entry {
        QString toolTip;
        QString whatsThis;
        QString includeFile;
        QString objectName;
        QSize size;
    };

    explicit DesignerWidgetPlugin(Entry entry)
        : m_entry(std::move(entry)) {}

    QString name() const override {
        return QString::fromLatin1(Control::staticMetaObject.className());
    }
    QString group() const override { return QStringLiteral("Zelkora"); }
    QString toolTip() const override { return m_entry.toolTip; }
    QString whatsThis() const override { return m_entry.whatsThis; }
    QString includeFile() const override { return m_entry.includeFile; }
    QIcon icon() const override { return {}; }
    bool isContainer() const override { return false; }

    QWidget* createWidget(QWidget* parent) override {
        auto* control = new Control(parent); // Designer owns the widgets it asks for
        control->setDesignMode(true);
        return control;
    }

    bool isInitialized() const override { return m_initialized; }
    void initialize(QDesignerFormEditorInterface* core) override {
        if (m_initialized)
            return;
        m_initialized = true;
        initializeExtensions(core);
    }

    QString domXml() const override {
        return QStringLiteral("<ui language=\"c++\">\n"
                              " <widget class=\"%1\" name=\"%2\">\n"
                              "  <property name=\"geometry\">\n"
                              "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height>"
                              "</rect>\n"
                              "  </property>\n"
                              " </widget>\n"
                              "</ui>\n")
            .arg(name(), m_entry.objectName)
            .arg(m_entry.size.width())
            .arg(m_entry.size.height());
    }

protected:
    // Runs once, at Designer's first initialize: the place to register extensions.
    virtual void initializeExtensions(QDesignerFormEditorInterface* core) { Q_UNUSED(core) }

private:
    Entry m_entry;
    bool m_initialized = false;
};

} // namespace zelkora::controls
