#include "controls/picturebox/vitrel.h"
#include "vitreltestsupport.h"

#include <QDir>
#include <QPainter>
#include <functional>

namespace zelkora::controls::test {
namespace {

// A button picture: a rounded panel on a mask-coloured background.
QImage buttonPicture(QColor mask, QColor panel) {
    QImage image(120, 90, QImage::Format_RGB32);
    image.fill(mask);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(panel);
    painter.drawRoundedRect(QRect(6, 6, 108, 78), 14, 14);
    return image;
}

// Renders the control in its main states on a striped host, for a person to look at, and
// checks the pixels that tell the states apart.
class VitrelRenderTest : public ::testing::Test {
protected:
    QImage render(const char* name, const std::function<void(Vitrel&)>& setUp) {
        QWidget host;
        host.resize(140, 110);
        host.setAutoFillBackground(true);
        QPalette palette = host.palette();
        palette.setColor(QPalette::Window, QColor(40, 60, 120));
        host.setPalette(palette);
        auto* control = new Vitrel(&host);
        control->move(10, 10);
        control->setBorderStyle(Vitrel::NoBorder);
        control->setMaskColor(QColor(255, 0, 255));
        setUp(*control);
        host.show();
        const QImage image = host.grab().toImage();
        image.save(QDir(QStringLiteral(VITREL_RENDER_DIR))
                       .filePath(QStringLiteral("vitrel-%1.png").arg(QLatin1String(name))));
        return image.convertToFormat(QImage::Format_RGB32);
    }

    const QRgb hostColour = qRgb(40, 60, 120);
};

TEST_F(VitrelRenderTest, TransparentShowsTheHostThroughTheMask) {
    const QImage image = render("transparent", [](Vitrel& v) {
        v.setLine1Caption(QStringLiteral("Visitor"));
        v.setLine2Caption(QStringLiteral("Check in"));
        v.setPicture(buttonPicture(QColor(255, 0, 255), QColor(230, 160, 40)));
    });
    EXPECT_EQ(image.pixel(12, 12), hostColour) << "a mask-colour corner";
    EXPECT_EQ(image.pixel(20, 55), qRgb(230, 160, 40)) << "the panel";
}

TEST_F(VitrelRenderTest, OpaqueShowsThePictureWhole) {
    const QImage image = render("opaque", [](Vitrel& v) {
        v.setLine1Caption(QStringLiteral("Contractor"));
        v.setLine2Caption(QStringLiteral("Check in"));
        v.setPicture(buttonPicture(QColor(255, 0, 255), QColor(60, 170, 90)));
        v.setBackStyle(Vitrel::Opaque);
    });
    EXPECT_EQ(image.pixel(12, 12), qRgb(255, 0, 255));
}

TEST_F(VitrelRenderTest, OpaqueWithoutPictureFillsWithTheBackColour) {
    const QImage image = render("opaque-empty", [](Vitrel& v) {
        v.setBackStyle(Vitrel::Opaque);
        v.setBorderStyle(Vitrel::FixedSingle);
        v.setLine1Visible(false);
    });
    EXPECT_EQ(image.pixel(30, 30), colorFromOle(Vitrel::ButtonFace).rgb());
}

TEST_F(VitrelRenderTest, TransparentWithoutPictureShowsOnlyCaptions) {
    const QImage image = render("captions-only", [](Vitrel& v) {
        QFont big = v.font();
        big.setPointSize(14);
        big.setBold(true);
        v.setLine1Font(big);
        v.setLine1ForeColor(Qt::white);
        v.setLine2ForeColor(Qt::yellow);
    });
    EXPECT_EQ(image.pixel(12, 105), hostColour);
}

TEST_F(VitrelRenderTest, LargerControlDrawsThePictureFromTheTopLeft) {
    const QImage image = render("no-autosize", [](Vitrel& v) {
        v.setAutoSize(false);
        v.resize(125, 95);
        v.setBackStyle(Vitrel::Opaque);
        v.setLine2Visible(false);
        v.setLine1Caption(QStringLiteral("Single line"));
        v.setPicture(buttonPicture(QColor(255, 0, 255), QColor(200, 60, 60)));
    });
    EXPECT_EQ(image.pixel(20, 55), qRgb(200, 60, 60));
    EXPECT_EQ(image.pixel(132, 102), colorFromOle(Vitrel::ButtonFace).rgb())
        << "beyond the picture: the back colour";
}

TEST_F(VitrelRenderTest, DisabledGreysTheCaptions) {
    render("disabled", [](Vitrel& v) {
        v.setLine1Caption(QStringLiteral("Visitor"));
        v.setPicture(buttonPicture(QColor(255, 0, 255), QColor(230, 230, 230)));
        v.setEnabled(false);
    });
}

} // namespace
} // namespace zelkora::controls::test
