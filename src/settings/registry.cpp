#include "settings/registry.h"

#include "app/core/message.h"
#include "app/core/stationfolder.h"
#include "util/product.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QtEndian>
#include <limits>
#include <optional>
#include <vector>

namespace zelkora {

namespace {

// ---- The store's data and its file -------------------------------------------------------------

struct RegValue {
    QString name;
    qint32 type = RegNone;
    QByteArray data;
};

struct RegKey {
    QString name;
    std::vector<RegValue> values;
    std::vector<RegKey> keys;
};

const QString kFormat = QStringLiteral("zelkora-registry");
constexpr int kVersion = 1;
// Deeper nesting than this is not a registry a station wrote.
constexpr int kMaxDepth = 512;
// Another program holding the lock gets this long to finish its change.
constexpr int kLockWaitMs = 5000;

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString rootName(qint32 root) {
    switch (root) {
    case HKEY_CLASSES_ROOT:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case HKEY_LOCAL_MACHINE:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    default:
        return {};
    }
}

// Splits a key path into its parts; false when a part is empty. One trailing "\" is allowed.
bool splitPath(const QString& path, QStringList* parts) {
    parts->clear();
    if (path.isEmpty())
        return true;
    QStringList split = path.split(QLatin1Char('\\'));
    if (split.size() > 1 && split.last().isEmpty())
        split.removeLast();
    for (const QString& part : std::as_const(split)) {
        if (part.isEmpty())
            return false;
    }
    *parts = split;
    return true;
}

RegKey* findChild(RegKey& key, const QString& name) {
    for (RegKey& child : key.keys) {
        if (sameName(child.name, name))
            return &child;
    }
    return nullptr;
}

RegKey* findKey(RegKey& root, const QStringList& parts) {
    RegKey* key = &root;
    for (const QString& part : parts) {
        key = findChild(*key, part);
        if (!key)
            return nullptr;
    }
    return key;
}

RegValue* findValue(RegKey& key, const QString& name) {
    for (RegValue& value : key.values) {
        if (sameName(value.name, name))
            return &value;
    }
    return nullptr;
}

bool isHexText(const QString& text) {
    if (text.size() % 2 != 0)
        return false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool hex =
            (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        if (!hex)
            return false;
    }
    return true;
}

bool parseValue(const QJsonValue& json, RegValue* value) {
    if (!json.isObject())
        return false;
    const QJsonObject object = json.toObject();
    const QJsonValue name = object.value(QLatin1String("name"));
    const QJsonValue type = object.value(QLatin1String("type"));
    const QJsonValue data = object.value(QLatin1String("data"));
    if (!name.isString() || !type.isDouble() || !data.isString())
        return false;
    const double number = type.toDouble();
    if (number < 0 || number > std::numeric_limits<qint32>::max() ||
        number != static_cast<double>(static_cast<qint32>(number)))
        return false;
    if (!isHexText(data.toString()))
        return false;
    value->name = name.toString();
    value->type = static_cast<qint32>(number);
    value->data = QByteArray::fromHex(data.toString().toLatin1());
    return true;
}

bool parseKey(const QJsonObject& object, RegKey* key, bool isRoot, int depth) {
    if (depth > kMaxDepth)
        return false;
    if (!isRoot) {
        const QJsonValue name = object.value(QLatin1String("name"));
        if (!name.isString() || name.toString().isEmpty() ||
            name.toString().contains(QLatin1Char('\\')))
            return false;
        key->name = name.toString();
    }
    const QJsonValue values = object.value(QLatin1String("values"));
    if (!values.isUndefined() && !values.isArray())
        return false;
    for (const QJsonValue& json : values.toArray()) {
        RegValue value;
        if (!parseValue(json, &value) || findValue(*key, value.name))
            return false;
        key->values.push_back(std::move(value));
    }
    const QJsonValue keys = object.value(QLatin1String("keys"));
    if (!keys.isUndefined() && !keys.isArray())
        return false;
    for (const QJsonValue& json : keys.toArray()) {
        RegKey child;
        if (!json.isObject() || !parseKey(json.toObject(), &child, false, depth + 1) ||
            findChild(*key, child.name))
            return false;
        key->keys.push_back(std::move(child));
    }
    return true;
}

QJsonObject toJson(const RegKey& key, bool isRoot) {
    QJsonObject object;
    if (!isRoot)
        object.insert(QLatin1String("name"), key.name);
    QJsonArray values;
    for (const RegValue& value : key.values) {
        QJsonObject json;
        json.insert(QLatin1String("name"), value.name);
        json.insert(QLatin1String("type"), value.type);
        json.insert(QLatin1String("data"), QString::fromLatin1(value.data.toHex()));
        values.append(json);
    }
    object.insert(QLatin1String("values"), values);
    QJsonArray keys;
    for (const RegKey& child : key.keys)
        keys.append(toJson(child, false));
    object.insert(QLatin1String("keys"), keys);
    return object;
}

enum class LoadState { Ok, Missing, Corrupt, Unreadable };

LoadState load(const QString& path, RegKey* root) {
    *root = RegKey{};
    // Also false when a folder on the way is a file: there is no store there yet.
    if (!QFileInfo::exists(path))
        return LoadState::Missing;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadState::Unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return LoadState::Unreadable;
    // An empty file holds nothing that could be lost by writing over it.
    if (bytes.trimmed().isEmpty())
        return LoadState::Ok;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return LoadState::Corrupt;
    const QJsonObject object = document.object();
    if (object.value(QLatin1String("format")).toString() != kFormat ||
        object.value(QLatin1String("version")).toInt() != kVersion ||
        !parseKey(object, root, true, 0)) {
        *root = RegKey{};
        return LoadState::Corrupt;
    }
    return LoadState::Ok;
}

long save(const QString& path, const RegKey& root) {
    QJsonObject object = toJson(root, true);
    object.insert(QLatin1String("format"), kFormat);
    object.insert(QLatin1String("version"), kVersion);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return RegCantWrite;
    file.write(QJsonDocument(object).toJson(QJsonDocument::Indented));
    return file.commit() ? RegOk : RegCantWrite;
}

// Runs a read on a fresh copy of the root; a store that cannot be read is an empty root.
template <typename Read>
long inspect(qint32 root, Read read) {
    const QString path = regstore::rootFilePath(root);
    if (path.isEmpty())
        return RegInvalidHandle;
    RegKey tree;
    load(path, &tree);
    return read(tree);
}

// Runs a change under the root's lock and writes the root back when the change made one.
template <typename Change>
long modify(qint32 root, Change change) {
    const QString path = regstore::rootFilePath(root);
    if (path.isEmpty())
        return RegInvalidHandle;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return RegCantWrite;
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs))
        return RegCantWrite;
    RegKey tree;
    switch (load(path, &tree)) {
    case LoadState::Corrupt:
        return RegBadDb;
    case LoadState::Unreadable:
        return RegCantRead;
    case LoadState::Ok:
    case LoadState::Missing:
        break;
    }
    bool changed = false;
    const long code = change(tree, &changed);
    if (code != RegOk || !changed)
        return code;
    return save(path, tree);
}

