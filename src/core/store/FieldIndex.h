#pragma once

#include "store/MappedReadGuard.h"
#include "store/RecordLayout.h"
#include "store/ScanControl.h"

#include <QByteArrayView>
#include <QString>

#include <memory>
#include <span>
#include <vector>

class QFile;

// A compact copy of the text of a few fields of every record of an archive, kept in a hidden
// file beside it, field after field: a query that reads two fields walks two short runs of bytes
// instead of every record of the archive. The archive stays as it is and stays the reference:
// the copy is used only while the archive's size, modification and change times and file number
// are those it was made from, and is made only from an archive left alone for a few seconds, so
// that a change within one tick of a coarse clock (two seconds on a USB stick) cannot pass
// unseen. Our own writes drop it; a copy that is missing, stale or damaged is made anew where the
// folder can be written, and otherwise the archive is scanned as it always was.
namespace almavest::store {

class FieldIndex final
{
public:
    ~FieldIndex();
    FieldIndex(const FieldIndex &) = delete;
    FieldIndex &operator=(const FieldIndex &) = delete;

    // The copy of `fields` of `layout` for the archive at `archivePath`, made first where it is
    // missing or no longer fits the archive. Nothing when there is none to use: an empty or
    // missing archive, a folder that cannot be written, an archive changed a moment ago, a scan
    // cancelled through `control` (which follows the making of the copy) or a read failure. The
    // caller then reads the archive itself.
    static std::unique_ptr<FieldIndex> open(const QString &archivePath, const RecordLayout &layout,
        std::span<const int> fields, ScanControl *control = nullptr);
    // Drops the copy of the archive at `archivePath`, as a write to the archive does.
    static void drop(const QString &archivePath);
    // Where the copy of the archive at `archivePath` is kept.
    static QString pathFor(const QString &archivePath);

    // The number of whole records of the archive.
    qint64 count() const { return m_count; }
    // The trimmed text bytes of `field` of the record at `position` (1 to count()), as
    // RecordLayout::textBytes gives them; `field` must be one of those the copy was opened for.
    // A copy found damaged here gives empty texts from then on and says so in damaged().
    QByteArrayView text(int field, qint64 position) const;
    bool damaged() const { return m_damaged; }
    // Reads the ends of every text of `fields` (some of those the copy was opened for) once: a
    // copy whose ends go back or past their texts is damaged. A list that makes its lines from
    // the copy when they are shown checks the fields of its lines so before it is kept.
    bool checkTexts(std::span<const int> fields) const;
    // Whether open() made the copy: its scan of the archive then reported the first half of
    // the progress, and the query reports the second.
    bool wasMade() const { return m_wasMade; }
    // Guards the reads of the copy while a query walks it: a copy on a stick pulled out under
    // the query reads as zeros, and the guard says so.
    MappedReadGuard guard() const { return MappedReadGuard(m_bytes, m_size); }

private:
    struct Column
    {
        const uchar *ends; // where each record's text ends in the text bytes, 32 bits each
        const char *texts;
        quint64 textBytes;
    };
    FieldIndex() = default;
    static std::unique_ptr<FieldIndex> map(const QString &path, const QByteArray &expectedHeader);

    std::unique_ptr<QFile> m_file;
    const uchar *m_bytes = nullptr;
    qint64 m_size = 0;
    qint64 m_count = 0;
    std::vector<int> m_columnOfField; // -1 for a field not in the copy
    std::vector<Column> m_columns;
    mutable bool m_damaged = false;
    bool m_wasMade = false;
};

} // namespace almavest::store
