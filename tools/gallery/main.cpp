// zelkora-gallery: the widgets of libfitfield, libvitrel and libtristel in their states, for
// checking them by eye. With "--png <file>" it renders the gallery to <file> and exits, which
// also works without a display (QT_QPA_PLATFORM=offscreen).

#include "gallery.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelkora-gallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows the station's controls in their states."));
    parser.addHelpOption();
    const QCommandLineOption pngOption(QStringLiteral("png"),
                                       QStringLiteral("Render the gallery to <file> and exit."),
                                       QStringLiteral("file"));
    parser.addOption(pngOption);
    parser.process(app);

    zelkora::gallery::GalleryWindow window;
    window.show();
    window.enterStates();

    if (parser.isSet(pngOption)) {
        const QString file = parser.value(pngOption);
        if (!window.render().save(file, "PNG")) {
            std::fprintf(stderr, "zelkora-gallery: cannot write %s\n", qPrintable(file));
            return 1;
        }
        return 0;
    }
    return QApplication::exec();
}
