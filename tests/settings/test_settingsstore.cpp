#include "settings/settingsstore.h"
#include "support/testenv.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

class SettingsStoreTest : public test::StationTest {
protected:
    void writeStore(const QByteArray& text) { writeFile(settingsFile(), text); }
    QString storeText() const { return QString::fromUtf8(readFile(settingsFile())); }
};

TEST_F(SettingsStoreTest, StoreFileIsThePerUserConfigFile) {
    EXPECT_EQ(SettingsStore::pathFor(QStringLiteral("Zelkora")), settingsFile());
    ASSERT_TRUE(SaveSetting(QStringLiteral("CompanyName"), QStringLiteral("Acme")));
    EXPECT_EQ(storeText(), QStringLiteral("[Settings]\nCompanyName=Acme\n"));
}

TEST_F(SettingsStoreTest, ValueIsExactlyTheTextAfterTheFirstEquals) {
    struct Case {
        QByteArray line;
        QString key;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"CompanyName=Acme, Inc.", QStringLiteral("CompanyName"), QStringLiteral("Acme, Inc.")},
        {"Padded=  two blanks  ", QStringLiteral("Padded"), QStringLiteral("  two blanks  ")},
        {"Equals=a=b=c", QStringLiteral("Equals"), QStringLiteral("a=b=c")},
        {"Empty=", QStringLiteral("Empty"), QString()},
        {"Quoted=\"x\"", QStringLiteral("Quoted"), QStringLiteral("\"x\"")},
        {"Semi=a;b # c", QStringLiteral("Semi"), QStringLiteral("a;b # c")},
        {"Br=one<BR>two", QStringLiteral("Br"), QStringLiteral("one<BR>two")},
        {"CrLf=windows\r", QStringLiteral("CrLf"), QStringLiteral("windows")},
    };
    for (const Case& c : cases) {
        writeStore("[Settings]\r\n" + c.line + "\r\n");
        EXPECT_EQ(GetSetting(c.key, QStringLiteral("absent")), c.expected) << c.line.constData();
    }

    // What is written comes back unchanged.
    const QStringList values = {QStringLiteral("Acme, Inc."),      QStringLiteral("  both ends  "),
                                QStringLiteral("a=b=c"),           QStringLiteral("[Settings]"),
                                QStringLiteral("; not a comment"), QString(),
                                QStringLiteral("Café Müller")};
    for (const QString& value : values) {
        ASSERT_TRUE(SaveSetting(QStringLiteral("Value"), value));
        EXPECT_EQ(GetSetting(QStringLiteral("Value"), QStringLiteral("absent")), value);
    }
}

TEST_F(SettingsStoreTest, AbsentKeyGivesTheFallback) {
    EXPECT_EQ(GetSetting(QStringLiteral("LogoutDays"), QStringLiteral("1")), QStringLiteral("1"));
    writeStore("[Other]\nLogoutDays=9\n[Settings]\nDirector=\n");
    EXPECT_EQ(GetSetting(QStringLiteral("LogoutDays"), QStringLiteral("1")), QStringLiteral("1"));
    EXPECT_EQ(GetSetting(QStringLiteral("Director"), QStringLiteral("x")), QString());
}

TEST_F(SettingsStoreTest, SectionSnapshotSeesWhatEachReadSees) {
    writeStore("[Settings]\nA= x \nB=1\nA=second\n[Other]\nC=3\n[Settings]\nD=4\n");
    const QHash<QString, QString> all =
        SettingsStore(QString::fromLatin1(kProgramTitle)).readSection(QStringLiteral("Settings"));
    for (const char* key : {"A", "B", "C", "D"})
        EXPECT_EQ(all.value(QString::fromLatin1(key), QStringLiteral("absent")),
                  GetSetting(QString::fromLatin1(key), QStringLiteral("absent")))
            << key;
    EXPECT_EQ(all.value(QStringLiteral("A")), QStringLiteral(" x "));
    EXPECT_FALSE(all.contains(QStringLiteral("C")));
}

