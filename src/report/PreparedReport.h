#pragma once

#include "report/ReportTemplate.h"

#include <QDate>
#include <QPageLayout>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// A template laid out into pages: every object placed on its page, in units from the top-left
// corner of the paper, with its text already final (macros replaced). Tests read this model;
// PDF files, printers and the preview draw it.
namespace almavest::report {

struct PlacedObject
{
    ReportObject object; // rect in units from the paper's top-left corner; lines as printed
};

struct ReportPage
{
    std::vector<PlacedObject> objects;
};

struct PreparedReport
{
    QString name;
    QPageLayout layout; // A4, orientation and margins of the template
    std::vector<ReportPage> pages;
};

// Lays `report` out; "[DATE]" in memos with expressions on becomes `today` as dd/mm/yyyy.
PreparedReport prepare(const ReportTemplate &report, QDate today);

// The paper of the report in units.
QSizeF paperSizeUnits(const PreparedReport &report);
// Where a picture of `imageSize` is drawn in `box`: as large as fits with its proportions kept,
// centred in the box or in its top-left corner.
QRectF pictureTarget(const QRectF &box, const QSizeF &imageSize, bool centred);

// Draws page `index` on a painter whose device has the report's page size.
void paintPage(const PreparedReport &report, int index, QPainter &painter);
// Where a line `advance` units wide starts in `memo`: 2 units inside its left or right edge, or
// centred, as the memo is aligned; a line wider than the room starts at the left.
double lineStartX(const ReportObject &memo, double advance);
// Draws page `index` in units on a painter already mapped to units with its origin at the
// paper's corner (the preview zooms this way).
void drawPageInUnits(const PreparedReport &report, int index, QPainter &painter);
// Draws every page on `device` (a printer or a PDF writer), starting a new page for each.
bool paintReport(const PreparedReport &report, QPagedPaintDevice &device);
// Draws the pages of `report` at the 0-based indexes `pages`, in that order, one device page each.
bool paintPages(
    const PreparedReport &report, QPagedPaintDevice &device, const std::vector<int> &pages);
// Writes the report as a PDF file.
bool writePdf(const PreparedReport &report, const QString &path);

// The height of one line of the summary's body, in units.
inline constexpr double kSummaryLineHeight = 12.822;

// The one-memo summary that every list screen prints: the title once on the first page, the
// lines running over as many landscape pages as they need, the date of printing after the last.
// The title and the lines print as they stand. nullopt when the template cannot be read.
std::optional<PreparedReport> prepareSummary(const QString &title, const QStringList &lines,
    QDate today, const QString &reportName = QStringLiteral("Riepilogo dati"));

} // namespace almavest::report
