#include "app/startup.h"
#include "util/gui/widgetprompter.h"
#include "util/product.h"

#include <QApplication>
#include <QCommandLineParser>

namespace {

// Without a display the station still prepares its folder and log; messages then go to the
// terminal instead of boxes nobody could answer.
bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char* argv[]) {
    const bool interactive = hasDisplay();
    if (!interactive)
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(zelkora::kProgramFileName));
    QApplication::setApplicationDisplayName(QString::fromLatin1(zelkora::kProgramTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(zelkora::kProgramVersion));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Visitor check-in and check-out station"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);

    zelkora::WidgetPrompter prompter;
    if (interactive && qEnvironmentVariable("QT_QPA_PLATFORM") != QLatin1String("offscreen"))
        zelkora::Prompter::install(&prompter);
    const int code = zelkora::Main(interactive);
    zelkora::Prompter::install(nullptr);
    return code;
}
