#include "util/copyfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zelkora {
namespace {

class CopyFilesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString source = dir.path() + QStringLiteral("/source");
    QString target = dir.path() + QStringLiteral("/target");

    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
        file.write(bytes);
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // The names in a folder, hidden ones included, without "." and "..".
    static QStringList names(const QString& folder) {
        return QDir(folder).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }

    void makeSource() {
        ASSERT_TRUE(QDir().mkpath(source + QStringLiteral("/sub")));
        write(source + QStringLiteral("/a.txt"), "alpha");
        write(source + QStringLiteral("/B.TXT"), "bravo");
        write(source + QStringLiteral("/noext"), "no extension");
        write(source + QStringLiteral("/.hidden"), "hidden");
        write(source + QStringLiteral("/sub/inner.txt"), "inner");
    }
};

TEST_F(CopyFilesTest, MissingSourceStillCreatesTheTarget) {
    CopyFilesReport report;
    EXPECT_EQ(CopyFiles(source, target, QStringLiteral("*.*"), &report), 0);
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_TRUE(report.targetExists);
    EXPECT_EQ(report.copied, 0);
    // The caller's folders gain their trailing separator.
    EXPECT_TRUE(source.endsWith(QLatin1Char('/')));
    EXPECT_TRUE(target.endsWith(QLatin1Char('/')));
}

TEST_F(CopyFilesTest, CreatesMissingParentsOfTheTarget) {
    makeSource();
    QString deep = dir.path() + QStringLiteral("/backup/2010/photos");
    CopyFilesReport report;
    CopyFiles(source, deep, QStringLiteral("*.*"), &report);
    EXPECT_TRUE(report.targetExists);
    EXPECT_EQ(read(deep + QStringLiteral("a.txt")), "alpha");
}

TEST_F(CopyFilesTest, StarDotStarCopiesEveryFileButNoSubfolder) {
    makeSource();
    CopyFilesReport report;
    const int count = CopyFiles(source, target, QStringLiteral("*.*"), &report);
    // Four files, the subfolder, "." and "..": every entry the platform listing would match.
    EXPECT_EQ(count, 7);
    EXPECT_EQ(report.copied, 4);
    EXPECT_TRUE(report.failed.isEmpty());
    EXPECT_EQ(names(target), (QStringList{QStringLiteral(".hidden"), QStringLiteral("B.TXT"),
                                          QStringLiteral("a.txt"), QStringLiteral("noext")}));
    EXPECT_EQ(read(target + QStringLiteral("noext")), "no extension");
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("sub")));
}

TEST_F(CopyFilesTest, PatternSelectsFilesIgnoringCase) {
    makeSource();
    CopyFilesReport report;
    EXPECT_EQ(CopyFiles(source, target, QStringLiteral("*.txt"), &report), 2);
    EXPECT_EQ(names(target), (QStringList{QStringLiteral("B.TXT"), QStringLiteral("a.txt")}));
}

TEST_F(CopyFilesTest, ReplacesExistingFilesCompletely) {
    makeSource();
    ASSERT_TRUE(QDir().mkpath(target));
    write(target + QStringLiteral("/a.txt"), "an older and much longer text");
    write(target + QStringLiteral("/keep.txt"), "not in the source");
    CopyFiles(source, target, QStringLiteral("*.*"));
    EXPECT_EQ(read(target + QStringLiteral("a.txt")), "alpha");
    EXPECT_EQ(read(target + QStringLiteral("keep.txt")), "not in the source");
    // No temporary files are left behind.
    EXPECT_EQ(names(target).size(), 5);
}

TEST_F(CopyFilesTest, TrailingSeparatorIsNotDoubled) {
    makeSource();
    source += QLatin1Char('/');
    target += QLatin1Char('/');
    const QString givenSource = source;
    EXPECT_EQ(CopyFiles(source, target, QStringLiteral("a.txt")), 1);
    EXPECT_EQ(source, givenSource);
    EXPECT_EQ(read(target + QStringLiteral("a.txt")), "alpha");
}

