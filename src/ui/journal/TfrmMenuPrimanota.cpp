#include "ui/journal/TfrmMenuPrimanota.h"

#include "ui/app/AppContext.h"
#include "ui/app/TfrmAvvio.h"
#include "ui/balance/TfrmMenuBilancio.h"
#include "ui/journal/TfrmMenuMovimenti.h"

namespace almavest::ui {

TfrmMenuPrimanota::TfrmMenuPrimanota(AppContext &context)
    : ChoiceMenu(context,
        {"frmMenuPrimanota", " Almavest - Primanota e bilancio", "panMenuPrimanota",
            "PRIMANOTA E BILANCIO",
            "Premere il pulsante per registrare i movimenti in entrata e uscita o per riepilogare "
            "la primanota e il bilancio.",
            HelpTopic::JournalMenu},
        {{"btnRegistra", "Registra movimenti in entrata e uscita", "registra"},
            {"btnRiepiloga", "Riepiloga primanota e bilancio", "riepiloga"}})
{ }

TfrmMenuPrimanota::~TfrmMenuPrimanota() = default;

void TfrmMenuPrimanota::leaveFor(const QString &word)
{
    ResidentScreens &screens = context().screens();
    if (word == QLatin1String("riepiloga"))
        screens.menuBilancio->open(this);
    else if (word == QLatin1String("registra"))
        AppContext::switchScreen(this, screens.menuMovimenti);
    else
        AppContext::switchScreen(this, screens.launcher);
}

} // namespace almavest::ui
