#include "membership/LockedJournal.h"

#include "journal/MovementRecord.h"

#include <QFileInfo>

namespace almavest::membership {

using journal::kMovementRecordSize;

LockedJournal::LockedJournal(const QString &path)
    : m_file(path)
{ }

LockedJournal::~LockedJournal()
{
    m_lock.reset(); // released before the file closes
}

bool LockedJournal::open()
{
    constexpr QIODevice::OpenMode kMode = QIODevice::ReadWrite | QIODevice::Unbuffered;
    if (!m_file.open(kMode | QIODevice::ExistingOnly)) {
        const QFileInfo info(m_file.fileName());
        if (info.exists() || info.isSymLink())
            return fail(m_file.errorString());
        // Another copy may create it between the two steps: then it is opened as it stands.
        if (!m_file.open(kMode | QIODevice::NewOnly)
            && !m_file.open(kMode | QIODevice::ExistingOnly))
            return fail(m_file.errorString());
    }
    m_lock = std::make_unique<store::FileLock>(m_file);
    if (!m_lock->held())
        return fail(m_lock->errorString());
    return true;
}

qint64 LockedJournal::count() const
{
    return m_file.isOpen() ? m_file.size() / kMovementRecordSize : 0;
}

bool LockedJournal::read(qint64 position, QByteArray &record)
{
    if (position < 1 || position > count())
        return fail(QStringLiteral("No record at position %1").arg(position));
    if (!m_file.seek((position - 1) * kMovementRecordSize))
        return fail(m_file.errorString());
    record = m_file.read(kMovementRecordSize);
    if (record.size() != kMovementRecordSize)
        return fail(QStringLiteral("Short read at position %1").arg(position));
    return true;
}

std::optional<qint64> LockedJournal::append(const QByteArray &record)
{
    if (!m_lock || !m_lock->held() || record.size() != kMovementRecordSize) {
        fail(QStringLiteral("The journal is not held for writing"));
        return std::nullopt;
    }
    const qint64 position = count() + 1;
    const qint64 offset = (position - 1) * kMovementRecordSize;
    if (!m_file.seek(offset) || m_file.write(record) != kMovementRecordSize || !m_file.flush()) {
        fail(m_file.errorString());
        // A record cut short, as by a full disk, would be the tail the next append fills.
        m_file.resize(offset);
        return std::nullopt;
    }
    return position;
}

bool LockedJournal::takeBack(qint64 position)
{
    if (!m_lock || !m_lock->held() || position != count())
        return fail(QStringLiteral("Only the last record appended can be taken back"));
    if (!m_file.resize((position - 1) * kMovementRecordSize))
        return fail(m_file.errorString());
    return true;
}

bool LockedJournal::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

} // namespace almavest::membership
