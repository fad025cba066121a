// The ODS workbook: an OpenDocument spreadsheet zipped by libzip, with its "mimetype" entry first
// and stored uncompressed, as readers look for it at a fixed place.
#include "exporting/Workbook.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <zip.h>

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

// A file written a few MiB at a time; after a failure it writes nothing more.
class BufferedFile final
{
public:
    explicit BufferedFile(const QString &path)
        : m_file(path)
    {
        m_failed = !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        m_buffer.reserve(kBlock + 4096);
    }
    void put(QByteArrayView bytes)
    {
        m_buffer.append(bytes);
        if (m_buffer.size() >= kBlock)
            flush();
    }
    template <typename A, typename B> void put(const QStringBuilder<A, B> &bytes)
    {
        put(QByteArray(bytes));
    }
    bool finish()
    {
        flush();
        m_file.close();
        return !m_failed && m_file.error() == QFileDevice::NoError;
    }
    QString errorString() const { return m_file.errorString(); }

private:
    static constexpr qsizetype kBlock = qsizetype(4) << 20;
    void flush()
    {
        if (!m_failed && m_file.write(m_buffer) != m_buffer.size())
            m_failed = true;
        m_buffer.clear();
    }

    QFile m_file;
    QByteArray m_buffer;
    bool m_failed = false;
};

// `text` as XML character data: markup escaped, characters XML cannot hold dropped.
QByteArray escaped(QStringView text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'&')
            clean += u"&amp;";
        else if (c == u'<')
            clean += u"&lt;";
        else if (c == u'>')
            clean += u"&gt;";
        else if (c == u'"')
            clean += u"&quot;";
        else if (c >= u' ' || c == u'\t' || c == u'\n')
            clean += (c.isNonCharacter() ? QChar() : c);
    }
    clean.remove(QChar());
    return clean.toUtf8();
}

// The paragraphs of a text cell: one per line, with runs of blanks and tabs kept, which XML
// would otherwise fold into one blank.
QByteArray paragraphs(const QString &text)
{
    QByteArray out;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        out += "<text:p>";
        qsizetype at = 0;
        while (at < line.size()) {
            if (line[at] == u'\t') {
                out += "<text:tab/>";
                ++at;
                continue;
            }
            qsizetype next = at;
            while (next < line.size() && line[next] != u'\t'
                && !(line[next] == u' ' && (next == 0 || line[next - 1] == u' ')))
                ++next;
            out += escaped(line.mid(at, next - at));
            qsizetype blanks = 0;
            while (next + blanks < line.size() && line[next + blanks] == u' ')
                ++blanks;
            if (blanks > 0)
                out += "<text:s text:c=\"" + QByteArray::number(blanks) + "\"/>";
            at = next + blanks;
        }
        out += "</text:p>";
    }
    return out;
}

QByteArray cellXml(const TypedCell &cell, CellKind kind)
{
    switch (cell.type) {
    case TypedCell::Type::Empty:
        return QByteArrayLiteral("<table:table-cell/>");
    case TypedCell::Type::Number: {
        const QByteArray value
            = QString::number(cell.number, 'g', QLocale::FloatingPointShortest).toLatin1();
        if (kind == CellKind::Amount)
            return "<table:table-cell table:style-name=\"ceA\" office:value-type=\"currency\""
                   " office:currency=\"EUR\" office:value=\""
                + value + "\"/>";
        return "<table:table-cell office:value-type=\"float\" office:value=\"" + value + "\"/>";
    }
    case TypedCell::Type::Date:
        return "<table:table-cell table:style-name=\"ceD\" office:value-type=\"date\""
               " office:date-value=\""
            + cell.date.toString(Qt::ISODate).toLatin1() + "\"/>";
    case TypedCell::Type::Text:
        break;
    }
    return "<table:table-cell table:style-name=\"ceT\" office:value-type=\"string\">"
        + paragraphs(cell.text) + "</table:table-cell>";
}

