#include "controls/picturebox/vitrel.h"

#include "controls/common/accessiblefactory.h"
#include "controls/common/bagvalues.h"
#include "controls/common/eventcodes.h"
#include "controls/common/mousepointer.h"
#include "controls/common/twips.h"
#include "controls/picturebox/captionlayout.h"
#include "controls/picturebox/surfacemask.h"
#include "controls/picturebox/vitrelaccessible.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTransform>
#include <limits>

namespace zelkora::controls {

namespace {

// Where the captions stand before any layout runs, in twips.
constexpr std::array<QPoint, 2> InitialCaptionTwips{QPoint(750, 293), QPoint(750, 1133)};
// A new control without a picture is this big, in twips.
constexpr int PlaceholderTwips = 1500;
constexpr int RunTimeOnlyError = 382;
constexpr int InvalidValueError = 380;
constexpr int OverflowError = 6;

QString defaultCaption(int line) {
    return line == 0 ? QStringLiteral("Line1") : QStringLiteral("Line2");
}

QString prefixed(int line, const char* property) {
    return (line == 0 ? QStringLiteral("Line1") : QStringLiteral("Line2")) +
           QLatin1String(property);
}

// A caption: sizes itself to its text whenever its font changes, including the host's font
// reaching it by inheritance.
class CaptionLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void changeEvent(QEvent* event) override {
        QLabel::changeEvent(event);
        if (event->type() == QEvent::FontChange)
            adjustSize();
    }
};

struct DispatchEntry {
    qint32 number;
    const char* property;
};

// Numbers of the default interface; the dispatch identifier is 0x68030000 plus the number.
constexpr std::array<DispatchEntry, 18> DispatchTable{{
    {17, "ImageIndex"},
    {16, "Enabled"},
    {15, "BorderStyle"},
    {14, "MouseIcon"},
    {13, "MaskColor"},
    {12, "MousePointer"},
    {11, "Picture"},
    {10, "Line1Caption"},
    {9, "Line1ForeColor"},
    {8, "Line1Font"},
    {7, "Line1Visible"},
    {6, "Line2Caption"},
    {5, "Line2Font"},
    {4, "Line2ForeColor"},
    {3, "Line2Visible"},
    {2, "AutoSize"},
    {1, "BackStyle"},
    {0, "AutoAdjustLabels"},
}};
constexpr qint32 DispatchBase = 0x68030000;

} // namespace

