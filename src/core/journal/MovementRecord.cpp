#include "journal/MovementRecord.h"

#include "text/TextRoutines.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <iterator>

namespace almavest::journal {

namespace {

using store::Casing;
using store::ControlKind;
using store::FieldDefinition;
using store::KeyFilter;

using store::OnDuplicate;

constexpr int kAmountCapacity = 15;
constexpr int kAmountDecimals = 2;

// The record in file order: control, capacity, typed length, key filter, casing, control kind,
// caption on the card, caption on the printed card, exported heading, decimals of the amount,
// what duplicating does: a duplicate is dated today, has no due date and is not settled.
// The payment method is typed 150 characters long in a field of 250. The six attachment fields
// follow.
constexpr std::array<FieldDefinition, kMovementFieldCount - std::size(store::kAttachmentFields)>
    kFields {{
        {"optEntrata", 2, 0, KeyFilter::None, Casing::None, ControlKind::Flag,
            "Tipo movimento:", nullptr, "Tipo movimento"},
        {"optUscita", 2, 0, KeyFilter::None, Casing::None, ControlKind::Flag},
        {"txtData", 10, 10, KeyFilter::None, Casing::None, ControlKind::Date,
            "Data operazione:", nullptr, "Data operazione", 0, nullptr, OnDuplicate::Today},
        {"txtCausale", 250, 250, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Causale:", nullptr, "Causale"},
        {"txtPromemoria", 250, 250, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Promemoria:", nullptr, "Promemoria"},
        {"txtDataSca", 10, 10, KeyFilter::None, Casing::None, ControlKind::Date,
            "Data scadenza:", nullptr, "Data scadenza", 0, nullptr, OnDuplicate::Clear},
        {"txtPreavviso", 3, 3, KeyFilter::Digits, Casing::None, ControlKind::Edit, "Avvisa n.",
            "Giorni preavviso:", "Giorni preavviso"},
        // The caption beside the amount says income or expense: amountCaption().
        {"txtImporto", kAmountCapacity, kAmountCapacity, KeyFilter::Amount, Casing::None,
            ControlKind::Edit, nullptr, "Importo in euro:", nullptr, kAmountDecimals},
        {"", kAmountCapacity, 0, KeyFilter::None, Casing::None, ControlKind::Derived, nullptr,
            nullptr, "Importo in euro"},
        {"txtPagatore", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Pagatore:", nullptr, "Pagatore"},
        {"txtRecapitoPag", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Recapito:", nullptr, "Recapito"},
        {"txtCodFisc", 16, 16, KeyFilter::None, Casing::Upper, ControlKind::Edit,
            "Codice fiscale:", nullptr, "Codice fiscale"},
        {"txtPartitaIva", 11, 11, KeyFilter::Digits, Casing::None, ControlKind::Edit,
            "Partita IVA:", nullptr, "Partita IVA"},
        {"txtCategoria", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit, "Tessera n.",
            nullptr, "Tessera n."},
        {"txtEmail", 50, 50, KeyFilter::None, Casing::TrimOnly, ControlKind::Edit,
            "E-mail:", nullptr, "E-mail"},
        {"txtPagamento", 250, 150, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Modalità pagamento:", nullptr, "Modalità pagamento"},
        {"txtBeneficiario", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Beneficiario:", nullptr, "Beneficiario"},
        {"txtRecapitoBen", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Recapito:", nullptr, "Recapito"},
        {"txtRicevuta", 250, 250, KeyFilter::None, Casing::None, ControlKind::Edit,
            "CRO / Ricevuta n.", nullptr, "CRO o Ricevuta n."},
        {"txtNote", 250, 250, KeyFilter::None, Casing::None, ControlKind::Edit, "Note:", nullptr,
            "Note"},
        {"txtTariffa", 250, 250, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Tariffa applicata:", nullptr, "Tariffa applicata"},
        {"chkSaldato", 2, 0, KeyFilter::None, Casing::None, ControlKind::Flag, "Saldato",
            "Saldato:", "Saldato", 0, nullptr, OnDuplicate::Unset},
    }};

using store::SaveCheck;

// The amount is refused rather than cut when it is too long: a cut amount is another amount.
// Its signed copy needs one character more for the sign, so the amount may use one less than
// its field.
constexpr SaveCheck kSaveChecks[] = {
    {SaveCheck::Required, Purpose,
        "Attenzione: per salvare la scheda è necessario indicare la causale del pagamento."},
    {SaveCheck::Required, OperationDate,
        "Attenzione: per salvare la scheda è necessario indicare la data di registrazione "
        "dell'operazione."},
    {SaveCheck::ValidDate, OperationDate, "Attenzione: la data "},
    {SaveCheck::Required, DueDate,
        "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del "
        "pagamento."},
    {SaveCheck::ValidDate, DueDate, "Attenzione: la data "},
    {SaveCheck::Required, NoticeDays,
        "Attenzione: per salvare la scheda è necessario indicare il numero di giorni di preavviso "
        "della scadenza del pagamento."},
    {SaveCheck::Fits, Amount,
        "Attenzione: l'importo %1 è troppo lungo per essere salvato.\n\r\n\r"
        "E' possibile indicare al massimo %2 caratteri, virgola e decimali compresi.",
        kAmountCapacity - 1},
    {SaveCheck::Required, Payer,
        "Attenzione: per salvare la scheda è necessario indicare il nome del Pagatore."},
    {SaveCheck::Required, Beneficiary,
        "Attenzione: per salvare la scheda è necessario indicare il nome del Beneficiario."},
};

} // namespace

const store::RecordTable &movementTable()
{
    static const store::RecordTable table
        = store::RecordTable().add(kFields).add(store::kAttachmentFields);
    return table;
}

const store::RecordLayout &movementLayout()
{
    return movementTable().layout();
}

QString incomeText()
{
    return QStringLiteral("Entrata");
}

QString expenseText()
{
    return QStringLiteral("Uscita");
}

QString amountCaption(bool income)
{
    return income ? QStringLiteral("Importo in entrata: €")
                  : QStringLiteral("Importo in uscita: €");
}

QString signedAmount(const QStringList &values)
{
    const bool expense = flagValue(values.value(Expense)).value_or(false);
    return (expense ? u'-' : u'+') + text::trimmed(values.value(Amount));
}

std::optional<store::SaveRefusal> movementSaveRefusal(const QStringList &values, QDate today)
{
    return store::firstRefusal(kSaveChecks, values, today);
}

QStringList blankMovement(QDate today)
{
    QStringList values(kMovementFieldCount);
    values[Income] = flagText(true);
    values[Expense] = flagText(false);
    values[OperationDate] = text::formatDate(today);
    values[NoticeDays] = QStringLiteral("0");
    values[Amount] = QStringLiteral("0,00");
    values[SignedAmount] = signedAmount(values);
    values[Settled] = flagText(false);
    return values;
}

QString journalPath(const QString &programFolder, const QString &year)
{
    return QDir(programFolder).filePath(text::trimmed(year) + QLatin1String(kJournalExtension));
}

JournalYear readJournalYear(const QString &typed)
{
    const QString year = text::trimmed(typed);
    const bool fourDigits = year.size() == 4 && std::all_of(year.begin(), year.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (!fourDigits)
        return {0, QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.")};
    return {year.toInt(), QString()};
}

QString journalYearText(int year)
{
    return QString::number(year).rightJustified(4, u'0');
}

} // namespace almavest::journal
