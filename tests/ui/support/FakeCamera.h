#pragma once

#include "ui/services/Camera.h"

#include <memory>

// A camera for tests: present or not, counting its starts and stops, and fed frames by the test
// from any thread, which reach the dialog as the real camera's frames do.
namespace almavest::test {

class FakeCamera final : public ui::CameraSource
{
public:
    explicit FakeCamera(bool present)
        : m_present(present)
    { }
    ~FakeCamera() override { m_latest->close(); }

    bool start() override;
    void stop() override;
    bool isActive() const override { return m_active; }

    // Any thread: a frame as the capture device announces it; dropped while stopped.
    void feed(const QImage &frame);
    // The device gives up by itself.
    void breakDown();

    int starts = 0;
    int stops = 0; // stops of a started camera

private:
    void deliver();

    std::shared_ptr<ui::LatestFrame<QImage>> m_latest = std::make_shared<ui::LatestFrame<QImage>>();
    bool m_present;
    bool m_active = false;
};

} // namespace almavest::test
