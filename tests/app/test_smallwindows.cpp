#include "app/core/programstate.h"
#include "app/core/sound.h"
#include "app/gui/aboutwindow.h"
#include "app/gui/passwordwindow.h"
#include "app/gui/qtsoundplayer.h"
#include "app/gui/splashwindow.h"
#include "app/gui/welcomewindow.h"
#include "settings/settingsstore.h"
#include "support/scriptedprompter.h"
#include "support/testenv.h"
#include "util/product.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtEndian>

namespace zelkora {
namespace {

// Records what the windows ask to play instead of playing it.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    RecordingSoundPlayer() { SoundPlayer::install(this); }
    ~RecordingSoundPlayer() override { SoundPlayer::install(nullptr); }
    RecordingSoundPlayer(const RecordingSoundPlayer&) = delete;
    RecordingSoundPlayer& operator=(const RecordingSoundPlayer&) = delete;
    void play(const QString& path) override { played.append(path); }
    QStringList played;
};

// Fires a window's timer as if its interval had passed.
void fire(QTimer* timer) {
    ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
}

QString labelText(const QWidget* window, const char* name) {
    const auto* label = window->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

class SmallWindowsTest : public test::StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        QDir().mkpath(stationDir());
        // No installed pictures: what a window shows comes from the station folder alone.
        m_savedDataDir = qgetenv("ZELKORA_DATA_DIR");
        qputenv("ZELKORA_DATA_DIR", (root() + QStringLiteral("/installed")).toLocal8Bit());
        programState().cardHolderName.clear();
        programState().cardCheckIn = false;
    }
    void TearDown() override {
        if (m_savedDataDir.isNull())
            qunsetenv("ZELKORA_DATA_DIR");
        else
            qputenv("ZELKORA_DATA_DIR", m_savedDataDir);
        StationTest::TearDown();
    }
    RecordingSoundPlayer m_sounds;
    test::ScriptedPrompter m_prompter;
    QByteArray m_savedDataDir;
};

struct WelcomeCase {
    const char* name;
    QString holder;
    bool checkIn;
    QString welcomeLine; // empty: hidden
    QString nameLine;
    const char* sound;
};

class WelcomeWindowTest : public SmallWindowsTest,
                          public ::testing::WithParamInterface<WelcomeCase> {};

TEST_P(WelcomeWindowTest, ShowsTheSwipeAndPlaysItsSound) {
    const WelcomeCase& c = GetParam();
    programState().cardHolderName = c.holder;
    programState().cardCheckIn = c.checkIn;
    WelcomeWindow window;

    EXPECT_EQ(window.objectName(), QStringLiteral("frmWelcome"));
    const auto* welcome = window.findChild<QLabel*>(QStringLiteral("lblWelcome"));
    const auto* userName = window.findChild<QLabel*>(QStringLiteral("lblUserName"));
    const auto* frame = window.findChild<QFrame*>(QStringLiteral("frmMessage"));
    ASSERT_TRUE(welcome && userName && frame);
    EXPECT_EQ(welcome->isHidden(), c.welcomeLine.isEmpty());
    if (!c.welcomeLine.isEmpty()) {
        EXPECT_EQ(welcome->text(), c.welcomeLine);
    }
    EXPECT_EQ(userName->text(), c.nameLine);
    // A name from the card register is never read as markup.
    if (!c.holder.isEmpty()) {
        EXPECT_EQ(userName->textFormat(), Qt::PlainText);
    }

    const bool red = frame->autoFillBackground() &&
                     frame->palette().color(QPalette::Window) == QColor(255, 0, 0);
    EXPECT_EQ(red, c.holder.isEmpty());

    const QString sound = stationDir() + QLatin1String(c.sound);
    EXPECT_EQ(m_sounds.played, QStringList{sound});
    EXPECT_EQ(window.soundPath(), sound);
}

INSTANTIATE_TEST_SUITE_P(
    Swipes, WelcomeWindowTest,
    ::testing::Values(
        WelcomeCase{"CheckIn", QStringLiteral("Ann Lee"), true, QStringLiteral("Welcome"),
                    QStringLiteral("Ann Lee"), "LoginRFID.wav"},
        WelcomeCase{"CheckOut", QStringLiteral("Ann Lee"), false, QStringLiteral("Good Bye"),
                    QStringLiteral("Ann Lee"), "LogoutRFID.wav"},
        WelcomeCase{"MarkupName", QStringLiteral("<b>Bo</b>"), true, QStringLiteral("Welcome"),
                    QStringLiteral("<b>Bo</b>"), "LoginRFID.wav"},
        WelcomeCase{"InvalidCard", QString(), true, QString(), QStringLiteral("Invalid RFID Card"),
                    "InvalidRFID.wav"},
        WelcomeCase{"InvalidCardOnCheckOut", QString(), false, QString(),
                    QStringLiteral("Invalid RFID Card"), "InvalidRFID.wav"}),
    [](const ::testing::TestParamInfo<WelcomeCase>& row) { return std::string(row.param.name); });

