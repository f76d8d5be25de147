#pragma once

#include "controls/autosize/screenmetrics.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

class QLineEdit;

namespace zelkora::controls {
class PropertyBag;
}

namespace zelkora::controls::fitfield {

class TextMeasurer;

// Arguments of KeyDown and KeyUp. KeyCode is the virtual-key code (13 Enter, 65 A, ...);
// Shift has bit 1 Shift, 2 Ctrl, 4 Alt. A KeyDown handler that sets KeyCode to 0 keeps a
// non-character key (arrows, Delete, ...) from the field.
struct KeyCodeArgs {
    qint16 KeyCode = 0;
    qint16 Shift = 0;
};

// Argument of KeyPress: the character typed. A handler that sets it to 0 swallows the
// character; another value is typed instead.
struct KeyAsciiArgs {
    qint16 KeyAscii = 0;
};

// Arguments of the mouse events: Button bit 1 left, 2 right, 4 middle; Shift as for keys;
// X and Y in twips relative to the inner edit field.
struct MouseArgs {
    qint16 Button = 0;
    qint16 Shift = 0;
    float X = 0;
    float Y = 0;
};

} // namespace zelkora::controls::fitfield

namespace zelkora::controls {

// The library's own types under the names the control's interface has always used.
using fitfield::KeyAsciiArgs;
using fitfield::KeyCodeArgs;
using fitfield::MouseArgs;
using fitfield::ScreenMetrics;
using fitfield::TextMeasurer;

// A single-line text box whose font size is chosen so that the whole text fits, between
// MinFontSize and MaxFontSize points, inside a thin frame that can show a focus colour.
// Ordinary text-box properties pass through to the inner edit field, "Text1".
class AutoSizeTextbox : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("ClassID", "{3D01958B-72D5-11D4-832F-00A0CC271D71}")
    Q_CLASSINFO("ProgID", "Fitfield.AutoSizeTextbox")
    Q_CLASSINFO("InterfaceID", "{847DE899-C817-423F-B401-16954CC80EF6}")
    Q_CLASSINFO("EventsID", "{DC4B75C9-86CC-43F6-A25A-5F2D954E631D}")
    Q_CLASSINFO("TypeLibID", "{3D019589-72D5-11D4-832F-00A0CC271D71}")
    Q_CLASSINFO("TypeLibVersion", "15.0")
    Q_CLASSINFO("astAppearanceID", "{94AE40BC-151E-4BEF-A7FD-5310E0954CE0}")
    Q_CLASSINFO("astBorderStyleID", "{05F5C4FE-B42E-4FB6-B765-BEE5F5796DB5}")

