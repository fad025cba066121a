#include "GuideComposer.h"

#include "report/Fonts.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>

namespace almavest::guide {

namespace {

constexpr int kResolution = 300; // dots per inch of the PDF's layout
constexpr qreal kFooterPoints = 24; // room kept under the text for the page number
constexpr qreal kPictureHeightShare = 0.55; // the tallest picture, as a share of the page
const QColor kHeadingColour(0x1f, 0x3a, 0x68);

qreal devicePixels(qreal points)
{
    return points * kResolution / 72.0;
}

qreal pointsOf(qreal devicePixels)
{
    return devicePixels * 72.0 / kResolution;
}

// The captions of the picture paragraphs, in the order of the source.
QStringList pictureCaptions(const QString &markdown)
{
    static const QRegularExpression picture(QStringLiteral(R"(^\s*!\[([^\]]*)\]\(([^)\s]*)\)\s*$)"),
        QRegularExpression::MultilineOption);
    QStringList captions;
    for (auto it = picture.globalMatch(markdown); it.hasNext();)
        captions.append(it.next().captured(1).trimmed());
    return captions;
}

// One page of a laid-out document: the text area's size and how to reach each page.
struct PageGeometry
{
    QSizeF text; // device pixels, the body of a page without its footer
    QRectF paint; // the printable area of the page, device pixels from its top left
};

class DocumentPages final
{
public:
    DocumentPages(const QTextDocument &document, const PageGeometry &geometry)
        : m_document(document)
        , m_geometry(geometry)
    { }

    // The page (from 0) where the first line of `block` stands.
    int pageOf(const QTextBlock &block) const
    {
        const QRectF box = m_document.documentLayout()->blockBoundingRect(block);
        qreal top = box.top();
        if (block.layout() && block.layout()->lineCount() > 0)
            top += block.layout()->lineAt(0).y();
        return int(top / m_geometry.text.height());
    }

    // The page where the last line of `block` ends.
    int lastPageOf(const QTextBlock &block) const
    {
        const QRectF box = m_document.documentLayout()->blockBoundingRect(block);
        qreal bottom = box.top();
        if (block.layout() && block.layout()->lineCount() > 0) {
            const QTextLine last = block.layout()->lineAt(block.layout()->lineCount() - 1);
            bottom += last.y() + last.height() / 2;
        }
        return int(bottom / m_geometry.text.height());
    }

private:
    const QTextDocument &m_document;
    const PageGeometry &m_geometry;
};

void prepareDocument(QTextDocument &document, QPdfWriter &writer, const PageGeometry &geometry)
{
    document.documentLayout()->setPaintDevice(&writer);
    document.setDefaultFont(fonts::named(fonts::kArial, 11));
    document.setDocumentMargin(0);
    document.setPageSize(geometry.text);
}

// Headings in the program's font and colour, with room above and below.
void styleHeading(QTextCursor &cursor, int level)
{
    static constexpr int kSizes[] = {22, 15, 12};
    static constexpr qreal kAbove[] = {0, 14, 10};
    QTextBlockFormat block = cursor.blockFormat();
    block.setTopMargin(devicePixels(kAbove[level - 1]));
    block.setBottomMargin(devicePixels(level == 1 ? 16 : 6));
    // The first section starts on the first page of its own.
    if (level == 1 && cursor.block() != cursor.document()->begin())
        block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(block);
    QTextCharFormat text;
    text.setFont(fonts::named(fonts::kArial, kSizes[level - 1], QFont::Bold));
    text.setForeground(kHeadingColour);
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    // Replaced, not merged: the size step the Markdown reader gives a heading would win over
    // any point size.
    cursor.setCharFormat(text);
}

// Text paragraphs a little apart, for easy reading.
void spaceParagraph(QTextCursor &cursor)
{
    QTextBlockFormat block = cursor.blockFormat();
    block.setBottomMargin(devicePixels(6));
    block.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    cursor.setBlockFormat(block);
}

struct PictureSpot
{
    int position = 0;
    QTextImageFormat format;
};

QList<PictureSpot> pictureSpots(const QTextDocument &document)
{
    QList<PictureSpot> spots;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && fragment.charFormat().isImageFormat())
                spots.append({fragment.position(), fragment.charFormat().toImageFormat()});
        }
    }
    return spots;
}

