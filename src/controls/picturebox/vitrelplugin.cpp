#include "controls/picturebox/vitrelplugin.h"

#include "controls/picturebox/vitrel.h"

#include <QIcon>

namespace zelkora::controls {

VitrelPlugin::VitrelPlugin(QObject* parent)
    : QObject(parent) {}

QString VitrelPlugin::name() const {
    return QLatin1String(Vitrel::staticMetaObject.className());
}

QString VitrelPlugin::group() const {
    return QStringLiteral("Zelkora Controls");
}

QString VitrelPlugin::toolTip() const {
    return QStringLiteral("Transparent picture box with two caption lines");
}

QString VitrelPlugin::whatsThis() const {
    return QStringLiteral("A picture button: a picture, see-through where it has the mask "
                          "colour, with two centred caption lines.");
}

QString VitrelPlugin::includeFile() const {
    return QStringLiteral("controls/picturebox/vitrel.h");
}

QIcon VitrelPlugin::icon() const {
    return {};
}

QWidget* VitrelPlugin::createWidget(QWidget* parent) {
    // Designer owns the widgets it creates.
    auto* control = new Vitrel(parent);
    control->setDesignMode(true);
    return control;
}

void VitrelPlugin::initialize(QDesignerFormEditorInterface*) {
    m_initialized = true;
}

QString VitrelPlugin::domXml() const {
    return QStringLiteral(
        "<ui language=\"c++\">\n"
        " <widget class=\"zelkora::controls::Vitrel\" name=\"tpbPictureButton\">\n"
        "  <property name=\"geometry\">\n"
        "   <rect><x>0</x><y>0</y><width>100</width><height>100</height></rect>\n"
        "  </property>\n"
        " </widget>\n"
        "</ui>\n");
}

} // namespace zelkora::controls
