#pragma once

#include <QImage>
#include <QObject>

#include <mutex>
#include <optional>
#include <utility>

// The video capture device of the webcam dialog, and the hand-over of frames from the thread
// that captures them to the interface thread.
namespace almavest::ui {

// One camera, inactive when made. Frames and failures reach its signals on the interface thread.
class CameraSource : public QObject
{
    Q_OBJECT
public:
    // Starts capturing; false, with nothing started, when the computer has no camera. Starting a
    // started camera does nothing.
    virtual bool start() = 0;
    // Stops capturing: once it returns, no frame captured before is delivered any more. Stopping
    // a stopped camera does nothing.
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

Q_SIGNALS:
    // The newest frame; frames that come faster than the interface shows them are skipped.
    void frameReady(const QImage &frame);
    // The camera stopped by itself: busy with another program, or unplugged.
    void failed();
};

// Holds the newest frame between the capture thread and the interface thread. The capture
// thread never waits for the interface: it only swaps the frame it holds, and asks for one
// delivery when none is pending. After close() nothing is kept or asked for until open().
template <typename Frame> class LatestFrame final
{
public:
    // Any thread. `schedule` runs, under the lock, when a delivery must be asked for.
    template <typename Schedule> void offer(Frame frame, Schedule schedule)
    {
        const std::lock_guard lock(m_mutex);
        if (!m_open)
            return;
        m_frame = std::move(frame);
        if (!m_pending) {
            m_pending = true;
            schedule();
        }
    }
    // Interface thread: the frame kept since the last call, if any.
    std::optional<Frame> take()
    {
        const std::lock_guard lock(m_mutex);
        m_pending = false;
        return std::exchange(m_frame, std::nullopt);
    }
    void open()
    {
        const std::lock_guard lock(m_mutex);
        m_open = true;
    }
    // Drops the kept frame; waits only for an offer already under way.
    void close()
    {
        const std::lock_guard lock(m_mutex);
        m_open = false;
        m_frame.reset();
    }

private:
    std::mutex m_mutex;
    std::optional<Frame> m_frame;
    bool m_pending = false;
    bool m_open = false;
};

} // namespace almavest::ui
