#pragma once

#include "util/error.h"

#include <QHash>
#include <QList>
#include <QString>
#include <array>
#include <optional>
#include <utility>

namespace zelkora {

// How a setting's value is kept as text in the settings store.
enum class SettingEncoding {
    Text,   // the string unchanged
    List,   // lines separated by CR LF in memory, by "<BR>" in the store
    Flag,   // "True"/"False"
    Number, // 16-bit signed integer in decimal
};

// The stored forms of the encodings, shared with the few callers that read keys directly.
namespace settingcodec {
// CR LF (and a lone CR or LF, which a store line cannot hold) becomes "<BR>".
QString encodeList(const QString& lines);
// Every "<BR>" (exact letter case) becomes CR LF.
QString decodeList(const QString& stored);
// "True"/"False" in any letter case, or a number (0 false, any other true); else no value.
std::optional<bool> parseFlag(const QString& stored);
QString formatFlag(bool value);
// A decimal number rounded halves-to-even; no value when it is not a number or the rounded
// value lies outside -32768..32767.
std::optional<qint16> parseNumber(const QString& stored);
QString formatNumber(qint16 value);
} // namespace settingcodec

// The global settings in load and save order: property, store key, encoding, default.
#define ZELKORA_GLOBAL_SETTINGS(X)                                                                 \
    X(CompanyName, "CompanyName", Text, "Company Name")                                            \
    X(DirectorName, "Director", Text, "")                                                          \
    X(DirectorPhone, "DirectorPhoneNumber", Text, "")                                              \
    X(WelcomeLine1, "WelcomeLine1", Text, "Welcome to")                                            \
    X(WelcomeLine2, "WelcomeLine2", Text, "My Company, Inc.")                                      \
    X(ReportPrinter, "ReportPrinter", Text, "")                                                    \
    X(LogoutDays, "LogoutDays", Number, "1")                                                       \
    X(ForceCase, "ForceCase", Flag, "0")                                                           \
    X(MainGraphic, "MainGraphic", Number, "-1")                                                    \
    X(ActivateInternetLinks, "ActivateInternetLinks", Flag, "1")                                   \
    X(DefaultScanner, "DefaultScanner", Number, "1")

// The fields of one label-type record in load and save order: field, encoding, default. The
// store key of field F of label type N is "Label" N F, e.g. "Label3Printer".
#define ZELKORA_LABEL_FIELDS(X)                                                                    \
    X(Title, Text, "")                                                                             \
    X(Description, Text, "")                                                                       \
    X(GraphicOption, Text, "No Graphic")                                                           \
    X(PrintingOption, Text, "Print Label")                                                         \
    X(AllowTitleChange, Flag, "0")                                                                 \
    X(AllowNoName, Flag, "0")                                                                      \
    X(MessageBoard, Text, "")                                                                      \
    X(IncludeCheckinAndCheckout, Flag, "0")                                                        \
    X(Info1Title, Text, "")                                                                        \
    X(Info1Required, Flag, "0")                                                                    \
    X(Info1Printed, Flag, "0")                                                                     \
    X(Info1Displayed, Flag, "1")                                                                   \
    X(Info1DisplayAtCheckout, Flag, "0")                                                           \
    X(Info1Answers, List, "")                                                                      \
    X(Info2Title, Text, "")                                                                        \
    X(Info2Required, Flag, "0")                                                                    \
    X(Info2Printed, Flag, "0")                                                                     \
    X(Info2Displayed, Flag, "1")                                                                   \
    X(Info2DisplayAtCheckout, Flag, "0")                                                           \
    X(Info2Answers, List, "")                                                                      \
    X(AutoLogoutType, Text, "")                                                                    \
    X(AutoLogoutTime, Text, "")                                                                    \
    X(NameLabelPrefix, Text, "")                                                                   \
    X(PreloadList, List, "")                                                                       \
    X(Printer, Text, "")                                                                           \
    X(PrinterPaperRoll, Number, "0")                                                               \
    X(WebCamMode, Number, "0")                                                                     \
    X(ScannerMode, Number, "0")                                                                    \
    X(PrinterPaperSize, Number, "0")

// Property types per encoding: what a getter returns and a setter takes.
#define ZELKORA_SETTING_GET_Text const QString&
#define ZELKORA_SETTING_GET_List const QString&
#define ZELKORA_SETTING_GET_Flag bool
#define ZELKORA_SETTING_GET_Number qint16
#define ZELKORA_SETTING_SET_Text const QString&
#define ZELKORA_SETTING_SET_List const QString&
#define ZELKORA_SETTING_SET_Flag bool
#define ZELKORA_SETTING_SET_Number qint16

// The station's settings: eleven globals and seven label-type records of twenty-nine fields,
// a snapshot of the settings store ("Zelkora", section "Settings"). Create one, LoadValues(),
// read what is needed; SaveValues() writes every key back. Properties only change memory.
//
// Each global G has G() and setG(). Each label-type field F has LabelF(n) and setLabelF(n, v)
// for the label number n = 1..7 (button index + 1), and the named forms LabelnF() and
// setLabelnF(v), e.g. Label3Printer(). Lists hold their lines separated by CR LF.
class cVRAXSettings {
public:
    static constexpr int kLabelTypeCount = 7;

#define ZELKORA_X(name, ...) name,
    enum class Global { ZELKORA_GLOBAL_SETTINGS(ZELKORA_X) Count };
    enum class LabelField { ZELKORA_LABEL_FIELDS(ZELKORA_X) Count };
#undef ZELKORA_X

