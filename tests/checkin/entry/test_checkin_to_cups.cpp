// One check-in end to end: the commit stores the visit and its badge goes out as a job of the
// label type's CUPS queue, on its roll and paper.
#include "../printing/cupsserver.h"
#include "checkin/badgeprinting.h"
#include "checkin/checkincommit.h"
#include "db/dbtestsupport.h"
#include "support/fixedclock.h"
#include "support/scriptedprompter.h"

namespace zelkora {
namespace {

class CheckInToCupsTest : public test::DatabaseTest {
protected:
    LabelDataSettings settings(const char* queue, qint16 roll, qint16 size) {
        LabelDataSettings s;
        s.labelIndex = 0;
        s.labelNumber = 1;
        s.CompanyName = QStringLiteral("Northwind Engineering");
        s.Printer = QString::fromLatin1(queue);
        s.PrinterPaperRoll = roll;
        s.PrinterPaperSize = size;
        return s;
    }
    static EntryValues visitor() {
        EntryValues v;
        v.name = QStringLiteral("Ann O'Neil");
        v.badgeName = QStringLiteral("Visitor");
        return v;
    }

    test::ScriptedPrompter prompter;
    test::FixedClock clock{at("2026-12-10 09:05:07")};
};

TEST_F(CheckInToCupsTest, BadgeIsAJobOfTheLabelTypesQueueWithItsRollAndPaper) {
    ZELKORA_REQUIRE_CUPS();
    struct Case {
        const char* queue;
        qint16 roll, size;
        const char* inputSlot; // empty: no roll option at all
        const char* pageSize;
    };
    const Case cases[] = {
        {"TwinOld", 1, 1, "Left", "w167h288"},
        {"Twin450", 2, 2, "Right", "w154h792"},
        {"TwinOld", 0, 0, "Auto", ""},
        {"Plain", 1, 0, "", ""},
    };
    ReportBadgePrinter printer;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.queue) + " roll " + std::to_string(c.roll));
        const QList<int> before = test::CupsServer::running()->jobIds();
        CheckInCommit commit(settings(c.queue, c.roll, c.size), &printer, LabelPaperSelector());
        ASSERT_EQ(commit.run(false, visitor(), {}), CheckInCommit::Outcome::Done);
        EXPECT_TRUE(prompter.messages.isEmpty());

        QList<int> jobs = test::CupsServer::running()->jobIds();
        for (int id : before)
            jobs.removeOne(id);
        ASSERT_EQ(jobs.size(), 1);
        const auto attributes = test::CupsServer::running()->jobAttributes(jobs.first());
        EXPECT_TRUE(
            attributes.value(QStringLiteral("job-printer-uri")).endsWith(QLatin1String(c.queue)));
        EXPECT_EQ(attributes.value(QStringLiteral("InputSlot")), QLatin1String(c.inputSlot));
        if (*c.pageSize) {
            EXPECT_EQ(attributes.value(QStringLiteral("PageSize")), QLatin1String(c.pageSize));
        }
    }
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT COUNT(*) FROM Labels WHERE Name = ?"),
                        {QStringLiteral("Ann O'Neil")})
                  .value(0)
                  .toInt(),
              4);
}

TEST_F(CheckInToCupsTest, UnknownQueueKeepsTheVisitAndShowsThePrinterMessage) {
    ZELKORA_REQUIRE_CUPS();
    ReportBadgePrinter printer;
    CheckInCommit commit(settings("NoSuchQueue", 0, 0), &printer, LabelPaperSelector());
    EXPECT_EQ(commit.run(false, visitor(), {}), CheckInCommit::Outcome::Failed);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages.at(0).text,
              QStringLiteral("Please make sure you have a printer selected in the Default Settings "
                             "screen."));
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT COUNT(*) FROM Labels")).value(0).toInt(), 1);
}

} // namespace
} // namespace zelkora
