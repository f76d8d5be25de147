#include "db/accessdatabase.h"
#include "db/dberror.h"
#include "db/sqldialect.h"
#include "dbtestsupport.h"
#include "util/product.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace zelkora::test {
namespace {

using db::ExecResult;
using db::RecordSet;
using db::UpdatableRecordSet;

class AccessDatabaseTest : public DatabaseTest {};

TEST_F(AccessDatabaseTest, AddLabelHandsBackItsIdAndStoresEveryColumnInOrder) {
    ExecResult first;
    ASSERT_FALSE(db::RunSP(QStringLiteral("qAddLabel"),
                           addLabelParameters(2, QStringLiteral("Vendor"), QStringLiteral("Ann"),
                                              at("2024-03-01 09:15:00")),
                           &first)
                     .isError());
    ExecResult second;
    const QVariantList fields{QStringLiteral("f1"),   QStringLiteral("f2"), QStringLiteral("f3"),
                              QStringLiteral("card"), QStringLiteral("f5"), QStringLiteral("f6"),
                              QStringLiteral("f7"),   QStringLiteral("f8"), QStringLiteral("f9"),
                              QStringLiteral("f10")};
    const StationError e =
        db::RunSP(QStringLiteral("qAddLabel"),
                  addLabelParameters(6, QStringLiteral("Guest"), QStringLiteral("Bob"),
                                     at("2024-03-01 10:00:00"), fields),
                  &second);
    ASSERT_FALSE(e.isError()) << e;
    EXPECT_EQ(second.returnedId.toLongLong(), first.returnedId.toLongLong() + 1);

    RecordSet last;
    ASSERT_FALSE(db::RunSPReturnRS(QStringLiteral("qGetLastLabelID"), {}, &last).isError());
    ASSERT_EQ(last.rowCount(), 1);
    EXPECT_EQ(last.value(0, 0).toLongLong(), second.returnedId.toLongLong());

    RecordSet row;
    ASSERT_FALSE(db::RunSQLReturnRS(QStringLiteral("SELECT * FROM Labels WHERE ID = ?"), &row,
                                    {second.returnedId})
                     .isError());
    ASSERT_EQ(row.rowCount(), 1);
    EXPECT_EQ(row.value(0, QStringLiteral("TypeID")).toInt(), 6);
    EXPECT_EQ(row.value(0, QStringLiteral("Name")).toString(), QStringLiteral("Bob"));
    EXPECT_EQ(row.value(0, QStringLiteral("LogInTime")).toString(),
              QStringLiteral("2024-03-01 10:00:00"));
    EXPECT_TRUE(row.value(0, QStringLiteral("LogOutTime")).isNull());
    EXPECT_EQ(row.value(0, QStringLiteral("Fiedl3")).toString(), QStringLiteral("f3"));
    EXPECT_EQ(row.value(0, QStringLiteral("Field4")).toString(), QStringLiteral("card"));
    EXPECT_EQ(row.value(0, QStringLiteral("Field10")).toString(), QStringLiteral("f10"));
}

TEST_F(AccessDatabaseTest, EmptyTextsAndNegativeNumbersAreStoredAsNull) {
    ExecResult added;
    ASSERT_FALSE(
        db::RunSP(QStringLiteral("qAddLabel"),
                  addLabelParameters(
                      -1, QString(), QStringLiteral("Cy"), at("2024-03-01 09:00:00"),
                      {QStringLiteral("x"), QString(), QString(), QString(), QStringLiteral("")}),
                  &added)
            .isError());
    const QString id = added.returnedId.toString();
    const QVariantList nulls = rawColumn(
        QStringLiteral("SELECT (TypeID IS NULL) || (BadgeName IS NULL) || (Field1 IS NULL) || "
                       "(Field5 IS NULL) FROM Labels WHERE ID = ?"),
        {id});
    ASSERT_EQ(nulls.size(), 1);
    EXPECT_EQ(nulls.at(0).toString(), QStringLiteral("1101"));
}

TEST_F(AccessDatabaseTest, NamesWithQuotesAndWildcardsRoundTripAndMatchLiterally) {
    const QStringList names{
        QStringLiteral("O'Brien"),     QStringLiteral("100% Sure"),
        QStringLiteral("a_b"),         QStringLiteral("axb"),
        QStringLiteral("Back\\slash"), QStringLiteral("\"; DROP TABLE Labels; --")};
    for (const QString& name : names) {
        const StationError e = db::RunSP(
            QStringLiteral("qAddLabel"),
            addLabelParameters(0, QStringLiteral("Visitor"), name, at("2024-03-01 09:00:00")));
        ASSERT_FALSE(e.isError()) << e;
    }
    struct Case {
        QString search;
        QStringList expected;
    };
    const std::vector<Case> cases{
        {QStringLiteral("'"), {QStringLiteral("O'Brien")}},
        {QStringLiteral("%"), {QStringLiteral("100% Sure")}},
        {QStringLiteral("_"), {QStringLiteral("a_b")}},
        {QStringLiteral("\\"), {QStringLiteral("Back\\slash")}},
        {QStringLiteral("o'b"), {QStringLiteral("O'Brien")}}, // letter case ignored, as before
        {QStringLiteral("DROP"), {QStringLiteral("\"; DROP TABLE Labels; --")}},
    };
    const QString sql = QStringLiteral("SELECT Name FROM Labels WHERE Name LIKE ?") +
                        db::Dialect().likeEscape() + QStringLiteral(" ORDER BY ID");
    for (const Case& c : cases) {
        RecordSet rows;
        ASSERT_FALSE(db::RunSQLReturnRS(sql, &rows, {db::LikePattern(c.search)}).isError());
        QStringList found;
        for (int r = 0; r < rows.rowCount(); ++r)
            found << rows.value(r, 0).toString();
        EXPECT_EQ(found, c.expected) << c.search.toStdString();
    }
}

TEST_F(AccessDatabaseTest, TooLongTextIsRefusedByNameAndNothingIsWritten) {
    const QString tooLong(51, QLatin1Char('x'));
    StationError e = db::RunSP(
        QStringLiteral("qAddLabel"),
        addLabelParameters(0, QStringLiteral("Visitor"), tooLong, at("2024-03-01 09:00:00")));
    EXPECT_EQ(e.number, db::kErrValueTooLong);
    EXPECT_TRUE(e.description.contains(QStringLiteral("@Name"))) << e;

    // Statements of other callers meet the column's own limit.
    e = db::RunSQL(QStringLiteral("INSERT INTO Labels (Name) VALUES (?)"), {tooLong});
    EXPECT_EQ(e.number, db::kErrValueTooLong);
    EXPECT_TRUE(e.description.contains(QStringLiteral("Name"))) << e;
    e = db::RunSQL(QStringLiteral("INSERT INTO Labels (LogInTime) VALUES (?)"),
                   {QStringLiteral("03/01/2024")});
    EXPECT_EQ(e.number, db::kErrTypeMismatch) << e;
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT COUNT(*) FROM Labels")).value(0).toInt(), 0);

    // Fifty characters, even outside Latin-1, fit.
    QString fifty;
    for (int i = 0; i < 50; ++i)
        fifty += QString::fromUcs4(U"\U0001F600");
    e = db::RunSP(
        QStringLiteral("qAddLabel"),
        addLabelParameters(0, QStringLiteral("Visitor"), fifty, at("2024-03-01 09:00:00")));
    EXPECT_FALSE(e.isError()) << e;
}

TEST_F(AccessDatabaseTest, ErrorCarriesNumberDescriptionAndComposedSource) {
    const QString tail = QStringLiteral(" [on ") + QSysInfo::machineHostName() +
                         QStringLiteral(" version ") + QLatin1String(kProgramVersion) +
                         QLatin1Char(']');
    StationError e = db::RunSQL(QStringLiteral("UPDATE NoSuchTable SET x = 1"));
    EXPECT_EQ(e.number, db::kErrNoTable);
    EXPECT_EQ(e.source, QStringLiteral("SQLite<br>[DAL--Database]  RunSQL(UPDATE NoSuchTable SET "
                                       "x = 1, ...)") +
                            tail);

    e = db::RunSP(QStringLiteral("qLogOut"), logOutParameters(QStringLiteral("not a date"), 1));
    EXPECT_EQ(e.number, db::kErrTypeMismatch);
    EXPECT_EQ(e.source, QStringLiteral("zelkora<br>[DAL--Database]  RunSP(qLogOut, ...)") + tail);

    e = db::RunSP(QStringLiteral("qLogOut"), {});
    EXPECT_TRUE(e.isError());
    EXPECT_TRUE(e.description.contains(QStringLiteral("2 parameters"))) << e;
}

TEST_F(AccessDatabaseTest, LogOutAndMinutesCountMinuteBoundaries) {
    struct Case {
        const char* in;
        const char* out; // nullptr: still open
        QVariant minutes;
    };
    const std::vector<Case> cases{
        {"2024-03-01 10:00:59", "2024-03-01 10:01:00", 1},
        {"2024-03-01 10:00:00", "2024-03-01 10:00:59", 0},
        {"2024-03-01 23:30:00", "2024-03-02 00:15:10", 45},
        {"2024-03-01 08:00:00", nullptr, QVariant()},
    };
    for (const Case& c : cases) {
        ExecResult added;
        ASSERT_FALSE(db::RunSP(QStringLiteral("qAddLabel"),
                               addLabelParameters(0, QStringLiteral("Visitor"),
                                                  QString::fromLatin1(c.in), at(c.in)),
                               &added)
                         .isError());
        if (c.out) {
            ExecResult done;
            ASSERT_FALSE(db::RunSP(QStringLiteral("qLogOut"),
                                   logOutParameters(at(c.out), added.returnedId), &done)
                             .isError());
            EXPECT_EQ(done.rowsAffected, 1);
        }
    }
    RecordSet report;
    ASSERT_FALSE(db::RunSQLReturnRS(QStringLiteral("SELECT * FROM qLabelSummaryReport WHERE 1=1 "
                                                   "AND LogInTime >= ? ORDER BY LogInTime"),
                                    &report, {at("2024-03-01 00:00:00")})
                     .isError());
    ASSERT_EQ(report.rowCount(), static_cast<int>(cases.size()));
    for (int r = 0; r < report.rowCount(); ++r) {
        const QString in = report.value(r, QStringLiteral("LogInTime")).toString();
        const auto c = std::find_if(cases.begin(), cases.end(),
                                    [&](const Case& k) { return in == QLatin1String(k.in); });
        ASSERT_NE(c, cases.end());
        const QVariant minutes = report.value(r, QStringLiteral("Minutes"));
        EXPECT_EQ(minutes.isNull(), c->minutes.isNull()) << c->in;
        if (!c->minutes.isNull()) {
            EXPECT_EQ(minutes.toInt(), c->minutes.toInt()) << c->in;
        }
    }
}

TEST_F(AccessDatabaseTest, UpdatableResultWritesChangedRowsAndRefusesChangedRows) {
    for (const char* name : {"Ann", "Bob"}) {
        ASSERT_FALSE(
            db::RunSP(QStringLiteral("qAddLabel"),
                      addLabelParameters(0, QStringLiteral("Visitor"), QString::fromLatin1(name),
                                         at("2024-03-01 09:00:00")))
                .isError());
    }
    UpdatableRecordSet rows;
    ASSERT_FALSE(db::RunSQLReturnRWRS(QStringLiteral("SELECT ID, Name AS Person, LogOutTime "
                                                     "FROM Labels ORDER BY ID"),
                                      &rows)
                     .isError());
    ASSERT_EQ(rows.rowCount(), 2);
    ASSERT_TRUE(rows.setValue(0, QStringLiteral("Person"), QStringLiteral("Anne")));
    ASSERT_TRUE(
        rows.setValue(1, QStringLiteral("LogOutTime"), QStringLiteral("2024-03-01 10:00:00")));
    StationError e = rows.UpdateBatch();
    ASSERT_FALSE(e.isError()) << e;
    EXPECT_FALSE(rows.isModified());
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT Name FROM Labels ORDER BY ID")),
              (QVariantList{QStringLiteral("Anne"), QStringLiteral("Bob")}));

