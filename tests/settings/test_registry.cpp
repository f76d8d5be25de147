#include "app/core/stationfolder.h"
#include "settings/registry.h"
#include "support/scriptedprompter.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <optional>

namespace zelkora {
namespace {

const QString kSection = QStringLiteral("Software\\Zelkora\\Test");

QString classKeyText() {
    return QStringLiteral("-2147483648"); // HKEY_CLASSES_ROOT as a signed 32-bit number
}

class RegistryTest : public test::StationTest {
protected:
    static cRegistry registry(const QString& section = kSection,
                              const QString& value = QStringLiteral("item"), qint32 type = RegSz) {
        cRegistry reg;
        reg.setClassKey(HKEY_CLASSES_ROOT);
        reg.setSectionKey(section);
        reg.setValueKey(value);
        reg.setValueType(type);
        return reg;
    }

    // Plants a value with any type and bytes, as another program might have written it.
    static void plant(const QString& name, qint32 type, const QByteArray& data) {
        ASSERT_EQ(regstore::createKey(HKEY_CLASSES_ROOT, kSection), RegOk);
        ASSERT_EQ(regstore::setValue(HKEY_CLASSES_ROOT, kSection, name, type, data), RegOk);
    }

    static std::optional<std::pair<qint32, QByteArray>> stored(const QString& name) {
        qint32 type = -1;
        QByteArray data;
        if (regstore::queryValue(HKEY_CLASSES_ROOT, kSection, name, &type, &data) != RegOk)
            return std::nullopt;
        return std::make_pair(type, data);
    }

    QString rootFile() const { return machineDir() + QStringLiteral("HKEY_CLASSES_ROOT.json"); }

    // A machine folder path that is a regular file, so the store can never be created.
    void machineFolderIsAFile() {
        const QString blocker = root() + QStringLiteral("/not-a-folder");
        writeFile(blocker, "x");
        qputenv("ZELKORA_MACHINE_DIR", blocker.toLocal8Bit());
    }

    // Keeps the current store readable but makes every further write of it fail (also for
    // root): the file becomes a symbolic link to a file whose name leaves no room for the
    // temporary file an atomic write needs beside it.
    void freezeStore() {
        const QString folder = root() + QStringLiteral("/frozen/");
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString target = folder + QString(250, QLatin1Char('r'));
        ASSERT_TRUE(QFile::rename(rootFile(), target));
        ASSERT_TRUE(QFile::link(target, rootFile()));
    }

