#include "ui/conventions/DialogButtons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace almavest::ui {

DialogButtons makeDialogButtons(
    QWidget *dialog, const char *confirmName, const QString &confirmText)
{
    DialogButtons buttons;
    const auto button = [dialog](const char *name, const QString &text) {
        auto *made = new QPushButton(text, dialog);
        made->setObjectName(QLatin1String(name));
        made->setAutoDefault(false);
        return made;
    };
    buttons.help = button("btnGuida", QStringLiteral("Guida"));
    buttons.confirm = button(confirmName, confirmText);
    buttons.confirm->setDefault(true);
    buttons.cancel = button("btnAnnulla", QStringLiteral("Annulla"));
    buttons.row = new QHBoxLayout;
    buttons.row->addWidget(buttons.help);
    buttons.row->addStretch(1);
    buttons.row->addWidget(buttons.confirm);
    buttons.row->addWidget(buttons.cancel);
    return buttons;
}

} // namespace almavest::ui
