#include "app/core/sound.h"

#include <QFile>
#include <QtEndian>

namespace zelkora {

namespace {
SoundPlayer* installedPlayer = nullptr;
}

SoundPlayer* SoundPlayer::current() {
    return installedPlayer;
}

void SoundPlayer::install(SoundPlayer* player) {
    installedPlayer = player;
}

void PlaySoundAsync(const QString& path) {
    if (SoundPlayer* player = SoundPlayer::current())
        player->play(path);
}

bool IsCompleteWaveFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    const QByteArray riff = file.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return false;

    // Walk the chunks by their headers only; the samples themselves are never read here.
    bool format = false;
    qint64 offset = 12;
    while (offset + 8 <= size) {
        if (!file.seek(offset))
            return false;
        const QByteArray header = file.read(8);
        if (header.size() < 8)
            return false;
        const QByteArray id = header.left(4);
        const qint64 length = qFromLittleEndian<quint32>(header.constData() + 4);
        const qint64 body = offset + 8;
        if (id == "fmt ") {
            if (length < 16 || body + length > size)
                return false;
            format = true;
        } else if (id == "data") {
            return format && length > 0 && body + length <= size;
        }
        // Chunks are padded to an even length.
        offset = body + length + (length & 1);
    }
    return false;
}

} // namespace zelkora
