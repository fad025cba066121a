#include "ui/journal/JournalMenu.h"

#include "ui/app/AppContext.h"
#include "ui/app/Launcher.h"
#include "ui/balance/BalanceQuery.h"
#include "ui/journal/JournalYearMenu.h"

namespace almavest::ui {

JournalMenu::JournalMenu(AppContext &context)
    : ChoiceMenu(context,
        {"frmMenuPrimanota", " Almavest - Primanota e bilancio", "panMenuPrimanota",
            "PRIMANOTA E BILANCIO",
            "Premere il pulsante per registrare i movimenti in entrata e uscita o per riepilogare "
            "la primanota e il bilancio.",
            HelpTopic::JournalMenu},
        {{"btnRegistra", "Registra movimenti in entrata e uscita", "registra"},
            {"btnRiepiloga", "Riepiloga primanota e bilancio", "riepiloga"}})
{ }

JournalMenu::~JournalMenu() = default;

void JournalMenu::leaveFor(const QString &word)
{
    ResidentScreens &screens = context().screens();
    if (word == QLatin1String("riepiloga"))
        screens.balanceQuery->open(this);
    else if (word == QLatin1String("registra"))
        AppContext::switchScreen(this, screens.journalYearMenu);
    else
        AppContext::switchScreen(this, screens.launcher);
}

} // namespace almavest::ui
