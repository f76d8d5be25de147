#include "cardswipetest.h"
#include "support/scriptedprompter.h"

namespace zelkora {
namespace {

using Outcome = CardSwipeResult::Outcome;
using test::CardSwipeTest;

const QString kCard = QStringLiteral("0001234567");

TEST_F(CardSwipeTest, SwipesCheckInThenOutThenInAgain) {
    ASSERT_TRUE(SaveSetting(QStringLiteral("Label3Title"), QStringLiteral("Vendor")));
    registerCard(kCard, QStringLiteral("Ada"), QStringLiteral("Lovelace"), 2);

    const CardSwipeResult in = ProcessCardSwipe(kCard);
    ASSERT_EQ(in.outcome, Outcome::CheckedIn) << in.error;
    EXPECT_EQ(in.cardHolderName, QStringLiteral("Ada Lovelace"));
    EXPECT_EQ(programState().cardHolderName, QStringLiteral("Ada Lovelace"));
    EXPECT_TRUE(programState().cardCheckIn);
    const qlonglong id = in.badgeId.toLongLong();
    EXPECT_EQ(visitCount(), 1);
    EXPECT_EQ(column(id, "TypeID").toInt(), 2);
    EXPECT_EQ(column(id, "BadgeName").toString(), QStringLiteral("Vendor"));
    EXPECT_EQ(column(id, "Name").toString(), QStringLiteral("Ada Lovelace"));
    EXPECT_EQ(column(id, "LogInTime").toString(), QStringLiteral("2024-03-05 08:30:00"));
    EXPECT_EQ(column(id, "Field4").toString(), kCard);
    EXPECT_TRUE(column(id, "LogOutTime").isNull());
    for (const char* empty : {"Field1", "Field2", "Fiedl3", "Field5", "Field6", "Field7", "Field8",
                              "Field9", "Field10"})
        EXPECT_TRUE(column(id, empty).isNull()) << empty;

    clock->set(at("2024-03-05 17:05:09"));
    const CardSwipeResult out = ProcessCardSwipe(kCard);
    ASSERT_EQ(out.outcome, Outcome::CheckedOut) << out.error;
    EXPECT_EQ(out.badgeId.toLongLong(), id);
    EXPECT_EQ(programState().cardHolderName, QStringLiteral("Ada Lovelace"));
    EXPECT_FALSE(programState().cardCheckIn);
    EXPECT_EQ(column(id, "LogOutTime").toString(), QStringLiteral("2024-03-05 17:05:09"));
    EXPECT_EQ(visitCount(), 1);

    ForgetCardHolder();
    EXPECT_TRUE(programState().cardHolderName.isEmpty());

    // A closed card visit counts as closed: the next swipe opens a new one.
    const CardSwipeResult again = ProcessCardSwipe(kCard);
    ASSERT_EQ(again.outcome, Outcome::CheckedIn) << again.error;
    EXPECT_NE(again.badgeId.toLongLong(), id);
    EXPECT_EQ(visitCount(), 2);
}

TEST_F(CardSwipeTest, ClosesOnlyTheLatestOpenCardVisit) {
    registerCard(kCard, QStringLiteral("Ada"), QStringLiteral("Lovelace"), 0);
    // The visit with the latest check-in was stored first, so its ID is the smaller one.
    const qlonglong latest = openVisit(kCard, "2024-03-05 07:00:00");
    const qlonglong earlierDay = openVisit(kCard, "2024-03-04 09:00:00");
    const qlonglong formVisit = openVisit(QString(), "2024-03-05 07:30:00");
    const qlonglong otherCard = openVisit(QStringLiteral("0009999999"), "2024-03-05 07:45:00");

    const CardSwipeResult out = ProcessCardSwipe(kCard);
    ASSERT_EQ(out.outcome, Outcome::CheckedOut) << out.error;
    EXPECT_EQ(out.badgeId.toLongLong(), latest);
    EXPECT_EQ(column(latest, "LogOutTime").toString(), QStringLiteral("2024-03-05 08:30:00"));
    for (qlonglong untouched : {earlierDay, formVisit, otherCard})
        EXPECT_TRUE(column(untouched, "LogOutTime").isNull()) << untouched;

    // The left-over visit of the earlier day is the open one now.
    const CardSwipeResult next = ProcessCardSwipe(kCard);
    ASSERT_EQ(next.outcome, Outcome::CheckedOut) << next.error;
    EXPECT_EQ(next.badgeId.toLongLong(), earlierDay);
    EXPECT_EQ(visitCount(), 4);
}

TEST_F(CardSwipeTest, UnregisteredAndUnusableCardsWriteNothing) {
    registerCard(QStringLiteral("0001111111"), QStringLiteral("No"), QStringLiteral("Type"), {});
    registerCard(QStringLiteral("0002222222"), QStringLiteral("Bad"), QStringLiteral("Type"), 7);
    registerCard(kCard, QStringLiteral("Ada"), QStringLiteral("Lovelace"), 1);
    struct Case {
        QString card;
        const char* why;
    };
    const std::vector<Case> cases{
        {QStringLiteral("0007654321"), "not registered"},
        {QStringLiteral("x") + kCard, "a key typed by hand before the swipe"},
        {kCard + QLatin1Char(' '), "a trailing blank"},
        {QStringLiteral("' OR ''='"), "a quote in the card text is only a value"},
        {QStringLiteral("0001234567' OR '1'='1"), "a quote in the card text is only a value"},
        {QString(), "an empty card text"},
        {QStringLiteral("0001111111"), "a card without label type"},
        {QStringLiteral("0002222222"), "a card of no known label type"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        programState().cardHolderName = QStringLiteral("Left over");
        programState().cardCheckIn = true;
        const CardSwipeResult result = ProcessCardSwipe(c.card);
        EXPECT_EQ(result.outcome, Outcome::InvalidCard) << result.error;
        EXPECT_TRUE(result.cardHolderName.isEmpty());
        EXPECT_TRUE(programState().cardHolderName.isEmpty());
        EXPECT_TRUE(programState().cardCheckIn); // only a real swipe changes the flag
        EXPECT_EQ(visitCount(), 0);
    }
}

TEST_F(CardSwipeTest, CardTextsAreStoredAndMatchedAsTyped) {
    struct Case {
        QString registered;
        QString swiped;
        const char* why;
    };
    const std::vector<Case> cases{
        {QStringLiteral("AB'12345678"), QStringLiteral("AB'12345678"), "a single quote"},
        {QStringLiteral("ab%_\\123456"), QStringLiteral("ab%_\\123456"), "wildcard characters"},
        {QStringLiteral("ABCDEF1234"), QStringLiteral("abcdef1234"), "letter case is ignored"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        registerCard(c.registered, QStringLiteral("Pat"), QStringLiteral("O'Neil"), 4);
        const CardSwipeResult in = ProcessCardSwipe(c.swiped);
        ASSERT_EQ(in.outcome, Outcome::CheckedIn) << in.error;
        EXPECT_EQ(in.cardHolderName, QStringLiteral("Pat O'Neil"));
        EXPECT_EQ(column(in.badgeId.toLongLong(), "Field4").toString(), c.swiped);
        const CardSwipeResult out = ProcessCardSwipe(c.registered);
        ASSERT_EQ(out.outcome, Outcome::CheckedOut) << out.error;
        EXPECT_EQ(out.badgeId, in.badgeId);
    }
}

TEST_F(CardSwipeTest, BadgeNameComesFromTheButtonOfTheCardsLabelType) {
    registerCard(kCard, QString(30, u'F'), QString(30, u'L'), 6);
    QList<int> asked;
    const CardSwipeResult in = ProcessCardSwipe(kCard, [&](int labelIndex) {
        asked << labelIndex;
        return QString(); // a label type without title
    });
    ASSERT_EQ(in.outcome, Outcome::CheckedIn) << in.error;
    EXPECT_EQ(asked, QList<int>{6});
    const qlonglong id = in.badgeId.toLongLong();
    EXPECT_EQ(column(id, "TypeID").toInt(), 6);
    EXPECT_TRUE(column(id, "BadgeName").isNull());
    // The 61 characters of the two name halves are cut to the column's 50; the welcome window
    // still gets the whole name.
    EXPECT_EQ(column(id, "Name").toString(), QString(30, u'F') + u' ' + QString(19, u'L'));
    EXPECT_EQ(programState().cardHolderName.size(), 61);

    // The check-out needs no title.
    asked.clear();
    const CardSwipeResult out = ProcessCardSwipe(kCard, [&](int labelIndex) {
        asked << labelIndex;
        return QString();
    });
    EXPECT_EQ(out.outcome, Outcome::CheckedOut) << out.error;
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(CardSwipeTest, DefaultBadgeTitlesAreTheStoredLabelTitles) {
    ASSERT_TRUE(SaveSetting(QStringLiteral("Label1Title"), QStringLiteral("Visitor")));
    ASSERT_TRUE(SaveSetting(QStringLiteral("Label7Title"), QStringLiteral("Guest")));
    EXPECT_EQ(LabelTitleFromSettings(0), QStringLiteral("Visitor"));
    EXPECT_EQ(LabelTitleFromSettings(6), QStringLiteral("Guest"));
    EXPECT_TRUE(LabelTitleFromSettings(3).isEmpty());
    EXPECT_TRUE(LabelTitleFromSettings(7).isEmpty());
    EXPECT_TRUE(LabelTitleFromSettings(-1).isEmpty());
}

TEST_F(CardSwipeTest, DatabaseErrorLeavesNothingHalfDoneAndTheStationGoesOn) {
    registerCard(kCard, QStringLiteral("Ada"), QStringLiteral("Lovelace"), 0);
    const qlonglong open = openVisit(kCard, "2024-03-05 07:00:00");
    db::ReleaseConnection();

    // Another program holds the write lock; the check-out cannot wait for it.
    db::SetBusyTimeout(0);
    ASSERT_TRUE(rawExec(QStringLiteral("BEGIN IMMEDIATE")));
    CardSwipe swipe;
    for (QChar c : kCard)
        swipe.keyPressed(c.unicode(), Qt::NoModifier, QString(c));
    programState().cardHolderName = QStringLiteral("Left over");
    const CardSwipe::KeyResult enter = swipe.keyPressed(Qt::Key_Return, Qt::NoModifier, {});
    EXPECT_TRUE(enter.swallowed);
    ASSERT_TRUE(enter.swipe);
    EXPECT_EQ(enter.swipe->outcome, Outcome::DatabaseError);
    EXPECT_TRUE(enter.swipe->error.isError());
    EXPECT_TRUE(enter.swipe->error.source.contains(QStringLiteral("DAL--Database")))
        << enter.swipe->error;
    EXPECT_TRUE(swipe.buffer().isEmpty());
    EXPECT_TRUE(programState().cardHolderName.isEmpty());
    ASSERT_TRUE(rawExec(QStringLiteral("ROLLBACK")));
    EXPECT_TRUE(column(open, "LogOutTime").isNull());

    // The next swipe works.
    for (QChar c : kCard)
        swipe.keyPressed(c.unicode(), Qt::NoModifier, QString(c));
    const CardSwipe::KeyResult retry = swipe.keyPressed(Qt::Key_Return, Qt::NoModifier, {});
    ASSERT_TRUE(retry.swipe);
    EXPECT_EQ(retry.swipe->outcome, Outcome::CheckedOut) << retry.swipe->error;
    EXPECT_FALSE(column(open, "LogOutTime").isNull());
}

TEST_F(CardSwipeTest, CardLookUpFailureIsReported) {
    ASSERT_TRUE(rawExec(QStringLiteral("DROP TABLE PredefinedList")));
    const CardSwipeResult result = ProcessCardSwipe(kCard);
    EXPECT_EQ(result.outcome, Outcome::DatabaseError);
    EXPECT_TRUE(result.error.source.contains(QStringLiteral("PredefinedList"))) << result.error;
    EXPECT_EQ(visitCount(), 0);
}

TEST(CardSwipeErrorTest, ShowsNumberAndDescription) {
    test::ScriptedPrompter prompter;
    const StationError error{5, QStringLiteral("database is locked"), QStringLiteral("SQLite")};
    ShowCardSwipeError(error);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages.at(0).text,
              QStringLiteral("An error was fired when processing the RFID card:\r\n\r\n"
                             "5  database is locked"));
    EXPECT_EQ(prompter.messages.at(0).code, 16);
    EXPECT_TRUE(prompter.messages.at(0).owned);
}

// The key rules, without a database: the swipe itself is never reached here.
TEST(CardSwipeKeyTest, KeysJoinTheBufferOrGoOn) {
    struct Key {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        bool swallowed;
        const char* buffer; // afterwards
    };
    const QString none;
    const std::vector<Key> keys{
        {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), false, ""}, // empty: goes on
        {Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"), false, ""},
        {Qt::Key_0, Qt::NoModifier, QStringLiteral("0"), true, "0"},
        {Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"), true, "0A"},
        {Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true, "0A "},
        {Qt::Key_5, Qt::KeypadModifier, QStringLiteral("5"), true, "0A 5"},
        {Qt::Key_Apostrophe, Qt::NoModifier, QStringLiteral("'"), true, "0A 5'"},
        {Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"), false, "0A 5'"},
        {Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"), false, "0A 5'"},
        {Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"), false, "0A 5'"},
        {Qt::Key_Left, Qt::NoModifier, none, false, "0A 5'"},
        {Qt::Key_Shift, Qt::ShiftModifier, none, false, "0A 5'"},
        {Qt::Key_F1, Qt::NoModifier, none, false, "0A 5'"},
        {Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"), false, "0A 5'"},
        {Qt::Key_F, Qt::AltModifier, QStringLiteral("f"), false, "0A 5'"},
        {Qt::Key_Return, Qt::ControlModifier, QStringLiteral("\n"), false, "0A 5'"},
    };
    CardSwipe swipe([](int) { return QString(); });
    for (const Key& k : keys) {
        SCOPED_TRACE(k.key);
        const CardSwipe::KeyResult result = swipe.keyPressed(k.key, k.modifiers, k.text);
        EXPECT_EQ(result.swallowed, k.swallowed);
        EXPECT_FALSE(result.swipe);
        EXPECT_EQ(swipe.buffer(), QString::fromLatin1(k.buffer));
    }
}

TEST_F(CardSwipeTest, EnterWithAFullBufferSwipesAndEmptiesIt) {
    registerCard(kCard, QStringLiteral("Ada"), QStringLiteral("Lovelace"), 0);
    CardSwipe swipe([](int) { return QStringLiteral("Visitor"); });
    struct Case {
        QString typed;
        int enterKey;
        Outcome outcome;
    };
    const std::vector<Case> cases{
        {QStringLiteral("9") + kCard, Qt::Key_Return, Outcome::InvalidCard}, // a key by hand first
        {kCard, Qt::Key_Return, Outcome::CheckedIn}, // the buffer started empty again
        {kCard, Qt::Key_Enter, Outcome::CheckedOut}, // the keypad's Enter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        for (QChar ch : c.typed)
            ASSERT_TRUE(swipe.keyPressed(ch.unicode(), Qt::NoModifier, QString(ch)).swallowed);
        EXPECT_EQ(swipe.buffer(), c.typed);
        const CardSwipe::KeyResult enter =
            swipe.keyPressed(c.enterKey, Qt::NoModifier, QStringLiteral("\r"));
        EXPECT_TRUE(enter.swallowed);
        ASSERT_TRUE(enter.swipe);
        EXPECT_EQ(enter.swipe->outcome, c.outcome) << enter.swipe->error;
        EXPECT_TRUE(swipe.buffer().isEmpty());
    }
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT BadgeName FROM Labels")),
              QVariantList{QStringLiteral("Visitor")});
}

} // namespace
} // namespace zelkora
