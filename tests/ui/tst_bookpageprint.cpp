// Printing and previewing a book page as the page screen shows it: the sheet's objects where
// the register page has them, the values of the screen, the page number and the foot.
#include "AppFixture.h"
#include "GoldenRecords.h"
#include "PageModel.h"
#include "TemplatesRemoved.h"

#include "book/PageRecord.h"
#include "store/ArchiveFile.h"
#include "store/CardRules.h"
#include "ui/app/PasswordScreen.h"
#include "ui/book/BookPageScreen.h"
#include "ui/print/ReportOutput.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

// Row starts on the paper, in millimetres, A to D.
constexpr double kRowTops[] = {29.4, 64.0, 98.0, 133.0};

bool near(const QRectF &a, const QRectF &b)
{
    const auto close = [](double x, double y) { return qAbs(x - y) < 0.001; };
    return close(a.left(), b.left()) && close(a.top(), b.top()) && close(a.width(), b.width())
        && close(a.height(), b.height());
}

} // namespace

class TestBookPagePrint final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void printsWhatTheScreenShows_data();
    void printsWhatTheScreenShows();
    void objectsStandWhereTheRegisterHasThem_data();
    void objectsStandWhereTheRegisterHasThem();
    void rowsPrintTheirTitlesAndValues_data();
    void rowsPrintTheirTitlesAndValues();
    void cancelPrintsNothing_data();
    void cancelPrintsNothing();
    void unreadableTemplateIsReported();

private:
    ui::BookPageScreen *screen() { return m_fixture->app().bookPageScreen(); }
    // Presses the screen's `button` and, in the dialog, Stampa or Mostra anteprima; the dialog's
    // caption.
    QString produce(const char *button);
    const report::PreparedReport &printedSheet();

    std::unique_ptr<AppFixture> m_fixture;
};

void TestBookPagePrint::init()
{
    m_fixture = std::make_unique<AppFixture>();
    screen()->openBook(
        m_fixture->app().passwordScreen(), m_fixture->file(u"Soci.lib"_s), u"Soci"_s);
    // Page 2 of the fixture, typed and not saved.
    const QStringList page = goldenPage2();
    for (int field = 0; field < book::File1; ++field)
        screen()->box(field)->setText(page[field]);
}

QString TestBookPagePrint::produce(const char *button)
{
    QString caption;
    m_fixture->services.onNextDialog([&caption](QDialog &dialog) {
        caption = dialog.windowTitle();
        control<QPushButton>(&dialog, "btnStampa")->click();
        return dialog.result();
    });
    control<QAbstractButton>(screen(), button)->click();
    return caption;
}

const report::PreparedReport &TestBookPagePrint::printedSheet()
{
    if (m_fixture->services.printed.size() != 1)
        qFatal("expected one printed sheet, found %zu", m_fixture->services.printed.size());
    return m_fixture->services.printed.front();
}

void TestBookPagePrint::printsWhatTheScreenShows_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("position");
    QTest::addColumn<bool>("preview");
    QTest::newRow("print, not saved") << u"cmdStampa"_s << QString() << false;
    QTest::newRow("print, page 12") << u"cmdStampa"_s << u"12"_s << false;
    QTest::newRow("preview, not saved") << u"cmdAnteprima"_s << QString() << true;
}

void TestBookPagePrint::printsWhatTheScreenShows()
{
    QFETCH(QString, button);
    QFETCH(QString, position);
    QFETCH(bool, preview);
    if (!position.isEmpty()) {
        // The page shown is the book's last, stored at `position`.
        store::ArchiveFile book(m_fixture->file(u"Soci.lib"_s), book::kPageRecordSize);
        for (int page = 1; page <= position.toInt(); ++page)
            QVERIFY(store::storeCard(book, book::pageLayout(), goldenPage2(), std::nullopt));
        QVERIFY(screen()->loadCard(position.toLongLong()));
    }
    const QString caption = produce(button.toLatin1().constData());
    QCOMPARE(caption, preview ? u" Anteprima di stampa"_s : u" Stampa scheda"_s);
    auto &services = m_fixture->services;
    QCOMPARE(services.printed.size(), preview ? 0u : 1u);
    QCOMPARE(services.previewed.size(), preview ? 1u : 0u);
    const report::PreparedReport &sheet
        = preview ? services.previewed.front() : services.printed.front();
    QCOMPARE(sheet.name, u"Libro Soci"_s);
    QCOMPARE(sheet.pages.size(), 1u);
    QCOMPARE(sheet.layout.orientation(), QPageLayout::Landscape);
    QCOMPARE(sheet.layout.margins(QPageLayout::Millimeter), QMarginsF());
    QCOMPARE(placedOn(sheet, 0, u"txtPagina"_s).lines, QStringList {u"Pag. "_s + position});
    QCOMPARE(placedOn(sheet, 0, u"txtNumero"_s).lines, QStringList {u"LIBRO SOCI N. 12"_s});
    QCOMPARE(
        placedOn(sheet, 0, u"txtCodFisc"_s).lines, QStringList {u"CODICE FISCALE:  92012345678"_s});
    QCOMPARE(placedOn(sheet, 0, u"txtDenominazione"_s).lines,
        QStringList {u"Associazione Sportiva Dilettantistica Nuoto Forlì"_s});
    QCOMPARE(placedOn(sheet, 0, u"titPresidente"_s).lines, QStringList {u"IL PRESIDENTE:"_s});
    QCOMPARE(placedOn(sheet, 0, u"txtPresidente"_s).lines, QStringList {u"Rossi Mario"_s});
    QCOMPARE(placedOn(sheet, 0, u"titSegretario"_s).lines, QStringList {u"IL SEGRETARIO:"_s});
    QCOMPARE(placedOn(sheet, 0, u"txtSegretario"_s).lines, QStringList {u"Bianchi Anna"_s});
    QVERIFY(services.messages.isEmpty());
}

