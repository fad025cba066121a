#include "store/WholeFile.h"

#include <QSaveFile>

namespace almavest::store {

WriteFailure writeWholeFile(const QString &path, QByteArrayView bytes, QString *error)
{
    QSaveFile file(path);
    // Never fall back to writing over the old file in place: a failure would leave it cut short.
    file.setDirectWriteFallback(false);
    WriteFailure failure = WriteFailure::None;
    if (!file.open(QIODevice::WriteOnly))
        failure = WriteFailure::Create;
    // Writes are buffered, and commit() can miss a failure of the last buffered bytes: flush()
    // reports it.
    else if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush()
        || !file.commit())
        failure = WriteFailure::Write;
    if (failure != WriteFailure::None && error)
        *error = file.errorString();
    return failure;
}

} // namespace almavest::store
