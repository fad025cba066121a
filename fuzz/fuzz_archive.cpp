// Record decoding and the whole-file archive scan over arbitrary bytes: the member layout and
// a small layout with the extreme capacities 0 and 255, read as records and as a file.
#include "FuzzSupport.h"

#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "store/RecordLayout.h"

using namespace almavest;
using fuzz::require;

namespace {

const store::RecordLayout &smallLayout()
{
    static const store::RecordLayout layout {0, 3, 255, 1};
    return layout;
}

// Every way of reading a record gives the same texts, and storing them back reads back the same.
void checkRecord(const store::RecordLayout &layout, QByteArrayView record)
{
    const QStringList values = layout.fields(record);
    store::DecodedRecord decoded;
    layout.decode(record, decoded);
    require(decoded.fieldCount() == layout.fieldCount(), "decode: field count");
    for (int i = 0; i < layout.fieldCount(); ++i) {
        require(decoded.field(i) == values.at(i), "decode differs from fields");
        require(values.at(i).size() <= layout.capacity(i), "field longer than its capacity");
        require(layout.textBytes(record, i).size() == values.at(i).size(), "textBytes length");
    }
    QByteArray copy = record.toByteArray();
    layout.setFields(copy, values);
    require(copy.size() >= layout.recordSize(), "setFields: short record");
    require(layout.fields(copy) == values, "fields do not read back as stored");
}

void checkFile(const store::RecordLayout &layout, const QString &path, qint64 fileSize)
{
    store::ArchiveFile archive(path, layout.recordSize());
    require(archive.openForWriting(), "opening an existing file failed");
    const qint64 count = archive.count();
    require(count == fileSize / layout.recordSize(), "count is not the whole records");
    qint64 visited = 0;
    QByteArray last;
    const bool scanned = archive.scan([&](qint64 position, QByteArrayView record) {
        require(position == ++visited, "scan skipped a position");
        require(record.size() == layout.recordSize(), "scan handed a partial record");
        checkRecord(layout, record);
        last = record.toByteArray();
        return true;
    });
    require(scanned && visited == count, "scan did not visit every record");
    QByteArray record;
    require(!archive.read(0, record) && !archive.read(count + 1, record), "read out of range");
    if (count > 0) {
        require(archive.read(count, record) && record == last, "read differs from scan");
        require(archive.overwrite(count, record), "rewriting the last record failed");
        require(archive.count() == count, "rewriting changed the count");
    }
    require(!archive.overwrite(count + 1, layout.blankRecord()), "overwrite past the end accepted");
    const std::optional<qint64> appended = archive.append(layout.blankRecord());
    require(appended == count + 1 && archive.count() == count + 1, "append not at count + 1");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    for (const store::RecordLayout *layout : {&registry::memberLayout(), &smallLayout()}) {
        // A short or damaged buffer is read without going past its end.
        checkRecord(*layout, bytes);
        static const QString path = fuzz::scratchFile("archive.pro");
        fuzz::writeFile(path, bytes);
        checkFile(*layout, path, bytes.size());
    }
    return 0;
}
