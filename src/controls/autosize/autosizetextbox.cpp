#include "controls/autosize/autosizetextbox.h"

#include "controls/autosize/autosizeaccessible.h"
#include "controls/autosize/fitfont.h"
#include "controls/autosize/textmeasurer.h"
#include "controls/common/bagvalues.h"
#include "controls/common/eventcodes.h"
#include "controls/common/mousepointer.h"
#include "controls/common/propertybag.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <array>

namespace zelkora::controls {

using fitfield::BorderAllowance;
using fitfield::FitFont;
using fitfield::FitResult;
using fitfield::FontMetricsMeasurer;
using fitfield::layoutTextBox;
using fitfield::TextBoxLayout;

namespace {

constexpr qint32 kPropertyBase = 0x68030000;
constexpr qint32 kRefreshDispId = 0x6003001E;
constexpr quint32 kWindowBackground = 0x80000005u;
constexpr quint32 kWindowText = 0x80000008u;
constexpr quint32 kRed = 0xFFu;

struct DispEntry {
    qint32 number;
    const char* name;
};

// Property numbers of the host interface; the dispatch identifier is the base plus the number.
constexpr std::array<DispEntry, 30> kMembers{{
    {0, "FocusColor"},    {1, "FocusAlwaysOn"}, {2, "ShowFocus"},    {3, "MoveOnEnter"},
    {4, "Font"},          {5, "MinFontSize"},   {6, "MaxFontSize"},  {7, "WhatsThisHelpID"},
    {8, "ToolTipText"},   {9, "Text"},          {10, "ScrollBars"},  {11, "RightToLeft"},
    {12, "PasswordChar"}, {13, "OLEDropMode"},  {14, "OLEDragMode"}, {15, "MousePointer"},
    {16, "MouseIcon"},    {17, "MaxLength"},    {18, "Locked"},      {19, "LinkTopic"},
    {20, "LinkTimeout"},  {21, "LinkMode"},     {22, "LinkItem"},    {23, "HideSelection"},
    {24, "Appearance"},   {25, "Alignment"},    {26, "BorderStyle"}, {27, "Enabled"},
    {28, "ForeColor"},    {29, "BackColor"},
}};

constexpr std::array<const char*, 9> kEvents{{"Click", "Change", "DblClick", "KeyDown", "KeyPress",
                                              "KeyUp", "MouseDown", "MouseMove", "MouseUp"}};

int roundToWhole(double value) {
    return static_cast<int>(std::nearbyint(value));
}

// The virtual-key code a host expects for a Qt key, 0 for keys without one.
qint16 keyCodeFor(const QKeyEvent& key) {
    const int k = key.key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return static_cast<qint16>(key.modifiers() & Qt::KeypadModifier ? 96 + (k - Qt::Key_0) : k);
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return static_cast<qint16>(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return static_cast<qint16>(112 + (k - Qt::Key_F1));
    switch (k) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Menu:
        return 93;
    default:
        return 0;
    }
}

QString stripMnemonic(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&'))
            text.remove(i, 1); // "&&" keeps the second ampersand
    }
    return text;
}

} // namespace

AutoSizeTextbox::AutoSizeTextbox(QWidget* parent)
    : QWidget(parent)
    , m_text1(new QLineEdit(this))
    , m_measurer(std::make_unique<FontMetricsMeasurer>(this)) {
    installAutoSizeTextboxAccessibility();

    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setMouseTracking(true);
    m_text1->installEventFilter(this);
    setFocusProxy(m_text1);
    setFocusPolicy(m_text1->focusPolicy());

    // The fit comes first, so a Change handler already sees the new size.
    connect(m_text1, &QLineEdit::textChanged, this, [this] {
        UpdateTextBox();
        Q_EMIT Change();
    });

    m_text1->setFrame(m_borderStyle == FixedSingle);
    m_text1->setAcceptDrops(false);
    applyColors();
    applyMaxLength();
    InitProperties();
    resize(screenMetrics().toPixelsX(2400), screenMetrics().toPixelsY(600));
}

AutoSizeTextbox::~AutoSizeTextbox() = default;

QString AutoSizeTextbox::memberForDispId(qint32 dispId) {
    if (dispId == kRefreshDispId)
        return QStringLiteral("Refresh");
    for (const auto& entry : kMembers) {
        if (kPropertyBase + entry.number == dispId)
            return QString::fromLatin1(entry.name);
    }
    return {};
}

