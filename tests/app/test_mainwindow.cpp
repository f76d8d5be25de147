#include "app/core/homelayout.h"
#include "app/core/log.h"
#include "app/core/programstate.h"
#include "app/core/scanner.h"
#include "app/gui/debugwindow.h"
#include "app/gui/mainwindow.h"
#include "app/gui/windowopener.h"
#include "controls/picturebox/vitrel.h"
#include "settings/settingsstore.h"
#include "support/scriptedprompter.h"
#include "support/testenv.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>

namespace zelkora {
namespace {

using controls::Vitrel;

constexpr home::ScreenMetrics kDesignScreen{12195 - 150, 8945 - 150, 15, 15};
constexpr home::ScreenMetrics kFullHd{1920 * 15, 1080 * 15, 15, 15};

// Every window the home screen asks for, with what it was asked.
class RecordingOpener final : public WindowOpener {
public:
    struct Request {
        StationWindow window;
        int labelIndex;
        QWidget* owner;
    };

    bool canOpen(StationWindow window) const override { return !unavailable.contains(window); }
    StationError open(StationWindow window, QWidget* owner, int labelIndex) override {
        requests.append({window, labelIndex, owner});
        if (onOpen)
            onOpen();
        return result;
    }

    QList<StationWindow> unavailable;
    QList<Request> requests;
    StationError result;
    std::function<void()> onOpen;
};

// Solid pictures, one colour per image, so a test can tell which one a button shows.
const QColor kOut0(0, 0, 200), kOver0(200, 0, 0), kOut1(0, 150, 0), kOver1(220, 220, 0);

class MainWindowTest : public test::StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        ResetLog();
        writePicture("artwork/MouseOut0.png", {151, 89}, kOut0);
        writePicture("artwork/MouseOver0.png", {151, 89}, kOver0);
        writePicture("artwork/MouseOut1.png", {136, 51}, kOut1);
        writePicture("artwork/MouseOver1.png", {136, 51}, kOver1);
        writePicture("artwork/CenterGraphic.png", {300, 300}, QColor(0, 120, 120));
        writeLayout();
        const char* titles[] = {"Visitor", "Contractor",  "Delivery", "Interview",
                                "Vendor",  "Event Guest", "Staff"};
        const char* descriptions[] = {"Meetings and guests", "Works on site", "",
                                      "Job candidates",      "Sales visits",  "Seminars",
                                      "Forgot your card?"};
        for (int n = 1; n <= 7; ++n) {
            save(QStringLiteral("Label%1Title").arg(n), QLatin1String(titles[n - 1]));
            save(QStringLiteral("Label%1Description").arg(n), QLatin1String(descriptions[n - 1]));
        }
        save(QStringLiteral("WelcomeLine1"), QStringLiteral("Welcome to"));
        save(QStringLiteral("WelcomeLine2"), QStringLiteral("Brightwater Labs"));
    }
    void TearDown() override {
        ResetLog();
        StationTest::TearDown();
    }

    void save(const QString& key, const QString& value) { ASSERT_TRUE(SaveSetting(key, value)); }

    void writePicture(const char* name, QSize size, const QColor& color) {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(color);
        QDir().mkpath(QFileInfo(stationDir() + QLatin1String(name)).absolutePath());
        ASSERT_TRUE(image.save(stationDir() + QLatin1String(name)));
    }

    // The delivered arrangement; `drop` removes one key ("Section/Key").
    void writeLayout(const QString& drop = {}) {
        QByteArray text;
        auto section = [&](const char* name,
                           std::initializer_list<std::pair<const char*, int>> keys) {
            text += "[" + QByteArray(name) + "]\r\n";
            for (const auto& [key, value] : keys) {
                if (drop == QLatin1String(name) + QLatin1Char('/') + QLatin1String(key))
                    continue;
                text += QByteArray(key) + "=" + QByteArray::number(value) + "\r\n";
            }
        };
        section("HeaderLine1", {{"Top", 14}});
        section("HeaderLine2", {{"Top", 50}, {"Left", 0}, {"Width", 800}, {"Height", 52}});
        section("CompanyLogo", {{"Top", 122}, {"Left", 0}});
        section("CenterLogo", {{"Top", 206}, {"Left", 0}});
        const int tops[] = {122, 225, 328, 431, 122, 225, 328};
        for (int i = 0; i < 7; ++i) {
            const QByteArray name = "Label" + QByteArray::number(i);
            section(name.constData(), {{"Top", tops[i]}, {"Left", i < 4 ? -290 : 290}});
        }
        section("Checkout", {{"Top", 450}, {"Left", 290}});
        writeFile(stationDir() + QStringLiteral("orvsecurity.ini"), text);
    }

