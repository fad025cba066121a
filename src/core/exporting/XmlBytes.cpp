#include "exporting/XmlBytes.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <new>
#include <utility>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace almavest::exporting {

namespace {

// What becomes of each ASCII character in a text: itself, an entity, or nothing.
enum class Ascii : char {
    Plain,
    Dropped,
    Amp,
    Less,
    Greater,
    Quote,
};

constexpr std::array<Ascii, 128> kAscii = [] {
    std::array<Ascii, 128> table {};
    for (size_t c = 0; c < table.size(); ++c)
        table[c] = c < 0x20 && c != '\t' && c != '\n' ? Ascii::Dropped : Ascii::Plain;
    table['&'] = Ascii::Amp;
    table['<'] = Ascii::Less;
    table['>'] = Ascii::Greater;
    table['"'] = Ascii::Quote;
    return table;
}();

// The longest a UTF-16 unit of a text becomes: "&quot;".
constexpr qsizetype kWidestUnit = 6;

char *copied(char *out, QByteArrayView bytes)
{
    std::memcpy(out, bytes.data(), static_cast<size_t>(bytes.size()));
    return out + bytes.size();
}

char *escapedAscii(char *out, char16_t c)
{
    switch (kAscii[c]) {
    case Ascii::Plain:
        *out = static_cast<char>(c);
        return out + 1;
    case Ascii::Dropped:
        return out;
    case Ascii::Amp:
        return copied(out, "&amp;");
    case Ascii::Less:
        return copied(out, "&lt;");
    case Ascii::Greater:
        return copied(out, "&gt;");
    case Ascii::Quote:
        break;
    }
    return copied(out, "&quot;");
}

char *utf8(char *out, char32_t code)
{
    if (code < 0x800) {
        *out++ = static_cast<char>(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (code >> 12));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (code >> 18));
        *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
    return out;
}

} // namespace

XmlBytes::XmlBytes(qsizetype capacity, qsizetype frontRoom)
    : m_begin(frontRoom)
{
    allocate(frontRoom + std::max<qsizetype>(capacity, 64));
}

XmlBytes::~XmlBytes()
{
    std::free(m_buffer);
}

XmlBytes::XmlBytes(XmlBytes &&other) noexcept
    : m_buffer(std::exchange(other.m_buffer, nullptr))
    , m_capacity(std::exchange(other.m_capacity, 0))
    , m_begin(std::exchange(other.m_begin, 0))
    , m_size(std::exchange(other.m_size, 0))
{ }

void XmlBytes::allocate(qsizetype capacity)
{
    // NOLINTNEXTLINE(cppcoreguidelines-no-malloc): realloc() grows a large block in place
    char *const buffer = static_cast<char *>(std::realloc(m_buffer, static_cast<size_t>(capacity)));
    if (!buffer)
        throw std::bad_alloc();
    m_buffer = buffer;
    m_capacity = capacity;
#ifdef MADV_HUGEPAGE
    // Every fresh page of a large buffer costs a fault; large pages make them few.
    constexpr qsizetype kLargePage = qsizetype(2) << 20;
    if (capacity >= 2 * kLargePage) {
        const auto address = reinterpret_cast<quintptr>(m_buffer);
        char *const start = m_buffer + (kLargePage - address % kLargePage) % kLargePage;
        char *const end = m_buffer + capacity - (address + capacity) % kLargePage;
        if (end > start)
            madvise(start, static_cast<size_t>(end - start), MADV_HUGEPAGE);
    }
#endif
}

void XmlBytes::putText(QStringView text)
{
    char *const start = room(text.size() * kWidestUnit);
    char *out = start;
    const char16_t *in = text.utf16();
    const char16_t *const end = in + text.size();
    while (in < end) {
        const char16_t c = *in++;
        if (c < 0x80) {
            out = escapedAscii(out, c);
        } else if (!QChar::isSurrogate(c)) {
            if (c < 0xFFFE)
                out = utf8(out, c);
        } else if (QChar::isHighSurrogate(c) && in < end && QChar::isLowSurrogate(*in)) {
            out = utf8(out, QChar::surrogateToUcs4(c, *in++));
        } else {
            out = utf8(out, QChar::ReplacementCharacter);
        }
    }
    m_size += out - start;
}

void XmlBytes::putNumber(double value)
{
    Q_ASSERT(std::isfinite(value));
    if (value == 0) {
        put('0');
        return;
    }
    char *const start = room(32); // the longest shortest form of a double is 24 characters
    m_size += std::to_chars(start, start + 32, value).ptr - start;
}

void XmlBytes::putInteger(qint64 value)
{
    char *const start = room(24);
    m_size += std::to_chars(start, start + 24, value).ptr - start;
}

void XmlBytes::prepend(QByteArrayView head)
{
    if (head.size() <= m_begin) {
        m_begin -= head.size();
        m_size += head.size();
        if (!head.isEmpty())
            std::memcpy(m_buffer + m_begin, head.data(), static_cast<size_t>(head.size()));
        return;
    }
    // No room before the document: it moves up to make some.
    const qsizetype spare = m_capacity - m_begin - m_size;
    if (spare < head.size())
        allocate(m_capacity + head.size() - spare);
    std::memmove(m_buffer + head.size(), m_buffer + m_begin, static_cast<size_t>(m_size));
    std::memcpy(m_buffer, head.data(), static_cast<size_t>(head.size()));
    m_begin = 0;
    m_size += head.size();
}

void XmlBytes::grow(qsizetype size)
{
    const qsizetype needed = m_begin + m_size + size;
    allocate(std::max(needed, m_capacity + m_capacity / 2));
}

} // namespace almavest::exporting
