#include "store/ArchiveFile.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace almavest::store {

namespace {

constexpr qint64 kScanBlockBytes = qint64(1) << 20;

} // namespace

QString archiveAccessMessage()
{
    return QStringLiteral(
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
        "programma.");
}

ArchiveFile::ArchiveFile(QString path, int recordSize)
    : m_file(std::move(path))
    , m_recordSize(recordSize)
{
    Q_ASSERT(recordSize > 0);
}

ArchiveFile::~ArchiveFile()
{
    close();
}

bool ArchiveFile::openOrCreate()
{
    close();
    m_position = 0;
    m_error.clear();
    // Unbuffered: records are read in blocks of our own and every write must reach the file.
    constexpr QIODevice::OpenMode kMode = QIODevice::ReadWrite | QIODevice::Unbuffered;
    if (m_file.open(kMode | QIODevice::ExistingOnly))
        return true;
    // An existing file that cannot be opened is never created anew: that would empty it.
    if (QFileInfo::exists(m_file.fileName()))
        return fail(m_file.errorString());
    if (m_file.open(kMode | QIODevice::NewOnly))
        return true;
    return fail(m_file.errorString());
}

void ArchiveFile::close()
{
    if (m_file.isOpen())
        m_file.close();
}

bool ArchiveFile::isOpen() const
{
    return m_file.isOpen();
}

qint64 ArchiveFile::count() const
{
    return m_file.isOpen() ? m_file.size() / m_recordSize : 0;
}

bool ArchiveFile::read(qint64 position, QByteArray &record)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("The archive is not open"));
    if (position < 1 || position > count())
        return fail(QStringLiteral("No record at position %1").arg(position));
    if (!m_file.seek((position - 1) * m_recordSize))
        return fail(m_file.errorString());
    QByteArray bytes(m_recordSize, Qt::Uninitialized);
    if (m_file.read(bytes.data(), m_recordSize) != m_recordSize)
        return fail(QStringLiteral("Short read at position %1").arg(position));
    record = bytes;
    m_position = position;
    return true;
}

bool ArchiveFile::write(qint64 position, const QByteArray &record)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("The archive is not open"));
    if (record.size() != m_recordSize)
        return fail(QStringLiteral("A record must be %1 bytes").arg(m_recordSize));
    if (position < 1 || position > count() + 1)
        return fail(QStringLiteral("Cannot write at position %1").arg(position));
    if (!m_file.seek((position - 1) * m_recordSize))
        return fail(m_file.errorString());
    if (m_file.write(record) != m_recordSize || !m_file.flush())
        return fail(m_file.errorString());
    m_position = position;
    return true;
}

bool ArchiveFile::scan(const std::function<bool(qint64, QByteArrayView)> &visit)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("The archive is not open"));
    const qint64 total = count();
    if (total == 0)
        return true;
    if (!m_file.seek(0))
        return fail(m_file.errorString());
    const qint64 blockRecords = std::max<qint64>(1, kScanBlockBytes / m_recordSize);
    QByteArray block(std::min(blockRecords, total) * m_recordSize, Qt::Uninitialized);
    qint64 position = 0;
    while (position < total) {
        const qint64 records = std::min(blockRecords, total - position);
        const qint64 bytes = records * m_recordSize;
        if (m_file.read(block.data(), bytes) != bytes)
            return fail(QStringLiteral("Short read after position %1").arg(position));
        for (qint64 i = 0; i < records; ++i) {
            ++position;
            m_position = position;
            const QByteArrayView record(block.constData() + i * m_recordSize, m_recordSize);
            if (!visit(position, record))
                return true;
        }
    }
    return true;
}

bool ArchiveFile::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

} // namespace almavest::store
