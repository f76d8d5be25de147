#include "app/startup.h"

#include "app/core/log.h"
#include "app/core/message.h"
#include "app/core/programstate.h"
#include "app/core/singleinstance.h"
#include "app/core/stationfolder.h"
#include "app/gui/debugwindow.h"

#include <QDir>
#include <cstdio>
#include <memory>

namespace zelkora {

int Main(bool interactive) {
    SingleInstance instance(GetAppPath());
    if (!instance.acquire()) {
        ShowMessage(QStringLiteral("The application is already running"), MsgExclamation,
                    QStringLiteral("OrvSecurity"));
        return 1;
    }

    programState().webCamAvailable = true;

    QString error;
    if (ProvisionStationFolder(&error) == ProvisionResult::Failed) {
        ShowMessage(error, MsgCritical);
        return 1;
    }

    std::unique_ptr<DebugWindow> debugWindow;
    if (interactive) {
        debugWindow = std::make_unique<DebugWindow>();
        DebugListSink::install(debugWindow.get());
    }
    if (!StartLog(&error))
        ShowMessage(error, MsgExclamation);

    std::printf("Zelkora: station folder %s is ready and the diagnostic log is started.\n",
                qPrintable(QDir::toNativeSeparators(GetAppPath())));
    std::fflush(stdout);

    DebugListSink::install(nullptr);
    return 0;
}

} // namespace zelkora