// ---- Value conversions -------------------------------------------------------------------------

// The stored bytes up to a final NUL, as text; inner NULs (of a list of texts) stay.
QString textOf(QByteArray data) {
    if (data.endsWith('\0'))
        data.chop(1);
    return QString::fromUtf8(data);
}

// Replaces each %NAME% by the variable's value; references to unset variables stay as written.
QString expandEnvironment(const QString& text) {
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.at(i) != QLatin1Char('%')) {
            out += text.at(i++);
            continue;
        }
        const qsizetype close = text.indexOf(QLatin1Char('%'), i + 1);
        if (close < 0) {
            out += text.mid(i);
            break;
        }
        const QString name = text.mid(i + 1, close - i - 1);
        const QByteArray variable = name.toLocal8Bit();
        if (!name.isEmpty() && qEnvironmentVariableIsSet(variable.constData()))
            out += qEnvironmentVariable(variable.constData());
        else
            out += text.mid(i, close - i + 1);
        i = close + 1;
    }
    return out;
}

qint32 dwordOf(const QByteArray& data, bool reversed) {
    uchar bytes[4] = {0, 0, 0, 0};
    for (qsizetype i = 0; i < 4 && i < data.size(); ++i)
        bytes[i] = static_cast<uchar>(data.at(i));
    const quint32 number =
        reversed ? qFromBigEndian<quint32>(bytes) : qFromLittleEndian<quint32>(bytes);
    return static_cast<qint32>(number);
}

