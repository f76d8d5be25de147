#pragma once

namespace zelkora::controls::vitrel {

// One caption line as the layout sees it, all in twips: whether it shows, its size (which
// follows its text and font) and its position inside the control.
struct CaptionBox {
    bool visible = true;
    double width = 0;
    double height = 0;
    int left = 0;
    int top = 0;
};

struct CaptionPair {
    CaptionBox line1;
    CaptionBox line2;
};

// The caption layout of the picture box: with both lines showing, line 1 starts on the quarter
// line (raised when it would reach the middle) and line 2 ends on the three-quarter line; a
// single line is centred; both are centred horizontally. `width` and `height` are the control's
// outer size in twips. Returns the captions with their new positions; sizes and visibility are
// unchanged, and a hidden line keeps its position.
CaptionPair AdjustLabels(double width, double height, CaptionPair captions);

} // namespace zelkora::controls::vitrel
