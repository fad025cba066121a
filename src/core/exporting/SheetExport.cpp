#include "exporting/SheetExport.h"

#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "store/Cp1252.h"
#include "text/TextRoutines.h"

#include <QDir>

#include <algorithm>
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
// Every cell is text, as the table's x:str says to Excel; LibreOffice heeds only its own number
// format attribute (1040, Italian; "@", text), without which a postal code such as 06012 would
// lose its leading zero and a date or an amount would be read as a number.
constexpr char kCellStart[] = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";
constexpr char kCellEnd[] = "</td>";

// The document under construction: bytes written through a cursor into one buffer made large
// enough beforehand, so that a cell costs a copy or two and no bookkeeping of the buffer.
class DocumentWriter final
{
public:
    explicit DocumentWriter(qsizetype expected) { m_bytes.resize(expected); }

    void put(QByteArrayView text)
    {
        if (text.isEmpty())
            return; // an empty view may have no data at all, which memcpy must not be given
        std::memcpy(room(text.size()), text.data(), static_cast<size_t>(text.size()));
        m_used += text.size();
    }
    // Room for `size` more bytes at the cursor; advance() then says how many were written.
    char *room(qsizetype size)
    {
        if (m_used + size > m_bytes.size())
            m_bytes.resize(std::max(m_bytes.size() * 2, m_used + size));
        return m_bytes.data() + m_used;
    }
    void advance(qsizetype written) { m_used += written; }
    QByteArray take()
    {
        m_bytes.resize(m_used);
        return std::move(m_bytes);
    }

private:
    QByteArray m_bytes;
    qsizetype m_used = 0;
};

template <size_t N> void appendLiteral(DocumentWriter &out, const char (&text)[N])
{
    out.put(QByteArrayView(text, static_cast<qsizetype>(N - 1)));
}

// Appends Windows-1252 bytes with the characters that mean something in HTML escaped. The
// widest escape takes six bytes, so room for six per byte is made first.
void appendEscaped(DocumentWriter &out, QByteArrayView text)
{
    // Most cells hold none of them: those are copied whole.
    const auto special = [](char c) { return c == '&' || c == '<' || c == '>' || c == '"'; };
    if (std::none_of(text.begin(), text.end(), special)) {
        out.put(text);
        return;
    }
    char *const start = out.room(text.size() * 6);
    char *at = start;
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
            *at++ = c;
            continue;
        }
        const size_t length = std::strlen(escape);
        std::memcpy(at, escape, length);
        at += length;
    }
    out.advance(at - start);
}

// A cell's text in Windows-1252, escaped.
void appendCellText(DocumentWriter &out, QStringView text)
{
    appendEscaped(out, store::toCp1252(text));
}

void appendHeaderRow(DocumentWriter &out, const SheetForm &form)
{
    appendLiteral(out, "<tr>");
    for (int column = 0; column < static_cast<int>(form.columns.size()); ++column) {
        appendLiteral(out, kHeadingCell);
        out.put(QByteArray::number(form.columns[static_cast<size_t>(column)].fileWidth));
        out.put(">");
        appendCellText(out, form.heading(column));
        appendLiteral(out, kCellEnd);
    }
    appendLiteral(out, "</tr>");
}

// The bytes of one column of a record: the field as stored, or for the movement type the word
// its flag stands for (nothing for a flag that is neither "Sì" nor "No"). `flag` is a buffer kept
// from one record to the next.
QByteArrayView cellOf(const SheetColumn &column, const store::RecordLayout &layout,
    QByteArrayView record, QString &flag)
{
    const QByteArrayView bytes = layout.textBytes(record, column.field);
    if (column.rule == CellRule::Field)
        return bytes;
    static const QByteArray income = store::toCp1252(journal::incomeText());
    static const QByteArray expense = store::toCp1252(journal::expenseText());
    const std::optional<bool> value = store::flagValue(store::decodeCp1252(bytes, flag));
    if (!value)
        return {};
    return *value ? QByteArrayView(income) : QByteArrayView(expense);
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
        QString flag;
        read = archive.scan([&](qint64, QByteArrayView bytes) {
            rows.beginRow();
            for (const SheetColumn &column : form.columns)
                rows.appendCell(cellOf(column, form.table.layout(), bytes, flag));
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
    const int columns = rows.columnCount();
    DocumentWriter out(4096 + qsizetype(rows.rowCount()) * columns * 48);
    appendLiteral(out, kDocumentStart);
    out.put(store::toCp1252(QString::fromUtf8(form.worksheetName)));
    appendLiteral(out, kAfterName);
    appendHeaderRow(out, form);
    for (int row = 0; row < rows.rowCount(); ++row) {
        appendLiteral(out, "<tr>");
        for (int column = 0; column < columns; ++column) {
            appendLiteral(out, kCellStart);
            // What the archive gave is already trimmed Windows-1252; only typing is encoded.
            if (const QString *edited = rows.editedCell(row, column))
                appendCellText(out, text::trimmedView(*edited));
            else
                appendEscaped(out, rows.storedBytes(row, column));
            appendLiteral(out, kCellEnd);
        }
        appendLiteral(out, "</tr>");
    }
    appendLiteral(out, kDocumentEnd);
    return out.take();
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
