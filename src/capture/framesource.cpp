#include "capture/framesource.h"

#include "app/core/programstate.h"

namespace zelkora::capture {

void FrameSource::deliverFrame(const QImage& frame) {
    m_current = frame;
    if (m_handler)
        m_handler(frame);
}

bool StartCapture(FrameSource& source) {
    // A failed start leaves the flag clear, so the next entry window hides its photo area.
    programState().webCamAvailable = false;
    if (!source.start())
        return false;
    programState().webCamAvailable = true;
    return true;
}

} // namespace zelkora::capture
