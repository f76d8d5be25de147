#include "app/gui/mainwindow.h"

#include "app/core/log.h"
#include "app/core/message.h"
#include "app/core/programstate.h"
#include "app/core/scanner.h"
#include "app/core/shellopen.h"
#include "app/core/stationfolder.h"
#include "app/gui/aboutwindow.h"
#include "app/gui/debugwindow.h"
#include "app/gui/formplacement.h"
#include "app/gui/mainwindow_parts.h"
#include "app/gui/passwordwindow.h"
#include "app/gui/resourcepicture.h"
#include "controls/picturebox/vitrel.h"
#include "settings/rightstest.h"
#include "util/product.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>

namespace zelkora {

using controls::Vitrel;

namespace {

constexpr char kFaqDocument[] = "VRAX Help FAQs.pdf";
constexpr char kGeneralDocument[] = "VRAX Help General.pdf";

QString indexedName(const char* name, int index) {
    return QLatin1String(name) + QString::number(index);
}

} // namespace

MainWindow::MainWindow(Dependencies dependencies, QWidget* parent)
    : QMainWindow(parent)
    , m_deps(std::move(dependencies)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    setWindowIcon(QPixmap::fromImage(ArtworkImage(Artwork::AppIcon)));
    setAccessibleName(QString::fromLatin1(kProgramTitle));
    setAccessibleDescription(QStringLiteral("Visitor check-in and check-out"));

    if (!m_deps.adminGate)
        m_deps.adminGate = [this] { return CheckAdminPassword(this); };
    if (!m_deps.mayClose)
        m_deps.mayClose = [this] { return CheckAdminPassword(this); };
    if (!m_deps.rightsTest)
        m_deps.rightsTest = [] { return AttemptRegistryWrite(); };
    if (!m_deps.scanners)
        m_deps.scanners = [] { return std::make_unique<NoScannerSources>(); };
    if (!m_deps.openDocument)
        m_deps.openDocument = [](const QString& path) {
            ShellOpen(QStringLiteral("Open"), path, {}, {}, 1);
        };
    if (!m_deps.showAbout)
        m_deps.showAbout = [](QWidget* owner) { ShowAbout(owner); };

    buildControls();
    buildMenus();
    applyDesignLayout();
    refreshWindowAvailability();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    m_backdrop = new HomeBackdrop(QPixmap::fromImage(ArtworkImage(Artwork::Background)), this);
    m_backdrop->setObjectName(QStringLiteral("picBackground"));
    m_backdrop->onMouseMove = [this] { leaveButtons(); };
    setCentralWidget(m_backdrop);

    m_mouseOut = {QPixmap::fromImage(ArtworkImage(Artwork::ButtonMouseOut)),
                  QPixmap::fromImage(ArtworkImage(Artwork::CheckoutMouseOut))};
    m_mouseOver = {QPixmap::fromImage(ArtworkImage(Artwork::ButtonMouseOver)),
                   QPixmap::fromImage(ArtworkImage(Artwork::CheckoutMouseOver))};
    m_centerGraphic = QPixmap::fromImage(ArtworkImage(Artwork::CenterGraphic));

    m_header1 = makeHeaderLine(m_backdrop, QStringLiteral("lblHeaderLine1"),
                               QStringLiteral("Welcome 1"), design::HeaderLine1Font());
    m_header2 = makeHeaderLine(m_backdrop, QStringLiteral("lblHeaderLine2"),
                               QStringLiteral("Welcome 2"), design::HeaderLine2Font());

    m_logo =
        makeImage(m_backdrop, QStringLiteral("imgCompanyLogo"), QStringLiteral("Company logo"));
    m_graphic =
        makeImage(m_backdrop, QStringLiteral("imgMainGraphic"), QStringLiteral("Visitor badge"));
    m_graphic->setPixmap(m_centerGraphic);
    m_graphic->resize(m_centerGraphic.deviceIndependentSize().toSize());

    for (int i = 0; i < home::kButtonCount; ++i) {
        const int pair = i == home::kCheckoutButton ? 1 : 0;
        Vitrel* button = makePictureButton(m_backdrop, indexedName("tpbPictureButton", i), pair,
                                           m_mouseOut.at(static_cast<std::size_t>(pair)));
        m_buttons.at(static_cast<std::size_t>(i)) = button;
        connect(button, &Vitrel::Click, this, [this, i] { pressButton(i); });
        connect(button, &Vitrel::KeyPress, this, [this, i](qint16* keyAscii) {
            if (keyAscii && *keyAscii == 13)
                pressButton(i);
        });
        connect(button, &Vitrel::MouseMove, this,
                [this, i](qint16*, qint16*, float*, float*) { hoverButton(i); });
        connect(button, &Vitrel::focusGained, this, [this, i] { hoverButton(i); });
    }
    Vitrel* checkout = m_buttons.at(home::kCheckoutButton);
    checkout->setLine1Caption(QStringLiteral("CheckOut"));
    checkout->setLine2Visible(false);
    checkout->setAccessibleName(QStringLiteral("Check Out"));
    // Keyboard alone reaches every button, in their order on the screen's two columns.
    for (int i = 0; i + 1 < home::kButtonCount; ++i)
        setTabOrder(m_buttons.at(static_cast<std::size_t>(i)),
                    m_buttons.at(static_cast<std::size_t>(i + 1)));
}

void MainWindow::buildMenus() {
    // Captions are string-table ids until LoadCaptions replaces them.
    auto addMenu = [this](const char* name, int id) {
        QMenu* menu = menuBar()->addMenu(QString::number(id));
        menu->setObjectName(QLatin1String(name));
        return menu;
    };
    auto addAction = [](QMenu* menu, const char* name, int id) {
        QAction* action = menu->addAction(QString::number(id));
        action->setObjectName(QLatin1String(name));
        return action;
    };
    menuBar()->setObjectName(QStringLiteral("mnuMain"));

    QMenu* file = addMenu("mnuFile", 1000);
    m_fileExit = addAction(file, "mnuFileExit", 1001);
    connect(m_fileExit, &QAction::triggered, this, &QWidget::close);

    QMenu* utilities = addMenu("mnuUtilities", 1002);
    m_utilitiesDefaults = addAction(utilities, "mnuUtilitiesDefaults", 1003);
    m_utilitiesCards = addAction(utilities, "mnuUtilitiesManageCards", 1054);
    m_utilitiesReports = addAction(utilities, "mnuUtilitiesReports", 1051);
    connect(m_utilitiesDefaults, &QAction::triggered, this,
            [this] { openUtility(StationWindow::DefaultSettings); });
    connect(m_utilitiesCards, &QAction::triggered, this,
            [this] { openUtility(StationWindow::CardManagement); });
    connect(m_utilitiesReports, &QAction::triggered, this,
            [this] { openUtility(StationWindow::Reports); });

    QMenu* help = addMenu("mnuHelp", 1004);
    m_helpFaq = addAction(help, "mnuHelpFAQ", 1052);
    m_helpGeneral = addAction(help, "mnuHelpGeneral", 1053);
    m_helpAbout = addAction(help, "mnuHelpAbout", 1005);
    connect(m_helpFaq, &QAction::triggered, this,
            [this] { openHelp(QStringLiteral("About to open FAQ"), QLatin1String(kFaqDocument)); });
    connect(m_helpGeneral, &QAction::triggered, this, [this] {
        openHelp(QStringLiteral("About to open General Help"), QLatin1String(kGeneralDocument));
    });
    connect(m_helpAbout, &QAction::triggered, this, [this] { m_deps.showAbout(this); });
}

void MainWindow::refreshWindowAvailability() {
    WindowOpener* opener = m_deps.opener;
    auto available = [opener](StationWindow window) {
        return opener != nullptr && opener->canOpen(window);
    };
    for (int i = 0; i < home::kButtonCount; ++i)
        m_buttons.at(static_cast<std::size_t>(i))
            ->setEnabled(available(i == home::kCheckoutButton ? StationWindow::CheckOut
                                                              : StationWindow::LabelData));
    m_utilitiesDefaults->setEnabled(available(StationWindow::DefaultSettings));
    m_utilitiesCards->setEnabled(available(StationWindow::CardManagement));
    m_utilitiesReports->setEnabled(available(StationWindow::Reports));
}

QString MainWindow::buttonTitle(int index) const {
    if (index < 0 || index >= home::kButtonCount)
        return {};
    return m_buttons.at(static_cast<std::size_t>(index))->line1Caption();
}

Vitrel* MainWindow::pictureButton(int index) const {
    if (index < 0 || index >= home::kButtonCount)
        return nullptr;
    return m_buttons.at(static_cast<std::size_t>(index));
}

double MainWindow::horizontalScale() const {
    return home::HorizontalScale(screenMetrics());
}

home::ScreenMetrics MainWindow::screenMetrics() const {
    if (m_deps.screen)
        return m_deps.screen();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize pixels = screen ? screen->geometry().size() : QSize(1024, 768);
    const double tppX = TwipsPerPixelX(this);
    const double tppY = TwipsPerPixelY(this);
    return {pixels.width() * tppX, pixels.height() * tppY, tppX, tppY};
}

// ---- Load

void MainWindow::Load() {
    fixToScreen();
    m_hover.reset();
    m_lastButtonIndex = home::kButtonCount - 1;
    programState().scannerModels = QStringList{QStringLiteral("DocketPORT 665")};
    LoadCaptions(this);
    WriteLog(QStringLiteral("About to GetFormPosition"));
    GetFormPosition(this, home::kScaleWidth, home::kScaleHeight);
    SizeToScreen();
    WriteLog(QStringLiteral("About to InitButtons"));
    InitButtons();
    selectScanner();
    LoadLayout();
    runRightsTest();
}

void MainWindow::selectScanner() {
    int model = m_scannerModel;
    programState().scannerPresent = home::SelectScannerWithin(
        m_deps.scanners, model, programState().scannerModels, m_deps.scannerBound);
    m_scannerModel = model;
}

void MainWindow::runRightsTest() {
    m_bFormCanBeShown = m_deps.rightsTest();
    if (!m_bFormCanBeShown)
        ShowMessage(QStringLiteral("Failed to establish sufficient system rights.  Please run "
                                   "this program with elevated privileges."),
                    MsgOk | MsgCritical, QStringLiteral("Critical Error"), true);
}

// The window covers its screen and cannot be resized; see showEvent for full-screen mode.
void MainWindow::fixToScreen() {
    const home::ScreenMetrics screen = screenMetrics();
    const QSize size(static_cast<int>(home::Nearest(screen.widthTwips / screen.twipsPerPixelX)),
                     static_cast<int>(home::Nearest(screen.heightTwips / screen.twipsPerPixelY)));
    setFixedSize(size);
    // The load step measures the inner area before the window is ever shown.
    if (layout())
        layout()->activate();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!isFullScreen())
        setWindowState(windowState() | Qt::WindowFullScreen);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Becoming active brings the window back to full screen, whatever the desktop did to it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !isFullScreen())
        setWindowState(windowState() | Qt::WindowFullScreen);
}

