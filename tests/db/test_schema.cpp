#include "app/core/log.h"
#include "db/accessdatabase.h"
#include "db/schema.h"
#include "dbtestsupport.h"
#include "settings/settingsstore.h"
#include "support/fixedclock.h"
#include "support/scriptedprompter.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace zelkora::test {
namespace {

using db::RecordSet;

class SchemaTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        writeFile(LogFilePath(), {}); // the marker that switches file logging on
        ASSERT_TRUE(StartLog());
    }
    void TearDown() override {
        ResetLog();
        DatabaseTest::TearDown();
    }
    QStringList logLines() const {
        return QString::fromUtf8(readFile(LogFilePath())).split(QStringLiteral("\r\n"));
    }
    bool logHas(const QString& prefix) const {
        for (const QString& line : logLines()) {
            if (line.startsWith(QLatin1Char('"') + prefix + QLatin1Char(',')))
                return true;
        }
        return false;
    }
    QStringList tables() {
        QStringList names;
        for (const QVariant& v : rawColumn(QStringLiteral(
                 "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' "
                 "ORDER BY name")))
            names << v.toString();
        return names;
    }
    QString schemaText() {
        QStringList all;
        for (const QVariant& v :
             rawColumn(QStringLiteral("SELECT sql FROM sqlite_master ORDER BY name")))
            all << v.toString();
        return all.join(QLatin1Char('\n'));
    }
    FixedClock clock{QDateTime(QDate(2024, 3, 1), QTime(9, 0, 0))};
};

TEST_F(SchemaTest, DeliveredDatabaseIsPrivateJournaledAndComplete) {
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(databasePath()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(rawColumn(QStringLiteral("PRAGMA journal_mode")).value(0).toString(),
              QStringLiteral("wal"));
    EXPECT_EQ(tables(), (QStringList{QStringLiteral("LabelTypes"), QStringLiteral("Labels")}));
    RecordSet buttons;
    ASSERT_FALSE(db::RunSPReturnRS(QStringLiteral("qButtons"), {}, &buttons).isError());
    QStringList titles;
    for (int r = 0; r < buttons.rowCount(); ++r)
        titles << buttons.value(r, QStringLiteral("LabelTypes.Description")).toString();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Visitor"), QStringLiteral("Contractor"),
                                   QStringLiteral("Vendor"), QStringLiteral("Employee"),
                                   QStringLiteral("Delivery"), QStringLiteral("Interview"),
                                   QStringLiteral("Guest")}));
    RecordSet last;
    ASSERT_FALSE(db::RunSPReturnRS(QStringLiteral("qGetLastLabelID"), {}, &last).isError());
    EXPECT_TRUE(last.isEmpty());
    EXPECT_EQ(rawColumn(QStringLiteral("PRAGMA integrity_check")).value(0).toString(),
              QStringLiteral("ok"));

    // Provisioning again keeps the database and what it holds.
    rawExec(QStringLiteral("INSERT INTO Labels (Name) VALUES ('kept')"));
    closeRaw();
    QStringList created;
    ASSERT_TRUE(db::CreateDeliveredDatabase(stationDir(), &created, nullptr));
    EXPECT_TRUE(created.isEmpty());
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT Name FROM Labels")),
              QVariantList{QStringLiteral("kept")});
}

TEST_F(SchemaTest, QueriesUseTheirIndexes) {
    db::RecordSet plan;
    struct Case {
        QString sql;
        QString index;
    };
    const std::vector<Case> cases{
        {QStringLiteral("SELECT ID FROM Labels WHERE Field4='1' AND LogOutTime Is Null "
                        "ORDER BY LogInTime DESC"),
         QStringLiteral("Labels_OpenByCard")},
        {QStringLiteral("SELECT ID FROM Labels WHERE LogOutTime IS NULL AND TypeID = 2"),
         QStringLiteral("Labels_OpenByType")},
        {QStringLiteral("SELECT * FROM qLabelSummaryReport WHERE 1=1 AND LogInTime >= '2024-01-01' "
                        "AND LogInTime <= '2024-01-02 23:59:59'"),
         QStringLiteral("Labels_LogInTime")},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(
            db::RunSQLReturnRS(QStringLiteral("EXPLAIN QUERY PLAN ") + c.sql, &plan).isError());
        QString detail;
        for (int r = 0; r < plan.rowCount(); ++r)
            detail += plan.value(r, QStringLiteral("detail")).toString() + QLatin1Char('\n');
        EXPECT_TRUE(detail.contains(c.index)) << c.sql.toStdString() << "\n"
                                              << detail.toStdString();
    }
}