    std::unique_ptr<MainWindow> makeWindow(home::ScreenMetrics screen = kDesignScreen) {
        MainWindow::Dependencies deps;
        deps.opener = &opener;
        deps.adminGate = [this] {
            ++adminAsked;
            return adminAnswer;
        };
        deps.mayClose = [this] {
            ++closeAsked;
            return closeAnswer;
        };
        deps.rightsTest = [this] { return rightsPass; };
        deps.screen = [screen] { return screen; };
        deps.openDocument = [this](const QString& path) { documents.append(path); };
        deps.showAbout = [this](QWidget* owner) { aboutOwners.append(owner); };
        return std::make_unique<MainWindow>(std::move(deps));
    }

    std::unique_ptr<MainWindow> loadedWindow(home::ScreenMetrics screen = kDesignScreen) {
        auto window = makeWindow(screen);
        window->Load();
        return window;
    }

    static QColor centreColour(const Vitrel* button) {
        const QImage image = button->picture().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }

    static void moveMouseOver(QWidget* widget, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    static void click(QWidget* widget) {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(widget, &event);
        }
    }

    static void pressEnter(QWidget* widget) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(widget, &press);
    }

    static QAction* action(MainWindow& window, const char* name) {
        return window.findChild<QAction*>(QLatin1String(name));
    }

    static QWidget* element(MainWindow& window, const char* name) {
        return window.findChild<QWidget*>(QLatin1String(name));
    }

    test::ScriptedPrompter prompter;
    RecordingOpener opener;
    int adminAsked = 0;
    bool adminAnswer = true;
    int closeAsked = 0;
    bool closeAnswer = true;
    bool rightsPass = true;
    QStringList documents;
    QList<QWidget*> aboutOwners;
};

TEST_F(MainWindowTest, LayoutFollowsTheScreen) {
    struct Placed {
        QRect button0, button3, button6, checkout;
        QRect header1, header2, graphic;
        int line1Points;
    };
    struct Case {
        const char* name;
        home::ScreenMetrics screen;
        QSize window;
        Placed expected;
    };
    // Design size: both factors 1, the inner width is the screen's 803, so C = 402 and B = 76.
    // 1920 x 1080: V = 1090 / 596.33, H = 1930 / 813, C = 960, B = 138.
    const Case cases[] = {
        {"design size",
         kDesignScreen,
         {803, 586},
         {{36, 122, 151, 89},
          {36, 431, 151, 89},
          {616, 328, 151, 89},
          {624, 450, 136, 51},
          {1, 14, 800, 0},
          {2, 50, 800, 52},
          {252, 206, 300, 300},
          13}},
        {"1920 x 1080",
         kFullHd,
         {1920, 1080},
         {{134, 223, 276, 163},
          {134, 788, 276, 163},
          {1510, 600, 276, 163},
          {1524, 823, 249, 93},
          {560, 26, 800, 0},
          {560, 91, 800, 95},
          {686, 377, 548, 548},
          23}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.messages.clear();
        auto window = loadedWindow(c.screen);
        EXPECT_EQ(window->size(), c.window);
        EXPECT_TRUE(prompter.messages.isEmpty());
        const Placed& e = c.expected;
        EXPECT_EQ(window->pictureButton(0)->geometry(), e.button0);
        EXPECT_EQ(window->pictureButton(3)->geometry(), e.button3);
        EXPECT_EQ(window->pictureButton(6)->geometry(), e.button6);
        EXPECT_EQ(window->pictureButton(7)->geometry(), e.checkout);
        const QWidget* header1 = element(*window, "lblHeaderLine1");
        EXPECT_EQ(header1->pos(), e.header1.topLeft());
        EXPECT_EQ(header1->width(), e.header1.width());
        EXPECT_EQ(element(*window, "lblHeaderLine2")->geometry(), e.header2);
        EXPECT_EQ(element(*window, "imgMainGraphic")->geometry(), e.graphic);
        EXPECT_EQ(window->pictureButton(1)->line1Font().pointSize(), e.line1Points);
        EXPECT_TRUE(window->bFormCanBeShown());
    }
}

TEST_F(MainWindowTest, LayoutErrorLeavesTheRestAtDesignPlaces) {
    writeLayout(QStringLiteral("Label3/Left"));
    auto window = loadedWindow();

    EXPECT_EQ(window->pictureButton(0)->pos(), QPoint(36, 122));
    EXPECT_EQ(window->pictureButton(2)->pos(), QPoint(36, 328));
    EXPECT_EQ(window->pictureButton(7)->pos(), QPoint(624, 450));
    // Design places of buttons 3 to 6.
    EXPECT_EQ(window->pictureButton(3)->pos(), QPoint(40, 431));
    EXPECT_EQ(window->pictureButton(4)->pos(), QPoint(620, 122));
    EXPECT_EQ(window->pictureButton(6)->pos(), QPoint(620, 328));

    ASSERT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("13"));
    EXPECT_EQ(prompter.messages[0].code, 0);
    EXPECT_TRUE(prompter.messages[0].owned);
    EXPECT_EQ(prompter.messages[1].text,
              QStringLiteral("An error occurred while reading the configuration file."));
    EXPECT_EQ(prompter.messages[1].code, 16);
    EXPECT_FALSE(prompter.messages[1].owned);
    // Loading went on to the rights test.
    EXPECT_TRUE(window->bFormCanBeShown());
}