qint32 AutoSizeTextbox::dispIdForMember(const QString& member) {
    if (member == QLatin1String("Refresh"))
        return kRefreshDispId;
    for (const auto& entry : kMembers) {
        if (member == QLatin1String(entry.name))
            return kPropertyBase + entry.number;
    }
    return -1;
}

QString AutoSizeTextbox::eventForDispId(qint32 dispId) {
    if (dispId < 1 || dispId > static_cast<qint32>(kEvents.size()))
        return {};
    return QString::fromLatin1(kEvents[static_cast<std::size_t>(dispId - 1)]);
}

void AutoSizeTextbox::InitProperties() {
    m_maxFontSize = 200;
    m_minFontSize = 2;
    m_moveOnEnter = false;
    m_showFocus = false;
    m_focusColor = kRed;
    m_focusAlwaysOn = false;
    m_font = QWidget::font();
    m_surfaceFont = m_font;
    applyFrameAfterLoad();
}

void AutoSizeTextbox::ReadProperties(const PropertyBag& bag) {
    // The size range is taken as stored, without the setters' corrections.
    m_maxFontSize = bag.read(QStringLiteral("MaxFontSize"), 200.0).toDouble();
    m_minFontSize = bag.read(QStringLiteral("MinFontSize"), 2.0).toDouble();
    m_moveOnEnter = bag.read(QStringLiteral("MoveOnEnter"), false).toBool();
    m_showFocus = bag.read(QStringLiteral("ShowFocus"), false).toBool();
    m_focusColor = oleColorFrom(bag.read(QStringLiteral("FocusColor"), kRed), kRed);
    m_focusAlwaysOn = bag.read(QStringLiteral("FocusAlwaysOn"), false).toBool();
    const QVariant font = bag.read(QStringLiteral("Font"), QWidget::font());
    m_font = font.canConvert<QFont>() ? font.value<QFont>() : QWidget::font();
    m_surfaceFont = m_font;
    m_text1->setText(bag.read(QStringLiteral("Text"), QString()).toString());

    m_backColor =
        oleColorFrom(bag.read(QStringLiteral("BackColor"), kWindowBackground), kWindowBackground);
    m_foreColor = oleColorFrom(bag.read(QStringLiteral("ForeColor"), kWindowText), kWindowText);
    applyColors();
    m_text1->setEnabled(bag.read(QStringLiteral("Enabled"), true).toBool());
    m_borderStyle = bag.read(QStringLiteral("BorderStyle"), 1).toInt() == 0 ? None : FixedSingle;
    m_text1->setFrame(m_borderStyle == FixedSingle);
    const int alignment = bag.read(QStringLiteral("Alignment"), 0).toInt();
    setAlignment(alignment == 1 ? RightJustify : alignment == 2 ? Center : LeftJustify);
    m_appearance = bag.read(QStringLiteral("Appearance"), 1).toInt() == 0 ? Flat : ThreeD;
    m_linkItem = bag.read(QStringLiteral("LinkItem"), QString()).toString();
    m_linkMode = bag.read(QStringLiteral("LinkMode"), 0).toInt();
    m_linkTimeout = bag.read(QStringLiteral("LinkTimeout"), 50).toInt();
    m_linkTopic = bag.read(QStringLiteral("LinkTopic"), QString()).toString();
    m_text1->setReadOnly(bag.read(QStringLiteral("Locked"), false).toBool());
    m_maxLength = bag.read(QStringLiteral("MaxLength"), 0).toInt();
    applyMaxLength();
    m_mouseIcon = pictureFrom(bag.read(QStringLiteral("MouseIcon"), QVariant()));
    m_mousePointer = bag.read(QStringLiteral("MousePointer"), 0).toInt();
    applyCursor();
    m_oleDragMode = bag.read(QStringLiteral("OLEDragMode"), 0).toInt();
    m_text1->setDragEnabled(m_oleDragMode == 1);
    m_oleDropMode = bag.read(QStringLiteral("OLEDropMode"), 0).toInt();
    m_text1->setAcceptDrops(m_oleDropMode == 2);
    m_passwordChar = bag.read(QStringLiteral("PasswordChar"), QString()).toString();
    m_text1->setEchoMode(m_passwordChar.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
    m_rightToLeft = bag.read(QStringLiteral("RightToLeft"), false).toBool();
    m_text1->setLayoutDirection(m_rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    m_text1->setToolTip(bag.read(QStringLiteral("ToolTipText"), QString()).toString());
    m_whatsThisHelpID = bag.read(QStringLiteral("WhatsThisHelpID"), 0).toInt();
    applyFrameAfterLoad();
    syncAccessibleName();
}

void AutoSizeTextbox::WriteProperties(PropertyBag& bag) const {
    bag.write(QStringLiteral("MaxFontSize"), m_maxFontSize, 200.0);
    bag.write(QStringLiteral("MinFontSize"), m_minFontSize, 2.0);
    bag.write(QStringLiteral("MoveOnEnter"), m_moveOnEnter, false);
    bag.write(QStringLiteral("ShowFocus"), m_showFocus, false);
    bag.write(QStringLiteral("FocusColor"), m_focusColor, kRed);
    bag.write(QStringLiteral("FocusAlwaysOn"), m_focusAlwaysOn, false);
    bag.write(QStringLiteral("Font"), m_font, QWidget::font());
    bag.write(QStringLiteral("BackColor"), m_backColor, kWindowBackground);
    bag.write(QStringLiteral("ForeColor"), m_foreColor, kWindowText);
    bag.write(QStringLiteral("Enabled"), Enabled(), true);
    bag.write(QStringLiteral("BorderStyle"), static_cast<int>(m_borderStyle), 1);
    bag.write(QStringLiteral("Alignment"), static_cast<int>(m_alignment), 0);
    bag.write(QStringLiteral("Appearance"), static_cast<int>(m_appearance), 1);
    bag.write(QStringLiteral("LinkItem"), m_linkItem, QString());
    bag.write(QStringLiteral("LinkMode"), m_linkMode, 0);
    bag.write(QStringLiteral("LinkTimeout"), m_linkTimeout, 50);
    bag.write(QStringLiteral("LinkTopic"), m_linkTopic, QString());
    bag.write(QStringLiteral("Locked"), Locked(), false);
    bag.write(QStringLiteral("MaxLength"), m_maxLength, 0);
    // A picture has no equality; "none" is simply not written.
    bag.write(QStringLiteral("MouseIcon"), pictureValue(m_mouseIcon), QVariant());
    bag.write(QStringLiteral("MousePointer"), m_mousePointer, 0);
    bag.write(QStringLiteral("OLEDragMode"), m_oleDragMode, 0);
    bag.write(QStringLiteral("OLEDropMode"), m_oleDropMode, 0);
    bag.write(QStringLiteral("PasswordChar"), m_passwordChar, QString());
    bag.write(QStringLiteral("RightToLeft"), m_rightToLeft, false);
    bag.write(QStringLiteral("Text"), Text(), QString());
    bag.write(QStringLiteral("ToolTipText"), ToolTipText(), QString());
    bag.write(QStringLiteral("WhatsThisHelpID"), m_whatsThisHelpID, 0);
}

void AutoSizeTextbox::setTextMeasurer(std::unique_ptr<TextMeasurer> measurer) {
    m_measurer = measurer ? std::move(measurer) : std::make_unique<FontMetricsMeasurer>(this);
}

void AutoSizeTextbox::setScreenMetrics(std::optional<ScreenMetrics> metrics) {
    m_metrics = metrics;
}

ScreenMetrics AutoSizeTextbox::screenMetrics() const {
    return m_metrics ? *m_metrics : ScreenMetrics::forWidget(*this);
}

void AutoSizeTextbox::UpdateTextBox() {
    const ScreenMetrics metrics = screenMetrics();
    const int allowance = BorderAllowance(metrics, m_appearance == ThreeD,
                                          m_borderStyle == FixedSingle, ScrollBars() != 0);
    const TextBoxLayout layout =
        layoutTextBox(metrics.toTwipsX(width()), metrics.toTwipsY(height()), allowance);

    // Qt leaves the family of a default font empty, meaning the default face; name it so the
    // fit runs rather than treating the font as faceless.
    QString face = m_surfaceFont.family();
    if (face.isEmpty())
        face = QFontInfo(m_surfaceFont).family();

    const FitResult fit =
        FitFont(m_text1->text(), face, m_minFontSize, m_maxFontSize, layout.availableWidth,
                layout.availableHeight, m_surfaceFont, *m_measurer);
    if (fit.applies()) {
        QFont fieldFont = m_text1->font();
        fieldFont.setFamily(m_surfaceFont.family());
        fieldFont.setPointSizeF(fit.grantedSize);
        fieldFont.setBold(m_surfaceFont.bold());
        fieldFont.setItalic(m_surfaceFont.italic());
        m_text1->setFont(fieldFont);
    }
    // Qt redraws on a font or geometry change, so the field is placed once, 15 twips in.
    m_text1->setGeometry(metrics.toPixelsX(15), metrics.toPixelsY(15),
                         std::max(0, metrics.toPixelsX(layout.fieldWidth)),
                         std::max(0, metrics.toPixelsY(layout.fieldHeight)));
}

QColor AutoSizeTextbox::frameColor() const {
    return colorFromOle(m_frameColor);
}

QString AutoSizeTextbox::accessibleLabel() const {
    if (!accessibleName().isEmpty())
        return accessibleName();
    if (const QWidget* parent = parentWidget()) {
        for (const QObject* child : parent->children()) {
            const auto* label = qobject_cast<const QLabel*>(child);
            if (label && label->buddy() == this)
                return stripMnemonic(label->text());
        }
    }
    return {};
}

int AutoSizeTextbox::MaxFontSize() const {
    return roundToWhole(m_maxFontSize);
}

void AutoSizeTextbox::setMaxFontSize(int size) {
    m_maxFontSize = size < 2 ? 200 : size;
    changed("MaxFontSize");
}

int AutoSizeTextbox::MinFontSize() const {
    return roundToWhole(m_minFontSize);
}

void AutoSizeTextbox::setMinFontSize(int size) {
    m_minFontSize = size < 2 ? 2 : size;
    changed("MinFontSize");
}

void AutoSizeTextbox::setMoveOnEnter(bool on) {
    m_moveOnEnter = on;
    changed("MoveOnEnter");
}

void AutoSizeTextbox::setShowFocus(bool on) {
    m_showFocus = on;
    changed("ShowFocus");
}

QColor AutoSizeTextbox::FocusColor() const {
    return colorFromOle(m_focusColor);
}

void AutoSizeTextbox::setFocusColor(const QColor& color) {
    setFocusColorValue(oleFromColor(color));
}

void AutoSizeTextbox::setFocusColorValue(quint32 value) {
    m_focusColor = value;
    changed("FocusColor");
}

void AutoSizeTextbox::setFocusAlwaysOn(bool on) {
    m_focusAlwaysOn = on;
    setFrameColor(on ? m_focusColor : m_backColor);
    changed("FocusAlwaysOn");
}

void AutoSizeTextbox::putFont(const QFont& font) {
    m_font.setBold(font.bold());
    m_font.setItalic(font.italic());
    m_font.setFamily(font.family());
    changed("Font");
    m_surfaceFont = m_font;
    UpdateTextBox();
}

void AutoSizeTextbox::setBackColorValue(quint32 value) {
    m_backColor = value;
    applyColors();
    changed("BackColor");
}

void AutoSizeTextbox::setForeColorValue(quint32 value) {
    m_foreColor = value;
    applyColors();
    changed("ForeColor");
}

QColor AutoSizeTextbox::BackColor() const {
    return colorFromOle(m_backColor);
}

void AutoSizeTextbox::setBackColor(const QColor& color) {
    setBackColorValue(oleFromColor(color));
}

QColor AutoSizeTextbox::ForeColor() const {
    return colorFromOle(m_foreColor);
}

void AutoSizeTextbox::setForeColor(const QColor& color) {
    setForeColorValue(oleFromColor(color));
}

bool AutoSizeTextbox::Enabled() const {
    // The field's own flag, whatever the host did to the control or the window around it.
    return !m_text1->testAttribute(Qt::WA_ForceDisabled);
}

void AutoSizeTextbox::putEnabled(bool enabled) {
    m_text1->setEnabled(enabled);
    changed("Enabled");
}

void AutoSizeTextbox::setBorderStyle(astBorderStyle style) {
    m_borderStyle = style == None ? None : FixedSingle;
    m_text1->setFrame(m_borderStyle == FixedSingle);
    changed("BorderStyle");
}

void AutoSizeTextbox::setAlignment(AlignmentConstants alignment) {
    m_alignment = alignment;
    const Qt::Alignment horizontal = alignment == RightJustify ? Qt::AlignRight
                                     : alignment == Center     ? Qt::AlignHCenter
                                                               : Qt::AlignLeft;
    m_text1->setAlignment(horizontal | Qt::AlignVCenter);
    changed("Alignment");
}

void AutoSizeTextbox::setAppearance(astAppearance appearance) {
    m_appearance = appearance == Flat ? Flat : ThreeD;
    changed("Appearance");
}

void AutoSizeTextbox::setLinkItem(const QString& item) {
    m_linkItem = item;
    changed("LinkItem");
}

void AutoSizeTextbox::setLinkMode(int mode) {
    m_linkMode = mode;
    changed("LinkMode");
}

void AutoSizeTextbox::setLinkTimeout(int timeout) {
    m_linkTimeout = timeout;
    changed("LinkTimeout");
}

void AutoSizeTextbox::setLinkTopic(const QString& topic) {
    m_linkTopic = topic;
    changed("LinkTopic");
}

bool AutoSizeTextbox::Locked() const {
    return m_text1->isReadOnly();
}

void AutoSizeTextbox::setLocked(bool locked) {
    m_text1->setReadOnly(locked);
    changed("Locked");
}

void AutoSizeTextbox::setMaxLength(int length) {
    m_maxLength = length;
    applyMaxLength();
    changed("MaxLength");
}

void AutoSizeTextbox::setMouseIcon(const QPixmap& icon) {
    m_mouseIcon = icon;
    applyCursor();
    changed("MouseIcon");
}

void AutoSizeTextbox::setMousePointer(int pointer) {
    m_mousePointer = pointer;
    applyCursor();
    changed("MousePointer");
}

void AutoSizeTextbox::setOLEDragMode(int mode) {
    m_oleDragMode = mode;
    m_text1->setDragEnabled(mode == 1);
    changed("OLEDragMode");
}

void AutoSizeTextbox::setOLEDropMode(int mode) {
    m_oleDropMode = mode;
    // Only automatic dropping is possible here: there are no drag-and-drop events for a
    // manual host to decide with.
    m_text1->setAcceptDrops(mode == 2);
    changed("OLEDropMode");
}

void AutoSizeTextbox::setPasswordChar(const QString& passwordChar) {
    m_passwordChar = passwordChar;
    m_text1->setEchoMode(passwordChar.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
    changed("PasswordChar");
}

void AutoSizeTextbox::setRightToLeft(bool on) {
    m_rightToLeft = on;
    m_text1->setLayoutDirection(on ? Qt::RightToLeft : Qt::LeftToRight);
    changed("RightToLeft");
}

QString AutoSizeTextbox::Text() const {
    return m_text1->text();
}

void AutoSizeTextbox::setText(const QString& text) {
    m_text1->setText(text);
    changed("Text");
}

QString AutoSizeTextbox::ToolTipText() const {
    return m_text1->toolTip();
}

void AutoSizeTextbox::setToolTipText(const QString& text) {
    m_text1->setToolTip(text);
    changed("ToolTipText");
}

void AutoSizeTextbox::setWhatsThisHelpID(int id) {
    m_whatsThisHelpID = id;
    changed("WhatsThisHelpID");
}

void AutoSizeTextbox::Refresh() {
    m_text1->update();
}

bool AutoSizeTextbox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_text1)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return filterKey(event);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        filterMouse(event);
        return false;
    case QEvent::FocusIn:
        syncAccessibleName();
        if (m_showFocus)
            setFrameColor(m_focusColor);
        return false;
    case QEvent::FocusOut:
        if (m_showFocus && !m_focusAlwaysOn)
            setFrameColor(m_backColor);
        return false;
    default:
        return false;
    }
}

