#pragma once

#include "app/core/homelayout.h"
#include "app/gui/windowopener.h"

#include <QMainWindow>
#include <QPixmap>
#include <array>
#include <chrono>
#include <functional>

class QAction;
class QLabel;

namespace zelkora {

namespace controls {
class Vitrel;
}

class HomeBackdrop;

// Everything the home screen asks of the rest of the station; empty members take the
// product's own.
struct MainWindowDependencies {
    // The windows behind the buttons and the Utilities menu; nullptr opens none.
    WindowOpener* opener = nullptr;
    // The administrator password gate of the Utilities menu (default: frmPassword).
    std::function<bool()> adminGate;
    // The password gate of the close request (default: frmPassword).
    std::function<bool()> mayClose;
    // The start-up rights test (default: AttemptRegistryWrite).
    std::function<bool()> rightsTest;
    // The scanner back end of the look-up at load (default: no scanner) and how long the
    // look-up may take.
    home::ScannerFactory scanners;
    std::chrono::milliseconds scannerBound{2000};
    // The screen the window covers (default: the window's own screen).
    std::function<home::ScreenMetrics()> screen;
    // Opens a help document (default: ShellOpen "Open").
    std::function<void(const QString& path)> openDocument;
    // Shows the about box modally (default: frmAbout).
    std::function<void(QWidget* owner)> showAbout;
};

// The station's home screen "frmMain": a fixed full-screen window with two header lines, the
// company logo, the centre graphic, seven label-type buttons and the check-out button
// (`tpbPictureButton` 0 to 7), scaled to its screen and placed from "orvsecurity.ini", with the
// File, Utilities and Help menus. It decides nothing about the windows it opens: they come
// through the opener, and a button or menu entry whose window the opener cannot open is
// disabled. Closing it is the station's shutdown.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    using Dependencies = MainWindowDependencies;

    explicit MainWindow(Dependencies dependencies = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load step, run once before the window is shown: scales the pictures, builds the
    // buttons from the settings, looks for the scanner, places everything from the layout file
    // and runs the rights test, which decides bFormCanBeShown.
    void Load();
    // Whether the load step passed its rights test; start-up shows the window only then.
    bool bFormCanBeShown() const { return m_bFormCanBeShown; }

    // Fills the buttons, header lines and logo from a fresh settings snapshot. A settings value
    // that cannot be read is reported naming its key; the buttons keep what was read.
    void InitButtons();

    // Enables each button and Utilities entry whose window the opener can open now.
    void refreshWindowAvailability();

    // Caption line 1 of button `index` (0 to 7): a label type's title, the badge title of a card
    // check-in.
    QString buttonTitle(int index) const;
    controls::Vitrel* pictureButton(int index) const;
    // The button shown with its mouse-over picture, -1 for none.
    int hoveredButton() const { return m_hover.hovered(); }
    // The factors the layout was scaled by.
    double verticalScale() const { return m_vertical; }
    double horizontalScale() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class MainWindowLayoutTarget;

    void buildControls();
    void buildMenus();
    void applyDesignLayout();
    home::ScreenMetrics screenMetrics() const;
    void fixToScreen();
    void SizeToScreen();
    void LoadLayout();
    void runRightsTest();
    void selectScanner();

    void pressButton(int index);
    void openWindow(StationWindow window, int labelIndex);
    void openUtility(StationWindow window);
    void openHelp(const QString& logLine, const QString& fileName);
    void hoverButton(int index);
    void leaveButtons();
    void applyHover(const home::HoverState::Change& change);
    void showPicture(int index, bool mouseOver);
    int pairOf(int index) const;
    QWidget* elementWidget(home::Element element) const;

    Dependencies m_deps;
    HomeBackdrop* m_backdrop = nullptr;
    std::array<controls::Vitrel*, home::kButtonCount> m_buttons{};
    QLabel* m_header1 = nullptr;
    QLabel* m_header2 = nullptr;
    QLabel* m_logo = nullptr;
    QLabel* m_graphic = nullptr;
    // Image pairs 0 (label-type buttons) and 1 (check-out): mouse away and mouse over.
    std::array<QPixmap, 2> m_mouseOut;
    std::array<QPixmap, 2> m_mouseOver;
    QPixmap m_centerGraphic;

    QAction* m_fileExit = nullptr;
    QAction* m_utilitiesDefaults = nullptr;
    QAction* m_utilitiesCards = nullptr;
    QAction* m_utilitiesReports = nullptr;
    QAction* m_helpFaq = nullptr;
    QAction* m_helpGeneral = nullptr;
    QAction* m_helpAbout = nullptr;

    home::HoverState m_hover;
    int m_lastButtonIndex = home::kButtonCount - 1;
    int m_scannerModel = 1;
    double m_vertical = 1;
    bool m_bFormCanBeShown = false;
    bool m_closing = false;
};

} // namespace zelkora
