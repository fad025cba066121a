// The member lists on a large archive: searches, expiry summaries and filling a list.
#include "BenchSupport.h"

#include "registry/MemberRecord.h"
#include "registry/MemberSelection.h"
#include "report/Fonts.h"
#include "store/ArchiveFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFont>
#include <QListView>
#include <QScrollBar>
#include <QStringListModel>

#include <algorithm>
#include <functional>
#include <vector>

namespace almavest::bench {

namespace {

using registry::ExpiryRule;
using registry::MemberLines;

constexpr int kRuns = 5;

double searchTime(const QString &archive, const registry::SearchFilters &filters, qsizetype &found)
{
    const registry::MemberSearch search(filters);
    return scanTime([&] { return registry::searchMembers(archive, search); }, found);
}

// The line of the card `back` records before the end, as a list would show it.
// Notes when a widget has been painted.
class PaintWatch final : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Milliseconds to hand `lines` to a shown list and let it lay out and paint them, as the list
// screens do after a scan; the window itself exists beforehand.
double fillListTime(const QStringList &lines)
{
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        QStringListModel model;
        QListView view;
        view.setUniformItemSizes(true);
        view.setFont(fonts::named(fonts::kCourierNew, 12));
        view.setModel(&model);
        view.resize(900, 500);
        view.show();
        QCoreApplication::processEvents();
        PaintWatch watch;
        view.viewport()->installEventFilter(&watch);
        QElapsedTimer timer;
        timer.start();
        model.setStringList(lines);
        // Layout and painting wait for the event loop.
        for (int i = 0; i < 1000 && !(watch.painted && view.verticalScrollBar()->maximum() > 0);
             ++i)
            QCoreApplication::processEvents();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

} // namespace

void listBenchmarks(const QString &archive, double raw)
{
    qsizetype found = 0;
    registry::SearchFilters two;
    two[0] = QStringLiteral("socio 1");
    two[6] = QStringLiteral("città 4");
    const double twoFilters = searchTime(archive, two, found);
    row(QStringLiteral("search, two filters (%1 found)").arg(found), twoFilters,
        QStringLiteral("ms"), raw, 2);

    const double noFilter = searchTime(archive, registry::SearchFilters {}, found);
    row(QStringLiteral("search, no filter (%1 lines)").arg(found), noFilter, QStringLiteral("ms"),
        raw, 4);

    const QDate today(2026, 12, 10);
    for (const auto &[rule, name] : {std::pair {ExpiryRule::Expired, QStringLiteral("expired")},
             std::pair {ExpiryRule::ExpiringOrExpired, QStringLiteral("expiring or expired")}}) {
        const double time = scanTime(
            [&, rule = rule] { return registry::expiringMembers(archive, rule, today); }, found);
        row(QStringLiteral("summary, %1 (%2 lines)").arg(name).arg(found), time,
            QStringLiteral("ms"), raw, 3);
    }

    const MemberLines every = registry::searchMembers(archive, registry::MemberSearch({}));
    row(QStringLiteral("filling a list of %1 lines").arg(every.size()), fillListTime(every.lines()),
        QStringLiteral("ms"), noFilter, 1);
}

} // namespace almavest::bench
