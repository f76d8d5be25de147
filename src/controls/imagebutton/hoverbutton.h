#pragma once

#include "controls/common/propertybag.h"
#include "controls/imagebutton/mousetrack.h"

#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

namespace zelkora::controls {

class HoverButtonPicture;

// A button drawn entirely from three pictures: ImageOut while the mouse is away, ImageOver
// while it is over the button and ImageDown while a mouse button (or Space) holds it down. A
// missing ImageDown shows ImageOver, a missing ImageOver shows ImageOut.
// All mouse input goes to the child "picBack", which shows the current picture; the tracker
// m_cPTM reports rests and leaves of the mouse on it.
class HoverButton : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("DispId.Click", "1")
    Q_CLASSINFO("DispId.MouseOver", "2")
    Q_CLASSINFO("DispId.MouseOut", "3")
    Q_CLASSINFO("DispId.MouseDown", "4")
    Q_CLASSINFO("DispId.MouseUp", "5")
    Q_CLASSINFO("DispId.MouseHover", "6")
    Q_CLASSINFO("DispId.DblClick", "7")
    Q_CLASSINFO("Description.ImageOver", "Picture property for Button Over state.")
    Q_CLASSINFO("Description.ImageOut", "Picture property for Button Out state.")
    Q_CLASSINFO("Description.ImageDown", "Picture property for Button Down state.")
    Q_CLASSINFO("Description.MouseIcon", "Sets a custom mouse icon.")
    Q_CLASSINFO("Description.MousePointer",
                "Returns/sets the type of mouse pointer displayed when over part of an object.")
    Q_CLASSINFO("Description.BackColor",
                "Returns/sets the background color used to display text and graphics in an "
                "object.")
    Q_CLASSINFO("Description.Click", "Raised when Button is Clicked")
    Q_PROPERTY(QPixmap ImageOver READ imageOver WRITE setImageOver)
    Q_PROPERTY(QPixmap ImageOut READ imageOut WRITE setImageOut)
    Q_PROPERTY(QPixmap ImageDown READ imageDown WRITE setImageDown)
    Q_PROPERTY(QPixmap MouseIcon READ mouseIcon WRITE setMouseIcon)
    Q_PROPERTY(int MousePointer READ mousePointer WRITE setMousePointer)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)

public:
    enum class ButtonState { Out, Over, Down };
    Q_ENUM(ButtonState)

    // The mouse pointer numbers; any other MousePointer value is refused.
    enum MousePointerValue {
        Default = 0,
        Arrow = 1,
        Crosshair = 2,
        IBeam = 3,
        IconPointer = 4,
        SizePointer = 5,
        SizeNESW = 6,
        SizeNS = 7,
        SizeNWSE = 8,
        SizeWE = 9,
        UpArrow = 10,
        Hourglass = 11,
        NoDrop = 12,
        ArrowHourglass = 13,
        ArrowQuestion = 14,
        SizeAll = 15,
        Custom = 99,
    };
    Q_ENUM(MousePointerValue)

    // The system colour for button faces, BackColor's default.
    static constexpr quint32 defaultBackColor = 0x8000000Fu;

    explicit HoverButton(QWidget* parent = nullptr);
    ~HoverButton() override;

    QPixmap imageOver() const { return m_imageOver; }
    void setImageOver(const QPixmap& picture);
    QPixmap imageOut() const { return m_imageOut; }
    // Also shows the picture at once, whatever the state.
    void setImageOut(const QPixmap& picture);
    QPixmap imageDown() const { return m_imageDown; }
    void setImageDown(const QPixmap& picture);
    // The pointer shown over the button when MousePointer is Custom (99).
    QPixmap mouseIcon() const;
    void setMouseIcon(const QPixmap& icon);
    int mousePointer() const { return m_mousePointer; }
    // Refuses (ignores) values that are no MousePointerValue.
    void setMousePointer(int pointer);
    static bool isValidMousePointer(int pointer);
    QColor backColor() const;
    void setBackColor(const QColor& color);
    // BackColor as the hosts store it (high bit set: a system colour number).
    quint32 backColorValue() const { return m_backColor; }
    void setBackColorValue(quint32 value);

    // A new control placed by a designer: all three pictures become empty.
    void initProperties();
    // Reads the six persisted properties with their defaults, then shows ImageOut.
    void readProperties(const PropertyBag& bag);
    // Writes the persisted properties that differ from their defaults.
    void writeProperties(PropertyBag& bag) const;

    // Set by the host: in design mode the button does not react to the mouse.
    void setDesignMode(bool designMode) { m_designMode = designMode; }
    bool designMode() const { return m_designMode; }

    // Presses the button as Space, Enter or assistive technology does: raises Click.
    void click();

    ButtonState state() const { return m_state; }
    // The picture picBack shows now.
    QPixmap shownPicture() const;
    // The hover and leave tracker attached to picBack.
    cMouseTrack* tracker() const { return m_cPTM; }

    // The event of a dispatch number (1 to 7), or an empty text.
    static QString eventName(int dispId);
    // The published description of a property or event, or an empty text.
    static QString description(const QString& name);

    QSize sizeHint() const override;

Q_SIGNALS:
    void Click();
    void MouseOver();
    void MouseOut();
    // Button: 1 left, 2 right, 4 middle; Shift: 1 shift, 2 control, 4 alt; x, y in pixels.
    void MouseDown(qint16 Button, qint16 Shift, float x, float y);
    void MouseUp(qint16 Button, qint16 Shift, float x, float y);
    void MouseHover();
    void DblClick();
    // Every assignment of a property, under its own name, for the host's persistence.
    void propertyChanged(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class HoverButtonPicture;

    void onMouseMove();
    void onMousePress(const QMouseEvent& event);
    void onMouseDoubleClick(const QMouseEvent& event);
    void onMouseRelease(const QMouseEvent& event);
    void onTrackerHover();
    void onTrackerLeave();
    QPixmap pictureFor(ButtonState state) const;
    void showPicture(ButtonState state);
    void setState(ButtonState state);
    void updatePointer();
    bool showsFocusFrame() const { return m_focusFrame && hasFocus(); }

    HoverButtonPicture* picBack = nullptr;
    cMouseTrack* m_cPTM = nullptr;
    QPixmap m_imageOut;
    QPixmap m_imageOver;
    QPixmap m_imageDown;
    QPixmap m_mouseIcon;
    int m_mousePointer = Default;
    quint32 m_backColor = defaultBackColor;
    ButtonState m_state = ButtonState::Out;
    bool m_mouseOver = false;     // between MouseOver and MouseOut
    bool m_leftPressed = false;   // a left press began on the button; its release may click
    bool m_doubleClicked = false; // the left button is held for the second click of a pair
    bool m_spaceDown = false;
    bool m_focusFrame = false; // focus came from the keyboard, so it is drawn
    bool m_designMode = false;
};

} // namespace zelkora::controls