void TestBookPagePrint::objectsStandWhereTheRegisterHasThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("millimetres");
    QTest::newRow("book number") << u"txtNumero"_s << QRectF(10, 10.4, 105.6, 5.4);
    QTest::newRow("page number") << u"txtPagina"_s << QRectF(260.4, 10.4, 26.6, 5.4);
    QTest::newRow("frame left") << u"linTesta01"_s << QRectF(10, 18, 0, 7.2);
    QTest::newRow("frame right") << u"linTesta02"_s << QRectF(287, 18, 0, 7.2);
    QTest::newRow("frame bottom") << u"linTesta04"_s << QRectF(10, 25.5, 277, 0);
    QTest::newRow("bar") << u"shpTesta"_s << QRectF(11, 19, 274.8, 5.4);
    QTest::newRow("association") << u"txtDenominazione"_s << QRectF(12, 20, 196.4, 3.8);
    QTest::newRow("association code") << u"txtCodFisc"_s << QRectF(211, 20, 74, 3.8);
    const QString letters = u"ABCD"_s;
    for (int row = 0; row < 4; ++row) {
        const double t = kRowTops[row];
        const QString x = u"_"_s + letters[row];
        const auto add = [&x](const QString &name, const QRectF &place) {
            QTest::addRow("%s", qPrintable(name + x)) << name + x << place;
        };
        add(u"shpTitoli1"_s, {11, t, 274.8, 4.8});
        add(u"shpValori1"_s, {11, t + 6.2, 274.8, 5.8});
        add(u"linColonna1_1"_s, {26, t + 0.2, 0, 12});
        add(u"linColonna1_5"_s, {209, t + 0.2, 0, 12});
        add(u"linColonna2_1"_s, {42, t + 14.8, 0, 12});
        add(u"linColonna2_6"_s, {227, t + 14.8, 0, 12});
        add(u"linRiga1"_s, {11, t + 13.2, 275, 0});
        add(u"shpTitoli2"_s, {11, t + 14.6, 274.8, 4.8});
        add(u"shpValori2"_s, {11, t + 20.8, 274.8, 5.8});
        add(u"linRiga2"_s, {11, t + 27.6, 275, 0});
        add(u"titOrdine"_s, {11.4, t + 0.6, 13.8, 3.8});
        add(u"txtOrdine"_s, {11.4, t + 7.6, 13.8, 3.4});
        add(u"txtIndirizzo"_s, {211, t + 7.6, 73, 3.4});
        add(u"titTelefono"_s, {11.4, t + 15.2, 30, 3.8});
        add(u"txtQuota"_s, {117, t + 22.2, 30, 3.4});
        add(u"txtAnnotazioni"_s, {229, t + 22.2, 55, 3.4});
    }
    QTest::newRow("president's title") << u"titPresidente"_s << QRectF(10, 179, 56, 4);
    QTest::newRow("president's line") << u"linFirmaPresidente"_s << QRectF(10, 194, 56, 0);
    QTest::newRow("president") << u"txtPresidente"_s << QRectF(10, 195, 56, 3.4);
    QTest::newRow("secretary's title") << u"titSegretario"_s << QRectF(231, 179, 56, 4);
    QTest::newRow("secretary") << u"txtSegretario"_s << QRectF(231, 195, 56, 3.4);
}