    static QString expectedWriteFailure(const QString& section, const QString& value,
                                        const QString& written) {
        return QStringLiteral("Failed to set registry value Key: '") +
               scrambleText(classKeyText()) + QStringLiteral("',Section: '") +
               scrambleText(section) + QStringLiteral("',Key: '") + scrambleText(value) +
               QStringLiteral("' to value: '") + scrambleText(written) + QStringLiteral("'");
    }
};

// ---- Values ------------------------------------------------------------------------------------

TEST_F(RegistryTest, WrittenValuesReadBackWithTheirStoredType) {
    struct Case {
        const char* name;
        qint32 writeType;
        QVariant written;
        qint32 storedType;
        QVariant read;
    };
    const QByteArray bytes("\x00\x01\xfe\xff", 4);
    const std::vector<Case> cases = {
        {"text", RegSz, QStringLiteral("hello"), RegSz, QStringLiteral("hello")},
        {"empty text", RegSz, QString(), RegSz, QString()},
        {"non-ASCII text", RegSz, QStringLiteral("Gr\u00fc\u00dfe \u20ac"), RegSz,
         QStringLiteral("Gr\u00fc\u00dfe \u20ac")},
        {"type 2 without reference", RegExpandSz, QStringLiteral("plain"), RegSz,
         QStringLiteral("plain")},
        {"number as text", RegSz, 42, RegSz, QStringLiteral("42")},
        {"bytes", RegBinary, bytes, RegBinary, bytes},
        {"empty bytes", RegBinary, QByteArray(), RegBinary, QByteArray()},
        {"number", RegDword, 123456, RegDword, 123456},
        {"negative number", RegDword, -1, RegDword, -1},
        {"16-bit number", RegDword, QVariant::fromValue<short>(7), RegDword, 7},
        {"unsigned number", RegDword, QVariant::fromValue<uint>(0xFFFFFFFEu), RegDword, -2},
        {"reversed number is stored plain", RegDwordBigEndian, 0x01020304, RegDword, 0x01020304},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        cRegistry writer = registry(kSection, name, c.writeType);
        StationError error;
        ASSERT_TRUE(writer.setValue(c.written, &error)) << error.description.toStdString();
        EXPECT_FALSE(error.isError());

        const auto raw = stored(name);
        ASSERT_TRUE(raw.has_value());
        EXPECT_EQ(raw->first, c.storedType);

        cRegistry reader = registry(kSection, name, RegNone);
        const QVariant read = reader.Value();
        EXPECT_EQ(read.typeId(), c.read.typeId());
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(reader.ValueType(), c.storedType);
    }
}

TEST_F(RegistryTest, TextIsStoredAsType2OnlyWithTwoPercentSignsApart) {
    struct Case {
        const char* text;
        qint32 storedType;
    };
    const std::vector<Case> cases = {
        {"%a%", RegExpandSz},    {"%SystemRoot%\\x", RegExpandSz},
        {"a%bc%d", RegExpandSz}, {"%%%", RegExpandSz},
        {"x%%y%", RegExpandSz},  {"%%", RegSz},
        {"x%%y", RegSz},         {"50%", RegSz},
        {"no signs", RegSz},     {"%", RegSz},
    };
    for (const qint32 writeType : {qint32{RegSz}, qint32{RegExpandSz}}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.text) + " written as type " + std::to_string(writeType));
            cRegistry reg = registry(kSection, QStringLiteral("v"), writeType);
            ASSERT_TRUE(reg.setValue(QString::fromLatin1(c.text)));
            const auto raw = stored(QStringLiteral("v"));
            ASSERT_TRUE(raw.has_value());
            EXPECT_EQ(raw->first, c.storedType);
            EXPECT_EQ(raw->second, QByteArray(c.text) + '\0'); // the text and one NUL
        }
    }
}

TEST_F(RegistryTest, Type2ExpandsSetVariablesAndKeepsUnknownReferences) {
    qputenv("ZELKORA_REGISTRY_TEST_VAR", "expanded");
    cRegistry reg = registry();
    ASSERT_TRUE(reg.setValue(QStringLiteral("a%ZELKORA_REGISTRY_TEST_VAR%b %NO_SUCH_VAR_Q7% 5%")));
    EXPECT_EQ(reg.Value(), QStringLiteral("aexpandedb %NO_SUCH_VAR_Q7% 5%"));
    EXPECT_EQ(reg.ValueType(), RegExpandSz);
    qunsetenv("ZELKORA_REGISTRY_TEST_VAR");
}

