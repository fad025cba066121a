#include "store/RecordLayout.h"

#include "store/Cp1252.h"
#include "text/TextRoutines.h"

#include <algorithm>
#include <cstring>

namespace almavest::store {

RecordLayout::RecordLayout(std::initializer_list<int> capacities)
{
    for (const int capacity : capacities)
        addField(capacity);
}

void RecordLayout::addField(int capacity)
{
    // A length byte cannot count more than 255 bytes: a table that asks for more is a mistake
    // in the program, caught whatever the build type.
    if (capacity < 0 || capacity > 255)
        qFatal("A record field holds 0 to 255 bytes, not %d", capacity);
    m_capacities.push_back(capacity);
    m_offsets.push_back(m_recordSize);
    m_recordSize += capacity + 1;
}

QByteArrayView RecordLayout::textBytes(QByteArrayView record, int field) const
{
    const qsizetype start = offset(field);
    if (start >= record.size())
        return {};
    const auto *bytes = reinterpret_cast<const uchar *>(record.data()) + start;
    // A length byte above the capacity comes from a damaged file: never read past the field.
    qsizetype end = 1 + std::min<qsizetype>({bytes[0], capacity(field), record.size() - start - 1});
    qsizetype begin = 1;
    // Bytes up to the blank are the same characters in the code page, so trimming the bytes
    // first spares converting what would be thrown away.
    while (begin < end && bytes[begin] <= ' ')
        ++begin;
    while (end > begin && bytes[end - 1] <= ' ')
        --end;
    return record.sliced(start + begin, end - begin);
}

std::vector<int> RecordLayout::readAhead(std::span<const int> fields) const
{
    constexpr int kLine = 64;
    std::vector<int> offsets;
    for (const int field : fields) {
        const int end = offset(field) + 1 + std::min(capacity(field), 2 * kLine - 1);
        for (int at = offset(field); at < end; at += kLine)
            offsets.push_back(at);
    }
    return offsets;
}

QString RecordLayout::field(QByteArrayView record, int field) const
{
    return fromCp1252(textBytes(record, field));
}

QStringList RecordLayout::fields(QByteArrayView record) const
{
    QStringList values;
    values.reserve(fieldCount());
    for (int i = 0; i < fieldCount(); ++i)
        values.append(field(record, i));
    return values;
}

void RecordLayout::decode(QByteArrayView record, DecodedRecord &into) const
{
    into.m_text.resize(0);
    into.m_spans.resize(m_capacities.size());
    for (int i = 0; i < fieldCount(); ++i) {
        const qsizetype begin = into.m_text.size();
        appendCp1252(into.m_text, textBytes(record, i));
        into.m_spans[static_cast<size_t>(i)] = {begin, into.m_text.size() - begin};
    }
}

void RecordLayout::setField(QByteArray &record, int field, QStringView text) const
{
    if (record.size() < m_recordSize)
        record.append(QByteArray(m_recordSize - record.size(), '\0'));
    const QByteArray bytes = toCp1252(text::trimmed(text)).left(capacity(field));
    char *target = record.data() + offset(field);
    target[0] = static_cast<char>(bytes.size());
    std::memcpy(target + 1, bytes.constData(), static_cast<size_t>(bytes.size()));
}

void RecordLayout::setFields(QByteArray &record, const QStringList &values) const
{
    for (int i = 0; i < fieldCount(); ++i)
        setField(record, i, i < values.size() ? QStringView(values.at(i)) : QStringView());
}

} // namespace almavest::store