TEST_F(MainWindowTest, ButtonsAndHeaderFollowTheSettings) {
    auto window = loadedWindow();
    const Vitrel* visitor = window->pictureButton(0);
    EXPECT_EQ(visitor->line1Caption(), QStringLiteral("Visitor"));
    EXPECT_EQ(visitor->line2Caption(), QStringLiteral("Meetings and guests"));
    EXPECT_TRUE(visitor->line2Visible());
    // An empty description gives a single caption line, centred on the button.
    const Vitrel* delivery = window->pictureButton(2);
    EXPECT_EQ(delivery->line1Caption(), QStringLiteral("Delivery"));
    EXPECT_FALSE(delivery->line2Visible());
    const QPoint line1 = delivery->captionPosition(0);
    const QSize size = delivery->findChild<QLabel*>(QStringLiteral("Label1"))->size();
    EXPECT_NEAR(line1.y() + size.height() * 15 / 2.0, delivery->height() * 15 / 2.0, 15);
    // The check-out button shows only its picture.
    EXPECT_FALSE(window->pictureButton(7)->line1Visible());
    EXPECT_EQ(window->buttonTitle(4), QStringLiteral("Vendor"));

    EXPECT_EQ(static_cast<QLabel*>(element(*window, "lblHeaderLine1"))->text(),
              QStringLiteral("Welcome to"));
    EXPECT_EQ(static_cast<QLabel*>(element(*window, "lblHeaderLine2"))->text(),
              QStringLiteral("Brightwater Labs"));
    EXPECT_EQ(action(*window, "mnuUtilitiesManageCards")->text(),
              QStringLiteral("RFID &Card Management"));
    EXPECT_EQ(window->menuBar()->actions().at(0)->text(), QStringLiteral("&File"));
}

TEST_F(MainWindowTest, CompanyLogoFollowsMainGraphic) {
    struct Case {
        const char* name;
        const char* mainGraphic;
        bool logoFile;
        bool hidden;
        QSize size;
    };
    const Case cases[] = {
        {"0 hides it", "0", true, true, {0, 0}},
        {"1 shows the file", "1", true, false, {200, 70}},
        {"1 without the file keeps the design state", "1", false, false, {0, 0}},
        {"2 keeps the design state", "2", true, false, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(stationDir() + QStringLiteral("CompLogo.bmp"));
        if (c.logoFile)
            writePicture("CompLogo.bmp", {200, 70}, Qt::white);
        save(QStringLiteral("MainGraphic"), QLatin1String(c.mainGraphic));
        prompter.messages.clear();
        auto window = loadedWindow();
        const QWidget* logo = element(*window, "imgCompanyLogo");
        EXPECT_EQ(logo->isHidden(), c.hidden);
        EXPECT_EQ(logo->size(), c.size);
        EXPECT_TRUE(prompter.messages.isEmpty());
    }
}

TEST_F(MainWindowTest, UnreadableSettingIsReportedAndTheWindowRuns) {
    save(QStringLiteral("MainGraphic"), QStringLiteral("lots"));
    auto window = loadedWindow();
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("MainGraphic")));
    EXPECT_EQ(prompter.messages[0].code, 16);
    // What was read before the bad key shows; the rest keeps its defaults.
    EXPECT_EQ(static_cast<QLabel*>(element(*window, "lblHeaderLine2"))->text(),
              QStringLiteral("Brightwater Labs"));
    EXPECT_EQ(window->buttonTitle(0), QString());
    EXPECT_TRUE(window->bFormCanBeShown());
}

