#include "ui/book/BookMenu.h"

#include "ui/app/AppContext.h"
#include "ui/app/Launcher.h"
#include "ui/book/BookCreationScreen.h"
#include "ui/book/BookListScreen.h"

namespace almavest::ui {

BookMenu::BookMenu(AppContext &context)
    : ChoiceMenu(context,
        {"frmMenuRegistro", " Almavest - Creazione / Compilazione Libro Soci", "panMenuRegistro",
            "CREA / COMPILA LIBRO SOCI",
            "Premere il pulsante per creare un nuovo Libro Soci o per compilarne uno esistente.",
            HelpTopic::BookMenu},
        {{"btnCrea", "Crea nuovo Libro Soci", "crea"},
            {"btnCompila", "Compila Libro Soci esistente", "compila"}})
{ }

BookMenu::~BookMenu() = default;

void BookMenu::leaveFor(const QString &word)
{
    ResidentScreens &screens = context().screens();
    QWidget *next = screens.launcher;
    if (word == QLatin1String("crea"))
        next = screens.bookCreationScreen;
    else if (word == QLatin1String("compila"))
        next = screens.bookListScreen;
    AppContext::switchScreen(this, next);
}

} // namespace almavest::ui