TEST_F(SchemaTest, VersionZeroGetsBothTablesAndTheVersionRow) {
    ScriptedPrompter prompter;
    EXPECT_EQ(db::GetDBSetting(QStringLiteral("DBVersion"), QStringLiteral("0.5")).value.toString(),
              QStringLiteral("0"));
    const db::VersionCheck check = db::CheckDatabaseVersion();
    ASSERT_EQ(check.outcome, db::DbOutcome::Ok) << check.error;
    EXPECT_TRUE(logHas(QStringLiteral("DBRequiredVer=1")));
    EXPECT_TRUE(logHas(QStringLiteral("DBVer=0")));
    EXPECT_EQ(tables(),
              (QStringList{QStringLiteral("LabelTypes"), QStringLiteral("Labels"),
                           QStringLiteral("PredefinedList"), QStringLiteral("Settings")}));
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT Description || '=' || \"Value\" FROM Settings")),
              QVariantList{QStringLiteral("DBVersion=1")});
    EXPECT_TRUE(schemaText().contains(QStringLiteral("PredefinedList_RFCardID")));
    EXPECT_TRUE(prompter.messages.isEmpty());

    // The new table takes the card maintenance statements.
    EXPECT_FALSE(
        db::RunSQL(QStringLiteral("INSERT INTO PredefinedList (LabelTypeID, LastName, "
                                  "FirstName, RFCardID) VALUES (?, ?, ?, ?)"),
                   {3, QStringLiteral("O'Hara"), QStringLiteral("Ann"), QStringLiteral("0042")})
            .isError());
    const StationError e =
        db::RunSQL(QStringLiteral("INSERT INTO PredefinedList (LastName, FirstName) VALUES (?, ?)"),
                   {QString(31, QLatin1Char('x')), QStringLiteral("A")});
    EXPECT_EQ(e.number, db::kErrValueTooLong);
    EXPECT_TRUE(e.description.contains(QStringLiteral("LastName"))) << e;
}

TEST_F(SchemaTest, VersionHalfGetsOnlyTheVersionRowAndVersionOneNothing) {
    ASSERT_TRUE(
        rawExec(QStringLiteral("CREATE TABLE Settings (SettingID INTEGER PRIMARY KEY, "
                               "Description varchar(50) NOT NULL, \"Value\" varchar(255))")));
    ASSERT_TRUE(
        rawExec(QStringLiteral("CREATE TABLE PredefinedList (PredListID INTEGER PRIMARY KEY, "
                               "FirstName varchar(30), LastName varchar(30), "
                               "LabelTypeID integer, RFCardID varchar(15))")));
    ASSERT_TRUE(rawExec(
        QStringLiteral("INSERT INTO PredefinedList (FirstName, LastName) VALUES ('A', 'B')")));
    db::VersionCheck check = db::CheckDatabaseVersion();
    ASSERT_EQ(check.outcome, db::DbOutcome::Ok) << check.error;
    EXPECT_TRUE(logHas(QStringLiteral("DBVer=0.5")));
    EXPECT_EQ(
        rawColumn(QStringLiteral("SELECT \"Value\" FROM Settings WHERE Description = 'DBVersion'")),
        QVariantList{QStringLiteral("1")});
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT COUNT(*) FROM PredefinedList")).value(0).toInt(), 1);

    const QString before = schemaText();
    const QVariantList rows = rawColumn(QStringLiteral("SELECT COUNT(*) FROM Settings"));
    check = db::CheckDatabaseVersion();
    ASSERT_EQ(check.outcome, db::DbOutcome::Ok) << check.error;
    EXPECT_TRUE(logHas(QStringLiteral("DBVer=1")));
    EXPECT_EQ(schemaText(), before);
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT COUNT(*) FROM Settings")), rows);
}

TEST_F(SchemaTest, VersionThatIsNoNumberIsAnErrorThatNamesIt) {
    ASSERT_EQ(db::CheckDatabaseVersion().outcome, db::DbOutcome::Ok);
    rawExec(
        QStringLiteral("UPDATE Settings SET \"Value\" = 'one' WHERE Description = 'DBVersion'"));
    const QString before = schemaText();
    const db::VersionCheck check = db::CheckDatabaseVersion();
    EXPECT_EQ(check.outcome, db::DbOutcome::Failed);
    EXPECT_EQ(check.error.number, db::kErrTypeMismatch);
    EXPECT_TRUE(check.error.description.contains(QStringLiteral("\"one\""))) << check.error;
    EXPECT_EQ(schemaText(), before);
}

