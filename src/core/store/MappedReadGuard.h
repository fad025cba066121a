#pragma once

#include <QtGlobal>

// Reading a file through a memory map cannot fail the way a read call does: a page that can no
// longer be read (the file cut short by another process, a USB stick pulled out, an I/O error)
// raises SIGBUS, which ends the program. While a guard lives, a SIGBUS on a byte of its range in
// its own thread instead has the whole range read as zeros from then on and is remembered, so the
// reader finishes what it was doing and then fails as a short read does. Any other SIGBUS goes on
// to the handler that was there before, or ends the program as it always would.
namespace almavest::store {

class MappedReadGuard final
{
public:
    // Guards `size` bytes from `begin`, which lie inside one mapping of a file.
    MappedReadGuard(const uchar *begin, qint64 size);
    ~MappedReadGuard();
    MappedReadGuard(const MappedReadGuard &) = delete;
    MappedReadGuard &operator=(const MappedReadGuard &) = delete;

    // Whether a byte of the range could not be read since the guard was made: what was read
    // from the range since then is not the file's.
    bool faulted() const;

private:
    const char *m_outerBegin;
    qint64 m_outerSize;
    int m_outerFaulted;
};

} // namespace almavest::store
