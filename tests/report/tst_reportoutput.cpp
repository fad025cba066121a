// Drawing laid-out pages: a long line is cut at its memo's edge, and a PDF file gets every page.
#include "PageModel.h"

#include "report/PreparedReport.h"
#include "report/Printing.h"
#include "report/ReportTemplate.h"
#include "report/Units.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace almavest;
using namespace almavest::report;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 12, 10);

// Page `index` drawn at 96 dpi: one pixel a unit.
QImage drawn(const PreparedReport &report, int index)
{
    QImage image(paperSizeUnits(report).toSize(), QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(report, index, painter);
    return image;
}

int darkPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    }
    return count;
}

} // namespace

class TestReportOutput final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineStartKeepsThePadding_data();
    void lineStartKeepsThePadding();
    void longLineIsCutNotWrapped();
    void pdfHasEveryPage_data();
    void pdfHasEveryPage();
    void printedPages_data();
    void printedPages();
};

void TestReportOutput::lineStartKeepsThePadding_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("advance");
    QTest::addColumn<double>("start");
    // A memo from 100 to 200 units: 96 units of room between the two paddings of 2.
    QTest::newRow("left") << int(Qt::AlignLeft) << 40.0 << 102.0;
    QTest::newRow("right") << int(Qt::AlignRight) << 40.0 << 158.0;
    QTest::newRow("right, filling the room") << int(Qt::AlignRight) << 96.0 << 102.0;
    QTest::newRow("right, one unit too wide") << int(Qt::AlignRight) << 97.0 << 102.0;
    QTest::newRow("right, empty") << int(Qt::AlignRight) << 0.0 << 198.0;
    QTest::newRow("centred") << int(Qt::AlignHCenter) << 40.0 << 130.0;
    QTest::newRow("centred, too wide") << int(Qt::AlignHCenter) << 120.0 << 102.0;
}

void TestReportOutput::lineStartKeepsThePadding()
{
    QFETCH(int, alignment);
    QFETCH(double, advance);
    QFETCH(double, start);
    ReportObject memo;
    memo.rect = QRectF(100, 10, 100, 20);
    memo.alignment = Qt::Alignment(alignment) | Qt::AlignTop;
    QCOMPARE(lineStartX(memo, advance), start);
}

void TestReportOutput::longLineIsCutNotWrapped()
{
    const PreparedReport report = *prepareSummary(u"Riepilogo"_s, {QString(400, u'W')}, kToday);
    const QImage page = drawn(report, 0);
    const QRectF memo = placedOn(report, 0, u"txtRiepilogo"_s).rect;
    const QRect firstLine(0, qCeil(memo.top()) + 1, page.width(), int(kSummaryLineHeight) - 2);
    const int right = qFloor(memo.right());

    // Ink runs up to the memo's right edge and stops there.
    QVERIFY(darkPixels(page, QRect(right - 12, firstLine.top(), 12, firstLine.height())) > 0);
    QCOMPARE(
        darkPixels(page, QRect(right + 1, firstLine.top(), page.width(), firstLine.height())), 0);
    // Nothing spills onto a second line.
    const QRect below(0, qCeil(memo.bottom()) + 1, page.width(), int(kSummaryLineHeight));
    QCOMPARE(darkPixels(page, below), 0);
}

void TestReportOutput::pdfHasEveryPage_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("mediaBox"); // points: landscape or portrait A4
    QTest::newRow("summary of 200 lines") << u"summary"_s << 4 << u"0 0 842 595"_s;
    QTest::newRow("member card with photo") << u"card"_s << 1 << u"0 0 595 842"_s;
}

void TestReportOutput::pdfHasEveryPage()
{
    QFETCH(QString, kind);
    QFETCH(int, pages);
    QFETCH(QString, mediaBox);
    PreparedReport report;
    if (kind == u"summary") {
        QStringList lines;
        for (int n = 1; n <= 200; ++n)
            lines << u"%1 | Cognome Nome %1"_s.arg(n, 5);
        report = *prepareSummary(u"Riepilogo soci in archivio"_s, lines, kToday);
    } else {
        std::optional<ReportTemplate> card
            = ReportTemplate::load(u":/templates/member-card-photo.json"_s);
        QVERIFY(card);
        QImage photo(300, 400, QImage::Format_RGB32);
        photo.fill(QColor(0x4682B4));
        card->setPicture(u"imgFoto"_s, photo);
        card->setText(u"txtCampo01"_s, u"Rossi Mario"_s);
        report = prepare(*card, kToday);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(u"report.pdf"_s);
    QVERIFY(writePdf(report, path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString pdf = QString::fromLatin1(file.readAll());
    QVERIFY(pdf.startsWith(u"%PDF-"_s));
    QCOMPARE(int(pdf.count(QRegularExpression(u"/Type\\s*/Page(?!s)"_s))), pages);
    const QRegularExpressionMatch box
        = QRegularExpression(u"/MediaBox\\s*\\[\\s*([\\d.]+) ([\\d.]+) ([\\d.]+) ([\\d.]+)"_s)
              .match(pdf);
    QVERIFY(box.hasMatch());
    const QString rounded
        = QStringList {box.captured(1), box.captured(2), box.captured(3), box.captured(4)}
              .replaceInStrings(QRegularExpression(u"\\..*"_s), QString())
              .join(u' ');
    QCOMPARE(rounded, mediaBox);

    // A file that cannot be written is reported, not taken for done.
    QVERIFY(!writePdf(report, dir.filePath(u"no/such/folder/report.pdf"_s)));
}

void TestReportOutput::printedPages_data()
{
    QTest::addColumn<int>("from"); // 1-based, 0 for all pages
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<std::vector<int>>("expected"); // 0-based
    QTest::newRow("all pages") << 0 << 0 << 1 << true << std::vector<int> {0, 1, 2, 3};
    QTest::newRow("pages 2 to 3") << 2 << 3 << 1 << true << std::vector<int> {1, 2};
    QTest::newRow("range past the end") << 3 << 9 << 1 << true << std::vector<int> {2, 3};
    QTest::newRow("two copies collated") << 2 << 3 << 2 << true << std::vector<int> {1, 2, 1, 2};
    QTest::newRow("two copies page by page")
        << 2 << 3 << 2 << false << std::vector<int> {1, 1, 2, 2};
}

void TestReportOutput::printedPages()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QFETCH(std::vector<int>, expected);
    // A PDF file makes no copies by itself: each one is drawn.
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    if (from > 0) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(from, to);
    }
    printer.setCopyCount(copies);
    printer.setCollateCopies(collate);
    QVERIFY(!printer.supportsMultipleCopies());
    QCOMPARE(printSequence(printer, 4), expected);
}

QTEST_MAIN(TestReportOutput)
#include "tst_reportoutput.moc"
