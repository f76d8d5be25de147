#include "settings/vraxsettings.h"

#include "settings/settingsstore.h"

#include <QtGlobal>
#include <cmath>
#include <limits>

namespace zelkora {

namespace {

struct FieldDef {
    const char* key; // the store key; for label fields the text after "Label" N
    SettingEncoding encoding;
    const char* fallback;
};

#define ZELKORA_X(name, key, enc, def) {key, SettingEncoding::enc, def},
constexpr FieldDef kGlobalFields[] = {ZELKORA_GLOBAL_SETTINGS(ZELKORA_X)};
#undef ZELKORA_X
#define ZELKORA_X(name, enc, def) {#name, SettingEncoding::enc, def},
constexpr FieldDef kLabelFields[] = {ZELKORA_LABEL_FIELDS(ZELKORA_X)};
#undef ZELKORA_X

static_assert(std::size(kGlobalFields) == 11 && std::size(kLabelFields) == 29);

// The station's runtime error numbers: Overflow, Type mismatch, Path/File access error.
constexpr long kOverflow = 6;
constexpr long kTypeMismatch = 13;
constexpr long kFileAccessError = 75;

const QString kBr = QStringLiteral("<BR>");
const QString kCrLf = QStringLiteral("\r\n");

// A finite decimal number, surrounding blanks allowed.
std::optional<double> parseDecimal(const QString& stored) {
    bool ok = false;
    const double value = stored.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The halves-to-even integer of a number, when it fits 16 bits; `overflow` tells the two
// failures apart.
std::optional<qint16> roundToInt16(const QString& stored, bool* overflow) {
    *overflow = false;
    const std::optional<double> value = parseDecimal(stored);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // default rounding mode: halves to even
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max()) {
        *overflow = true;
        return std::nullopt;
    }
    return static_cast<qint16>(rounded);
}

StationError conversionError(long number, const QString& key, const QString& stored) {
    const QString what =
        number == kOverflow ? QStringLiteral("Overflow") : QStringLiteral("Type mismatch");
    return {number, QStringLiteral("%1: the setting \"%2\" holds \"%3\"").arg(what, key, stored),
            QStringLiteral("cVRAXSettings.LoadValues")};
}

void keepFirst(StationError& first, StationError next) {
    if (!first.isError() && next.isError())
        first = std::move(next);
}

} // namespace

namespace settingcodec {

QString encodeList(const QString& lines) {
    QString stored = lines;
    stored.replace(kCrLf, kBr);
    // A line of the store cannot hold a bare line break either; keep it as a line break too.
    stored.replace(QLatin1Char('\r'), kBr);
    stored.replace(QLatin1Char('\n'), kBr);
    return stored;
}

QString decodeList(const QString& stored) {
    QString lines = stored;
    lines.replace(kBr, kCrLf, Qt::CaseSensitive);
    return lines;
}

std::optional<bool> parseFlag(const QString& stored) {
    const QString word = stored.trimmed();
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> value = parseDecimal(word);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

QString formatFlag(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<qint16> parseNumber(const QString& stored) {
    bool overflow = false;
    return roundToInt16(stored, &overflow);
}

QString formatNumber(qint16 value) {
    return QString::number(value);
}

} // namespace settingcodec

QString cVRAXSettings::LabelKey(int labelNumber, LabelField field) {
    return QStringLiteral("Label") + QString::number(labelNumber) +
           QLatin1String(kLabelFields[static_cast<int>(field)].key);
}

cVRAXSettings::Value& cVRAXSettings::label(int labelNumber, LabelField field) {
    Q_ASSERT_X(labelNumber >= 1 && labelNumber <= kLabelTypeCount, "cVRAXSettings",
               "label number outside 1..7");
    return m_labels[qBound(1, labelNumber, kLabelTypeCount) - 1][static_cast<int>(field)];
}

const cVRAXSettings::Value& cVRAXSettings::label(int labelNumber, LabelField field) const {
    return const_cast<cVRAXSettings*>(this)->label(labelNumber, field);
}

StationError cVRAXSettings::readValue(const StoreSnapshot& store, Value& into,
                                      SettingEncoding encoding, const QString& key,
                                      const QString& fallback) {
    const QString stored = store.value(key, fallback);
    switch (encoding) {
    case SettingEncoding::Text:
        into.text = stored;
        break;
    case SettingEncoding::List:
        into.text = settingcodec::decodeList(stored);
        break;
    case SettingEncoding::Flag: {
        const std::optional<bool> flag = settingcodec::parseFlag(stored);
        if (!flag)
            return conversionError(kTypeMismatch, key, stored);
        setFlag(into, *flag);
        break;
    }
    case SettingEncoding::Number: {
        bool overflow = false;
        const std::optional<qint16> number = roundToInt16(stored, &overflow);
        if (!number)
            return conversionError(overflow ? kOverflow : kTypeMismatch, key, stored);
        into.number = *number;
        break;
    }
    }
    return {};
}

QString cVRAXSettings::encodeValue(const Value& value, SettingEncoding encoding) {
    switch (encoding) {
    case SettingEncoding::Text:
        return value.text;
    case SettingEncoding::List:
        return settingcodec::encodeList(value.text);
    case SettingEncoding::Flag:
        return settingcodec::formatFlag(getFlag(value));
    case SettingEncoding::Number:
        return settingcodec::formatNumber(value.number);
    }
    return {};
}

StationError cVRAXSettings::writeValues(const QList<std::pair<QString, QString>>& values,
                                        const char* source) {
    QString why;
    qsizetype failedAt = 0;
    if (SaveSettings(values, &why, &failedAt))
        return {};
    const QString key = values.isEmpty() ? QString() : values.at(failedAt).first;
    return {kFileAccessError,
            QStringLiteral("Path/File access error: the setting \"%1\" could not be saved (%2)")
                .arg(key, why),
            QString::fromLatin1(source)};
}

StationError cVRAXSettings::LoadValues() {
    // One read of the store for every key; the write-backs below touch no key read after them.
    const StoreSnapshot store = SettingsStore(QString::fromLatin1(kProgramTitle))
                                    .readSection(QString::fromLatin1(kSettingsSection));
    for (int g = 0; g < kGlobalCount; ++g) {
        const FieldDef& def = kGlobalFields[g];
        StationError error = readValue(store, m_globals[g], def.encoding, QLatin1String(def.key),
                                       QLatin1String(def.fallback));
        if (error.isError())
            return error;
    }

    // Write-backs that fail do not stop the reading: the object is still fully loaded, and
    // what the write-back would have removed stays in the store for the next load.
    StationError writeFailure;

    if (MainGraphic() < 0) {
        Value shown;
        const QString legacyKey = QStringLiteral("DisplayPredatorGraphic");
        StationError error =
            readValue(store, shown, SettingEncoding::Flag, legacyKey, QStringLiteral("1"));
        if (error.isError())
            return error;
        setMainGraphic(getFlag(shown) ? 1 : 0);
        StationError saved =
            writeValues({{QStringLiteral("MainGraphic"), QString::number(MainGraphic())}},
                        "cVRAXSettings.LoadValues");
        if (saved.isError())
            keepFirst(writeFailure, std::move(saved));
        else
            DeleteSetting(legacyKey); // absent is fine
    }

    // The earlier version kept the logout rule, printer, preload list and web-cam choice once
    // for all label types; a store without Label1AutoLogoutType is of that version.
    QString upgraded[kLabelFieldCount];
    for (int f = 0; f < kLabelFieldCount; ++f)
        upgraded[f] = QLatin1String(kLabelFields[f].fallback);
    Value& type1 = label(1, LabelField::AutoLogoutType);
    type1.text = store.value(LabelKey(1, LabelField::AutoLogoutType));
    const bool upgrade = type1.text.isEmpty();
    QString upgradedWebCam[kLabelTypeCount];
    for (QString& mode : upgradedWebCam)
        mode = QStringLiteral("0");
    if (upgrade) {
        const QString autoLogout = store.value(QStringLiteral("AutoLogout"));
        const bool absolute = !autoLogout.isEmpty() && autoLogout != QLatin1String("Never");
        upgraded[idx(LabelField::AutoLogoutType)] =
            absolute ? QStringLiteral("1") : QStringLiteral("0");
        upgraded[idx(LabelField::AutoLogoutTime)] = absolute ? autoLogout : QString();
        upgraded[idx(LabelField::Printer)] = store.value(QStringLiteral("LabelPrinter"));
        upgraded[idx(LabelField::PreloadList)] = store.value(QStringLiteral("PreloadList"));
        type1.text = upgraded[idx(LabelField::AutoLogoutType)];
        for (int n = 1; n <= kLabelTypeCount; ++n) {
            Value capture;
            StationError error =
                readValue(store, capture, SettingEncoding::Flag,
                          QStringLiteral("Label%1CaptureWebCamImage").arg(n), QStringLiteral("0"));
            if (error.isError())
                return error;
            upgradedWebCam[n - 1] = getFlag(capture) ? QStringLiteral("1") : QStringLiteral("0");
        }
    }

    for (int n = 1; n <= kLabelTypeCount; ++n) {
        for (int f = 0; f < kLabelFieldCount; ++f) {
            const auto field = static_cast<LabelField>(f);
            if (n == 1 && field == LabelField::AutoLogoutType)
                continue;
            const QString& fallback =
                field == LabelField::WebCamMode ? upgradedWebCam[n - 1] : upgraded[f];
            StationError error = readValue(store, label(n, field), kLabelFields[f].encoding,
                                           LabelKey(n, field), fallback);
            if (error.isError())
                return error;
        }
    }

    if (upgrade) {
        StationError saved = SaveValues();
        if (saved.isError())
            return writeFailure.isError() ? writeFailure : saved;
        DeleteSetting(QStringLiteral("AutoLogout"));
        DeleteSetting(QStringLiteral("PreloadList"));
        DeleteSetting(QStringLiteral("LabelPrinter"));
        for (int n = 1; n <= kLabelTypeCount; ++n)
            DeleteSetting(QStringLiteral("Label%1CaptureWebCamImage").arg(n));
    }
    return writeFailure;
}

StationError cVRAXSettings::SaveValues() const {
    // One batch: the store rewrites its file once instead of once per key.
    QList<std::pair<QString, QString>> values;
    values.reserve(kGlobalCount + kLabelTypeCount * kLabelFieldCount);
    for (int g = 0; g < kGlobalCount; ++g)
        values.append({QLatin1String(kGlobalFields[g].key),
                       encodeValue(m_globals[g], kGlobalFields[g].encoding)});
    for (int n = 1; n <= kLabelTypeCount; ++n) {
        for (int f = 0; f < kLabelFieldCount; ++f) {
            const auto field = static_cast<LabelField>(f);
            values.append(
                {LabelKey(n, field), encodeValue(label(n, field), kLabelFields[f].encoding)});
        }
    }
    return writeValues(values, "cVRAXSettings.SaveValues");
}

} // namespace zelkora
