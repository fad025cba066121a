// Drawing prepared pages on any painter: screen, image, printer or PDF writer.
#include "report/PreparedReport.h"

#include "report/Fonts.h"
#include "report/Units.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace almavest::report {

using namespace Qt::StringLiterals;

namespace {

// Text keeps this distance from the left and right edges of its memo, in units.
constexpr double kTextPadding = 2;
// Lines and frames are this wide, in units.
constexpr double kPenWidth = 1;
constexpr int kPdfResolution = 300;

// The painter works in units; a font resolves its point size against the device's resolution, so
// the size asked for is scaled back to give the template's points on paper.
QFont fontFor(const ReportObject &memo, const QPaintDevice &device)
{
    QFont font(memo.fontFamily);
    font.setPointSizeF(memo.fontPoints * 96.0 / device.logicalDpiY());
    font.setBold(memo.bold);
    // Unhinted outlines give the same widths on screen, paper and PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    if (memo.fontFamily == QLatin1String(fonts::kCourierNew))
        font.setStyleHint(QFont::TypeWriter);
    return font;
}

void drawMemo(const ReportObject &memo, QPainter &painter)
{
    const QRectF &box = memo.rect;
    if (memo.fill.isValid())
        painter.fillRect(box, memo.fill);
    if (memo.lines.isEmpty())
        return;
    const QFont font = fontFor(memo, *painter.device());
    const QFontMetricsF metrics(font, painter.device());
    const double pitch = lineHeightOf(memo);
    const double textHeight = metrics.ascent() + metrics.descent();
    // Lines taller than the memo start at its top, so that the first ones show.
    double top = box.top();
    if (memo.alignment & Qt::AlignVCenter)
        top += std::max(0.0, (box.height() - double(memo.lines.size()) * pitch) / 2);
    double baseline = top + std::max(0.0, (pitch - textHeight) / 2) + metrics.ascent();

    painter.save();
    // Lines wider than the memo are cut at its edge, never wrapped.
    painter.setClipRect(box, Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(memo.textColor);
    // Measuring a line costs as much as drawing it: a left-aligned line needs no measure.
    const bool measured = memo.alignment.testAnyFlags(Qt::AlignHCenter | Qt::AlignRight);
    for (const QString &line : memo.lines) {
        if (baseline - metrics.ascent() > box.bottom())
            break;
        if (!line.isEmpty()) {
            const double advance = measured ? metrics.horizontalAdvance(line) : 0.0;
            painter.drawText(QPointF(lineStartX(memo, advance), baseline), line);
        }
        baseline += pitch;
    }
    painter.restore();
}

void drawPicture(const ReportObject &picture, QPainter &painter)
{
    if (picture.picture.isNull())
        return;
    const QRectF target = pictureTarget(picture.rect, picture.picture.size(), picture.centred);
    // A camera photo is far larger than its box: scale it down once rather than send it whole.
    const QSizeF onDevice = painter.transform().mapRect(target).size();
    QImage image = picture.picture;
    if (image.width() > 2 * onDevice.width() && image.height() > 2 * onDevice.height())
        image
            = image.scaled((onDevice * 2).toSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    painter.restore();
}

void drawObject(const ReportObject &object, QPainter &painter)
{
    switch (object.kind) {
    case ObjectKind::Memo:
        drawMemo(object, painter);
        break;
    case ObjectKind::Picture:
        drawPicture(object, painter);
        break;
    case ObjectKind::Shape:
        painter.setPen(object.border.isValid() ? QPen(object.border, kPenWidth) : QPen(Qt::NoPen));
        painter.setBrush(object.fill.isValid() ? QBrush(object.fill) : QBrush(Qt::NoBrush));
        painter.drawRect(object.rect);
        break;
    case ObjectKind::Line: {
        painter.setPen(QPen(object.border, kPenWidth, Qt::SolidLine, Qt::FlatCap));
        const QRectF &r = object.rect;
        const bool vertical = r.height() > r.width();
        painter.drawLine(
            r.topLeft(), vertical ? QPointF(r.left(), r.bottom()) : QPointF(r.right(), r.top()));
        break;
    }
    }
}

} // namespace

// A line too wide for its memo starts at the left edge whatever the alignment, so that it is cut
// at the right edge only.
double lineStartX(const ReportObject &memo, double advance)
{
    const QRectF &box = memo.rect;
    const double left = box.left() + kTextPadding;
    if (!(memo.alignment & (Qt::AlignHCenter | Qt::AlignRight)))
        return left;
    const double room = box.width() - 2 * kTextPadding;
    if (advance > room)
        return left;
    if (memo.alignment & Qt::AlignHCenter)
        return box.left() + (box.width() - advance) / 2;
    return box.right() - kTextPadding - advance;
}

QRectF pictureTarget(const QRectF &box, const QSizeF &imageSize, bool centred)
{
    if (imageSize.isEmpty() || box.isEmpty())
        return QRectF(box.topLeft(), QSizeF(0, 0));
    const QSizeF size = imageSize.scaled(box.size(), Qt::KeepAspectRatio);
    QRectF target(box.topLeft(), size);
    if (centred)
        target.moveCenter(box.center());
    return target;
}

void drawPageInUnits(const PreparedReport &report, int index, QPainter &painter)
{
    if (index < 0 || index >= int(report.pages.size()))
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const PlacedObject &placed : report.pages[std::size_t(index)].objects)
        drawObject(placed.object, painter);
    painter.restore();
}

void paintPage(const PreparedReport &report, int index, QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    painter.save();
    painter.scale(device->logicalDpiX() / 96.0, device->logicalDpiY() / 96.0);
    drawPageInUnits(report, index, painter);
    painter.restore();
}

bool paintPages(
    const PreparedReport &report, QPagedPaintDevice &device, const std::vector<int> &pages)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter's origin is the corner of the device's printable area; the pages are drawn
    // from the paper's corner.
    const QPointF corner = device.pageLayout().paintRectPixels(device.logicalDpiX()).topLeft();
    bool first = true;
    for (const int index : pages) {
        if (!first && !device.newPage())
            return false;
        first = false;
        painter.save();
        painter.translate(-corner);
        paintPage(report, index, painter);
        painter.restore();
    }
    return painter.end();
}

bool paintReport(const PreparedReport &report, QPagedPaintDevice &device)
{
    std::vector<int> pages(report.pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i)
        pages[i] = int(i);
    return paintPages(report, device, pages);
}

bool writePdf(const PreparedReport &report, const QString &path)
{
    QPdfWriter writer(path);
    writer.setResolution(kPdfResolution);
    writer.setTitle(report.name);
    writer.setCreator(u"Almavest"_s);
    QPageLayout layout = report.layout;
    layout.setMargins(QMarginsF());
    writer.setPageLayout(layout);
    return paintReport(report, writer);
}

} // namespace almavest::report
