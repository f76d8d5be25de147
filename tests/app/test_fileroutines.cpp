#include "app/core/log.h"
#include "app/core/programstate.h"
#include "app/core/sharedroutines.h"
#include "support/testenv.h"

#include <QDir>
#include <QFileInfo>

namespace zelkora {
namespace {

using FileRoutinesTest = test::StationTest;

TEST_F(FileRoutinesTest, FileExistsMatchesWildcardsAndFolders) {
    writeFile(stationDir() + QStringLiteral("photos/12 Ann Lee.jpg"), "x");
    writeFile(stationDir() + QStringLiteral("3.wmf"), "x");
    struct Case {
        QString path;
        bool exists;
    };
    const Case cases[] = {
        {stationDir() + QStringLiteral("3.wmf"), true},
        {stationDir() + QStringLiteral("3.WMF"), false}, // Linux names keep their case
        {stationDir() + QStringLiteral("?.wmf"), true},
        {stationDir() + QStringLiteral("*.jpg"), false},
        {stationDir() + QStringLiteral("photos/12 *.jpg"), true},
        {stationDir() + QStringLiteral("photos/13 *.jpg"), false},
        {stationDir() + QStringLiteral("photos"), true},
        {stationDir() + QStringLiteral("missing/*.*"), false},
        {QString(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileExists(c.path), c.exists) << c.path.toStdString();
}

TEST_F(FileRoutinesTest, IsFolderOnlyForFolders) {
    writeFile(stationDir() + QStringLiteral("file.txt"), "x");
    EXPECT_TRUE(IsFolder(stationDir()));
    EXPECT_FALSE(IsFolder(stationDir() + QStringLiteral("file.txt")));
    EXPECT_FALSE(IsFolder(stationDir() + QStringLiteral("nothing")));
    EXPECT_FALSE(IsFolder(QString()));
}

TEST_F(FileRoutinesTest, RemoveFileLogsWhetherOrNotTheDeleteWorked) {
    writeFile(stationDir() + QStringLiteral("orvdebug.txt"), {});
    ASSERT_TRUE(StartLog());
    const QString doomed = stationDir() + QStringLiteral("doomed.txt");
    writeFile(doomed, "x");
    RemoveFile(doomed);
    RemoveFile(doomed);
    EXPECT_FALSE(QFileInfo::exists(doomed));
    const QByteArray log = readFile(stationDir() + QStringLiteral("orvdebug.txt"));
    EXPECT_EQ(log.count(QByteArray(QByteArray("Just Killed file ") + doomed.toUtf8())), 2);
    ResetLog();
}

TEST_F(FileRoutinesTest, TextFilesRoundTripAndMissingFileIsError53) {
    const QString path = stationDir() + QStringLiteral("names.txt");
    QDir().mkpath(stationDir());
    ASSERT_TRUE(WriteTextFile(path, QStringLiteral("Zoë\r\nAnn")));
    EXPECT_EQ(readFile(path), QByteArray("Zo\xc3\xab\r\nAnn\r\n"));
    EXPECT_EQ(ReadTextFile(path), QStringLiteral("Zoë\r\nAnn\r\n"));

    writeFile(path, "Caf\xe9"); // Latin-1 from an older editor
    EXPECT_EQ(ReadTextFile(path), QStringLiteral("Café"));

    StationError error;
    EXPECT_FALSE(ReadTextFile(stationDir() + QStringLiteral("absent.txt"), &error));
    EXPECT_EQ(error.number, 53);

    EXPECT_FALSE(
        WriteTextFile(stationDir() + QStringLiteral("no/such/folder.txt"), QString(), &error));
    EXPECT_NE(error.number, 0);
}

TEST_F(FileRoutinesTest, StripFileNameChars) {
    const std::pair<const char*, const char*> cases[] = {
        {"a/b:c*d?e", "abcde"},
        {"\\/:*?<>|,\"", ""},
        {"Ann Lee, Jr.", "Ann Lee Jr."},
        {"", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(StripFileNameChars(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;
}

TEST_F(FileRoutinesTest, SmallConversions) {
    EXPECT_EQ(NullToDefault(QVariant(), 5), QVariant(5));
    EXPECT_EQ(NullToDefault(QVariant(QStringLiteral("x")), 5), QVariant(QStringLiteral("x")));
    EXPECT_EQ(BoolToCheck(true), 1);
    EXPECT_EQ(BoolToCheck(false), 0);
    EXPECT_TRUE(CheckToBool(1));
    EXPECT_FALSE(CheckToBool(2));
    EXPECT_FALSE(CheckToBool(0));

    programState().webCamAvailable = false;
    EXPECT_FALSE(WebCamUsable(true));
    programState().webCamAvailable = true;
    EXPECT_TRUE(WebCamUsable(true));
    EXPECT_FALSE(WebCamUsable(false));
}

} // namespace
} // namespace zelkora