TEST_F(CopyFilesTest, KeepsModificationTimeAndPermissions) {
    makeSource();
    const QDateTime old = QDateTime(QDate(2010, 12, 3), QTime(9, 5, 7));
    {
        QFile file(source + QStringLiteral("/a.txt"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner;
    ASSERT_TRUE(QFile::setPermissions(source + QStringLiteral("/a.txt"), readOnly));
    CopyFiles(source, target, QStringLiteral("a.txt"));
    EXPECT_EQ(QFileInfo(target + QStringLiteral("a.txt")).lastModified(), old);
    // The "user" bits say what the current user may do (root may write anything); compare the
    // mode bits only.
    const auto mode = [](const QString& path) {
        return QFileInfo(path).permissions() &
               ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    };
    EXPECT_EQ(mode(target + QStringLiteral("a.txt")),
              QFileDevice::Permissions(QFileDevice::ReadOwner));
}

TEST_F(CopyFilesTest, AFileThatCannotBeCopiedIsSkippedAndReported) {
    makeSource();
    // A folder in the target where a file should go cannot be replaced by a file.
    ASSERT_TRUE(QDir().mkpath(target + QStringLiteral("/a.txt")));
    CopyFilesReport report;
    EXPECT_EQ(CopyFiles(source, target, QStringLiteral("*.*"), &report), 7);
    EXPECT_EQ(report.failed, QStringList{QStringLiteral("a.txt")});
    EXPECT_EQ(report.copied, 3);
    EXPECT_TRUE(QFileInfo(target + QStringLiteral("a.txt")).isDir());
    EXPECT_EQ(read(target + QStringLiteral("B.TXT")), "bravo");
}

TEST_F(CopyFilesTest, APipeIsCountedButNotOpened) {
    makeSource();
    const QByteArray pipe = QFile::encodeName(source + QStringLiteral("/pipe"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    CopyFilesReport report;
    EXPECT_EQ(CopyFiles(source, target, QStringLiteral("*"), &report), 8);
    EXPECT_EQ(report.copied, 4);
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("pipe")));
}

TEST_F(CopyFilesTest, EmptyFolderNamesCopyNothing) {
    makeSource();
    QString empty;
    EXPECT_EQ(CopyFiles(source, empty, QStringLiteral("*.*")), 0);
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(CopyFiles(empty, target, QStringLiteral("*.*")), 0);
    EXPECT_FALSE(QFileInfo::exists(target));
}

struct PatternCase {
    const char* name;
    const char* pattern;
    bool matches;
};

TEST(MatchesFilePattern, FollowsThePlatformListing) {
    const std::vector<PatternCase> cases = {
        {"a.txt", "*.*", true},       {"noext", "*.*", true},
        {".", "*.*", true},           {"..", "*.*", true},
        {".hidden", "*.*", true},     {"a.txt", "*", true},
        {"a.txt", "*.TXT", true},     {"a.txt.bak", "*.txt", false},
        {"a.txt", "?.txt", true},     {"ab.txt", "?.txt", false},
        {"photo", "photo.*", true},   {"photo.jpg", "photo.*", true},
        {"photos", "photo.*", false}, {"noext", "*.", true},
        {"a.txt", "*.", false},       {"[a].txt", "[a].txt", true},
        {"a.txt", "[a].txt", false},  {"a", "a*b*c", false},
        {"aXbYc", "a*b*c", true},     {"", "*", true},
        {".", "*.txt", false},
    };
    for (const PatternCase& c : cases)
        EXPECT_EQ(matchesFilePattern(QString::fromLatin1(c.name), QString::fromLatin1(c.pattern)),
                  c.matches)
            << c.name << " / " << c.pattern;
}

} // namespace
} // namespace zelkora
