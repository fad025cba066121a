#include "exporting/SheetExport.h"

#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "store/Cp1252.h"
#include "text/TextRoutines.h"

#include <QDir>

#include <cstring>

namespace almavest::exporting {

namespace {

namespace member = registry;
namespace movement = journal;

constexpr SheetColumn kMemberColumns[] = {
    {member::Name, 250, 250, false},
    {member::CardNumber, 180, 200, false},
    {member::Fee, 150, 200, true},
    {member::BirthPlace, 250, 250, false},
    {member::BirthDate, 180, 200, true},
    {member::TaxCode, 180, 200, true},
    {member::EnrolmentDate, 150, 180, false},
    {member::Address, 250, 250, false},
    {member::Town, 250, 250, false},
    {member::Province, 100, 150, false},
    {member::PostCode, 120, 150, true},
    {member::Qualifications, 300, 300, false},
    {member::Role, 250, 250, false},
    {member::Iban, 200, 250, true},
    {member::Notes, 350, 400, false},
    {member::ExpiryDate, 150, 200, true},
    {member::Phone, 180, 200, false},
    {member::Email, 250, 250, true},
};

constexpr SheetColumn kMovementColumns[] = {
    {movement::Income, 150, 150, false, CellRule::MovementType},
    {movement::OperationDate, 150, 180, false},
    {movement::Purpose, 300, 300, false},
    {movement::Reminder, 300, 300, false},
    {movement::DueDate, 150, 180, false},
    {movement::NoticeDays, 120, 150, false},
    {movement::SignedAmount, 150, 150, false},
    {movement::Payer, 250, 250, false},
    {movement::PayerContact, 250, 250, false},
    {movement::PayerTaxCode, 200, 200, false},
    {movement::PayerVatNumber, 180, 180, false},
    {movement::PayerCardNumber, 200, 200, false},
    {movement::PayerEmail, 200, 250, false},
    {movement::PaymentMethod, 250, 250, false},
    {movement::Beneficiary, 250, 250, false},
    {movement::BeneficiaryContact, 250, 250, false},
    {movement::Receipt, 250, 250, false},
    {movement::Notes, 300, 300, true},
    {movement::Tariff, 250, 250, false},
    {movement::Settled, 100, 120, true},
};

// Everything before the header row, and everything after the last row.
constexpr char kDocumentStart[] = "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
                                  "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
                                  "xmlns=\"http://www.w3.org/TR/REC-html40\">"
                                  "<head>"
                                  "<meta http-equiv=\"Content-Type\" "
                                  "content=\"text/html; charset=windows-1252\">"
                                  "<!--[if gte mso 9]><xml>"
                                  "<x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
                                  "<x:Name>";
constexpr char kAfterName[] = "</x:Name>"
                              "<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
                              "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow>"
                              "</x:Pane></x:Panes>"
                              "<x:ProtectContents>False</x:ProtectContents>"
                              "<x:ProtectObjects>False</x:ProtectObjects>"
                              "<x:ProtectScenarios>False</x:ProtectScenarios>"
                              "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets>"
                              "</x:ExcelWorkbook></xml><![endif]-->"
                              "</head><body><table x:str>";
constexpr char kDocumentEnd[] = "</table></body></html>";
constexpr char kHeadingCell[] = "<td style=\"text-align: left; font-weight: bold;\" width=";
constexpr char kCellStart[] = "<td style=\"text-align: left;\">";
constexpr char kCellEnd[] = "</td>";

template <size_t N> void appendLiteral(QByteArray &bytes, const char (&text)[N])
{
    bytes.append(text, static_cast<qsizetype>(N - 1));
}

// Appends Windows-1252 bytes with the characters that mean something in HTML escaped. The
// widest escape takes six bytes, so room for six per byte is made first.
void appendEscaped(QByteArray &bytes, QByteArrayView text)
{
    const qsizetype start = bytes.size();
    bytes.resize(start + text.size() * 6);
    char *out = bytes.data() + start;
    for (const char c : text) {
        const char *escape = nullptr;
        switch (c) {
        case '&':
            escape = "&amp;";
            break;
        case '<':
            escape = "&lt;";
            break;
        case '>':
            escape = "&gt;";
            break;
        case '"':
            escape = "&quot;";
            break;
        default:
            *out++ = c;
            continue;
        }
        const size_t length = std::strlen(escape);
        std::memcpy(out, escape, length);
        out += length;
    }
    bytes.resize(out - bytes.data());
}

// A cell's text in Windows-1252, escaped. Plain ASCII, the usual case, is copied as it is.
void appendCellText(QByteArray &bytes, QStringView text, QByteArray &scratch)
{
    bool ascii = true;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        scratch.resize(text.size());
        char *out = scratch.data();
        for (const QChar c : text)
            *out++ = static_cast<char>(c.unicode());
        appendEscaped(bytes, scratch);
    } else {
        appendEscaped(bytes, store::toCp1252(text));
    }
}

void appendHeaderRow(QByteArray &bytes, const SheetForm &form)
{
    QByteArray scratch;
    appendLiteral(bytes, "<tr>");
    for (int column = 0; column < static_cast<int>(form.columns.size()); ++column) {
        appendLiteral(bytes, kHeadingCell);
        bytes.append(QByteArray::number(form.columns[static_cast<size_t>(column)].fileWidth));
        bytes.append('>');
        appendCellText(bytes, form.heading(column), scratch);
        appendLiteral(bytes, kCellEnd);
    }
    appendLiteral(bytes, "</tr>");
}

// The text of one column for a decoded record.
QStringView cellOf(const SheetColumn &column, const store::DecodedRecord &record)
{
    const QStringView text = record.field(column.field);
    if (column.rule == CellRule::Field)
        return text;
    static const QString income = journal::incomeText();
    static const QString expense = journal::expenseText();
    const std::optional<bool> flag = store::flagValue(text);
    if (!flag)
        return {};
    return *flag ? QStringView(income) : QStringView(expense);
}

} // namespace

