// The three control libraries linked into one program, as a host that uses them all is: each
// control keeps its own accessible interface, Designer plugin and event types.
#include "controls/autosize/autosizetextbox.h"
#include "controls/imagebutton/hoverbutton.h"
#include "controls/picturebox/vitrel.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QPluginLoader>
#include <QSignalSpy>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>
#include <gtest/gtest.h>
#include <type_traits>
#include <vector>

namespace zelkora::controls {
namespace {

static_assert(std::is_same_v<MouseArgs, fitfield::MouseArgs>,
              "the text box's event arguments keep their old names");

class ControlsTogether : public ::testing::Test {
protected:
    void SetUp() override {
        box = new AutoSizeTextbox(&host);
        picture = new Vitrel(&host);
        picture->setLine1Caption(QStringLiteral("Visitor"));
        picture->setLine2Caption(QStringLiteral("Check in"));
        button = new HoverButton(&host);
        button->setToolTip(QStringLiteral("Next page"));
    }

    static QAccessibleInterface* accessible(QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget);
    }

    QWidget host;
    AutoSizeTextbox* box = nullptr;
    Vitrel* picture = nullptr;
    HoverButton* button = nullptr;
};

TEST_F(ControlsTogether, EachControlTellsAssistiveTechnologyWhatItIs) {
    EXPECT_EQ(accessible(box)->role(), QAccessible::EditableText);
    EXPECT_EQ(accessible(picture)->role(), QAccessible::Button);
    EXPECT_EQ(accessible(picture)->text(QAccessible::Name), QStringLiteral("Visitor Check in"));
    EXPECT_EQ(accessible(button)->role(), QAccessible::Button);
    EXPECT_EQ(accessible(button)->text(QAccessible::Name), QStringLiteral("Next page"));
    EXPECT_EQ(accessible(&host)->role(), QAccessible::Client) << "other widgets are Qt's";
}

TEST_F(ControlsTogether, ButtonsPressOnlyWhileEnabled) {
    struct Case {
        const char* name;
        QWidget* control;
        QStringList keys;
    };
    const std::vector<Case> cases = {
        {"Vitrel", picture, {QStringLiteral("Return")}},
        {"HoverButton", button, {QStringLiteral("Space"), QStringLiteral("Return")}},
    };
    const QString press = QAccessibleActionInterface::pressAction();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QAccessibleInterface* iface = accessible(c.control);
        ASSERT_NE(iface->actionInterface(), nullptr);
        EXPECT_EQ(iface->childCount(), 0) << "pictures and captions are part of the button";
        QSignalSpy clicks(c.control, SIGNAL(Click()));
        EXPECT_EQ(iface->actionInterface()->actionNames().value(0), press);
        EXPECT_EQ(iface->actionInterface()->keyBindingsForAction(press), c.keys);
        iface->actionInterface()->doAction(press);
        EXPECT_EQ(clicks.count(), 1);

        c.control->setEnabled(false);
        EXPECT_FALSE(iface->actionInterface()->actionNames().contains(press));
        iface->actionInterface()->doAction(press);
        EXPECT_EQ(clicks.count(), 1);
        c.control->setEnabled(true);
    }
}

TEST(ControlsInDesigner, EachLibraryOffersItsControlInDesignMode) {
    struct Case {
        const char* file;
        const char* className;
        const char* includeFile;
        std::function<bool(QWidget*)> inDesignMode;
    };
    const std::vector<Case> cases = {
        {FITFIELD_PLUGIN_FILE, "zelkora::controls::AutoSizeTextbox",
         "controls/autosize/autosizetextbox.h",
         [](QWidget* w) { return qobject_cast<AutoSizeTextbox*>(w)->designMode(); }},
        {VITREL_PLUGIN_FILE, "zelkora::controls::Vitrel", "controls/picturebox/vitrel.h",
         [](QWidget* w) { return qobject_cast<Vitrel*>(w)->designMode(); }},
        {TRISTEL_PLUGIN_FILE, "zelkora::controls::HoverButton",
         "controls/imagebutton/hoverbutton.h",
         [](QWidget* w) { return qobject_cast<HoverButton*>(w)->designMode(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        QPluginLoader loader(QString::fromLatin1(c.file));
        auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(loader.instance());
        ASSERT_NE(plugin, nullptr) << loader.errorString().toStdString();
        EXPECT_EQ(plugin->name(), QLatin1String(c.className));
        EXPECT_EQ(plugin->group(), QStringLiteral("Zelkora"));
        EXPECT_EQ(plugin->includeFile(), QLatin1String(c.includeFile));
        EXPECT_FALSE(plugin->isContainer());
        EXPECT_TRUE(plugin->domXml().contains(
            QStringLiteral("<widget class=\"%1\"").arg(QLatin1String(c.className))));
        plugin->initialize(nullptr);
        plugin->initialize(nullptr);
        EXPECT_TRUE(plugin->isInitialized());

        QWidget form;
        QWidget* control = plugin->createWidget(&form);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget(), &form);
        EXPECT_TRUE(c.inDesignMode(control));
    }
}

} // namespace
} // namespace zelkora::controls