    // Another program changes the row in between: the batch fails whole.
    ASSERT_TRUE(rows.setValue(0, QStringLiteral("Person"), QStringLiteral("Annie")));
    ASSERT_TRUE(rows.setValue(1, QStringLiteral("Person"), QStringLiteral("Bobby")));
    rawExec(QStringLiteral("UPDATE Labels SET Name = 'Robert' WHERE Name = 'Bob'"));
    e = rows.UpdateBatch();
    EXPECT_EQ(e.number, db::kErrWriteConflict) << e;
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT Name FROM Labels ORDER BY ID")),
              (QVariantList{QStringLiteral("Anne"), QStringLiteral("Robert")}));

    // A computed field has nowhere to go.
    UpdatableRecordSet counted;
    ASSERT_FALSE(
        db::RunSQLReturnRWRS(QStringLiteral("SELECT ID, upper(Name) AS Loud FROM Labels"), &counted)
            .isError());
    counted.setValue(0, 1, QStringLiteral("X"));
    EXPECT_TRUE(counted.UpdateBatch().isError());
}

TEST_F(AccessDatabaseTest, ForwardReaderHandsSlicesAndReleasesTheFileWhenCancelled) {
    ASSERT_FALSE(db::RunInTransaction([] {
                     for (int i = 0; i < 1050; ++i) {
                         const StationError e =
                             db::RunSQL(QStringLiteral("INSERT INTO Labels (Name) VALUES (?)"),
                                        {QStringLiteral("n%1").arg(i)});
                         if (e.isError())
                             return e;
                     }
                     return StationError{};
                 }).isError());

    QList<int> sizes;
    ASSERT_FALSE(db::RunSQLForEach(QStringLiteral("SELECT ID, Name FROM Labels ORDER BY ID"), {},
                                   100,
                                   [&](const RecordSet& slice) {
                                       sizes << slice.rowCount();
                                       return true;
                                   })
                     .isError());
    EXPECT_EQ(sizes.size(), 11);
    EXPECT_EQ(sizes.last(), 50);

    int slices = 0;
    ASSERT_FALSE(
        db::RunSQLForEach(QStringLiteral("SELECT ID FROM Labels"), {}, 100, [&](const RecordSet&) {
            return ++slices < 2;
        }).isError());
    EXPECT_EQ(slices, 2);
    // No read of ours is left open: another program can checkpoint the whole log.
    QSqlQuery checkpoint(raw());
    ASSERT_TRUE(checkpoint.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
    ASSERT_TRUE(checkpoint.next());
    EXPECT_EQ(checkpoint.value(0).toInt(), 0) << "checkpoint was blocked";
}

TEST_F(AccessDatabaseTest, ModifyQueryReplacesAViewOnly) {
    ASSERT_FALSE(db::ModifyQuery(QStringLiteral("qButtons"),
                                 QStringLiteral("SELECT 'Only' AS \"LabelTypes.Description\";"))
                     .isError());
    RecordSet rows;
    ASSERT_FALSE(db::RunSPReturnRS(QStringLiteral("qButtons"), {}, &rows).isError());
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.value(0, QStringLiteral("LabelTypes.Description")).toString(),
              QStringLiteral("Only"));

    EXPECT_EQ(db::ModifyQuery(QStringLiteral("qNothing"), QStringLiteral("SELECT 1")).number,
              db::kErrItemNotFound);
    EXPECT_EQ(db::ModifyQuery(QStringLiteral("qAddLabel"), QStringLiteral("SELECT 1")).number,
              db::kErrItemNotFound);
    // A broken definition leaves the old one in place.
    EXPECT_TRUE(
        db::ModifyQuery(QStringLiteral("qButtons"), QStringLiteral("SELECT FROM")).isError());
    ASSERT_FALSE(db::RunSPReturnRS(QStringLiteral("qButtons"), {}, &rows).isError());
    EXPECT_EQ(rows.rowCount(), 1);
}

