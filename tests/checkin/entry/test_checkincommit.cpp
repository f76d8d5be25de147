// The check-in commit on a real SQLite database in the test's station folder, printing through
// a recording printer.
#include "checkin/checkincommit.h"
#include "db/dbtestsupport.h"
#include "settings/settingsstore.h"
#include "support/fixedclock.h"
#include "support/scriptedprompter.h"
#include "synthetic.h"

#include <QFileInfo>
#include <QImageReader>

namespace zelkora {
namespace {

using Outcome = CheckInCommit::Outcome;

class CheckInCommitTest : public test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        settings.labelIndex = 2;
        settings.labelNumber = 3;
        settings.CompanyName = QStringLiteral("Acme, Inc.");
        settings.Printer = QStringLiteral("LabelWriter");
        settings.PrinterPaperRoll = 1;
        settings.PrinterPaperSize = 2;
        settings.questions[0] = {QStringLiteral("Host"), {}, false, true, true, true};
        settings.questions[1] = {QStringLiteral("Car"), {}, false, false, true, false};
    }

    Outcome commit(const EntryValues& entry, bool checkOut = false,
                   const EntryPictures& pictures = {}) {
        if (!m_commit)
            m_commit = std::make_unique<CheckInCommit>(settings, &printer, paper());
        return m_commit->run(checkOut, entry, pictures);
    }
    CheckInCommit& current() { return *m_commit; }

    PaperSelector paper() {
        return [this](qint16 roll, qint16 size, printing::PrinterSettings& p) {
            paperCalls.append({roll, size});
            p.paperBin = QStringLiteral("Left");
            p.paperSizeCode = QStringLiteral("w154h792");
            return StationError{};
        };
    }

    static EntryValues named(const QString& name) {
        EntryValues v;
        v.name = name;
        v.badgeName = QStringLiteral("Visitor");
        v.answers = {QStringLiteral("Sales"), QStringLiteral("Blue van")};
        v.answerShown = {true, true};
        return v;
    }

    int rowCount() {
        return rawColumn(QStringLiteral("SELECT COUNT(*) FROM Labels")).value(0).toInt();
    }

    LabelDataSettings settings;
    test::RecordingBadgePrinter printer;
    QList<std::pair<qint16, qint16>> paperCalls;
    test::ScriptedPrompter prompter;
    test::FixedClock clock{at("2010-12-03 09:05:07")};

private:
    std::unique_ptr<CheckInCommit> m_commit;
};

TEST_F(CheckInCommitTest, NamedCheckInStoresTheVisitAndPrintsItsBadge) {
    ASSERT_EQ(commit(named(QStringLiteral("Ann Able"))), Outcome::Done);
    ASSERT_TRUE(prompter.messages.isEmpty());

    const QVariantList ids = rawColumn(QStringLiteral("SELECT ID FROM Labels"));
    ASSERT_EQ(ids.size(), 1);
    const qint32 id = ids.at(0).toInt();
    EXPECT_EQ(current().badgeId(), id);
    const QVariantList row = rawColumn(
        QStringLiteral("SELECT TypeID || '|' || BadgeName || '|' || Name || '|' || LogInTime || "
                       "'|' || Field1 || '|' || Field2 || '|' || IFNULL(Fiedl3, 'null') || '|' "
                       "|| IFNULL(Field8, 'null') || '|' || Field9 || '|' || "
                       "IFNULL(Field10, 'null') || '|' || IFNULL(LogOutTime, 'open') FROM Labels"));
    EXPECT_EQ(row.value(0).toString(),
              QStringLiteral("2|Visitor|Ann Able|2010-12-03 09:05:07|Sales|Blue van|null|null|"
                             "Sales|null|open"));

    ASSERT_EQ(printer.prints.size(), 1);
    const clsReportInfo& info = printer.prints.at(0).info;
    EXPECT_EQ(info.BadgeName, QStringLiteral("Visitor"));
    EXPECT_EQ(info.PersonsName, QStringLiteral("Ann Able"));
    EXPECT_EQ(info.CompanyName, QStringLiteral("Acme, Inc."));
    EXPECT_EQ(info.PrintDate, at("2010-12-03 09:05:07"));
    EXPECT_EQ(info.BadgeID, id);
    EXPECT_EQ(info.BadgeCount, 1);
    EXPECT_EQ(info.TypeID, 2);
    EXPECT_EQ(info.PrintedInfo1, QStringLiteral("Sales"));
    EXPECT_TRUE(info.PrintedInfo2.isEmpty()) << "question 2 is not printed";
    EXPECT_TRUE(info.ImagePath.isEmpty());
    EXPECT_EQ(printer.prints.at(0).printer.deviceName, QStringLiteral("LabelWriter"));
    EXPECT_EQ(printer.prints.at(0).printer.paperBin, QStringLiteral("Left"));
    EXPECT_EQ(paperCalls, (QList<std::pair<qint16, qint16>>{{1, 2}}));
    EXPECT_FALSE(printer.prints.at(0).preview);
}

