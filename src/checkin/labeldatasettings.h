#pragma once

#include "settings/vraxsettings.h"
#include "util/error.h"

#include <QString>
#include <array>

namespace zelkora {

// The settings of one additional question of a label type.
struct QuestionSettings {
    QString Title;
    QString Answers; // one answer per line, CR LF separated
    bool Required = false;
    bool Printed = false;
    bool Displayed = true;
    bool DisplayAtCheckout = false;
};

// What the entry window and its commit read from the settings for one label type: a snapshot
// taken when the window is configured.
struct LabelDataSettings {
    qint32 labelIndex = 0;  // 0..6, the button's position and the visits' TypeID
    qint16 labelNumber = 1; // labelIndex + 1, the digit in setting and graphic file names

    // Global settings.
    bool ForceCase = false;
    qint16 DefaultScanner = 1;
    QString CompanyName;

    // The label type's settings.
    QString Title;
    bool AllowTitleChange = false;
    bool AllowNoName = false;
    std::array<QuestionSettings, 2> questions;
    QString MessageBoard;
    bool IncludeCheckinAndCheckout = false;
    bool PrintLabel = true;      // PrintingOption is exactly "Print Label"
    bool IncludeGraphic = false; // GraphicOption is exactly "Include Graphic"
    bool UseWebcamImage = false; // GraphicOption is exactly "Use Webcam Image"
    QString PreloadList;         // one name per line, CR LF separated
    QString NameLabelPrefix;
    QString Printer;
    qint16 PrinterPaperRoll = 0;
    qint16 WebCamMode = 0;  // 0 off, 1 required at check-in, 2 not required
    qint16 ScannerMode = 0; // as WebCamMode
    qint16 PrinterPaperSize = 0;
};

// The modes of WebCamMode and ScannerMode.
inline constexpr qint16 kDeviceOff = 0;
inline constexpr qint16 kDeviceRequired = 1;

// The snapshot of label type `labelIndex` (0..6) from loaded settings.
LabelDataSettings ReadLabelDataSettings(const cVRAXSettings& settings, int labelIndex);

// Creates a settings object, loads it and takes the snapshot of label type `labelIndex`. A label
// index outside 0..6 or a load failure is returned and `result` is left unchanged.
[[nodiscard]] StationError LoadLabelDataSettings(int labelIndex, LabelDataSettings* result);

} // namespace zelkora