TEST_F(RegistryTest, ReadsValuesOtherProgramsStored) {
    struct Case {
        const char* name;
        qint32 type;
        QByteArray data;
        QVariant read;
    };
    const std::vector<Case> cases = {
        {"reversed", RegDwordBigEndian, QByteArray("\x01\x02\x03\x04", 4), 0x01020304},
        {"plain", RegDword, QByteArray("\x01\x02\x03\x04", 4), 0x04030201},
        {"short number", RegDword, QByteArray("\x05", 1), 5},
        {"list", RegMultiSz, QByteArray("a\0bc\0\0", 6), QString::fromUtf8("a\0bc\0", 5)},
        {"text without NUL", RegSz, QByteArray("abc"), QStringLiteral("abc")},
        {"none", RegNone, QByteArray("\x07", 1), QByteArray("\x07", 1)},
        {"64-bit", 11, QByteArray("\x01\x00\x00\x00\x00\x00\x00\x00", 8),
         QByteArray("\x01\x00\x00\x00\x00\x00\x00\x00", 8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plant(QString::fromLatin1(c.name), c.type, c.data);
        cRegistry reg = registry(kSection, QString::fromLatin1(c.name), RegSz);
        const QVariant read = reg.Value();
        EXPECT_EQ(read.typeId(), c.read.typeId());
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(reg.ValueType(), c.type);
    }
}

TEST_F(RegistryTest, MissingValueGivesDefaultAndKeepsValueType) {
    plant(QStringLiteral("present"), RegSz, QByteArray("x\0", 2));
    struct Case {
        const char* name;
        QString section;
        QString value;
    };
    const std::vector<Case> cases = {
        {"missing key", QStringLiteral("No\\Such\\Key"), QStringLiteral("present")},
        {"missing value", kSection, QStringLiteral("absent")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cRegistry reg = registry(c.section, c.value, RegDword);
        EXPECT_FALSE(reg.Value().isValid()); // Default starts empty
        EXPECT_EQ(reg.ValueType(), RegDword);

        reg.setDefault(QStringLiteral("fallback"));
        EXPECT_EQ(reg.Value(), QStringLiteral("fallback"));
        EXPECT_EQ(reg.ValueType(), RegDword);
    }
}

TEST_F(RegistryTest, KeysAndValueNamesMatchWithoutLetterCase) {
    cRegistry writer = registry(QStringLiteral("Software\\Zelkora"), QStringLiteral("LaunchDate"));
    ASSERT_TRUE(writer.setValue(QStringLiteral("one")));

    cRegistry reader =
        registry(QStringLiteral("SOFTWARE\\zelkora\\"), QStringLiteral("launchdate"));
    EXPECT_TRUE(reader.KeyExists());
    EXPECT_EQ(reader.Value(), QStringLiteral("one"));

    // Overwriting through another spelling replaces the value instead of adding a second one.
    ASSERT_TRUE(reader.setValue(QStringLiteral("two")));
    QStringList names;
    int count = -1;
    EXPECT_TRUE(writer.EnumerateValues(names, count));
    EXPECT_EQ(names, QStringList{QStringLiteral("LaunchDate")});
    EXPECT_EQ(count, 1);
    EXPECT_EQ(writer.Value(), QStringLiteral("two"));

    // The roots are separate stores.
    cRegistry machine = reader;
    machine.setClassKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(machine.KeyExists());
}

// ---- Write errors ------------------------------------------------------------------------------

TEST_F(RegistryTest, WriteWithAnUnsupportedTypeFailsAndWritesNothing) {
    for (const qint32 type : {qint32{RegNone}, qint32{6}, qint32{RegMultiSz}}) {
        SCOPED_TRACE(type);
        cRegistry reg = registry(kSection, QStringLiteral("v"), type);
        StationError error;
        EXPECT_FALSE(reg.setValue(QStringLiteral("x"), &error));
        EXPECT_EQ(error.number, kRegistryWriteError);
        EXPECT_EQ(error.number, -2147194455);
        EXPECT_EQ(error.source, QStringLiteral("zelkora.cRegistry"));
        EXPECT_EQ(error.description,
                  expectedWriteFailure(kSection, QStringLiteral("v"), QStringLiteral("x")));
        EXPECT_FALSE(stored(QStringLiteral("v")).has_value());
    }
}

TEST_F(RegistryTest, BinaryWriteAcceptsOnlyBytes) {
    cRegistry reg = registry(kSection, QStringLiteral("v"), RegBinary);
    StationError error;
    EXPECT_FALSE(reg.setValue(QStringLiteral("not bytes"), &error));
    EXPECT_EQ(error.number, kRegistryError);
    EXPECT_TRUE(error.description.isEmpty());
    EXPECT_EQ(error.source, QStringLiteral("zelkora.cRegistry"));
    EXPECT_FALSE(stored(QStringLiteral("v")).has_value());

    // A successful call clears an earlier error.
    EXPECT_TRUE(reg.setValue(QByteArray("ok"), &error));
    EXPECT_FALSE(error.isError());
}

TEST_F(RegistryTest, NumberWriteOfANonIntegerWritesNothing) {
    for (const QVariant& value : {QVariant(QStringLiteral("12")), QVariant(1.5), QVariant(true),
                                  QVariant::fromValue<qlonglong>(0x100000000LL)}) {
        SCOPED_TRACE(value.toString().toStdString());
        cRegistry reg = registry(kSection, QStringLiteral("n"), RegDword);
        EXPECT_TRUE(reg.setValue(value));
        EXPECT_FALSE(stored(QStringLiteral("n")).has_value());
    }
}

TEST_F(RegistryTest, WriteToAStoreThatCannotBeCreatedShowsTheCodeAndFails) {
    machineFolderIsAFile();
    test::ScriptedPrompter prompter;
    cRegistry reg = registry(kSection, QStringLiteral("v"), RegSz);
    StationError error;
    EXPECT_FALSE(reg.setValue(QStringLiteral("x"), &error));

    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].text,
              QStringLiteral("An Error occured: code '%1'").arg(RegCantWrite));
    EXPECT_EQ(prompter.messages[0].code, 0);
    EXPECT_EQ(prompter.messages[0].title, QStringLiteral("Zelkora"));
    EXPECT_EQ(error.number, kRegistryError);
    EXPECT_EQ(error.description,
              expectedWriteFailure(kSection, QStringLiteral("v"), QStringLiteral("x")));
}

TEST_F(RegistryTest, FailedWriteNamesTheValueItFailedToWriteAndKeepsTheOldOne) {
    cRegistry reg = registry(kSection, QStringLiteral("v"), RegSz);
    ASSERT_TRUE(reg.setValue(QStringLiteral("first")));
    freezeStore();

    test::ScriptedPrompter prompter;
    StationError error;
    EXPECT_FALSE(reg.setValue(QStringLiteral("second"), &error));
    EXPECT_TRUE(prompter.messages.isEmpty()); // the key itself could be opened
    EXPECT_EQ(error.number, kRegistryWriteError);
    EXPECT_EQ(error.description,
              expectedWriteFailure(kSection, QStringLiteral("v"), QStringLiteral("second")));
    EXPECT_EQ(reg.Value(), QStringLiteral("first"));
}

// ---- Keys --------------------------------------------------------------------------------------

TEST_F(RegistryTest, CreateKeyMakesParentsAndAcceptsATrailingBackslash) {
    cRegistry reg = registry(QStringLiteral("A\\B\\C\\"));
    EXPECT_FALSE(reg.KeyExists());
    StationError error;
    EXPECT_TRUE(reg.CreateKey(&error));
    EXPECT_FALSE(error.isError());
    EXPECT_TRUE(reg.KeyExists());
    EXPECT_TRUE(registry(QStringLiteral("A\\B")).KeyExists());
    EXPECT_TRUE(reg.CreateKey()); // an existing key is simply opened
}

TEST_F(RegistryTest, InvalidPathsAndRootsAreRefused) {
    for (const QString& section :
         {QStringLiteral("\\Lead"), QStringLiteral("A\\\\B"), QStringLiteral("\\")}) {
        SCOPED_TRACE(section.toStdString());
        cRegistry reg = registry(section);
        EXPECT_FALSE(reg.KeyExists());
        EXPECT_FALSE(reg.CreateKey());
    }
    cRegistry unknownRoot = registry();
    unknownRoot.setClassKey(0);
    EXPECT_FALSE(unknownRoot.KeyExists());
    StationError error;
    EXPECT_FALSE(unknownRoot.CreateKey(&error));
    EXPECT_EQ(error.number, kRegistryError);
}

TEST_F(RegistryTest, CreateKeyFailureNamesTheKey) {
    machineFolderIsAFile();
    cRegistry reg = registry();
    StationError error;
    EXPECT_FALSE(reg.CreateKey(&error));
    EXPECT_EQ(error.number, 26001);
    EXPECT_EQ(error.source, QStringLiteral("zelkora.cRegistry"));
    EXPECT_EQ(error.description,
              QStringLiteral("Failed to create registry Key: '") + scrambleText(kSection));
    EXPECT_FALSE(reg.KeyExists());
}

TEST_F(RegistryTest, DeleteKey) {
    const QString parent = QStringLiteral("Parent");
    const QString child = QStringLiteral("Parent\\Child");
    ASSERT_TRUE(registry(child).CreateKey());

    const auto expected = [](const QString& section, long code) -> QString {
        return QStringLiteral("Failed to delete registry Key: '") + scrambleText(classKeyText()) +
               QStringLiteral("',Section: '") + scrambleText(section) +
               QStringLiteral("' Error code: '") + scrambleText(QString::number(code)) +
               QStringLiteral("'");
    };

    StationError error;
    cRegistry withChildren = registry(parent);
    EXPECT_FALSE(withChildren.DeleteKey(&error));
    EXPECT_EQ(error.number, kRegistryError);
    EXPECT_EQ(error.description, expected(parent, RegAccessDenied));
    EXPECT_TRUE(registry(child).KeyExists());

    cRegistry leaf = registry(child);
    ASSERT_TRUE(leaf.setValue(QStringLiteral("goes with its key")));
    EXPECT_TRUE(leaf.DeleteKey(&error));
    EXPECT_FALSE(error.isError());
    EXPECT_FALSE(leaf.KeyExists());
    EXPECT_TRUE(withChildren.KeyExists());

    EXPECT_FALSE(leaf.DeleteKey(&error));
    EXPECT_EQ(error.description, expected(child, RegFileNotFound));
}

TEST_F(RegistryTest, DeleteValue) {
    plant(QStringLiteral("item"), RegSz, QByteArray("x\0", 2));
    const QString prefix =
        QStringLiteral("'") + scrambleText(classKeyText()) + QStringLiteral("',Section: '");

    StationError error;
    cRegistry missingKey = registry(QStringLiteral("Missing"));
    EXPECT_FALSE(missingKey.DeleteValue(&error));
    EXPECT_EQ(error.number, kRegistryError);
    EXPECT_EQ(error.description, QStringLiteral("Failed to open key ") + prefix +
                                     scrambleText(QStringLiteral("Missing")) +
                                     QStringLiteral("' for delete access"));

    cRegistry missingValue = registry(kSection, QStringLiteral("absent"));
    EXPECT_FALSE(missingValue.DeleteValue(&error));
    EXPECT_EQ(error.description, QStringLiteral("Failed to delete registry Value: ") + prefix +
                                     scrambleText(kSection) + QStringLiteral("',Key: '") +
                                     scrambleText(QStringLiteral("absent")) + QStringLiteral("'"));

    cRegistry present = registry(kSection, QStringLiteral("ITEM"));
    EXPECT_TRUE(present.DeleteValue(&error));
    EXPECT_FALSE(error.isError());
    EXPECT_FALSE(stored(QStringLiteral("item")).has_value());
    EXPECT_TRUE(present.KeyExists());
}

// ---- Enumeration -------------------------------------------------------------------------------

TEST_F(RegistryTest, EnumerateSections) {
    QStringList names{QStringLiteral("stale")};
    int count = -1;
    StationError error;

    cRegistry reg = registry(QStringLiteral("Top"));
    ASSERT_TRUE(reg.CreateKey());
    EXPECT_TRUE(reg.EnumerateSections(names, count, &error));
    EXPECT_TRUE(names.isEmpty());
    EXPECT_EQ(count, 0);

    for (const char* name : {"beta", "Alpha", "gamma"})
        ASSERT_TRUE(registry(QStringLiteral("Top\\") + QLatin1String(name)).CreateKey());
    EXPECT_TRUE(reg.EnumerateSections(names, count, &error));
    EXPECT_EQ(names, (QStringList{QStringLiteral("Alpha"), QStringLiteral("beta"),
                                  QStringLiteral("gamma")}));
    EXPECT_EQ(count, 3);

    cRegistry missing = registry(QStringLiteral("Nowhere"));
    EXPECT_FALSE(missing.EnumerateSections(names, count, &error));
    EXPECT_TRUE(names.isEmpty());
    EXPECT_EQ(count, 0);
    EXPECT_EQ(error.number, kRegistryEnumerationError);
    EXPECT_EQ(error.number, -2147194454);
    EXPECT_EQ(error.description, regstore::codeDescription(RegFileNotFound));
    EXPECT_EQ(error.source, QStringLiteral("zelkora.cRegistry"));
}

TEST_F(RegistryTest, EnumerateValuesListsInCreationOrderAndIsAlwaysTrue) {
    for (const char* name : {"zeta", "alpha", ""})
        ASSERT_TRUE(registry(kSection, QLatin1String(name)).setValue(QStringLiteral("v")));
    QStringList names;
    int count = -1;
    cRegistry reg = registry();
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(names, (QStringList{QStringLiteral("zeta"), QStringLiteral("alpha"), QString()}));
    EXPECT_EQ(count, 3);

    cRegistry missing = registry(QStringLiteral("Nowhere"));
    EXPECT_TRUE(missing.EnumerateValues(names, count));
    EXPECT_TRUE(names.isEmpty());
    EXPECT_EQ(count, 0);
}

// ---- The store's file --------------------------------------------------------------------------

TEST_F(RegistryTest, CorruptStoreReadsEmptyAndIsNeverOverwritten) {
    struct Case {
        const char* name;
        QByteArray content;
    };
    const std::vector<Case> cases = {
        {"not JSON", "{\"format\": \"zelkora-registry\", \"vers"},
        {"not an object", "[]"},
        {"other format", R"({"format": "other", "version": 1, "values": [], "keys": []})"},
        {"newer version", R"({"format": "zelkora-registry", "version": 2})"},
        {"bad hex", R"({"format": "zelkora-registry", "version": 1,
                       "values": [{"name": "v", "type": 1, "data": "zz"}]})"},
        {"odd hex", R"({"format": "zelkora-registry", "version": 1,
                       "values": [{"name": "v", "type": 1, "data": "616"}]})"},
        {"bad type", R"({"format": "zelkora-registry", "version": 1,
                        "values": [{"name": "v", "type": 1.5, "data": "61"}]})"},
        {"twin keys", R"({"format": "zelkora-registry", "version": 1,
                         "keys": [{"name": "Software"}, {"name": "SOFTWARE"}]})"},
        {"backslash in name", R"({"format": "zelkora-registry", "version": 1,
                                 "keys": [{"name": "Software\\Zelkora"}]})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(rootFile(), c.content);
        test::ScriptedPrompter prompter;

        cRegistry top = registry(QString(), QStringLiteral("v"));
        EXPECT_TRUE(top.KeyExists()); // the root itself always opens
        EXPECT_FALSE(top.Value().isValid());
        QStringList names;
        int count = -1;
        EXPECT_TRUE(top.EnumerateSections(names, count));
        EXPECT_EQ(count, 0);

        cRegistry reg = registry(QStringLiteral("Software"));
        EXPECT_FALSE(reg.KeyExists());
        StationError error;
        EXPECT_FALSE(reg.CreateKey(&error));
        EXPECT_EQ(error.number, kRegistryError);
        EXPECT_FALSE(reg.setValue(QStringLiteral("x"), &error));
        ASSERT_EQ(prompter.messages.size(), 1);
        EXPECT_EQ(prompter.messages[0].text,
                  QStringLiteral("An Error occured: code '%1'").arg(RegBadDb));

        EXPECT_EQ(readFile(rootFile()), c.content);
    }
}