bool AutoSizeTextbox::filterKey(QEvent* event) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // Tab belongs to focus navigation, not to the field's key events.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;

    const QPointer<AutoSizeTextbox> alive(this);
    KeyCodeArgs codes{keyCodeFor(*key), shiftCode(key->modifiers())};
    const qint16 originalCode = codes.KeyCode;

    if (event->type() == QEvent::KeyRelease) {
        if (key->isAutoRepeat())
            return false;
        Q_EMIT KeyUp(&codes);
        return !alive;
    }

    if (m_moveOnEnter && codes.KeyCode == 13) {
        focusNextPrevChild(true); // as the Tab keystroke the host's tab order follows
        codes.KeyCode = 0;
    }
    Q_EMIT KeyDown(&codes);
    if (!alive)
        return true;

    const QString typed = key->text();
    if (typed.size() != 1 || typed.at(0).unicode() == 0x7F) {
        // No character: the key reaches the field unless KeyDown cleared its code.
        return originalCode != 0 && codes.KeyCode == 0;
    }

    KeyAsciiArgs character{static_cast<qint16>(typed.at(0).unicode())};
    const qint16 originalCharacter = character.KeyAscii;
    if (m_moveOnEnter && character.KeyAscii == 13)
        character.KeyAscii = 0;
    Q_EMIT KeyPress(&character);
    if (!alive)
        return true;
    if (character.KeyAscii == 0)
        return true;
    if (character.KeyAscii != originalCharacter) {
        const QChar replacement(static_cast<char16_t>(static_cast<quint16>(character.KeyAscii)));
        if (replacement.isPrint() && !m_text1->isReadOnly())
            m_text1->insert(QString(replacement));
        return true;
    }
    return false;
}

