#pragma once

namespace zelkora {

// A window as cInifile saves and restores its placement, without depending on any widget
// toolkit: geometry in twips, the screen it is shown on, and the size of a screen pixel in twips
// (which sets the margin kept to the screen edges). The GUI library adapts its windows to this.
class FormWindow {
public:
    // The platform's window states, with their stored values.
    enum class WindowState { Normal = 0, Minimised = 1, Maximised = 2 };

    virtual ~FormWindow() = default;

    // Position of the window's outer frame from the screen's top left corner, and its size.
    virtual int left() const = 0;
    virtual int top() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;

    virtual WindowState windowState() const = 0;

    // Places and sizes the window (all in twips).
    virtual void move(int left, int top, int width, int height) = 0;
    // Shows the window maximised.
    virtual void maximise() = 0;

    // Size of the screen the window is on, in twips.
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;

    // Twips per screen pixel, horizontally and vertically (15 at 96 dots per inch).
    virtual int twipsPerPixelX() const = 0;
    virtual int twipsPerPixelY() const = 0;

protected:
    FormWindow() = default;
    FormWindow(const FormWindow&) = default;
    FormWindow& operator=(const FormWindow&) = default;
};

} // namespace zelkora
