#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <cstring>

// A markup document made as UTF-8 bytes in one growing buffer: texts are escaped and coded on
// the way in and numbers written in their shortest exact form, so that a sheet of a hundred
// thousand rows costs a few allocations and not a string per cell.
namespace almavest::exporting {

class XmlBytes final
{
public:
    // `frontRoom` bytes are kept free before the document for a head that is known only once
    // the rest is made, such as the widths of the columns: see prepend().
    explicit XmlBytes(qsizetype capacity = 4096, qsizetype frontRoom = 0);
    ~XmlBytes();
    XmlBytes(XmlBytes &&other) noexcept;
    XmlBytes(const XmlBytes &) = delete;
    XmlBytes &operator=(const XmlBytes &) = delete;
    XmlBytes &operator=(XmlBytes &&) = delete;

    // Markup, as it is.
    void put(QByteArrayView markup)
    {
        if (markup.isEmpty())
            return; // an empty view may have no data, which memcpy must not be given
        char *at = room(markup.size());
        std::memcpy(at, markup.data(), static_cast<size_t>(markup.size()));
        m_size += markup.size();
    }
    void put(char c)
    {
        *room(1) = c;
        ++m_size;
    }
    // `text` as character data or an attribute's value: "&", "<", ">" and '"' escaped, the
    // characters XML cannot hold (controls but tab and line feed, U+FFFE, U+FFFF) dropped and a
    // lone surrogate made U+FFFD.
    void putText(QStringView text);
    // The shortest form that reads back as the same number, with a decimal point and no
    // thousands separator; zero is "0", never "-0". `value` must be finite.
    void putNumber(double value);
    void putInteger(qint64 value);

    // Puts `head` before everything put so far, in the front room when it fits.
    void prepend(QByteArrayView head);
    // Makes room for `size` bytes in all after the document, so that it grows no more on the
    // way there.
    void reserve(qsizetype size)
    {
        Q_ASSERT(size >= 0);
        if (size > m_capacity - m_begin - m_size)
            grow(size);
    }

    // The document.
    QByteArrayView bytes() const { return {m_buffer + m_begin, m_size}; }
    qsizetype size() const { return m_size; }

private:
    // Room for `size` more bytes after the document.
    char *room(qsizetype size)
    {
        if (size > m_capacity - m_begin - m_size)
            grow(size);
        return m_buffer + m_begin + m_size;
    }
    void grow(qsizetype size);
    void allocate(qsizetype capacity);

    // Our own allocation rather than a QByteArray: a large buffer grows in place where the
    // system can, and takes its memory in large pages, which matters for a sheet of 100 MiB.
    char *m_buffer = nullptr;
    qsizetype m_capacity = 0;
    qsizetype m_begin; // where the document starts in m_buffer
    qsizetype m_size = 0;
};

// Once the first rows of a long sheet are in `out`, room for all `rows` at the same pace plus a
// tenth, so that the buffer does not grow again and again on the way.
inline void reserveForTheRest(XmlBytes &out, qsizetype done, qsizetype rows)
{
    constexpr qsizetype kSample = 1000;
    if (done == kSample && rows > done)
        out.reserve(out.size() / done * (rows - done) / 10 * 11);
}

} // namespace almavest::exporting
