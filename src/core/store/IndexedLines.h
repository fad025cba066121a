#pragma once

#include "store/FieldIndex.h"
#include "store/ListLines.h"

#include <optional>
#include <span>
#include <utility>
#include <vector>

// The list scans over an archive's compact copy, falling back to the archive itself: one walk
// whichever is read, with a line made from a record's field texts by field.
namespace almavest::store {

// The lines of the compact copy of `fields` of the archive at `archivePath`, as scanLines makes
// them of the archive: `lineOf(textOf, line)`, where `textOf(field)` gives the trimmed text
// bytes of a field of the record at hand, writes its line or returns false to leave it out.
// Nothing when there is no copy to read or it could not be read to the end: the caller then
// scans the archive, which gives the same lines.
template <typename LineOfTexts>
std::optional<ListLines> indexedLines(const QString &archivePath, const RecordLayout &layout,
    std::span<const int> fields, const LineOfTexts &lineOf, ScanControl *control)
{
    const auto index = FieldIndex::open(archivePath, layout, fields, control);
    if (index == nullptr || (control && control->cancelled()))
        return std::nullopt;
    ListLines lines;
    const qint64 count = index->count();
    // Making the copy took the first half of the progress.
    const qint64 done = index->wasMade() ? count : 0;
    const qint64 total = done + count;
    if (control && !control->report(done, total))
        return lines;
    constexpr qsizetype kSlack = 16;
    LineBuilder builder;
    const MappedReadGuard guard = index->guard();
    for (qint64 position = 1; position <= count; ++position) {
        if (control && ScanControl::dueForReport(position)
            && !control->report(done + position, total))
            return lines;
        const auto textOf = [&index, position](int field) { return index->text(field, position); };
        builder.clear();
        if (!lineOf(textOf, builder))
            continue;
        if (lines.isEmpty())
            lines.reserve(count - position + 1, builder.bytes().size() + kSlack);
        lines.append(builder.bytes(), position);
    }
    if (index->damaged())
        FieldIndex::drop(archivePath); // made anew by the next list
    if (guard.faulted() || index->damaged())
        return std::nullopt;
    return lines;
}

// The lines of the archive, read from its compact copy where there is one and otherwise from
// the archive, bringing in its bytes at `readAhead`. `restart()` is called before the archive is
// scanned after a copy that could not be read to the end, to forget what the walk of it counted.
template <typename LineOfTexts, typename Restart>
ListLines linesOf(const QString &archivePath, const RecordLayout &layout,
    std::span<const int> fields, const LineOfTexts &lineOf, std::vector<int> readAhead,
    ScanControl *control, const Restart &restart)
{
    if (std::optional<ListLines> lines = indexedLines(archivePath, layout, fields, lineOf, control))
        return std::move(*lines);
    restart();
    return scanLines(
        archivePath, layout.recordSize(),
        [&layout, &lineOf](QByteArrayView record, LineBuilder &line) {
            return lineOf(
                [&layout, record](int field) { return layout.textBytes(record, field); }, line);
        },
        std::move(readAhead), control);
}

} // namespace almavest::store
