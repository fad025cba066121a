#include "ui/journal/MovementCardLayout.h"

#include "journal/MovementRecord.h"

#include <array>

namespace almavest::ui::movementcard {

namespace {

using namespace journal;

// Captions stand 18 pixels above their boxes; the notice days carry theirs on the same line.
constexpr std::array<Box, 18> kBoxes {{
    {OperationDate, 230, kFirstLine, 110},
    {DueDate, 390, kFirstLine, 110},
    {NoticeDays, 620, kFirstLine, 44},
    {Purpose, 16, 146, 640},
    {Reminder, 16, 194, 640},
    {Payer, 16, 270, 300},
    {PayerContact, 360, 270, 200},
    {PayerTaxCode, 580, 270, 170},
    {PayerVatNumber, 800, 270, 120},
    {PayerCardNumber, 16, 318, 150},
    {PayerEmail, 186, 318, 300},
    {PaymentMethod, 530, 318, 436},
    {Beneficiary, 16, 390, 300},
    {BeneficiaryContact, 360, 390, 200},
    {Receipt, 580, 390, 386},
    {Notes, 16, 462, 950},
    {Tariff, 16, 510, 950},
    {Amount, kAmountBox.x(), kAmountBox.y(), kAmountBox.width()},
}};

constexpr std::array<ToolButton, 15> kToolButtons {{
    {"cmdNuovo", "btn-nuovo.svg", "Nuovo", true},
    {"cmdDuplica", "btn-duplica.svg", "Duplica", true},
    {"cmdSalva", "btn-salva.svg", "Salva", true},
    {"cmdTrova", "btn-trova.svg", "Trova", true},
    {"cmdFile", "btn-allegati.svg", "Allegati", true},
    {"cmdStampa", "btn-stampa.svg", "Stampa", true},
    {"cmdRicevuta", "btn-ricevuta.svg", "Ricevuta", true},
    {"cmdPrimo", "nav-first.svg", "", true, 20},
    {"cmdIndietro", "nav-prev.svg", "", true},
    {"cmdAvanti", "nav-next.svg", "", true},
    {"cmdUltimo", "nav-last.svg", "", true},
    {"cmdEsporta", "btn-esporta.svg", "Esporta", true, 0, true},
    {"cmdScadenze", "btn-orologio.svg", "Scadenze", true},
    {"cmdGuida", "btn-guida.svg", "Guida", true},
    {"cmdEsci", "btn-esci.svg", "Esci", true},
}};

constexpr std::array<SmallButton, 7> kSmallButtons {{
    {"impData", "clear-date.svg", "txtData", true},
    {"impDataSca", "clear-date.svg", "txtDataSca", true},
    {"impPagatore", "import-member.svg", "txtPagatore", true},
    {"chkCodFisc", "check-code.svg", "txtCodFisc", true},
    {"chkIva", "check-code.svg", "txtPartitaIva", true},
    {"sndEmail", "mail.svg", "txtEmail", true},
    {"impBeneficiario", "import-member.svg", "txtBeneficiario", true},
}};

constexpr std::array<Section, 4> kSections {{
    {"shpMovimento", QRect(8, 66, 978, 164)},
    {"shpPagatore", QRect(8, 238, 978, 112)},
    {"shpBeneficiario", QRect(8, 358, 978, 64)},
    {"shpNote", QRect(8, 430, 978, 112)},
}};

constexpr char kDateHint[]
    = "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.";
constexpr char kClearHint[] = "Cancella la data.";
constexpr char kImportHint[] = "Importa i dati dall'archivio anagrafico dei soci.";

constexpr std::array<HintSpec, 27> kHints {{
    {"cmdNuovo", "Predispone la schermata per l'inserimento di una nuova scheda."},
    {"cmdDuplica",
        "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati "
        "correnti."},
    {"cmdSalva", "Salva la scheda corrente in archivio."},
    {"cmdTrova", "Trova una scheda in archivio."},
    {"cmdFile", "Allega file alla scheda corrente."},
    {"cmdStampa", "Stampa la scheda corrente."},
    {"cmdRicevuta",
        "Emette la ricevuta del movimento in entrata, o ne stampa il duplicato se è già stata "
        "emessa."},
    {"cmdPrimo", "Visualizza la prima scheda in archivio."},
    {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
    {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
    {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
    {"cmdEsporta", "Esporta le schede in archivio in un file di Microsoft Excel."},
    {"cmdScadenze", "Visualizza il riepilogo dei pagamenti in scadenza o scaduti e non saldati."},
    {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto."},
    {"cmdEsci", "Esci da questa schermata di lavoro."},
    {"optEntrata", "Spunta questa casella per registrare un importo in entrata."},
    {"optUscita", "Spunta questa casella per registrare un importo in uscita."},
    {"txtData", kDateHint},
    {"txtDataSca", kDateHint},
    {"impData", kClearHint},
    {"impDataSca", kClearHint},
    {"impPagatore", kImportHint},
    {"impBeneficiario", kImportHint},
    {"chkCodFisc", "Controlla il codice fiscale."},
    {"chkIva", "Controlla il numero di partita IVA."},
    {"sndEmail", "Invia una e-mail all'indirizzo indicato."},
    {"chkSaldato", "Spunta questa casella per indicare che il pagamento è stato saldato."},
}};

} // namespace

std::span<const Box> boxes()
{
    return kBoxes;
}

std::span<const ToolButton> toolButtons()
{
    return kToolButtons;
}

std::span<const SmallButton> smallButtons()
{
    return kSmallButtons;
}

std::span<const Section> sections()
{
    return kSections;
}

std::span<const HintSpec> hints()
{
    return kHints;
}

} // namespace almavest::ui::movementcard
