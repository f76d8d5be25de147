#pragma once

#include "capture/framesource.h"
#include "capture/idscanner.h"
#include "checkin/checkincommit.h"
#include "checkin/label/reportinfo.h"

#include <functional>
#include <memory>

class QWidget;

namespace zelkora {

// What an entry window works with beyond the settings and the database: its camera and scanner
// (a new one per window, released when it closes), the badge printer and the paper selection.
// Start-up fills the program's set once; a missing camera or scanner factory means no device.
struct CheckInServices {
    std::function<std::unique_ptr<capture::FrameSource>()> camera;
    std::function<std::unique_ptr<capture::IdScanner>()> scanner;
    // Without a printer every print fails with the printer message.
    std::shared_ptr<BadgePrinter> printer;
    PaperSelector paper;
    // The camera's video-format dialog over the entry window; without one the web-cam settings
    // button stays disabled.
    std::function<void(capture::FrameSource& camera, QWidget* owner)> videoFormatDialog;

    // The factories' products, or the "no device" ones when a factory is missing or gives none.
    std::unique_ptr<capture::FrameSource> makeCamera() const;
    std::unique_ptr<capture::IdScanner> makeScanner() const;
};

// The program's services, used by OpenLabelData.
CheckInServices& checkInServices();

} // namespace zelkora