TEST_F(SmallWindowsTest, WelcomeClosesItselfThreeSecondsAfterShowing) {
    programState().cardHolderName = QStringLiteral("Ann Lee");
    QWidget owner;
    owner.show();
    int ticks = 0;
    // Once the window is up, let its timer run out; the modal call then returns by itself.
    auto* poll = new QTimer(&owner);
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, &owner, [&] {
        auto* window = qobject_cast<WelcomeWindow*>(QApplication::activeModalWidget());
        if (!window)
            return;
        poll->stop();
        EXPECT_EQ(window->parentWidget(), &owner);
        EXPECT_EQ(window->timer()->interval(), 3000);
        EXPECT_TRUE(window->timer()->isSingleShot());
        EXPECT_TRUE(window->timer()->isActive());
        ++ticks;
        fire(window->timer());
    });
    poll->start();
    ShowWelcome(&owner);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(SmallWindowsTest, WelcomeTimerWaitsForTheWindowToShow) {
    WelcomeWindow window;
    EXPECT_FALSE(window.timer()->isActive());
    window.show();
    EXPECT_TRUE(window.timer()->isActive());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SmallWindowsTest, SplashShowsTheVersionAndClosesOnItsTimer) {
    SplashWindow splash;
    EXPECT_EQ(splash.objectName(), QStringLiteral("frmSplash"));
    EXPECT_EQ(labelText(&splash, "lblPlatform"), QStringLiteral("Zelkora"));
    EXPECT_EQ(labelText(&splash, "lblVersion"),
              QStringLiteral("Version ") + QLatin1String(kProgramVersion));
    EXPECT_NE(splash.findChild<QFrame*>(QStringLiteral("fraMainFrame")), nullptr);

    QTimer* timer = splash.timer();
    EXPECT_EQ(timer->interval(), 2000);
    EXPECT_FALSE(timer->isActive());
    splash.show();
    EXPECT_TRUE(timer->isActive());
    fire(timer);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(timer->isActive());
}

