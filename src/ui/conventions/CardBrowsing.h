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
// to is handed to the screen to show. Also how every card says why it cannot be saved.
namespace almavest::ui {

class Services;

// Shows `refusal` as a plain message or a warning, as it says, and puts the focus in `field`.
void showRefusal(
    Services &services, QWidget *card, const store::SaveRefusal &refusal, QWidget *field);

// One press of `arrow` on `card`, whose position label is `position`. `read` shows the record
// at a position of the open archive.
void browseCard(Services &services, QWidget *card, store::ArchiveFile &archive, store::Arrow arrow,
    QLabel *position, const std::function<void(store::ArchiveFile &, qint64)> &read);

} // namespace almavest::ui
