// The guide the build wrote from the real source: every section starts its own page and is
// listed in the table of contents with that page.
#include "PdfText.h"
#include "TestFiles.h"

#include <QFileInfo>
#include <QTest>

using namespace almavest::test;
using namespace Qt::StringLiterals;

class TestGuideBook final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everySectionHasItsPage();
};

void TestGuideBook::everySectionHasItsPage()
{
    const QString pdf = QStringLiteral(ALMAVEST_GUIDE_PDF);
    QVERIFY2(QFileInfo(pdf).size() > 0, "the build did not write Guida.pdf");
    if (!popplerPresent())
        QSKIP("poppler-utils (pdftotext, pdfinfo) is not installed: the PDF is not read back");

    QStringList titles;
    for (const QString &line :
        QString::fromUtf8(fileBytes(QStringLiteral(ALMAVEST_GUIDE_SOURCE))).split(u'\n')) {
        if (line.startsWith(u"# "_s))
            titles.append(line.mid(2).trimmed());
    }
    QVERIFY(titles.size() >= 10);
    QVERIFY(pdfPageText(pdf, 1).contains(u"Guida all'utilizzo"_s));
    const QString index = pdfPageText(pdf, 2);
    QCOMPARE(firstLine(index), u"Indice"_s);
    const QMap<QString, int> entries = indexEntries(index);
    QCOMPARE(entries.size(), titles.size());
    const int pages = pdfPageCount(pdf);
    int previous = 2;
    for (const QString &title : std::as_const(titles)) {
        const int page = entries.value(title);
        QVERIFY2(page > previous && page <= pages, qPrintable(title));
        QCOMPARE(firstLine(pdfPageText(pdf, page)), title);
        previous = page;
    }
}

QTEST_MAIN(TestGuideBook)
#include "tst_guidebook.moc"
