#pragma once

#include <QColor>
#include <QPixmap>

namespace zelkora::gallery {

// The see-through colour of the picture-box picture.
inline const QColor maskMagenta{255, 0, 255};

// A visitor badge with rounded corners and a punched lanyard slot; the corners and the slot are
// `maskMagenta`, drawn without antialiasing so no blended pixel escapes the mask.
QPixmap badgePicture();

// The three looks of an image button: the mouse away, over it, and pressing it.
enum class ButtonLook { Out, Over, Down };
QPixmap buttonPicture(ButtonLook look);

// A tile of a light checkerboard, the usual sign for "what shows through here".
QPixmap checkerTile();

} // namespace zelkora::gallery