TEST_F(CheckInCommitTest, BadgeIdIsTheRowThisCommitInserted) {
    // Another station's row lands at the same moment, right after ours.
    ASSERT_TRUE(rawExec(QStringLiteral(
        "CREATE TRIGGER other_station AFTER INSERT ON Labels WHEN NEW.Name = 'Ann Able' BEGIN "
        "INSERT INTO Labels (TypeID, Name, LogInTime) VALUES (5, 'Other', NEW.LogInTime); END")));
    ASSERT_EQ(commit(named(QStringLiteral("Ann Able"))), Outcome::Done);
    const QVariantList mine =
        rawColumn(QStringLiteral("SELECT ID FROM Labels WHERE Name = 'Ann Able'"));
    const QVariantList highest = rawColumn(QStringLiteral("SELECT MAX(ID) FROM Labels"));
    ASSERT_EQ(mine.size(), 1);
    ASSERT_NE(mine.at(0), highest.at(0));
    EXPECT_EQ(current().badgeId(), mine.at(0).toInt());
    EXPECT_EQ(printer.prints.value(0).info.BadgeID, mine.at(0).toInt());
}

TEST_F(CheckInCommitTest, NamelessQuantityThreeOnlyPrints) {
    EntryValues entry = named(QStringLiteral("Name will not be printed"));
    entry.noName = true;
    entry.quantityText = QStringLiteral("3");
    const EntryPictures pictures{true, test::TestPicture({64, 48}, Qt::blue), true,
                                 test::TestPicture({64, 40}, Qt::gray)};
    ASSERT_EQ(commit(entry, false, pictures), Outcome::Done);
    EXPECT_EQ(rowCount(), 0);
    EXPECT_FALSE(QFileInfo::exists(stationDir() + QStringLiteral("photos")));
    ASSERT_EQ(printer.prints.size(), 1);
    EXPECT_EQ(printer.prints.at(0).info.BadgeCount, 3);
    EXPECT_EQ(printer.prints.at(0).info.BadgeID, 0);
    EXPECT_TRUE(printer.prints.at(0).info.PersonsName.isEmpty());
    EXPECT_FALSE(current().visitStored());
}

TEST_F(CheckInCommitTest, CheckOutClosesTheVisitAtItsCheckInTime) {
    ASSERT_EQ(commit(named(QStringLiteral("Ann Able")), true), Outcome::Done);
    const QVariantList closed = rawColumn(QStringLiteral(
        "SELECT COUNT(*) FROM Labels WHERE LogOutTime = LogInTime AND LogOutTime IS NOT NULL"));
    EXPECT_EQ(closed.value(0).toInt(), 1);
    EXPECT_EQ(printer.prints.size(), 1);
}

