#pragma once

#include "store/RecordLayout.h"

#include <QList>
#include <QString>
#include <QStringList>

// Appends whole records given as field texts to an archive, for sample folders and fixtures.
namespace almavest::store {

// Appends `records`, each laid out by `layout`, to the archive at `path`; false when the archive
// cannot be opened or a record cannot be written.
[[nodiscard]] bool appendRecords(
    const QString &path, const RecordLayout &layout, const QList<QStringList> &records);

} // namespace almavest::store
