#include "store/Cp1252.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace almavest::store {

namespace {

// What the bytes 0x80-0x9F stand for; the five bytes the page leaves undefined keep their
// own code, so that any file reads back byte for byte.
// clang-format off
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on

bool isHighRange(uchar byte)
{
    return byte >= 0x80 && byte <= 0x9F;
}

// The top bit of every byte of `word` that lies in 0x80-0x9F (top bit set, the two below it
// clear).
quint64 highRangeBits(quint64 word)
{
    return word & ~(word << 1) & ~(word << 2) & 0x8080808080808080ULL;
}

// The Latin letters of European languages that the page lacks and that keep no base letter
// when their accents are taken off, with the nearest letter the page has, by code.
// clang-format off
constexpr std::array<std::pair<char16_t, char>, 24> kNearestLetters = {{
    {0x0110, 'D'}, {0x0111, 'd'}, // Đ đ (Croatian, Sami)
    {0x0126, 'H'}, {0x0127, 'h'}, // Ħ ħ (Maltese)
    {0x0131, 'i'},                // ı (Turkish, Azerbaijani)
    {0x0132, 'Y'}, {0x0133, 'y'}, // Ĳ ĳ (Dutch), as typewriters wrote it
    {0x0138, 'q'},                // ĸ (Greenlandic), since written q
    {0x013F, 'L'}, {0x0140, 'l'}, // Ŀ ŀ (Catalan)
    {0x0141, 'L'}, {0x0142, 'l'}, // Ł ł (Polish, Sorbian)
    {0x0149, 'n'},                // ŉ (Afrikaans)
    {0x014A, 'N'}, {0x014B, 'n'}, // Ŋ ŋ (Sami)
    {0x0166, 'T'}, {0x0167, 't'}, // Ŧ ŧ (Sami)
    {0x017F, 's'},                // ſ (long s)
    {0x018F, 'E'},                // Ə (Azerbaijani)
    {0x01B7, 'Z'},                // Ʒ (Sami)
    {0x01E4, 'G'}, {0x01E5, 'g'}, // Ǥ ǥ (Sami)
    {0x0259, 'e'}, {0x0292, 'z'}, // ə (Azerbaijani), ʒ (Sami)
}};
// clang-format on
static_assert(std::is_sorted(kNearestLetters.begin(), kNearestLetters.end()));

// The byte that stands for `code` in the page, or -1 when the page has none.
int directByte(char16_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return code;
    for (size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == code)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

// The page's byte for `code`, or for the nearest letter when `code` is a Latin letter the page
// lacks; -1 otherwise.
int letterByte(char16_t code)
{
    const int direct = directByte(code);
    if (direct >= 0)
        return direct;
    if (code == 0x1E9E)
        return 0xDF; // ẞ, the capital sharp s: the page's ß
    const auto nearest = std::lower_bound(kNearestLetters.begin(), kNearestLetters.end(), code,
        [](const std::pair<char16_t, char> &entry, char16_t c) { return entry.first < c; });
    if (nearest != kNearestLetters.end() && nearest->first == code)
        return static_cast<uchar>(nearest->second);
    return -1;
}

bool hasCombiningMark(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x300 && c.isMark())
            return true;
    }
    return false;
}

// Rewrites, in text decoded as Latin-1 from `bytes`, the characters of the bytes 0x80-0x9F.
// Eight bytes are looked at together, so a line with one euro sign costs little more than one
// without.
void patchHighRange(QChar *out, QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, sizeof word);
        if (highRangeBits(word) == 0)
            continue;
        for (qsizetype j = i; j < i + 8; ++j) {
            if (isHighRange(data[j]))
                out[j] = QChar(kHighTable[data[j] - 0x80]);
        }
    }
    for (; i < size; ++i) {
        if (isHighRange(data[i]))
            out[i] = QChar(kHighTable[data[i] - 0x80]);
    }
}

} // namespace

char cp1252Byte(QChar character)
{
    const int letter = letterByte(character.unicode());
    if (letter >= 0)
        return static_cast<char>(letter);
    if (character.isSurrogate())
        return '?';
    // The base letter of the canonical decomposition: "ő" keeps its "o", "ǯ" its "ʒ", so "z".
    const QString decomposed = QString(character).normalized(QString::NormalizationForm_D);
    if (decomposed.size() > 1 || decomposed.at(0) != character) {
        const int base = letterByte(decomposed.at(0).unicode());
        if (base >= 0)
            return static_cast<char>(base);
    }
    return '?';
}

QByteArray toCp1252(QStringView text)
{
    // Text pasted from elsewhere may carry its accents as separate combining marks; composing
    // first turns "e" + U+0301 into the page's own "é" instead of "e?".
    QString composed;
    if (hasCombiningMark(text)) {
        composed = text.toString().normalized(QString::NormalizationForm_C);
        text = composed;
    }
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character outside the page, one "?"
        bytes.append(cp1252Byte(c));
    }
    return bytes;
}

// The page agrees with Latin-1 everywhere but 0x80-0x9F, so the bulk goes through Qt's
// vectorised Latin-1 conversion and only those bytes are patched afterwards.
QString fromCp1252(QByteArrayView bytes)
{
    // fromLatin1 allocates exactly the size: lists keep their lines by the hundred thousand.
    QString text = QString::fromLatin1(bytes.data(), bytes.size());
    patchHighRange(text.data(), bytes);
    return text;
}

void appendCp1252(QString &target, QByteArrayView bytes)
{
    const qsizetype start = target.size();
    target.append(QLatin1StringView(bytes.data(), bytes.size()));
    patchHighRange(target.data() + start, bytes);
}

QStringView decodeCp1252(QByteArrayView bytes, QString &buffer)
{
    buffer.resize(0);
    appendCp1252(buffer, bytes);
    return buffer;
}

} // namespace almavest::store
