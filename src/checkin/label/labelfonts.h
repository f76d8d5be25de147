#pragma once

namespace zelkora::label {

// Maps the label's font names to the free faces installed with the station: "Arial Black" to
// Lato Black and "Arial" to Liberation Sans (Arial's metrics). Safe to call more than once.
void InstallLabelFontSubstitutes();

} // namespace zelkora::label
