#include "controls/autosize/autosizetextboxplugin.h"

namespace zelkora::controls {

AutoSizeTextboxPlugin::AutoSizeTextboxPlugin(QObject* parent)
    : QObject(parent)
    , DesignerWidgetPlugin<AutoSizeTextbox>(
          {QStringLiteral("Text box whose font size fits its text"),
           QStringLiteral("A single-line text box that chooses its font size so the whole "
                          "text fits, with an optional focus frame and Enter as Tab."),
           QStringLiteral("controls/autosize/autosizetextbox.h"), QStringLiteral("autoSizeTextbox"),
           QSize(160, 40)}) {}

} // namespace zelkora::controls
