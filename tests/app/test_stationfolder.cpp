#include "app/core/stationfolder.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zelkora {
namespace {

class StationFolderTest : public test::StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        dataDir = root() + QStringLiteral("/data/");
        writeFile(dataDir + QStringLiteral("orvsecurity.ini"), "[Layout]\r\n");
        writeFile(dataDir + QStringLiteral("CompLogo.bmp"), "BM");
        writeFile(dataDir + QStringLiteral("sounds/LoginRFID.wav"), "RIFF");
        qputenv("ZELKORA_DATA_DIR", dataDir.toLocal8Bit());
    }
    void TearDown() override {
        qunsetenv("ZELKORA_DATA_DIR");
        StationTest::TearDown();
    }
    QString marker() const { return stationDir() + QLatin1String(kProvisionedMarker); }

    QString dataDir;
};

TEST_F(StationFolderTest, AppPathEndsInOneSlash) {
    struct Case {
        const char* home;
        const char* expected;
    };
    const Case cases[] = {{"/srv/desk", "/srv/desk/"}, {"/srv/desk/", "/srv/desk/"}, {"/", "/"}};
    for (const Case& c : cases) {
        qputenv("ZELKORA_HOME", c.home);
        EXPECT_EQ(GetAppPath(), QString::fromLatin1(c.expected));
    }
    qunsetenv("ZELKORA_HOME");
    qputenv("XDG_DATA_HOME", (root() + QStringLiteral("/xdg")).toLocal8Bit());
    EXPECT_EQ(GetAppPath(), root() + QStringLiteral("/xdg/zelkora/"));
    qunsetenv("XDG_DATA_HOME");
}

TEST_F(StationFolderTest, FirstStartProvisionsAPrivateFolder) {
    QString error;
    ASSERT_EQ(ProvisionStationFolder(&error), ProvisionResult::Provisioned) << error.toStdString();
    const QFileDevice::Permissions mode = QFileInfo(stationDir()).permissions();
    const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_EQ(mode & owner, owner);
    EXPECT_EQ(mode & others, QFileDevice::Permissions());
    EXPECT_EQ(readFile(stationDir() + QStringLiteral("orvsecurity.ini")),
              QByteArray("[Layout]\r\n"));
    EXPECT_TRUE(QFileInfo::exists(stationDir() + QStringLiteral("sounds/LoginRFID.wav")));
    EXPECT_TRUE(QFileInfo(stationDir() + QStringLiteral("photos")).isDir());
    EXPECT_TRUE(QFileInfo::exists(marker()));

    EXPECT_EQ(ProvisionStationFolder(), ProvisionResult::AlreadyProvisioned);
}

TEST_F(StationFolderTest, InterruptedProvisioningIsRedoneKeepingWhatIsThere) {
    // An earlier start stopped before the marker: the layout was already edited by hand.
    writeFile(stationDir() + QStringLiteral("orvsecurity.ini"), "[Layout]\r\nTop=5\r\n");
    ASSERT_EQ(ProvisionStationFolder(), ProvisionResult::Provisioned);
    EXPECT_EQ(readFile(stationDir() + QStringLiteral("orvsecurity.ini")),
              QByteArray("[Layout]\r\nTop=5\r\n"));
    EXPECT_TRUE(QFileInfo::exists(stationDir() + QStringLiteral("CompLogo.bmp")));
    EXPECT_TRUE(QFileInfo::exists(marker()));
}

TEST_F(StationFolderTest, FolderThatCannotBeCreatedIsNamedAndNothingIsLeft) {
    // A regular file where a parent folder should be: no one, not even root, can create below it.
    writeFile(root() + QStringLiteral("/blocker"), "x");
    const QString station = root() + QStringLiteral("/blocker/station/");
    qputenv("ZELKORA_HOME", station.toLocal8Bit());
    QString error;
    EXPECT_EQ(ProvisionStationFolder(&error), ProvisionResult::Failed);
    EXPECT_TRUE(error.contains(root() + QStringLiteral("/blocker/station/")))
        << error.toStdString();
}

TEST_F(StationFolderTest, FailureHalfWayRemovesWhatThisRunCreated) {
    // "photos" cannot become a folder because a data file of that name is copied first.
    writeFile(dataDir + QStringLiteral("photos"), "not a folder");
    QString error;
    EXPECT_EQ(ProvisionStationFolder(&error), ProvisionResult::Failed);
    EXPECT_TRUE(error.contains(QStringLiteral("photos"))) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(stationDir())) << "a half-created station folder was left";
}

TEST_F(StationFolderTest, AFailingLaterStepUndoesItsOwnFilesToo) {
    const ProvisionStep database = [](const QString& station, QStringList* created, QString* why) {
        QFile file(station + QStringLiteral("orvsecuritybe.mdb"));
        if (file.open(QIODevice::WriteOnly))
            created->append(file.fileName());
        *why = QStringLiteral("the database could not be created");
        return false;
    };
    QString error;
    EXPECT_EQ(ProvisionStationFolder(&error, database), ProvisionResult::Failed);
    EXPECT_TRUE(error.contains(QStringLiteral("the database could not be created")));
    EXPECT_FALSE(QFileInfo::exists(stationDir()));

    const ProvisionStep works = [](const QString&, QStringList*, QString*) { return true; };
    EXPECT_EQ(ProvisionStationFolder(&error, works), ProvisionResult::Provisioned);
}

TEST_F(StationFolderTest, MachineFolderDefaultsIntoTheStation) {
    qunsetenv("ZELKORA_MACHINE_DIR");
    EXPECT_EQ(MachinePath(), stationDir() + QStringLiteral("registry/"));
    qputenv("ZELKORA_MACHINE_DIR", "/etc/zelkora");
    EXPECT_EQ(MachinePath(), QStringLiteral("/etc/zelkora/"));
}

} // namespace
} // namespace zelkora
