// Printing the movement the card shows: twenty lines of caption and value where the sheet has
// them, the type and the settled flag in words, every text as typed, and the moment of printing.
#include "AppFixture.h"
#include "PageModel.h"
#include "TemplatesRemoved.h"

#include "journal/MovementRecord.h"
#include "ui/print/MovementPrintDialog.h"
#include "ui/print/ReportOutput.h"

#include <QPushButton>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

// An unsaved expense as the card's form reads it: 28 texts by field index, flags in words.
QStringList cardValues(bool income, bool settled)
{
    QStringList values(journal::kMovementFieldCount);
    values[journal::Income] = journal::flagText(income);
    values[journal::Expense] = journal::flagText(!income);
    values[journal::OperationDate] = u"05/03/2026"_s;
    values[journal::Purpose] = u"  Affitto sede  "_s;
    values[journal::Reminder] = u"Secondo trimestre"_s;
    values[journal::DueDate] = u"31/03/2026"_s;
    values[journal::NoticeDays] = u"7"_s;
    values[journal::Amount] = u"1250,00"_s;
    values[journal::SignedAmount] = u"-1250,00"_s;
    values[journal::Payer] = u"Associazione Nuoto Forlì"_s;
    values[journal::PayerContact] = u"0543 123456"_s;
    values[journal::PayerTaxCode] = u"92012345678"_s;
    values[journal::PayerVatNumber] = u"01234567890"_s;
    values[journal::PayerCardNumber] = u"15"_s;
    values[journal::PayerEmail] = u"nuoto@example.it"_s;
    values[journal::PaymentMethod] = u"Bonifico"_s;
    values[journal::Beneficiary] = u"Immobiliare Rossi"_s;
    values[journal::BeneficiaryContact] = u"0543 654321"_s;
    values[journal::Receipt] = u"CRO 0099"_s;
    values[journal::Notes] = u"Pagato in ritardo"_s;
    values[journal::Tariff] = u"Mensile"_s;
    values[journal::Settled] = journal::flagText(settled);
    values[journal::File1] = u"/home/tesoriere/ricevuta.pdf"_s;
    return values;
}

bool near(const QRectF &a, const QRectF &b)
{
    const auto close = [](double x, double y) { return qAbs(x - y) < 0.001; };
    return close(a.left(), b.left()) && close(a.top(), b.top()) && close(a.width(), b.width())
        && close(a.height(), b.height());
}

QString describe(const QRectF &mm)
{
    return u"%1,%2 %3x%4"_s.arg(mm.left()).arg(mm.top()).arg(mm.width()).arg(mm.height());
}

} // namespace

class TestMovementPrint final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void printsTheMovementHandedIn_data();
    void printsTheMovementHandedIn();
    void linesStandWhereTheSheetHasThem_data();
    void linesStandWhereTheSheetHasThem();
    void frameStandsWhereTheSheetHasIt_data();
    void frameStandsWhereTheSheetHasIt();
    void textsPrintAsTyped_data();
    void textsPrintAsTyped();
    void cancelPrintsNothing();
    void unreadableTemplateIsReported();

private:
    // Runs the dialog on `movement` and presses Stampa; the dialog's caption.
    QString print(const journal::MovementPrintValues &movement);
    const report::PreparedReport &printedSheet();
    QString printedText(const QString &memo);

    std::unique_ptr<AppFixture> m_fixture;
    QWidget m_card;
};

void TestMovementPrint::init()
{
    m_fixture = std::make_unique<AppFixture>();
}

QString TestMovementPrint::print(const journal::MovementPrintValues &movement)
{
    QString caption;
    m_fixture->services.onNextDialog([&caption](QDialog &dialog) {
        caption = dialog.windowTitle();
        control<QPushButton>(&dialog, "btnStampa")->click();
        return dialog.result();
    });
    ui::MovementPrintOut::print(m_fixture->app().context(), &m_card, movement);
    return caption;
}

const report::PreparedReport &TestMovementPrint::printedSheet()
{
    if (m_fixture->services.printed.size() != 1)
        qFatal("expected one printed sheet, found %zu", m_fixture->services.printed.size());
    return m_fixture->services.printed.front();
}

QString TestMovementPrint::printedText(const QString &memo)
{
    const report::ReportObject *object = placedObject(printedSheet(), 0, memo);
    return object ? object->lines.join(u'\n') : u"<missing>"_s;
}

