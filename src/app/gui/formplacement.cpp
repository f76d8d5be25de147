#include "app/gui/formplacement.h"

#include "app/core/resources.h"
#include "settings/settingsstore.h"
#include "util/twips.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QWidget>

namespace zelkora {

namespace {

const QScreen* screenOf(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

// The string of a numeric id held in `id`, if it is one the table knows.
std::optional<QString> stringFor(const QVariant& id) {
    bool ok = false;
    const int number = id.toString().trimmed().toInt(&ok);
    if (!ok || number <= 0)
        return std::nullopt;
    return LoadResString(number);
}

void replaceToolTip(QWidget* widget) {
    if (const auto text = stringFor(widget->toolTip()))
        widget->setToolTip(*text);
}

void loadActionCaptions(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        if (const auto text = stringFor(action->text()))
            action->setText(*text);
        if (const auto tip = stringFor(action->toolTip());
            tip && action->toolTip() != action->text())
            action->setToolTip(*tip);
        if (QMenu* menu = action->menu())
            loadActionCaptions(menu->actions());
    }
}

void loadControlCaption(QWidget* control) {
    const QVariant tag = control->property("tag");
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (const auto text = stringFor(tag))
            label->setText(*text);
        return;
    }
    if (auto* tabs = qobject_cast<QTabBar*>(control)) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (const auto text = stringFor(tabs->tabData(i)))
                tabs->setTabText(i, *text);
            if (const auto tip = stringFor(tabs->tabToolTip(i)))
                tabs->setTabToolTip(i, *tip);
        }
        return;
    }
    if (auto* tree = qobject_cast<QTreeWidget*>(control)) {
        QTreeWidgetItem* header = tree->headerItem();
        for (int column = 0; header && column < header->columnCount(); ++column) {
            if (const auto text = stringFor(header->data(column, Qt::UserRole)))
                header->setText(column, *text);
        }
        return;
    }
    if (const auto text = stringFor(tag)) {
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(*text);
        else if (auto* box = qobject_cast<QGroupBox*>(control))
            box->setTitle(*text);
    }
    replaceToolTip(control);
}

QRect screenArea(const QWidget* widget) {
    const QScreen* screen = screenOf(widget);
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

} // namespace

int WidgetFormWindow::left() const {
    return pixelsToTwips(m_widget->frameGeometry().x() - screenArea(m_widget).x(),
                         TwipsPerPixelX(m_widget));
}

int WidgetFormWindow::top() const {
    return pixelsToTwips(m_widget->frameGeometry().y() - screenArea(m_widget).y(),
                         TwipsPerPixelY(m_widget));
}

int WidgetFormWindow::width() const {
    return pixelsToTwips(m_widget->frameGeometry().width(), TwipsPerPixelX(m_widget));
}

int WidgetFormWindow::height() const {
    return pixelsToTwips(m_widget->frameGeometry().height(), TwipsPerPixelY(m_widget));
}

FormWindow::WindowState WidgetFormWindow::windowState() const {
    if (m_widget->isMinimized())
        return WindowState::Minimised;
    if (m_widget->isMaximized())
        return WindowState::Maximised;
    return WindowState::Normal;
}

void WidgetFormWindow::move(int left, int top, int width, int height) {
    const double tx = TwipsPerPixelX(m_widget);
    const double ty = TwipsPerPixelY(m_widget);
    const QRect area = screenArea(m_widget);
    // The frame goes where asked; the client area is what remains inside the frame.
    const QRect frame = m_widget->frameGeometry();
    const QRect client = m_widget->geometry();
    const int frameWidth = frame.width() - client.width();
    const int frameHeight = frame.height() - client.height();
    m_widget->move(area.x() + twipsToPixels(left, tx), area.y() + twipsToPixels(top, ty));
    m_widget->resize(qMax(0, twipsToPixels(width, tx) - frameWidth),
                     qMax(0, twipsToPixels(height, ty) - frameHeight));
}

void WidgetFormWindow::maximise() {
    m_widget->showMaximized();
}

int WidgetFormWindow::screenWidth() const {
    return pixelsToTwips(screenArea(m_widget).width(), TwipsPerPixelX(m_widget));
}

int WidgetFormWindow::screenHeight() const {
    return pixelsToTwips(screenArea(m_widget).height(), TwipsPerPixelY(m_widget));
}

int WidgetFormWindow::twipsPerPixelX() const {
    return qRound(TwipsPerPixelX(m_widget));
}

int WidgetFormWindow::twipsPerPixelY() const {
    return qRound(TwipsPerPixelY(m_widget));
}

double TwipsPerPixelX(const QWidget* widget) {
    const QScreen* screen = screenOf(widget);
    return twipsPerPixel(screen ? screen->logicalDotsPerInchX() : 96.0);
}

double TwipsPerPixelY(const QWidget* widget) {
    const QScreen* screen = screenOf(widget);
    return twipsPerPixel(screen ? screen->logicalDotsPerInchY() : 96.0);
}

void GetFormPosition(QWidget* window, int scaleWidth, int scaleHeight) {
    window->setProperty("scaleWidth", scaleWidth);
    window->setProperty("scaleHeight", scaleHeight);
    const QScreen* screen = screenOf(window);
    if (!screen)
        return;
    const double tx = TwipsPerPixelX(window);
    const double ty = TwipsPerPixelY(window);
    const QRect area = screen->geometry();
    const QRect frame = window->frameGeometry();
    const int screenWidth = pixelsToTwips(area.width(), tx);
    const int screenHeight = pixelsToTwips(area.height(), ty);
    const int left = (screenWidth - pixelsToTwips(frame.width(), tx)) / 2;
    const int top = (screenHeight - pixelsToTwips(frame.height(), ty)) / 2;
    window->move(area.x() + twipsToPixels(left, tx), area.y() + twipsToPixels(top, ty));
}

void StoreFormPosition(const QWidget* window) {
    if (window->isMinimized())
        return;
    const double tx = TwipsPerPixelX(window);
    const double ty = TwipsPerPixelY(window);
    const QRect frame = window->frameGeometry();
    const QString name = window->objectName();
    SaveSetting(name + QStringLiteral("Left"), QString::number(pixelsToTwips(frame.x(), tx)));
    SaveSetting(name + QStringLiteral("Top"), QString::number(pixelsToTwips(frame.y(), ty)));
    SaveSetting(name + QStringLiteral("Width"), QString::number(pixelsToTwips(frame.width(), tx)));
    SaveSetting(name + QStringLiteral("Height"),
                QString::number(pixelsToTwips(frame.height(), ty)));
}

void LoadCaptions(QWidget* window) {
    if (const auto title = stringFor(window->property("tag")))
        window->setWindowTitle(*title);
    loadActionCaptions(window->actions());
    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (qobject_cast<QMenu*>(control) || qobject_cast<QMenuBar*>(control)) {
            loadActionCaptions(control->actions());
            continue;
        }
        if (auto* bar = qobject_cast<QToolBar*>(control)) {
            for (QAction* action : bar->actions()) {
                if (const auto tip = stringFor(action->toolTip()))
                    action->setToolTip(*tip);
            }
            continue;
        }
        loadControlCaption(control);
    }
}

} // namespace zelkora