TEST_F(CheckInCommitTest, DoNotPrintLabelStoresAndCloses) {
    settings.PrintLabel = false;
    ASSERT_EQ(commit(named(QStringLiteral("Ann Able"))), Outcome::Done);
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(printer.attempts, 0);
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(CheckInCommitTest, NameIsStoredWholeButStrippedInFileNames) {
    const QString name = QStringLiteral("Lee, Ann/Bo");
    const EntryPictures pictures{true, test::TestPicture({64, 48}, Qt::blue), true,
                                 test::TestPicture({64, 40}, Qt::gray)};
    settings.UseWebcamImage = true;
    ASSERT_EQ(commit(named(name), false, pictures), Outcome::Done);
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT Name FROM Labels")).value(0).toString(), name);

    const QString stem = stationDir() + QStringLiteral("photos/") +
                         QString::number(current().badgeId()) + QStringLiteral("_Lee AnnBo");
    EXPECT_EQ(current().photoPath(), stem + QStringLiteral(".jpg"));
    EXPECT_EQ(QImageReader(stem + QStringLiteral(".jpg")).format(), QByteArray("jpeg"));
    EXPECT_EQ(QImageReader(stem + QStringLiteral("_ID.jpg")).size(), QSize(64, 40));
    EXPECT_EQ(printer.prints.value(0).info.ImagePath, stem + QStringLiteral(".jpg"));
}

TEST_F(CheckInCommitTest, IdCardAloneIsNamedAfterTheVisit) {
    const EntryPictures pictures{false, {}, true, test::TestPicture({64, 40}, Qt::gray)};
    ASSERT_EQ(commit(named(QStringLiteral("Ann")), false, pictures), Outcome::Done);
    EXPECT_TRUE(current().photoPath().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(stationDir() + QStringLiteral("photos/") +
                                  QString::number(current().badgeId()) +
                                  QStringLiteral("_Ann_ID.jpg")));
}

TEST_F(CheckInCommitTest, RetryAfterPrintFailurePrintsTheStoredVisitAgain) {
    printer.failing = true;
    ASSERT_EQ(commit(named(QStringLiteral("Ann Able")), true), Outcome::Failed);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages.at(0).text,
              QStringLiteral(
                  "Please make sure you have a printer selected in the Default Settings screen."));
    EXPECT_EQ(prompter.messages.at(0).title, QStringLiteral("An error occurred while printing."));
    EXPECT_EQ(prompter.messages.at(0).code, 16);
    EXPECT_TRUE(current().visitStored());
    EXPECT_EQ(rowCount(), 1);
    const qint32 id = current().badgeId();

    printer.failing = false;
    clock.advanceSeconds(90);
    ASSERT_EQ(commit(named(QStringLiteral("Someone else")), true), Outcome::Done);
    EXPECT_EQ(rowCount(), 1) << "the retry must not store a second visit";
    ASSERT_EQ(printer.prints.size(), 1);
    EXPECT_EQ(printer.prints.at(0).info.BadgeID, id);
    EXPECT_EQ(printer.prints.at(0).info.PersonsName, QStringLiteral("Ann Able"));
    EXPECT_EQ(printer.prints.at(0).info.PrintDate, at("2010-12-03 09:05:07"));
}

TEST_F(CheckInCommitTest, RetryAfterAPictureFailureSavesItThen) {
    // A file where the photos folder belongs: the photo cannot be written.
    writeFile(stationDir() + QStringLiteral("photos"), "not a folder");
    const EntryPictures pictures{true, test::TestPicture({64, 48}, Qt::blue), false, {}};
    ASSERT_EQ(commit(named(QStringLiteral("Ann")), false, pictures), Outcome::Failed);
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(printer.attempts, 0);

    ASSERT_TRUE(QFile::remove(stationDir() + QStringLiteral("photos")));
    ASSERT_EQ(commit(named(QStringLiteral("Ann")), false, pictures), Outcome::Done);
    EXPECT_EQ(rowCount(), 1);
    EXPECT_TRUE(QFileInfo::exists(current().photoPath()));
    EXPECT_EQ(printer.prints.size(), 1);
}

