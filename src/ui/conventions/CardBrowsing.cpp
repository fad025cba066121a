#include "ui/conventions/CardBrowsing.h"

#include "store/ArchiveFile.h"
#include "ui/services/Services.h"

#include <QLabel>

namespace almavest::ui {

void browseCard(Services &services, QWidget *card, store::ArchiveFile &archive, store::Arrow arrow,
    QLabel *position, const std::function<void(store::ArchiveFile &, qint64)> &read)
{
    if (!archive.openForReading()) {
        services.message(card, MessageKind::Error, store::archiveAccessMessage());
        return;
    }
    const store::BrowseStep step = store::browseStep(arrow, position->text(), archive.count());
    switch (step.action) {
    case store::BrowseStep::Nothing:
        return;
    case store::BrowseStep::EmptyArchive:
        archive.close();
        if (step.clearPosition)
            position->clear();
        services.message(card, MessageKind::Information,
            QStringLiteral("L'archivio non contiene nessuna scheda."));
        return;
    case store::BrowseStep::Read:
        read(archive, step.position);
        return;
    }
}

void showRefusal(
    Services &services, QWidget *card, const store::SaveRefusal &refusal, QWidget *field)
{
    if (refusal.plain)
        services.plainMessage(card, refusal.message);
    else
        services.message(card, MessageKind::Warning, refusal.message);
    field->setFocus();
}

} // namespace almavest::ui
