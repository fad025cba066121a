// Laying out and writing a long summary report, against drawing the same lines straight onto a
// PDF: the engine's own share of the work should stay small next to the PDF writer's.
#include "BenchSupport.h"

#include "report/Fonts.h"
#include "report/PreparedReport.h"

#include <QDate>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <vector>

namespace almavest::bench {

namespace {

constexpr int kLines = 5000;
constexpr int kRuns = 3;
constexpr int kResolution = 300;

// Fixed-width lines shaped like the member list, 120 characters each.
QStringList memberLines()
{
    QStringList lines;
    lines.reserve(kLines);
    for (int n = 1; n <= kLines; ++n) {
        lines << QStringLiteral("%1 | %2 | %3 | %4 | RSSMRA70C05D704X | 31/12/2027 | %5")
                     .arg(n, 6, 10, QChar(u'0'))
                     .arg(QStringLiteral("Cognome%1 Nome").arg(n), -30)
                     .arg(QStringLiteral("Via Giuseppe Garibaldi %1").arg(n % 200), -28)
                     .arg(QStringLiteral("Forlì"), -12)
                     .arg(QStringLiteral("FC"), -4);
    }
    return lines;
}

// How many list lines the engine put on each page, so that the plain drawing breaks alike.
std::vector<qsizetype> linesPerPage(const report::PreparedReport &report)
{
    std::vector<qsizetype> counts;
    for (const report::ReportPage &page : report.pages) {
        qsizetype count = 0;
        for (const report::PlacedObject &placed : page.objects) {
            if (placed.object.name == QLatin1String("txtRiepilogo"))
                count += placed.object.lines.size();
        }
        counts.push_back(count);
    }
    return counts;
}

// The same lines in the same font, page size and page breaks, drawn with nothing else.
void drawPlain(const QString &path, const QStringList &lines, const std::vector<qsizetype> &pages)
{
    QPdfWriter writer(path);
    writer.setResolution(kResolution);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    QPainter painter(&writer);
    painter.scale(kResolution / 96.0, kResolution / 96.0);
    QFont font(QString::fromLatin1(fonts::kCourierNew));
    font.setPointSizeF(8.0 * 96.0 / kResolution);
    painter.setFont(font);
    qsizetype next = 0;
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0)
            writer.newPage();
        for (qsizetype i = 0; i < pages[page]; ++i, ++next)
            painter.drawText(QPointF(50, 60 + double(i) * report::kSummaryLineHeight), lines[next]);
    }
}

} // namespace

void reportBenchmarks()
{
    const QStringList lines = memberLines();
    const QDate today(2026, 12, 10);
    QTemporaryDir dir;
    const QString enginePdf = dir.filePath(QStringLiteral("engine.pdf"));
    const QString plainPdf = dir.filePath(QStringLiteral("plain.pdf"));

    const double layout = bestOf(kRuns, [&] {
        report::prepareSummary(QStringLiteral("Riepilogo soci in archivio"), lines, today);
    });
    const double engine = bestOf(kRuns, [&] {
        const report::PreparedReport prepared
            = *report::prepareSummary(QStringLiteral("Riepilogo soci in archivio"), lines, today);
        report::writePdf(prepared, enginePdf);
    });
    const std::vector<qsizetype> pages = linesPerPage(
        *report::prepareSummary(QStringLiteral("Riepilogo soci in archivio"), lines, today));
    const double plain = bestOf(kRuns, [&] { drawPlain(plainPdf, lines, pages); });

    row(QStringLiteral("5,000 lines drawn straight onto a PDF (%1 pages)").arg(pages.size()), plain,
        QStringLiteral("ms"));
    row(QStringLiteral("summary report of 5,000 lines: layout only"), layout, QStringLiteral("ms"));
    row(QStringLiteral("summary report of 5,000 lines: layout and PDF"), engine,
        QStringLiteral("ms"), plain, 1.5);
}

} // namespace almavest::bench
