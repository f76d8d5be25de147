// The capture interfaces: scanner error messages, folder creation, JPEG files and the web-cam
// availability flag.
#include "app/core/log.h"
#include "app/core/programstate.h"
#include "capture/framesource.h"
#include "capture/idscanner.h"
#include "capture/picturefiles.h"
#include "support/testenv.h"
#include "synthetic.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

using capture::kScannerErrorBase;

TEST(ScannerErrorMessage, ReportsOnlyTheScannersOwnErrors) {
    struct Case {
        const char* what;
        long number;
        const char* description;
        const char* source;
        std::optional<const char*> message;
    };
    const std::vector<Case> cases{
        {"plain", kScannerErrorBase + 7, "Paper jam", "TwainPRO", "7: Paper jam"},
        {"source in other case, inside a longer name", kScannerErrorBase + 12, "Busy",
         "Scanner.twainpro.4", "12: Busy"},
        {"two lines joined by two spaces", kScannerErrorBase + 5, "No card\nInsert a card",
         "TwainPRO", "5: No card  Insert a card"},
        {"only the first line feed joins", kScannerErrorBase + 5, "a\nb\nc", "TwainPRO",
         "5: a  b\nc"},
        {"code 1000 is silent", kScannerErrorBase + 1000, "Cancelled", "TwainPRO", std::nullopt},
        {"the base itself is outside", kScannerErrorBase, "x", "TwainPRO", std::nullopt},
        {"the end of the range is outside", kScannerErrorBase + 0x10000, "x", "TwainPRO",
         std::nullopt},
        {"last code inside", kScannerErrorBase + 0xFFFF, "x", "TwainPRO", "65535: x"},
        {"another source", kScannerErrorBase + 7, "x", "Camera", std::nullopt},
        {"an ordinary error", 53, "File not found", "TwainPRO", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<QString> message = capture::ScannerErrorMessage(
            {c.number, QString::fromUtf8(c.description), QString::fromUtf8(c.source)});
        if (c.message)
            EXPECT_EQ(message, QString::fromUtf8(*c.message)) << c.what;
        else
            EXPECT_FALSE(message.has_value()) << c.what;
    }
}

TEST(NoDevices, TheProductBackEndsOfferNothing) {
    capture::NoFrameSource camera;
    EXPECT_FALSE(camera.start());
    EXPECT_FALSE(camera.isRunning());
    EXPECT_TRUE(camera.currentFrame().isNull());

    capture::NoIdScanner scanner;
    int model = 1;
    EXPECT_FALSE(SelectScanner(scanner, model, programState().scannerModels));
    EXPECT_TRUE(scanner.openSource().isError());
    EXPECT_FALSE(capture::ScannerErrorMessage(scanner.openSource()).has_value())
        << "the missing scanner is no scanner error to show";
}

TEST(StartCapture, RecordsWhetherTheWebCamCanBeUsed) {
    test::SyntheticFrameSource camera;
    camera.startSucceeds = false;
    programState().webCamAvailable = true;
    EXPECT_FALSE(capture::StartCapture(camera));
    EXPECT_FALSE(programState().webCamAvailable);
    camera.startSucceeds = true;
    EXPECT_TRUE(capture::StartCapture(camera));
    EXPECT_TRUE(programState().webCamAvailable);
}

class PictureFilesTest : public test::StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(stationDir()));
        writeFile(stationDir() + QStringLiteral("orvdebug.txt"), {});
        ASSERT_TRUE(StartLog());
    }
    void TearDown() override {
        ResetLog();
        StationTest::TearDown();
    }
    QString log() const {
        return QString::fromUtf8(readFile(stationDir() + QStringLiteral("orvdebug.txt")));
    }
};

TEST_F(PictureFilesTest, CreateFoldersMakesEachMissingFolderAndLogsIt) {
    const QString base = root() + QStringLiteral("/App");
    capture::CreateFolders(base + QStringLiteral("/photos/57_Name.jpg"));
    EXPECT_TRUE(QFileInfo(base + QStringLiteral("/photos")).isDir());
    EXPECT_FALSE(QFileInfo::exists(base + QStringLiteral("/photos/57_Name.jpg")));
    const QString text = log();
    EXPECT_TRUE(text.contains(base + QStringLiteral(" created.")));
    EXPECT_TRUE(text.contains(base + QStringLiteral("/photos created.")));
    // Folders above the new ones already existed.
    EXPECT_TRUE(text.contains(root() + QStringLiteral(" not created.")));

    capture::CreateFolders(base + QStringLiteral("/photos/58_Name.jpg"));
    EXPECT_TRUE(log().contains(base + QStringLiteral("/photos not created.")));
}

TEST_F(PictureFilesTest, SaveJpegWritesARealJpegOrReportsWhyNot) {
    const QString path = stationDir() + QStringLiteral("photo.jpg");
    ASSERT_FALSE(capture::SaveJpeg(test::TestPicture({320, 240}, Qt::darkBlue), path).isError());
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    EXPECT_EQ(reader.size(), QSize(320, 240));

    EXPECT_TRUE(capture::SaveJpeg(QImage(), stationDir() + QStringLiteral("none.jpg")).isError());
    EXPECT_FALSE(QFileInfo::exists(stationDir() + QStringLiteral("none.jpg")));

    const StationError missing = capture::SaveJpeg(test::TestPicture({32, 24}, Qt::red),
                                                   stationDir() + QStringLiteral("nowhere/x.jpg"));
    EXPECT_TRUE(missing.isError());
    EXPECT_TRUE(missing.description.contains(QStringLiteral("nowhere/x.jpg")));
}

} // namespace
} // namespace zelkora
