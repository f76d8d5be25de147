#include "cards/cardswipefilter.h"
#include "cardswipetest.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

namespace zelkora {
namespace {

using Outcome = CardSwipeResult::Outcome;

// A control of the main window that records the keys it receives.
class KeyRecorder final : public QWidget {
public:
    using QWidget::QWidget;
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        keys << event->key();
        event->accept();
    }
};

// A main window with one focusable control, watched by an installed filter.
class CardSwipeFilterTest : public test::CardSwipeTest {
protected:
    void SetUp() override {
        CardSwipeTest::SetUp();
        window = std::make_unique<QWidget>();
        control = new KeyRecorder(window.get());
        filter =
            CardSwipeFilter::install(window.get(), [](int) { return QStringLiteral("Guest"); });
        registerCard(kCard, QStringLiteral("Ada"), QStringLiteral("Lovelace"), 6);
    }
    void TearDown() override {
        window.reset();
        CardSwipeTest::TearDown();
    }

    void swipeInto(QWidget* target, const QString& text) {
        QTest::keyClicks(target, text);
        QTest::keyClick(target, Qt::Key_Return);
    }

    const QString kCard = QStringLiteral("0001234567");
    std::unique_ptr<QWidget> window;
    KeyRecorder* control = nullptr;
    CardSwipeFilter* filter = nullptr;
};

TEST_F(CardSwipeFilterTest, SwipeOnAControlIsSwallowedAndReported) {
    QSignalSpy swiped(filter, &CardSwipeFilter::cardSwiped);
    swipeInto(control, kCard);
    ASSERT_EQ(swiped.size(), 1);
    const auto in = swiped.at(0).at(0).value<CardSwipeResult>();
    EXPECT_EQ(in.outcome, Outcome::CheckedIn) << in.error;
    EXPECT_EQ(in.cardHolderName, QStringLiteral("Ada Lovelace"));
    EXPECT_TRUE(control->keys.isEmpty()); // neither the digits nor Enter reached it
    EXPECT_TRUE(filter->cardSwipe().buffer().isEmpty());

    // Keys sent to the window itself count the same; the second swipe checks out.
    swipeInto(window.get(), kCard);
    ASSERT_EQ(swiped.size(), 2);
    EXPECT_EQ(swiped.at(1).at(0).value<CardSwipeResult>().outcome, Outcome::CheckedOut);
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT BadgeName FROM Labels")),
              QVariantList{QStringLiteral("Guest")});
}

TEST_F(CardSwipeFilterTest, EnterOnAnEmptyBufferAndNonTypingKeysReachTheControl) {
    QSignalSpy swiped(filter, &CardSwipeFilter::cardSwiped);
    QTest::keyClick(control, Qt::Key_Return);
    QTest::keyClick(control, Qt::Key_Left);
    QTest::keyClick(control, Qt::Key_Space); // typed: swallowed into the buffer
    EXPECT_EQ(control->keys, (QList<int>{Qt::Key_Return, Qt::Key_Left}));
    EXPECT_EQ(filter->cardSwipe().buffer(), QStringLiteral(" "));
    EXPECT_TRUE(swiped.isEmpty());

    // The blank typed by hand spoils the next card number.
    swipeInto(control, kCard);
    ASSERT_EQ(swiped.size(), 1);
    EXPECT_EQ(swiped.at(0).at(0).value<CardSwipeResult>().outcome, Outcome::InvalidCard);
    EXPECT_EQ(visitCount(), 0);
}

TEST_F(CardSwipeFilterTest, KeysOfAWindowOverTheMainWindowAreLeftAlone) {
    QSignalSpy swiped(filter, &CardSwipeFilter::cardSwiped);
    QDialog dialog(window.get());
    auto* edit = new QLineEdit(&dialog);
    swipeInto(edit, kCard);
    EXPECT_EQ(edit->text(), kCard);
    EXPECT_TRUE(filter->cardSwipe().buffer().isEmpty());
    EXPECT_TRUE(swiped.isEmpty());

    QWidget otherWindow;
    auto* otherControl = new KeyRecorder(&otherWindow);
    QTest::keyClick(otherControl, Qt::Key_7);
    EXPECT_EQ(otherControl->keys, QList<int>{Qt::Key_7});
    EXPECT_TRUE(filter->cardSwipe().buffer().isEmpty());
}

TEST_F(CardSwipeFilterTest, DatabaseErrorIsReportedWithAnEmptyBuffer) {
    QSignalSpy swiped(filter, &CardSwipeFilter::cardSwiped);
    ASSERT_TRUE(rawExec(QStringLiteral("DROP TABLE PredefinedList")));
    swipeInto(control, kCard);
    ASSERT_EQ(swiped.size(), 1);
    const auto failed = swiped.at(0).at(0).value<CardSwipeResult>();
    EXPECT_EQ(failed.outcome, Outcome::DatabaseError);
    EXPECT_TRUE(failed.error.isError());
    EXPECT_TRUE(filter->cardSwipe().buffer().isEmpty());
    EXPECT_TRUE(control->keys.isEmpty());
}

} // namespace
} // namespace zelkora
