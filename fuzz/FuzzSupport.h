#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Shared pieces of the fuzz targets: turning raw input into text and files, and stopping
// loudly when an invariant fails, so that libFuzzer keeps the input.
namespace almavest::fuzz {

// The input as it comes, without a copy.
QByteArray bytesOf(const uint8_t *data, size_t size);

// The input read as UTF-16 code units, low byte first: any QChar, lone surrogates included.
QString utf16Of(const uint8_t *data, size_t size);

// A file path in this process's own scratch folder, the same on every call.
QString scratchFile(const char *name);

// Writes `bytes` over the file at `path`; aborts when it cannot, since every later step
// would then test nothing.
void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

// Aborts with `what` on stderr when `condition` is false.
void require(bool condition, const char *what);

} // namespace almavest::fuzz
