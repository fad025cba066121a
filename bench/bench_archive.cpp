// The archive layer: decoding every field, and reading one record as a browsing arrow does.
#include "BenchSupport.h"

#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"

namespace almavest::bench {

namespace {

double decodingScan(const QString &path)
{
    return bestOf(5, [&] {
        store::ArchiveFile archive(path, registry::kMemberRecordSize);
        require(archive.openForReading(), "cannot open the archive");
        qint64 chars = 0;
        store::DecodedRecord record;
        const bool read = archive.scan([&](qint64, QByteArrayView bytes) {
            registry::memberLayout().decode(bytes, record);
            for (int i = 0; i < record.fieldCount(); ++i)
                chars += record.field(i).size();
            return true;
        });
        require(read && chars > 0, "cannot scan the archive");
    });
}

// Microseconds for one open, read and close.
double readMiddle(const QString &path)
{
    const int repeats = 2000;
    return bestOf(3,
               [&] {
                   for (int i = 0; i < repeats; ++i) {
                       store::ArchiveFile archive(path, registry::kMemberRecordSize);
                       QByteArray buffer;
                       require(
                           archive.openForReading() && archive.read(archive.count() / 2, buffer),
                           "cannot read the archive");
                       registry::memberLayout().fields(buffer);
                   }
               })
        * 1000.0 / repeats;
}

} // namespace

void archiveBenchmarks(const QString &archive, const QString &smallArchive, double raw)
{
    row(QStringLiteral("scan decoding every field"), decodingScan(archive), QStringLiteral("ms"),
        raw, 5);
    const double middleSmall = readMiddle(smallArchive);
    row(QStringLiteral("one record in the middle, 1,000 records"), middleSmall,
        QStringLiteral("us"));
    row(QStringLiteral("one record in the middle, large archive"), readMiddle(archive),
        QStringLiteral("us"), middleSmall, 1.5);
}

} // namespace almavest::bench