    static constexpr int kGlobalCount = static_cast<int>(Global::Count);
    static constexpr int kLabelFieldCount = static_cast<int>(LabelField::Count);

    // The store key of a label-type field, e.g. LabelKey(3, LabelField::Printer) is
    // "Label3Printer".
    static QString LabelKey(int labelNumber, LabelField field);

    // Reads every setting from the store, upgrading a store of the earlier global keys once.
    // A value that cannot be converted stops the load with an error naming its key (settings
    // read before it keep their new values, the rest their old ones); a failed write-back is
    // returned after all settings were read.
    [[nodiscard]] StationError LoadValues();
    // Writes every setting to the store in the fixed key order, as one batch. A failure is
    // returned naming the key it stopped at; keys before it are written (when the store file
    // itself cannot be written, that is the first key and nothing is written).
    [[nodiscard]] StationError SaveValues() const;

#define ZELKORA_X(name, key, enc, def)                                                             \
    ZELKORA_SETTING_GET_##enc name() const {                                                       \
        return get##enc(m_globals[idx(Global::name)]);                                             \
    }                                                                                              \
    void set##name(ZELKORA_SETTING_SET_##enc value) {                                              \
        set##enc(m_globals[idx(Global::name)], value);                                             \
    }
    ZELKORA_GLOBAL_SETTINGS(ZELKORA_X)
#undef ZELKORA_X

#define ZELKORA_X(name, enc, def)                                                                  \
    ZELKORA_SETTING_GET_##enc Label##name(int labelNumber) const {                                 \
        return get##enc(label(labelNumber, LabelField::name));                                     \
    }                                                                                              \
    void setLabel##name(int labelNumber, ZELKORA_SETTING_SET_##enc value) {                        \
        set##enc(label(labelNumber, LabelField::name), value);                                     \
    }
    ZELKORA_LABEL_FIELDS(ZELKORA_X)
#undef ZELKORA_X

#define ZELKORA_NAMED(n, name, enc)                                                                \
    ZELKORA_SETTING_GET_##enc Label##n##name() const {                                             \
        return Label##name(n);                                                                     \
    }                                                                                              \
    void setLabel##n##name(ZELKORA_SETTING_SET_##enc value) {                                      \
        setLabel##name(n, value);                                                                  \
    }
#define ZELKORA_X(name, enc, def)                                                                  \
    ZELKORA_NAMED(1, name, enc)                                                                    \
    ZELKORA_NAMED(2, name, enc)                                                                    \
    ZELKORA_NAMED(3, name, enc)                                                                    \
    ZELKORA_NAMED(4, name, enc)                                                                    \
    ZELKORA_NAMED(5, name, enc)                                                                    \
    ZELKORA_NAMED(6, name, enc)                                                                    \
    ZELKORA_NAMED(7, name, enc)
    ZELKORA_LABEL_FIELDS(ZELKORA_X)
#undef ZELKORA_X
#undef ZELKORA_NAMED

private:
    // One setting in memory: texts and lists in `text`, flags (0/1) and numbers in `number`.
    struct Value {
        QString text;
        qint16 number = 0;
    };
    using Record = std::array<Value, kLabelFieldCount>;

    static constexpr int idx(Global g) {
        return static_cast<int>(g);
    }
    static constexpr int idx(LabelField f) {
        return static_cast<int>(f);
    }
    // The record slot of label number 1..7; a number outside that range is a caller's bug.
    Value& label(int labelNumber, LabelField field);
    const Value& label(int labelNumber, LabelField field) const;

    static const QString& getText(const Value& v) {
        return v.text;
    }
    static const QString& getList(const Value& v) {
        return v.text;
    }
    static bool getFlag(const Value& v) {
        return v.number != 0;
    }
    static qint16 getNumber(const Value& v) {
        return v.number;
    }
    static void setText(Value& v, const QString& value) {
        v.text = value;
    }
    static void setList(Value& v, const QString& value) {
        v.text = value;
    }
    static void setFlag(Value& v, bool value) {
        v.number = value ? 1 : 0;
    }
    static void setNumber(Value& v, qint16 value) {
        v.number = value;
    }

    // Reads `key` of the store snapshot (or `fallback` when absent) into `into` by its encoding;
    // `into` is left unchanged when the stored text cannot be converted.
    using StoreSnapshot = QHash<QString, QString>;
    static StationError readValue(const StoreSnapshot& store, Value& into, SettingEncoding encoding,
                                  const QString& key, const QString& fallback);
    static QString encodeValue(const Value& value, SettingEncoding encoding);
    // Writes the keys in order in one batch; a failure names the key it stopped at.
    static StationError writeValues(const QList<std::pair<QString, QString>>& values,
                                    const char* source);

    std::array<Value, kGlobalCount> m_globals{};
    std::array<Record, kLabelTypeCount> m_labels{};
};

} // namespace zelkora
