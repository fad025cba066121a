// Laying the one-memo summary out: what lands on which page and where.
#include "PageModel.h"

#include "report/PreparedReport.h"
#include "report/Units.h"

#include <QTest>

using namespace almavest;
using namespace almavest::report;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 12, 10);
const QString kTitle = u"Riepilogo soci in archivio"_s;
const QString kDateLine = u"Stampa eseguita in data 10/12/2026"_s;
constexpr double kMargin = 10 * kUnitsPerMillimetre;
// The printable area of a landscape A4 page ends 10 mm above the 210 mm edge.
constexpr double kPrintableBottom = 200 * kUnitsPerMillimetre;

// Lines shaped like the member list: fixed-width columns, about 120 characters.
QStringList memberLines(int count)
{
    QStringList lines;
    for (int n = 1; n <= count; ++n) {
        lines << u"%1 | %2 | %3 | %4 | RSSMRA70C05D704X | 31/12/2027"_s.arg(n, 6, 10, QChar(u'0'))
                     .arg(u"Cognome%1 Nome"_s.arg(n), -32)
                     .arg(u"Via Giuseppe Garibaldi %1"_s.arg(n % 200), -30)
                     .arg(u"Forlì"_s, -12);
    }
    return lines;
}

} // namespace

class TestReportLayout final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listRunsOverPages_data();
    void listRunsOverPages();
    void longLinesAreKeptWhole();
    void dateMacro_data();
    void dateMacro();
    void dataPrintsAsWritten();
    void preparingTwiceGivesTheSamePages();
};

void TestReportLayout::listRunsOverPages_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("linesPerPage");
    // 53 lines fit under the title on the first page, 56 on every further page.
    QTest::newRow("empty list: title, empty body, date line") << 0 << QList<int> {0};
    QTest::newRow("one line") << 1 << QList<int> {1};
    QTest::newRow("body fits, date line does not") << 52 << QList<int> {52, 0};
    QTest::newRow("first page full") << 53 << QList<int> {53, 0};
    QTest::newRow("one line over") << 54 << QList<int> {53, 1};
    QTest::newRow("200 lines") << 200 << QList<int> {53, 56, 56, 35};
    QTest::newRow("last page exactly full") << 165 << QList<int> {53, 56, 56, 0};
}

void TestReportLayout::listRunsOverPages()
{
    QFETCH(int, count);
    QFETCH(QList<int>, linesPerPage);
    const QStringList lines = memberLines(count);
    const PreparedReport report = *prepareSummary(kTitle, lines, kToday);

    QCOMPARE(report.name, u"Riepilogo dati"_s);
    QCOMPARE(report.layout.orientation(), QPageLayout::Landscape);
    QCOMPARE(int(report.pages.size()), int(linesPerPage.size()));

    const std::vector<Landing> titles = landings(report, u"txtTitolo"_s);
    QCOMPARE(titles.size(), std::size_t(1));
    QCOMPARE(titles.front().page, 0);
    QCOMPARE(titles.front().object.lines, QStringList {kTitle});
    QCOMPARE(titles.front().object.rect.top(), kMargin + 3.77953);

    // Every line once, in order, whole lines on each page, the next page resuming at the top.
    QStringList printed;
    QList<int> perPage(int(report.pages.size()), 0);
    double lastBottom = 0;
    for (const Landing &body : landings(report, u"txtRiepilogo"_s)) {
        printed << body.object.lines;
        perPage[body.page] += int(body.object.lines.size());
        const QRectF &rect = body.object.rect;
        QVERIFY(qAbs(rect.height() - body.object.lines.size() * kSummaryLineHeight) < 1e-6);
        QVERIFY(rect.bottom() <= kPrintableBottom + 1e-6);
        QCOMPARE(rect.left(), kMargin + 11.33859);
        if (body.page > 0)
            QCOMPARE(rect.top(), kMargin);
        lastBottom = rect.bottom();
    }
    QCOMPARE(printed, lines);
    QCOMPARE(perPage, linesPerPage);

    // The date line once, after the last list line: below it, or at the top of a page of its own.
    const std::vector<Landing> footers = landings(report, u"txtPagina"_s);
    QCOMPARE(footers.size(), std::size_t(1));
    QCOMPARE(footers.front().page, int(report.pages.size()) - 1);
    QCOMPARE(footers.front().object.lines, QStringList {kDateLine});
    const QRectF footer = footers.front().object.rect;
    QVERIFY(footer.bottom() <= kPrintableBottom + 1e-6);
    if (landings(report, u"txtRiepilogo"_s).back().page == footers.front().page)
        QVERIFY(footer.top() >= lastBottom);
    else
        QCOMPARE(footer.top(), kMargin + 7.55906);
}

