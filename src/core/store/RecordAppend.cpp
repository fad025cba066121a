#include "store/RecordAppend.h"

#include "store/ArchiveFile.h"

namespace almavest::store {

bool appendRecords(
    const QString &path, const RecordLayout &layout, const QList<QStringList> &records)
{
    ArchiveFile archive(path, layout.recordSize());
    if (!archive.openForWriting())
        return false;
    for (const QStringList &values : records) {
        QByteArray buffer = layout.blankRecord();
        layout.setFields(buffer, values);
        if (!archive.append(buffer))
            return false;
    }
    return true;
}

} // namespace almavest::store
