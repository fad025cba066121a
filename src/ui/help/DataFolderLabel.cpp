#include "ui/help/DataFolderLabel.h"

#include "app/ProgramFolder.h"
#include "ui/conventions/Window.h"

#include <QDir>
#include <QLabel>

namespace almavest::ui {

QLabel *dataFolderLabel(const app::ProgramFolder &folder, QWidget *parent)
{
    QLabel *label = namedLabel(kDataFolderLabel,
        QStringLiteral("Cartella dei dati: ") + QDir::toNativeSeparators(folder.path()), parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace almavest::ui