// content.xml: the styles of the columns, sized to their texts, then the rows.
bool writeContent(
    const QString &path, const WorkbookSheet &sheet, const QByteArray &sheetName, QString &error)
{
    BufferedFile out(path);
    out.put(kXmlStart);
    out.put("<office:document-content");
    out.put(kNamespaces);
    out.put("><office:automatic-styles>");
    out.put(kCellStyles);
    const QList<int> widths = fittingWidths(sheet);
    for (int column = 0; column < widths.size(); ++column) {
        const double centimetres = 0.1 + widths.at(column) * 0.2;
        out.put("<style:style style:name=\"co" + QByteArray::number(column)
            + "\" style:family=\"table-column\"><style:table-column-properties"
              " style:column-width=\""
            + QByteArray::number(centimetres, 'f', 2) + "cm\"/></style:style>");
    }
    out.put(
        "</office:automatic-styles><office:body><office:spreadsheet><table:table table:name=\"");
    out.put(sheetName);
    out.put("\">");
    for (int column = 0; column < sheet.columns.size(); ++column) {
        // Typing into a code column later keeps text too.
        const bool code = sheet.columns.at(column).kind == CellKind::Code;
        out.put("<table:table-column table:style-name=\"co" + QByteArray::number(column) + "\""
            + (code ? " table:default-cell-style-name=\"ceT\"" : "") + "/>");
    }
    out.put("<table:table-row>");
    for (const WorkbookColumn &column : sheet.columns) {
        out.put("<table:table-cell table:style-name=\"ceH\" office:value-type=\"string\">"
            + paragraphs(column.heading) + "</table:table-cell>");
    }
    out.put("</table:table-row>");
    for (qsizetype row = 0; row < sheet.rows.rowCount(); ++row) {
        out.put("<table:table-row>");
        for (int column = 0; column < sheet.columns.size(); ++column) {
            const CellKind kind = sheet.columns.at(column).kind;
            out.put(cellXml(typedCell(kind, sheet.rows.cell(row, column)), kind));
        }
        out.put("</table:table-row>");
    }
    out.put("</table:table></office:spreadsheet></office:body></office:document-content>");
    if (!out.finish()) {
        error = out.errorString();
        return false;
    }
    return true;
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

// The zip being made; discarded unless closed.
class ZipArchive final
{
public:
    explicit ZipArchive(const QString &path)
    {
        int failure = 0;
        m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &failure);
        if (!m_zip) {
            zip_error_t reason;
            zip_error_init_with_code(&reason, failure);
            m_error = QString::fromUtf8(zip_error_strerror(&reason));
            zip_error_fini(&reason);
        }
    }
    ~ZipArchive()
    {
        if (m_zip)
            zip_discard(m_zip);
    }
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    bool good() const { return m_zip && m_error.isEmpty(); }
    QString errorString() const { return m_error; }

    // Adds `bytes`, which must live until close(), stored as they are or compressed.
    void add(const char *name, const QByteArray &bytes, bool stored = false)
    {
        if (good())
            added(name, zip_source_buffer(m_zip, bytes.constData(), bytes.size(), 0), stored);
    }
    // Adds the file at `path`, compressed fast: the cells of a long list make a large file.
    void addFile(const char *name, const QString &path)
    {
        if (!good())
            return;
        const zip_int64_t index = added(
            name, zip_source_file(m_zip, QFile::encodeName(path).constData(), 0, -1), false);
        if (index >= 0
            && zip_set_file_compression(m_zip, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1)
                != 0)
            takeError();
    }
    bool close()
    {
        if (good() && zip_close(m_zip) == 0) {
            m_zip = nullptr;
            return true;
        }
        takeError();
        return false;
    }

private:
    zip_int64_t added(const char *name, zip_source_t *source, bool stored)
    {
        const zip_int64_t index
            = source ? zip_file_add(m_zip, name, source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) : -1;
        if (index < 0) {
            if (source)
                zip_source_free(source);
            takeError();
        } else if (stored
            && zip_set_file_compression(m_zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0)
                != 0) {
            takeError();
        }
        return index;
    }
    void takeError()
    {
        if (m_error.isEmpty())
            m_error = m_zip ? QString::fromUtf8(zip_strerror(m_zip)) : QStringLiteral("zip");
    }

    zip_t *m_zip = nullptr;
    QString m_error;
};

} // namespace

bool writeOdsFile(const QString &path, const WorkbookSheet &sheet, QString &error)
{
    const QByteArray sheetName = escaped(sheetNameFor(sheet.name));
    // The sheet's cells go to a file beside the workbook, so memory stays small for any list.
    const QString content = path + u".content";
    if (!writeContent(content, sheet, sheetName, error)) {
        QFile::remove(content);
        return false;
    }
    const QByteArray mimeType(kMimeType);
    const QByteArray manifest = manifestXml();
    const QByteArray styles = stylesXml();
    const QByteArray meta = metaXml();
    const QByteArray settings = settingsXml(sheetName);
    bool closed = false;
    {
        ZipArchive zip(path);
        zip.add("mimetype", mimeType, true);
        zip.add("META-INF/manifest.xml", manifest);
        zip.addFile("content.xml", content);
        zip.add("styles.xml", styles);
        zip.add("meta.xml", meta);
        zip.add("settings.xml", settings);
        closed = zip.close();
        if (!closed)
            error = zip.errorString();
    }
    QFile::remove(content);
    return closed;
}

} // namespace almavest::exporting
