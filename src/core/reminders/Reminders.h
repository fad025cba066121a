#pragma once

#include "store/ScanControl.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <vector>

// What the start-up reminder board shows: the members whose membership has lapsed or is inside
// its notice period, and the payments of the current year that are due or overdue. Both
// archives are read once each, from the first record to the last.
namespace almavest::reminders {

enum class Standing {
    Lapsed, // the expiry date is before today
    Lapsing, // today is inside the notice period, the expiry date not passed yet
};

// Where a card with this expiry and these notice days stands on `today`: nothing when it needs
// no reminder or its dates cannot be read. A lapsed card does not look at its notice days; the
// rules are those of the two expiry summaries, so each count matches its list.
std::optional<Standing> memberStanding(
    std::optional<QDate> expiry, QStringView noticeDays, QDate today);

// The members a board lists, in file order, with the fields a reminder needs (name, address,
// town, province, post code, expiry, fee, e-mail), kept as their Windows-1252 bytes in one
// buffer and decoded when asked for: a board of 100,000 members costs a few allocations.
class ReminderMembers final
{
public:
    qsizetype size() const { return qsizetype(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    qint64 position(qsizetype row) const { return m_entries[size_t(row)].position; }
    Standing standing(qsizetype row) const { return m_entries[size_t(row)].standing; }
    // The text of member field `field` (a registry::MemberFieldIndex among those kept) of `row`;
    // empty for a field that is not kept.
    QString text(qsizetype row, int field) const;
    qsizetype count(Standing standing) const;

    // Adds the member of `record`, at `position` of the archive.
    void append(qint64 position, Standing standing, QByteArrayView record);

private:
    static constexpr size_t kKeptCount = 8;
    struct Entry
    {
        qint64 position;
        Standing standing;
        std::array<qsizetype, kKeptCount + 1> starts; // each field's start, then the end
    };
    QByteArray m_bytes;
    std::vector<Entry> m_entries;
};

struct Reminders
{
    ReminderMembers members;
    bool membersRead = true; // false when the member archive exists but cannot be read
    qsizetype duePayments = 0; // the payments due, as their summary counts them
    bool journalRead = true; // false when the year's journal exists but cannot be read
    QString journalPath; // the current year's journal
    int year = 0;

    bool nothingToShow() const { return members.isEmpty() && duePayments == 0; }
};

// Reads the member archive at `memberArchive` and the journal of `today`'s year in
// `programFolder`. An archive that does not exist has nothing to remind and is not created.
// With a `control`, the progress over both archives is reported to it and the scan stops once it
// is cancelled; what it holds then is not for showing.
Reminders scanReminders(
    const QString &programFolder, QDate today, store::ScanControl *control = nullptr);

} // namespace almavest::reminders
