#pragma once

#include <QByteArray>
#include <QString>

namespace zelkora::artwork {

enum class Sound { Login, Logout, Invalid };

// The sound as a complete WAV file: 16-bit PCM, mono, 44100 samples per second.
QByteArray soundWave(Sound sound);

// Writes "LoginRFID.wav", "LogoutRFID.wav" and "InvalidRFID.wav" into `dataDir`.
bool writeSounds(const QString& dataDir, QString* error);

} // namespace zelkora::artwork
