#include "checkin/checkinservices.h"

namespace zelkora {

std::unique_ptr<capture::FrameSource> CheckInServices::makeCamera() const {
    std::unique_ptr<capture::FrameSource> source = camera ? camera() : nullptr;
    if (!source)
        source = std::make_unique<capture::NoFrameSource>();
    return source;
}

std::unique_ptr<capture::IdScanner> CheckInServices::makeScanner() const {
    std::unique_ptr<capture::IdScanner> source = scanner ? scanner() : nullptr;
    if (!source)
        source = std::make_unique<capture::NoIdScanner>();
    return source;
}

CheckInServices& checkInServices() {
    static CheckInServices services;
    return services;
}

} // namespace zelkora
