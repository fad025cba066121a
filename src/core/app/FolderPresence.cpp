#include "app/FolderPresence.h"

#include <QDir>
#include <QFile>

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace almavest::app {

FolderPresence::FolderPresence(QString folder)
    : m_folder(std::move(folder))
{
    if (open())
        lock(false, true);
}

FolderPresence::~FolderPresence()
{
#if defined(Q_OS_WIN)
    if (m_handle)
        CloseHandle(static_cast<HANDLE>(m_handle));
#else
    if (m_descriptor >= 0)
        ::close(m_descriptor);
#endif
}

bool FolderPresence::beginAlone()
{
    if (!open())
        return true;
    if (lock(true, false))
        return true;
    // Another copy holds its mark: ours goes back as it was.
    lock(false, true);
    return false;
}

void FolderPresence::endAlone()
{
    if (!open())
        return;
    lock(false, true);
}

#if defined(Q_OS_WIN)

namespace {

OVERLAPPED firstByte()
{
    OVERLAPPED at {};
    return at;
}

} // namespace

bool FolderPresence::open()
{
    if (m_handle)
        return true;
    const QString path
        = QDir::toNativeSeparators(QDir(m_folder).filePath(QLatin1String(kPresenceFileName)));
    HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()),
        GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    m_handle = handle;
    return true;
}

// Windows cannot turn one lock into the other: the mark is let go first, then taken again.
bool FolderPresence::lock(bool alone, bool wait)
{
    unlock();
    OVERLAPPED at = firstByte();
    DWORD flags = alone ? LOCKFILE_EXCLUSIVE_LOCK : 0;
    if (!wait)
        flags |= LOCKFILE_FAIL_IMMEDIATELY;
    return LockFileEx(static_cast<HANDLE>(m_handle), flags, 0, 1, 0, &at) != 0;
}

void FolderPresence::unlock()
{
    OVERLAPPED at = firstByte();
    UnlockFileEx(static_cast<HANDLE>(m_handle), 0, 1, 0, &at);
}

#else

bool FolderPresence::open()
{
    if (m_descriptor >= 0)
        return true;
    const QByteArray path
        = QFile::encodeName(QDir(m_folder).filePath(QLatin1String(kPresenceFileName)));
    m_descriptor = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    return m_descriptor >= 0;
}

// A lock of the open file changes in place from shared to alone and back; a kernel without such
// locks refuses the command, and the classic lock of the process is taken instead.
bool FolderPresence::lock(bool alone, bool wait)
{
    struct flock range = {};
    range.l_type = alone ? F_WRLCK : F_RDLCK;
    range.l_whence = SEEK_SET;
    for (;;) {
        int command = wait ? F_SETLKW : F_SETLK;
#ifdef F_OFD_SETLKW
        if (m_openFileLocks)
            command = wait ? F_OFD_SETLKW : F_OFD_SETLK;
#endif
        if (::fcntl(m_descriptor, command, &range) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno == EINVAL && m_openFileLocks) {
            m_openFileLocks = false;
            continue;
        }
        return false;
    }
}

#endif

} // namespace almavest::app
