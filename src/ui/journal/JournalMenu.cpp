#include "ui/journal/JournalMenu.h"

namespace almavest::ui {

JournalMenu::JournalMenu(AppContext &context)
    : ChoiceMenu(context,
        {"frmMenuPrimanota", " Almavest - Primanota e bilancio", "panMenuPrimanota",
            "PRIMANOTA E BILANCIO",
            "Premere il pulsante per registrare i movimenti in entrata e uscita o per riepilogare "
            "la primanota e il bilancio.",
            HelpTopic::JournalMenu},
        {{"btnRegistra", "Registra movimenti in entrata e uscita", "registra", Screen::JournalYear},
            {"btnRiepiloga", "Riepiloga primanota e bilancio", "riepiloga", Screen::BalanceQuery},
            {"btnRendiconto", "Rendiconto per cassa", "rendiconto", Screen::Statement}})
{ }

JournalMenu::~JournalMenu() = default;

} // namespace almavest::ui
