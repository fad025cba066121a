// The twenty lines of the printed movement: caption, memo and value of each, in print order.
#include "journal/MovementPrint.h"
#include "journal/MovementRecord.h"

#include <QTest>

using namespace almavest::journal;
using namespace Qt::StringLiterals;

class TestMovementPrintLines final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineInItsPlace_data();
    void lineInItsPlace();
};

void TestMovementPrintLines::lineInItsPlace_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("value");
    // Each box of the card holds its own name, so that every value tells where it came from.
    const QList<std::tuple<QString, QString, QString>> lines = {
        {u"Tipo movimento:"_s, u"txtTipo"_s, u"Uscita"_s},
        {u"Data operazione:"_s, u"txtData"_s, u"txtData"_s},
        {u"Causale:"_s, u"txtCausale"_s, u"txtCausale"_s},
        {u"Promemoria:"_s, u"txtPromemoria"_s, u"txtPromemoria"_s},
        {u"Data scadenza:"_s, u"txtDataSca"_s, u"txtDataSca"_s},
        {u"Giorni preavviso:"_s, u"txtPreavviso"_s, u"txtPreavviso"_s},
        {u"Importo in euro:"_s, u"txtImporto"_s, u"txtImporto"_s},
        {u"Pagatore:"_s, u"txtPagatore"_s, u"txtPagatore"_s},
        {u"Recapito:"_s, u"txtRecapitoPag"_s, u"txtRecapitoPag"_s},
        {u"Codice fiscale:"_s, u"txtCodFisc"_s, u"txtCodFisc"_s},
        {u"Partita IVA:"_s, u"txtPartitaIva"_s, u"txtPartitaIva"_s},
        {u"Tessera n."_s, u"txtCategoria"_s, u"txtCategoria"_s},
        {u"E-mail:"_s, u"txtEmail"_s, u"txtEmail"_s},
        {u"Modalità pagamento:"_s, u"txtPagamento"_s, u"txtPagamento"_s},
        {u"Beneficiario:"_s, u"txtBeneficiario"_s, u"txtBeneficiario"_s},
        {u"Recapito:"_s, u"txtRecapitoBen"_s, u"txtRecapitoBen"_s},
        {u"CRO / Ricevuta n."_s, u"txtRicevuta"_s, u"txtRicevuta"_s},
        {u"Tariffa applicata:"_s, u"txtTariffa"_s, u"txtTariffa"_s},
        {u"Note:"_s, u"txtNote"_s, u"txtNote"_s},
        {u"Saldato:"_s, u"txtSaldato"_s, u"Sì"_s},
    };
    for (int i = 0; i < lines.size(); ++i) {
        const auto &[caption, memo, value] = lines[i];
        QTest::addRow("%d %s", i + 1, qPrintable(memo)) << i << caption << memo << value;
    }
}

void TestMovementPrintLines::lineInItsPlace()
{
    QFETCH(int, line);
    QFETCH(QString, caption);
    QFETCH(QString, memo);
    QFETCH(QString, value);
    MovementPrintValues movement;
    movement.income = false;
    movement.settled = true;
    for (const auto &field : movementTable().fields())
        movement.texts.append(u" "_s + field.control + u" "_s);
    const QList<PrintedLine> printed = printedLines(movement);
    QCOMPARE(printed.size(), 20);
    QCOMPARE(printed[line].caption, caption);
    QCOMPARE(printed[line].valueMemo, memo);
    QCOMPARE(printed[line].captionMemo, u"tit"_s + memo.mid(3));
    QCOMPARE(printed[line].value, value);
}

QTEST_APPLESS_MAIN(TestMovementPrintLines)
#include "tst_movementprintlines.moc"
