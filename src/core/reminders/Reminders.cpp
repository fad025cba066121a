#include "reminders/Reminders.h"

#include "journal/MovementRecord.h"
#include "journal/MovementSelection.h"
#include "registry/MemberRecord.h"
#include "registry/MemberSelection.h"
#include "store/ArchiveFile.h"
#include "store/Cp1252.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace almavest::reminders {

namespace {

// The member fields a reminder uses, in the order ReminderMembers keeps them.
constexpr std::array<int, 8> kKeptFields = {registry::Name, registry::Address, registry::Town,
    registry::Province, registry::PostCode, registry::ExpiryDate, registry::Fee, registry::Email};

// The records an archive file holds, from its size; 0 for a missing one.
qint64 recordsIn(const QString &path, int recordSize)
{
    return QFileInfo(path).size() / recordSize;
}

// One pass over the member archive adding every member who needs a reminder; false when the
// archive cannot be read. `total` is what the progress counts, both archives together.
bool scanMembers(const QString &path, QDate today, qint64 total, ReminderMembers &members,
    store::ScanControl *control)
{
    if (!QFileInfo::exists(path))
        return true;
    store::ArchiveFile archive(path, registry::kMemberRecordSize);
    constexpr std::array<int, 2> kDateFields = {registry::ExpiryDate, registry::NoticeDays};
    archive.setReadAhead(registry::memberLayout().readAhead(kDateFields));
    if (!archive.openForReading())
        return false;
    const store::RecordLayout &layout = registry::memberLayout();
    QString daysBuffer;
    const bool read = archive.scan([&](qint64 position, QByteArrayView record) {
        if (control && store::ScanControl::dueForReport(position)
            && !control->report(position, total))
            return false;
        const std::optional<QDate> expiry
            = registry::recordDate(layout.textBytes(record, registry::ExpiryDate), today);
        if (!expiry)
            return true;
        // The notice days are decoded only for a membership not lapsed yet.
        const QStringView days = *expiry < today
            ? QStringView()
            : store::decodeCp1252(layout.textBytes(record, registry::NoticeDays), daysBuffer);
        if (const std::optional<Standing> standing = memberStanding(expiry, days, today))
            members.append(position, *standing, record);
        return true;
    });
    archive.close();
    return read;
}

// One pass over the year's journal counting the payments its due summary lists; false when the
// journal cannot be read. The progress goes on from the `done` records of the member archive.
bool countDuePayments(const QString &path, QDate today, qint64 done, qint64 total, qsizetype &count,
    store::ScanControl *control)
{
    store::ArchiveFile archive(path, journal::kMovementRecordSize);
    constexpr std::array<int, 3> kDueFields
        = {journal::DueDate, journal::NoticeDays, journal::Settled};
    archive.setReadAhead(journal::movementLayout().readAhead(kDueFields));
    if (!archive.openForReading())
        return false;
    const bool read = archive.scan([&](qint64 position, QByteArrayView record) {
        if (control && store::ScanControl::dueForReport(position)
            && !control->report(done + position, total))
            return false;
        // A movement whose dates cannot be read is passed over, as its summary does.
        if (journal::movementDue(record, today).value_or(false))
            ++count;
        return true;
    });
    archive.close();
    return read;
}

} // namespace

std::optional<Standing> memberStanding(
    std::optional<QDate> expiry, QStringView noticeDays, QDate today)
{
    using registry::ExpiryRule;
    if (registry::expiryListed(ExpiryRule::Expired, expiry, noticeDays, today).value_or(false))
        return Standing::Lapsed;
    if (registry::expiryListed(ExpiryRule::ExpiringOrExpired, expiry, noticeDays, today)
            .value_or(false))
        return Standing::Lapsing;
    return std::nullopt;
}

QString ReminderMembers::text(qsizetype row, int field) const
{
    const auto kept = std::find(kKeptFields.begin(), kKeptFields.end(), field);
    if (kept == kKeptFields.end() || row < 0 || row >= size())
        return {};
    const auto index = size_t(kept - kKeptFields.begin());
    const Entry &entry = m_entries[size_t(row)];
    return store::fromCp1252(QByteArrayView(m_bytes).sliced(
        entry.starts[index], entry.starts[index + 1] - entry.starts[index]));
}

qsizetype ReminderMembers::count(Standing standing) const
{
    return qsizetype(std::count_if(m_entries.begin(), m_entries.end(),
        [standing](const Entry &entry) { return entry.standing == standing; }));
}

void ReminderMembers::append(qint64 position, Standing standing, QByteArrayView record)
{
    Entry entry {position, standing, {}};
    for (size_t i = 0; i < kKeptFields.size(); ++i) {
        entry.starts[i] = m_bytes.size();
        m_bytes.append(registry::memberLayout().textBytes(record, kKeptFields[i]));
    }
    entry.starts[kKeptCount] = m_bytes.size();
    m_entries.push_back(entry);
}

Reminders scanReminders(const QString &programFolder, QDate today, store::ScanControl *control)
{
    Reminders found;
    const QDir folder(programFolder);
    const QString memberPath = folder.filePath(QLatin1String(registry::kMemberArchiveName));
    found.year = today.year();
    found.journalPath = journal::journalPath(programFolder, journal::journalYearText(today.year()));

    const qint64 members = recordsIn(memberPath, registry::kMemberRecordSize);
    const qint64 movements = recordsIn(found.journalPath, journal::kMovementRecordSize);
    const qint64 total = members + movements;
    if (control && !control->report(0, total))
        return found;
    found.membersRead = scanMembers(memberPath, today, total, found.members, control);
    if ((control && control->cancelled()) || !QFileInfo::exists(found.journalPath))
        return found;

    found.journalRead
        = countDuePayments(found.journalPath, today, members, total, found.duePayments, control);
    return found;
}

} // namespace almavest::reminders