Vitrel::Vitrel(QWidget* parent)
    : QWidget(parent)
    , m_captionTwips(InitialCaptionTwips) {
    installAccessibleFactory<Vitrel, VitrelAccessible>();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    // Measures the picture's natural size; never shown.
    m_picture1 = new QLabel(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->hide();

    for (int line = 0; line < 2; ++line) {
        auto* label = new CaptionLabel(defaultCaption(line), this);
        label->setObjectName(line == 0 ? QStringLiteral("Label1") : QStringLiteral("Label2"));
        // Captions come from settings: never interpret them as markup.
        label->setTextFormat(Qt::PlainText);
        label->setMargin(0);
        label->setMouseTracking(true);
        m_label.at(static_cast<std::size_t>(line)) = label;
        applyForeColor(line);
        fitCaption(line);
    }
    for (QLabel* label : m_label)
        label->installEventFilter(this);
    setContentsMargins(1, 1, 1, 1);
    resize(sizeHint());
    placeCaptions();
    updateSurfaceMask();
}

Vitrel::~Vitrel() = default;

void Vitrel::setDesignMode(bool designMode) {
    m_designMode = designMode;
    updateSurfaceMask();
    update();
}

bool Vitrel::fail(int number, const QString& description) {
    m_lastError = {number, description};
    return false;
}

void Vitrel::notifyChanged(const QString& name) {
    if (!m_loading)
        Q_EMIT propertyChanged(name);
}

void Vitrel::notifyNameChanged() {
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

// ---- Properties held by the control itself

bool Vitrel::setImageIndex(int imageIndex) {
    if (imageIndex < std::numeric_limits<qint16>::min() ||
        imageIndex > std::numeric_limits<qint16>::max())
        return fail(OverflowError, QStringLiteral("Overflow"));
    // The host's layout (a form's setup code) sets design-time values before the first show.
    if (m_shown && !m_designMode && !m_loading)
        return fail(RunTimeOnlyError, QStringLiteral("Let/Set not supported at run time."));
    m_imageIndex = static_cast<qint16>(imageIndex);
    succeed();
    notifyChanged(QStringLiteral("ImageIndex"));
    return true;
}

void Vitrel::setAutoSize(bool autoSize) {
    m_autoSize = autoSize;
    notifyChanged(QStringLiteral("AutoSize"));
}

void Vitrel::setAutoAdjustLabels(bool autoAdjust) {
    m_autoAdjustLabels = autoAdjust;
    notifyChanged(QStringLiteral("AutoAdjustLabels"));
}

// ---- Surface

bool Vitrel::setBorderStyle(pbBorderstyle style) {
    if (style != NoBorder && style != FixedSingle)
        return fail(InvalidValueError, QStringLiteral("Invalid property value"));
    m_borderStyle = style;
    const int border = style == FixedSingle ? 1 : 0;
    setContentsMargins(border, border, border, border);
    placeCaptions(); // same twips, new client origin
    updateSurfaceMask();
    update();
    succeed();
    notifyChanged(QStringLiteral("BorderStyle"));
    return true;
}

bool Vitrel::setBackStyle(pbBackStyle style) {
    if (style != Transparent && style != Opaque)
        return fail(InvalidValueError, QStringLiteral("Invalid property value"));
    m_backStyle = style;
    updateSurfaceMask();
    update();
    succeed();
    notifyChanged(QStringLiteral("BackStyle"));
    return true;
}

void Vitrel::setMouseIcon(const QPixmap& icon) {
    m_mouseIcon = icon;
    applyCursor();
    notifyChanged(QStringLiteral("MouseIcon"));
}

bool Vitrel::setMousePointer(int pointer) {
    if (!isMousePointerCode(pointer))
        return fail(InvalidValueError, QStringLiteral("Invalid property value"));
    m_mousePointer = pointer;
    applyCursor();
    succeed();
    notifyChanged(QStringLiteral("MousePointer"));
    return true;
}

void Vitrel::applyCursor() {
    applyMousePointer(*this, m_mousePointer, m_mouseIcon);
}

QColor Vitrel::maskColor() const {
    return colorFromOle(m_maskColor);
}

void Vitrel::setMaskColor(const QColor& color) {
    setMaskColorOle(oleFromColor(color));
}

void Vitrel::setMaskColorOle(quint32 color) {
    m_maskColor = color;
    updatePictureRegion();
    updateSurfaceMask();
    update();
    notifyChanged(QStringLiteral("MaskColor"));
}

void Vitrel::setPicture(const QImage& picture) {
    setPicture(QPixmap::fromImage(picture));
}

void Vitrel::setPicture(const QPixmap& picture) {
    m_picture = picture;
    // The picture is its own mask: its MaskColor pixels are the see-through ones.
    updatePictureRegion();
    m_picture1->setPixmap(picture);
    m_picture1->adjustSize();
    // Clearing the picture leaves the size alone rather than collapsing the control.
    if (m_autoSize && !picture.isNull())
        resize(m_picture1->size());
    if (m_autoAdjustLabels)
        runAdjustLabels();
    updateSurfaceMask();
    update();
    notifyChanged(QStringLiteral("Picture"));
}

void Vitrel::updatePictureRegion() {
    if (m_picture.isNull()) {
        m_pictureRegion = {};
        return;
    }
    QRegion region = vitrel::opaqueRegion(m_picture.toImage(), colorFromOle(m_maskColor).rgb());
    const qreal ratio = m_picture.devicePixelRatio();
    if (!qFuzzyCompare(ratio, 1.0)) {
        QRegion scaled;
        const QTransform toLogical = QTransform::fromScale(1.0 / ratio, 1.0 / ratio);
        for (const QRect& rect : region)
            scaled += toLogical.mapRect(QRectF(rect)).toAlignedRect();
        region = scaled;
    }
    m_pictureRegion = region;
}

// In Transparent style only the picture's unmasked pixels, the visible captions and the border
// belong to the control; elsewhere the host shows and receives the mouse. Designer keeps the
// whole rectangle so the control can be selected.
void Vitrel::updateSurfaceMask() {
    if (m_backStyle == Opaque || m_designMode) {
        clearMask();
        setAttribute(Qt::WA_TransparentForMouseEvents, false);
        return;
    }
    const QRect inner = contentsRect();
    QRegion region = m_pictureRegion.translated(inner.topLeft()) & QRegion(inner);
    for (const QLabel* label : m_label) {
        if (!label->isHidden())
            region |= label->geometry() & inner;
    }
    if (m_borderStyle == FixedSingle)
        region |= QRegion(rect()) - QRegion(inner);
    // An empty mask would mean "no mask": with nothing to show, let every click pass instead.
    if (region.isEmpty()) {
        clearMask();
        setAttribute(Qt::WA_TransparentForMouseEvents, true);
    } else {
        setAttribute(Qt::WA_TransparentForMouseEvents, false);
        setMask(region);
    }
}

bool Vitrel::surfaceContains(const QPoint& pos) const {
    return rect().contains(pos) && (mask().isEmpty() || mask().contains(pos));
}

QSize Vitrel::sizeHint() const {
    if (!m_picture.isNull())
        return m_picture.deviceIndependentSize().toSize();
    const TwipScale scale = TwipScale::of(*this);
    return {scale.toPixelsX(PlaceholderTwips), scale.toPixelsY(PlaceholderTwips)};
}

// ---- Captions

QString Vitrel::caption(int line) const {
    return m_label.at(static_cast<std::size_t>(line))->text();
}

void Vitrel::setCaption(int line, const QString& text) {
    QLabel* label = m_label.at(static_cast<std::size_t>(line));
    label->setText(text);
    fitCaption(line);
    if (!label->isHidden())
        runAdjustLabels();
    notifyNameChanged();
    notifyChanged(prefixed(line, "Caption"));
}

QColor Vitrel::foreColor(int line) const {
    return colorFromOle(m_foreColor.at(static_cast<std::size_t>(line)));
}

void Vitrel::setForeColorOle(int line, quint32 color) {
    m_foreColor.at(static_cast<std::size_t>(line)) = color;
    applyForeColor(line);
    notifyChanged(prefixed(line, "ForeColor"));
}

void Vitrel::applyForeColor(int line) {
    QLabel* label = m_label.at(static_cast<std::size_t>(line));
    QPalette palette = label->palette();
    const QColor color = foreColor(line);
    // The disabled group keeps the style's greyed text, so a disabled button looks disabled.
    palette.setColor(QPalette::Active, QPalette::WindowText, color);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, color);
    label->setPalette(palette);
}

QFont Vitrel::captionFont(int line) const {
    return m_label.at(static_cast<std::size_t>(line))->font();
}

void Vitrel::setCaptionFont(int line, const QFont& font) {
    QLabel* label = m_label.at(static_cast<std::size_t>(line));
    label->setFont(font);
    fitCaption(line);
    if (!label->isHidden())
        runAdjustLabels();
    notifyChanged(prefixed(line, "Font"));
}

bool Vitrel::captionVisible(int line) const {
    return !m_label.at(static_cast<std::size_t>(line))->isHidden();
}

void Vitrel::setCaptionVisible(int line, bool visible) {
    m_label.at(static_cast<std::size_t>(line))->setHidden(!visible);
    runAdjustLabels();
    updateSurfaceMask();
    notifyNameChanged();
    notifyChanged(prefixed(line, "Visible"));
}

QString Vitrel::accessibleCaption() const {
    QStringList lines;
    for (const QLabel* label : m_label) {
        if (!label->isHidden() && !label->text().isEmpty())
            lines.append(label->text());
    }
    return lines.join(QLatin1Char(' '));
}

// Captions size themselves to their text and font.
void Vitrel::fitCaption(int line) {
    m_label.at(static_cast<std::size_t>(line))->adjustSize();
}

void Vitrel::runAdjustLabels() {
    const TwipScale scale = TwipScale::of(*this);
    vitrel::CaptionPair pair;
    std::array<vitrel::CaptionBox*, 2> boxes{&pair.line1, &pair.line2};
    for (std::size_t line = 0; line < 2; ++line) {
        const QLabel* label = m_label.at(line);
        boxes.at(line)->visible = !label->isHidden();
        boxes.at(line)->width = scale.toTwipsX(label->width());
        boxes.at(line)->height = scale.toTwipsY(label->height());
        boxes.at(line)->left = m_captionTwips.at(line).x();
        boxes.at(line)->top = m_captionTwips.at(line).y();
    }
    pair = vitrel::AdjustLabels(scale.toTwipsX(width()), scale.toTwipsY(height()), pair);
    for (std::size_t line = 0; line < 2; ++line)
        m_captionTwips.at(line) = QPoint(boxes.at(line)->left, boxes.at(line)->top);
    placeCaptions();
}

void Vitrel::resetCaptionPositions() {
    m_captionTwips = InitialCaptionTwips;
    placeCaptions();
}

void Vitrel::placeCaptions() {
    const TwipScale scale = TwipScale::of(*this);
    const QPoint origin = contentsRect().topLeft();
    for (std::size_t line = 0; line < 2; ++line) {
        const QPoint twips = m_captionTwips.at(line);
        m_label.at(line)->move(origin +
                               QPoint(scale.toPixelsX(twips.x()), scale.toPixelsY(twips.y())));
    }
}

// ---- Property bag

bool Vitrel::loadProperties(const PropertyBag& bag) {
    const QScopedValueRollback loading(m_loading, true);
    std::optional<ControlError> firstError;
    auto check = [&](bool ok) {
        if (!ok && !firstError)
            firstError = m_lastError;
    };
    auto loadCaption = [&](int line) {
        QLabel* label = m_label.at(static_cast<std::size_t>(line));
        label->setText(bag.read(prefixed(line, "Caption"), defaultCaption(line)).toString());
        fitCaption(line);
    };
    auto loadForeColor = [&](int line) {
        m_foreColor.at(static_cast<std::size_t>(line)) =
            oleColorFrom(bag.read(prefixed(line, "ForeColor"), ButtonText), ButtonText);
        applyForeColor(line);
    };
    auto loadFont = [&](int line) {
        const QVariant saved = bag.read(prefixed(line, "Font"), QVariant());
        // Absent means the host's ambient font: inherit it rather than copy it.
        QLabel* label = m_label.at(static_cast<std::size_t>(line));
        label->setFont(saved.metaType() == QMetaType::fromType<QFont>() ? saved.value<QFont>()
                                                                        : QFont());
        fitCaption(line);
    };
    auto loadVisible = [&](int line) {
        m_label.at(static_cast<std::size_t>(line))
            ->setHidden(!bag.read(prefixed(line, "Visible"), true).toBool());
    };

    // The control's own flags start off, so reading the picture neither resizes nor lays out.
    m_autoSize = false;
    m_autoAdjustLabels = false;
    m_imageIndex = 0;
    resetCaptionPositions();

    setEnabled(bag.read(QStringLiteral("Enabled"), true).toBool());
    check(setBorderStyle(
        static_cast<pbBorderstyle>(bag.read(QStringLiteral("BorderStyle"), NoBorder).toInt())));
    setMouseIcon(pictureFrom(bag.read(QStringLiteral("MouseIcon"), QVariant())));
    setMaskColorOle(oleColorFrom(bag.read(QStringLiteral("MaskColor"), ButtonFace), ButtonFace));
    check(setMousePointer(bag.read(QStringLiteral("MousePointer"), 0).toInt()));
    setPicture(pictureFrom(bag.read(QStringLiteral("Picture"), QVariant())));
    loadCaption(0);
    loadForeColor(0);
    loadFont(0);
    loadVisible(0);
    loadCaption(1);
    loadFont(1);
    loadForeColor(1);
    loadVisible(1);
    m_autoSize = bag.read(QStringLiteral("AutoSize"), true).toBool();
    check(setBackStyle(
        static_cast<pbBackStyle>(bag.read(QStringLiteral("BackStyle"), Transparent).toInt())));
    m_autoAdjustLabels = bag.read(QStringLiteral("AutoAdjustLabels"), true).toBool();
    loadVisible(0);
    loadVisible(1);
    const int imageIndex = bag.read(QStringLiteral("ImageIndex"), 0).toInt();
    if (imageIndex >= std::numeric_limits<qint16>::min() &&
        imageIndex <= std::numeric_limits<qint16>::max())
        m_imageIndex = static_cast<qint16>(imageIndex);
    else
        check(fail(OverflowError, QStringLiteral("Overflow")));

    updateSurfaceMask();
    notifyNameChanged();
    m_lastError = firstError.value_or(ControlError{});
    return !firstError;
}

void Vitrel::saveProperties(PropertyBag& bag) const {
    const QFont ambient = font();
    auto saveVisible = [&](int line) {
        bag.write(prefixed(line, "Visible"), captionVisible(line), true);
    };
    bag.write(QStringLiteral("Enabled"), !testAttribute(Qt::WA_ForceDisabled), true);
    bag.write(QStringLiteral("BorderStyle"), int(m_borderStyle), int(NoBorder));
    bag.write(QStringLiteral("MouseIcon"), pictureValue(m_mouseIcon), QVariant());
    bag.write(QStringLiteral("MaskColor"), m_maskColor, ButtonFace);
    bag.write(QStringLiteral("MousePointer"), m_mousePointer, 0);
    bag.write(QStringLiteral("Picture"), pictureValue(m_picture), QVariant());
    bag.write(QStringLiteral("Line1Caption"), caption(0), defaultCaption(0));
    bag.write(QStringLiteral("Line1ForeColor"), m_foreColor[0], ButtonText);
    bag.write(QStringLiteral("Line1Font"), captionFont(0), ambient);
    saveVisible(0);
    bag.write(QStringLiteral("Line2Caption"), caption(1), defaultCaption(1));
    bag.write(QStringLiteral("Line2Font"), captionFont(1), ambient);
    bag.write(QStringLiteral("Line2ForeColor"), m_foreColor[1], ButtonText);
    saveVisible(1);
    bag.write(QStringLiteral("AutoSize"), m_autoSize, true);
    bag.write(QStringLiteral("BackStyle"), int(m_backStyle), int(Transparent));
    bag.write(QStringLiteral("AutoAdjustLabels"), m_autoAdjustLabels, true);
    saveVisible(0);
    saveVisible(1);
    bag.write(QStringLiteral("ImageIndex"), int(m_imageIndex), 0);
}

// ---- Identifiers

QString Vitrel::propertyForDispatchId(qint32 dispatchId) {
    for (const DispatchEntry& entry : DispatchTable) {
        if (DispatchBase + entry.number == dispatchId)
            return QLatin1String(entry.property);
    }
    return {};
}

std::optional<qint32> Vitrel::dispatchIdOf(const QString& property) {
    for (const DispatchEntry& entry : DispatchTable) {
        if (property == QLatin1String(entry.property))
            return DispatchBase + entry.number;
    }
    return std::nullopt;
}

QString Vitrel::eventForDispatchId(qint32 dispatchId) {
    switch (dispatchId) {
    case 1:
        return QStringLiteral("KeyPress");
    case 2:
        return QStringLiteral("MouseMove");
    case 3:
        return QStringLiteral("Click");
    default:
        return {};
    }
}

// ---- Painting and events

void Vitrel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect inner = contentsRect();
    if (m_backStyle == Opaque)
        painter.fillRect(rect(), colorFromOle(ButtonFace));
    if (!m_picture.isNull()) {
        painter.save();
        QRegion clip(inner);
        if (m_backStyle == Transparent)
            clip &= m_pictureRegion.translated(inner.topLeft());
        painter.setClipRegion(clip);
        painter.drawPixmap(inner.topLeft(), m_picture);
        painter.restore();
    } else if (m_designMode) {
        painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
    }
    if (m_borderStyle == FixedSingle) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void Vitrel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateSurfaceMask();
}