TEST_F(SmallWindowsTest, SplashPictureComesFromTheStationFolderOrAPlainPanel) {
    const auto pictureOf = [](const SplashWindow& splash) {
        return splash.findChild<QLabel*>(QStringLiteral("pctSplash"))->pixmap().toImage();
    };
    {
        SplashWindow plain;
        const QImage image = pictureOf(plain);
        EXPECT_EQ(image.size(), QSize(520, 316));
    }
    QImage red(520, 316, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    const QString file = stationDir() + QLatin1String(kSplashPictureFile);
    QDir().mkpath(QFileInfo(file).path());
    ASSERT_TRUE(red.save(file));
    SplashWindow pictured;
    const QImage image = pictureOf(pictured);
    EXPECT_EQ(image.size(), QSize(520, 316));
    EXPECT_EQ(image.pixelColor(260, 158), QColor(255, 0, 0));
}

TEST_F(SmallWindowsTest, AboutBoxShowsTheSplashVersionAndStoresItsPositionOnClose) {
    const SplashWindow splash;
    AboutWindow about;
    EXPECT_EQ(about.objectName(), QStringLiteral("frmAbout"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Orv"));
    EXPECT_EQ(labelText(&about, "lblTitle"), QString::fromLatin1(kProgramTitle));
    EXPECT_EQ(labelText(&about, "lblDescription"), QStringLiteral("Zelkora"));
    EXPECT_EQ(labelText(&about, "lblVersion"), labelText(&splash, "lblVersion"));
    EXPECT_EQ(about.property("scaleWidth").toInt(), 5955);
    EXPECT_EQ(about.property("scaleHeight").toInt(), 4005);
    EXPECT_NE(about.findChild<QLabel*>(QStringLiteral("imgLogo")), nullptr);

    about.show();
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    ok->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(GetSetting(QStringLiteral("frmAboutLeft")).isEmpty());
    EXPECT_FALSE(GetSetting(QStringLiteral("frmAboutHeight")).isEmpty());
}

TEST_F(SmallWindowsTest, AboutBoxClosesByKeyboard) {
    for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
        AboutWindow about;
        about.show();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(about.focusWidget() ? about.focusWidget() : &about, &press);
        EXPECT_FALSE(about.isVisible()) << key;
    }
}

// A minimal PCM WAV file: 8 kHz, mono, 16 bit, `samples` of silence.
QByteArray silentWav(int samples) {
    QByteArray data;
    const auto put32 = [&](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        data.append(reinterpret_cast<const char*>(&le), 4);
    };
    const auto put16 = [&](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        data.append(reinterpret_cast<const char*>(&le), 2);
    };
    const quint32 bytes = static_cast<quint32>(samples) * 2;
    data.append("RIFF");
    put32(36 + bytes);
    data.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(16000);
    put16(2);
    put16(16);
    data.append("data");
    put32(bytes);
    data.append(QByteArray(static_cast<qsizetype>(bytes), '\0'));
    return data;
}

struct WaveCase {
    const char* name;
    QByteArray bytes;
    bool complete;
};

class WaveFileTest : public SmallWindowsTest, public ::testing::WithParamInterface<WaveCase> {};

TEST_P(WaveFileTest, OnlyCompleteWaveFilesArePlayable) {
    const QString path = stationDir() + QStringLiteral("sound.wav");
    writeFile(path, GetParam().bytes);
    EXPECT_EQ(IsCompleteWaveFile(path), GetParam().complete);
}

QByteArray withListChunkFirst() {
    const QByteArray wav = silentWav(10);
    const QByteArray list = QByteArray("LIST") + QByteArray("\x03\0\0\0abc\0", 8);
    QByteArray out = wav.left(12) + list + wav.mid(12);
    const quint32 riffSize = qToLittleEndian(static_cast<quint32>(out.size() - 8));
    out.replace(4, 4, reinterpret_cast<const char*>(&riffSize), 4);
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Files, WaveFileTest,
    ::testing::Values(WaveCase{"Complete", silentWav(800), true},
                      WaveCase{"OddChunkBeforeFormat", withListChunkFirst(), true},
                      WaveCase{"Truncated", silentWav(800).left(100), false},
                      WaveCase{"HeaderOnly", silentWav(800).left(30), false},
                      WaveCase{"NoSamples", silentWav(0), false},
                      WaveCase{"Empty", QByteArray(), false},
                      WaveCase{"NotASound", QByteArray(100, 'x'), false}),
    [](const ::testing::TestParamInfo<WaveCase>& row) { return std::string(row.param.name); });

TEST_F(SmallWindowsTest, MissingFileIsNotPlayable) {
    EXPECT_FALSE(IsCompleteWaveFile(stationDir() + QStringLiteral("LoginRFID.wav")));
}

// Damaged files never reach the decoder, so the player can always be destroyed at shutdown.
TEST_F(SmallWindowsTest, QtPlayerPlaysQuietlyAndIgnoresMissingOrDamagedFiles) {
    writeFile(stationDir() + QStringLiteral("LoginRFID.wav"), silentWav(800));
    writeFile(stationDir() + QStringLiteral("InvalidRFID.wav"), silentWav(800).left(100));
    writeFile(stationDir() + QStringLiteral("broken.wav"), QByteArray(100, 'x'));
    {
        QtSoundPlayer player;
        SoundPlayer::install(&player);
        const QString login = stationDir() + QStringLiteral("LoginRFID.wav");
        for (const char* name : {"LogoutRFID.wav", "InvalidRFID.wav", "broken.wav"})
            player.play(stationDir() + QLatin1String(name));
        player.play(login);
        // The decoder runs on its own thread; give it a bounded chance to finish.
        QDeadlineTimer deadline(10000);
        while (!player.isReady(login) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_TRUE(player.isReady(login));
        player.play(login);
        // Destroying the player takes it out of service.
    }
    EXPECT_EQ(SoundPlayer::current(), nullptr);
    EXPECT_TRUE(m_prompter.messages.isEmpty());
    SoundPlayer::install(&m_sounds);
}

// Every control a person can reach says what it is, to a screen reader as well as on screen.
TEST_F(SmallWindowsTest, ReachableControlsHaveAccessibleNames) {
    AboutWindow about;
    WelcomeWindow welcome;
    SplashWindow splash;
    for (const QWidget* window :
         {static_cast<const QWidget*>(&about), static_cast<const QWidget*>(&welcome),
          static_cast<const QWidget*>(&splash)}) {
        for (const QWidget* control : window->findChildren<QWidget*>()) {
            if (!(control->focusPolicy() & Qt::TabFocus))
                continue;
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << window->objectName().toStdString() << "/" << control->objectName().toStdString();
        }
    }
}

} // namespace
} // namespace zelkora

namespace zelkora {
namespace {

// Renders every window to PNG files for a person to look at; runs only when ZELKORA_SHOT_DIR
// names a folder.
TEST_F(SmallWindowsTest, RendersEachWindowForReview) {
    const QString folder = qEnvironmentVariable("ZELKORA_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "ZELKORA_SHOT_DIR not set";
    QDir().mkpath(folder);
    const QString tag = qEnvironmentVariable("ZELKORA_SHOT_TAG", QStringLiteral("screen"));
    const auto save = [&](QWidget& window, const char* name) {
        window.show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.grab().save(folder + QLatin1Char('/') + QLatin1String(name) +
                                       QLatin1Char('-') + tag + QStringLiteral(".png")));
        window.hide();
    };
    SplashWindow splash;
    save(splash, "splash");
    AboutWindow about;
    save(about, "about");
    PasswordWindow password;
    save(password, "password");
    const std::pair<QString, bool> swipes[] = {
        {QStringLiteral("Ann Lee"), true},
        {QStringLiteral("Maximiliane Alexandra Featherstonehaugh-Wolfeschlegel"), false},
        {QString(), true}};
    const char* names[] = {"welcome", "goodbye", "invalid"};
    for (int i = 0; i < 3; ++i) {
        programState().cardHolderName = swipes[i].first;
        programState().cardCheckIn = swipes[i].second;
        WelcomeWindow welcome;
        save(welcome, names[i]);
    }
}

} // namespace
} // namespace zelkora
