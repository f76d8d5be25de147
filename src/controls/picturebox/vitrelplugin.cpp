#include "controls/picturebox/vitrelplugin.h"

namespace zelkora::controls {

VitrelPlugin::VitrelPlugin(QObject* parent)
    : QObject(parent)
    , DesignerWidgetPlugin<Vitrel>(
          {QStringLiteral("Transparent picture box with two caption lines"),
           QStringLiteral("A picture button: a picture, see-through where it has the mask "
                          "colour, with two centred caption lines."),
           QStringLiteral("controls/picturebox/vitrel.h"), QStringLiteral("tpbPictureButton"),
           QSize(100, 100)}) {}

} // namespace zelkora::controls
