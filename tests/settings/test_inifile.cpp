#include "settings/inifile.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Readable failure messages for the Qt texts compared below (NULs shown as \0).
void PrintTo(const QString& text, std::ostream* os) {
    QString shown = text;
    shown.replace(QChar(0), QStringLiteral("\\0"));
    *os << '"' << shown.toStdString() << '"';
}

void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << bytes.toPercentEncoding(" =[];\"'").toStdString() << '"';
}

namespace zelkora {
namespace {

using namespace std::string_view_literals;

// A text with embedded NUL characters.
QString nuls(std::u16string_view text) {
    return QStringView(text).toString();
}

QString dataFile(const QString& name) {
    return QString::fromUtf8(ZELKORA_TEST_DATA_DIR "/ini/") + name;
}

QByteArray dataBytes(const QString& name) {
    QFile file(dataFile(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

// `bytes` with its first occurrence of `from` replaced by `to` (which must exist).
QByteArray replaced(QByteArray bytes, const QByteArray& from, const QByteArray& to) {
    const qsizetype at = bytes.indexOf(from);
    EXPECT_GE(at, 0) << from.toStdString();
    if (at >= 0)
        bytes.replace(at, from.size(), to);
    return bytes;
}

class IniFileTest : public test::StationTest {
protected:
    QString iniPath() const { return root() + QStringLiteral("/test.ini"); }

    // An object on the test's INI file; `bytes` null leaves the file absent.
    cInifile ini(const QByteArray& bytes, const QString& section = {}, const QString& key = {}) {
        QFile::remove(iniPath());
        if (!bytes.isNull())
            writeFile(iniPath(), bytes);
        cInifile file;
        file.setPath(iniPath());
        file.setSection(section);
        file.setKey(key);
        return file;
    }

    bool iniExists() const { return QFileInfo::exists(iniPath()); }
};

// --- Reading -----------------------------------------------------------------------------------

struct ReadCase {
    const char* name;
    QByteArray file;
    QString section;
    QString key;
    QString fallback;
    QString expected;
};

TEST_F(IniFileTest, ValueReadsWhatTheProfileFunctionsReturn) {
    const QString main = QStringLiteral("Main");
    const QString left = QStringLiteral("Left");
    const QString d = QStringLiteral("d");
    const QByteArray simple = QByteArrayLiteral("[Main]\r\nLeft=120\r\n");
    const QString longValue(2000, QLatin1Char('x'));
    const std::vector<ReadCase> cases = {
        {"exact", simple, main, left, d, QStringLiteral("120")},
        {"names in any letter case", "[mAiN]\r\nLEFT=120\r\n", QStringLiteral("MAIN"),
         QStringLiteral("left"), d, QStringLiteral("120")},
        {"blanks around names and value", "[ Main ]\r\n  Left \t=  120 \t \r\n", main, left, d,
         QStringLiteral("120")},
        {"caller's names with blanks", simple, QStringLiteral(" Main "), QStringLiteral("Left "), d,
         QStringLiteral("120")},
        {"absent key gives the default", simple, main, QStringLiteral("Top"),
         QStringLiteral("none"), QStringLiteral("none")},
        {"absent key, empty default", simple, main, QStringLiteral("Top"), QString(), QString()},
        {"absent section", simple, QStringLiteral("Other"), left, d, d},
        {"default loses trailing blanks", simple, main, QStringLiteral("Top"),
         QStringLiteral(" d  "), QStringLiteral(" d")},
        {"empty section name", simple, QString(), left, d, d},
        {"empty key name", "[Main]\r\n=5\r\n", main, QString(), d, d},
        {"double quotes stripped", "[Main]\r\nLeft=\"  hi  \"\r\n", main, left, d,
         QStringLiteral("  hi  ")},
        {"single quotes stripped", "[Main]\r\nLeft='hi'\r\n", main, left, d, QStringLiteral("hi")},
        {"unmatched quotes kept", "[Main]\r\nLeft=\"hi'\r\n", main, left, d,
         QStringLiteral("\"hi'")},
        {"opening quote only", "[Main]\r\nLeft=\"hi\r\n", main, left, d, QStringLiteral("\"hi")},
        {"a lone quote", "[Main]\r\nLeft=\"\r\n", main, left, d, QStringLiteral("\"")},
        {"one pair only", "[Main]\r\nLeft=\"\"hi\"\"\r\n", main, left, d, QStringLiteral("\"hi\"")},
        {"value holding =", "[Main]\r\nLeft=a=b\r\n", main, left, d, QStringLiteral("a=b")},
        {"empty value is no absent key", "[Main]\r\nLeft=\r\n", main, left, d, QString()},
        {"comment line is no key", "[Main]\r\n;Left=1\r\n", main, left, d, d},
        {"line without = is no key", "[Main]\r\nLeft\r\n", main, left, d, d},
        {"key before any section", "Left=1\r\n[Main]\r\n", main, left, d, d},
        {"first of repeated keys", "[Main]\r\nLeft=1\r\nleft=2\r\n", main, left, d,
         QStringLiteral("1")},
        {"only the first of repeated sections", "[Main]\r\nTop=1\r\n[MAIN]\r\nLeft=2\r\n", main,
         left, d, d},
        {"empty header ends the section", "[Main]\r\n[]\r\nLeft=1\r\n", main, left, d, d},
        {"text after the header", "[Main] ; layout\r\nLeft=1\r\n", main, left, d,
         QStringLiteral("1")},
        {"header up to the last ]", "[Main]x]\r\nLeft=1\r\n", QStringLiteral("Main]x"), left, d,
         QStringLiteral("1")},
        {"LF line ends", "[Main]\nLeft=1\n", main, left, d, QStringLiteral("1")},
        {"CR line ends", "[Main]\rLeft=1\r", main, left, d, QStringLiteral("1")},
        {"UTF-8 with byte order mark",
         "\xEF\xBB\xBF[Main]\r\nLeft=Gr\xC3\xBC\xC3\x9F"
         "e\r\n",
         main, left, d, QStringLiteral("Gr\u00fc\u00dfe")},
        {"Latin-1",
         "[Main]\r\nLeft=Gr\xFC\xDF"
         "e\r\n",
         main, left, d, QStringLiteral("Gr\u00fc\u00dfe")},
        {"NUL ends the value", QByteArrayLiteral("[Main]\r\nLeft=ab\0cd\r\n"), main, left, d,
         QStringLiteral("ab")},
        {"2000 characters cut to 1023", "[Main]\r\nLeft=" + longValue.toLatin1() + "\r\n", main,
         left, d, longValue.left(1023)},
        {"long default cut to 1023", simple, main, QStringLiteral("Top"), longValue,
         longValue.left(1023)},
        {"no final line break", "[Main]\r\nLeft=7", main, left, d, QStringLiteral("7")},
    };
    for (const ReadCase& c : cases) {
        cInifile file = ini(c.file, c.section, c.key);
        file.setDefault(c.fallback);
        EXPECT_EQ(file.Value(), c.expected) << c.name;
    }
}

TEST_F(IniFileTest, ReadsOfAnAbsentOrUnusableFileGiveTheDefault) {
    cInifile file = ini({}, QStringLiteral("Main"), QStringLiteral("Left"));
    file.setDefault(QStringLiteral("d"));
    EXPECT_EQ(file.Value(), QStringLiteral("d"));
    EXPECT_EQ(file.INISection(), QStringLiteral("d"));
    EXPECT_EQ(file.Sections(), QString());

    // A folder, a FIFO (which would block a reader) and no path at all.
    const QString fifo = root() + QStringLiteral("/fifo.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : QStringList{root(), fifo, QString()}) {
        file.setPath(path);
        EXPECT_EQ(file.Value(), QStringLiteral("d")) << path.toStdString();
        EXPECT_EQ(file.Sections(), QString()) << path.toStdString();
        file.setValue(QStringLiteral("1"));
        EXPECT_FALSE(file.success()) << path.toStdString();
    }
}

TEST_F(IniFileTest, ReadsLeaveTheLastReturnCode) {
    cInifile file = ini("[Main]\r\nLeft=1\r\n", QStringLiteral("Main"), QStringLiteral("Left"));
    file.setValue(QStringLiteral("2"));
    ASSERT_TRUE(file.success());
    file.setPath(root() + QStringLiteral("/no/such/folder/x.ini"));
    file.setValue(QStringLiteral("3"));
    ASSERT_EQ(file.LastReturnCode(), 0);
    file.setPath(iniPath());
    EXPECT_EQ(file.Value(), QStringLiteral("2"));
    (void)file.INISection();
    (void)file.Sections();
    EXPECT_EQ(file.LastReturnCode(), 0);
}

// --- Broken files from the data folder
// ------------------------------------------------------------

struct BrokenCase {
    const char* file;
    const char* section;
    const char* key;
    QString expected;
};

TEST_F(IniFileTest, BrokenFilesReadWithoutHarm) {
    const QString d = QStringLiteral("d");
    const QString pattern = QStringLiteral("0123456789abcdef").repeated(64);
    const std::vector<BrokenCase> cases = {
        {"garbage.bin", "Main", "Left", d},
        {"repeated.ini", "Main", "Left", QStringLiteral("1")},
        {"repeated.ini", "main", "OnlyInSecond", d},
        {"repeated.ini", "Other", "X", QStringLiteral("1")},
        {"longline.ini", "Layout", "Long", pattern.left(1023)},
        {"longline.ini", "Layout", "After", QStringLiteral("ok")},
        {"nofinalnewline.ini", "Main", "Top", QStringLiteral("20")},
        {"nosections.ini", "", "Orphan", d},
        {"latin1.ini", "Firma", "Name", QStringLiteral("Gr\u00fc\u00dfe")},
    };
    for (const BrokenCase& c : cases) {
        cInifile file;
        file.setPath(dataFile(QString::fromLatin1(c.file)));
        file.setSection(QString::fromLatin1(c.section));
        file.setKey(QString::fromLatin1(c.key));
        file.setDefault(d);
        EXPECT_EQ(file.Value(), c.expected) << c.file << " " << c.section << "." << c.key;
    }
}

// Writing into any of the data files keeps every value that could be read before.
TEST_F(IniFileTest, WritingIntoBrokenFilesKeepsWhatWasReadable) {
    for (const char* name : {"garbage.bin", "repeated.ini", "longline.ini", "nofinalnewline.ini",
                             "nosections.ini", "handedited.ini"}) {
        cInifile file = ini(dataBytes(QString::fromLatin1(name)));
        QStringList sections;
        qint32 sectionCount = -1;
        file.EnumerateAllSections(sections, sectionCount);
        QList<std::pair<QString, QStringList>> before;
        QStringList values;
        for (const QString& section : std::as_const(sections)) {
            file.setSection(section);
            QStringList keys;
            qint32 keyCount = -1;
            file.EnumerateCurrentSection(keys, keyCount);
            before.append({section, keys});
            for (const QString& key : std::as_const(keys)) {
                file.setKey(key);
                values.append(file.Value());
            }
        }

        file.setSection(QStringLiteral("Probe"));
        file.setKey(QStringLiteral("Written"));
        file.setValue(QStringLiteral("yes"));
        ASSERT_TRUE(file.success()) << name;
        EXPECT_EQ(file.Value(), QStringLiteral("yes")) << name;

        QStringList after;
        qint32 afterCount = -1;
        file.EnumerateAllSections(after, afterCount);
        EXPECT_EQ(after, sections + QStringList{QStringLiteral("Probe")}) << name;
        QStringList valuesAfter;
        for (const auto& [section, keys] : std::as_const(before)) {
            file.setSection(section);
            for (const QString& key : keys) {
                file.setKey(key);
                valuesAfter.append(file.Value());
            }
        }
        EXPECT_EQ(valuesAfter, values) << name;
    }
}

// --- Writing and deleting
// --------------------------------------------------------------------------

enum class Op { Write, DeleteKey, DeleteSection };

struct EditCase {
    const char* name;
    QByteArray before; // null: no file
    Op op;
    QString section;
    QString key;
    QString text;
    QByteArray after; // null: still no file
    bool succeeds = true;
};

TEST_F(IniFileTest, EditsChangeOnlyWhatTheyMust) {
    const QString main = QStringLiteral("Main");
    const QByteArray hand = dataBytes(QStringLiteral("handedited.ini"));
    const QByteArray repeated = dataBytes(QStringLiteral("repeated.ini"));
    const QByteArray simple = QByteArrayLiteral("[A]\r\nK=1\r\n");
    const QString a = QStringLiteral("A");
    const QString k = QStringLiteral("K");
    const std::vector<EditCase> cases = {
        // A hand-edited file: comments, blank lines, spacing and other keys stay byte for byte.
        {"change a key, spacing kept", hand, Op::Write, main, QStringLiteral("LEFT"),
         QStringLiteral("300"), replaced(hand, "Left = 120\r\n", "Left = 300\r\n")},
        {"change a key with tabs", hand, Op::Write, main, QStringLiteral("Top"),
         QStringLiteral("500"), replaced(hand, "  top\t=\t240   \r\n", "  top\t=\t500\r\n")},
        {"same value again", hand, Op::Write, main, QStringLiteral("Formula"),
         QStringLiteral("a=b"), hand},
        {"new key after the section's last line", hand, Op::Write, main, QStringLiteral("New"),
         QStringLiteral("1"), replaced(hand, "not a key line\r\n", "not a key line\r\nNew=1\r\n")},
        {"new key in a section without keys", hand, Op::Write, QStringLiteral("empty"),
         QStringLiteral("New"), QStringLiteral("1"), hand + "New=1\r\n"},
        {"new section at the end", hand, Op::Write, QStringLiteral("Fresh"), QStringLiteral("New"),
         QStringLiteral("1"), hand + "\r\n[Fresh]\r\nNew=1\r\n"},
        {"delete a key", hand, Op::DeleteKey, QStringLiteral("Buttons"), QStringLiteral("count"),
         QString(), replaced(hand, "Count=7\r\n", "")},
        {"delete a section, the next one's comment stays", hand, Op::DeleteSection, main, QString(),
         QString(), hand.left(hand.indexOf("[ Main ]")) + hand.mid(hand.indexOf("; the buttons"))},

        // Line ends: the file's own, CR LF for a new file.
        {"new file", {}, Op::Write, QStringLiteral("S"), k, QStringLiteral("v"), "[S]\r\nK=v\r\n"},
        {"LF file", "[A]\nK=1\n", Op::Write, a, QStringLiteral("N"), QStringLiteral("2"),
         "[A]\nK=1\nN=2\n"},
        {"no final line break, new key", dataBytes(QStringLiteral("nofinalnewline.ini")), Op::Write,
         main, QStringLiteral("Width"), QStringLiteral("5"),
         "[Main]\r\nLeft=10\r\nTop=20\r\nWidth=5\r\n"},
        {"no final line break, last key changed", dataBytes(QStringLiteral("nofinalnewline.ini")),
         Op::Write, main, QStringLiteral("Top"), QStringLiteral("99"),
         "[Main]\r\nLeft=10\r\nTop=99"},
        {"byte order mark kept", "\xEF\xBB\xBF[A]\r\nK=1\r\n", Op::Write, a, k, QStringLiteral("2"),
         "\xEF\xBB\xBF[A]\r\nK=2\r\n"},
        {"Latin-1 file rewritten as UTF-8", dataBytes(QStringLiteral("latin1.ini")), Op::Write,
         QStringLiteral("Firma"), QStringLiteral("Stadt"), QStringLiteral("K\u00f6ln"),
         "[Firma]\r\nName=Gr\xC3\xBC\xC3\x9F"
         "e\r\nStadt=K\xC3\xB6ln\r\n"},
        {"file of comments only", "; notes\r\n", Op::Write, QStringLiteral("S"), k,
         QStringLiteral("v"), "; notes\r\n\r\n[S]\r\nK=v\r\n"},
        {"file ending in a blank line", "[A]\r\nK=1\r\n\r\n", Op::Write, QStringLiteral("B"), k,
         QStringLiteral("v"), "[A]\r\nK=1\r\n\r\n[B]\r\nK=v\r\n"},

        // Values and names.
        {"empty text stores an empty value", simple, Op::Write, a, k, QString(), "[A]\r\nK=\r\n"},
        {"NUL characters removed", simple, Op::Write, a, k, nuls(u"a\0b\0c"sv), "[A]\r\nK=abc\r\n"},
        {"key name as the file spells it", "[A]\r\nkey=1\r\n", Op::Write, a, QStringLiteral("KEY"),
         QStringLiteral("2"), "[A]\r\nkey=2\r\n"},
        {"names written without blanks",
         {},
         Op::Write,
         QStringLiteral(" S "),
         QStringLiteral(" K "),
         QStringLiteral(" v "),
         "[S]\r\nK= v \r\n"},
        {"first of repeated keys changed", "[A]\r\nK=1\r\nK=2\r\n", Op::Write, a, k,
         QStringLiteral("9"), "[A]\r\nK=9\r\nK=2\r\n"},
        {"repeated section: first one written", repeated, Op::Write, main, QStringLiteral("New"),
         QStringLiteral("1"), replaced(repeated, "Left=2\r\n", "Left=2\r\nNew=1\r\n")},

        // Deletions.
        {"delete key: every occurrence", repeated, Op::DeleteKey, main, QStringLiteral("left"),
         QString(), "[Main]\r\n\r\n[Other]\r\nX=1\r\n\r\n[MAIN]\r\nOnlyInSecond=4\r\n"},
        {"delete section: every occurrence", repeated, Op::DeleteSection, main, QString(),
         QString(), "[Other]\r\nX=1\r\n\r\n"},
        {"delete absent key", simple, Op::DeleteKey, a, QStringLiteral("Z"), QString(), simple},
        {"delete absent section", simple, Op::DeleteSection, QStringLiteral("Z"), QString(),
         QString(), simple},
        {"delete key in absent file", {}, Op::DeleteKey, a, k, QString(), {}},
        {"delete section in absent file", {}, Op::DeleteSection, a, QString(), QString(), {}},

        // Refused: a line break would let the text be read as further keys or sections.
        {"line break in the text", simple, Op::Write, a, k, QStringLiteral("1\r\n[Evil]\r\nX=1"),
         simple, false},
        {"lone CR in the text", simple, Op::Write, a, k, QStringLiteral("1\rX=1"), simple, false},
        {"= in the key", simple, Op::Write, a, QStringLiteral("K=2"), QStringLiteral("1"), simple,
         false},
        {"key read as a header", simple, Op::Write, a, QStringLiteral("[B]"), QStringLiteral("1"),
         simple, false},
        {"key read as a comment", simple, Op::Write, a, QStringLiteral(";K"), QStringLiteral("1"),
         simple, false},
        {"empty key", simple, Op::Write, a, QString(), QStringLiteral("1"), simple, false},
        {"empty section", simple, Op::Write, QString(), k, QStringLiteral("1"), simple, false},
        {"line break in the section", simple, Op::Write, QStringLiteral("A]\r\n[B"), k,
         QStringLiteral("1"), simple, false},
    };
    for (const EditCase& c : cases) {
        cInifile file = ini(c.before, c.section, c.key);
        switch (c.op) {
        case Op::Write:
            file.setValue(c.text);
            break;
        case Op::DeleteKey:
            file.DeleteKey();
            break;
        case Op::DeleteSection:
            file.DeleteSection();
            break;
        }
        EXPECT_EQ(file.success(), c.succeeds) << c.name;
        EXPECT_EQ(file.LastReturnCode() != 0, c.succeeds) << c.name;
        if (c.after.isNull())
            EXPECT_FALSE(iniExists()) << c.name;
        else
            EXPECT_EQ(readFile(iniPath()), c.after) << c.name;
    }
}

TEST_F(IniFileTest, WrittenValuesReadBack) {
    cInifile file = ini({}, QStringLiteral("Main"), QStringLiteral("Caption"));
    file.setDefault(QStringLiteral("d"));
    file.setValue(QStringLiteral("Welcome"));
    EXPECT_EQ(file.Value(), QStringLiteral("Welcome"));
    file.setValue(QString());
    EXPECT_EQ(file.Value(), QString()); // an empty value, not the default
    file.DeleteKey();
    EXPECT_TRUE(file.success());
    EXPECT_EQ(file.Value(), QStringLiteral("d"));
    file.setValue(QStringLiteral("Again"));
    file.DeleteSection();
    EXPECT_TRUE(file.success());
    EXPECT_EQ(file.Value(), QStringLiteral("d"));
}

// The file is replaced, not rewritten in place; what the owner set on it must survive that.
TEST_F(IniFileTest, WriteKeepsTheFilePermissions) {
    cInifile file = ini("[A]\r\nK=1\r\n", QStringLiteral("A"), QStringLiteral("K"));
    const QFileDevice::Permissions mode =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(iniPath(), mode));
    file.setValue(QStringLiteral("2"));
    ASSERT_TRUE(file.success());
    EXPECT_EQ(QFile::permissions(iniPath()) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              mode);
}

TEST_F(IniFileTest, WritesThatCannotReachTheFileFail) {
    const QByteArray before = QByteArrayLiteral("[A]\r\nK=1\r\n");
    cInifile file = ini(before, QStringLiteral("A"), QStringLiteral("K"));
    file.ForceFlush();
    EXPECT_TRUE(file.success());

    for (const QString& path : QStringList{root() + QStringLiteral("/missing/x.ini"), root()}) {
        file.setPath(path);
        file.setValue(QStringLiteral("2"));
        EXPECT_FALSE(file.success()) << path.toStdString();
        file.ForceFlush();
        ASSERT_TRUE(file.success());
    }

    // An existing file that cannot be read is never replaced by what little is known of it.
    file.setPath(iniPath());
    if (::geteuid() != 0) {
        ASSERT_TRUE(QFile::setPermissions(iniPath(), QFileDevice::WriteOwner));
        file.setValue(QStringLiteral("2"));
        EXPECT_FALSE(file.success());
        ASSERT_TRUE(
            QFile::setPermissions(iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        EXPECT_EQ(readFile(iniPath()), before);
    }
}

// --- Name lists
// ------------------------------------------------------------------------------------

TEST_F(IniFileTest, NameListsInFileOrder) {
    cInifile file = ini(dataBytes(QStringLiteral("handedited.ini")), QStringLiteral("MAIN"));
    EXPECT_EQ(file.Sections(), nuls(u"Main\0Buttons\0Empty\0"sv));
    EXPECT_EQ(file.INISection(), nuls(u"Left\0top\0Caption\0Quoted\0Half\0Formula\0"sv));

    QStringList names{QStringLiteral("stale")};
    qint32 count = 99;
    file.EnumerateAllSections(names, count);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Main"), QStringLiteral("Buttons"),
                                  QStringLiteral("Empty")}));
    EXPECT_EQ(count, 3);
    file.setSection(QStringLiteral("Buttons"));
    file.EnumerateCurrentSection(names, count);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Count"), QStringLiteral("Font")}));
    EXPECT_EQ(count, 2);

    // A section without keys gives the default, which holds no name.
    file.setSection(QStringLiteral("Empty"));
    file.setDefault(QStringLiteral("none"));
    EXPECT_EQ(file.INISection(), QStringLiteral("none"));
    file.EnumerateCurrentSection(names, count);
    EXPECT_TRUE(names.isEmpty());
    EXPECT_EQ(count, 0);
}

TEST_F(IniFileTest, RepeatedNamesListedOnce) {
    cInifile file = ini(dataBytes(QStringLiteral("repeated.ini")), QStringLiteral("main"));
    EXPECT_EQ(file.Sections(), nuls(u"Main\0Other\0"sv));
    // The keys of the first section only, as reads see them.
    EXPECT_EQ(file.INISection(), nuls(u"Left\0"sv));
}

TEST_F(IniFileTest, FileWithoutSections) {
    cInifile file = ini(dataBytes(QStringLiteral("nosections.ini")));
    EXPECT_EQ(file.Sections(), QString());
    QStringList names{QStringLiteral("stale")};
    qint32 count = 5;
    file.EnumerateAllSections(names, count);
    EXPECT_TRUE(names.isEmpty());
    EXPECT_EQ(count, 0);
}

TEST_F(IniFileTest, NameListCutToItsBuffer) {
    // 5000 names of 6 characters: 35000 characters do not fit in 32766, so the list is cut to
    // 32764 and the partial last name is dropped by the split.
    QByteArray bytes = "[Many]\r\n";
    for (int i = 1; i <= 5000; ++i)
        bytes += QStringLiteral("K%1=1\r\n").arg(i, 5, 10, QLatin1Char('0')).toLatin1();
    cInifile file = ini(bytes, QStringLiteral("Many"));
    EXPECT_EQ(file.INISection().size(), cInifile::kListBufferSize - 2);
    QStringList names;
    qint32 count = 0;
    file.EnumerateCurrentSection(names, count);
    EXPECT_EQ(count, 4680);
    ASSERT_EQ(names.size(), 4680);
    EXPECT_EQ(names.first(), QStringLiteral("K00001"));
    EXPECT_EQ(names.last(), QStringLiteral("K04680"));
}

// --- Number conversion ---------------------------------------------------------------------------

struct NumberCase {
    const char* text;
    qint32 fallback;
    qint32 expected;
};

TEST(CLngDefault, ConvertsOrFallsBack) {
    const std::vector<NumberCase> cases = {
        {"FAIL", 7, 7},
        {"42", 0, 42},
        {"", 3, 3},
        {"2.5", 0, 2},
        {"3.5", 0, 4},
        {"-2.5", 0, -2},
        {"-3.5", 0, -4},
        {"0.5", 9, 0},
        {".5", 9, 0},
        {"1.5", 0, 2},
        {"2.51", 0, 3},
        {"2.5000000000000000000001", 0, 3},
        {"2.4999999999999999999999", 0, 2},
        {"  17\t", 0, 17},
        {"+5", 0, 5},
        {"-0", 9, 0},
        {"5.", 0, 5},
        {"007", 0, 7},
        {"1e3", 0, 1000},
        {"2.5E1", 0, 25},
        {"125e-2", 0, 1},
        {"1e-99999999999", 9, 0},
        {"2147483647", 0, 2147483647},
        {"-2147483648", 0, -2147483647 - 1},
        {"2147483648", 1, 1},
        {"-2147483649", 1, 1},
        {"2147483646.5", 0, 2147483646},
        {"2147483647.5", 1, 1},
        {"-2147483648.5", 0, -2147483647 - 1},
        {"99999999999999999999", 1, 1},
        {"1e99999999999", 1, 1},
        {"0.000e99999999999", 1, 0},
        {"12abc", 1, 1},
        {"1 2", 1, 1},
        {"1,000", 1, 1},
        {"&H10", 1, 1},
        {"inf", 1, 1},
        {"nan", 1, 1},
        {".", 1, 1},
        {"-", 1, 1},
        {"e5", 1, 1},
        {"1e", 1, 1},
        {"+-1", 1, 1},
        {"\xD9\xA3", 1, 1}, // an Arabic-Indic digit is not a decimal digit here
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(cInifile::CLngDefault(QString::fromUtf8(c.text), c.fallback), c.expected)
            << '"' << c.text << '"';
}

// --- Window placement
// ------------------------------------------------------------------------------

// A window on a 1024 x 768 pixel screen at 15 twips per pixel (15360 x 11520 twips).
class FakeWindow : public FormWindow {
public:
    int x = 1500, y = 1200, w = 6000, h = 4500;
    WindowState state = WindowState::Normal;
    int screenW = 15360, screenH = 11520, tppX = 15, tppY = 15;
    bool throws = false;

    std::optional<std::array<int, 4>> moved;
    bool maximised = false;

    int left() const override { return fail(x); }
    int top() const override { return y; }
    int width() const override { return w; }
    int height() const override { return h; }
    WindowState windowState() const override { return state; }
    void move(int toLeft, int toTop, int toWidth, int toHeight) override {
        fail(0);
        moved = std::array<int, 4>{toLeft, toTop, toWidth, toHeight};
    }
    void maximise() override { maximised = true; }
    int screenWidth() const override { return screenW; }
    int screenHeight() const override { return screenH; }
    int twipsPerPixelX() const override { return tppX; }
    int twipsPerPixelY() const override { return tppY; }

private:
    int fail(int value) const {
        if (throws)
            throw std::runtime_error("window gone");
        return value;
    }
};

struct SaveCase {
    const char* name;
    FormWindow::WindowState state;
    QByteArray before;
    QByteArray after; // null: no file
};

TEST_F(IniFileTest, SaveFormPosition) {
    using State = FormWindow::WindowState;
    const std::vector<SaveCase> cases = {
        {"normal",
         State::Normal,
         {},
         "[frmMain]\r\nMaximised=0\r\nLeft=100\r\nTop=200\r\nWidth=3000\r\nHeight=4000\r\n"},
        {"maximised", State::Maximised, {}, "[frmMain]\r\nMaximised=1\r\n"},
        {"maximised keeps the stored placement", State::Maximised,
         "[frmMain]\r\nMaximised=0\r\nLeft=7\r\nTop=8\r\nWidth=9\r\nHeight=10\r\n",
         "[frmMain]\r\nMaximised=1\r\nLeft=7\r\nTop=8\r\nWidth=9\r\nHeight=10\r\n"},
        {"minimised writes nothing", State::Minimised, {}, {}},
    };
    for (const SaveCase& c : cases) {
        cInifile file = ini(c.before, QStringLiteral("frmMain"), QStringLiteral("Before"));
        FakeWindow window;
        window.x = 100;
        window.y = 200;
        window.w = 3000;
        window.h = 4000;
        window.state = c.state;
        file.SaveFormPosition(window);
        EXPECT_EQ(file.Key(), QStringLiteral("Before")) << c.name;
        if (c.after.isNull()) {
            EXPECT_FALSE(iniExists()) << c.name;
        } else {
            EXPECT_TRUE(file.success()) << c.name;
            EXPECT_EQ(readFile(iniPath()), c.after) << c.name;
        }
    }
}

TEST_F(IniFileTest, SaveFormPositionFailures) {
    cInifile file = ini({}, QStringLiteral("frmMain"), QStringLiteral("Before"));
    FakeWindow window;

    // The first write succeeds, the window then fails: the placement as a whole failed.
    window.throws = true;
    file.SaveFormPosition(window);
    EXPECT_EQ(file.LastReturnCode(), 0);
    EXPECT_EQ(file.Key(), QStringLiteral("Before"));

    window.throws = false;
    file.setPath(root() + QStringLiteral("/missing/x.ini"));
    file.SaveFormPosition(window);
    EXPECT_EQ(file.LastReturnCode(), 0);
    EXPECT_EQ(file.Key(), QStringLiteral("Before"));
}

struct LoadCase {
    const char* name;
    QByteArray keys; // lines of section [frmMain]
    int minWidth = 0;
    int minHeight = 0;
    std::optional<std::array<int, 4>> moved; // left, top, width, height
    bool maximised = false;
    int tppY = 15;
};

TEST_F(IniFileTest, LoadFormPosition) {
    using Place = std::array<int, 4>;
    const Place current{1500, 1200, 6000, 4500};
    const std::vector<LoadCase> cases = {
        {"stored placement inside the screen",
         "Left=1000\r\nTop=900\r\nWidth=8000\r\nHeight=6000\r\n", 0, 0,
         Place{1000, 900, 8000, 6000}},
        {"left of the screen: 4 pixels from its edge", "Left=-3000\r\n", 0, 0,
         Place{60, 1200, 6000, 4500}},
        {"above the screen", "Top=-3000\r\n", 0, 0, Place{1500, 60, 6000, 4500}},
        {"wider than the screen: narrowed to it less two margins", "Width=20000\r\n", 0, 0,
         Place{60, 1200, 15240, 4500}},
        {"taller than the screen", "Height=20000\r\n", 0, 0, Place{1500, 60, 6000, 11400}},
        {"past the right edge: moved in", "Left=14000\r\nWidth=3000\r\n", 0, 0,
         Place{12300, 1200, 3000, 4500}},
        {"past the bottom edge", "Top=11000\r\n", 0, 0, Place{1500, 6960, 6000, 4500}},
        {"no stored keys: current placement", "", 0, 0, current},
        {"no stored keys, wide window clamped", "Width=15000\r\n", 0, 0,
         Place{300, 1200, 15000, 4500}},
        {"raised to the minimum size", "Width=100\r\nHeight=100\r\n", 2000, 1500,
         Place{1500, 1200, 2000, 1500}},
        {"screen narrower than the minimum: not moved", "", 16000, 0, std::nullopt},
        {"screen lower than the minimum: not moved", "", 0, 12000, std::nullopt},
        {"vertical margin from the vertical pixel size", "Left=-5\r\nTop=-5\r\n", 0, 0,
         Place{60, 48, 6000, 4500}, false, 12},
        {"unreadable values: current ones", "Left=abc\r\nTop=\r\nWidth=1,5\r\n", 0, 0, current},
        {"halves to even", "Left=1000.5\r\nTop=1001.5\r\n", 0, 0, Place{1000, 1002, 6000, 4500}},
        {"extreme values", "Left=2147483647\r\nTop=-2147483648\r\nWidth=2147483647\r\n", 0, 0,
         Place{60, 60, 15240, 4500}},
        {"out of range values: current ones", "Left=99999999999\r\n", 0, 0, current},
        {"maximised", "Maximised=1\r\n", 0, 0, current, true},
        {"maximised from a rounded number", "Maximised=2.5\r\n", 0, 0, current, true},
        {"not maximised", "Maximised=0\r\n", 0, 0, current, false},
        {"maximised not a number", "Maximised=yes\r\n", 0, 0, current, false},
    };
    for (const LoadCase& c : cases) {
        cInifile file =
            ini("[frmMain]\r\n" + c.keys, QStringLiteral("frmMain"), QStringLiteral("Before"));
        file.setDefault(QStringLiteral("dflt"));
        FakeWindow window;
        window.tppY = c.tppY;
        file.LoadFormPosition(window, c.minWidth, c.minHeight);
        EXPECT_EQ(window.moved, c.moved) << c.name;
        EXPECT_EQ(window.maximised, c.maximised) << c.name;
        EXPECT_EQ(file.Key(), QStringLiteral("Before")) << c.name;
        EXPECT_EQ(file.Default(), QStringLiteral("dflt")) << c.name;
    }
}

TEST_F(IniFileTest, LoadFormPositionSwallowsFailures) {
    cInifile file = ini({}, QStringLiteral("frmMain"), QStringLiteral("Before"));
    file.setDefault(QStringLiteral("dflt"));
    file.ForceFlush();
    FakeWindow window;
    window.throws = true;
    file.LoadFormPosition(window, 0, 0);
    EXPECT_EQ(file.LastReturnCode(), 0);
    EXPECT_FALSE(window.moved.has_value());
    EXPECT_EQ(file.Key(), QStringLiteral("Before"));
    EXPECT_EQ(file.Default(), QStringLiteral("dflt"));
}

} // namespace
} // namespace zelkora
