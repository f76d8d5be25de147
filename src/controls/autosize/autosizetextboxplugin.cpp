#include "controls/autosize/autosizetextboxplugin.h"

#include "controls/autosize/autosizetextbox.h"

#include <QIcon>

namespace zelkora::controls {

AutoSizeTextboxPlugin::AutoSizeTextboxPlugin(QObject* parent)
    : QObject(parent) {}

QString AutoSizeTextboxPlugin::name() const {
    return QStringLiteral("zelkora::controls::AutoSizeTextbox");
}

QString AutoSizeTextboxPlugin::group() const {
    return QStringLiteral("Zelkora");
}

QString AutoSizeTextboxPlugin::toolTip() const {
    return QStringLiteral("Text box whose font size fits its text");
}

QString AutoSizeTextboxPlugin::whatsThis() const {
    return QStringLiteral("A single-line text box that chooses its font size so the whole "
                          "text fits, with an optional focus frame and Enter as Tab.");
}

QString AutoSizeTextboxPlugin::includeFile() const {
    return QStringLiteral("controls/autosize/autosizetextbox.h");
}

QIcon AutoSizeTextboxPlugin::icon() const {
    return {};
}

bool AutoSizeTextboxPlugin::isContainer() const {
    return false;
}

QWidget* AutoSizeTextboxPlugin::createWidget(QWidget* parent) {
    auto* box = new AutoSizeTextbox(parent); // Designer owns the widgets it asks for
    box->setDesignMode(true);
    return box;
}

bool AutoSizeTextboxPlugin::isInitialized() const {
    return m_initialized;
}

void AutoSizeTextboxPlugin::initialize(QDesignerFormEditorInterface* core) {
    Q_UNUSED(core)
    m_initialized = true;
}

QString AutoSizeTextboxPlugin::domXml() const {
    return QStringLiteral(
        "<ui language=\"c++\">\n"
        " <widget class=\"zelkora::controls::AutoSizeTextbox\" name=\"autoSizeTextbox\">\n"
        "  <property name=\"geometry\">\n"
        "   <rect><x>0</x><y>0</y><width>160</width><height>40</height></rect>\n"
        "  </property>\n"
        " </widget>\n"
        "</ui>\n");
}

} // namespace zelkora::controls
