#pragma once

#include "app/core/sound.h"

#include <QHash>
#include <QObject>
#include <QSet>

class QSoundEffect;

namespace zelkora {

// The Qt Multimedia sound player: one effect per file, kept for the run, so a sound plays on
// after the window that asked for it has closed.
class QtSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit QtSoundPlayer(QObject* parent = nullptr);
    ~QtSoundPlayer() override;

    void play(const QString& path) override;
    // True once the file at `path` has been loaded and plays without delay.
    bool isReady(const QString& path) const;

private:
    QHash<QString, QSoundEffect*> m_effects;
    // Effects asked to play while their file was still loading.
    QSet<QSoundEffect*> m_pending;
};

} // namespace zelkora