TEST_F(AccessDatabaseTest, FailedTransactionLeavesNothingBehind) {
    const StationError e = db::RunInTransaction([] {
        StationError step = db::RunSQL(QStringLiteral("INSERT INTO Labels (Name) VALUES ('a')"));
        if (!step.isError())
            step = db::RunSQL(QStringLiteral("INSERT INTO Labels (Name) VALUES (?)"),
                              {QString(60, QLatin1Char('z'))});
        return step;
    });
    EXPECT_EQ(e.number, db::kErrValueTooLong);
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT COUNT(*) FROM Labels")).value(0).toInt(), 0);
}

TEST_F(AccessDatabaseTest, InsertsFromTwoConnectionsEachGetTheirOwnId) {
    constexpr int kPerThread = 150;
    auto worker = [this](const QString& who, QList<qlonglong>* ids, StationError* failure) {
        for (int i = 0; i < kPerThread; ++i) {
            ExecResult added;
            const StationError e = db::RunSP(
                QStringLiteral("qAddLabel"),
                addLabelParameters(0, QStringLiteral("Visitor"), who, at("2024-03-01 09:00:00")),
                &added);
            if (e.isError()) {
                *failure = e;
                break;
            }
            ids->append(added.returnedId.toLongLong());
        }
        db::ReleaseConnection();
    };
    QList<qlonglong> idsA, idsB;
    StationError failA, failB;
    std::thread a(worker, QStringLiteral("A"), &idsA, &failA);
    std::thread b(worker, QStringLiteral("B"), &idsB, &failB);
    a.join();
    b.join();
    ASSERT_FALSE(failA.isError()) << failA;
    ASSERT_FALSE(failB.isError()) << failB;
    ASSERT_EQ(idsA.size(), kPerThread);
    ASSERT_EQ(idsB.size(), kPerThread);
    for (const auto& [who, ids] :
         {std::pair{QStringLiteral("A"), idsA}, std::pair{QStringLiteral("B"), idsB}}) {
        for (qlonglong id : ids) {
            EXPECT_EQ(rawColumn(QStringLiteral("SELECT Name FROM Labels WHERE ID = ?"), {id}),
                      QVariantList{who})
                << id;
        }
    }
}

