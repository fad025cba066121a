#include "ui/services/Services.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QVideoFrame>
#include <QVideoSink>

#include <memory>

namespace almavest::ui {

namespace {

// The system's default camera through Qt Multimedia. The video sink announces frames on a
// thread of the capture pipeline; they are kept there as they come and turned into pictures
// on the interface thread, one at a time.
class SystemCamera final : public CameraSource
{
public:
    SystemCamera();
    ~SystemCamera() override;
    SystemCamera(const SystemCamera &) = delete;
    SystemCamera &operator=(const SystemCamera &) = delete;

    bool start() override;
    void stop() override;
    bool isActive() const override { return m_active; }

private:
    void deliver();
    void cameraError();

    // Shared with the sink's handler, which may still be running when this object goes.
    std::shared_ptr<LatestFrame<QVideoFrame>> m_latest
        = std::make_shared<LatestFrame<QVideoFrame>>();
    QMediaCaptureSession m_session;
    QVideoSink m_sink;
    std::unique_ptr<QCamera> m_camera;
    QMetaObject::Connection m_frames;
    bool m_active = false;
};

SystemCamera::SystemCamera()
{
    m_session.setVideoSink(&m_sink);
    // Runs on the pipeline's thread: it keeps the frame and, at most once until the interface
    // has taken it, asks the interface thread for a delivery. It never waits for the interface.
    m_frames = connect(
        &m_sink, &QVideoSink::videoFrameChanged, &m_sink,
        [latest = m_latest, this](const QVideoFrame &frame) {
            latest->offer(frame, [this] {
                QMetaObject::invokeMethod(
                    this, [this] { deliver(); }, Qt::QueuedConnection);
            });
        },
        Qt::DirectConnection);
}

SystemCamera::~SystemCamera()
{
    // From here on the handler neither keeps frames nor calls back into this object.
    m_latest->close();
    disconnect(m_frames);
    if (m_camera)
        m_camera->stop();
    m_session.setCamera(nullptr);
    m_session.setVideoSink(nullptr);
}

bool SystemCamera::start()
{
    if (m_active)
        return true;
    if (!m_camera) {
        const QCameraDevice device = QMediaDevices::defaultVideoInput();
        if (device.isNull())
            return false;
        m_camera = std::make_unique<QCamera>(device);
        connect(m_camera.get(), &QCamera::errorOccurred, this, &SystemCamera::cameraError);
        m_session.setCamera(m_camera.get());
    }
    m_latest->open();
    m_active = true;
    m_camera->start();
    return true;
}

void SystemCamera::stop()
{
    m_latest->close();
    m_active = false;
    if (m_camera)
        m_camera->stop();
}

void SystemCamera::deliver()
{
    const std::optional<QVideoFrame> frame = m_latest->take();
    if (!frame || !m_active)
        return;
    const QImage image = frame->toImage();
    if (!image.isNull())
        Q_EMIT frameReady(image);
}

void SystemCamera::cameraError()
{
    if (!m_active)
        return;
    stop();
    Q_EMIT failed();
}

} // namespace

std::unique_ptr<CameraSource> DesktopServices::camera()
{
    return std::make_unique<SystemCamera>();
}

} // namespace almavest::ui
