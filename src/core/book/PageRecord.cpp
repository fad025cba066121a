#include "book/PageRecord.h"

#include "text/TextRoutines.h"

#include <QDir>

#include <algorithm>
#include <iterator>

namespace almavest::book {

namespace {

using store::Casing;
using store::ControlKind;
using store::FieldDefinition;
using store::KeyFilter;

// The book-level fields in file order: control, capacity, typed length, key filter, casing,
// control kind, caption above the box, the text printed before or above it.
constexpr FieldDefinition kBookFields[] = {
    {"txtNumero", 12, 12, KeyFilter::None, Casing::None, ControlKind::Edit, "Libro Soci n.",
        "LIBRO SOCI N. "},
    {"txtDenominazione", 120, 120, KeyFilter::None, Casing::None, ControlKind::Edit,
        "Denominazione Associazione:"},
    {"txtCodFisc", 16, 16, KeyFilter::Alphanumeric, Casing::Upper, ControlKind::Edit,
        "Codice Fiscale:", "CODICE FISCALE:  "},
    {"txtPresidente", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit,
        "Presidente:", "IL PRESIDENTE:"},
    {"txtSegretario", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit,
        "Segretario:", "IL SEGRETARIO:"},
};

// One member row, added four times with the row's letter: control, capacity, typed length, key
// filter, casing, control kind, column heading on the screen, title on the print.
constexpr FieldDefinition kRowFields[] = {
    {"txtOrdine", 6, 6, KeyFilter::None, Casing::None, ControlKind::Edit, "N. Ord.", "N. ORD."},
    {"txtSocio", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit,
        "Cognome e nome:", "COGNOME E NOME"},
    {"txtLuogoNasc", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit,
        "Luogo di nascita:", "LUOGO DI NASCITA"},
    {"txtDataNasc", 10, 10, KeyFilter::None, Casing::None, ControlKind::Date,
        "Data nascita:", "DATA DI NASCITA"},
    {"txtCodFisc", 16, 16, KeyFilter::Alphanumeric, Casing::Upper, ControlKind::Edit,
        "Codice Fiscale:", "CODICE FISCALE"},
    {"txtIndirizzo", 120, 120, KeyFilter::None, Casing::None, ControlKind::Edit,
        "Indirizzo di residenza:", "INDIRIZZO DI RESIDENZA"},
    {"txtTelefono", 30, 30, KeyFilter::None, Casing::None, ControlKind::Edit,
        "Telefono:", "TELEFONO"},
    {"txtTessera", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit, "Tessera n.",
        "TESSERA N."},
    {"txtDataAmm", 10, 10, KeyFilter::None, Casing::None, ControlKind::Date,
        "Data ammissione:", "DATA AMMISSIONE"},
    // The fee of a row is written as the book shows it: it is not rounded when left.
    {"txtQuota", 15, 15, KeyFilter::Amount, Casing::None, ControlKind::Edit,
        "Quota sociale:", "QUOTA SOCIALE"},
    {"txtDataUsc", 10, 10, KeyFilter::None, Casing::None, ControlKind::Date,
        "Data uscita:", "DATA USCITA"},
    {"txtMotivo", 120, 120, KeyFilter::None, Casing::None, ControlKind::Edit,
        "Motivo uscita:", "MOTIVO USCITA"},
    {"txtAnnotazioni", 250, 250, KeyFilter::None, Casing::None, ControlKind::Edit,
        "Annotazioni:", "ANNOTAZIONI"},
};
static_assert(std::size(kRowFields) == kRowFieldCount);

using store::SaveCheck;

constexpr SaveCheck kSaveChecks[] = {
    {SaveCheck::Required, BookNumber,
        "Attenzione: per salvare la scheda è necessario indicare il numero del Libro Soci."},
    {SaveCheck::Required, Association,
        "Attenzione: per salvare la scheda è necessario indicare la denominazione "
        "dell'Associazione."},
    {SaveCheck::Required, AssociationTaxCode,
        "Attenzione: per salvare la scheda è necessario indicare il codice fiscale "
        "dell'Associazione."},
    {SaveCheck::Required, rowField(RowA, Order),
        "Attenzione: per salvare la scheda è necessario indicare il numero d'ordine nella prima "
        "riga."},
    {SaveCheck::Required, rowField(RowA, MemberName),
        "Attenzione: per salvare la scheda è necessario indicare il nome del socio nella prima "
        "riga."},
};

store::RecordTable buildTable()
{
    store::RecordTable table;
    table.add(kBookFields);
    for (const QStringView suffix : {u"_A", u"_B", u"_C", u"_D"})
        table.add(kRowFields, suffix);
    table.add(store::kAttachmentFields);
    return table;
}

} // namespace

const store::RecordTable &pageTable()
{
    static const store::RecordTable table = buildTable();
    return table;
}

const store::RecordLayout &pageLayout()
{
    return pageTable().layout();
}

std::optional<store::SaveRefusal> pageSaveRefusal(const QStringList &values)
{
    // The page checks no date, so the day does not matter.
    return store::firstRefusal(kSaveChecks, values, QDate());
}

QStringList newPage(const QStringList &shown)
{
    QStringList values(kPageFieldCount);
    for (int i = BookNumber; i <= Secretary; ++i)
        values[i] = text::trimmed(shown.value(i));
    return values;
}

QString bookPath(const QString &programFolder, const QString &name)
{
    return QDir(programFolder).filePath(text::trimmed(name) + QLatin1String(kBookExtension));
}

QString bookName(const QString &fileName)
{
    // The extension is always the last four characters of a book file's name.
    return fileName.chopped(std::min<qsizetype>(fileName.size(), 4));
}

} // namespace almavest::book
