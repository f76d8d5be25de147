#pragma once

#include <QImage>
#include <QString>

namespace zelkora::artwork {

// A label-type button (151 x 89) or, with `checkout`, the check-out button (136 x 51), drawn
// as shown with the mouse away or over it.
QImage buttonPicture(bool checkout, bool mouseOver);
// The centre graphic of the home screen (300 x 300, transparent outside its disc).
QImage centerGraphic();
// The home screen's backdrop at design size (813 x 596); the window stretches it.
QImage background();
// The start-up picture (520 x 316).
QImage splashPicture();
// The program's own mark (128 x 128), for the about box and the window icon.
QImage appIcon();
// A neutral stand-in for the company's logo (200 x 70, opaque).
QImage companyLogo();
// The fixed strip printed on every label: 2200 x 255 twips at 600 dots per inch, black on
// transparent, its content kept to the middle so the date and the badge number beside it
// stay clear.
QImage labelLogo();
// Writes every picture into `dataDir` (the station's files) and `dataDir`/artwork (the
// program's design pictures); false with `error` set when a file cannot be written.
bool writePictures(const QString& dataDir, QString* error);

} // namespace zelkora::artwork
