#include "app/core/stationfolder.h"
#include "app/gui/resourcepicture.h"
#include "settings/inifile.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace zelkora {
namespace {

const QString kData = QStringLiteral(ZELKORA_BUILD_DATA_DIR "/");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Pictures the station folder or the program's windows need, at the sizes they are laid out for.
struct Picture {
    const char* name;
    QSize size;
};
const Picture kPictures[] = {
    {"CompLogo.bmp", {200, 70}},
    {"artwork/MouseOut0.png", {151, 89}},
    {"artwork/MouseOver0.png", {151, 89}},
    {"artwork/MouseOut1.png", {136, 51}},
    {"artwork/MouseOver1.png", {136, 51}},
    {"artwork/CenterGraphic.png", {300, 300}},
    {"artwork/Background.png", {813, 596}},
    {"artwork/Splash.png", {520, 316}},
    {"artwork/AppIcon.png", {128, 128}},
    {"artwork/LabelLogo.png", {917, 106}},
};

TEST(StagedDataTest, PicturesReadBackAtTheirDesignSizes) {
    for (const Picture& picture : kPictures) {
        const QImage image(kData + QLatin1String(picture.name));
        ASSERT_FALSE(image.isNull()) << picture.name;
        EXPECT_EQ(image.size(), picture.size) << picture.name;
    }
    // The label strip prints at 2200 x 255 twips, so its resolution must say so.
    const QImage strip(kData + QStringLiteral("artwork/LabelLogo.png"));
    EXPECT_NEAR(strip.width() * 1440.0 / (strip.dotsPerMeterX() * 0.0254), 2200, 3);
    EXPECT_NEAR(strip.height() * 1440.0 / (strip.dotsPerMeterY() * 0.0254), 255, 3);
}

TEST(StagedDataTest, ArtworkNamesAndSizesMatchTheStagedFiles) {
    const Artwork all[] = {Artwork::ButtonMouseOut,   Artwork::ButtonMouseOver,
                           Artwork::CheckoutMouseOut, Artwork::CheckoutMouseOver,
                           Artwork::CenterGraphic,    Artwork::Background,
                           Artwork::Splash,           Artwork::AppIcon,
                           Artwork::LabelLogo};
    for (Artwork art : all) {
        const QString path = kData + QStringLiteral("artwork/") + ArtworkFileName(art);
        EXPECT_EQ(QImage(path).size(), ArtworkDesignSize(art)) << path.toStdString();
    }
}

TEST(StagedDataTest, SoundsAreShortSixteenBitPcm) {
    for (const char* name : {"LoginRFID.wav", "LogoutRFID.wav", "InvalidRFID.wav"}) {
        const QByteArray wav = readAll(kData + QLatin1String(name));
        ASSERT_GT(wav.size(), 44) << name;
        const char* d = wav.constData();
        EXPECT_EQ(wav.left(4), "RIFF") << name;
        EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ") << name;
        EXPECT_EQ(qFromLittleEndian<quint32>(d + 4), quint32(wav.size() - 8)) << name;
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 20), 1) << name; // PCM
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 22), 1) << name; // mono
        const quint32 rate = qFromLittleEndian<quint32>(d + 24);
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 34), 16) << name;
        EXPECT_EQ(wav.mid(36, 4), "data") << name;
        const quint32 bytes = qFromLittleEndian<quint32>(d + 40);
        ASSERT_EQ(bytes, quint32(wav.size() - 44)) << name;
        const double seconds = bytes / 2.0 / rate;
        EXPECT_GT(seconds, 0.2) << name;
        EXPECT_LT(seconds, 1.5) << name;
        // Audible, and never clipped.
        int peak = 0;
        for (quint32 i = 0; i < bytes / 2; ++i)
            peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(d + 44 + 2 * i))));
        EXPECT_GT(peak, 8000) << name;
        EXPECT_LT(peak, 32767) << name;
    }
}

TEST(StagedDataTest, HelpDocumentsArePdf) {
    for (const char* name : {"VRAX Help FAQs.pdf", "VRAX Help General.pdf"}) {
        const QByteArray pdf = readAll(kData + QLatin1String(name));
        EXPECT_TRUE(pdf.startsWith("%PDF-")) << name;
        EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF")) << name;
    }
}

