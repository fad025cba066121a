#pragma once

#include "store/CardRules.h"

#include <functional>

class QLabel;
class QWidget;

namespace almavest::store {
class ArchiveFile;
}

// What a browsing arrow does on every card screen: the archive is opened for reading, an empty
// archive is said so, a failure gets the archive access message, and the record the arrow leads
// to is handed to the screen to show.
namespace almavest::ui {

class Services;

// One press of `arrow` on `card`, whose position label is `position`. `read` shows the record
// at a position of the open archive.
void browseCard(Services &services, QWidget *card, store::ArchiveFile &archive, store::Arrow arrow,
    QLabel *position, const std::function<void(store::ArchiveFile &, qint64)> &read);

} // namespace almavest::ui
