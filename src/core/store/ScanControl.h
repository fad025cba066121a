#pragma once

#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <functional>

// Lets a window follow and stop a scan that runs on another thread.
namespace almavest::store {

// The scan reports how far it has got every few thousand records and stops at the next report
// once it has been asked to; the window reads the percentage and asks from its own thread.
class ScanControl final
{
public:
    // Records read between two reports.
    static constexpr qint64 kRecordsPerReport = 2048;

    void cancel() { m_cancelled.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return m_cancelled.load(std::memory_order_relaxed); }
    // The share of the records read so far, 0 to 100.
    int percent() const
    {
        const qint64 total = m_total.load(std::memory_order_relaxed);
        const qint64 done = m_done.load(std::memory_order_relaxed);
        return total <= 0 ? 0 : int(std::min<qint64>(done, total) * 100 / total);
    }

    // Called on the scan's thread before a scan reads anything and every kRecordsPerReport
    // records: `done` records of `total` read. False when the scan must stop.
    bool report(qint64 done, qint64 total)
    {
        m_total.store(total, std::memory_order_relaxed);
        m_done.store(done, std::memory_order_relaxed);
        if (m_pace && !cancelled())
            m_pace(*this);
        return !cancelled();
    }

    // Whether a scan at record `position` has come to a report.
    static bool dueForReport(qint64 position) { return position % kRecordsPerReport == 0; }

    // Called at every report, on the scan's thread; whoever sets it must be safe to call there.
    void setPace(std::function<void(const ScanControl &)> pace) { m_pace = std::move(pace); }

private:
    std::atomic<bool> m_cancelled {false};
    std::atomic<qint64> m_done {0};
    std::atomic<qint64> m_total {0};
    std::function<void(const ScanControl &)> m_pace;
};

} // namespace almavest::store
