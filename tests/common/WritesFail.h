#pragma once

#include <csignal>
#include <sys/resource.h>

// While alive, no file of this process can grow past `limit` bytes and no byte can be written at
// or beyond it, as on a full disk. Tests run as root, whom a read-only permission does not stop,
// obtain write failures this way.
namespace almavest::test {

class WritesFail final
{
public:
    explicit WritesFail(rlim_t limit = 0)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit small = m_old;
        small.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~WritesFail()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    WritesFail(const WritesFail &) = delete;
    WritesFail &operator=(const WritesFail &) = delete;

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace almavest::test
