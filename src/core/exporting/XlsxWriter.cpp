// The XLSX workbook: the few parts of an Office Open XML spreadsheet package a reader needs, the
// sheet's texts written inline in its cells, zipped in memory.
#include "exporting/Workbook.h"
#include "exporting/XmlBytes.h"
#include "exporting/ZipPackage.h"

#include <charconv>
#include <cmath>

namespace almavest::exporting {

namespace {

constexpr char kXmlStart[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr char kMain[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr char kRelationships[]
    = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

constexpr char kContentTypes[]
    = "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\""
      " ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
      "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
      "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/"
      "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
      "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
      "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
      "</Types>";

constexpr char kPackageRelationships[]
    = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
      "relationships/officeDocument\" Target=\"xl/workbook.xml\"/>"
      "</Relationships>";

constexpr char kWorkbookRelationships[]
    = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
      "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
      "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
      "relationships/styles\" Target=\"styles.xml\"/>"
      "</Relationships>";

// The cell formats, by their place in cellXfs: 0 plain, 1 the bold heading, 2 a date
// dd/mm/yyyy, 3 an amount with two decimals and the euro sign (a minus before a negative one),
// 4 text (49 is the built-in "@"). The number formats are those the file stores; each reader
// shows them in its own language ("1.234,50 €" in Italian).
constexpr char kStyles[]
    = "<numFmts count=\"2\"><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/>"
      "<numFmt numFmtId=\"165\" formatCode=\"#,##0.00 [$\xE2\x82\xAC-410];"
      "-#,##0.00 [$\xE2\x82\xAC-410]\"/></numFmts>"
      "<fonts count=\"2\">"
      // No theme part: the fonts are named, not taken from a theme.
      "<font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
      "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
      "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
      "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
      "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
      "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
      "</cellStyleXfs>"
      "<cellXfs count=\"5\">"
      "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
      "<xf numFmtId=\"49\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\""
      " applyNumberFormat=\"1\" applyFont=\"1\"/>"
      "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\""
      " applyNumberFormat=\"1\"/>"
      "<xf numFmtId=\"165\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\""
      " applyNumberFormat=\"1\"/>"
      "<xf numFmtId=\"49\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\""
      " applyNumberFormat=\"1\"/>"
      "</cellXfs>"
      "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
      "</cellStyles><dxfs count=\"0\"/><tableStyles count=\"0\"/>";

// Excel counts days from 1900 with a day that never was (29/02/1900): its dates start after it,
// and day 61 is 01/03/1900.
const QDate kFirstDate(1900, 3, 1);
const qint64 kDayZero = QDate(1899, 12, 30).toJulianDay();

// The letters of the column at `column` (0 is A, 26 is AA).
QByteArray columnLetters(int column)
{
    QByteArray letters;
    for (int rest = column + 1; rest > 0; rest = (rest - 1) / 26)
        letters.prepend(static_cast<char>('A' + (rest - 1) % 26));
    return letters;
}

// A column's width as the file keeps it: characters of the widest digit of the default font
// (7 pixels for Calibri 11) with the 5 pixels of margin, to 1/256 of a character.
double storedWidth(int characters)
{
    constexpr double kDigit = 7;
    constexpr double kMargin = 5;
    return std::trunc((characters * kDigit + kMargin) / kDigit * 256) / 256;
}

// The start of a cell up to its style: `<c r="B7"`.
void putCellStart(XmlBytes &out, const QByteArray &letters, QByteArrayView row)
{
    out.put("<c r=\"");
    out.put(letters);
    out.put(row);
    out.put('"');
}

void putInlineText(XmlBytes &out, QStringView text, bool heading = false)
{
    out.put(heading ? QByteArrayView(" s=\"1\" t=\"inlineStr\"><is><t")
                    : QByteArrayView(" s=\"4\" t=\"inlineStr\"><is><t"));
    // Blanks at either end of a text are kept only when the text says so.
    if (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()))
        out.put(" xml:space=\"preserve\"");
    out.put('>');
    out.putText(text);
    out.put("</t></is></c>");
}

void putCell(XmlBytes &out, const TypedCell &cell, CellKind kind, const QByteArray &letters,
    QByteArrayView row)
{
    switch (cell.type) {
    case TypedCell::Type::Empty:
        return;
    case TypedCell::Type::Number:
        putCellStart(out, letters, row);
        out.put(kind == CellKind::Amount ? QByteArrayView(" s=\"3\"><v>") : QByteArrayView("><v>"));
        out.putNumber(cell.number);
        out.put("</v></c>");
        return;
    case TypedCell::Type::Date:
        putCellStart(out, letters, row);
        if (cell.date >= kFirstDate) {
            out.put(" s=\"2\"><v>");
            out.putInteger(cell.date.toJulianDay() - kDayZero);
            out.put("</v></c>");
        } else {
            // Before Excel's first day: the date as the list shows it.
            putInlineText(out, cell.date.toString(u"dd/MM/yyyy"));
        }
        return;
    case TypedCell::Type::Text:
        break;
    }
    // A text is always a string: one starting with "=" stays a text, not a formula.
    putCellStart(out, letters, row);
    putInlineText(out, cell.text);
}

// sheetData: the bold heading, then a row for each row of the sheet; the widths of the columns
// are gathered on the way.
void putRows(
    XmlBytes &out, const WorkbookSheet &sheet, const QList<QByteArray> &letters, TypedCells &cells)
{
    out.put("<sheetData><row r=\"1\">");
    for (int column = 0; column < sheet.columns.size(); ++column) {
        putCellStart(out, letters.at(column), "1");
        putInlineText(out, sheet.columns.at(column).heading, true);
    }
    out.put("</row>");
    char number[24];
    for (qsizetype row = 0; row < sheet.rows.rowCount(); ++row) {
        const QByteArrayView digits(
            number, std::to_chars(number, number + sizeof number, row + 2).ptr - number);
        out.put("<row r=\"");
        out.put(digits);
        out.put("\">");
        for (int column = 0; column < sheet.columns.size(); ++column)
            putCell(out, cells.at(row, column), cells.kind(column), letters.at(column), digits);
        out.put("</row>");
        reserveForTheRest(out, row + 1, sheet.rows.rowCount());
    }
    out.put("</sheetData>");
}

// What comes before the rows: the sheet's extent, the heading frozen above the rows, and the
// widths of the columns; a code column is text for what is typed into it later, too.
QByteArray sheetHead(
    const WorkbookSheet &sheet, const QList<QByteArray> &letters, const QList<int> &widths)
{
    XmlBytes head;
    head.put(kXmlStart);
    head.put("<worksheet xmlns=\"");
    head.put(kMain);
    head.put("\" xmlns:r=\"");
    head.put(kRelationships);
    head.put("\"><dimension ref=\"A1");
    if (!letters.isEmpty()) {
        head.put(':');
        head.put(letters.last());
        head.putInteger(sheet.rows.rowCount() + 1);
    }
    head.put("\"/><sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\">"
             "<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"
             "<selection pane=\"bottomLeft\" activeCell=\"A2\" sqref=\"A2\"/>"
             "</sheetView></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>");
    if (!widths.isEmpty()) {
        head.put("<cols>");
        for (int column = 0; column < widths.size(); ++column) {
            head.put("<col min=\"");
            head.putInteger(column + 1);
            head.put("\" max=\"");
            head.putInteger(column + 1);
            head.put("\" width=\"");
            head.putNumber(storedWidth(widths.at(column)));
            head.put(sheet.columns.at(column).kind == CellKind::Code
                    ? QByteArrayView("\" style=\"4\" customWidth=\"1\"/>")
                    : QByteArrayView("\" customWidth=\"1\"/>"));
        }
        head.put("</cols>");
    }
    return head.bytes().toByteArray();
}

XmlBytes worksheetXml(const WorkbookSheet &sheet)
{
    QList<QByteArray> letters;
    for (int column = 0; column < sheet.columns.size(); ++column)
        letters.append(columnLetters(column));
    // Room for the first rows, which tell how much the others need; the head, made last, goes
    // before the rows.
    constexpr qsizetype kHeadRoom = 4096;
    XmlBytes sheetXml(
        std::min<qsizetype>(sheet.rows.rowCount() + 1, 1001) * (sheet.columns.size() * 64 + 32),
        kHeadRoom + sheet.columns.size() * 96);
    TypedCells cells(sheet);
    putRows(sheetXml, sheet, letters, cells);
    sheetXml.put("<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\""
                 " header=\"0.3\" footer=\"0.3\"/></worksheet>");
    sheetXml.prepend(sheetHead(sheet, letters, cells.widths()));
    return sheetXml;
}

QByteArray workbookXml(const QString &sheetName)
{
    XmlBytes xml;
    xml.put(kXmlStart);
    xml.put("<workbook xmlns=\"");
    xml.put(kMain);
    xml.put("\" xmlns:r=\"");
    xml.put(kRelationships);
    xml.put("\"><bookViews><workbookView/></bookViews><sheets><sheet name=\"");
    xml.putText(sheetName);
    xml.put("\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
    return xml.bytes().toByteArray();
}

// A part that is the same in every workbook.
QByteArray fixedPart(const char *xml)
{
    return QByteArray(kXmlStart) + xml;
}

QByteArray stylesXml()
{
    return QByteArray(kXmlStart) + "<styleSheet xmlns=\"" + kMain + "\">" + kStyles
        + "</styleSheet>";
}

} // namespace

bool makeXlsx(const WorkbookSheet &sheet, QByteArray &workbook, QString &error)
{
    const XmlBytes worksheet = worksheetXml(sheet);
    ZipPackage zip;
    const auto deflated = ZipPackage::Method::Deflated;
    const bool added = zip.add("[Content_Types].xml", fixedPart(kContentTypes), deflated)
        && zip.add("_rels/.rels", fixedPart(kPackageRelationships), deflated)
        && zip.add("xl/workbook.xml", workbookXml(sheetNameFor(sheet.name)), deflated)
        && zip.add("xl/_rels/workbook.xml.rels", fixedPart(kWorkbookRelationships), deflated)
        && zip.add("xl/styles.xml", stylesXml(), deflated)
        && zip.add("xl/worksheets/sheet1.xml", worksheet.bytes(), deflated);
    workbook = added ? zip.finish() : QByteArray();
    if (workbook.isEmpty())
        error = zip.errorString();
    return !workbook.isEmpty();
}

} // namespace almavest::exporting
