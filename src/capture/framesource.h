#pragma once

#include <QImage>
#include <functional>

namespace zelkora::capture {

// A web-cam as the entry window's photo area needs it: a live picture that can be started and
// stopped, and the frame it shows now. Frames reach the handler on the UI thread.
class FrameSource {
public:
    using FrameHandler = std::function<void(const QImage& frame)>;

    virtual ~FrameSource() = default;

    // Connects to the camera and starts the live picture; false when there is no camera or it
    // cannot be started (nothing is shown to the user then).
    virtual bool start() = 0;
    // Stops the live picture and releases the camera; harmless when it is not running.
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;

    // The frame delivered last; a null image before the first one.
    QImage currentFrame() const { return m_current; }

    // Receives every new frame while the source runs (an empty function removes it).
    void setFrameHandler(FrameHandler handler) { m_handler = std::move(handler); }

protected:
    FrameSource() = default;
    // Back ends call this on the UI thread for each new frame.
    void deliverFrame(const QImage& frame);

private:
    QImage m_current;
    FrameHandler m_handler;
};

// The product's camera until a capture back end is wired in: there is none, so it never starts.
class NoFrameSource final : public FrameSource {
public:
    bool start() override { return false; }
    void stop() override {}
    bool isRunning() const override { return false; }
};

// Starts the live picture and records the outcome in the program-wide web-cam availability
// flag: cleared first, set again only when the camera started. True when it started.
bool StartCapture(FrameSource& source);

} // namespace zelkora::capture
