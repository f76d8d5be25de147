#include "controls/picturebox/captionlayout.h"

#include "controls/common/twips.h"

#include <cmath>

namespace zelkora::controls::vitrel {

namespace {

int floorTwips(double value) {
    return static_cast<int>(std::floor(value));
}

void centre(CaptionBox& box, int width, int height) {
    const int boxHeight = roundTwips(box.height);
    box.top = floorTwips(height / 2.0 - boxHeight / 2.0);
    box.left = floorTwips(width / 2.0 - box.width / 2.0);
}

} // namespace

CaptionPair AdjustLabels(double width, double height, CaptionPair captions) {
    const int w = roundTwips(width);
    const int h = roundTwips(height);
    CaptionBox& one = captions.line1;
    CaptionBox& two = captions.line2;

    if (one.visible && two.visible) {
        const int h1 = roundTwips(one.height);
        const int h2 = roundTwips(two.height);
        int top1 = floorTwips(h / 4.0);
        const int left1 = floorTwips(w / 2.0 - one.width / 2.0);
        // Line 1 reaching the middle is raised by a third of line 2's height, not its own.
        if (floorTwips(h / 2.0) <= h1 + top1)
            top1 = floorTwips(h / 4.0 - h2 / 3.0);
        const int top2 = floorTwips(h * 3.0 / 4.0 - h2);
        const int left2 = floorTwips(w / 2.0 - two.width / 2.0);
        one.top = top1;
        two.top = top2;
        one.left = left1;
        two.left = left2;
    } else if (one.visible) {
        centre(one, w, h);
    } else if (two.visible) {
        centre(two, w, h);
    }
    return captions;
}

} // namespace zelkora::controls::vitrel
