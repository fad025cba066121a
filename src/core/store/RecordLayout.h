#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <initializer_list>
#include <span>
#include <vector>

// A fixed record made of counted text fields: per field one length byte, then up to
// `capacity` bytes of Windows-1252 text, then filler that no reader looks at.
namespace almavest::store {

// Every field of one record decoded into one reusable text: scanning a whole archive this way
// allocates nothing per record.
class DecodedRecord final
{
public:
    QStringView field(int index) const
    {
        const Span span = m_spans[static_cast<size_t>(index)];
        return QStringView(m_text).sliced(span.begin, span.length);
    }
    int fieldCount() const { return static_cast<int>(m_spans.size()); }

private:
    friend class RecordLayout;
    struct Span
    {
        qsizetype begin;
        qsizetype length;
    };
    QString m_text;
    std::vector<Span> m_spans;
};

class RecordLayout final
{
public:
    RecordLayout() = default;
    RecordLayout(std::initializer_list<int> capacities);

    // Adds a field of `capacity` bytes (0 to 255) after the last one.
    void addField(int capacity);

    int fieldCount() const { return static_cast<int>(m_capacities.size()); }
    int capacity(int field) const { return m_capacities[static_cast<size_t>(field)]; }
    int offset(int field) const { return m_offsets[static_cast<size_t>(field)]; }
    int recordSize() const { return m_recordSize; }

    // Reads one field: at most `capacity` bytes whatever the length byte says, trimmed.
    QString field(QByteArrayView record, int field) const;
    QStringList fields(QByteArrayView record) const;
    // Reads every field into `into`, reusing its memory; the same texts as fields().
    void decode(QByteArrayView record, DecodedRecord &into) const;

    // Stores one field: trimmed, encoded with the best fit, cut to the capacity. Only the
    // length byte and the text bytes are written; the filler keeps what the buffer held.
    void setField(QByteArray &record, int field, QStringView text) const;
    void setFields(QByteArray &record, const QStringList &values) const;

    // A zero-filled buffer of one record.
    QByteArray blankRecord() const { return QByteArray(m_recordSize, '\0'); }

    // The bytes of a field's text: at most the capacity, blanks and control bytes at both ends
    // left out. One byte is one character, so these are exactly the text that field() decodes;
    // the scans compare and cut them without decoding.
    QByteArrayView textBytes(QByteArrayView record, int field) const;

    // The offsets in a record of the memory lines that hold `fields`, for a scan to read ahead:
    // a field's first two lines of 64 bytes at most, as texts rarely fill a long field.
    std::vector<int> readAhead(std::span<const int> fields) const;

private:
    std::vector<int> m_capacities;
    std::vector<int> m_offsets;
    int m_recordSize = 0;
};

} // namespace almavest::store