// A text holding "%" and, at least two characters further on, another "%" names a variable.
bool hasEnvironmentReference(const QString& text) {
    const qsizetype first = text.indexOf(QLatin1Char('%'));
    return first >= 0 && text.indexOf(QLatin1Char('%'), first + 2) >= 0;
}

// The value as a 32-bit number when it is an integer that fits; nullopt otherwise.
std::optional<quint32> dwordValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong: {
        const qlonglong n = value.toLongLong();
        if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<quint32>::max())
            return std::nullopt;
        return static_cast<quint32>(n);
    }
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong n = value.toULongLong();
        if (n > std::numeric_limits<quint32>::max())
            return std::nullopt;
        return static_cast<quint32>(n);
    }
    default:
        return std::nullopt;
    }
}

// ---- Raised errors -----------------------------------------------------------------------------

void clearError(StationError* error) {
    if (error)
        *error = StationError{};
}

void raise(StationError* error, long number, const QString& description) {
    if (error)
        *error = StationError{number, description,
                              QLatin1String(kProgramFileName) + QStringLiteral(".cRegistry")};
}

} // namespace

// ---- The store ---------------------------------------------------------------------------------

namespace regstore {

QString rootFilePath(qint32 root) {
    const QString name = rootName(root);
    if (name.isEmpty())
        return {};
    return MachinePath() + name + QStringLiteral(".json");
}

namespace {
// The code of a key path that cannot be split: an unknown root is the handle's fault.
long pathError(qint32 root) {
    return rootFilePath(root).isEmpty() ? RegInvalidHandle : RegBadPathname;
}
} // namespace

long openKey(qint32 root, const QString& path) {
    QStringList parts;
    if (!splitPath(path, &parts))
        return pathError(root);
    return inspect(
        root, [&](RegKey& tree) -> long { return findKey(tree, parts) ? RegOk : RegFileNotFound; });
}

long createKey(qint32 root, const QString& path) {
    QStringList parts;
    if (!splitPath(path, &parts))
        return pathError(root);
    return modify(root, [&](RegKey& tree, bool* changed) -> long {
        RegKey* key = &tree;
        for (const QString& part : std::as_const(parts)) {
            if (RegKey* child = findChild(*key, part)) {
                key = child;
                continue;
            }
            // Sub-keys stay in alphabetical order, as the platform lists them.
            auto at = key->keys.begin();
            while (at != key->keys.end() && at->name.compare(part, Qt::CaseInsensitive) < 0)
                ++at;
            at = key->keys.insert(at, RegKey{part, {}, {}});
            key = &*at;
            *changed = true;
        }
        return RegOk;
    });
}

long deleteKey(qint32 root, const QString& path) {
    QStringList parts;
    if (!splitPath(path, &parts))
        return pathError(root);
    if (parts.isEmpty())
        return rootFilePath(root).isEmpty() ? RegInvalidHandle : RegAccessDenied;
    return modify(root, [&](RegKey& tree, bool* changed) -> long {
        const QString leaf = parts.takeLast();
        RegKey* parent = findKey(tree, parts);
        RegKey* key = parent ? findChild(*parent, leaf) : nullptr;
        if (!key)
            return RegFileNotFound;
        if (!key->keys.empty())
            return RegAccessDenied;
        parent->keys.erase(parent->keys.begin() + (key - parent->keys.data()));
        *changed = true;
        return RegOk;
    });
}

long queryValue(qint32 root, const QString& path, const QString& name, qint32* type,
                QByteArray* data) {
    QStringList parts;
    if (!splitPath(path, &parts))
        return pathError(root);
    return inspect(root, [&](RegKey& tree) -> long {
        RegKey* key = findKey(tree, parts);
        RegValue* value = key ? findValue(*key, name) : nullptr;
        if (!value)
            return RegFileNotFound;
        *type = value->type;
        *data = value->data;
        return RegOk;
    });
}

long setValue(qint32 root, const QString& path, const QString& name, qint32 type,
              const QByteArray& data) {
    QStringList parts;
    if (!splitPath(path, &parts))
        return pathError(root);
    return modify(root, [&](RegKey& tree, bool* changed) -> long {
        RegKey* key = findKey(tree, parts);
        if (!key)
            return RegFileNotFound;
        if (RegValue* value = findValue(*key, name)) {
            value->type = type;
            value->data = data;
        } else {
            key->values.push_back(RegValue{name, type, data});
        }
        *changed = true;
        return RegOk;
    });
}

long deleteValue(qint32 root, const QString& path, const QString& name) {
    QStringList parts;
    if (!splitPath(path, &parts))
        return pathError(root);
    return modify(root, [&](RegKey& tree, bool* changed) -> long {
        RegKey* key = findKey(tree, parts);
        RegValue* value = key ? findValue(*key, name) : nullptr;
        if (!value)
            return RegFileNotFound;
        key->values.erase(key->values.begin() + (value - key->values.data()));
        *changed = true;
        return RegOk;
    });
}

namespace {
// The names of the entries `list` of the key at `path` (its values or its sub-keys), in order.
template <typename Entry>
long enumNames(qint32 root, const QString& path, QStringList* names,
               std::vector<Entry> RegKey::*list) {
    names->clear();
    QStringList parts;
    if (!splitPath(path, &parts))
        return pathError(root);
    return inspect(root, [&](RegKey& tree) -> long {
        RegKey* key = findKey(tree, parts);
        if (!key)
            return RegFileNotFound;
        for (const Entry& entry : (*key).*list)
            names->append(entry.name);
        return RegOk;
    });
}
} // namespace

long enumValues(qint32 root, const QString& path, QStringList* names) {
    return enumNames(root, path, names, &RegKey::values);
}

long enumKeys(qint32 root, const QString& path, QStringList* names) {
    return enumNames(root, path, names, &RegKey::keys);
}

QString codeDescription(long code) {
    switch (code) {
    case RegOk:
        return QStringLiteral("The operation completed successfully.");
    case RegFileNotFound:
        return QStringLiteral("The system cannot find the file specified.");
    case RegAccessDenied:
        return QStringLiteral("Access is denied.");
    case RegInvalidHandle:
        return QStringLiteral("The handle is invalid.");
    case RegBadPathname:
        return QStringLiteral("The specified path is invalid.");
    case RegBadDb:
        return QStringLiteral("The configuration registry database is corrupt.");
    case RegCantRead:
        return QStringLiteral("The configuration registry key could not be read.");
    case RegCantWrite:
        return QStringLiteral("The configuration registry key could not be written.");
    default:
        return QStringLiteral("Unknown error ") + QString::number(code) + QLatin1Char('.');
    }
}

} // namespace regstore

