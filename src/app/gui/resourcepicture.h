#pragma once

#include <QPixmap>

class QLabel;

namespace zelkora {

// The footer bitmap `id` (101 to 105) of the dialog windows; a null pixmap for other ids.
QPixmap ResourceBitmap(int id);

// Makes the bitmap the picture of `control`.
void SetResourcePicture(QLabel* control, int id);

} // namespace zelkora
