#include "ui/registry/MemberCardLayout.h"

#include "registry/MemberRecord.h"

namespace almavest::ui::membercard {

namespace {

using namespace registry;

// Rows of the card, 48 pixels apart; the left block stops short of the photo.
constexpr int row(int n)
{
    return 64 + 48 * n;
}

constexpr std::array<Box, 19> kBoxes {{
    {Name, 16, row(0), 490},
    {CardNumber, 16, row(1), 250},
    {Fee, 286, row(1), 120},
    {BirthPlace, 16, row(2), 350},
    {BirthDate, 386, row(2), 120},
    {TaxCode, 16, row(3), 220},
    {EnrolmentDate, 386, row(3), 120},
    {Address, 16, row(4), 490},
    {Town, 16, row(5), 290},
    {Province, 326, row(5), 50},
    {PostCode, 396, row(5), 110},
    {Qualifications, 16, row(6), 490},
    {Role, 16, row(7), 490},
    {Iban, 16, row(8), 300},
    {Notes, 16, row(9), 864},
    {ExpiryDate, 16, row(10), 120},
    {NoticeDays, 190, row(10), 110},
    {Phone, 326, row(10), 250},
    {Email, 600, row(10), 250},
}};

constexpr std::array<Button, 13> kSideButtons {{
    {"btnNuovo", "btn-nuovo.svg", "Nuovo", true},
    {"btnDuplica", "btn-duplica.svg", "Duplica", true},
    {"btnSalva", "btn-salva.svg", "Salva", true},
    {"btnRinnova", "btn-rinnova.svg", "Rinnova", true},
    {"btnTrova", "btn-trova.svg", "Trova", true},
    {"btnAllegati", "btn-allegati.svg", "Allegati", true},
    {"btnAnteprima", "btn-anteprima.svg", "Anteprima", true},
    {"btnStampa", "btn-stampa.svg", "Stampa", true},
    {"btnScadenze", "btn-scadenze.svg", "Scadenze", true},
    {"btnScaduti", "btn-scaduti.svg", "Scaduti", true},
    {"btnEsporta", "btn-esporta.svg", "Esporta", true},
    {"btnGuida", "btn-guida.svg", "Guida", true},
    {"btnEsci", "btn-esci.svg", "Esci", true},
}};

constexpr std::array<HintSpec, 28> kHints {{
    {"cmdPrimo", "Visualizza la prima scheda in archivio."},
    {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
    {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
    {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
    {"btnNuovo", "Prepara la schermata per l'inserimento di una nuova scheda."},
    {"btnDuplica",
        "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati "
        "correnti."},
    {"btnSalva", "Salva la scheda corrente in archivio."},
    {"btnRinnova",
        "Rinnova l'iscrizione del socio, registra la quota in primanota ed emette la "
        "ricevuta."},
    {"btnTrova", "Trova una scheda in archivio."},
    {"btnAllegati", "Allega file alla scheda corrente."},
    {"btnAnteprima", "Visualizza l'anteprima di stampa."},
    {"btnStampa", "Stampa la scheda corrente."},
    {"btnScadenze", "Visualizza il riepilogo dei soci con iscrizioni in scadenza o scadute."},
    {"btnScaduti", "Visualizza il riepilogo dei soci con iscrizione scaduta."},
    {"btnEsporta", "Esporta l'archivio in un foglio di Microsoft Excel."},
    {"btnGuida", "Visualizza la pagina della guida sensibile al contesto."},
    {"btnEsci", "Esci da questa schermata di lavoro."},
    {"btnCaricaFoto", "Carica una foto esistente."},
    {"btnAcquisisciFoto", "Acquisisci la foto da WebCam."},
    {"btnSalvaFoto", "Salva la foto su disco."},
    {"btnZoomFoto", "Visualizza la foto nelle sue dimensioni reali."},
    {"btnCancFoto", "Cancella la foto."},
    {"btnCodFisc", "Controlla il codice fiscale."},
    {"btnCalcolaCF", "Calcola il codice fiscale dai dati anagrafici."},
    {"btnIban", "Controlla l'IBAN."},
    {"btnEmail", "Invia una e-mail all'indirizzo indicato."},
    {"delDataSca", "Cancella la data."},
    {"txtDataSca",
        "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal "
        "calendario."},
}};

} // namespace

std::span<const Box> boxes()
{
    return kBoxes;
}

std::span<const Button> sideButtons()
{
    return kSideButtons;
}

std::span<const HintSpec> hints()
{
    return kHints;
}

} // namespace almavest::ui::membercard
