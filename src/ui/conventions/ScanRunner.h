#pragma once

#include "store/ScanControl.h"

#include <QEventLoop>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>

class QShortcut;
class QTimer;
class QWidget;

// Runs an archive scan on a worker thread while the window stays free: the window's wait notice
// shows how far the scan has got, Escape or the "Annulla" beside it stops the scan, and the
// result comes back on the window's thread. Nothing on the worker thread touches a widget.
namespace almavest::ui {

class Services;

class ScanRunner final : public QObject
{
    Q_OBJECT
public:
    // `notice` is the window's wait notice, in a box layout that takes the "Annulla" button
    // beside it. Without one, the runner shows its own notice over the bottom of `window`.
    ScanRunner(Services &services, QWidget *window, QLabel *notice = nullptr);
    // Stops a scan that still runs and waits for its thread.
    ~ScanRunner() override;

    // Starts `scan` on the worker thread and hands its result to `finished` on the window's
    // thread, unless the scan is cancelled first: then `finished` is never called. A scan still
    // running is cancelled, and its result thrown away.
    template <typename Scan, typename Finished> void start(Scan scan, Finished finished)
    {
        using Result = std::invoke_result_t<Scan &, store::ScanControl &>;
        startJob([scan = std::move(scan), finished = std::move(finished)](
                     store::ScanControl &control) mutable -> std::function<void()> {
            auto result = std::make_shared<Result>(scan(control));
            return [finished, result]() mutable { finished(std::move(*result)); };
        });
    }

    // The runner of `window`: the one the window was built with, or else one that shows a
    // notice of its own.
    static ScanRunner &of(Services &services, QWidget *window);

    // Runs `scan` on the runner of `window` and waits, with the window free, until it ends: the
    // result, or nothing when it was cancelled or replaced by another request. Without a
    // window there is nothing to keep free, and the scan runs on the calling thread.
    template <typename Scan>
    static auto waitFor(Services &services, QWidget *window, Scan scan)
        -> std::optional<std::invoke_result_t<Scan &, store::ScanControl &>>
    {
        using Result = std::invoke_result_t<Scan &, store::ScanControl &>;
        if (window == nullptr) {
            store::ScanControl control;
            return scan(control);
        }
        ScanRunner &runner = of(services, window);
        std::optional<Result> result;
        QEventLoop loop;
        connect(&runner, &ScanRunner::idle, &loop, &QEventLoop::quit);
        connect(&runner, &QObject::destroyed, &loop, &QEventLoop::quit);
        runner.start(std::move(scan), [&result](Result found) { result = std::move(found); });
        loop.exec();
        return result;
    }

    bool isRunning() const { return m_job != nullptr; }
    // Stops the running scan, if any, and puts the window back as it was before it started.
    void cancel();

    QLabel *notice() const { return m_notice; }
    QPushButton *cancelButton() const { return m_cancel; }

Q_SIGNALS:
    // A scan ended: finished, cancelled or replaced.
    void idle();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Job;
    using Work = std::function<std::function<void()>(store::ScanControl &)>;

    void startJob(Work work);
    void finish(const std::shared_ptr<Job> &job);
    void stopWorker();
    QString progressText() const;
    void showProgress();
    void hideNotice();
    void buildOwnNotice();
    void placeOwnNotice();

    Services &m_services;
    QWidget *m_window;
    // Guarded: the window's children may go before the runner when the window is destroyed.
    QPointer<QLabel> m_notice;
    QPointer<QWidget> m_ownNotice; // the notice the runner built, for a window without one
    QString m_noticeText;
    QPointer<QPushButton> m_cancel;
    QShortcut *m_escape = nullptr;
    QTimer *m_progress = nullptr;
    std::shared_ptr<Job> m_job;
    std::thread m_worker;
};

} // namespace almavest::ui
