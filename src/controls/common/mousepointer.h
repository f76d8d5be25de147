#pragma once

#include <QCursor>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <optional>

namespace zelkora::controls {

// MousePointer codes shared by the controls: 0 the widget's own pointer, 1 to 15 the standard
// pointers, 99 the control's MouseIcon.
inline constexpr int DefaultMousePointer = 0;
inline constexpr int CustomMousePointer = 99;

// The shape of a standard pointer code 1 to 15 (4, the icon pointer, is an arrow here);
// std::nullopt for every other code.
inline std::optional<Qt::CursorShape> standardPointerShape(int pointer) {
    static constexpr std::array<Qt::CursorShape, 16> shapes{
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
    if (pointer < 1 || pointer > 15)
        return std::nullopt;
    return shapes.at(static_cast<std::size_t>(pointer));
}

// Whether `pointer` is one of the codes above.
inline bool isMousePointerCode(int pointer) {
    return pointer == DefaultMousePointer || pointer == CustomMousePointer ||
           standardPointerShape(pointer).has_value();
}

// The cursor for a pointer code: the standard shape, or `icon` for 99 when there is one;
// std::nullopt where the widget keeps its own pointer (0, 99 without an icon, unknown codes).
inline std::optional<QCursor> pointerCursor(int pointer, const QPixmap& icon) {
    if (const auto shape = standardPointerShape(pointer))
        return QCursor(*shape);
    if (pointer == CustomMousePointer && !icon.isNull())
        return QCursor(icon);
    return std::nullopt;
}

// Gives `widget` the cursor of `pointer`, or unsets its cursor where it keeps its own.
inline void applyMousePointer(QWidget& widget, int pointer, const QPixmap& icon) {
    if (const auto cursor = pointerCursor(pointer, icon))
        widget.setCursor(*cursor);
    else
        widget.unsetCursor();
}

} // namespace zelkora::controls
