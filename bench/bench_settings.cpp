// Times the settings model against its store: the first start (every default written) and a
// load of a full store, the work each window does when it opens.
#include "settings/vraxsettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double medianMs(std::vector<qint64> ns) {
    std::sort(ns.begin(), ns.end());
    return ns.empty() ? 0 : ns[ns.size() / 2] / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int rounds = 20;
    std::vector<qint64> firstStart, load, save;
    for (int i = 0; i < rounds; ++i) {
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
        QElapsedTimer timer;
        timer.start();
        zelkora::cVRAXSettings fresh;
        if (fresh.LoadValues().isError())
            return 1;
        firstStart.push_back(timer.nsecsElapsed());

        timer.restart();
        zelkora::cVRAXSettings again;
        if (again.LoadValues().isError())
            return 1;
        load.push_back(timer.nsecsElapsed());

        again.setCompanyName(QStringLiteral("Bench %1").arg(i));
        timer.restart();
        if (again.SaveValues().isError())
            return 1;
        save.push_back(timer.nsecsElapsed());
    }
    std::printf("settings: first start (defaults written) median %.2f ms\n", medianMs(firstStart));
    std::printf("settings: LoadValues of a full store      median %.2f ms\n", medianMs(load));
    std::printf("settings: SaveValues after one change     median %.2f ms\n", medianMs(save));
    return 0;
}