// The layout file as the home screen reads it: every key present and a number; "Left" of the
// label buttons and of the second header line may be decimal, the others are whole numbers.
class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_ini.setPath(kData + QStringLiteral("orvsecurity.ini"));
        m_ini.setDefault(QString());
    }
    std::optional<double> number(const QString& section, const char* key) {
        m_ini.setSection(section);
        m_ini.setKey(QLatin1String(key));
        bool ok = false;
        const double value = m_ini.Value().toDouble(&ok);
        return ok ? std::optional<double>(value) : std::nullopt;
    }
    cInifile m_ini;
};

TEST_F(LayoutTest, HoldsEveryKeyTheHomeScreenReads) {
    struct Key {
        QString section;
        const char* key;
        bool whole;
    };
    std::vector<Key> keys = {
        {QStringLiteral("HeaderLine1"), "Top", true},
        {QStringLiteral("HeaderLine2"), "Top", true},
        {QStringLiteral("HeaderLine2"), "Left", false},
        {QStringLiteral("HeaderLine2"), "Width", true},
        {QStringLiteral("HeaderLine2"), "Height", true},
        {QStringLiteral("Checkout"), "Top", true},
        {QStringLiteral("Checkout"), "Left", true},
        {QStringLiteral("CompanyLogo"), "Top", true},
        {QStringLiteral("CompanyLogo"), "Left", true},
        {QStringLiteral("CenterLogo"), "Top", true},
        {QStringLiteral("CenterLogo"), "Left", true},
    };
    for (int i = 0; i <= 6; ++i) {
        keys.push_back({QStringLiteral("Label%1").arg(i), "Top", false});
        keys.push_back({QStringLiteral("Label%1").arg(i), "Left", false});
    }
    for (const Key& k : keys) {
        const auto value = number(k.section, k.key);
        ASSERT_TRUE(value) << k.section.toStdString() << "/" << k.key;
        if (k.whole) {
            EXPECT_EQ(*value, std::floor(*value)) << k.section.toStdString() << "/" << k.key;
        }
    }
}

TEST_F(LayoutTest, ElementsFitTheDesignScreenWithoutOverlapping) {
    // On the design screen both scale factors are 1: the file's pixels apply unchanged. The
    // window is 813 pixels wide; 50 of its 596 pixels are left for title and menu bars.
    const int centre = 813 / 2;
    auto placed = [&](const QString& section, QSize size) {
        return QRect(qRound(centre + number(section, "Left").value() - size.width() / 2.0),
                     qRound(number(section, "Top").value()), size.width(), size.height());
    };
    struct Element {
        QString name;
        QRect rect;
    };
    std::vector<Element> elements;
    const QSize button = QImage(kData + QStringLiteral("artwork/MouseOut0.png")).size();
    for (int i = 0; i <= 6; ++i) {
        const QString section = QStringLiteral("Label%1").arg(i);
        elements.push_back({section, placed(section, button)});
    }
    elements.push_back({QStringLiteral("Checkout"),
                        placed(QStringLiteral("Checkout"),
                               QImage(kData + QStringLiteral("artwork/MouseOut1.png")).size())});
    elements.push_back({QStringLiteral("CompanyLogo"),
                        placed(QStringLiteral("CompanyLogo"),
                               QImage(kData + QStringLiteral("CompLogo.bmp")).size())});
    elements.push_back(
        {QStringLiteral("CenterLogo"),
         placed(QStringLiteral("CenterLogo"),
                QImage(kData + QStringLiteral("artwork/CenterGraphic.png")).size())});
    const QSize header(int(number(QStringLiteral("HeaderLine2"), "Width").value()),
                       int(number(QStringLiteral("HeaderLine2"), "Height").value()));
    elements.push_back(
        {QStringLiteral("HeaderLine2"), placed(QStringLiteral("HeaderLine2"), header)});
    EXPECT_LT(number(QStringLiteral("HeaderLine1"), "Top").value(),
              number(QStringLiteral("HeaderLine2"), "Top").value());

    const QRect screen(0, 0, 813, 596 - 50);
    for (size_t i = 0; i < elements.size(); ++i) {
        EXPECT_TRUE(screen.contains(elements[i].rect)) << elements[i].name.toStdString();
        for (size_t j = i + 1; j < elements.size(); ++j)
            EXPECT_FALSE(elements[i].rect.intersects(elements[j].rect))
                << elements[i].name.toStdString() << " and " << elements[j].name.toStdString();
    }
}

