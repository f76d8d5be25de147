#include "checkin/entrylayout.h"

namespace zelkora {

namespace {

// Gaps of the layout rules.
constexpr int kGap = 130;
constexpr int kRightMargin = 200;
constexpr int kBottomAllowance = 700;

// Touch-sized rows: inputs 540 twips (36 pixels at 96 dpi), buttons 600.
const LabelDataDesign kDesign{
    kLabelDataScaleWidth,     500, {120, 120, 10650, 4560}, // frmRequiredInformation
    {120, 4800, 10650, 4200},                               // frmOptionalData: T = 4800
    {6270, 9000, 4500, 720},                                // fraButtonControls
    {1800, 420, 3900, 540},                                 // cmbField1Answer
    {1800, 1080, 3900, 540},                                // cmbField2Answer
    {5940, 420, 4500, 2400},                                // picIDCard
    {1800, 1620, 3900, 900},                                // txtBadgeName
    {1800, 2640, 3900, 1680},                               // txtMessageBoard
};

} // namespace

const LabelDataDesign& DefaultLabelDataDesign() {
    return kDesign;
}

LabelDataLayout LayOutLabelData(const LabelDataDesign& d, bool idAreaShown, bool photoAreaShown) {
    LabelDataLayout l;
    l.idAreaShown = idAreaShown;
    l.photoAreaShown = photoAreaShown;
    l.requiredFrame = d.requiredFrame;
    l.optionalFrame = d.optionalFrame;
    l.buttonFrame = d.buttonFrame;
    l.idPicture = d.idPicture;
    l.messageBoardWidth = d.messageBoard.width;
    l.windowWidth = d.windowWidth;
    const int t = d.optionalFrame.top;

    if (idAreaShown) {
        l.idPicture.height = kIdPictureHeight;
        l.optionalFrame.width = d.requiredFrame.width;
        const int depth = l.idPicture.top + kIdPictureHeight + kGap;
        l.optionalFrame.height = depth;
        l.buttonFrame.top = t + depth + kGap;
        l.windowHeight = d.buttonFrame.height + t + depth + kGap + kBottomAllowance;
    } else {
        l.optionalFrame.width = d.field1Answer.left + d.field1Answer.width + kRightMargin;
        const int extent = d.field2Answer.top + d.field2Answer.height + kGap;
        l.optionalFrame.height = extent;
        const int bottom = t + extent;
        if (photoAreaShown) {
            l.buttonFrame.top = bottom - d.buttonFrame.height;
            l.windowHeight = bottom + kBottomAllowance;
        } else {
            l.requiredFrame.width = l.optionalFrame.width;
            l.buttonFrame.top = bottom + kGap;
            l.windowHeight = d.buttonFrame.height + bottom + kGap + kBottomAllowance;
            const int right = l.requiredFrame.left + l.requiredFrame.width;
            l.buttonFrame.left = right - d.buttonFrame.width;
            l.windowWidth = right + kRightMargin;
            l.messageBoardWidth = d.badgeName.width;
        }
    }
    l.clientHeight = l.windowHeight - d.nonClientHeight;
    return l;
}

} // namespace zelkora