TEST_F(CheckInCommitTest, NamelessRetryPrintsAgainWithoutStoring) {
    EntryValues entry = named(QStringLiteral("Name will not be printed"));
    entry.noName = true;
    entry.quantityText = QStringLiteral("2");
    printer.failing = true;
    ASSERT_EQ(commit(entry), Outcome::Failed);
    printer.failing = false;
    ASSERT_EQ(commit(entry), Outcome::Done);
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(printer.prints.value(0).info.BadgeCount, 2);
}

TEST_F(CheckInCommitTest, ValidationFailureDoesNothing) {
    EntryValues entry = named(QString());
    ASSERT_EQ(commit(entry), Outcome::Invalid);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages.at(0).text,
              QStringLiteral("You must enter a value in the Name field."));
    EXPECT_EQ(prompter.messages.at(0).code, 48);
    EXPECT_EQ(prompter.messages.at(0).title, QStringLiteral("Zelkora"));
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(printer.attempts, 0);
}

TEST_F(CheckInCommitTest, DatabaseFailureStoresNothingAndShowsThePrinterMessage) {
    ASSERT_TRUE(rawExec(QStringLiteral("DROP TABLE Labels")));
    closeRaw();
    db::ReleaseConnection();
    ASSERT_EQ(commit(named(QStringLiteral("Ann")), true), Outcome::Failed);
    EXPECT_FALSE(current().visitStored());
    EXPECT_EQ(prompter.messages.value(0).title,
              QStringLiteral("An error occurred while printing."));
    EXPECT_EQ(printer.attempts, 0);
}

TEST_F(CheckInCommitTest, WithoutAPrinterPrintingFails) {
    CheckInCommit commitWithoutPrinter(settings, nullptr, {});
    EXPECT_EQ(commitWithoutPrinter.run(false, named(QStringLiteral("Ann")), {}), Outcome::Failed);
    EXPECT_EQ(prompter.messages.size(), 1);
}

TEST_F(CheckInCommitTest, ShowLabelReportAsksForThePreview) {
    ASSERT_TRUE(SaveSetting(QStringLiteral("ShowLabelReport"), QStringLiteral("1")));
    ASSERT_EQ(commit(named(QStringLiteral("Ann"))), Outcome::Done);
    EXPECT_TRUE(printer.prints.value(0).preview);
}

TEST_F(CheckInCommitTest, ImagePathFollowsTheGraphicOption) {
    struct Case {
        const char* what;
        bool includeGraphic;
        bool useWebcam;
        QStringList files;
        const char* expected; // relative to the station folder; "" for none
    };
    const std::vector<Case> cases{
        {"jpg first", true, false, {QStringLiteral("3.bmp"), QStringLiteral("3.jpg")}, "3.jpg"},
        {"then jpeg", true, false, {QStringLiteral("3.bmp"), QStringLiteral("3.jpeg")}, "3.jpeg"},
        {"then bmp", true, false, {QStringLiteral("3.bmp"), QStringLiteral("2.jpg")}, "3.bmp"},
        {"else wmf unchecked", true, false, {}, "3.wmf"},
        {"web-cam image without a photo", false, true, {QStringLiteral("3.jpg")}, ""},
        {"no graphic", false, false, {QStringLiteral("3.jpg")}, ""},
    };
    for (const Case& c : cases) {
        for (const QString& f : {QStringLiteral("2.jpg"), QStringLiteral("3.jpg"),
                                 QStringLiteral("3.jpeg"), QStringLiteral("3.bmp")})
            QFile::remove(stationDir() + f);
        for (const QString& f : c.files)
            writeFile(stationDir() + f, "x");
        settings.IncludeGraphic = c.includeGraphic;
        settings.UseWebcamImage = c.useWebcam;
        printer.prints.clear();
        CheckInCommit one(settings, &printer, {});
        ASSERT_EQ(one.run(false, named(QStringLiteral("Ann")), {}), Outcome::Done) << c.what;
        const QString expected = *c.expected ? stationDir() + QLatin1String(c.expected) : QString();
        EXPECT_EQ(printer.prints.value(0).info.ImagePath, expected) << c.what;
    }
}

} // namespace
} // namespace zelkora