TEST_F(AccessDatabaseTest, LockedDatabaseFailsClearlyAfterTheBusyTimeout) {
    db::SetBusyTimeout(50);
    ASSERT_TRUE(rawExec(QStringLiteral("BEGIN EXCLUSIVE")));
    StationError e =
        db::RunSP(QStringLiteral("qAddLabel"),
                  addLabelParameters(0, QStringLiteral("Visitor"), QStringLiteral("Ann"),
                                     at("2024-03-01 09:00:00")));
    EXPECT_EQ(e.number & 0xff, 5) << e; // SQLITE_BUSY
    EXPECT_TRUE(e.description.contains(QStringLiteral("locked"))) << e;
    // Reading goes on beside the other program's write.
    RecordSet rows;
    EXPECT_FALSE(db::RunSPReturnRS(QStringLiteral("LabelTypes"), {}, &rows).isError());
    rawExec(QStringLiteral("ROLLBACK"));
    e = db::RunSP(QStringLiteral("qAddLabel"),
                  addLabelParameters(0, QStringLiteral("Visitor"), QStringLiteral("Ann"),
                                     at("2024-03-01 09:00:00")));
    EXPECT_FALSE(e.isError()) << e;
}

// Files that are no usable database: a clear error, and the file is left as it was.
class BrokenDatabaseTest : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(stationDir()));
    }
    void TearDown() override {
        db::ReleaseConnection();
        StationTest::TearDown();
    }
    QString path() const { return stationDir() + QStringLiteral("orvsecuritybe.mdb"); }
};

