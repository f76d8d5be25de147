#pragma once

namespace zelkora {

// A control's place in twips, relative to its container.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
};

// The design geometry of the entry window, in twips: the places the layout starts from.
struct LabelDataDesign {
    int windowWidth;         // the client width the window is designed at (10890)
    int nonClientHeight;     // the part of a window height the title bar and borders take
    TwipsRect requiredFrame; // frmRequiredInformation, in the window
    TwipsRect optionalFrame; // frmOptionalData, in the window; its top is T
    TwipsRect buttonFrame;   // fraButtonControls, in the window
    TwipsRect field1Answer;  // cmbField1Answer, in frmOptionalData
    TwipsRect field2Answer;  // cmbField2Answer, in frmOptionalData
    TwipsRect idPicture;     // picIDCard, in frmOptionalData (its height changes)
    TwipsRect badgeName;     // txtBadgeName, in frmRequiredInformation
    TwipsRect messageBoard;  // txtMessageBoard, in frmRequiredInformation
};

// The window's design.
const LabelDataDesign& DefaultLabelDataDesign();

// The ID area's picture height when it is shown.
inline constexpr int kIdPictureHeight = 3049;
// The width GetFormPosition is given.
inline constexpr int kLabelDataScaleWidth = 10890;

// Where the frames, the button frame and the window end up for a combination of shown areas.
struct LabelDataLayout {
    bool idAreaShown = false;
    bool photoAreaShown = false;
    TwipsRect requiredFrame;
    TwipsRect optionalFrame;
    TwipsRect buttonFrame;
    TwipsRect idPicture;
    int messageBoardWidth = 0;
    int windowWidth = 0;  // client width
    int windowHeight = 0; // H: the window's full height, title bar and borders included
    // The client height: H less what the title bar and borders take.
    int clientHeight = 0;
};

// The layout step of the window's load: the ID area is shown when the scanner is ready and the
// label type scans; the photo area when the web-cam is wanted and usable.
LabelDataLayout LayOutLabelData(const LabelDataDesign& design, bool idAreaShown,
                                bool photoAreaShown);

} // namespace zelkora
