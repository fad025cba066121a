// Laying a template out into pages: page objects in place, then the bands stacked from the top of
// the printable area, a splitting band carried on over as many pages as it needs.
#include "report/PreparedReport.h"

#include "report/Units.h"
#include "text/TextRoutines.h"

#include <algorithm>
#include <cmath>

namespace almavest::report {

using namespace Qt::StringLiterals;

namespace {

// Positions are sums of decimal fractions of a unit; this much is taken as equal.
constexpr double kTolerance = 1e-6;

class Layouter final
{
public:
    Layouter(const ReportTemplate &report, QDate today);
    PreparedReport run();

private:
    void placeBand(const Band &band);
    void placeSplitting(Band band);
    // Places on the current page what fits above `room` and takes it out of `band`; returns what
    // carries on, at its place relative to the band, and sets `cut` to the band offset the next
    // page starts from.
    std::vector<ReportObject> placeAbove(Band &band, double room, double &cut);
    // The object moved from its band at `bandTop` onto the paper, its macros replaced.
    PlacedObject placed(ReportObject object, double bandTop) const;
    void place(ReportObject object, double bandTop);
    void newPage();

    const ReportTemplate &m_template;
    QString m_date;
    QPointF m_origin; // the printable area's corner on the paper, in units
    double m_pageHeight = 0; // of the printable area, in units
    double m_y = 0; // where the next band goes, from the printable area's top
    std::vector<ReportPage> m_pages;
};

Layouter::Layouter(const ReportTemplate &report, QDate today)
    : m_template(report)
    , m_date(text::formatDate(today))
{
    const QMarginsF margins = report.marginsMillimetres();
    m_origin = QPointF(millimetresToUnits(margins.left()), millimetresToUnits(margins.top()));
    m_pageHeight = millimetresToUnits(
        report.paperSizeMillimetres().height() - margins.top() - margins.bottom());
}

PreparedReport Layouter::run()
{
    std::vector<const Band *> flowing;
    for (const Band &band : m_template.bands()) {
        if (band.kind != BandKind::Page)
            flowing.push_back(&band);
    }
    std::stable_sort(flowing.begin(), flowing.end(),
        [](const Band *a, const Band *b) { return a->top < b->top; });

    newPage();
    for (const Band *band : flowing) {
        if (band->height <= m_pageHeight - m_y + kTolerance) {
            placeBand(*band);
        } else if (band->canSplit) {
            placeSplitting(*band);
        } else {
            // A band that does not split goes whole to the next page.
            if (m_y > kTolerance)
                newPage();
            placeBand(*band);
        }
    }

    // Objects on the page itself stand behind the bands on every page.
    std::vector<PlacedObject> background;
    for (const Band &band : m_template.bands()) {
        if (band.kind != BandKind::Page)
            continue;
        for (const ReportObject &object : band.objects)
            background.push_back(placed(object, band.top));
    }
    for (ReportPage &page : m_pages)
        page.objects.insert(page.objects.begin(), background.begin(), background.end());

    PreparedReport prepared;
    prepared.name = m_template.name();
    prepared.layout = QPageLayout(QPageSize(QPageSize::A4), m_template.orientation(),
        m_template.marginsMillimetres(), QPageLayout::Millimeter);
    prepared.pages = std::move(m_pages);
    return prepared;
}

void Layouter::placeBand(const Band &band)
{
    for (const ReportObject &object : band.objects)
        place(object, m_y);
    m_y += band.height;
}

void Layouter::placeSplitting(Band band)
{
    while (band.height > m_pageHeight - m_y + kTolerance) {
        const double room = m_pageHeight - m_y;
        double cut = room;
        std::vector<ReportObject> rest = placeAbove(band, room, cut);
        if (rest.empty()) {
            // Only the band's empty tail is left: it fills this page and starts no new one.
            m_y = m_pageHeight;
            return;
        }
        if (m_y <= kTolerance && cut <= kTolerance) {
            // Nothing moves on even from the top of a page: print the rest here, cut by the page.
            for (const ReportObject &object : rest)
                place(object, m_y);
            m_y = m_pageHeight;
            return;
        }
        for (ReportObject &object : rest)
            object.rect.moveTop(std::max(0.0, object.rect.top() - cut));
        band.objects = std::move(rest);
        band.height -= cut;
        newPage();
    }
    placeBand(band);
}

std::vector<ReportObject> Layouter::placeAbove(Band &band, double room, double &cut)
{
    std::vector<ReportObject> rest;
    for (ReportObject &object : band.objects) {
        if (object.rect.bottom() <= room + kTolerance) {
            place(std::move(object), m_y);
            continue;
        }
        if (object.kind != ObjectKind::Memo || object.rect.top() >= room) {
            rest.push_back(std::move(object));
            continue;
        }
        // A memo breaks between whole lines.
        const double pitch = lineHeightOf(object);
        const auto fitting = qsizetype(std::floor((room - object.rect.top()) / pitch + kTolerance));
        if (fitting > 0) {
            ReportObject part = object;
            part.lines = object.lines.mid(0, fitting);
            part.rect.setHeight(double(fitting) * pitch);
            place(std::move(part), m_y);
        }
        // Dropping the printed lines from the front of a list of its own costs only those lines,
        // so a long list is not copied again for every page.
        object.lines.remove(0, std::min(fitting, object.lines.size()));
        object.rect.setTop(object.rect.top() + double(fitting) * pitch);
        if (object.lines.isEmpty() && object.rect.height() <= kTolerance)
            continue;
        cut = std::min(cut, object.rect.top());
        rest.push_back(std::move(object));
    }
    return rest;
}

PlacedObject Layouter::placed(ReportObject object, double bandTop) const
{
    object.rect.translate(m_origin.x(), m_origin.y() + bandTop);
    if (object.kind == ObjectKind::Memo && object.expressions) {
        // "[DATE]" is the one expression: any other text in brackets prints as it stands.
        for (QString &line : object.lines) {
            if (line.contains(QLatin1String("[DATE]")))
                line.replace(QLatin1String("[DATE]"), m_date);
        }
    }
    return {std::move(object)};
}

void Layouter::place(ReportObject object, double bandTop)
{
    m_pages.back().objects.push_back(placed(std::move(object), bandTop));
}

void Layouter::newPage()
{
    m_pages.emplace_back();
    m_y = 0;
}

} // namespace

PreparedReport prepare(const ReportTemplate &report, QDate today)
{
    return Layouter(report, today).run();
}

QSizeF paperSizeUnits(const PreparedReport &report)
{
    const QSizeF millimetres = report.layout.fullRect(QPageLayout::Millimeter).size();
    return millimetres * kUnitsPerMillimetre;
}

std::optional<PreparedReport> prepareSummary(
    const QString &title, const QStringList &lines, QDate today, const QString &reportName)
{
    std::optional<ReportTemplate> summary = ReportTemplate::load(u":/templates/summary.json"_s);
    if (!summary)
        return std::nullopt;
    summary->setName(reportName);
    summary->setText(u"txtTitolo"_s, title);
    summary->setLines(u"txtRiepilogo"_s, lines);
    const double bodyHeight = double(lines.size()) * kSummaryLineHeight;
    summary->setHeight(u"txtRiepilogo"_s, bodyHeight);
    summary->setHeight(u"MasterData"_s, bodyHeight + 10);
    return prepare(*summary, today);
}

} // namespace almavest::report