void TestMovementPrint::printsTheMovementHandedIn_data()
{
    QTest::addColumn<bool>("income");
    QTest::addColumn<bool>("settled");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("settledText");
    QTest::newRow("income, not settled") << true << false << u"Entrata"_s << u"No"_s;
    QTest::newRow("expense, settled") << false << true << u"Uscita"_s << u"Sì"_s;
}

void TestMovementPrint::printsTheMovementHandedIn()
{
    QFETCH(bool, income);
    QFETCH(bool, settled);
    QFETCH(QString, type);
    QFETCH(QString, settledText);
    const QString caption
        = print(journal::MovementPrintValues::fromCard(cardValues(income, settled)));
    QCOMPARE(caption, u" Stampa scheda corrente"_s);
    QVERIFY(m_fixture->services.previewed.empty());
    const report::PreparedReport &sheet = printedSheet();
    QCOMPARE(sheet.name, u"Scheda Movimento"_s);
    QCOMPARE(sheet.pages.size(), 1u);
    QCOMPARE(sheet.layout.orientation(), QPageLayout::Portrait);
    QCOMPARE(sheet.layout.margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
    QCOMPARE(printedText(u"txtTipo"_s), type);
    QCOMPARE(printedText(u"txtSaldato"_s), settledText);
    QCOMPARE(printedText(u"titArcataSup"_s), u"SCHEDA INFORMATIVA MOVIMENTO"_s);
    QCOMPARE(printedText(u"txtCalce"_s), u"Stampa eseguita in data 10/12/2026 alle ore 10:30:15"_s);
    QVERIFY(m_fixture->services.messages.isEmpty());
}

void TestMovementPrint::linesStandWhereTheSheetHasThem_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");
    const auto add = [](int line, const char *name, const QString &caption, const QString &value) {
        QTest::addRow("%d %s", line, name) << line << QString::fromLatin1(name) << caption << value;
    };
    add(1, "Tipo", u"Tipo movimento:"_s, u"Uscita"_s);
    add(2, "Data", u"Data operazione:"_s, u"05/03/2026"_s);
    add(3, "Causale", u"Causale:"_s, u"Affitto sede"_s);
    add(4, "Promemoria", u"Promemoria:"_s, u"Secondo trimestre"_s);
    add(5, "DataSca", u"Data scadenza:"_s, u"31/03/2026"_s);
    add(6, "Preavviso", u"Giorni preavviso:"_s, u"7"_s);
    add(7, "Importo", u"Importo in euro:"_s, u"1250,00"_s);
    add(8, "Pagatore", u"Pagatore:"_s, u"Associazione Nuoto Forlì"_s);
    add(9, "RecapitoPag", u"Recapito:"_s, u"0543 123456"_s);
    add(10, "CodFisc", u"Codice fiscale:"_s, u"92012345678"_s);
    add(11, "PartitaIva", u"Partita IVA:"_s, u"01234567890"_s);
    add(12, "Categoria", u"Tessera n."_s, u"15"_s);
    add(13, "Email", u"E-mail:"_s, u"nuoto@example.it"_s);
    add(14, "Pagamento", u"Modalità pagamento:"_s, u"Bonifico"_s);
    add(15, "Beneficiario", u"Beneficiario:"_s, u"Immobiliare Rossi"_s);
    add(16, "RecapitoBen", u"Recapito:"_s, u"0543 654321"_s);
    add(17, "Ricevuta", u"CRO / Ricevuta n."_s, u"CRO 0099"_s);
    add(18, "Tariffa", u"Tariffa applicata:"_s, u"Mensile"_s);
    add(19, "Note", u"Note:"_s, u"Pagato in ritardo"_s);
    add(20, "Saldato", u"Saldato:"_s, u"No"_s);
}