TEST_F(MainWindowTest, HoverMovesFromButtonToButtonAndBack) {
    auto window = loadedWindow();
    Vitrel* two = window->pictureButton(2);
    Vitrel* five = window->pictureButton(5);
    const QPoint inside(20, 20);
    EXPECT_EQ(window->hoveredButton(), -1);

    moveMouseOver(two, inside);
    EXPECT_EQ(window->hoveredButton(), 2);
    EXPECT_EQ(centreColour(two), kOver0);

    moveMouseOver(five, inside);
    EXPECT_EQ(window->hoveredButton(), 5);
    EXPECT_EQ(centreColour(two), kOut0);
    EXPECT_EQ(centreColour(five), kOver0);

    moveMouseOver(element(*window, "picBackground"), QPoint(400, 10));
    EXPECT_EQ(window->hoveredButton(), -1);
    EXPECT_EQ(centreColour(five), kOut0);

    // The keyboard highlights the same way, and the check-out button uses its own pair.
    Q_EMIT window->pictureButton(7)->focusGained();
    EXPECT_EQ(window->hoveredButton(), 7);
    EXPECT_EQ(centreColour(window->pictureButton(7)), kOver1);
    moveMouseOver(element(*window, "lblHeaderLine1"), QPoint(5, 5));
    EXPECT_EQ(window->hoveredButton(), -1);
    EXPECT_EQ(centreColour(window->pictureButton(7)), kOut1);
}

TEST_F(MainWindowTest, ButtonsAndMenusGoThroughTheOpener) {
    auto window = loadedWindow();
    click(window->pictureButton(3));
    pressEnter(window->pictureButton(6));
    click(window->pictureButton(7));
    ASSERT_EQ(opener.requests.size(), 3);
    EXPECT_EQ(opener.requests[0].window, StationWindow::LabelData);
    EXPECT_EQ(opener.requests[0].labelIndex, 3);
    EXPECT_EQ(opener.requests[0].owner, window.get());
    EXPECT_EQ(opener.requests[1].window, StationWindow::LabelData);
    EXPECT_EQ(opener.requests[1].labelIndex, 6);
    EXPECT_EQ(opener.requests[2].window, StationWindow::CheckOut);
    EXPECT_EQ(opener.requests[2].labelIndex, -1);

    // The Utilities entries ask the administrator password first.
    opener.requests.clear();
    adminAnswer = false;
    action(*window, "mnuUtilitiesReports")->trigger();
    EXPECT_EQ(adminAsked, 1);
    EXPECT_TRUE(opener.requests.isEmpty());
    adminAnswer = true;
    action(*window, "mnuUtilitiesManageCards")->trigger();
    action(*window, "mnuUtilitiesReports")->trigger();
    ASSERT_EQ(opener.requests.size(), 2);
    EXPECT_EQ(opener.requests[0].window, StationWindow::CardManagement);
    EXPECT_EQ(opener.requests[1].window, StationWindow::Reports);

    // The buttons are rebuilt when the Default Settings dialog closes.
    opener.onOpen = [this] { save(QStringLiteral("Label1Title"), QStringLiteral("Guest")); };
    action(*window, "mnuUtilitiesDefaults")->trigger();
    EXPECT_EQ(opener.requests.last().window, StationWindow::DefaultSettings);
    EXPECT_EQ(window->buttonTitle(0), QStringLiteral("Guest"));
    EXPECT_EQ(adminAsked, 4);

    // A window that cannot load its settings is reported, naming the key.
    opener.onOpen = {};
    opener.result = {
        13, QStringLiteral("Type mismatch: the setting \"Label4WebCamMode\" holds \"x\""), {}};
    prompter.messages.clear();
    click(window->pictureButton(3));
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("Label4WebCamMode")));
}

