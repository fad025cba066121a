#pragma once

#include "store/FileLock.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>
#include <optional>

// A year's journal held by this copy of the program for one whole action that writes more than
// one file: the lock every writer of the journal asks for is taken when it opens and kept until
// it closes, so the action's own records and the receipt register it keeps beside the journal
// change in no other copy's hands meanwhile, and an append can be taken back safely.
namespace almavest::membership {

class LockedJournal final
{
public:
    explicit LockedJournal(const QString &path);
    ~LockedJournal();
    LockedJournal(const LockedJournal &) = delete;
    LockedJournal &operator=(const LockedJournal &) = delete;

    // Opens the journal for writing, creating it empty when missing, and waits for its lock.
    // An existing file that cannot be opened is never created anew.
    [[nodiscard]] bool open();
    qint64 count() const;
    // Reads the record at `position` (1 to count).
    [[nodiscard]] bool read(qint64 position, QByteArray &record);
    // Appends a whole record and returns its position; a write that fails leaves nothing.
    [[nodiscard]] std::optional<qint64> append(const QByteArray &record);
    // Takes back the record this action appended at `position`, the last one.
    [[nodiscard]] bool takeBack(qint64 position);
    QString errorString() const { return m_error; }

private:
    bool fail(const QString &reason);

    QFile m_file;
    std::unique_ptr<store::FileLock> m_lock;
    QString m_error;
};

} // namespace almavest::membership
