#include "store/FileLock.h"

#include <QFile>

#if defined(Q_OS_WIN)
#include <QDir>
#include <windows.h>
#elif defined(Q_OS_UNIX)
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#else
#error "FileLock needs an advisory file lock of this system"
#endif

namespace almavest::store {

#if defined(Q_OS_WIN)

namespace {

// Windows locks stop reads of the bytes they cover, so the lock covers one byte far past the end
// of any archive: readers are never held up, and every writer waits for that byte.
OVERLAPPED lockedByte()
{
    OVERLAPPED at {};
    at.Offset = 0;
    at.OffsetHigh = 0x7fffffff;
    return at;
}

} // namespace

FileLock::FileLock(QFile &file)
{
    const QString path = QDir::toNativeSeparators(file.fileName());
    HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()),
        GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_error = QStringLiteral("Cannot open the file to lock it");
        return;
    }
    m_handle = handle;
    OVERLAPPED at = lockedByte();
    m_held = LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at) != 0;
    if (!m_held)
        m_error = QStringLiteral("Cannot lock the file");
}

FileLock::~FileLock()
{
    if (!m_handle)
        return;
    if (m_held) {
        OVERLAPPED at = lockedByte();
        UnlockFileEx(static_cast<HANDLE>(m_handle), 0, 1, 0, &at);
    }
    CloseHandle(static_cast<HANDLE>(m_handle));
}

#else

namespace {

// Linux locks of the open file itself, unlike classic POSIX locks, also keep apart two opens of
// one file within this process, and are not dropped when some other descriptor of it closes.
// A kernel without them refuses the command, and the classic lock is taken instead.
struct LockCommands
{
    int wait;
    int release;
};
constexpr LockCommands kClassicLock {F_SETLKW, F_SETLK};
#ifdef F_OFD_SETLKW
constexpr LockCommands kOpenFileLock {F_OFD_SETLKW, F_OFD_SETLK};
#else
constexpr LockCommands kOpenFileLock = kClassicLock;
#endif

// The whole file, however far it grows.
struct flock wholeFile(short type)
{
    struct flock range = {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 0;
    range.l_pid = 0;
    return range;
}

} // namespace

FileLock::FileLock(QFile &file)
    : m_descriptor(file.handle())
{
    if (m_descriptor < 0) {
        m_error = QStringLiteral("The file is not open");
        return;
    }
    for (const LockCommands &commands : {kOpenFileLock, kClassicLock}) {
        struct flock range = wholeFile(F_WRLCK);
        int result = 0;
        do {
            result = ::fcntl(m_descriptor, commands.wait, &range);
        } while (result == -1 && errno == EINTR);
        m_held = result == 0;
        m_release = commands.release;
        if (m_held || errno != EINVAL)
            break;
    }
    if (!m_held)
        m_error = QString::fromLocal8Bit(std::strerror(errno));
}

FileLock::~FileLock()
{
    if (!m_held)
        return;
    struct flock range = wholeFile(F_UNLCK);
    ::fcntl(m_descriptor, m_release, &range);
}

#endif

} // namespace almavest::store
