#include "ui/book/TfrmMenuRegistro.h"

#include "ui/app/AppContext.h"
#include "ui/app/TfrmAvvio.h"
#include "ui/book/TfrmApriRegistro.h"
#include "ui/book/TfrmCreaRegistro.h"

namespace almavest::ui {

TfrmMenuRegistro::TfrmMenuRegistro(AppContext &context)
    : ChoiceMenu(context,
        {"frmMenuRegistro", " Almavest - Creazione / Compilazione Libro Soci", "panMenuRegistro",
            "CREA / COMPILA LIBRO SOCI",
            "Premere il pulsante per creare un nuovo Libro Soci o per compilarne uno esistente.",
            HelpTopic::BookMenu},
        {{"btnCrea", "Crea nuovo Libro Soci", "crea"},
            {"btnCompila", "Compila Libro Soci esistente", "compila"}})
{ }

TfrmMenuRegistro::~TfrmMenuRegistro() = default;

void TfrmMenuRegistro::leaveFor(const QString &word)
{
    ResidentScreens &screens = context().screens();
    QWidget *next = screens.launcher;
    if (word == QLatin1String("crea"))
        next = screens.creaRegistro;
    else if (word == QLatin1String("compila"))
        next = screens.apriRegistro;
    AppContext::switchScreen(this, next);
}

} // namespace almavest::ui