// Each line: its caption at the left of the divider and its value at the right, both 7 pt
// Arial black, in the line's box; positions on the paper, margins included.
void TestMovementPrint::linesStandWhereTheSheetHasThem()
{
    QFETCH(int, line);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, value);
    print(journal::MovementPrintValues::fromCard(cardValues(false, false)));
    const double top = 10 + 7.5 + 5 * (line - 1);
    const struct
    {
        QString memo;
        QString text;
        QRectF place;
    } memos[] = {{u"tit"_s + name, caption, {12, top, 37.8, 3.5}},
        {u"txt"_s + name, value, {54, top, 144, 3.5}}};
    for (const auto &memo : memos) {
        const report::ReportObject *object = placedObject(printedSheet(), 0, memo.memo);
        QVERIFY2(object, qPrintable(memo.memo));
        QCOMPARE(object->lines, QStringList {memo.text});
        QVERIFY2(near(inMillimetres(object->rect), memo.place),
            qPrintable(describe(inMillimetres(object->rect))));
        QCOMPARE(object->fontFamily, u"Arial"_s);
        QCOMPARE(object->fontPoints, 7.0);
        QCOMPARE(object->textColor, QColor(Qt::black));
    }
    const report::ReportObject *box
        = placedObject(printedSheet(), 0, u"shpRiga%1"_s.arg(line, 2, 10, QLatin1Char('0')));
    QVERIFY(box);
    QVERIFY2(near(inMillimetres(box->rect), {11, 10 + 7 + 5.0 * (line - 1), 188, 4.6}),
        qPrintable(describe(inMillimetres(box->rect))));
    QVERIFY(!box->fill.isValid());
}

void TestMovementPrint::frameStandsWhereTheSheetHasIt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("millimetres");
    QTest::addColumn<QColor>("fill");
    QTest::newRow("title bar") << u"shpTitolo"_s << QRectF(11, 11, 188, 5.8)
                               << QColor(0xB0, 0xC4, 0xDE);
    QTest::newRow("title") << u"titArcataSup"_s << QRectF(12, 12, 185.8, 4.2) << QColor();
    QTest::newRow("divider") << u"linDivisore"_s << QRectF(52, 17, 0, 99.6) << QColor();
    QTest::newRow("footer bar") << u"shpCalce"_s << QRectF(11, 119, 188, 5.8)
                                << QColor(0xFF, 0xD7, 0x00);
    QTest::newRow("footer") << u"txtCalce"_s << QRectF(12, 120, 185.8, 4.2) << QColor();
}

void TestMovementPrint::frameStandsWhereTheSheetHasIt()
{
    QFETCH(QString, name);
    QFETCH(QRectF, millimetres);
    QFETCH(QColor, fill);
    print(journal::MovementPrintValues::fromCard(cardValues(true, false)));
    const report::ReportObject *object = placedObject(printedSheet(), 0, name);
    QVERIFY2(object, qPrintable(name));
    QVERIFY2(near(inMillimetres(object->rect), millimetres),
        qPrintable(describe(inMillimetres(object->rect))));
    QCOMPARE(object->fill, fill);
}

void TestMovementPrint::textsPrintAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("ampersand") << u"Rossi & Figli"_s;
    QTest::newRow("markup") << u"<b>Quota</b> < 10"_s;
    QTest::newRow("date macro") << u"Saldo [DATE]"_s;
    QTest::newRow("path") << u"C:\\Documenti\\ricevuta [1].pdf"_s;
    // Longer than its box: cut when drawn, never wrapped onto a second line.
    QTest::newRow("whole field") << QString(250, u'M');
}

void TestMovementPrint::textsPrintAsTyped()
{
    QFETCH(QString, typed);
    QStringList values = cardValues(true, true);
    values[journal::Purpose] = typed;
    print(journal::MovementPrintValues::fromCard(values));
    const report::ReportObject *object = placedObject(printedSheet(), 0, u"txtCausale"_s);
    QVERIFY(object);
    QCOMPARE(object->lines, QStringList {typed});
    QVERIFY(!object->expressions);
}

void TestMovementPrint::cancelPrintsNothing()
{
    m_fixture->services.onNextDialog([](QDialog &dialog) {
        control<QPushButton>(&dialog, "btnAnnulla")->click();
        return dialog.result();
    });
    ui::MovementPrintOut::print(m_fixture->app().context(), &m_card,
        journal::MovementPrintValues::fromCard(cardValues(true, false)));
    QCOMPARE(m_fixture->services.dialogsShown.size(), 1);
    QVERIFY(m_fixture->services.printed.empty());
    QVERIFY(m_fixture->services.messages.isEmpty());
}

// Without its template nothing is printed, and the user is told why.
void TestMovementPrint::unreadableTemplateIsReported()
{
    {
        const TemplatesRemoved removed;
        print(journal::MovementPrintValues::fromCard(cardValues(true, false)));
    }
    QVERIFY(m_fixture->services.printed.empty());
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Error);
    QCOMPARE(m_fixture->services.lastMessage(), ui::unreadableTemplateMessage());
}

QTEST_MAIN(TestMovementPrint)
#include "tst_movementprint.moc"