void AutoSizeTextbox::filterMouse(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const ScreenMetrics metrics = screenMetrics();
    const QPointF at = mouse->position();
    const qint16 shift = shiftCode(mouse->modifiers());
    const Qt::MouseButtons buttons =
        event->type() == QEvent::MouseMove ? mouse->buttons() : Qt::MouseButtons(mouse->button());
    MouseArgs args{buttonCode(buttons), shift, static_cast<float>(metrics.toTwipsX(at.x())),
                   static_cast<float>(metrics.toTwipsY(at.y()))};

    const QPointer<AutoSizeTextbox> alive(this);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressed = mouse->button() == Qt::LeftButton;
        Q_EMIT MouseDown(&args);
        break;
    case QEvent::MouseButtonRelease: {
        const bool click = m_pressed && mouse->button() == Qt::LeftButton &&
                           m_text1->rect().contains(at.toPoint());
        m_pressed = false;
        Q_EMIT MouseUp(&args);
        if (click && alive)
            Q_EMIT Click();
        break;
    }
    case QEvent::MouseButtonDblClick:
        Q_EMIT DblClick();
        break;
    default:
        Q_EMIT MouseMove(&args);
        break;
    }
}

void AutoSizeTextbox::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event)
    QPainter painter(this);
    painter.fillRect(rect(), colorFromOle(m_frameColor));
}

