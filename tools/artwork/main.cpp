// Writes the station's generated defaults: pictures, sounds and help documents.
//
//   zelkora_artwork <data folder> <help source folder> <version>

#include "helpdocs.h"
#include "pictures.h"
#include "sounds.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: zelkora_artwork <data folder> <help sources> <version>\n");
        return 2;
    }
    const QString dataDir = args.at(1);
    const QString helpDir = args.at(2);
    const QString version = args.at(3);
    QString error;
    bool ok = QDir().mkpath(dataDir);
    if (!ok)
        error = dataDir + QStringLiteral(": cannot create the folder");
    ok = ok && zelkora::artwork::writePictures(dataDir, &error);
    ok = ok && zelkora::artwork::writeSounds(dataDir, &error);
    ok = ok && zelkora::artwork::writeHelpDocument(helpDir + QStringLiteral("/faq.md"),
                                                   dataDir + QStringLiteral("/VRAX Help FAQs.pdf"),
                                                   version, &error);
    ok = ok && zelkora::artwork::writeHelpDocument(
                   helpDir + QStringLiteral("/general.md"),
                   dataDir + QStringLiteral("/VRAX Help General.pdf"), version, &error);
    if (!ok) {
        std::fprintf(stderr, "zelkora_artwork: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
