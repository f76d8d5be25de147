#pragma once

#include "controls/autosize/autosizetextbox.h"
#include "controls/common/designerplugin.h"

#include <QObject>

namespace zelkora::controls {

// Offers AutoSizeTextbox in Qt Designer's widget box; instances created there run in design
// mode.
class AutoSizeTextboxPlugin : public QObject, public DesignerWidgetPlugin<AutoSizeTextbox> {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QDesignerCustomWidgetInterface_iid)
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit AutoSizeTextboxPlugin(QObject* parent = nullptr);
};

} // namespace zelkora::controls
