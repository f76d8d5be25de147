#pragma once

#include <QString>
#include <optional>

namespace zelkora {

// The program's string table (ids 1000 to 1055): menu captions, the product line and a few
// entries no window shows. nullopt for an id that is not in the table.
std::optional<QString> LoadResString(int id);

// Ids of the footer bitmaps of the dialog windows.
enum ResourceBitmap {
    BitmapCards = 101,
    BitmapPrinter = 102,
    BitmapSmallDialog = 103,
    BitmapDefaults = 104,
    BitmapSpare = 105,
};

} // namespace zelkora