// The picture's size on the page in the layout's 96-dpi pixels: its natural size, shrunk to the
// text width and to a share of the page height.
QSizeF placedSize(const QImage &image, const PageGeometry &geometry)
{
    const qreal toLayout = 96.0 / kResolution;
    QSizeF size = image.deviceIndependentSize();
    const QSizeF most(
        geometry.text.width() * toLayout, geometry.text.height() * kPictureHeightShare * toLayout);
    if (size.width() > most.width() || size.height() > most.height())
        size = size.scaled(most, Qt::KeepAspectRatio);
    return size;
}

bool isPicture(const QTextBlock &block)
{
    const auto first = block.begin();
    return !first.atEnd() && first.fragment().charFormat().isImageFormat();
}

// Headings stay on the page of the block that follows them, and pictures with their captions.
bool keptWithNext(const QTextBlock &block)
{
    const int level = block.blockFormat().headingLevel();
    return (level >= 1 && level <= 3) || isPicture(block);
}

void addCaption(QTextCursor &cursor, const QString &caption)
{
    QTextBlockFormat centred = cursor.blockFormat();
    centred.setAlignment(Qt::AlignHCenter);
    // A proportional line height would add a share of the picture's height under it.
    centred.setLineHeight(0, QTextBlockFormat::SingleHeight);
    centred.setTopMargin(devicePixels(8));
    centred.setBottomMargin(devicePixels(2));
    cursor.setBlockFormat(centred);
    if (caption.isEmpty())
        return;
    cursor.movePosition(QTextCursor::EndOfBlock);
    QTextBlockFormat below = centred;
    below.setTopMargin(0);
    below.setBottomMargin(devicePixels(12));
    QTextCharFormat small;
    small.setFont(fonts::named(fonts::kArial, 9));
    small.setFontItalic(true);
    small.setForeground(QColor(0x44, 0x44, 0x44));
    cursor.insertBlock(below, small);
    cursor.insertText(caption);
}

class Composition final
{
public:
    Composition(const PictureSource &pictures, QList<QSizeF> &sizes)
        : m_pictures(pictures)
        , m_sizes(sizes)
    { }

    // Styles the headings and paragraphs and places the pictures; false after writing into
    // `error` which picture is missing.
    bool dress(
        QTextDocument &body, const QString &markdown, const PageGeometry &geometry, QString &error);
    // Moves a heading whose next block starts on a later page to that page.
    void keepWithNext(QTextDocument &body, const PageGeometry &geometry);

private:
    bool placePicture(QTextDocument &body, const PictureSpot &spot, const QString &caption,
        const PageGeometry &geometry, QString &error);

    const PictureSource &m_pictures;
    QList<QSizeF> &m_sizes;
};

bool Composition::dress(
    QTextDocument &body, const QString &markdown, const PageGeometry &geometry, QString &error)
{
    for (QTextBlock block = body.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        const int level = block.blockFormat().headingLevel();
        if (level >= 1 && level <= 3) {
            styleHeading(cursor, level);
        } else if (!block.textList()) {
            spaceParagraph(cursor);
        }
    }
    const QList<PictureSpot> spots = pictureSpots(body);
    const QStringList captions = pictureCaptions(markdown);
    // From the last, so that the captions added do not move the pictures still to place.
    for (qsizetype i = spots.size() - 1; i >= 0; --i) {
        if (!placePicture(body, spots[i], captions.value(i), geometry, error))
            return false;
    }
    std::reverse(m_sizes.begin(), m_sizes.end());
    return true;
}

