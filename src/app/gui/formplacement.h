#pragma once

#include "settings/formwindow.h"

class QWidget;

namespace zelkora {

// A widget seen as the INI class's FormWindow: frame geometry in twips on the widget's screen.
class WidgetFormWindow final : public FormWindow {
public:
    explicit WidgetFormWindow(QWidget* widget)
        : m_widget(widget) {}

    int left() const override;
    int top() const override;
    int width() const override;
    int height() const override;
    WindowState windowState() const override;
    void move(int left, int top, int width, int height) override;
    void maximise() override;
    int screenWidth() const override;
    int screenHeight() const override;
    int twipsPerPixelX() const override;
    int twipsPerPixelY() const override;

private:
    QWidget* m_widget;
};

// Twips per pixel of the screen a widget is on, horizontally and vertically.
double TwipsPerPixelX(const QWidget* widget);
double TwipsPerPixelY(const QWidget* widget);

// Gives the window an inner coordinate system of scaleWidth x scaleHeight units (kept as the
// window's "scaleWidth"/"scaleHeight" properties) and centres the window on its screen, in twips.
// A window larger than the screen gets negative left and top.
void GetFormPosition(QWidget* window, int scaleWidth, int scaleHeight);

// Writes <objectName>Left, Top, Width and Height (twips) into the settings store; a minimised
// window writes nothing.
void StoreFormPosition(const QWidget* window);

// Replaces numeric captions with texts of the string table: the window title from its "tag"
// property, labels and other controls from their "tag", menu items from their own caption, tabs
// from their data, tool tips that are numbers. Anything that is not a known id stays as designed.
void LoadCaptions(QWidget* window);

} // namespace zelkora
