// The guide's layout on a small source: every section from a new page, the table of contents
// with the real pages, pictures fitted to the text column, and a picture that cannot be had
// refused by name.
#include "GuideComposer.h"
#include "PdfText.h"
#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace almavest;
using namespace almavest::guide;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

// Three sections; the second runs over several pages and has a subsection.
QString source()
{
    QString text = u"# Primo capitolo\n\nTesto breve.\n\n![Stretta](schermata:stretta)\n\n"
                   u"# Secondo capitolo\n\n"_s;
    for (int i = 1; i <= 60; ++i)
        text += u"Paragrafo %1 del secondo capitolo, abbastanza lungo da occupare una riga intera "
                u"della pagina e magari anche una seconda riga.\n\n"_s.arg(i);
    text += u"## Sottosezione\n\nAltro testo.\n\n# Terzo capitolo\n\n![Larga](schermata:larga)\n"_s;
    return text;
}

std::optional<QImage> fixturePicture(const QString &name, QString &error)
{
    if (name == u"stretta"_s)
        return QImage(300, 200, QImage::Format_RGB32);
    if (name == u"larga"_s)
        return QImage(3000, 400, QImage::Format_RGB32);
    error = u"no screen called "_s + name;
    return std::nullopt;
}

GuideComposer composer()
{
    return GuideComposer({u"Almavest"_s, u"Guida all'utilizzo"_s, u"Versione 1"_s}, fixturePicture);
}

} // namespace

class TestGuideComposer final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everySectionStartsItsPageAndIsIndexed();
    void picturesFitTheTextColumn();
    void missingPictureIsRefusedByName_data();
    void missingPictureIsRefusedByName();

private:
    QTemporaryDir m_dir;
};

void TestGuideComposer::everySectionStartsItsPageAndIsIndexed()
{
    if (!popplerPresent())
        QSKIP("poppler-utils (pdftotext, pdfinfo) is not installed: the PDF is not read back");
    const QString pdf = m_dir.filePath(u"sezioni.pdf"_s);
    GuideComposer guide = composer();
    QVERIFY2(guide.write(source(), pdf), qPrintable(guide.error()));

    const QList<GuideSection> sections = guide.sections();
    QCOMPARE(sections.size(), 3);
    QCOMPARE(sections[0].page, 3); // after the cover and the index
    QCOMPARE(sections[1].page, 4);
    QVERIFY2(sections[2].page >= 6, "the second section should fill more than one page");
    QCOMPARE(pdfPageCount(pdf), sections[2].page);

    QVERIFY(pdfPageText(pdf, 1).contains(u"Guida all'utilizzo"_s));
    const QString index = pdfPageText(pdf, 2);
    QCOMPARE(firstLine(index), u"Indice"_s);
    const QMap<QString, int> entries = indexEntries(index);
    QCOMPARE(entries.size(), 3);
    for (const GuideSection &section : sections) {
        QCOMPARE(entries.value(section.title), section.page);
        QCOMPARE(firstLine(pdfPageText(pdf, section.page)), section.title);
        if (section.page - 1 > 2) // the page before, unless it is the index
            QVERIFY(!pdfPageText(pdf, section.page - 1).contains(section.title));
    }
    // The subsection flows on with its section and has no entry of its own.
    QVERIFY(!entries.contains(u"Sottosezione"_s));
}

void TestGuideComposer::picturesFitTheTextColumn()
{
    GuideComposer guide = composer();
    QVERIFY2(guide.write(source(), m_dir.filePath(u"figure.pdf"_s)), qPrintable(guide.error()));
    const QList<QSizeF> sizes = guide.pictureSizes();
    QCOMPARE(sizes.size(), 2);
    // The narrow picture keeps its size, 300 by 200 screen pixels at 96 dpi, in points.
    QCOMPARE(sizes[0], QSizeF(225, 150));
    // The wide one is shrunk to the text column, its proportions kept.
    QVERIFY(guide.textWidth() > 400 && guide.textWidth() < 500);
    QVERIFY(qAbs(sizes[1].width() - guide.textWidth()) < 0.5);
    QVERIFY(qAbs(sizes[1].width() / sizes[1].height() - 7.5) < 0.01);
}

void TestGuideComposer::missingPictureIsRefusedByName_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("named");
    QTest::newRow("a screen that does not exist") << u"![x](schermata:nessuna)"_s << u"nessuna"_s;
    QTest::newRow("an address that is not a screen") << u"![x](foto.png)"_s << u"foto.png"_s;
}

void TestGuideComposer::missingPictureIsRefusedByName()
{
    QFETCH(QString, picture);
    QFETCH(QString, named);
    // A guide written before stays as it was.
    const QString pdf = m_dir.filePath(u"rifiutata.pdf"_s);
    QVERIFY(writeBytes(pdf, "guida precedente"));
    GuideComposer guide = composer();
    QVERIFY(!guide.write(u"# Capitolo\n\nTesto.\n\n"_s + picture + u"\n"_s, pdf));
    QVERIFY2(guide.error().contains(named), qPrintable(guide.error()));
    QCOMPARE(fileBytes(pdf), QByteArray("guida precedente"));
}

QTEST_MAIN(TestGuideComposer)
#include "tst_guidecomposer.moc"