QString scrambleText(const QString& text) {
    static constexpr char key[] = "quorblenvat";
    constexpr qsizetype keyLength = sizeof(key) - 1;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const uchar code = c <= 0xFF ? static_cast<uchar>(c) : static_cast<uchar>('?');
        out += QChar(static_cast<char16_t>(code ^ static_cast<uchar>(key[i % keyLength])));
    }
    return out;
}

// ---- cRegistry ---------------------------------------------------------------------------------

namespace {

QString keyText(qint32 classKey, const QString& sectionKey) {
    return QStringLiteral("'") + scrambleText(QString::number(classKey)) +
           QStringLiteral("',Section: '") + scrambleText(sectionKey);
}

QString writeFailure(qint32 classKey, const QString& sectionKey, const QString& valueKey,
                     const QVariant& value) {
    return QStringLiteral("Failed to set registry value Key: ") + keyText(classKey, sectionKey) +
           QStringLiteral("',Key: '") + scrambleText(valueKey) + QStringLiteral("' to value: '") +
           scrambleText(value.toString()) + QStringLiteral("'");
}

} // namespace

bool cRegistry::KeyExists() const {
    return regstore::openKey(m_classKey, m_sectionKey) == RegOk;
}

bool cRegistry::CreateKey(StationError* error) {
    clearError(error);
    if (regstore::createKey(m_classKey, m_sectionKey) == RegOk)
        return true;
    raise(error, kRegistryError,
          QStringLiteral("Failed to create registry Key: '") + scrambleText(m_sectionKey));
    return false;
}