TEST_F(SchemaTest, ConversionTakesSevenOfNineTitlesAndTheDescriptionsOnce) {
    rawExec(QStringLiteral("INSERT INTO LabelTypes (Description) VALUES ('Eighth')"));
    rawExec(QStringLiteral("INSERT INTO LabelTypes (Description) VALUES ('Ninth')"));
    rawExec(QStringLiteral("UPDATE LabelTypes SET Description = 'Caf\u00e9 O''Neil' WHERE ID = 1"));
    for (int n = 1; n <= 6; ++n)
        ASSERT_TRUE(
            SaveSetting(QStringLiteral("Description%1").arg(n), QStringLiteral("d%1").arg(n)));
    ASSERT_TRUE(SaveSetting(QStringLiteral("DescriptionOther"), QStringLiteral("other")));
    ASSERT_TRUE(SaveSetting(QStringLiteral("Label8Title"), QStringLiteral("untouched")));

    ASSERT_EQ(db::CheckDatabaseVersion().outcome, db::DbOutcome::Ok);
    const QStringList expected{QStringLiteral("Caf\u00e9 O'Neil"),
                               QStringLiteral("Contractor"),
                               QStringLiteral("Vendor"),
                               QStringLiteral("Employee"),
                               QStringLiteral("Delivery"),
                               QStringLiteral("Interview"),
                               QStringLiteral("Guest")};
    for (int n = 1; n <= 7; ++n) {
        EXPECT_EQ(GetSetting(QStringLiteral("Label%1Title").arg(n)), expected.at(n - 1));
        EXPECT_EQ(GetSetting(QStringLiteral("Label%1Description").arg(n)),
                  n == 7 ? QStringLiteral("other") : QStringLiteral("d%1").arg(n));
    }
    EXPECT_EQ(GetSetting(QStringLiteral("Label8Title")), QStringLiteral("untouched"));
    EXPECT_EQ(GetSetting(QStringLiteral("Conversion1Date")), generalDate(clock.now()));

    // Once done, the conversion waits until its marker is removed.
    rawExec(QStringLiteral("UPDATE LabelTypes SET Description = 'Changed' WHERE ID = 2"));
    ASSERT_EQ(db::CheckDatabaseVersion().outcome, db::DbOutcome::Ok);
    EXPECT_EQ(GetSetting(QStringLiteral("Label2Title")), QStringLiteral("Contractor"));
    ASSERT_TRUE(DeleteSetting(QStringLiteral("Conversion1Date")));
    ASSERT_EQ(db::CheckDatabaseVersion().outcome, db::DbOutcome::Ok);
    EXPECT_EQ(GetSetting(QStringLiteral("Label2Title")), QStringLiteral("Changed"));
}

class DBSettingFailureTest : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(stationDir()));
    }
    void TearDown() override {
        db::ReleaseConnection();
        StationTest::TearDown();
    }
    ScriptedPrompter prompter;
};

TEST_F(DBSettingFailureTest, MissingDatabaseShowsTheLocateMessageWritesAppPathAndQuits) {
    // Before the conversion and after it, start-up ends the same way.
    const bool converted[] = {false, true};
    for (const bool done : converted) {
        if (done) {
            ASSERT_TRUE(SaveSetting(QStringLiteral("Conversion1Date"), QStringLiteral("x")));
        }
        prompter.messages.clear();
        ASSERT_TRUE(SaveSetting(QStringLiteral("AppPath"), QString()));
        EXPECT_EQ(db::CheckDatabaseVersion().outcome, db::DbOutcome::MustQuit);
        ASSERT_EQ(prompter.messages.size(), 1);
        EXPECT_EQ(
            prompter.messages.at(0).text,
            QStringLiteral("An error occured when trying to locate the Dravik database file. "
                           "This program will close.\nRestart the program to reset the path to "
                           "the database."));
        EXPECT_EQ(prompter.messages.at(0).code, 16);
        EXPECT_EQ(prompter.messages.at(0).title, QStringLiteral("Zelkora"));
        EXPECT_TRUE(prompter.messages.at(0).owned);
        EXPECT_EQ(GetSetting(QStringLiteral("AppPath")), stationDir());
        EXPECT_FALSE(QFileInfo::exists(stationDir() + QStringLiteral("orvsecuritybe.mdb")));
    }
    EXPECT_EQ(GetSetting(QStringLiteral("Conversion1Date")), QStringLiteral("x"));
}

TEST_F(DBSettingFailureTest, OtherErrorsShowNumberAndDescriptionAndQuit) {
    writeFile(stationDir() + QStringLiteral("orvsecuritybe.mdb"), QByteArray(4096, 'x'));
    ASSERT_TRUE(SaveSetting(QStringLiteral("Conversion1Date"), QStringLiteral("x")));
    const db::DBSettingResult result =
        db::GetDBSetting(QStringLiteral("DBVersion"), QStringLiteral("0.5"));
    EXPECT_EQ(result.outcome, db::DbOutcome::MustQuit);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages.at(0).text.startsWith(
        QStringLiteral("An error occured. \nError : 3343\nDescription : The file ")))
        << prompter.messages.at(0).text.toStdString();
    EXPECT_EQ(prompter.messages.at(0).code, 0);
    EXPECT_TRUE(GetSetting(QStringLiteral("AppPath")).isEmpty());
}

} // namespace
} // namespace zelkora::test
