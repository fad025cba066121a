#pragma once

#include <QByteArrayView>
#include <QString>

// Files that are always written whole: settings, photos, exports.
namespace almavest::store {

enum class WriteFailure {
    None,
    Create, // no file can be made in the folder: it is missing or may not be written
    Write, // the bytes could not all be written, as on a full disk
};

// Replaces the file at `path` with `bytes`: they go to a temporary file in the same folder that
// is then renamed over the old file, so after a failure the old file is still whole and nothing
// new is left behind. `error`, when given, receives the system's reason for a failure.
WriteFailure writeWholeFile(const QString &path, QByteArrayView bytes, QString *error = nullptr);

} // namespace almavest::store