bool Composition::placePicture(QTextDocument &body, const PictureSpot &spot, const QString &caption,
    const PageGeometry &geometry, QString &error)
{
    const QString address = spot.format.name();
    const QString scheme = QLatin1String(kPictureScheme);
    if (!address.startsWith(scheme)) {
        error = QStringLiteral("the picture \"%1\" is not a screen (%2NAME)").arg(address, scheme);
        return false;
    }
    const std::optional<QImage> image = m_pictures(address.mid(scheme.size()), error);
    if (!image)
        return false;
    body.addResource(QTextDocument::ImageResource, QUrl(address), *image);
    const QSizeF size = placedSize(*image, geometry);
    QTextImageFormat format = spot.format;
    format.setWidth(size.width());
    format.setHeight(size.height());
    QTextCursor cursor(&body);
    cursor.setPosition(spot.position);
    cursor.setPosition(spot.position + 1, QTextCursor::KeepAnchor);
    cursor.setCharFormat(format);
    m_sizes.append(size * 72.0 / 96.0);
    addCaption(cursor, caption);
    return true;
}

void Composition::keepWithNext(QTextDocument &body, const PageGeometry &geometry)
{
    const DocumentPages pages(body, geometry);
    // Each move can only push later blocks further on: a bounded number of rounds settles it.
    for (int round = 0; round < 100; ++round) {
        bool moved = false;
        for (QTextBlock block = body.begin(); block.isValid(); block = block.next()) {
            const QTextBlock next = block.next();
            if (!next.isValid() || block.blockFormat().pageBreakPolicy() != 0
                || !keptWithNext(block))
                continue;
            if (pages.pageOf(next) > pages.lastPageOf(block)
                || pages.lastPageOf(block) > pages.pageOf(block)) {
                QTextCursor cursor(block);
                QTextBlockFormat format = block.blockFormat();
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                cursor.setBlockFormat(format);
                moved = true;
                break;
            }
        }
        if (!moved)
            return;
    }
}

QList<GuideSection> sectionsOf(
    const QTextDocument &body, const PageGeometry &geometry, int firstPage)
{
    const DocumentPages pages(body, geometry);
    QList<GuideSection> sections;
    for (QTextBlock block = body.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1)
            sections.append({block.text().trimmed(), firstPage + pages.pageOf(block)});
    }
    return sections;
}

// The table of contents: its heading, then one line per section with its page at the right.
void writeIndex(QTextDocument &index, const QList<GuideSection> &sections)
{
    index.clear();
    QTextCursor cursor(&index);
    QTextBlockFormat heading;
    heading.setBottomMargin(devicePixels(18));
    QTextCharFormat headingText;
    headingText.setFont(fonts::named(fonts::kArial, 22, QFont::Bold));
    headingText.setForeground(kHeadingColour);
    cursor.setBlockFormat(heading);
    cursor.insertText(QStringLiteral("Indice"), headingText);
    QTextTableFormat table;
    table.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    table.setCellPadding(devicePixels(4));
    table.setCellSpacing(0);
    table.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    table.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 88),
        QTextLength(QTextLength::PercentageLength, 12)});
    QTextTable *lines = cursor.insertTable(int(sections.size()), 2, table);
    QTextCharFormat lineText;
    lineText.setFont(fonts::named(fonts::kArial, 12));
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    for (int row = 0; row < sections.size(); ++row) {
        QTextCursor title = lines->cellAt(row, 0).firstCursorPosition();
        title.insertText(sections[row].title, lineText);
        QTextCursor page = lines->cellAt(row, 1).firstCursorPosition();
        page.setBlockFormat(right);
        page.insertText(QString::number(sections[row].page), lineText);
    }
}

void paintFooter(QPainter &painter, const PageGeometry &geometry, int page)
{
    painter.save();
    painter.setFont(fonts::named(fonts::kArial, 9));
    painter.setPen(QColor(0x55, 0x55, 0x55));
    const QRectF footer(0, geometry.text.height(), geometry.text.width(),
        geometry.paint.height() - geometry.text.height());
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignBottom, QString::number(page));
    painter.restore();
}