TEST_F(MainWindowTest, HelpAndAbout) {
    writeFile(stationDir() + QStringLiteral("orvdebug.txt"), {});
    ASSERT_TRUE(StartLog());
    auto window = loadedWindow();
    action(*window, "mnuHelpFAQ")->trigger();
    action(*window, "mnuHelpGeneral")->trigger();
    action(*window, "mnuHelpAbout")->trigger();
    EXPECT_EQ(documents, QStringList({stationDir() + QStringLiteral("VRAX Help FAQs.pdf"),
                                      stationDir() + QStringLiteral("VRAX Help General.pdf")}));
    ASSERT_EQ(aboutOwners.size(), 1);
    EXPECT_EQ(aboutOwners[0], window.get());
    EXPECT_EQ(adminAsked, 0);

    const QString log = QString::fromUtf8(readFile(stationDir() + QStringLiteral("orvdebug.txt")));
    const QStringList order = {
        QStringLiteral("About to GetFormPosition"), QStringLiteral("About to InitButtons"),
        QStringLiteral("About to open FAQ"), QStringLiteral("About to open General Help")};
    qsizetype at = 0;
    for (const QString& line : order) {
        const qsizetype found = log.indexOf(line, at);
        EXPECT_GE(found, at) << line.toStdString();
        at = std::max(at, found);
    }
}

TEST_F(MainWindowTest, EntriesWithoutAWindowAreDisabled) {
    WindowRegistry registry;
    MainWindow::Dependencies deps;
    deps.opener = &registry;
    deps.screen = [] { return kDesignScreen; };
    deps.rightsTest = [] { return true; };
    deps.adminGate = [this] {
        ++adminAsked;
        return true;
    };
    MainWindow window(deps);
    window.Load();
    for (int i = 0; i < home::kButtonCount; ++i)
        EXPECT_FALSE(window.pictureButton(i)->isEnabled()) << i;
    for (const char* name :
         {"mnuUtilitiesDefaults", "mnuUtilitiesManageCards", "mnuUtilitiesReports"})
        EXPECT_FALSE(action(window, name)->isEnabled()) << name;
    // Help and Exit do not depend on other windows.
    EXPECT_TRUE(action(window, "mnuHelpAbout")->isEnabled());
    EXPECT_TRUE(action(window, "mnuFileExit")->isEnabled());

    QList<int> opened;
    registry.registerWindow(StationWindow::LabelData, [&opened](QWidget*, int index) {
        opened.append(index);
        return StationError{};
    });
    window.refreshWindowAvailability();
    for (int i = 0; i < home::kLabelButtonCount; ++i)
        EXPECT_TRUE(window.pictureButton(i)->isEnabled()) << i;
    EXPECT_FALSE(window.pictureButton(7)->isEnabled());
    click(window.pictureButton(7));
    pressEnter(window.pictureButton(7));
    action(window, "mnuUtilitiesReports")->trigger();
    click(window.pictureButton(1));
    EXPECT_EQ(opened, QList<int>({1}));
    EXPECT_EQ(adminAsked, 0);
}

TEST_F(MainWindowTest, KeyboardAndAccessibility) {
    auto window = loadedWindow();
    // Tab goes from each button to the next.
    auto nextTabStop = [](QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (next != from && !(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        return next;
    };
    for (int i = 0; i + 1 < home::kButtonCount; ++i)
        EXPECT_EQ(nextTabStop(window->pictureButton(i)), window->pictureButton(i + 1)) << i;
    for (int i = 0; i < home::kButtonCount; ++i)
        EXPECT_EQ(window->pictureButton(i)->focusPolicy(), Qt::StrongFocus) << i;

    auto name = [](QWidget* widget) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face ? face->text(QAccessible::Name) : QString();
    };
    EXPECT_EQ(name(window->pictureButton(0)), QStringLiteral("Visitor Meetings and guests"));
    EXPECT_EQ(name(window->pictureButton(2)), QStringLiteral("Delivery"));
    EXPECT_EQ(name(window->pictureButton(7)), QStringLiteral("Check Out"));
    for (const char* control :
         {"lblHeaderLine1", "lblHeaderLine2", "imgCompanyLogo", "imgMainGraphic"})
        EXPECT_FALSE(name(element(*window, control)).isEmpty()) << control;
}

TEST_F(MainWindowTest, CloseAsksThePasswordAndClosesTheOtherWindows) {
    auto window = loadedWindow();
    QWidget other;
    other.setWindowTitle(QStringLiteral("debug"));
    other.show();

    closeAnswer = false;
    action(*window, "mnuFileExit")->trigger();
    EXPECT_EQ(closeAsked, 1);
    EXPECT_TRUE(other.isVisible());
    EXPECT_TRUE(GetSetting(QStringLiteral("frmMainWidth")).isEmpty());

    closeAnswer = true;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(closeAsked, 2);
    EXPECT_FALSE(other.isVisible());
    EXPECT_FALSE(GetSetting(QStringLiteral("frmMainWidth")).isEmpty());
}

TEST_F(MainWindowTest, ShutdownClosesTheDebugWindowAsTheProgram) {
    writeFile(stationDir() + QStringLiteral("orvdebug.txt"), {});
    writeFile(stationDir() + QStringLiteral("orvdebugwindow.txt"), {});
    DebugWindow debug;
    DebugListSink::install(&debug);
    ASSERT_TRUE(StartLog());
    auto window = loadedWindow();
    closeAnswer = true;
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(debug.isVisible());
    EXPECT_TRUE(readFile(stationDir() + QStringLiteral("orvdebug.txt"))
                    .contains("\"frmDebug_QueryUnload = 1,"));
    DebugListSink::install(nullptr);
    ResetLog();
}

TEST_F(MainWindowTest, FailedRightsTestHidesTheWindowAndClosesWithoutPassword) {
    rightsPass = false;
    auto window = loadedWindow();
    EXPECT_FALSE(window->bFormCanBeShown());
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].text,
              QStringLiteral("Failed to establish sufficient system rights.  Please run this "
                             "program with elevated privileges."));
    EXPECT_EQ(prompter.messages[0].title, QStringLiteral("Critical Error"));
    EXPECT_EQ(prompter.messages[0].code, 16);
    closeAnswer = false;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(closeAsked, 0);
}