TEST_F(BrokenDatabaseTest, MissingFileIsAnErrorAndIsNeverCreated) {
    const StationError e = db::RunSQL(QStringLiteral("SELECT 1"));
    EXPECT_EQ(e.number, db::kErrCannotOpen);
    EXPECT_TRUE(e.description.contains(path())) << e;
    EXPECT_FALSE(QFileInfo::exists(path()));
}

TEST_F(BrokenDatabaseTest, FilesThatAreNoDatabaseAreNamedSo) {
    const std::vector<QByteArray> contents{
        QByteArray("This is a text file, not a database.\r\n").repeated(200),
        QByteArray(),
    };
    for (const QByteArray& bytes : contents) {
        writeFile(path(), bytes);
        RecordSet rows;
        const StationError e = db::RunSQLReturnRS(QStringLiteral("SELECT * FROM Labels"), &rows);
        EXPECT_EQ(e.number, db::kErrNotADatabase) << e;
        EXPECT_TRUE(e.description.contains(QStringLiteral("not a database"))) << e;
        EXPECT_EQ(readFile(path()), bytes);
        EXPECT_FALSE(QFileInfo::exists(path() + QStringLiteral("-wal")));
    }
}

TEST_F(BrokenDatabaseTest, ReadOnlyDatabaseIsNamedSo) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes to read-only files";
    QStringList created;
    ASSERT_TRUE(db::CreateDeliveredDatabase(stationDir(), &created, nullptr));
    QFile::setPermissions(path(), QFileDevice::ReadOwner);
    const StationError e = db::RunSQL(QStringLiteral("DELETE FROM Labels"));
    EXPECT_TRUE(e.description.contains(QStringLiteral("read-only"))) << e;
}

