#include "settings/settingsstore.h"

#include "util/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace zelkora {

namespace {

// The parsed file: its lines kept verbatim so that writing changes only the one line.
struct StoreFile {
    QStringList lines;

    // A missing file is an empty store. One that exists but cannot be read fails, so that a
    // write never replaces settings it could not see.
    static bool load(const QString& path, StoreFile* file, QString* error = nullptr) {
        QFile in(path);
        if (!in.exists())
            return true;
        if (!in.open(QIODevice::ReadOnly)) {
            if (error)
                *error = QStringLiteral("Cannot read %1: %2").arg(path, in.errorString());
            return false;
        }
        file->lines = splitLines(decodeText(in.readAll()));
        return true;
    }

    // Creates or replaces the key in memory; false when its line is already as asked.
    bool set(const QString& section, const QString& key, const QString& value) {
        const QString line = key + QLatin1Char('=') + value;
        qsizetype sectionEnd = -1;
        const qsizetype at = find(section, key, &sectionEnd);
        if (at >= 0) {
            if (lines.at(at) == line)
                return false;
            lines[at] = line;
        } else if (sectionEnd >= 0) {
            lines.insert(sectionEnd, line);
        } else {
            if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
                lines.append(QString());
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(line);
        }
        return true;
    }

    static bool isSection(const QString& line, QString* name) {
        const QString trimmed = line.trimmed();
        if (!trimmed.startsWith(QLatin1Char('[')) || !trimmed.endsWith(QLatin1Char(']')))
            return false;
        *name = trimmed.mid(1, trimmed.size() - 2);
        return true;
    }

    // Index of the key's line inside `section`, or -1; `sectionEnd` receives the line index at
    // which a new key of the section would go (-1 when the section is absent).
    qsizetype find(const QString& section, const QString& key,
                   qsizetype* sectionEnd = nullptr) const {
        bool inSection = false;
        qsizetype end = -1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString& line = lines.at(i);
            QString name;
            if (isSection(line, &name)) {
                inSection = name == section;
                if (inSection)
                    end = i + 1;
                continue;
            }
            if (!inSection)
                continue;
            if (!line.trimmed().isEmpty())
                end = i + 1;
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq > 0 && QStringView(line).left(eq).trimmed() == key)
                return i;
        }
        if (sectionEnd)
            *sectionEnd = end;
        return -1;
    }

    static QString valueOf(const QString& line) {
        return line.mid(line.indexOf(QLatin1Char('=')) + 1);
    }

    bool save(const QString& path, QString* error) const {
        const QFileInfo info(path);
        if (!QDir().mkpath(info.absolutePath())) {
            if (error)
                *error = QStringLiteral("Cannot create the folder %1").arg(info.absolutePath());
            return false;
        }
        QSaveFile out(path);
        QString text = lines.join(QLatin1Char('\n'));
        text += QLatin1Char('\n');
        if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0 || !out.commit()) {
            if (error)
                *error = QStringLiteral("Cannot write %1: %2").arg(path, out.errorString());
            return false;
        }
        return true;
    }
};

} // namespace

SettingsStore::SettingsStore(QString application)
    : m_path(pathFor(application)) {}

QString SettingsStore::pathFor(const QString& application) {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QLatin1Char('/') + application + QLatin1Char('/') + application +
           QStringLiteral(".ini");
}

QString SettingsStore::read(const QString& section, const QString& key,
                            const QString& fallback) const {
    StoreFile file;
    if (!StoreFile::load(m_path, &file))
        return fallback;
    const qsizetype at = file.find(section, key);
    return at < 0 ? fallback : StoreFile::valueOf(file.lines.at(at));
}

QHash<QString, QString> SettingsStore::readSection(const QString& section) const {
    QHash<QString, QString> values;
    StoreFile file;
    if (!StoreFile::load(m_path, &file))
        return values;
    bool inSection = false;
    for (const QString& line : std::as_const(file.lines)) {
        QString name;
        if (StoreFile::isSection(line, &name)) {
            inSection = name == section;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        // The first occurrence of a key is the one every read sees.
        if (!inSection || eq <= 0)
            continue;
        const QString key = QStringView(line).left(eq).trimmed().toString();
        if (!values.contains(key))
            values.insert(key, line.mid(eq + 1));
    }
    return values;
}

bool SettingsStore::write(const QString& section, const QString& key, const QString& value,
                          QString* error) {
    return writeAll(section, {{key, value}}, error);
}

bool SettingsStore::writeAll(const QString& section,
                             const QList<std::pair<QString, QString>>& values, QString* error,
                             qsizetype* failedAt) {
    // The keys before the first value holding a line break are written, that one fails.
    qsizetype bad = 0;
    while (bad < values.size() && !values.at(bad).second.contains(QLatin1Char('\n')) &&
           !values.at(bad).second.contains(QLatin1Char('\r')))
        ++bad;
    StoreFile file;
    if (!StoreFile::load(m_path, &file, error)) {
        bad = 0;
    } else {
        bool changed = false;
        for (qsizetype i = 0; i < bad; ++i)
            changed = file.set(section, values.at(i).first, values.at(i).second) || changed;
        if (changed && !file.save(m_path, error))
            bad = 0;
        else if (bad == values.size())
            return true;
        else if (error)
            *error = QStringLiteral("The value of %1 holds a line break").arg(values.at(bad).first);
    }
    if (failedAt)
        *failedAt = bad;
    return false;
}

bool SettingsStore::remove(const QString& section, const QString& key, QString* error) {
    StoreFile file;
    if (!StoreFile::load(m_path, &file, error))
        return false;
    const qsizetype at = file.find(section, key);
    if (at < 0) {
        if (error)
            *error = QStringLiteral("The setting %1 does not exist").arg(key);
        return false;
    }
    file.lines.removeAt(at);
    return file.save(m_path, error);
}

namespace {
SettingsStore programStore() {
    return SettingsStore(QString::fromLatin1(kProgramTitle));
}
} // namespace

QString GetSetting(const QString& key, const QString& fallback) {
    return programStore().read(QString::fromLatin1(kSettingsSection), key, fallback);
}

bool SaveSetting(const QString& key, const QString& value, QString* error) {
    return programStore().write(QString::fromLatin1(kSettingsSection), key, value, error);
}

bool SaveSettings(const QList<std::pair<QString, QString>>& values, QString* error,
                  qsizetype* failedAt) {
    return programStore().writeAll(QString::fromLatin1(kSettingsSection), values, error, failedAt);
}

bool DeleteSetting(const QString& key, QString* error) {
    return programStore().remove(QString::fromLatin1(kSettingsSection), key, error);
}

} // namespace zelkora
