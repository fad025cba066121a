// The Windows-1252 codec both ways: every byte string decodes and encodes back to itself,
// and any text encodes to a string whose decoding encodes the same.
#include "FuzzSupport.h"

#include "store/Cp1252.h"

using namespace almavest;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString decoded = store::fromCp1252(bytes);
    require(decoded.size() == bytes.size(), "one byte is not one character");
    require(store::toCp1252(decoded) == bytes, "bytes do not survive decoding and encoding");

    // Appending reuses the target: the result must be the plain concatenation.
    QString appended = QStringLiteral("prefisso ");
    const qsizetype half = bytes.size() / 2;
    store::appendCp1252(appended, QByteArrayView(bytes).first(half));
    store::appendCp1252(appended, QByteArrayView(bytes).sliced(half));
    require(appended == QStringLiteral("prefisso ") + decoded, "append differs from decode");

    // The same input read as text: the best fit is stable once applied.
    const QString text = fuzz::utf16Of(data, size);
    const QByteArray encoded = store::toCp1252(text);
    require(store::toCp1252(store::fromCp1252(encoded)) == encoded, "the best fit is not stable");
    for (const QChar c : text) {
        if (c.isSurrogate())
            continue;
        const char byte = store::cp1252Byte(c);
        require(store::fromCp1252(QByteArrayView(&byte, 1)).size() == 1, "one character");
    }
    return 0;
}
