#pragma once

#include "util/product.h"

#include <QHash>
#include <QList>
#include <QString>
#include <utility>

namespace zelkora {

// The per-user settings store: application, section, key, all values text.
//
// Each application is one plain INI file, $XDG_CONFIG_HOME/<application>/<application>.ini
// (~/.config when XDG_CONFIG_HOME is unset), resolved on every call so a test may redirect it.
// A value is exactly the text after the first "=" of its line; keys and sections match with
// letter case. Writing keeps the rest of the file (comments, order, unknown keys) as it was and
// replaces the file atomically, so a crash never leaves half a store.
class SettingsStore {
public:
    explicit SettingsStore(QString application);

    // The file behind an application's store.
    static QString pathFor(const QString& application);

    const QString& path() const { return m_path; }

    // The stored text, or `fallback` when the key is absent.
    QString read(const QString& section, const QString& key, const QString& fallback = {}) const;
    // Every key of `section` with its value, read in one pass: for callers that read many keys.
    QHash<QString, QString> readSection(const QString& section) const;
    // Creates or replaces the key. Values cannot hold line breaks (multi-line settings are
    // encoded by their owners); such a value, or a file that cannot be written, fails with a
    // description in `error`.
    bool write(const QString& section, const QString& key, const QString& value,
               QString* error = nullptr);
    // Creates or replaces the keys in order with one rewrite of the file. A value the store
    // cannot hold stops the batch there: the keys before it are written and `failedAt` gets
    // its index. When the file cannot be read or written nothing is written and `failedAt`
    // is 0.
    bool writeAll(const QString& section, const QList<std::pair<QString, QString>>& values,
                  QString* error = nullptr, qsizetype* failedAt = nullptr);
    // Removes the key; an absent key is reported as a failure, like a failed write.
    bool remove(const QString& section, const QString& key, QString* error = nullptr);

private:
    QString m_path;
};

// The store of the program title, "Zelkora", section "Settings": what every caller uses.

inline constexpr const char kSettingsSection[] = "Settings";

QString GetSetting(const QString& key, const QString& fallback = {});
bool SaveSetting(const QString& key, const QString& value, QString* error = nullptr);
// SettingsStore::writeAll on the program's section.
bool SaveSettings(const QList<std::pair<QString, QString>>& values, QString* error = nullptr,
                  qsizetype* failedAt = nullptr);
bool DeleteSetting(const QString& key, QString* error = nullptr);

} // namespace zelkora