bool cRegistry::DeleteKey(StationError* error) {
    clearError(error);
    const long code = regstore::deleteKey(m_classKey, m_sectionKey);
    if (code == RegOk)
        return true;
    raise(error, kRegistryError,
          QStringLiteral("Failed to delete registry Key: ") + keyText(m_classKey, m_sectionKey) +
              QStringLiteral("'") + QStringLiteral(" Error code: '") +
              scrambleText(QString::number(code)) + QStringLiteral("'"));
    return false;
}

bool cRegistry::DeleteValue(StationError* error) {
    clearError(error);
    if (regstore::openKey(m_classKey, m_sectionKey) != RegOk) {
        raise(error, kRegistryError,
              QStringLiteral("Failed to open key ") + keyText(m_classKey, m_sectionKey) +
                  QStringLiteral("' for delete access"));
        return false;
    }
    if (regstore::deleteValue(m_classKey, m_sectionKey, m_valueKey) == RegOk)
        return true;
    raise(error, kRegistryError,
          QStringLiteral("Failed to delete registry Value: ") + keyText(m_classKey, m_sectionKey) +
              QStringLiteral("',Key: '") + scrambleText(m_valueKey) + QStringLiteral("'"));
    return false;
}

QVariant cRegistry::Value() {
    qint32 type = RegNone;
    QByteArray data;
    if (regstore::queryValue(m_classKey, m_sectionKey, m_valueKey, &type, &data) != RegOk)
        return m_default;
    m_valueType = type;
    switch (type) {
    case RegSz:
    case RegMultiSz:
        return textOf(data);
    case RegExpandSz:
        return expandEnvironment(textOf(data));
    case RegDword:
        return dwordOf(data, false);
    case RegDwordBigEndian:
        return dwordOf(data, true);
    default:
        return data;
    }
}

bool cRegistry::setValue(const QVariant& value, StationError* error) {
    clearError(error);
    const long opened = regstore::createKey(m_classKey, m_sectionKey);
    if (opened != RegOk) {
        ShowMessage(QStringLiteral("An Error occured: code '") + QString::number(opened) +
                        QStringLiteral("'"),
                    MsgOk, QLatin1String(kProgramTitle));
        raise(error, kRegistryError, writeFailure(m_classKey, m_sectionKey, m_valueKey, value));
        return false;
    }

    long code = RegOk;
    switch (m_valueType) {
    case RegSz:
    case RegExpandSz: {
        const QString text = value.toString();
        code = regstore::setValue(m_classKey, m_sectionKey, m_valueKey,
                                  hasEnvironmentReference(text) ? RegExpandSz : RegSz,
                                  text.toUtf8() + '\0');
        break;
    }
    case RegBinary:
        if (value.typeId() != QMetaType::QByteArray) {
            raise(error, kRegistryError, {});
            return false;
        }
        code = regstore::setValue(m_classKey, m_sectionKey, m_valueKey, RegBinary,
                                  value.toByteArray());
        break;
    case RegDword:
    case RegDwordBigEndian: {
        const std::optional<quint32> number = dwordValue(value);
        if (!number)
            return true; // not a number: nothing to write
        uchar bytes[4];
        qToLittleEndian(*number, bytes);
        code = regstore::setValue(m_classKey, m_sectionKey, m_valueKey, RegDword,
                                  QByteArray(reinterpret_cast<const char*>(bytes), 4));
        break;
    }
    default:
        code = RegInvalidHandle;
        break;
    }
    if (code != RegOk) {
        raise(error, kRegistryWriteError,
              writeFailure(m_classKey, m_sectionKey, m_valueKey, value));
        return false;
    }
    return true;
}

bool cRegistry::EnumerateValues(QStringList& names, int& count) const {
    regstore::enumValues(m_classKey, m_sectionKey, &names);
    count = static_cast<int>(names.size());
    return true;
}

bool cRegistry::EnumerateSections(QStringList& names, int& count, StationError* error) const {
    clearError(error);
    count = 0;
    const long code = regstore::enumKeys(m_classKey, m_sectionKey, &names);
    if (code != RegOk) {
        names.clear();
        raise(error, kRegistryEnumerationError, regstore::codeDescription(code));
        return false;
    }
    count = static_cast<int>(names.size());
    return true;
}

} // namespace zelkora