void paintCover(QPainter &painter, const PageGeometry &geometry, const GuideCover &cover)
{
    painter.save();
    const qreal width = geometry.paint.width();
    const qreal top = geometry.paint.height() * 0.32;
    painter.setPen(kHeadingColour);
    painter.setFont(fonts::named(fonts::kArial, 40, QFont::Bold));
    painter.drawText(QRectF(0, top, width, devicePixels(60)), Qt::AlignCenter, cover.title);
    painter.fillRect(
        QRectF(width * 0.3, top + devicePixels(70), width * 0.4, devicePixels(2)), kHeadingColour);
    painter.setFont(fonts::named(fonts::kArial, 20));
    painter.drawText(QRectF(0, top + devicePixels(85), width, devicePixels(40)), Qt::AlignCenter,
        cover.subtitle);
    painter.setPen(QColor(0x55, 0x55, 0x55));
    painter.setFont(fonts::named(fonts::kArial, 11));
    painter.drawText(QRectF(0, geometry.paint.height() - devicePixels(40), width, devicePixels(20)),
        Qt::AlignCenter, cover.version);
    painter.restore();
}

// Paints every page of `document`, each on a new sheet, numbered from `firstPage`.
void paintPages(QPainter &painter, QPdfWriter &writer, QTextDocument &document,
    const PageGeometry &geometry, int firstPage)
{
    const qreal height = geometry.text.height();
    for (int page = 0; page < document.pageCount(); ++page) {
        writer.newPage();
        painter.save();
        painter.setClipRect(QRectF(QPointF(0, 0), geometry.text));
        painter.translate(0, -page * height);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * height, geometry.text.width(), height);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        paintFooter(painter, geometry, firstPage + page);
    }
}

// A4 pages with the guide's margins, laid out at the PDF's resolution.
PageGeometry a4Pages(QPdfWriter &writer)
{
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(22, 20, 22, 14), QPageLayout::Millimeter));
    const QRectF paint = writer.pageLayout().paintRectPixels(kResolution);
    return {QSizeF(paint.width(), paint.height() - devicePixels(kFooterPoints)),
        QRectF(QPointF(0, 0), paint.size())};
}

// Writes the table of contents of `body` into `index`, which comes after the cover. The index's
// own length decides where the sections start: it is laid out again until it settles.
QList<GuideSection> layIndex(
    QTextDocument &index, const QTextDocument &body, const PageGeometry &geometry)
{
    int indexPages = 1;
    QList<GuideSection> sections;
    for (int round = 0; round < 3; ++round) {
        sections = sectionsOf(body, geometry, 2 + indexPages);
        writeIndex(index, sections);
        if (index.pageCount() == indexPages)
            break;
        indexPages = index.pageCount();
    }
    return sections;
}

} // namespace

GuideComposer::GuideComposer(GuideCover cover, PictureSource pictures)
    : m_cover(std::move(cover))
    , m_pictures(std::move(pictures))
{ }

bool GuideComposer::write(const QString &markdown, const QString &pdfPath)
{
    m_error.clear();
    m_sections.clear();
    m_pictureSizes.clear();
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("cannot write %1: %2").arg(pdfPath, file.errorString());
        return false;
    }
    QPdfWriter writer(&file);
    writer.setTitle(m_cover.title + QStringLiteral(" - ") + m_cover.subtitle);
    writer.setCreator(m_cover.title);
    const PageGeometry geometry = a4Pages(writer);
    m_textWidth = pointsOf(geometry.text.width());

    QTextDocument body;
    prepareDocument(body, writer, geometry);
    body.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    Composition composition(m_pictures, m_pictureSizes);
    if (!composition.dress(body, markdown, geometry, m_error))
        return false;
    composition.keepWithNext(body, geometry);

    QTextDocument index;
    prepareDocument(index, writer, geometry);
    m_sections = layIndex(index, body, geometry);
    const int indexPages = index.pageCount();

    QPainter painter(&writer);
    paintCover(painter, geometry, m_cover);
    paintPages(painter, writer, index, geometry, 2);
    paintPages(painter, writer, body, geometry, 2 + indexPages);
    painter.end();
    if (!file.commit()) {
        m_error = QStringLiteral("cannot write %1: %2").arg(pdfPath, file.errorString());
        return false;
    }
    return true;
}

} // namespace almavest::guide
