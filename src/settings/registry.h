#pragma once

#include "util/error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace zelkora {

// Predefined root keys, with the numeric handle values Windows gives them.
inline constexpr qint32 HKEY_CLASSES_ROOT = static_cast<qint32>(0x80000000u);
inline constexpr qint32 HKEY_LOCAL_MACHINE = static_cast<qint32>(0x80000002u);

// Registry value types.
enum RegistryType : qint32 {
    RegNone = 0,
    RegSz = 1,
    RegExpandSz = 2,
    RegBinary = 3,
    RegDword = 4,
    RegDwordBigEndian = 5,
    RegMultiSz = 7,
};

// Error numbers cRegistry raises.
inline constexpr long kRegistryError = 26001;
inline constexpr long kRegistryWriteError = -2147194455;       // object error base + 27049
inline constexpr long kRegistryEnumerationError = -2147194454; // object error base + 27050

// Platform result codes of the store below, numbered as the Windows registry numbers them so
// that codes in messages mean the same on every station.
enum RegistryCode : long {
    RegOk = 0,
    RegFileNotFound = 2,  // key or value not there
    RegAccessDenied = 5,  // deleting a root or a key that still has sub-keys
    RegInvalidHandle = 6, // not a root this store keeps
    RegBadPathname = 161, // empty part in a key path ("\\", leading "\")
    RegBadDb = 1009,      // the root's file is corrupt
    RegCantRead = 1012,   // the root's file exists but cannot be read
    RegCantWrite = 1013,  // the root's file (or its folder, or its lock) cannot be written
};

// The machine-wide store under cRegistry: one file per root in MachinePath(), named after the
// root ("HKEY_CLASSES_ROOT.json", "HKEY_LOCAL_MACHINE.json").
//
// File format (JSON): {"format": "zelkora-registry", "version": 1, "values": [...], "keys": [...]}
// where the top-level object is the root key, every key is {"name", "values", "keys"} and every
// value is {"name", "type", "data"} with the raw data as hexadecimal text, so any type and any
// bytes survive unchanged. Key and value names match without regard to letter case; sub-keys
// are kept in alphabetical order, values in the order they were created.
//
// Every call reads the file afresh; a change is made under a lock file (<file>.lock) and
// written atomically, so nothing is held open between calls and a crash never leaves half a
// file. A missing file is an empty root. A corrupt or unreadable file reads as an empty root,
// and every change to it fails (RegBadDb / RegCantRead) and leaves the file as it is, so that a
// damaged store is never replaced silently; remove or repair it by hand.
//
// Results are RegistryCode values; key paths are "\"-separated, one trailing "\" is allowed and
// the empty path is the root itself.
namespace regstore {

// The file behind a root, or empty text for a root the store does not keep.
QString rootFilePath(qint32 root);

long openKey(qint32 root, const QString& path);
// Creates the key and any missing parents; an existing key is fine.
long createKey(qint32 root, const QString& path);
// Deletes a key that has no sub-keys (its values go with it).
long deleteKey(qint32 root, const QString& path);
long queryValue(qint32 root, const QString& path, const QString& name, qint32* type,
                QByteArray* data);
// Creates or replaces a value of an existing key.
long setValue(qint32 root, const QString& path, const QString& name, qint32 type,
              const QByteArray& data);
long deleteValue(qint32 root, const QString& path, const QString& name);
long enumValues(qint32 root, const QString& path, QStringList* names);
long enumKeys(qint32 root, const QString& path, QStringList* names);

// The platform's description of a result code.
QString codeDescription(long code);

} // namespace regstore

// Scrambles a text for an error description: each character XOR the matching letter of
// "quorblenvat" (repeating), as 8-bit characters; the result has the same length and
// scrambling it again gives the original (characters beyond Latin-1 count as "?").
QString scrambleText(const QString& text);

// Reads and writes single values of the machine-wide registry and tests, creates, deletes and
// lists keys. Set the properties, then ask for one operation; no key stays open between calls.
//
// Raised errors: an operation that fails returns false (or, for a write, false with nothing
// written) and fills `*error` with number, description and source "zelkora.cRegistry"; on
// success `*error` is cleared. Pass nullptr when the caller ignores failures. Reads never fail:
// they give `Default`.
class cRegistry {
public:
    qint32 ClassKey() const { return m_classKey; }
    void setClassKey(qint32 root) { m_classKey = root; }
    const QString& SectionKey() const { return m_sectionKey; }
    void setSectionKey(const QString& path) { m_sectionKey = path; }
    // Empty text is the key's default value.
    const QString& ValueKey() const { return m_valueKey; }
    void setValueKey(const QString& name) { m_valueKey = name; }
    // Set by the caller before a write; set by every successful read to the type found.
    qint32 ValueType() const { return m_valueType; }
    void setValueType(qint32 type) { m_valueType = type; }
    // What a read that finds nothing returns; initially empty.
    const QVariant& Default() const { return m_default; }
    void setDefault(const QVariant& value) { m_default = value; }

    // True when SectionKey can be opened under ClassKey.
    bool KeyExists() const;
    // Creates (or opens) SectionKey; error 26001 on failure.
    bool CreateKey(StationError* error = nullptr);
    // Deletes SectionKey, which must have no sub-keys; error 26001 on failure.
    bool DeleteKey(StationError* error = nullptr);
    // Deletes ValueKey from SectionKey; error 26001 on failure.
    bool DeleteValue(StationError* error = nullptr);

    // Reads ValueKey: text for types 1 and 7 (a list keeps its inner NULs), text with its
    // %VARIABLE% references expanded for type 2, a 32-bit integer for 4 and for 5 (stored in
    // reverse byte order), the raw bytes for any other type; Default when there is no value.
    QVariant Value();
    // Writes ValueKey according to ValueType, creating SectionKey when needed: types 1 and 2 as
    // UTF-8 text and one NUL (stored as type 2 when a "%" is followed at least two characters
    // later by another), 3 only a QByteArray (else error 26001 without description), 4 and 5 as
    // a 32-bit number of type 4 when the value is an integer (other values write nothing). Any
    // other ValueType, or a store that cannot be written, fails with -2147194455; a key that
    // cannot be created first shows "An Error occured: code '<c>'" and fails with 26001. The
    // description names the value this call tried to write.
    bool setValue(const QVariant& value, StationError* error = nullptr);

    // Lists the value names of SectionKey (names[0] is the first); none when the key is missing.
    // Always true.
    bool EnumerateValues(QStringList& names, int& count) const;
    // Lists the sub-key names of SectionKey (names[0] is the first); error -2147194454 with the
    // platform's description when the key cannot be listed.
    bool EnumerateSections(QStringList& names, int& count, StationError* error = nullptr) const;

private:
    qint32 m_classKey = 0;
    QString m_sectionKey;
    QString m_valueKey;
    qint32 m_valueType = 0;
    QVariant m_default;
};

} // namespace zelkora
