#include "sounds.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace zelkora::artwork {

namespace {

constexpr int kRate = 44100;

// A bell-like note: a few harmonics, a quick attack and an exponential fade.
void addChime(std::vector<double>& samples, double start, double frequency, double length,
              double gain) {
    const int first = static_cast<int>(start * kRate);
    const int count = static_cast<int>(length * kRate);
    if (samples.size() < static_cast<size_t>(first + count))
        samples.resize(static_cast<size_t>(first + count), 0.0);
    const double partials[][2] = {{1.0, 1.0}, {2.0, 0.28}, {3.0, 0.08}, {4.2, 0.03}};
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.006);
        const double release = std::min(1.0, (length - t) / 0.02);
        double value = 0.0;
        for (const auto& [multiple, level] : partials)
            value += level * std::exp(-t * (3.2 + multiple)) *
                     std::sin(2.0 * std::numbers::pi * frequency * multiple * t);
        samples[static_cast<size_t>(first + i)] += gain * attack * release * value;
    }
}

// A low, soft-edged buzz: a band-limited sawtooth with gentle ends.
void addBuzz(std::vector<double>& samples, double start, double frequency, double length,
             double gain) {
    const int first = static_cast<int>(start * kRate);
    const int count = static_cast<int>(length * kRate);
    if (samples.size() < static_cast<size_t>(first + count))
        samples.resize(static_cast<size_t>(first + count), 0.0);
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double edge = std::min({1.0, t / 0.012, (length - t) / 0.025});
        double value = 0.0;
        for (int n = 1; n <= 9; ++n)
            value += std::sin(2.0 * std::numbers::pi * frequency * n * t) / n;
        samples[static_cast<size_t>(first + i)] += gain * edge * value * 0.55;
    }
}

QByteArray wave(const std::vector<double>& samples) {
    QByteArray pcm;
    pcm.reserve(static_cast<qsizetype>(samples.size() * 2));
    for (double value : samples) {
        const auto sample = static_cast<qint16>(std::lround(std::clamp(value, -1.0, 1.0) * 32767));
        char bytes[2];
        qToLittleEndian(sample, bytes);
        pcm.append(bytes, 2);
    }
    QByteArray file;
    auto u32 = [&file](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        file.append(b, 4);
    };
    auto u16 = [&file](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        file.append(b, 2);
    };
    file.append("RIFF");
    u32(static_cast<quint32>(36 + pcm.size()));
    file.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    file.append("data");
    u32(static_cast<quint32>(pcm.size()));
    file.append(pcm);
    return file;
}

} // namespace

QByteArray soundWave(Sound sound) {
    std::vector<double> samples;
    switch (sound) {
    case Sound::Login: // rising fourth, G5 to C6
        addChime(samples, 0.00, 783.99, 0.55, 0.42);
        addChime(samples, 0.14, 1046.50, 0.75, 0.42);
        break;
    case Sound::Logout: // falling fourth, C6 to G5
        addChime(samples, 0.00, 1046.50, 0.55, 0.42);
        addChime(samples, 0.14, 783.99, 0.75, 0.42);
        break;
    case Sound::Invalid: // two short low buzzes
        addBuzz(samples, 0.00, 146.83, 0.20, 0.50);
        addBuzz(samples, 0.27, 146.83, 0.28, 0.50);
        break;
    }
    samples.resize(samples.size() + kRate / 50, 0.0); // a short tail of silence
    // The same moderate loudness for all three, well clear of clipping.
    double peak = 0.0;
    for (double value : samples)
        peak = std::max(peak, std::abs(value));
    if (peak > 0.0)
        for (double& value : samples)
            value *= 0.7 / peak;
    return wave(samples);
}

bool writeSounds(const QString& dataDir, QString* error) {
    const std::pair<Sound, const char*> files[] = {{Sound::Login, "LoginRFID.wav"},
                                                   {Sound::Logout, "LogoutRFID.wav"},
                                                   {Sound::Invalid, "InvalidRFID.wav"}};
    for (const auto& [sound, name] : files) {
        QFile out(dataDir + QLatin1Char('/') + QLatin1String(name));
        const QByteArray bytes = soundWave(sound);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(out.fileName(), out.errorString());
            return false;
        }
    }
    return true;
}

} // namespace zelkora::artwork