void AutoSizeTextbox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateTextBox();
}

void AutoSizeTextbox::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    syncAccessibleName();
}

void AutoSizeTextbox::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // System colours follow the palette.
    if (event->type() == QEvent::PaletteChange)
        applyColors();
}

void AutoSizeTextbox::setFrameColor(quint32 value) {
    m_frameColor = value;
    update();
}

void AutoSizeTextbox::applyFrameAfterLoad() {
    setFrameColor(m_focusAlwaysOn && m_showFocus ? m_focusColor : m_backColor);
}

void AutoSizeTextbox::applyColors() {
    QPalette palette = m_text1->palette();
    const QColor back = colorFromOle(m_backColor);
    const QColor fore = colorFromOle(m_foreColor);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, back);
    // A disabled field keeps its background but greys its text, as text boxes do.
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Text, fore);
    m_text1->setPalette(palette);
    update();
}

void AutoSizeTextbox::applyCursor() {
    // The field takes any number: codes that name no pointer, and 99 without an icon, show
    // the arrow rather than the field's I-beam.
    if (m_mousePointer == DefaultMousePointer)
        m_text1->unsetCursor();
    else
        m_text1->setCursor(
            pointerCursor(m_mousePointer, m_mouseIcon).value_or(QCursor(Qt::ArrowCursor)));
}

void AutoSizeTextbox::applyMaxLength() {
    constexpr int kQtLimit = 32767;
    m_text1->setMaxLength(m_maxLength <= 0 ? kQtLimit : std::min(m_maxLength, kQtLimit));
}

void AutoSizeTextbox::syncAccessibleName() {
    const QString name = accessibleLabel();
    if (m_text1->accessibleName() != name)
        m_text1->setAccessibleName(name);
    if (m_text1->accessibleDescription() != accessibleDescription())
        m_text1->setAccessibleDescription(accessibleDescription());
}

void AutoSizeTextbox::changed(const char* name) {
    Q_EMIT propertyChanged(QString::fromLatin1(name));
}

} // namespace zelkora::controls
