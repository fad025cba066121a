#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

#include <unistd.h>

// The records of a zip file, shared by the writer and its check, and the way both spread their
// pieces over the cores.
namespace almavest::backup::zip {

inline constexpr quint32 kLocalSignature = 0x04034b50;
inline constexpr quint32 kCentralSignature = 0x02014b50;
inline constexpr quint32 kEndSignature = 0x06054b50;
inline constexpr quint32 kEnd64Signature = 0x06064b50;
inline constexpr quint32 kLocator64Signature = 0x07064b50;
inline constexpr quint16 kZip64ExtraTag = 0x0001;
inline constexpr quint16 kDeflated = 8;
inline constexpr quint16 kUtf8Names = 0x0800;
inline constexpr quint16 kVersion = 20;
inline constexpr quint16 kVersion64 = 45;
inline constexpr quint16 kMadeByUnix = 3 << 8;
inline constexpr quint32 kRegularFileMode = 0100644;
inline constexpr qint64 kLocalSize = 30;
inline constexpr qint64 kCentralSize = 46;
inline constexpr qint64 kEndSize = 22;
inline constexpr qint64 kEnd64Size = 56;
inline constexpr qint64 kLocator64Size = 20;
inline constexpr qint64 kLocalExtra64Size = 20; // tag, length, size, packed size
inline constexpr quint32 kMax32 = 0xffffffff;
inline constexpr quint16 kMax16 = 0xffff;
// A file from this size on has its sizes in the large-file fields of its local header, which
// is written before its packed size is known: the margin covers what packing can add.
inline constexpr qint64 kLocal64From = qint64(0xff000000);
// Ends a piece's stream when it is unpacked on its own: an empty last stored block.
inline constexpr char kLastEmptyBlock[] = {0x01, 0x00, 0x00, char(0xff), char(0xff)};

inline void put16(QByteArray &out, quint16 value)
{
    out.append(char(value & 0xff)).append(char(value >> 8));
}
inline void put32(QByteArray &out, quint32 value)
{
    put16(out, quint16(value & 0xffff));
    put16(out, quint16(value >> 16));
}
inline void put64(QByteArray &out, quint64 value)
{
    put32(out, quint32(value & kMax32));
    put32(out, quint32(value >> 32));
}

inline quint16 get16(const char *at)
{
    const auto *bytes = reinterpret_cast<const uchar *>(at);
    return quint16(bytes[0] | (bytes[1] << 8));
}
inline quint32 get32(const char *at)
{
    return get16(at) | (quint32(get16(at + 2)) << 16);
}
inline quint64 get64(const char *at)
{
    return get32(at) | (quint64(get32(at + 4)) << 32);
}

// Reads `size` bytes at `offset`; the number read, short at the end of the file, or -1.
inline qint64 readAt(int handle, char *into, qint64 size, qint64 offset)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t read = ::pread(handle, into + done, size_t(size - done), offset + done);
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return -1;
        if (read == 0)
            break;
        done += read;
    }
    return done;
}

// Runs `work(index, worker)` for every index below `count`, spread over up to `threads`
// threads, the calling one (worker 0) among them; returns when all are done.
inline void forEachInParallel(
    int threads, qsizetype count, const std::function<void(qsizetype, int)> &work)
{
    std::atomic<qsizetype> next {0};
    const auto run = [&](int worker) {
        for (qsizetype i = next.fetch_add(1); i < count; i = next.fetch_add(1))
            work(i, worker);
    };
    std::vector<std::thread> helpers;
    const int wanted = int(std::min<qsizetype>(threads, count));
    for (int worker = 1; worker < wanted; ++worker) {
        try {
            helpers.emplace_back(run, worker);
        } catch (const std::system_error &) {
            break; // no more threads to be had: fewer do the work
        }
    }
    run(0);
    for (std::thread &helper : helpers)
        helper.join();
}

// The threads the pieces are spread over: one for each core, within reason for the memory.
inline int pieceThreads()
{
    return int(std::clamp(std::thread::hardware_concurrency(), 1U, 8U));
}

} // namespace almavest::backup::zip
