#include "ui/book/PageScreenLayout.h"

#include "book/PageRecord.h"

#include <QByteArray>

#include <array>

namespace almavest::ui::bookpage {

namespace {

using namespace book;

// Captions stand 18 pixels above their boxes.
constexpr std::array<Box, 5> kBookBoxes {{
    {BookNumber, 14, 122, 110},
    {Association, 140, 122, 560},
    {AssociationTaxCode, 716, 122, 220},
    {President, 14, 172, 440},
    {Secretary, 470, 172, 466},
}};

// One member row: the first line of boxes, then the second kSecondLine pixels lower.
constexpr std::array<Box, kRowFieldCount> kRowBoxes {{
    {Order, 26, 18, 48},
    {MemberName, 82, 18, 180},
    {BirthPlace, 292, 18, 140},
    {BirthDate, 440, 18, 84},
    {TaxCode, 532, 18, 150},
    {Address, 714, 18, 154},
    {Phone, 876, 18, 106},
    {CardNumber, 26, 18 + kSecondLine, 110},
    {AdmissionDate, 144, 18 + kSecondLine, 100},
    {Fee, 264, 18 + kSecondLine, 84},
    {ExitDate, 362, 18 + kSecondLine, 92},
    {ExitReason, 462, 18 + kSecondLine, 208},
    {Annotations, 678, 18 + kSecondLine, 304},
}};

constexpr std::array<ToolButton, 13> kToolButtons {{
    {"cmdNuovo", "btn-nuovo.svg", "Nuovo", true},
    {"cmdDuplica", "btn-duplica.svg", "Duplica", true},
    {"cmdSalva", "btn-salva.svg", "Salva", true},
    {"cmdTrova", "btn-trova.svg", "Trova", true},
    {"cmdFile", "btn-allegati.svg", "Allegati", true},
    {"cmdAnteprima", "btn-anteprima.svg", "Anteprima", true},
    {"cmdStampa", "btn-stampa.svg", "Stampa", true},
    {"cmdPrimo", "nav-first.svg", "", true, 40},
    {"cmdIndietro", "nav-prev.svg", "", true},
    {"cmdAvanti", "nav-next.svg", "", true},
    {"cmdUltimo", "nav-last.svg", "", true},
    {"cmdGuida", "btn-guida.svg", "Guida", true, 0, true},
    {"cmdEsci", "btn-esci.svg", "Esci", true},
}};

constexpr HintSpec kFixedHints[] = {
    {"cmdNuovo", "Prepara la schermata per l'inserimento di una nuova scheda."},
    {"cmdDuplica",
        "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati "
        "correnti."},
    {"cmdSalva", "Salva la scheda corrente in archivio."},
    {"cmdTrova", "Trova una scheda in archivio."},
    {"cmdFile", "Allega file alla scheda corrente."},
    {"cmdAnteprima", "Visualizza l'anteprima di stampa della scheda corrente."},
    {"cmdStampa", "Stampa la scheda corrente."},
    {"cmdPrimo", "Visualizza la prima scheda in archivio."},
    {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
    {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
    {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
    {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto."},
    {"cmdEsci", "Esci da questa schermata di lavoro."},
    {"btnCodFisc", "Controlla il codice fiscale."},
};

constexpr char kImportHint[] = "Importa i dati dall'archivio anagrafico dei soci.";
constexpr char kMakeCodeHint[] = "Calcola il codice fiscale dai dati anagrafici.";
constexpr char kDateHint[]
    = "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.";

// The fixed hints, then per row its import button and its three date fields.
struct AllHints
{
    std::vector<QByteArray> names;
    std::vector<HintSpec> hints;

    AllHints()
    {
        const char *suffixes[] = {"_A", "_B", "_C", "_D"};
        for (const char *suffix : suffixes) {
            names.push_back(QByteArray("impSocio") + suffix);
            names.push_back(QByteArray("calcCF") + suffix);
            for (const char *date : {"txtDataNasc", "txtDataAmm", "txtDataUsc"})
                names.push_back(QByteArray(date) + suffix);
        }
        hints.assign(std::begin(kFixedHints), std::end(kFixedHints));
        for (const QByteArray &name : names)
            hints.push_back({name.constData(),
                name.startsWith("impSocio")     ? kImportHint
                    : name.startsWith("calcCF") ? kMakeCodeHint
                                                : kDateHint});
    }
};

} // namespace

std::span<const Box> bookBoxes()
{
    return kBookBoxes;
}

std::span<const Box> rowBoxes()
{
    return kRowBoxes;
}

std::span<const ToolButton> toolButtons()
{
    return kToolButtons;
}

std::span<const HintSpec> hints()
{
    static const AllHints all;
    return all.hints;
}

} // namespace almavest::ui::bookpage
