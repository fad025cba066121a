#include "FakeCamera.h"

namespace almavest::test {

bool FakeCamera::start()
{
    if (!m_present)
        return false;
    if (!m_active) {
        ++starts;
        m_active = true;
        m_latest->open();
    }
    return true;
}

void FakeCamera::stop()
{
    m_latest->close();
    if (m_active)
        ++stops;
    m_active = false;
}

void FakeCamera::feed(const QImage &frame)
{
    m_latest->offer(frame, [this] {
        QMetaObject::invokeMethod(
            this, [this] { deliver(); }, Qt::QueuedConnection);
    });
}

void FakeCamera::breakDown()
{
    stop();
    Q_EMIT failed();
}

void FakeCamera::deliver()
{
    if (const std::optional<QImage> frame = m_latest->take(); frame && m_active)
        Q_EMIT frameReady(*frame);
}

} // namespace almavest::test
