#include "util/stringsort.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

QStringList words(const char* text) {
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The order std::sort gives under the same comparison; equal elements are compared case-blind,
// so only the sequence of case-folded keys is checked.
bool inOrder(const QStringList& list, int order, Qt::CaseSensitivity cs) {
    for (qsizetype i = 1; i < list.size(); ++i) {
        const int c = QString::compare(list.at(i - 1), list.at(i), cs);
        if (order > 0 ? c > 0 : c < 0)
            return false;
    }
    return true;
}

QStringList sortedCopy(QStringList list) {
    std::sort(list.begin(), list.end());
    return list;
}

struct SortCase {
    const char* name;
    const char* input;
    int order;
    int mode;
    const char* expected;
};

class SortStringsTable : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortStringsTable, SortsWholeList) {
    const SortCase& c = GetParam();
    QStringList list = words(c.input);
    SortStrings(list, 0, list.size() - 1, c.order, c.mode);
    EXPECT_EQ(list, words(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortStringsTable,
    ::testing::Values(
        // Ignoring case, "A" and "a" are equal; insertion sort keeps them in input order.
        SortCase{"IgnoreCaseAscending", "b A c a", 1, 1, "A a b c"},
        SortCase{"IgnoreCaseDescending", "b A c a", -1, 1, "c b A a"},
        // Exact comparison puts capitals (lower code units) first.
        SortCase{"ExactAscending", "b A c a B", 1, 0, "A B a b c"},
        SortCase{"ExactDescending", "b A c a B", -1, 0, "c b a B A"},
        SortCase{"AlreadySorted", "a b c d", 1, 1, "a b c d"},
        SortCase{"Reversed", "d c b a", 1, 1, "a b c d"},
        SortCase{"Duplicates", "b a b a", 1, 0, "a a b b"}, SortCase{"Single", "x", 1, 1, "x"},
        SortCase{"Empty", "", 1, 1, ""},
        // Any order other than -1 sorts ascending rather than leaving the list half sorted.
        SortCase{"OrderZeroIsAscending", "c a b", 0, 1, "a b c"}),
    [](const ::testing::TestParamInfo<SortCase>& param) { return std::string(param.param.name); });

TEST(SortStrings, ExampleGivesBothAsBeforeBAndC) {
    QStringList list = words("b A c a");
    SortStrings(list, 0, 3, 1, 1);
    EXPECT_EQ(list.mid(0, 2).join(QString()).toLower(), QStringLiteral("aa"));
    EXPECT_EQ(list.mid(2), words("b c"));
}

TEST(SortStrings, SortsOnlyTheGivenRange) {
    QStringList list = words("z y d c b a y z");
    SortStrings(list, 2, 5, 1, 1);
    EXPECT_EQ(list, words("z y a b c d y z"));
}

TEST(SortStrings, ClampsARangeOutsideTheList) {
    QStringList list = words("c b a");
    SortStrings(list, -5, 99, 1, 1);
    EXPECT_EQ(list, words("a b c"));

    QStringList untouched = words("c b a");
    SortStrings(untouched, 2, 1, 1, 1);
    SortStrings(untouched, 3, 10, 1, 1);
    SortStrings(untouched, -3, -1, 1, 1);
    EXPECT_EQ(untouched, words("c b a"));

    QStringList empty;
    SortStrings(empty, 0, -1, 1, 1);
    SortStrings(empty, 0, 5, 1, 1);
    EXPECT_TRUE(empty.isEmpty());
}

// Elements that are equal ignoring case but differ exactly show which algorithm ran: the
// insertion sort never moves equal elements, the partition swaps them.
QStringList alternatingCase(qsizetype n) {
    QStringList list;
    for (qsizetype i = 0; i < n; ++i)
        list.append(i % 2 ? QStringLiteral("x") : QStringLiteral("X"));
    return list;
}

TEST(SortStrings, SixtyOneElementsAreLeftToTheInsertionSort) {
    const QStringList input = alternatingCase(61);
    QStringList list = input;
    SortStrings(list, 0, 60, 1, 1);
    EXPECT_EQ(list, input);
}

TEST(SortStrings, SixtyTwoElementsArePartitioned) {
    const QStringList input = alternatingCase(62);
    QStringList list = input;
    SortStrings(list, 0, 61, 1, 1);
    EXPECT_NE(list, input);
    EXPECT_EQ(list.size(), 62);
    EXPECT_EQ(list.count(QStringLiteral("x")), 31);
}

TEST(SortStrings, SixtyOneAndSixtyTwoReversedElementsAreSorted) {
    for (const qsizetype n : {61, 62}) {
        QStringList list;
        for (qsizetype i = n; i > 0; --i)
            list.append(QStringLiteral("item%1").arg(i, 3, 10, QLatin1Char('0')));
        SortStrings(list, 0, n - 1, 1, 0);
        EXPECT_EQ(list, sortedCopy(list)) << n;
    }
}

QString randomWord(QRandomGenerator& random) {
    static const QString letters = QStringLiteral("aAbBcCdD");
    QString word;
    const int length = random.bounded(1, 4);
    for (int i = 0; i < length; ++i)
        word.append(letters.at(random.bounded(letters.size())));
    return word;
}

// Random data around the cut-off and well beyond it, with many duplicates, in every order and
// mode: the result is a permutation of the input in sorted order.
TEST(SortStrings, RandomDataMatchesStdSortOrder) {
    QRandomGenerator random(20101203);
    const QList<qsizetype> sizes = {2,  3,   10,  59,  60,  61,  62,  63,
                                    64, 100, 121, 122, 123, 500, 2000};
    for (const qsizetype n : sizes) {
        for (const int order : {1, -1}) {
            for (const int mode : {0, 1}) {
                QStringList list;
                for (qsizetype i = 0; i < n; ++i)
                    list.append(randomWord(random));
                const QStringList input = list;
                SortStrings(list, 0, n - 1, order, mode);
                const Qt::CaseSensitivity cs = mode ? Qt::CaseInsensitive : Qt::CaseSensitive;
                EXPECT_TRUE(inOrder(list, order, cs)) << n << " " << order << " " << mode;
                EXPECT_EQ(sortedCopy(list), sortedCopy(input)) << n << " " << order << " " << mode;
            }
        }
    }
}

TEST(SortStrings, LargeSortedAndReversedInputs) {
    QStringList ascending;
    for (int i = 0; i < 5000; ++i)
        ascending.append(QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')));
    QStringList list = ascending;
    SortStrings(list, 0, list.size() - 1, 1, 1);
    EXPECT_EQ(list, ascending);
    std::reverse(list.begin(), list.end());
    SortStrings(list, 0, list.size() - 1, 1, 1);
    EXPECT_EQ(list, ascending);
    SortStrings(list, 0, list.size() - 1, -1, 1);
    std::reverse(ascending.begin(), ascending.end());
    EXPECT_EQ(list, ascending);
}

} // namespace
} // namespace zelkora
