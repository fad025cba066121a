#pragma once

#include <QString>

class QFile;

// An advisory lock on an open file, taken in the constructor and released in the destructor:
// every other holder of the same lock, in this process or another, waits until it is released.
// It stops no reader and no writer that does not ask for it.
namespace almavest::store {

class FileLock final
{
public:
    // Waits for the lock on `file`, which must be open for writing.
    explicit FileLock(QFile &file);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool held() const { return m_held; }
    QString errorString() const { return m_error; }

private:
    bool m_held = false;
    QString m_error;
#ifdef Q_OS_WIN
    void *m_handle = nullptr;
#else
    int m_descriptor = -1;
    int m_release = 0; // the command that releases the lock taken
#endif
};

} // namespace almavest::store
