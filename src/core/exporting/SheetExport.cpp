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
    {member::CardNumber, 180, 200, false, CellKind::Code},
    {member::Fee, 150, 200, true, CellKind::Amount},
    {member::BirthPlace, 250, 250, false},
    {member::BirthDate, 180, 200, true, CellKind::Date},
    {member::TaxCode, 180, 200, true, CellKind::Code},
    {member::EnrolmentDate, 150, 180, false, CellKind::Date},
    {member::Address, 250, 250, false},
    {member::Town, 250, 250, false},
    {member::Province, 100, 150, false},
    {member::PostCode, 120, 150, true, CellKind::Code},
    {member::Qualifications, 300, 300, false},
    {member::Role, 250, 250, false},
    {member::Iban, 200, 250, true, CellKind::Code},
    {member::Notes, 350, 400, false},
    {member::ExpiryDate, 150, 200, true, CellKind::Date},
    {member::Phone, 180, 200, false, CellKind::Code},
    {member::Email, 250, 250, true},
};

constexpr SheetColumn kMovementColumns[] = {
    {movement::Income, 150, 150, false, CellKind::Text, CellRule::MovementType},
    {movement::OperationDate, 150, 180, false, CellKind::Date},
    {movement::Purpose, 300, 300, false},
    {movement::Reminder, 300, 300, false},
    {movement::DueDate, 150, 180, false, CellKind::Date},
    {movement::NoticeDays, 120, 150, false, CellKind::Number},
    {movement::SignedAmount, 150, 150, false, CellKind::Amount},
    {movement::Payer, 250, 250, false},
    {movement::PayerContact, 250, 250, false},
    {movement::PayerTaxCode, 200, 200, false, CellKind::Code},
    {movement::PayerVatNumber, 180, 180, false, CellKind::Code},
    {movement::PayerCardNumber, 200, 200, false, CellKind::Code},
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
// The part of the document gathered before it is written to the file.
constexpr qsizetype kStreamBuffer = qsizetype(4) << 20;

// The document under construction, gathered in one buffer. With a file behind it, the buffer
// is written out whenever it is full and then reused, so that a document of any size takes a
// few MiB of memory; without one, it grows to hold the whole document. A cell costs a few
// copies, never a string of its own.
class DocumentWriter final
{
public:
    DocumentWriter(store::RebuiltFile *file, qsizetype capacity)
        : m_file(file)
    {
        m_bytes.resize(capacity);
        m_at = m_bytes.data();
        m_end = m_at + capacity;
    }

    // Room for `size` more bytes at the cursor; advanceTo() then moves the cursor past them.
    Q_ALWAYS_INLINE char *room(qsizetype size)
    {
        if (size > m_end - m_at)
            makeRoom(size);
        return m_at;
    }
    void advanceTo(char *at) { m_at = at; }
    Q_ALWAYS_INLINE void put(QByteArrayView text)
    {
        if (text.isEmpty())
            return; // an empty view may have no data at all, which memcpy must not be given
        std::memcpy(room(text.size()), text.data(), static_cast<size_t>(text.size()));
        m_at += text.size();
    }
    // False once a write to the file has failed: what follows would be thrown away.
    bool good() const { return !m_failed; }
    // Writes out what the buffer still holds; false when any write to the file failed.
    bool finish()
    {
        drain();
        return good();
    }
    QByteArray take()
    {
        m_bytes.resize(m_at - m_bytes.constData());
        return std::move(m_bytes);
    }

private:
    void drain()
    {
        const QByteArrayView filled(m_bytes.constData(), m_at - m_bytes.constData());
        if (m_file && !m_failed && !filled.isEmpty())
            m_failed = !m_file->write(filled);
        m_at = m_bytes.data();
    }
    void makeRoom(qsizetype size)
    {
        if (m_file)
            drain();
        const qsizetype used = m_at - m_bytes.constData();
        if (used + size > m_bytes.size())
            m_bytes.resize(std::max(m_bytes.size() * 2, used + size));
        m_at = m_bytes.data() + used;
        m_end = m_bytes.data() + m_bytes.size();
    }

    store::RebuiltFile *m_file;
    QByteArray m_bytes;
    char *m_at = nullptr;
    char *m_end = nullptr;
    bool m_failed = false;
};

template <size_t N> void appendLiteral(DocumentWriter &out, const char (&text)[N])
{
    out.put(QByteArrayView(text, static_cast<qsizetype>(N - 1)));
}

// Whether `text` holds a byte that means something in HTML ("&", "<", ">", '"'). Eight bytes
// are looked at together: '"' and "&" differ only in one bit, "<" and ">" in another, so with
// that bit cleared a byte equal to one of them leaves a zero byte after the exclusive or, which
// the borrow of the subtraction finds.
bool holdsMarkup(QByteArrayView text)
{
    constexpr quint64 kOnes = 0x0101010101010101;
    constexpr quint64 kHighs = 0x8080808080808080;
    const auto zeroByte = [](quint64 word) { return (word - kOnes) & ~word & kHighs; };
    const char *at = text.data();
    const char *const end = at + text.size();
    for (; end - at >= 8; at += 8) {
        quint64 word;
        std::memcpy(&word, at, sizeof word);
        if (zeroByte((word & ~(0x04 * kOnes)) ^ ('"' * kOnes))
            | zeroByte((word & ~(0x02 * kOnes)) ^ ('<' * kOnes)))
            return true;
    }
    return std::any_of(
        at, end, [](char c) { return c == '&' || c == '<' || c == '>' || c == '"'; });
}

// Appends Windows-1252 bytes with the characters that mean something in HTML escaped.
void appendEscaped(DocumentWriter &out, QByteArrayView text)
{
    if (!holdsMarkup(text)) {
        out.put(text);
        return;
    }
    // The widest escape takes six bytes.
    char *at = out.room(text.size() * 6);
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
        // The escape joins the row without its terminator: the row's end is `at`.
        // NOLINTNEXTLINE(bugprone-not-null-terminated-result)
        std::memcpy(at, escape, length);
        at += length;
    }
    out.advanceTo(at);
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

template <size_t N> char *copyLiteral(char *at, const char (&text)[N])
{
    std::memcpy(at, text, N - 1);
    return at + (N - 1);
}

// A cell whose bytes need no escape, with its tags, in one step.
void appendPlainCell(DocumentWriter &out, QByteArrayView bytes)
{
    char *at = out.room(qsizetype(sizeof kCellStart + sizeof kCellEnd) + bytes.size());
    at = copyLiteral(at, kCellStart);
    if (!bytes.isEmpty())
        std::memcpy(at, bytes.data(), static_cast<size_t>(bytes.size()));
    at = copyLiteral(at + bytes.size(), kCellEnd);
    out.advanceTo(at);
}

// One row of cells. Most rows hold nothing to escape: their cells are copied whole, after one
// look at all the bytes of the row together.
void appendRow(DocumentWriter &out, const SheetRows &rows, int row)
{
    const bool plain = !holdsMarkup(rows.storedRow(row));
    appendLiteral(out, "<tr>");
    for (int column = 0; column < rows.columnCount(); ++column) {
        const QString *edited = rows.editedCell(row, column);
        if (plain && !edited) {
            appendPlainCell(out, rows.storedBytes(row, column));
            continue;
        }
        appendLiteral(out, kCellStart);
        // What the archive gave is already trimmed Windows-1252; only typing is encoded.
        if (edited)
            appendCellText(out, text::trimmedView(*edited));
        else
            appendEscaped(out, rows.storedBytes(row, column));
        appendLiteral(out, kCellEnd);
    }
    appendLiteral(out, "</tr>");
}

// Every byte of the document, into `out`; stops early once a write has failed.
void writeDocument(DocumentWriter &out, const SheetForm &form, const SheetRows &rows)
{
    appendLiteral(out, kDocumentStart);
    out.put(store::toCp1252(QString::fromUtf8(form.worksheetName)));
    appendLiteral(out, kAfterName);
    appendHeaderRow(out, form);
    for (int row = 0; row < rows.rowCount() && out.good(); ++row)
        appendRow(out, rows, row);
    appendLiteral(out, kDocumentEnd);
}

} // namespace

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

