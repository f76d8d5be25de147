#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

class QLabel;

namespace zelkora {

// The footer bitmap `id` (101 to 105) of the dialog windows; a null pixmap for other ids.
QPixmap ResourceBitmap(int id);

// Makes the bitmap the picture of `control`.
void SetResourcePicture(QLabel* control, int id);

// The design pictures of the program's windows and label, shipped in the "artwork/" folder of
// the installed defaults.
enum class Artwork {
    ButtonMouseOut,    // label-type button, mouse away (image pair 0)
    ButtonMouseOver,   // label-type button, mouse over (image pair 0)
    CheckoutMouseOut,  // check-out button, mouse away (image pair 1); carries its own caption
    CheckoutMouseOver, // check-out button, mouse over (image pair 1)
    CenterGraphic,     // centre graphic of the home screen
    Background,        // home screen backdrop at design size, to be stretched to the window
    Splash,            // start-up picture
    AppIcon,           // the program's mark: about box and window icon
    LabelLogo,         // fixed strip printed on every label (2200 x 255 twips at 600 dpi)
};

// The file name of `art` inside the "artwork/" folder, for example "MouseOut0.png".
QString ArtworkFileName(Artwork art);

// The size in pixels the picture is designed at (the label strip: at 600 dots per inch).
QSize ArtworkDesignSize(Artwork art);

// The picture: the station folder's "artwork/" copy when it is readable (so a site can replace
// it), else the installed default, else a plain stand-in of the design size, never null.
QImage ArtworkImage(Artwork art);

} // namespace zelkora
