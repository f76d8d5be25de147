// The main window's scaling, buttons and layout: measures its controls, lets the home layout
// compute, and applies the results.

#include "app/core/homelayout.h"
#include "app/core/log.h"
#include "app/core/message.h"
#include "app/core/stationfolder.h"
#include "app/gui/mainwindow.h"
#include "app/gui/mainwindow_parts.h"
#include "controls/picturebox/vitrel.h"
#include "settings/inifile.h"
#include "settings/vraxsettings.h"

#include <QImageReader>
#include <QLabel>
#include <algorithm>

namespace zelkora {

using controls::Vitrel;

namespace {

int whole(double pixels) {
    return static_cast<int>(home::Nearest(pixels));
}

QPixmap resized(const QPixmap& picture, const home::ScreenMetrics& screen, double v) {
    const QSize size = home::ScaledPictureSize(picture.size(), screen, v);
    if (size.isEmpty())
        return picture;
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

// The window as the home layout sees it, in pixels of the inner area.
class MainWindowLayoutTarget final : public home::LayoutTarget {
public:
    explicit MainWindowLayoutTarget(MainWindow& window)
        : m_window(window) {}

    double innerWidth() const override { return m_window.m_backdrop->width(); }

    double width(home::Element element) const override {
        return m_window.elementWidget(element)->width();
    }

    double fontSize(home::Element element, int line) const override {
        if (const Vitrel* button = asButton(element))
            return (line == 0 ? button->line1Font() : button->line2Font()).pointSizeF();
        return m_window.elementWidget(element)->font().pointSizeF();
    }

    void setTop(home::Element element, double top) override {
        QWidget* widget = m_window.elementWidget(element);
        widget->move(widget->x(), whole(top));
    }

    void setLeft(home::Element element, double left) override {
        QWidget* widget = m_window.elementWidget(element);
        widget->move(whole(left), widget->y());
    }

    void setWidth(home::Element element, double width) override {
        QWidget* widget = m_window.elementWidget(element);
        widget->resize(std::max(0, whole(width)), widget->height());
    }

    void setHeight(home::Element element, double height) override {
        QWidget* widget = m_window.elementWidget(element);
        widget->resize(widget->width(), std::max(0, whole(height)));
    }

    void setFontSize(home::Element element, int line, int points) override {
        points = std::max(1, points);
        if (Vitrel* button = asButton(element)) {
            QFont font = line == 0 ? button->line1Font() : button->line2Font();
            font.setPointSize(points);
            if (line == 0)
                button->setLine1Font(font);
            else
                button->setLine2Font(font);
            return;
        }
        auto* label = static_cast<QLabel*>(m_window.elementWidget(element));
        QFont font = label->font();
        font.setPointSize(points);
        label->setFont(font);
        // The first header line has no height of its own in the layout file.
        if (element == home::Element::HeaderLine1)
            fitHeaderHeight(label);
    }

    void refreshLine1(home::Element element) override {
        if (Vitrel* button = asButton(element))
            button->setLine1Caption(button->line1Caption());
    }

private:
    Vitrel* asButton(home::Element element) const {
        const int index = static_cast<int>(element) - static_cast<int>(home::Element::Button0);
        return m_window.pictureButton(index);
    }

    MainWindow& m_window;
};

QWidget* MainWindow::elementWidget(home::Element element) const {
    switch (element) {
    case home::Element::HeaderLine1:
        return m_header1;
    case home::Element::HeaderLine2:
        return m_header2;
    case home::Element::CompanyLogo:
        return m_logo;
    case home::Element::CenterGraphic:
        return m_graphic;
    default:
        return pictureButton(static_cast<int>(element) - static_cast<int>(home::Element::Button0));
    }
}

void MainWindow::applyDesignLayout() {
    m_header1->move(design::HeaderLine1Place());
    m_header2->move(design::HeaderLine2Place());
    m_logo->move(design::CompanyLogoPlace());
    m_graphic->move(design::CenterGraphicPlace());
    for (int i = 0; i < home::kButtonCount; ++i)
        m_buttons.at(static_cast<std::size_t>(i))->move(design::ButtonPlace(i));
}

void MainWindow::SizeToScreen() {
    const home::ScreenMetrics screen = screenMetrics();
    m_vertical = home::VerticalScale(screen);
    for (std::size_t pair = 0; pair < 2; ++pair) {
        m_mouseOver.at(pair) = resized(m_mouseOver.at(pair), screen, m_vertical);
        m_mouseOut.at(pair) = resized(m_mouseOut.at(pair), screen, m_vertical);
    }
    m_centerGraphic = resized(m_centerGraphic, screen, m_vertical);
    m_graphic->setPixmap(m_centerGraphic);
    m_graphic->resize(m_centerGraphic.size());
}

void MainWindow::InitButtons() {
    cVRAXSettings settings;
    if (const StationError error = settings.LoadValues(); error.isError()) {
        // The buttons still show what could be read; the message names the key.
        WriteLog(QStringLiteral("InitButtons: ") + error.description);
        ShowMessage(ErrorMessageText(error), MsgOk | MsgCritical, {}, true);
    }
    const int mainGraphic = settings.MainGraphic();
    m_scannerModel = settings.DefaultScanner();

    // The pictures go back to mouse-out, so no button is hovered any more.
    m_hover.reset();
    for (int i = 0; i <= m_lastButtonIndex; ++i) {
        Vitrel* button = m_buttons.at(static_cast<std::size_t>(i));
        button->setAutoAdjustLabels(false);
        button->setBackStyle(Vitrel::Transparent);
        button->setPicture(m_mouseOut.at(static_cast<std::size_t>(pairOf(i))));
        if (i == home::kCheckoutButton)
            button->setLine1Visible(false);
    }

    switch (home::LogoActionFor(mainGraphic)) {
    case home::LogoAction::Hide:
        m_logo->hide();
        break;
    case home::LogoAction::Load: {
        QImageReader reader(GetAppPath() + QLatin1String(home::kCompanyLogoFileName));
        const QImage logo = reader.read();
        // A missing or unreadable logo leaves the logo as it was.
        if (!logo.isNull()) {
            m_logo->setPixmap(QPixmap::fromImage(logo));
            m_logo->resize(logo.size());
            m_logo->show();
        }
        break;
    }
    case home::LogoAction::Keep:
        break;
    }

    const double inner = m_backdrop->width();
    m_graphic->show();
    m_graphic->move(home::CentredGraphicLeft(inner, m_graphic->width()), m_graphic->y());

    for (int number = 1; number <= home::kLabelButtonCount; ++number) {
        const home::ButtonCaption caption = home::CaptionForLabelType(
            settings.LabelTitle(number), settings.LabelDescription(number));
        Vitrel* button = m_buttons.at(static_cast<std::size_t>(number - 1));
        button->setLine1Caption(caption.line1);
        if (caption.line2Visible) {
            button->setLine2Caption(caption.line2);
            button->setLine2Visible(true);
        } else {
            button->setLine2Visible(false);
        }
    }

    m_header1->setText(settings.WelcomeLine1());
    m_header2->setText(settings.WelcomeLine2());
    m_header1->move(home::CentredHeaderLeft(inner, m_header1->width()), m_header1->y());
}

void MainWindow::LoadLayout() {
    cInifile ini;
    ini.setPath(GetAppPath() + QLatin1String(home::kLayoutFileName));
    ini.setDefault(QString());
    const home::LayoutReader read = [&ini](const QString& section, const QString& key) {
        ini.setSection(section);
        ini.setKey(key);
        return ini.Value();
    };
    MainWindowLayoutTarget target(*this);
    const StationError error = home::LoadLayout(read, target, screenMetrics(), m_vertical);
    if (!error.isError())
        return;
    WriteLog(QStringLiteral("LoadLayout stopped: ") + error.description + QStringLiteral(" ") +
             error.source);
    ShowMessage(QString::number(error.number), MsgOk, {}, true);
    ShowMessage(QStringLiteral("An error occurred while reading the configuration file."),
                MsgCritical, {}, false);
}

} // namespace zelkora