bool readSheetRows(const SheetForm &form, const QString &archivePath, SheetRows &rows,
    QString *error, store::ScanControl *control)
{
    rows = SheetRows(static_cast<int>(form.columns.size()));
    store::ArchiveFile archive(archivePath, form.table.recordSize());
    bool read = archive.openForReading();
    if (read) {
        // About a tenth of a record's bytes end up in the grid's texts.
        rows.reserve(archive.count(), archive.count() * form.table.recordSize() / 10);
        QString flag;
        const qint64 count = archive.count();
        read = control == nullptr || control->report(0, count);
        read = read && archive.scan([&](qint64 position, QByteArrayView bytes) {
            if (control && store::ScanControl::dueForReport(position)
                && !control->report(position, count))
                return false;
            rows.beginRow();
            for (const SheetColumn &column : form.columns)
                rows.appendCell(cellOf(column, form.table.layout(), bytes, flag));
            return true;
        });
    }
    if (control && control->cancelled()) {
        archive.close();
        return false;
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
    DocumentWriter out(nullptr, 4096 + qsizetype(rows.rowCount()) * rows.columnCount() * 64);
    writeDocument(out, form, rows);
    return out.take();
}

store::WriteFailure writeSheet(
    const QString &path, const SheetForm &form, const SheetRows &rows, QString *error)
{
    // Unlike the archives and the settings, the export does not wait for the disk to hold it
    // before it replaces the earlier one: a power cut can cost only the fresh export, which one
    // more click makes again, while the wait would make every export of a large archive
    // markedly slower.
    store::RebuiltFile file(path);
    store::WriteFailure failure = store::WriteFailure::Create;
    if (file.open()) {
        DocumentWriter out(&file, kStreamBuffer);
        writeDocument(out, form, rows);
        failure = out.finish() ? file.commit() : store::WriteFailure::Write;
    }
    if (failure != store::WriteFailure::None && error)
        *error = file.errorString();
    return failure;
}

QString sheetPath(const QString &programFolder, const SheetForm &form)
{
    return QDir(programFolder).filePath(QString::fromUtf8(form.fileName));
}

} // namespace almavest::exporting
