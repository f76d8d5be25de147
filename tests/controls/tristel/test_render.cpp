#include "tristeltest.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

using namespace zelkora::controls;
using namespace zelkora::controls::test;

namespace {

// Pictures with a frame and a mark, so a grab shows which one the button draws.
QPixmap statePicture(const QColor& fill, const QColor& mark) {
    QPixmap picture(96, 40);
    picture.fill(fill);
    QPainter painter(&picture);
    painter.setPen(QPen(mark, 3));
    painter.drawRect(picture.rect().adjusted(1, 1, -2, -2));
    painter.fillRect(QRect(40, 12, 16, 16), mark);
    return picture;
}

// Grabs the button in its three states; with ZELKORA_RENDER_DIR set the grabs are kept there
// as PNG files for a person to look at.
TEST(HoverButtonRender, GrabShowsThePictureOfEachState) {
    QWidget host;
    host.resize(140, 70);
    auto* button = new HoverButton(&host);
    button->setGeometry(20, 15, 100, 44);
    button->setBackColor(QColor(0xF0, 0xF0, 0xF0));
    button->setImageOut(statePicture(QColor(0x33, 0x55, 0x99), Qt::white));
    button->setImageOver(statePicture(QColor(0x44, 0xAA, 0xEE), Qt::yellow));
    button->setImageDown(statePicture(QColor(0x22, 0x33, 0x66), Qt::red));
    installFakeTimer(*button->tracker());
    host.show();
    auto* picBack = button->findChild<QWidget*>(QStringLiteral("picBack"));

    const QString folder = qEnvironmentVariable("ZELKORA_RENDER_DIR");
    const auto grabState = [&](const char* name, const QColor& expectedFill) {
        const QImage image = button->grab().toImage();
        EXPECT_EQ(image.pixelColor(10, 20), expectedFill) << name;
        // Beyond the picture the background colour shows.
        EXPECT_EQ(image.pixelColor(96, 20), QColor(0xF0, 0xF0, 0xF0)) << name;
        if (!folder.isEmpty())
            image.save(QDir(folder).filePath(
                QStringLiteral("hoverbutton-%1.png").arg(QString::fromLatin1(name))));
    };
    grabState("out", QColor(0x33, 0x55, 0x99));
    sendMove(picBack, {30, 20});
    grabState("over", QColor(0x44, 0xAA, 0xEE));
    sendPress(picBack, {30, 20});
    grabState("down", QColor(0x22, 0x33, 0x66));
    sendRelease(picBack, {30, 20});
    grabState("released", QColor(0x44, 0xAA, 0xEE));

    // Focus that came from the keyboard is drawn; focus from a click is not.
    const QImage unfocused = button->grab().toImage();
    QApplication::setActiveWindow(&host);
    button->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(button->hasFocus());
    EXPECT_EQ(button->grab().toImage(), unfocused);
    button->clearFocus();
    button->setFocus(Qt::TabFocusReason);
    grabState("focused", QColor(0x44, 0xAA, 0xEE));
    EXPECT_NE(button->grab().toImage(), unfocused);
}

TEST(TristelPlugin, OffersTheButtonToDesigner) {
    QPluginLoader loader(QStringLiteral(TRISTEL_PLUGIN_PATH));
    QObject* instance = loader.instance();
    ASSERT_NE(instance, nullptr) << loader.errorString().toStdString();
    auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(instance);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->name(), QStringLiteral("zelkora::controls::HoverButton"));
    EXPECT_EQ(plugin->includeFile(), QStringLiteral("controls/imagebutton/hoverbutton.h"));
    EXPECT_TRUE(plugin->domXml().contains(plugin->name()));
    EXPECT_FALSE(plugin->isContainer());

    QWidget form;
    QWidget* widget = plugin->createWidget(&form);
    auto* button = qobject_cast<HoverButton*>(widget);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->designMode());
    EXPECT_EQ(button->parentWidget(), &form);
}

} // namespace
