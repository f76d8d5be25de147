#pragma once

#include "controls/common/propertybag.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>

class QLabel;

namespace zelkora::controls {

// A picture surface with two caption lines over it, "Line1" above and "Line2" below: opaque,
// or see-through (and not clickable) where the picture has the mask colour; it can take its
// picture's size and centres its captions on the picture. It takes keyboard focus and raises
// KeyPress, MouseMove and Click to its host. Geometry that the host sees is in twips.
//
// A control constructed in code is in the "created new" state (AutoSize and AutoAdjustLabels
// on, BorderStyle FixedSingle); loadProperties() gives the state of a control loaded from a
// saved layout. Setters that can be refused return false and leave the reason in lastError().
class Vitrel : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("ClassID", "{A623C3BC-68E0-455C-AED4-8B7D5139F924}")
    Q_CLASSINFO("ProgID", "VitrelLib.Vitrel")
    Q_CLASSINFO("InterfaceID", "{EFCBCE65-87F8-49E5-98C1-F79B1D021888}")
    Q_CLASSINFO("EventsID", "{C7658AD1-C745-47AA-9CF0-8B9E6E8009A0}")
    Q_CLASSINFO("TypeLibID", "{95E3D783-6A8F-4D4A-9C29-5AE7CA7CB274}")
    Q_CLASSINFO("TypeLibName", "VitrelLib")
    Q_CLASSINFO("TypeLibVersion", "16.0")
    Q_CLASSINFO("TypeLibLocale", "0x409")
    Q_CLASSINFO("pbBackStyleID", "{F2F76709-8AB6-4783-B6E1-1BBCC1D7DE99}")
    Q_CLASSINFO("pbBorderstyleID", "{06897E86-F9DB-4C3E-86DB-B9EA76886CD6}")

    Q_PROPERTY(int ImageIndex READ imageIndex WRITE setImageIndex)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(pbBorderstyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(QPixmap MouseIcon READ mouseIcon WRITE setMouseIcon)
    Q_PROPERTY(QColor MaskColor READ maskColor WRITE setMaskColor)
    Q_PROPERTY(int MousePointer READ mousePointer WRITE setMousePointer)
    Q_PROPERTY(QPixmap Picture READ picture WRITE setPicture)
    Q_PROPERTY(QString Line1Caption READ line1Caption WRITE setLine1Caption)
    Q_PROPERTY(QColor Line1ForeColor READ line1ForeColor WRITE setLine1ForeColor)
    Q_PROPERTY(QFont Line1Font READ line1Font WRITE setLine1Font)
    Q_PROPERTY(bool Line1Visible READ line1Visible WRITE setLine1Visible)
    Q_PROPERTY(QString Line2Caption READ line2Caption WRITE setLine2Caption)
    Q_PROPERTY(QFont Line2Font READ line2Font WRITE setLine2Font)
    Q_PROPERTY(QColor Line2ForeColor READ line2ForeColor WRITE setLine2ForeColor)
    Q_PROPERTY(bool Line2Visible READ line2Visible WRITE setLine2Visible)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(pbBackStyle BackStyle READ backStyle WRITE setBackStyle)
    Q_PROPERTY(bool AutoAdjustLabels READ autoAdjustLabels WRITE setAutoAdjustLabels)

public:
    enum pbBackStyle : int { Transparent = 0, Opaque = 1 };
    Q_ENUM(pbBackStyle)
    // The members are "[No Border]" and "[Fixed Single]" to hosts that bind by name.
    enum pbBorderstyle : int { NoBorder = 0, FixedSingle = 1 };
    Q_ENUM(pbBorderstyle)

    // Colours as stored: the high bit marks a system colour index.
    static constexpr quint32 ButtonFace = 0x8000000F;
    static constexpr quint32 ButtonText = 0x80000012;

    explicit Vitrel(QWidget* parent = nullptr);
    ~Vitrel() override;

    // Design mode, as the host reports it (Designer sets it).
    void setDesignMode(bool designMode);
    bool designMode() const { return m_designMode; }

    // Why the last refusable call (a setter returning bool, loadProperties) failed; number 0
    // when it succeeded.
    const ControlError& lastError() const { return m_lastError; }

    // Reads the saved properties in their fixed order, as a control created from a saved layout:
    // the captions start at their initial positions and loading neither resizes the control
    // nor lays the captions out. Returns false when a saved value was refused (see lastError).
    bool loadProperties(const PropertyBag& bag);
    // Writes every property that differs from its default, in the same order as loading.
    void saveProperties(PropertyBag& bag) const;

    int imageIndex() const { return m_imageIndex; }
    // A design-time value: it may be set while the control is being loaded, that is until it is
    // first shown (as a form's setup code does), in design mode and by loadProperties. Once
    // shown at run time it is refused with 382; outside the 16-bit range with 6.
    bool setImageIndex(int imageIndex);

    pbBorderstyle borderStyle() const { return m_borderStyle; }
    bool setBorderStyle(pbBorderstyle style);

    QPixmap mouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);

    // The see-through colour, resolved against the palette when it is a system colour.
    QColor maskColor() const;
    quint32 maskColorOle() const { return m_maskColor; }
    void setMaskColor(const QColor& color);
    void setMaskColorOle(quint32 color);