void TestBookPagePrint::objectsStandWhereTheRegisterHasThem()
{
    QFETCH(QString, name);
    QFETCH(QRectF, millimetres);
    produce("cmdStampa");
    const report::ReportObject *object = placedObject(printedSheet(), 0, name);
    QVERIFY2(object, qPrintable(name));
    QVERIFY2(near(inMillimetres(object->rect), millimetres),
        qPrintable(u"%1,%2 %3x%4"_s.arg(inMillimetres(object->rect).left())
                       .arg(inMillimetres(object->rect).top())
                       .arg(inMillimetres(object->rect).width())
                       .arg(inMillimetres(object->rect).height())));
}

void TestBookPagePrint::rowsPrintTheirTitlesAndValues_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QColor>("colour");
    const QColor brown(0xA5, 0x2A, 0x2A);
    const QColor cornflower(0x64, 0x95, 0xED);
    const int left = Qt::AlignLeft;
    const int centre = Qt::AlignHCenter;
    const int right = Qt::AlignRight;
    QTest::newRow("order A") << u"txtOrdine_A"_s << u"1"_s << centre << QColor(Qt::black);
    QTest::newRow("member A") << u"txtSocio_A"_s << u"Verdi Giuseppe"_s << left
                              << QColor(Qt::black);
    QTest::newRow("fee A") << u"txtQuota_A"_s << u"€ 25,00"_s << right << QColor(Qt::black);
    QTest::newRow("birth date B") << u"txtDataNasc_B"_s << u"03/03/1990"_s << centre
                                  << QColor(Qt::black);
    QTest::newRow("exit reason B")
        << u"txtMotivo_B"_s << u"Trasferimento"_s << left << QColor(Qt::black);
    QTest::newRow("empty telephone B")
        << u"txtTelefono_B"_s << QString() << centre << QColor(Qt::black);
    // An empty row prints its strips and titles, and "€ " where its fee would be.
    QTest::newRow("empty member D") << u"txtSocio_D"_s << QString() << left << QColor(Qt::black);
    QTest::newRow("empty fee D") << u"txtQuota_D"_s << u"€ "_s << right << QColor(Qt::black);
    QTest::newRow("title A") << u"titOrdine_A"_s << u"N. ORD."_s << centre << QColor(Qt::white);
    QTest::newRow("title D") << u"titAnnotazioni_D"_s << u"ANNOTAZIONI"_s << centre
                             << QColor(Qt::white);
    QTest::newRow("strip A") << u"shpTitoli1_A"_s << QString() << 0 << brown;
    QTest::newRow("strip B") << u"shpTitoli2_B"_s << QString() << 0 << cornflower;
    QTest::newRow("strip C") << u"shpTitoli1_C"_s << QString() << 0 << brown;
    QTest::newRow("strip D") << u"shpTitoli2_D"_s << QString() << 0 << cornflower;
    QTest::newRow("values strip D")
        << u"shpValori2_D"_s << QString() << 0 << QColor(0xF5, 0xF5, 0xDC);
}

// Memos carry their text, their alignment and their text colour; shapes their fill.
void TestBookPagePrint::rowsPrintTheirTitlesAndValues()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, alignment);
    QFETCH(QColor, colour);
    produce("cmdStampa");
    const report::ReportObject *object = placedObject(printedSheet(), 0, name);
    QVERIFY2(object, qPrintable(name));
    if (object->kind == report::ObjectKind::Shape) {
        QCOMPARE(object->fill, colour);
        QCOMPARE(object->border, colour);
        return;
    }
    QCOMPARE(object->lines.join(u'\n'), text);
    QCOMPARE(int(object->alignment & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(object->textColor, colour);
    QCOMPARE(object->fontFamily, u"Arial"_s);
    QCOMPARE(object->fontPoints, 7.0);
    QVERIFY(!object->expressions);
}

void TestBookPagePrint::cancelPrintsNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("print") << u"cmdStampa"_s;
    QTest::newRow("preview") << u"cmdAnteprima"_s;
}

void TestBookPagePrint::cancelPrintsNothing()
{
    QFETCH(QString, button);
    m_fixture->services.onNextDialog([](QDialog &dialog) {
        control<QPushButton>(&dialog, "btnAnnulla")->click();
        return dialog.result();
    });
    control<QAbstractButton>(screen(), button.toLatin1().constData())->click();
    QCOMPARE(m_fixture->services.dialogsShown.size(), 1);
    QVERIFY(m_fixture->services.printed.empty());
    QVERIFY(m_fixture->services.previewed.empty());
    QVERIFY(m_fixture->services.messages.isEmpty());
}

// Without its template nothing is printed, and the user is told why.
void TestBookPagePrint::unreadableTemplateIsReported()
{
    {
        const TemplatesRemoved removed;
        produce("cmdStampa");
    }
    QVERIFY(m_fixture->services.printed.empty());
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Error);
    QCOMPARE(m_fixture->services.lastMessage(), ui::unreadableTemplateMessage());
}

QTEST_MAIN(TestBookPagePrint)
#include "tst_bookpageprint.moc"
