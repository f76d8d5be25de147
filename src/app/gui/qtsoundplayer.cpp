#include "app/gui/qtsoundplayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace zelkora {

QtSoundPlayer::QtSoundPlayer(QObject* parent)
    : QObject(parent) {}

QtSoundPlayer::~QtSoundPlayer() {
    if (SoundPlayer::current() == this)
        SoundPlayer::install(nullptr);
}

void QtSoundPlayer::play(const QString& path) {
    // A missing or damaged file plays nothing, not a default sound. Qt's decoder never gives up
    // on a truncated file, and the effect waiting for it then blocks the program's exit.
    if (!QFileInfo(path).isFile() || !IsCompleteWaveFile(path))
        return;

    QSoundEffect* effect = m_effects.value(path);
    if (effect && effect->status() == QSoundEffect::Error) {
        // The file may have been replaced since it failed to load: try it afresh.
        m_effects.remove(path);
        m_pending.remove(effect);
        delete effect;
        effect = nullptr;
    }
    if (!effect) {
        effect = new QSoundEffect(this);
        m_effects.insert(path, effect);
        // Loading is asynchronous: start once the samples are ready. A file that cannot be
        // decoded ends in Error and stays silent.
        connect(effect, &QSoundEffect::statusChanged, this, [this, effect] {
            if (effect->status() == QSoundEffect::Ready && m_pending.remove(effect))
                effect->play();
            else if (effect->status() == QSoundEffect::Error)
                m_pending.remove(effect);
        });
        m_pending.insert(effect);
        effect->setSource(QUrl::fromLocalFile(path));
        return;
    }
    if (effect->status() == QSoundEffect::Ready) {
        effect->stop();
        effect->play();
    } else {
        m_pending.insert(effect);
    }
}

bool QtSoundPlayer::isReady(const QString& path) const {
    const QSoundEffect* effect = m_effects.value(path);
    return effect && effect->status() == QSoundEffect::Ready;
}

} // namespace zelkora