// A station provisioned from the staged folder, and the artwork look-up over it.
class ProvisionedStationTest : public test::StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        m_savedData = qgetenv("ZELKORA_DATA_DIR");
        qputenv("ZELKORA_DATA_DIR", QByteArray(ZELKORA_BUILD_DATA_DIR));
    }
    void TearDown() override {
        if (m_savedData.isNull())
            qunsetenv("ZELKORA_DATA_DIR");
        else
            qputenv("ZELKORA_DATA_DIR", m_savedData);
        StationTest::TearDown();
    }
    QByteArray m_savedData;
};

TEST_F(ProvisionedStationTest, StationFolderReceivesEveryDefault) {
    ASSERT_EQ(ProvisionStationFolder(), ProvisionResult::Provisioned);
    const char* expected[] = {"orvsecurity.ini",      "CompLogo.bmp",    "LoginRFID.wav",
                              "LogoutRFID.wav",       "InvalidRFID.wav", "VRAX Help FAQs.pdf",
                              "VRAX Help General.pdf"};
    for (const char* name : expected)
        EXPECT_EQ(readFile(stationDir() + QLatin1String(name)),
                  readAll(kData + QLatin1String(name)))
            << name;
    for (const Picture& picture : kPictures)
        EXPECT_FALSE(QImage(stationDir() + QLatin1String(picture.name)).isNull()) << picture.name;
}

TEST_F(ProvisionedStationTest, ArtworkPrefersTheStationsCopyThenTheDefaultThenAStandIn) {
    // No station copy: the installed default.
    const QImage installed(kData + QStringLiteral("artwork/Splash.png"));
    EXPECT_EQ(ArtworkImage(Artwork::Splash).convertToFormat(QImage::Format_ARGB32),
              installed.convertToFormat(QImage::Format_ARGB32));

    // A site's own picture in the station folder wins.
    QImage own(520, 316, QImage::Format_RGB32);
    own.fill(Qt::red);
    QDir().mkpath(stationDir() + QStringLiteral("artwork"));
    ASSERT_TRUE(own.save(stationDir() + QStringLiteral("artwork/Splash.png")));
    EXPECT_EQ(ArtworkImage(Artwork::Splash).pixelColor(10, 10), QColor(Qt::red));

    // An unreadable station copy falls back to the default.
    writeFile(stationDir() + QStringLiteral("artwork/Splash.png"), "not a picture");
    EXPECT_EQ(ArtworkImage(Artwork::Splash).size(), installed.size());
    EXPECT_NE(ArtworkImage(Artwork::Splash).pixelColor(10, 10), QColor(Qt::red));

    // Nothing anywhere: a stand-in of the design size, so layouts keep their geometry.
    qputenv("ZELKORA_DATA_DIR", (root() + QStringLiteral("/no-data")).toLocal8Bit());
    const QImage standIn = ArtworkImage(Artwork::ButtonMouseOut);
    EXPECT_FALSE(standIn.isNull());
    EXPECT_EQ(standIn.size(), QSize(151, 89));
}

TEST(ResourceBitmapTest, FootersExistForTheDialogIdsOnly) {
    for (int id = 101; id <= 105; ++id) {
        const QPixmap footer = ResourceBitmap(id);
        ASSERT_FALSE(footer.isNull()) << id;
        EXPECT_EQ(footer.size(), QSize(400, 24)) << id;
    }
    EXPECT_TRUE(ResourceBitmap(100).isNull());
    EXPECT_TRUE(ResourceBitmap(106).isNull());
    // Told apart by their accent line.
    EXPECT_NE(ResourceBitmap(101).toImage().pixelColor(10, 1),
              ResourceBitmap(104).toImage().pixelColor(10, 1));
}

} // namespace
} // namespace zelkora