void Vitrel::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::PaletteChange:
        // System colours follow the palette.
        applyForeColor(0);
        applyForeColor(1);
        updatePictureRegion();
        updateSurfaceMask();
        break;
    case QEvent::EnabledChange: {
        // Only the control's own state is a property; a disabled host changes nothing saved.
        const bool own = !testAttribute(Qt::WA_ForceDisabled);
        if (own != m_ownEnabled) {
            m_ownEnabled = own;
            notifyChanged(QStringLiteral("Enabled"));
        }
        break;
    }
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void Vitrel::showEvent(QShowEvent* event) {
    m_shown = true;
    QWidget::showEvent(event);
}

void Vitrel::keyPressEvent(QKeyEvent* event) {
    qint16 keyAscii = 0;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        keyAscii = 13;
    else if (event->text().size() == 1)
        keyAscii = static_cast<qint16>(event->text().at(0).unicode());
    if (keyAscii == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    Q_EMIT KeyPress(&keyAscii);
    event->accept();
}

void Vitrel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_pressed = Element::Surface;
    event->accept();
}

void Vitrel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click starts no second Click.
    event->accept();
}

void Vitrel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && m_pressed == Element::Surface &&
                       surfaceContains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = Element::None;
    event->accept();
    if (click)
        Q_EMIT Click();
}

