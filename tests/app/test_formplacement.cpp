#include "app/gui/formplacement.h"
#include "settings/inifile.h"
#include "settings/settingsstore.h"
#include "support/testenv.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace zelkora {
namespace {

using FormPlacementTest = test::StationTest;

TEST_F(FormPlacementTest, CentresOnTheScreenAndGoesNegativeWhenLarger) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QWidget small;
    small.resize(200, 100);
    GetFormPosition(&small, 5955, 4005);
    EXPECT_EQ(small.property("scaleWidth").toInt(), 5955);
    EXPECT_NEAR(small.x(), (screen.width() - small.frameGeometry().width()) / 2, 1);
    EXPECT_NEAR(small.y(), (screen.height() - small.frameGeometry().height()) / 2, 1);

    QWidget huge;
    huge.resize(screen.width() + 400, screen.height() + 200);
    GetFormPosition(&huge, 17000, 8805);
    EXPECT_LT(huge.x(), 0);
    EXPECT_LT(huge.y(), 0);
}

TEST_F(FormPlacementTest, StoresPositionInTwipsUnlessMinimised) {
    QWidget window;
    window.setObjectName(QStringLiteral("frmAbout"));
    window.setGeometry(10, 20, 300, 200);
    StoreFormPosition(&window);
    const double tx = TwipsPerPixelX(&window);
    EXPECT_EQ(GetSetting(QStringLiteral("frmAboutWidth")).toInt(),
              qRound(window.frameGeometry().width() * tx));
    EXPECT_FALSE(GetSetting(QStringLiteral("frmAboutLeft")).isEmpty());
    EXPECT_FALSE(GetSetting(QStringLiteral("frmAboutHeight")).isEmpty());

    const QString before = GetSetting(QStringLiteral("frmAboutWidth"));
    window.resize(600, 400);
    window.showMinimized();
    StoreFormPosition(&window);
    EXPECT_EQ(GetSetting(QStringLiteral("frmAboutWidth")), before);
}

TEST_F(FormPlacementTest, LoadCaptionsReplacesOnlyKnownNumericIds) {
    QWidget window;
    window.setProperty("tag", QStringLiteral("1050"));
    window.setWindowTitle(QStringLiteral("design"));
    QMenuBar bar(&window);
    QMenu* file = bar.addMenu(QStringLiteral("1000"));
    QAction* exit = file->addAction(QStringLiteral("1001"));
    QAction* plain = file->addAction(QStringLiteral("Print"));
    QMenu* unknown = bar.addMenu(QStringLiteral("9999"));
    auto* version = new QLabel(QStringLiteral("design"), &window);
    version->setProperty("tag", 1047);
    auto* untagged = new QLabel(QStringLiteral("as designed"), &window);
    auto* button = new QPushButton(QStringLiteral("x"), &window);
    button->setProperty("tag", QStringLiteral("abc"));
    button->setToolTip(QStringLiteral("1053"));

    LoadCaptions(&window);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Zelkora"));
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    EXPECT_EQ(exit->text(), QStringLiteral("E&xit"));
    EXPECT_EQ(plain->text(), QStringLiteral("Print"));
    EXPECT_EQ(unknown->title(), QStringLiteral("9999"));
    EXPECT_EQ(version->text(), QStringLiteral("Search"));
    EXPECT_EQ(untagged->text(), QStringLiteral("as designed"));
    EXPECT_EQ(button->text(), QStringLiteral("x"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("&General"));
}

TEST_F(FormPlacementTest, IniFileRestoresAWidgetClampedToTheScreen) {
    QWidget window;
    window.setGeometry(100, 100, 300, 200);
    WidgetFormWindow form(&window);
    cInifile ini;
    ini.setPath(root() + QStringLiteral("/layout.ini"));
    ini.setSection(QStringLiteral("frmTest"));
    ini.SaveFormPosition(form);
    ASSERT_TRUE(ini.success());

    window.setGeometry(0, 0, 50, 50);
    ini.LoadFormPosition(form, 100, 100);
    EXPECT_EQ(form.width(), 300 * form.twipsPerPixelX());
    EXPECT_EQ(form.left(), 100 * form.twipsPerPixelX());

    // A stored left far off screen comes back 4 pixels from the edge.
    ini.setKey(QStringLiteral("Left"));
    ini.setValue(QStringLiteral("-3000"));
    ini.LoadFormPosition(form, 100, 100);
    EXPECT_EQ(window.frameGeometry().x() - window.screen()->geometry().x(), 4);
}

} // namespace
} // namespace zelkora