TEST_F(BrokenDatabaseTest, ReplacedFileIsReopened) {
    QStringList created;
    ASSERT_TRUE(db::CreateDeliveredDatabase(stationDir(), &created, nullptr));
    ASSERT_FALSE(db::RunSQL(QStringLiteral("INSERT INTO Labels (Name) VALUES ('old')")).isError());
    QFile::remove(path());
    QFile::remove(path() + QStringLiteral("-wal"));
    QFile::remove(path() + QStringLiteral("-shm"));
    EXPECT_EQ(db::RunSQL(QStringLiteral("SELECT 1")).number, db::kErrCannotOpen);
    ASSERT_TRUE(db::CreateDeliveredDatabase(stationDir(), &created, nullptr));
    RecordSet rows;
    ASSERT_FALSE(
        db::RunSQLReturnRS(QStringLiteral("SELECT COUNT(*) FROM Labels"), &rows).isError());
    EXPECT_EQ(rows.value(0, 0).toInt(), 0);
}

// The file at the database path changes hands without the layer being told: the next call must
// see it, whichever way it happened.
TEST_F(BrokenDatabaseTest, FileChangedUnderAnOpenConnectionIsNoticedAtTheNextCall) {
    struct Case {
        const char* name;
        bool replaced; // a fresh database takes the path; else the path is left empty
    };
    const std::vector<Case> cases{{"moved away", false}, {"renamed over", true}};
    const QString spare = stationDir() + QStringLiteral("spare/");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db::ReleaseConnection();
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(path() + QLatin1String(suffix));
        QStringList created;
        ASSERT_TRUE(db::CreateDeliveredDatabase(stationDir(), &created, nullptr));
        ASSERT_FALSE(
            db::RunSQL(QStringLiteral("INSERT INTO Labels (Name) VALUES ('old')")).isError());
        if (c.replaced) {
            // What another program must do first: a file that still has a log of its own must
            // not be swapped under SQLite.
            ASSERT_FALSE(db::RunSQL(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")).isError());
            QDir(spare).removeRecursively();
            ASSERT_TRUE(QDir().mkpath(spare));
            ASSERT_TRUE(db::CreateDeliveredDatabase(spare, &created, nullptr));
            // QFile::rename never replaces a file; a restore may.
            const QByteArray from = QFile::encodeName(spare + QStringLiteral("orvsecuritybe.mdb"));
            ASSERT_EQ(::rename(from.constData(), QFile::encodeName(path()).constData()), 0);
            RecordSet rows;
            ASSERT_FALSE(
                db::RunSQLReturnRS(QStringLiteral("SELECT COUNT(*) FROM Labels"), &rows).isError());
            EXPECT_EQ(rows.value(0, 0).toInt(), 0);
        } else {
            ASSERT_TRUE(QFile::rename(path(), path() + QStringLiteral(".moved")));
            EXPECT_EQ(db::RunSQL(QStringLiteral("SELECT 1")).number, db::kErrCannotOpen);
            QFile::remove(path() + QStringLiteral(".moved"));
        }
    }
}

} // namespace
} // namespace zelkora::test
