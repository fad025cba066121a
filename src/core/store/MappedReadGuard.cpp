#include "store/MappedReadGuard.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <atomic>
#include <mutex>

namespace almavest::store {

namespace {

// The range the present thread reads; plain data, so that the handler can read it at any moment.
struct GuardedRange
{
    const char *begin = nullptr;
    qint64 size = 0;
    volatile int faulted = 0;
};

constinit thread_local GuardedRange t_range;

#ifdef Q_OS_UNIX

struct sigaction g_previous = {};

// Ends the program as the system would: with the default action back, the faulting read runs
// again when the handler returns and raises the same signal.
void fallBackToDefault(int signal)
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

void passOn(int signal, siginfo_t *info, void *context)
{
    if ((g_previous.sa_flags & SA_SIGINFO) != 0 && g_previous.sa_sigaction != nullptr)
        g_previous.sa_sigaction(signal, info, context);
    else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN)
        g_previous.sa_handler(signal);
    else
        fallBackToDefault(signal); // an ignored SIGBUS would fault again for ever
}

// Only what may run inside a signal handler: reads of the thread's range and one system call.
void onBusError(int signal, siginfo_t *info, void *context)
{
    GuardedRange &range = t_range;
    const auto *address = static_cast<const char *>(info->si_addr);
    if (range.size > 0 && address >= range.begin && address < range.begin + range.size) {
        // The whole pages of the range: the mapping itself starts and ends on page boundaries.
        const auto page = qint64(sysconf(_SC_PAGESIZE));
        const auto lead = qint64(quintptr(range.begin) % quintptr(page));
        const qint64 bytes = (lead + range.size + page - 1) / page * page;
        // Pages of zeros in place of the file's: the faulting read runs again and reads them.
        void *zeros = mmap(const_cast<char *>(range.begin - lead), size_t(bytes), PROT_READ,
            MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros != MAP_FAILED) {
            range.faulted = 1;
            return;
        }
    }
    passOn(signal, info, context);
}

void installHandler()
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        struct sigaction action = {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        sigaction(SIGBUS, &action, &g_previous);
    });
}

#else

void installHandler()
{ }

#endif

} // namespace

MappedReadGuard::MappedReadGuard(const uchar *begin, qint64 size)
    : m_outerBegin(t_range.begin)
    , m_outerSize(t_range.size)
    , m_outerFaulted(t_range.faulted)
{
    installHandler();
    t_range.faulted = 0;
    t_range.begin = reinterpret_cast<const char *>(begin);
    t_range.size = size;
    // The handler runs on this thread: the range must be in place before any read of it.
    std::atomic_signal_fence(std::memory_order_seq_cst);
}

MappedReadGuard::~MappedReadGuard()
{
    std::atomic_signal_fence(std::memory_order_seq_cst);
    t_range.size = 0;
    t_range.begin = m_outerBegin;
    t_range.faulted = m_outerFaulted;
    t_range.size = m_outerSize;
}

bool MappedReadGuard::faulted() const
{
    return t_range.faulted != 0;
}

} // namespace almavest::store
