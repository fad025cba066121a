#pragma once

#include "store/FieldIndex.h"
#include "store/ListLines.h"

#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// The list scans over an archive's compact copy, falling back to the archive itself: one walk
// whichever is read, a record taken or left by its field texts by field, and its line made from
// the same texts.
namespace almavest::store {

// Makes a line from the texts of the compact copy, when the list shows it: `lineOf(textOf,
// line)`, where `textOf(field)` gives the trimmed text bytes of a field of the record.
template <typename LineOfTexts> class IndexedLineSource final : public LineSource
{
public:
    IndexedLineSource(std::shared_ptr<const FieldIndex> index, LineOfTexts lineOf)
        : m_index(std::move(index))
        , m_lineOf(std::move(lineOf))
    { }

    void build(qint64 position, LineBuilder &line) const override
    {
        // A copy on a stick pulled out under the list reads as blanks rather than ending the
        // program.
        const MappedReadGuard guard = m_index->guard();
        const FieldIndex &index = *m_index;
        m_lineOf([&index, position](int field) { return index.text(field, position); }, line);
    }

private:
    std::shared_ptr<const FieldIndex> m_index;
    LineOfTexts m_lineOf;
};

// The lines of the compact copy of `fields` of the archive at `archivePath`, as scanLines makes
// them of the archive: `wanted(textOf)`, where `textOf(field)` gives the trimmed text bytes of a
// field of the record at hand, says whether its line is in the list. The list keeps the copy
// and the record positions, and `lineOf(textOf, line)` writes a line from its `lineFields` when
// it is shown. Nothing when there is no copy to read or it could not be read to the end: the
// caller then scans the archive, which gives the same lines.
template <typename Wanted, typename LineOfTexts>
std::optional<ListLines> indexedLines(const QString &archivePath, const RecordLayout &layout,
    std::span<const int> fields, std::span<const int> lineFields, const Wanted &wanted,
    const LineOfTexts &lineOf, ScanControl *control)
{
    const std::shared_ptr<const FieldIndex> index
        = FieldIndex::open(archivePath, layout, fields, control);
    if (index == nullptr || (control && control->cancelled()))
        return std::nullopt;
    ListLines lines(std::make_shared<IndexedLineSource<LineOfTexts>>(index, lineOf));
    const qint64 count = index->count();
    // Making the copy took the first half of the progress.
    const qint64 done = index->wasMade() ? count : 0;
    const qint64 total = done + count;
    if (control && !control->report(done, total))
        return lines;
    const MappedReadGuard guard = index->guard();
    for (qint64 position = 1; position <= count; ++position) {
        if (control && ScanControl::dueForReport(position)
            && !control->report(done + position, total))
            return lines;
        const auto textOf = [&index, position](int field) { return index->text(field, position); };
        if (!wanted(textOf))
            continue;
        if (lines.isEmpty())
            lines.reserve(count - position + 1, 0);
        lines.appendPosition(position);
    }
    if (!lines.isEmpty())
        index->checkTexts(lineFields);
    if (index->damaged())
        FieldIndex::drop(archivePath); // made anew by the next list
    if (guard.faulted() || index->damaged())
        return std::nullopt;
    return lines;
}

// The lines of the archive, read from its compact copy where there is one and otherwise from
// the archive, bringing in its bytes at `readAhead`; `wanted` and `lineOf` as indexedLines has
// them. `restart()` is called before the archive is scanned after a copy that could not be read
// to the end, to forget what the walk of it counted.
template <typename Wanted, typename LineOfTexts, typename Restart>
ListLines linesOf(const QString &archivePath, const RecordLayout &layout,
    std::span<const int> fields, std::span<const int> lineFields, const Wanted &wanted,
    const LineOfTexts &lineOf, std::vector<int> readAhead, ScanControl *control,
    const Restart &restart)
{
    if (std::optional<ListLines> lines
        = indexedLines(archivePath, layout, fields, lineFields, wanted, lineOf, control))
        return std::move(*lines);
    restart();
    return scanLines(
        archivePath, layout.recordSize(),
        [&layout, &wanted, &lineOf](QByteArrayView record, LineBuilder &line) {
            const auto textOf
                = [&layout, record](int field) { return layout.textBytes(record, field); };
            if (!wanted(textOf))
                return false;
            lineOf(textOf, line);
            return true;
        },
        std::move(readAhead), control);
}

} // namespace almavest::store