TEST_F(SettingsStoreTest, KeysAndSectionsMatchWithLetterCase) {
    ASSERT_TRUE(SaveSetting(QStringLiteral("Label3Printer"), QStringLiteral("upper")));
    ASSERT_TRUE(SaveSetting(QStringLiteral("label3printer"), QStringLiteral("lower")));
    EXPECT_EQ(GetSetting(QStringLiteral("Label3Printer")), QStringLiteral("upper"));
    EXPECT_EQ(GetSetting(QStringLiteral("label3printer")), QStringLiteral("lower"));
    EXPECT_EQ(GetSetting(QStringLiteral("LABEL3PRINTER"), QStringLiteral("absent")),
              QStringLiteral("absent"));

    SettingsStore store(QString::fromLatin1(kProgramTitle));
    EXPECT_EQ(store.read(QStringLiteral("settings"), QStringLiteral("Label3Printer"),
                         QStringLiteral("absent")),
              QStringLiteral("absent"));
}

TEST_F(SettingsStoreTest, DeleteRemovesTheKeyAndFailsWhenAbsent) {
    QString error;
    EXPECT_FALSE(DeleteSetting(QStringLiteral("AutoLogout"), &error)); // no file at all
    EXPECT_FALSE(error.isEmpty());

    writeStore("[Settings]\nAutoLogout=Never\nLabelPrinter=P\n");
    EXPECT_TRUE(DeleteSetting(QStringLiteral("AutoLogout")));
    EXPECT_EQ(GetSetting(QStringLiteral("AutoLogout"), QStringLiteral("absent")),
              QStringLiteral("absent"));
    EXPECT_EQ(GetSetting(QStringLiteral("LabelPrinter")), QStringLiteral("P"));

    error.clear();
    EXPECT_FALSE(DeleteSetting(QStringLiteral("AutoLogout"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(DeleteSetting(QStringLiteral("labelprinter")));
}

TEST_F(SettingsStoreTest, WritingKeepsCommentsUnknownLinesAndOtherSections) {
    writeStore("; written by hand\r\n"
               "[Settings]\r\n"
               "# the company\r\n"
               "CompanyName=Old\r\n"
               "a line without equals\r\n"
               "\r\n"
               "[frmMain]\r\n"
               "Left=120\r\n");
    ASSERT_TRUE(SaveSetting(QStringLiteral("CompanyName"), QStringLiteral("New")));
    ASSERT_TRUE(SaveSetting(QStringLiteral("Director"), QStringLiteral("Pat")));
    EXPECT_TRUE(DeleteSetting(QStringLiteral("Director")));
    ASSERT_TRUE(SaveSetting(QStringLiteral("ForceCase"), QStringLiteral("True")));

    EXPECT_EQ(storeText(), QStringLiteral("; written by hand\n"
                                          "[Settings]\n"
                                          "# the company\n"
                                          "CompanyName=New\n"
                                          "a line without equals\n"
                                          "ForceCase=True\n"
                                          "\n"
                                          "[frmMain]\n"
                                          "Left=120\n"));
    SettingsStore store(QString::fromLatin1(kProgramTitle));
    EXPECT_EQ(store.read(QStringLiteral("frmMain"), QStringLiteral("Left")), QStringLiteral("120"));
}

TEST_F(SettingsStoreTest, ValueWithALineBreakIsRefused) {
    ASSERT_TRUE(SaveSetting(QStringLiteral("MessageBoard"), QStringLiteral("kept")));
    for (const QString& value :
         {QStringLiteral("a\nb"), QStringLiteral("a\r\nb"), QStringLiteral("a\rb")}) {
        QString error;
        EXPECT_FALSE(SaveSetting(QStringLiteral("MessageBoard"), value, &error));
        EXPECT_TRUE(error.contains(QLatin1String("MessageBoard"))) << error.toStdString();
    }
    EXPECT_EQ(GetSetting(QStringLiteral("MessageBoard")), QStringLiteral("kept"));
}

TEST_F(SettingsStoreTest, BatchWritesInOrderAndStopsAtAValueItCannotHold) {
    writeStore("[Settings]\nB=old\n");
    QString error;
    qsizetype failedAt = -1;
    EXPECT_TRUE(SaveSettings({{QStringLiteral("A"), QStringLiteral("1")},
                              {QStringLiteral("B"), QStringLiteral("2")},
                              {QStringLiteral("C"), QStringLiteral("x=y")}},
                             &error, &failedAt));
    EXPECT_EQ(storeText(), QStringLiteral("[Settings]\nB=2\nA=1\nC=x=y\n"));

    EXPECT_FALSE(SaveSettings({{QStringLiteral("D"), QStringLiteral("4")},
                               {QStringLiteral("E"), QStringLiteral("two\nlines")},
                               {QStringLiteral("F"), QStringLiteral("6")}},
                              &error, &failedAt));
    EXPECT_EQ(failedAt, 1);
    EXPECT_TRUE(error.contains(QLatin1String("E"))) << error.toStdString();
    EXPECT_EQ(GetSetting(QStringLiteral("D")), QStringLiteral("4"));
    EXPECT_EQ(GetSetting(QStringLiteral("F"), QStringLiteral("absent")), QStringLiteral("absent"));
}

TEST_F(SettingsStoreTest, StoreFileThatCannotBeReadIsNeverReplaced) {
    // A folder where the file should be cannot be opened, even by root.
    ASSERT_TRUE(QDir().mkpath(settingsFile()));
    QString error;
    EXPECT_FALSE(SaveSetting(QStringLiteral("CompanyName"), QStringLiteral("Acme"), &error));
    EXPECT_FALSE(error.isEmpty());
    qsizetype failedAt = -1;
    EXPECT_FALSE(SaveSettings({{QStringLiteral("A"), QStringLiteral("1")}}, nullptr, &failedAt));
    EXPECT_EQ(failedAt, 0);
    EXPECT_FALSE(DeleteSetting(QStringLiteral("CompanyName")));
    EXPECT_EQ(GetSetting(QStringLiteral("CompanyName"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_TRUE(QFileInfo(settingsFile()).isDir());
}

TEST_F(SettingsStoreTest, WriteToAnUnusableFolderFails) {
    // A regular file where a folder must be: fails for root too, unlike permission bits.
    const QString blocker = root() + QStringLiteral("/blocker");
    writeFile(blocker, "not a folder");
    qputenv("XDG_CONFIG_HOME", (blocker + QStringLiteral("/config")).toLocal8Bit());

    QString error;
    EXPECT_FALSE(SaveSetting(QStringLiteral("CompanyName"), QStringLiteral("Acme"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(GetSetting(QStringLiteral("CompanyName"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_FALSE(DeleteSetting(QStringLiteral("CompanyName")));
}

TEST_F(SettingsStoreTest, Latin1FileIsDecodedAndRewrittenAsUtf8) {
    writeStore("[Settings]\r\nCompanyName=Caf\xe9 M\xfcller\r\nDirector=Ren\xe9\r\n");
    EXPECT_EQ(GetSetting(QStringLiteral("CompanyName")), QStringLiteral("Café Müller"));

    ASSERT_TRUE(SaveSetting(QStringLiteral("WelcomeLine1"), QStringLiteral("Grüß Gott")));
    EXPECT_EQ(GetSetting(QStringLiteral("Director")), QStringLiteral("René"));
    EXPECT_EQ(GetSetting(QStringLiteral("WelcomeLine1")), QStringLiteral("Grüß Gott"));
    EXPECT_TRUE(readFile(settingsFile()).contains("Caf\xc3\xa9"));
}

} // namespace
} // namespace zelkora