TEST_F(RegistryTest, EmptyFileIsAnEmptyStore) {
    writeFile(rootFile(), "");
    cRegistry reg = registry();
    ASSERT_TRUE(reg.setValue(QStringLiteral("x")));
    EXPECT_EQ(reg.Value(), QStringLiteral("x"));
}

TEST_F(RegistryTest, StoreLivesInTheStationFolderWithoutMachineDir) {
    qunsetenv("ZELKORA_MACHINE_DIR");
    cRegistry reg = registry();
    ASSERT_TRUE(reg.setValue(QStringLiteral("x")));
    EXPECT_TRUE(QFile::exists(stationDir() + QStringLiteral("registry/HKEY_CLASSES_ROOT.json")));
    EXPECT_FALSE(QFile::exists(rootFile()));
}

// ---- Scrambling --------------------------------------------------------------------------------

TEST(RegistryScramble, XorsWithTheRepeatingKey) {
    // The key scrambled with itself gives NULs, also where the key starts over.
    EXPECT_EQ(scrambleText(QStringLiteral("quorblenvatqu")), QString(13, QChar(0)));
    EXPECT_EQ(scrambleText(QStringLiteral("a")), QString(QChar(0x61 ^ 0x71)));
    EXPECT_EQ(scrambleText(QStringLiteral("0")), QString(QChar(0x30 ^ 0x71)));
    EXPECT_TRUE(scrambleText(QString()).isEmpty());

    // Every code stays 8-bit, so scrambling again gives the original back.
    const QString text = QStringLiteral("Software\\Zelkora \u00e9\u00ff -2147483648");
    const QString scrambled = scrambleText(text);
    EXPECT_EQ(scrambled.size(), text.size());
    EXPECT_NE(scrambled, text);
    for (const QChar c : scrambled)
        EXPECT_LE(c.unicode(), 0xFF);
    EXPECT_EQ(scrambleText(scrambled), text);

    // A character beyond Latin-1 is scrambled as "?".
    EXPECT_EQ(scrambleText(QStringLiteral("\u20ac")), QString(QChar(0x3F ^ 0x71)));
}

} // namespace
} // namespace zelkora