void TestReportLayout::longLinesAreKeptWhole()
{
    // Wider than the memo by far: it stays one line, cut only when drawn.
    const QString wide = QString(300, u'W');
    const PreparedReport report = *prepareSummary(kTitle, {wide, u"next"_s}, kToday);
    const ReportObject body = placedOn(report, 0, u"txtRiepilogo"_s);
    QCOMPARE(body.lines, (QStringList {wide, u"next"_s}));
    QCOMPARE(body.rect.height(), 2 * kSummaryLineHeight);
}

void TestReportLayout::dateMacro_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("the macro") << u"[DATE]"_s << u"10/12/2026"_s;
    QTest::newRow("twice in a line")
        << u"dal [DATE] al [DATE]"_s << u"dal 10/12/2026 al 10/12/2026"_s;
    QTest::newRow("other brackets print as they are") << u"Socio [abc] 12"_s << u"Socio [abc] 12"_s;
    QTest::newRow("an expression that looks real")
        << u"[Date] [DATE + 1] [ DATE ]"_s << u"[Date] [DATE + 1] [ DATE ]"_s;
    QTest::newRow("unclosed") << u"[DATE"_s << u"[DATE"_s;
    QTest::newRow("empty brackets") << u"[]"_s << u"[]"_s;
}

// The macro in a template's own text, on a page-level memo with expressions on.
void TestReportLayout::dateMacro()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    ReportTemplate report;
    Band page;
    ReportObject memo;
    memo.name = u"txtTesto"_s;
    memo.rect = QRectF(0, 0, 400, 20);
    memo.expressions = true;
    memo.lines = {line};
    page.objects.push_back(memo);
    report.bands().push_back(page);
    QCOMPARE(placedOn(prepare(report, kToday), 0, u"txtTesto"_s).lines, QStringList {expected});
}

// Data written into the summary is never read as a macro, in the title or in the list; the
// template's own date line still is.
void TestReportLayout::dataPrintsAsWritten()
{
    const QString name = u"Ditta [DATE] srl"_s;
    const PreparedReport report = *prepareSummary(name, {name, u"[DATE]"_s}, kToday);
    QCOMPARE(placedOn(report, 0, u"txtTitolo"_s).lines, QStringList {name});
    QCOMPARE(placedOn(report, 0, u"txtRiepilogo"_s).lines, (QStringList {name, u"[DATE]"_s}));
    QCOMPARE(placedOn(report, 0, u"txtPagina"_s).lines, QStringList {kDateLine});
}

void TestReportLayout::preparingTwiceGivesTheSamePages()
{
    const QStringList lines = memberLines(120);
    const PreparedReport first = *prepareSummary(kTitle, lines, kToday);
    const PreparedReport second = *prepareSummary(kTitle, lines, kToday);
    QVERIFY(samePages(first, second));

    // One template object prepared twice: nothing of the first layout stays in it.
    std::optional<ReportTemplate> summary = ReportTemplate::load(u":/templates/summary.json"_s);
    QVERIFY(summary);
    summary->setLines(u"txtRiepilogo"_s, lines);
    summary->setHeight(u"txtRiepilogo"_s, lines.size() * kSummaryLineHeight);
    summary->setHeight(u"MasterData"_s, lines.size() * kSummaryLineHeight + 10);
    const PreparedReport once = prepare(*summary, kToday);
    const PreparedReport twice = prepare(*summary, kToday);
    QVERIFY(samePages(once, twice));
    QCOMPARE(summary->findObject(u"txtPagina"_s)->lines,
        QStringList {u"Stampa eseguita in data [DATE]"_s});

    // The date is that of the layout, not of an earlier one.
    const PreparedReport later = prepare(*summary, kToday.addDays(3));
    QCOMPARE(landings(later, u"txtPagina"_s).front().object.lines,
        QStringList {u"Stampa eseguita in data 13/12/2026"_s});
}

QTEST_MAIN(TestReportLayout)
#include "tst_reportlayout.moc"
