#include "ui/book/BookMenu.h"

namespace almavest::ui {

BookMenu::BookMenu(AppContext &context)
    : ChoiceMenu(context,
        {"frmMenuRegistro", " Almavest - Creazione / Compilazione Libro Soci", "panMenuRegistro",
            "CREA / COMPILA LIBRO SOCI",
            "Premere il pulsante per creare un nuovo Libro Soci o per compilarne uno esistente.",
            HelpTopic::BookMenu},
        {{"btnCrea", "Crea nuovo Libro Soci", "crea", Screen::BookCreation},
            {"btnCompila", "Compila Libro Soci esistente", "compila", Screen::BookList}})
{ }

BookMenu::~BookMenu() = default;

} // namespace almavest::ui
