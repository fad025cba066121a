// Preloaded into a program started by the bench: ends it as soon as its first window has been
// exposed, so the time from start to exit is the time to the first visible window.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace {

class FirstExposure final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && !m_seen) {
            m_seen = true;
            // Leave once this round of events, the painting of the window, has been handled.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

void watchForFirstWindow()
{
    qApp->installEventFilter(new FirstExposure(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForFirstWindow)
