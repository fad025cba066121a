#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

// A zip archive made in memory from whole entries, as a workbook's parts are: each entry stored
// as it is or deflated at the fastest level, its sizes and checksum known before its header, so
// the archive holds no data descriptors. The classic format only: an archive past 4 GiB or
// 65,535 entries is refused, never written wrong.
namespace almavest::exporting {

class ZipPackage final
{
public:
    // `modified` is the time every entry is dated with, to the two seconds a zip keeps.
    explicit ZipPackage(const QDateTime &modified = QDateTime::currentDateTime());

    enum class Method {
        Stored,
        Deflated,
    };
    // Adds the entry `name` (ASCII) holding `bytes`; false, and nothing more can be added, when
    // the archive would pass the format's limits.
    [[nodiscard]] bool add(QByteArrayView name, QByteArrayView bytes, Method method);
    // The whole archive: the entries, their directory and its end; empty after a failure.
    [[nodiscard]] QByteArray finish();
    // Why the archive could not be made.
    QString errorString() const { return m_error; }

private:
    struct Entry
    {
        QByteArray name;
        Method method;
        quint32 crc;
        quint32 packedSize;
        quint32 size;
        quint32 offset;
    };
    void putEntryFields(QByteArray &bytes, const Entry &entry) const;
    bool refuse();

    QByteArray m_bytes;
    QList<Entry> m_entries;
    quint16 m_time;
    quint16 m_date;
    QString m_error;
};

} // namespace almavest::exporting