TEST_F(MainWindowTest, ScannerLookUpSetsTheProgramState) {
    class OneScanner final : public ScannerSources {
    public:
        bool open() override { return true; }
        int sourceCount() override { return 1; }
        std::optional<QString> sourceName(int index) override {
            return index == 0 ? std::optional<QString>(QStringLiteral("DocketPORT 665"))
                              : std::nullopt;
        }
        bool selectSource(int) override { return true; }
    };
    programState().scannerModels = QStringList{QStringLiteral("other")};
    MainWindow::Dependencies deps;
    deps.screen = [] { return kDesignScreen; };
    deps.rightsTest = [] { return true; };
    deps.scanners = [] { return std::make_unique<OneScanner>(); };
    MainWindow window(deps);
    window.Load();
    EXPECT_EQ(programState().scannerModels, QStringList{QStringLiteral("DocketPORT 665")});
    EXPECT_TRUE(programState().scannerPresent);

    deps.scanners = {};
    MainWindow without(deps);
    without.Load();
    EXPECT_FALSE(programState().scannerPresent);
}

// Copies the staged installed defaults into the station folder, as a first start does.
bool provisionArtwork(const QString& station) {
    const QString data = QStringLiteral(ZELKORA_BUILD_DATA_DIR);
    if (!QFileInfo::exists(data + QStringLiteral("/artwork/MouseOut0.png")))
        return false;
    QDirIterator it(data, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = station + QDir(data).relativeFilePath(from);
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::remove(to);
        if (!QFile::copy(from, to))
            return false;
    }
    return true;
}

TEST_F(MainWindowTest, RendersAtItsScreenSize) {
    const bool staged = provisionArtwork(stationDir());
    save(QStringLiteral("WelcomeLine2"), QStringLiteral("Brightwater Labs"));
    save(QStringLiteral("MainGraphic"), QStringLiteral("1"));
    if (!staged)
        writePicture("CompLogo.bmp", {200, 70}, Qt::white);
    const QString out = qEnvironmentVariable("ZELKORA_SCREENSHOT_DIR", root());
    for (QSize size : {QSize(1920, 1080), QSize(1024, 768)}) {
        SCOPED_TRACE(size.width());
        auto window = loadedWindow({size.width() * 15.0, size.height() * 15.0, 15, 15});
        const QImage shot = window->grab().toImage();
        EXPECT_EQ(shot.size(), size);
        // Every button lies inside the screen.
        for (int i = 0; i < home::kButtonCount; ++i) {
            const QRect button(window->pictureButton(i)->mapTo(window.get(), QPoint(0, 0)),
                               window->pictureButton(i)->size());
            EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(button)) << i;
        }
        EXPECT_TRUE(shot.save(
            out + QStringLiteral("/home-%1x%2.png").arg(size.width()).arg(size.height())));
    }
}

} // namespace
} // namespace zelkora
