#include "ui/registry/MemberCardLayout.h"

#include "registry/MemberRecord.h"

#include <cstring>

namespace almavest::ui::membercard {

namespace {

using enum KeyFilter;
constexpr Casing Plain = Casing::None;
constexpr Casing Upper = Casing::Upper;
constexpr Casing Trim = Casing::TrimOnly;

// Rows of the card, 48 pixels apart; the left block stops short of the photo.
constexpr int row(int n) { return 64 + 48 * n; }

constexpr std::array<Box, 19> kBoxes{{
    {{"txtDipendente", 0, None, Plain, "txtCittadinanza"}, "Cognome e nome:", 16, row(0), 490},
    {{"txtCittadinanza", 0, None, Plain, "txtStipendio"}, "Tessera n.", 16, row(1), 250},
    {{"txtStipendio", 0, Amount, Plain, "txtLuogo"}, "Quota: €", 286, row(1), 120},
    {{"txtLuogo", 0, None, Plain, "txtDataNasc"}, "Luogo di nascita:", 16, row(2), 350},
    {{"txtDataNasc", 0, None, Plain, "txtCodFisc"}, "Data di nascita:", 386, row(2), 120},
    {{"txtCodFisc", 0, Alphanumeric, Upper, "txtPartitaIva"}, "Codice fiscale:", 16, row(3), 220},
    {{"txtPartitaIva", 0, None, Plain, "txtIndirizzo"}, "Data iscrizione:", 386, row(3), 120},
    {{"txtIndirizzo", 0, None, Plain, "txtCitta"}, "Indirizzo di residenza e numero civico:", 16,
     row(4), 490},
    {{"txtCitta", 0, None, Plain, "txtProv"}, "Città:", 16, row(5), 290},
    {{"txtProv", 0, None, Upper, "txtCap"}, "Prov.", 326, row(5), 50},
    {{"txtCap", 0, None, Plain, "txtQualifiche"}, "CAP:", 396, row(5), 110},
    {{"txtQualifiche", 0, None, Plain, "txtFamiliari"}, "Qualifiche:", 16, row(6), 490},
    {{"txtFamiliari", 0, None, Plain, "txtIban"}, "Incarico ricoperto in Associazione:", 16,
     row(7), 490},
    {{"txtIban", 0, None, Upper, "txtNote"}, "IBAN:", 16, row(8), 300},
    {{"txtNote", 0, None, Plain, "txtDataSca"}, "Note:", 16, row(9), 864},
    {{"txtDataSca", 0, None, Plain, nullptr}, "Scadenza iscrizione:", 16, row(10), 120},
    {{"txtPreavviso", 0, Digits, Plain, "txtRecapito"}, "Giorni preavviso:", 190, row(10), 110},
    {{"txtRecapito", 0, None, Plain, "txtEmail"}, "Recapito telefonico:", 326, row(10), 250},
    {{"txtEmail", 0, None, Trim, "txtDipendente"}, "E-mail:", 600, row(10), 250},
}};

constexpr std::array<Button, 12> kSideButtons{{
    {"btnNuovo", "btn-nuovo.svg", "Nuovo", true},
    {"btnDuplica", "btn-duplica.svg", "Duplica", true},
    {"btnSalva", "btn-salva.svg", "Salva", true},
    {"btnTrova", "btn-trova.svg", "Trova", true},
    {"btnAllegati", "btn-allegati.svg", "Allegati", false},
    {"btnAnteprima", "btn-anteprima.svg", "Anteprima", true},
    {"btnStampa", "btn-stampa.svg", "Stampa", true},
    {"btnScadenze", "btn-scadenze.svg", "Scadenze", true},
    {"btnScaduti", "btn-scaduti.svg", "Scaduti", true},
    {"btnEsporta", "btn-esporta.svg", "Esporta", false},
    {"btnGuida", "btn-guida.svg", "Guida", false},
    {"btnEsci", "btn-esci.svg", "Esci", true},
}};

constexpr std::array<HintSpec, 26> kHints{{
    {"cmdPrimo", "Visualizza la prima scheda in archivio."},
    {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
    {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
    {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
    {"btnNuovo", "Prepara la schermata per l'inserimento di una nuova scheda."},
    {"btnDuplica", "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati "
                   "correnti."},
    {"btnSalva", "Salva la scheda corrente in archivio."},
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
    {"btnIban", "Controlla l'IBAN."},
    {"btnEmail", "Invia una e-mail all'indirizzo indicato."},
    {"delDataSca", "Cancella la data."},
    {"txtDataSca", "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal "
                   "calendario."},
}};

std::array<FieldSpec, 19> buildFieldTable()
{
    std::array<FieldSpec, 19> table{};
    for (size_t i = 0; i < kBoxes.size(); ++i) {
        table[i] = kBoxes[i].field;
        const int index = registry::memberTable().indexOf(QLatin1String(table[i].name));
        table[i].maxLength = registry::memberTable().field(index).typed;
    }
    return table;
}

} // namespace

std::span<const Box> boxes()
{
    return kBoxes;
}

std::span<const FieldSpec> fieldTable()
{
    static const std::array<FieldSpec, 19> table = buildFieldTable();
    return table;
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
