#pragma once

#include <QString>

namespace zelkora {

// Plays short sound files without waiting for them. The GUI installs the Qt Multimedia player at
// start; tests install a recording one. With none installed nothing plays.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts playing the sound file at `path` and returns at once; a missing or unreadable file,
    // or no sound device, plays nothing and reports nothing.
    virtual void play(const QString& path) = 0;

    // The player in force, or nullptr.
    static SoundPlayer* current();
    // Installs a player (nullptr removes it). The caller keeps ownership.
    static void install(SoundPlayer* player);
};

// Plays `path` through the installed player, if there is one.
void PlaySoundAsync(const QString& path);

// True when `path` is a RIFF/WAVE file with a format chunk and a non-empty data chunk that the
// file holds in full. Players check this first: a truncated or empty file can leave a decoder
// waiting for bytes that never come.
bool IsCompleteWaveFile(const QString& path);

} // namespace zelkora
