// The ODS workbook: an OpenDocument spreadsheet zipped in memory, with its "mimetype" entry
// first and stored uncompressed, as readers look for it at a fixed place.
#include "exporting/Workbook.h"
#include "exporting/XmlBytes.h"
#include "exporting/ZipPackage.h"

#include <QDateTime>

namespace almavest::exporting {

namespace {

constexpr char kMimeType[] = "application/vnd.oasis.opendocument.spreadsheet";

constexpr char kNamespaces[]
    = " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
      " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
      " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
      " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
      " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
      " xmlns:number=\"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0\""
      " xmlns:meta=\"urn:oasis:names:tc:opendocument:xmlns:meta:1.0\""
      " xmlns:config=\"urn:oasis:names:tc:opendocument:xmlns:config:1.0\""
      " office:version=\"1.2\"";

// The number formats and the cell styles: the bold heading, dates dd/mm/yyyy, amounts in euro
// with two decimals (negative ones with a minus), and text.
constexpr char kCellStyles[]
    = "<number:date-style style:name=\"N1\"><number:day number:style=\"long\"/>"
      "<number:text>/</number:text><number:month number:style=\"long\"/>"
      "<number:text>/</number:text><number:year number:style=\"long\"/></number:date-style>"
      "<number:currency-style style:name=\"N2P0\" style:volatile=\"true\">"
      "<number:number number:decimal-places=\"2\" number:min-decimal-places=\"2\""
      " number:min-integer-digits=\"1\" number:grouping=\"true\"/><number:text> </number:text>"
      "<number:currency-symbol number:language=\"it\" number:country=\"IT\">\xE2\x82\xAC"
      "</number:currency-symbol></number:currency-style>"
      "<number:currency-style style:name=\"N2\"><number:text>-</number:text>"
      "<number:number number:decimal-places=\"2\" number:min-decimal-places=\"2\""
      " number:min-integer-digits=\"1\" number:grouping=\"true\"/><number:text> </number:text>"
      "<number:currency-symbol number:language=\"it\" number:country=\"IT\">\xE2\x82\xAC"
      "</number:currency-symbol>"
      "<style:map style:condition=\"value()&gt;=0\" style:apply-style-name=\"N2P0\"/>"
      "</number:currency-style>"
      "<number:text-style style:name=\"N3\"><number:text-content/></number:text-style>"
      "<style:style style:name=\"ceH\" style:family=\"table-cell\" style:data-style-name=\"N3\">"
      "<style:text-properties fo:font-weight=\"bold\" style:font-weight-asian=\"bold\""
      " style:font-weight-complex=\"bold\"/></style:style>"
      "<style:style style:name=\"ceD\" style:family=\"table-cell\" style:data-style-name=\"N1\"/>"
      "<style:style style:name=\"ceA\" style:family=\"table-cell\" style:data-style-name=\"N2\"/>"
      "<style:style style:name=\"ceT\" style:family=\"table-cell\" style:data-style-name=\"N3\"/>";

constexpr char kXmlStart[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// `text` as XML character data.
QByteArray escaped(QStringView text)
{
    XmlBytes xml(text.size() + 16);
    xml.putText(text);
    return xml.bytes().toByteArray();
}

// The paragraphs of a text cell: one per line, with runs of blanks and tabs kept, which XML
// would otherwise fold into one blank.
void putParagraphs(XmlBytes &out, QStringView text)
{
    qsizetype lineStart = 0;
    while (lineStart <= text.size()) {
        qsizetype lineEnd = text.indexOf(u'\n', lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        const QStringView line = text.sliced(lineStart, lineEnd - lineStart);
        out.put("<text:p>");
        qsizetype at = 0;
        while (at < line.size()) {
            if (line[at] == u'\t') {
                out.put("<text:tab/>");
                ++at;
                continue;
            }
            qsizetype next = at;
            while (next < line.size() && line[next] != u'\t'
                && !(line[next] == u' ' && (next == 0 || line[next - 1] == u' ')))
                ++next;
            out.putText(line.sliced(at, next - at));
            qsizetype blanks = 0;
            while (next + blanks < line.size() && line[next + blanks] == u' ')
                ++blanks;
            if (blanks > 0) {
                out.put("<text:s text:c=\"");
                out.putInteger(blanks);
                out.put("\"/>");
            }
            at = next + blanks;
        }
        out.put("</text:p>");
        lineStart = lineEnd + 1;
    }
}

void putTextCell(XmlBytes &out, QStringView text, bool heading = false)
{
    out.put(heading ? QByteArrayView("<table:table-cell table:style-name=\"ceH\"")
                    : QByteArrayView("<table:table-cell table:style-name=\"ceT\""));
    out.put(" office:value-type=\"string\">");
    putParagraphs(out, text);
    out.put("</table:table-cell>");
}

void putCell(XmlBytes &out, const TypedCell &cell, CellKind kind)
{
    switch (cell.type) {
    case TypedCell::Type::Empty:
        out.put("<table:table-cell/>");
        return;
    case TypedCell::Type::Number:
        out.put(kind == CellKind::Amount
                ? QByteArrayView("<table:table-cell table:style-name=\"ceA\""
                                 " office:value-type=\"currency\" office:currency=\"EUR\""
                                 " office:value=\"")
                : QByteArrayView("<table:table-cell office:value-type=\"float\" office:value=\""));
        out.putNumber(cell.number);
        out.put("\"/>");
        return;
    case TypedCell::Type::Date: {
        out.put("<table:table-cell table:style-name=\"ceD\" office:value-type=\"date\""
                " office:date-value=\"");
        // yyyy-mm-dd, the year with four digits.
        char day[10];
        const auto digits = [](char *at, int value, int count) {
            for (int place = count - 1; place >= 0; --place, value /= 10)
                at[place] = static_cast<char>('0' + value % 10);
        };
        digits(day, cell.date.year(), 4);
        day[4] = '-';
        digits(day + 5, cell.date.month(), 2);
        day[7] = '-';
        digits(day + 8, cell.date.day(), 2);
        out.put(QByteArrayView(day, sizeof day));
        out.put("\"/>");
        return;
    }
    case TypedCell::Type::Text:
        break;
    }
    putTextCell(out, cell.text);
}

// What comes before the rows of content.xml: the styles, with the columns sized to their texts,
// and the columns.
QByteArray contentHead(
    const WorkbookSheet &sheet, const QByteArray &sheetName, const QList<int> &widths)
{
    XmlBytes head;
    head.put(kXmlStart);
    head.put("<office:document-content");
    head.put(kNamespaces);
    head.put("><office:automatic-styles>");
    head.put(kCellStyles);
    for (int column = 0; column < widths.size(); ++column) {
        const double centimetres = 0.1 + widths.at(column) * 0.2;
        head.put("<style:style style:name=\"co");
        head.putInteger(column);
        head.put("\" style:family=\"table-column\"><style:table-column-properties"
                 " style:column-width=\"");
        head.put(QByteArray::number(centimetres, 'f', 2));
        head.put("cm\"/></style:style>");
    }
    head.put(
        "</office:automatic-styles><office:body><office:spreadsheet><table:table table:name=\"");
    head.put(sheetName);
    head.put("\">");
    for (int column = 0; column < sheet.columns.size(); ++column) {
        // Typing into a code column later keeps text too.
        const bool code = sheet.columns.at(column).kind == CellKind::Code;
        head.put("<table:table-column table:style-name=\"co");
        head.putInteger(column);
        head.put(code ? QByteArrayView("\" table:default-cell-style-name=\"ceT\"/>")
                      : QByteArrayView("\"/>"));
    }
    return head.bytes().toByteArray();
}

// content.xml: the rows, then what comes before them, which needs the widths of the columns.
XmlBytes contentXml(const WorkbookSheet &sheet, const QByteArray &sheetName)
{
    constexpr qsizetype kHeadRoom = 8192;
    XmlBytes out(
        std::min<qsizetype>(sheet.rows.rowCount() + 1, 1001) * (sheet.columns.size() * 96 + 40),
        kHeadRoom + sheet.columns.size() * 200 + sheetName.size());
    out.put("<table:table-row>");
    for (const WorkbookColumn &column : sheet.columns)
        putTextCell(out, column.heading, true);
    out.put("</table:table-row>");
    TypedCells cells(sheet);
    for (qsizetype row = 0; row < sheet.rows.rowCount(); ++row) {
        out.put("<table:table-row>");
        for (int column = 0; column < sheet.columns.size(); ++column)
            putCell(out, cells.at(row, column), cells.kind(column));
        out.put("</table:table-row>");
        reserveForTheRest(out, row + 1, sheet.rows.rowCount());
    }
    out.put("</table:table></office:spreadsheet></office:body></office:document-content>");
    out.prepend(contentHead(sheet, sheetName, cells.widths()));
    return out;
}

QByteArray stylesXml()
{
    return QByteArray(kXmlStart) + "<office:document-styles" + kNamespaces
        + "><office:styles><style:default-style style:family=\"table-cell\">"
          "<style:text-properties fo:font-family=\"'Liberation Sans'\" fo:font-size=\"10pt\"/>"
          "</style:default-style></office:styles></office:document-styles>";
}

QByteArray metaXml()
{
    return QByteArray(kXmlStart) + "<office:document-meta" + kNamespaces
        + "><office:meta><meta:generator>Almavest</meta:generator><meta:creation-date>"
        + QDateTime::currentDateTime().toString(Qt::ISODate).toLatin1()
        + "</meta:creation-date></office:meta></office:document-meta>";
}

// The view as it opens: the header row frozen above the others.
QByteArray settingsXml(const QByteArray &sheetName)
{
    const auto item
        = [](const char *name, const char *type, const QByteArray &value) -> QByteArray {
        return QByteArray("<config:config-item config:name=\"") + name + "\" config:type=\"" + type
            + "\">" + value + "</config:config-item>";
    };
    return QByteArray(kXmlStart) + "<office:document-settings" + kNamespaces
        + "><office:settings><config:config-item-set config:name=\"ooo:view-settings\">"
          "<config:config-item-map-indexed config:name=\"Views\"><config:config-item-map-entry>"
        + item("ViewId", "string", "view1")
        + "<config:config-item-map-named config:name=\"Tables\">"
          "<config:config-item-map-entry config:name=\""
        + sheetName + "\">" + item("HorizontalSplitMode", "short", "0")
        + item("VerticalSplitMode", "short", "2") + item("HorizontalSplitPosition", "int", "0")
        + item("VerticalSplitPosition", "int", "1") + item("ActiveSplitRange", "short", "2")
        + item("PositionLeft", "int", "0") + item("PositionRight", "int", "0")
        + item("PositionTop", "int", "0") + item("PositionBottom", "int", "1")
        + "</config:config-item-map-entry></config:config-item-map-named>"
        + item("ActiveTable", "string", sheetName)
        + "</config:config-item-map-entry></config:config-item-map-indexed>"
          "</config:config-item-set></office:settings></office:document-settings>";
}

QByteArray manifestXml()
{
    QByteArray xml = QByteArray(kXmlStart)
        + "<manifest:manifest"
          " xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\""
          " manifest:version=\"1.2\"><manifest:file-entry manifest:full-path=\"/\""
          " manifest:version=\"1.2\" manifest:media-type=\""
        + kMimeType + "\"/>";
    for (const char *part : {"content.xml", "styles.xml", "meta.xml", "settings.xml"}) {
        xml += QByteArray("<manifest:file-entry manifest:full-path=\"") + part
            + "\" manifest:media-type=\"text/xml\"/>";
    }
    return xml + "</manifest:manifest>";
}

} // namespace

bool makeOds(const WorkbookSheet &sheet, QByteArray &workbook, QString &error)
{
    const QByteArray sheetName = escaped(sheetNameFor(sheet.name));
    const XmlBytes content = contentXml(sheet, sheetName);
    ZipPackage zip;
    const auto deflated = ZipPackage::Method::Deflated;
    // The type first and as it is, where readers look for it.
    const bool added = zip.add("mimetype", kMimeType, ZipPackage::Method::Stored)
        && zip.add("META-INF/manifest.xml", manifestXml(), deflated)
        && zip.add("content.xml", content.bytes(), deflated)
        && zip.add("styles.xml", stylesXml(), deflated) && zip.add("meta.xml", metaXml(), deflated)
        && zip.add("settings.xml", settingsXml(sheetName), deflated);
    workbook = added ? zip.finish() : QByteArray();
    if (workbook.isEmpty())
        error = zip.errorString();
    return !workbook.isEmpty();
}

} // namespace almavest::exporting