void Vitrel::mouseMoveEvent(QMouseEvent* event) {
    raiseMouseMove(*event, contentsRect().topLeft());
    event->accept();
}

void Vitrel::raiseMouseMove(const QMouseEvent& event, const QPointF& origin) {
    const TwipScale scale = TwipScale::of(*this);
    const QPointF pos = event.position() - origin;
    qint16 button = buttonCode(event.buttons());
    qint16 shift = shiftCode(event.modifiers());
    auto x = static_cast<float>(scale.toTwipsX(pos.x()));
    auto y = static_cast<float>(scale.toTwipsY(pos.y()));
    Q_EMIT MouseMove(&button, &shift, &x, &y);
}

void Vitrel::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    Q_EMIT focusGained();
}

void Vitrel::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    Q_EMIT focusLost();
}

// The captions raise the control's events themselves, with their own coordinates.
bool Vitrel::eventFilter(QObject* watched, QEvent* event) {
    const auto line = static_cast<std::size_t>(watched == m_label[1] ? 1 : 0);
    if (watched != m_label[0] && watched != m_label[1])
        return QWidget::eventFilter(watched, event);
    const Element element = line == 0 ? Element::Line1 : Element::Line2;
    QLabel* label = m_label.at(line);

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            m_pressed = element;
        return true;
    }
    case QEvent::MouseButtonDblClick:
        return true; // no second Click for a double click
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = mouse->button() == Qt::LeftButton && m_pressed == element &&
                           label->rect().contains(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton)
            m_pressed = Element::None;
        if (click)
            Q_EMIT Click();
        return true;
    }
    case QEvent::MouseMove:
        raiseMouseMove(*static_cast<QMouseEvent*>(event), QPointF(0, 0));
        return true;
    case QEvent::Move:
    case QEvent::Resize:
        updateSurfaceMask();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zelkora::controls