    Q_PROPERTY(int MaxFontSize READ MaxFontSize WRITE setMaxFontSize)
    Q_PROPERTY(int MinFontSize READ MinFontSize WRITE setMinFontSize)
    Q_PROPERTY(bool MoveOnEnter READ MoveOnEnter WRITE setMoveOnEnter)
    Q_PROPERTY(bool ShowFocus READ ShowFocus WRITE setShowFocus)
    Q_PROPERTY(QColor FocusColor READ FocusColor WRITE setFocusColor)
    Q_PROPERTY(bool FocusAlwaysOn READ FocusAlwaysOn WRITE setFocusAlwaysOn)
    Q_PROPERTY(QFont Font READ Font WRITE putFont)
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QColor ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE putEnabled)
    Q_PROPERTY(astBorderStyle BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(AlignmentConstants Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(astAppearance Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(bool HideSelection READ HideSelection)
    Q_PROPERTY(QString LinkItem READ LinkItem WRITE setLinkItem)
    Q_PROPERTY(int LinkMode READ LinkMode WRITE setLinkMode)
    Q_PROPERTY(int LinkTimeout READ LinkTimeout WRITE setLinkTimeout)
    Q_PROPERTY(QString LinkTopic READ LinkTopic WRITE setLinkTopic)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(int OLEDragMode READ OLEDragMode WRITE setOLEDragMode)
    Q_PROPERTY(int OLEDropMode READ OLEDropMode WRITE setOLEDropMode)
    Q_PROPERTY(QString PasswordChar READ PasswordChar WRITE setPasswordChar)
    Q_PROPERTY(bool RightToLeft READ RightToLeft WRITE setRightToLeft)
    Q_PROPERTY(int ScrollBars READ ScrollBars)
    Q_PROPERTY(QString Text READ Text WRITE setText NOTIFY Change USER true)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText)
    Q_PROPERTY(int WhatsThisHelpID READ WhatsThisHelpID WRITE setWhatsThisHelpID)

public:
    // The names carry the host's spelling: "[Fixed Single]" and "3d" are not C++ names.
    enum astBorderStyle { None = 0, FixedSingle = 1 };
    Q_ENUM(astBorderStyle)
    enum astAppearance { Flat = 0, ThreeD = 1 };
    Q_ENUM(astAppearance)
    enum AlignmentConstants { LeftJustify = 0, RightJustify = 1, Center = 2 };
    Q_ENUM(AlignmentConstants)

    explicit AutoSizeTextbox(QWidget* parent = nullptr);
    ~AutoSizeTextbox() override;

    // Dispatch identifiers of the host interface, for hosts that bind by number: the
    // property or method name for `dispId`, empty when unknown, and back (-1 when unknown).
    static QString memberForDispId(qint32 dispId);
    static qint32 dispIdForMember(const QString& member);
    // The event name for an event dispatch identifier (1 Click ... 9 MouseUp), empty when unknown.
    static QString eventForDispId(qint32 dispId);

    // Design-time property values: the state of a new instance (the host's ambient font is
    // this widget's inherited font), loading in the host's order, and saving non-defaults.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Set by the host (Qt Designer) while the control is being designed.
    void setDesignMode(bool designMode) { m_designMode = designMode; }
    bool designMode() const { return m_designMode; }

    // Replaces the text measurement used for fitting (tests, printing hosts); null restores
    // the widget's own font metrics.
    void setTextMeasurer(std::unique_ptr<TextMeasurer> measurer);
    // Overrides the screen metrics of the layout; std::nullopt follows the widget's screen.
    void setScreenMetrics(std::optional<ScreenMetrics> metrics);
    ScreenMetrics screenMetrics() const;

    // Refits the text and re-places the inner field; runs on every text change, resize and
    // Font put.
    void UpdateTextBox();

    // The colour the frame around the field shows now.
    QColor frameColor() const;
    // The inner edit field (focus goes here; tests and accessibility find it as "Text1").
    QLineEdit* textField() const { return m_text1; }
    // The name assistive technology hears: the accessible name the host gave, else the text
    // of the label whose buddy this control is. The inner field carries the same name.
    QString accessibleLabel() const;

    // Largest and smallest point sizes fitting tries; a put below 2 stores 200 (maximum) or
    // 2 (minimum). The getters round the stored size to the nearest whole number.
    int MaxFontSize() const;
    void setMaxFontSize(int size);
    int MinFontSize() const;
    void setMinFontSize(int size);

    // Enter moves the focus to the next control instead of reaching the field.
    bool MoveOnEnter() const { return m_moveOnEnter; }
    void setMoveOnEnter(bool on);
    // The frame shows FocusColor while the field has the focus.
    bool ShowFocus() const { return m_showFocus; }
    void setShowFocus(bool on);
    QColor FocusColor() const;
    void setFocusColor(const QColor& color);
    // The frame keeps FocusColor when the focus leaves; putting it shows the colour at once.
    bool FocusAlwaysOn() const { return m_focusAlwaysOn; }
    void setFocusAlwaysOn(bool on);

    // The measuring font. Font put takes only bold, italic and face of `font` (never its size)
    // and refits; named put so as not to hide QWidget::setFont.
    QFont Font() const { return m_font; }
    void putFont(const QFont& font);

    // Colours as the host stores them (32-bit, high bit marks a system colour).
    quint32 BackColorValue() const { return m_backColor; }
    void setBackColorValue(quint32 value);
    quint32 ForeColorValue() const { return m_foreColor; }
    void setForeColorValue(quint32 value);
    quint32 FocusColorValue() const { return m_focusColor; }
    void setFocusColorValue(quint32 value);
    QColor BackColor() const;
    void setBackColor(const QColor& color);
    QColor ForeColor() const;
    void setForeColor(const QColor& color);

    // Whether the inner field takes input; named put so as not to hide QWidget::setEnabled
    // (which disables the whole control, field included).
    bool Enabled() const;
    void putEnabled(bool enabled);

    astBorderStyle BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(astBorderStyle style);
    AlignmentConstants Alignment() const { return m_alignment; }
    void setAlignment(AlignmentConstants alignment);
    astAppearance Appearance() const { return m_appearance; }
    void setAppearance(astAppearance appearance);
    // Fixed when the control was built: the selection hides when the field loses the focus,
    // and the single-line field has no scroll bars (0).
    bool HideSelection() const { return true; }
    int ScrollBars() const { return 0; }

    // Dynamic data exchange settings, kept for the host; Linux has no DDE to link to.
    QString LinkItem() const { return m_linkItem; }
    void setLinkItem(const QString& item);
    int LinkMode() const { return m_linkMode; }
    void setLinkMode(int mode);
    int LinkTimeout() const { return m_linkTimeout; }
    void setLinkTimeout(int timeout);
    QString LinkTopic() const { return m_linkTopic; }
    void setLinkTopic(const QString& topic);

    // Read-only field.
    bool Locked() const;
    void setLocked(bool locked);
    // Longest text the user may type; 0 means no limit.
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int length);
    // The cursor: MousePointer 0 default, 1 arrow, 2 cross, 3 I-beam, 11 hourglass, ...,
    // 99 MouseIcon.
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    // 0 manual or none, 1 automatic: drag of selected text, drops onto the field.
    int OLEDragMode() const { return m_oleDragMode; }
    void setOLEDragMode(int mode);
    int OLEDropMode() const { return m_oleDropMode; }
    void setOLEDropMode(int mode);
    // Non-empty hides the typed characters.
    QString PasswordChar() const { return m_passwordChar; }
    void setPasswordChar(const QString& passwordChar);
    bool RightToLeft() const { return m_rightToLeft; }
    void setRightToLeft(bool on);

    QString Text() const;
    void setText(const QString& text);
    QString ToolTipText() const;
    void setToolTipText(const QString& text);
    int WhatsThisHelpID() const { return m_whatsThisHelpID; }
    void setWhatsThisHelpID(int id);

    // Redraws the inner field.
    Q_INVOKABLE void Refresh();

Q_SIGNALS:
    // Events of the inner field. Change follows the refit of a text change.
    void Click();
    void Change();
    void DblClick();
    void KeyDown(zelkora::controls::KeyCodeArgs* args);
    void KeyPress(zelkora::controls::KeyAsciiArgs* args);
    void KeyUp(zelkora::controls::KeyCodeArgs* args);
    void MouseDown(zelkora::controls::MouseArgs* args);
    void MouseMove(zelkora::controls::MouseArgs* args);
    void MouseUp(zelkora::controls::MouseArgs* args);
    // A setter stored `name`; hosts mark their layout as changed.
    void propertyChanged(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool filterKey(QEvent* event);
    void filterMouse(QEvent* event);
    void setFrameColor(quint32 value);
    void applyFrameAfterLoad();
    void applyColors();
    void applyCursor();
    void applyMaxLength();
    void syncAccessibleName();
    void changed(const char* name);

    QLineEdit* m_text1 = nullptr;
    std::unique_ptr<TextMeasurer> m_measurer;
    std::optional<ScreenMetrics> m_metrics;

    double m_maxFontSize = 200;
    double m_minFontSize = 2;
    bool m_moveOnEnter = false;
    bool m_showFocus = false;
    quint32 m_focusColor = 0xFF;
    bool m_focusAlwaysOn = false;
    QFont m_font;        // mFont: face, bold and italic for measuring
    QFont m_surfaceFont; // the measuring font whose size fitting varies
    quint32 m_frameColor = 0x80000005u;

    quint32 m_backColor = 0x80000005u;
    quint32 m_foreColor = 0x80000008u;
    astBorderStyle m_borderStyle = FixedSingle;
    AlignmentConstants m_alignment = LeftJustify;
    astAppearance m_appearance = ThreeD;
    QString m_linkItem;
    int m_linkMode = 0;
    int m_linkTimeout = 50;
    QString m_linkTopic;
    int m_maxLength = 0;
    QPixmap m_mouseIcon;
    int m_mousePointer = 0;
    int m_oleDragMode = 0;
    int m_oleDropMode = 0;
    QString m_passwordChar;
    bool m_rightToLeft = false;
    int m_whatsThisHelpID = 0;

    bool m_designMode = false;
    bool m_pressed = false;
};

} // namespace zelkora::controls