QString SheetForm::heading(int column) const
{
    return table.field(columns[static_cast<size_t>(column)].field).heading;
}

const SheetForm &memberSheet()
{
    static const SheetForm form {
        "Riepilogo Soci", "Soci.xls", registry::memberTable(), kMemberColumns};
    return form;
}

const SheetForm &movementSheet()
{
    static const SheetForm form {
        "Riepilogo annuale movimenti", "Movimenti.xls", journal::movementTable(), kMovementColumns};
    return form;
}

bool readSheetRows(
    const SheetForm &form, const QString &archivePath, SheetRows &rows, QString *error)
{
    rows = SheetRows(static_cast<int>(form.columns.size()));
    store::ArchiveFile archive(archivePath, form.table.recordSize());
    bool read = archive.openForReading();
    if (read) {
        // About a tenth of a record's bytes end up in the grid's texts.
        rows.reserve(archive.count(), archive.count() * form.table.recordSize() / 10);
        store::DecodedRecord record;
        read = archive.scan([&](qint64, QByteArrayView bytes) {
            form.table.layout().decode(bytes, record);
            rows.beginRow();
            for (const SheetColumn &column : form.columns)
                rows.appendCell(cellOf(column, record));
            return true;
        });
    }
    if (!read && error)
        *error = archive.errorString();
    archive.close();
    if (read && rows.rowCount() == 0)
        rows.appendEmptyRows(kEmptySheetRows);
    return read;
}

QByteArray sheetDocument(const SheetForm &form, const SheetRows &rows)
{
    QByteArray bytes;
    const int columns = rows.columnCount();
    bytes.reserve(4096 + qsizetype(rows.rowCount()) * columns * 48);
    appendLiteral(bytes, kDocumentStart);
    bytes.append(store::toCp1252(QString::fromUtf8(form.worksheetName)));
    appendLiteral(bytes, kAfterName);
    appendHeaderRow(bytes, form);
    QByteArray scratch;
    for (int row = 0; row < rows.rowCount(); ++row) {
        appendLiteral(bytes, "<tr>");
        for (int column = 0; column < columns; ++column) {
            appendLiteral(bytes, kCellStart);
            appendCellText(bytes, text::trimmedView(rows.cell(row, column)), scratch);
            appendLiteral(bytes, kCellEnd);
        }
        appendLiteral(bytes, "</tr>");
    }
    appendLiteral(bytes, kDocumentEnd);
    return bytes;
}

store::WriteFailure writeSheet(
    const QString &path, const SheetForm &form, const SheetRows &rows, QString *error)
{
    return store::writeWholeFile(path, sheetDocument(form, rows), error);
}

QString sheetPath(const QString &programFolder, const SheetForm &form)
{
    return QDir(programFolder).filePath(QString::fromUtf8(form.fileName));
}

} // namespace almavest::exporting
