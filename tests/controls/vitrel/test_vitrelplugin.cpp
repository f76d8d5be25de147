#include "controls/picturebox/vitrel.h"

#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>

namespace zelkora::controls::test {
namespace {

TEST(VitrelDesignerPlugin, OffersTheControlInDesignMode) {
    QPluginLoader loader(QStringLiteral(VITREL_PLUGIN_FILE));
    QObject* instance = loader.instance();
    ASSERT_NE(instance, nullptr) << loader.errorString().toStdString();
    auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(instance);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->name(), QStringLiteral("zelkora::controls::Vitrel"));
    EXPECT_TRUE(plugin->domXml().contains(QStringLiteral("class=\"zelkora::controls::Vitrel\"")));
    EXPECT_EQ(plugin->includeFile(), QStringLiteral("controls/picturebox/vitrel.h"));

    QWidget form;
    auto* control = qobject_cast<Vitrel*>(plugin->createWidget(&form));
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->designMode());
    EXPECT_TRUE(control->setImageIndex(4)) << "Designer may set design-time properties";
}

} // namespace
} // namespace zelkora::controls::test