    int mousePointer() const { return m_mousePointer; }
    // 0 default, 1..15 the standard pointers, 99 MouseIcon; anything else is refused with 380.
    bool setMousePointer(int pointer);

    QPixmap picture() const { return m_picture; }
    // Shows `picture`, masks it, and resizes / lays out as AutoSize and AutoAdjustLabels say.
    void setPicture(const QPixmap& picture);
    void setPicture(const QImage& picture);

    QString line1Caption() const { return caption(0); }
    void setLine1Caption(const QString& text) { setCaption(0, text); }
    QColor line1ForeColor() const { return foreColor(0); }
    quint32 line1ForeColorOle() const { return m_foreColor[0]; }
    void setLine1ForeColor(const QColor& color) { setForeColorOle(0, oleFromColor(color)); }
    void setLine1ForeColorOle(quint32 color) { setForeColorOle(0, color); }
    QFont line1Font() const { return captionFont(0); }
    void setLine1Font(const QFont& font) { setCaptionFont(0, font); }
    bool line1Visible() const { return captionVisible(0); }
    void setLine1Visible(bool visible) { setCaptionVisible(0, visible); }

    QString line2Caption() const { return caption(1); }
    void setLine2Caption(const QString& text) { setCaption(1, text); }
    QColor line2ForeColor() const { return foreColor(1); }
    quint32 line2ForeColorOle() const { return m_foreColor[1]; }
    void setLine2ForeColor(const QColor& color) { setForeColorOle(1, oleFromColor(color)); }
    void setLine2ForeColorOle(quint32 color) { setForeColorOle(1, color); }
    QFont line2Font() const { return captionFont(1); }
    void setLine2Font(const QFont& font) { setCaptionFont(1, font); }
    bool line2Visible() const { return captionVisible(1); }
    void setLine2Visible(bool visible) { setCaptionVisible(1, visible); }

    // Only store the flag; they act on the next picture assignment.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    bool autoAdjustLabels() const { return m_autoAdjustLabels; }
    void setAutoAdjustLabels(bool autoAdjust);

    pbBackStyle backStyle() const { return m_backStyle; }
    bool setBackStyle(pbBackStyle style);

    // Where a caption line (0 or 1) stands inside the control, in twips.
    QPoint captionPosition(int line) const { return m_captionTwips.at(line); }
    // The visible caption lines, as a screen reader announces the control.
    QString accessibleCaption() const;

    QSize sizeHint() const override;

    // Hosts that bind by number: the property of a dispatch identifier of the default
    // interface (0x68030000 + n), and back; the event of an event identifier (1..3).
    static QString propertyForDispatchId(qint32 dispatchId);
    static std::optional<qint32> dispatchIdOf(const QString& property);
    static QString eventForDispatchId(qint32 dispatchId);

Q_SIGNALS:
    // A character key while the control has the focus; Enter arrives as 13.
    void KeyPress(qint16* KeyAscii);
    // The mouse moved over the surface or a caption. Button: bit 1 left, 2 right, 4 middle;
    // Shift: 1 Shift, 2 Ctrl, 4 Alt; X, Y in twips relative to the element under the mouse.
    void MouseMove(qint16* Button, qint16* Shift, float* X, float* Y);
    // The surface or a caption was clicked (or pressed through assistive technology).
    void Click();
    void focusGained();
    void focusLost();
    // A property changed through its setter, so the host can save it.
    void propertyChanged(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class VitrelAccessible;
    enum class Element { None, Surface, Line1, Line2 };

    QString caption(int line) const;
    void setCaption(int line, const QString& text);
    QColor foreColor(int line) const;
    void setForeColorOle(int line, quint32 color);
    QFont captionFont(int line) const;
    void setCaptionFont(int line, const QFont& font);
    bool captionVisible(int line) const;
    void setCaptionVisible(int line, bool visible);

    void runAdjustLabels();
    void resetCaptionPositions();
    void placeCaptions();
    void fitCaption(int line);
    void applyForeColor(int line);
    void applyCursor();
    void updatePictureRegion();
    void updateSurfaceMask();
    bool surfaceContains(const QPoint& pos) const;
    void raiseMouseMove(const QMouseEvent& event, const QPointF& origin);
    void press() { Q_EMIT Click(); }
    bool fail(int number, const QString& description);
    void succeed() { m_lastError = {}; }
    void notifyChanged(const QString& name);
    void notifyNameChanged();

    QLabel* m_picture1 = nullptr;
    std::array<QLabel*, 2> m_label{};
    std::array<QPoint, 2> m_captionTwips;
    std::array<quint32, 2> m_foreColor{ButtonText, ButtonText};
    QPixmap m_picture;
    QPixmap m_mouseIcon;
    QRegion m_pictureRegion; // in logical pixels, origin at the picture's top-left corner
    quint32 m_maskColor = ButtonFace;
    int m_mousePointer = 0;
    pbBorderstyle m_borderStyle = FixedSingle;
    pbBackStyle m_backStyle = Transparent;
    bool m_autoSize = true;
    bool m_autoAdjustLabels = true;
    qint16 m_imageIndex = 0;
    bool m_designMode = false;
    bool m_loading = false;
    bool m_shown = false; // shown at least once: loading is over
    bool m_ownEnabled = true;
    Element m_pressed = Element::None;
    ControlError m_lastError;
};

} // namespace zelkora::controls