// ---- Actions

void MainWindow::pressButton(int index) {
    Vitrel* button = pictureButton(index);
    if (!button || !button->isEnabled())
        return;
    if (index == home::kCheckoutButton)
        openWindow(StationWindow::CheckOut, -1);
    else
        openWindow(StationWindow::LabelData, index);
}

void MainWindow::openWindow(StationWindow window, int labelIndex) {
    if (!m_deps.opener || !m_deps.opener->canOpen(window))
        return;
    const StationError error = m_deps.opener->open(window, this, labelIndex);
    if (error.isError()) {
        WriteLog(QStringLiteral("Window did not open: ") + error.description);
        ShowMessage(ErrorMessageText(error), MsgOk | MsgCritical, {}, true);
        return;
    }
    if (window == StationWindow::DefaultSettings)
        InitButtons();
}

void MainWindow::openUtility(StationWindow window) {
    if (!m_deps.opener || !m_deps.opener->canOpen(window))
        return;
    if (!m_deps.adminGate())
        return;
    openWindow(window, -1);
}

void MainWindow::openHelp(const QString& logLine, const QString& fileName) {
    WriteLog(logLine);
    m_deps.openDocument(GetAppPath() + fileName);
}

// ---- Hover

int MainWindow::pairOf(int index) const {
    return m_buttons.at(static_cast<std::size_t>(index))->imageIndex() == 1 ? 1 : 0;
}

