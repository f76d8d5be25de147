#include "capture/picturefiles.h"

#include "app/core/log.h"

#include <QDir>
#include <QSaveFile>

namespace zelkora::capture {

namespace {

// A quality the eye cannot tell from the original at badge size, at a modest file size.
constexpr int kJpegQuality = 80;

StationError pictureError(const QString& path, const QString& cause) {
    return {75,
            QStringLiteral("Path/File access error: ") + path + QStringLiteral(" (") + cause +
                QLatin1Char(')'),
            QStringLiteral("SaveJpeg")};
}

} // namespace

void CreateFolders(const QString& filePath) {
    const QStringList pieces = filePath.split(QLatin1Char('/'));
    if (pieces.size() < 2)
        return;
    QString folder = pieces.first();
    for (qsizetype i = 1; i + 1 < pieces.size(); ++i) {
        folder += QLatin1Char('/') + pieces.at(i);
        if (pieces.at(i).isEmpty())
            continue; // a doubled "/" names the same folder again
        const bool created = QDir().mkdir(folder);
        WriteLog(folder +
                 (created ? QStringLiteral(" created.") : QStringLiteral(" not created.")));
    }
}

StationError SaveJpeg(const QImage& picture, const QString& path) {
    if (picture.isNull())
        return pictureError(path, QStringLiteral("no picture"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return pictureError(path, file.errorString());
    if (!picture.save(&file, "JPEG", kJpegQuality)) {
        file.cancelWriting();
        return pictureError(path, QStringLiteral("the picture could not be encoded"));
    }
    if (!file.commit())
        return pictureError(path, file.errorString());
    return {};
}

} // namespace zelkora::capture
