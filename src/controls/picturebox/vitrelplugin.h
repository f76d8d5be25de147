#pragma once

#include "controls/common/designerplugin.h"
#include "controls/picturebox/vitrel.h"

#include <QObject>

namespace zelkora::controls {

// Offers the picture button in Qt Designer's widget box; instances created there run in
// design mode.
class VitrelPlugin : public QObject, public DesignerWidgetPlugin<Vitrel> {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QDesignerCustomWidgetInterface_iid)
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit VitrelPlugin(QObject* parent = nullptr);
};

} // namespace zelkora::controls