void MainWindow::showPicture(int index, bool mouseOver) {
    if (index < 0 || index >= home::kButtonCount)
        return;
    const auto pair = static_cast<std::size_t>(pairOf(index));
    m_buttons.at(static_cast<std::size_t>(index))
        ->setPicture(mouseOver ? m_mouseOver.at(pair) : m_mouseOut.at(pair));
}

void MainWindow::applyHover(const home::HoverState::Change& change) {
    showPicture(change.restore, false);
    showPicture(change.highlight, true);
}

void MainWindow::hoverButton(int index) {
    applyHover(m_hover.enter(index));
}

void MainWindow::leaveButtons() {
    if (m_hover.hovered() >= 0)
        applyHover(m_hover.leave());
}

// ---- Shutdown

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_closing) {
        // A window that never passed its checks was never shown: nobody could answer the
        // password there, and start-up must still be able to end.
        if (m_bFormCanBeShown && !m_deps.mayClose()) {
            event->ignore();
            return;
        }
        m_closing = true;
        // Every other window closes first; QPointer because closing one may delete another.
        QList<QPointer<QWidget>> others;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != this && window->isVisible())
                others.append(window);
        }
        for (const QPointer<QWidget>& window : others) {
            if (auto* debug = qobject_cast<DebugWindow*>(window.data()))
                debug->closeByProgram(); // logged as the program's close, not the user's
            else if (window)
                window->close();
        }
        StoreFormPosition(this);
    }
    event->accept();
}

} // namespace zelkora
