#include "util/textfile.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    QString expected;
};

TEST(DecodeText, Utf8OrLatin1) {
    const std::vector<DecodeCase> cases = {
        {"ascii", "Visitor", QStringLiteral("Visitor")},
        {"utf8", "J\xc3\xbcrgen M\xc3\xbcller", QStringLiteral("J\u00fcrgen M\u00fcller")},
        // A lone 0xFC is not UTF-8: the whole file is read as Latin-1.
        {"latin1", "J\xfcrgen", QStringLiteral("J\u00fcrgen")},
        // One bad byte late in the file still switches the whole file, earlier UTF-8 included.
        {"mixed", "\xc3\xa9t\xe9", QStringLiteral("\u00c3\u00a9t\u00e9")},
        {"bom", "\xef\xbb\xbfName", QStringLiteral("Name")},
        {"bomOnly", "\xef\xbb\xbf", QString()},
        {"empty", "", QString()},
        {"truncatedUtf8", "ab\xc3", QStringLiteral("ab\u00c3")},
    };
    for (const DecodeCase& c : cases)
        EXPECT_EQ(decodeText(c.bytes), c.expected) << c.name;
}

struct SplitCase {
    const char* name;
    const char* text;
    QStringList lines;
};

TEST(SplitLines, AllLineEnds) {
    const QString a = QStringLiteral("a");
    const QString b = QStringLiteral("b");
    const QString c = QStringLiteral("c");
    const std::vector<SplitCase> cases = {
        {"crlf", "a\r\nb\r\nc\r\n", {a, b, c}},
        {"lf", "a\nb\nc\n", {a, b, c}},
        {"cr", "a\rb\rc\r", {a, b, c}},
        {"noFinalNewline", "a\r\nb\r\nc", {a, b, c}},
        {"mixed", "a\nb\r\nc\r", {a, b, c}},
        {"emptyLinesKept", "a\r\n\r\nb", {a, QString(), b}},
        {"lfCrIsTwoEnds", "a\n\rb", {a, QString(), b}},
        {"crCrLf", "a\r\r\nb", {a, QString(), b}},
        {"onlyNewline", "\r\n", {QString()}},
        {"empty", "", {}},
        {"singleLine", "a", {a}},
    };
    for (const SplitCase& sc : cases)
        EXPECT_EQ(splitLines(QString::fromLatin1(sc.text)), sc.lines) << sc.name;
}

} // namespace
} // namespace zelkora
