// The movement search of a year: the filters, the sorted list and its count, the movement behind
// each line, a year without archive, an archive it cannot read, the Enter chain and printing.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "PageModel.h"

#include "journal/MovementRecord.h"
#include "store/ArchiveFile.h"
#include "ui/journal/MovementSearchDialog.h"
#include "ui/registry/MemberListPanel.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

QStringList movement(const QString &purpose, const QString &payer,
    const QString &date = u"10/01/2026"_s, const QString &notes = {},
    const QString &amount = u"50,00"_s)
{
    QStringList values = journal::blankMovement(QDate(2026, 1, 1));
    values[journal::Purpose] = purpose;
    values[journal::Payer] = payer;
    values[journal::OperationDate] = date;
    values[journal::DueDate] = date;
    values[journal::Beneficiary] = u"Associazione"_s;
    values[journal::Notes] = notes;
    values[journal::Amount] = amount;
    values[journal::SignedAmount] = journal::signedAmount(values);
    return values;
}

// The causale and the payer of each listed line, "causale / payer".
QStringList listed(const ui::MovementSearchDialog &dialog)
{
    constexpr int kPayerColumn = 40 + 8 + 10 + 6;
    QStringList found;
    for (const QString &line : dialog.results()->lines())
        found.append(line.left(40).trimmed() + u" / "_s + line.mid(kPayerColumn, 30).trimmed());
    return found;
}

void search(ui::MovementSearchDialog &dialog, const QStringList &filters)
{
    for (qsizetype i = 0; i + 1 < filters.size(); i += 2)
        control<QLineEdit>(&dialog, filters.at(i).toLatin1().constData())
            ->setText(filters.at(i + 1));
    control<QPushButton>(&dialog, "btnCerca")->click();
    waitForScan(&dialog);
}

} // namespace

class TestMovementSearch final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_fixture = std::make_unique<AppFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void filtersTogether_data();
    void filtersTogether();
    void choosingALineGivesItsMovement_data();
    void choosingALineGivesItsMovement();
    void closingChoosesNothing_data();
    void closingChoosesNothing();
    void missingYearListsNothing();
    void unreadableArchiveKeepsTheFilters();
    void labelsTakeTheProgramSheet();
    void enterChainRunsRoundTheFilters();
    void printsTheList();
    void amountsStayInSight();

private:
    QString path() const { return m_fixture->file(u"2026.eur"_s); }
    // Runs the search of the year through choose(); `drive` acts on it while it is open.
    std::optional<qint64> withSearch(const std::function<void(ui::MovementSearchDialog &)> &drive);
    void writeYear() const;

    std::unique_ptr<AppFixture> m_fixture;
};

std::optional<qint64> TestMovementSearch::withSearch(
    const std::function<void(ui::MovementSearchDialog &)> &drive)
{
    bool ran = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        auto &search = dynamic_cast<ui::MovementSearchDialog &>(dialog);
        search.show();
        drive(search);
        ran = true;
        return dialog.result();
    });
    const std::optional<qint64> chosen
        = ui::MovementSearchDialog::choose(m_fixture->app().context(), nullptr, path());
    if (!ran)
        qFatal("the movement search was not shown");
    return chosen;
}

void TestMovementSearch::writeYear() const
{
    writeMovements(path(),
        {movement(u"Quota sociale"_s, u"Rossi Mario"_s, u"05/03/2026"_s),
            movement(u"Affitto sala"_s, u"Circolo Del Rossi"_s),
            movement(u"Quota sociale"_s, u"Bianchi Luca"_s, u"05/03/2026"_s),
            movement(u"Luce"_s, u"ROSSINI PAOLO"_s, u"12/05/2026"_s, u"Bolletta"_s)});
}

void TestMovementSearch::filtersTogether_data()
{
    QTest::addColumn<QStringList>("filters");
    QTest::addColumn<int>("filled");
    QTest::addColumn<QStringList>("found");
    const QStringList everything
        = {u"Affitto sala / Circolo Del Rossi"_s, u"Luce / ROSSINI PAOLO"_s,
            u"Quota sociale / Bianchi Luca"_s, u"Quota sociale / Rossi Mario"_s};
    QTest::newRow("no filter lists every movement, sorted") << QStringList {} << 0 << everything;
    QTest::newRow("lower-case payer")
        << QStringList {u"txtPagatore"_s, u"rossi"_s} << 1
        << QStringList {u"Affitto sala / Circolo Del Rossi"_s, u"Luce / ROSSINI PAOLO"_s,
               u"Quota sociale / Rossi Mario"_s};
    QTest::newRow("two filters together") << QStringList {u"txtPagatore"_s, u"ROSS"_s, u"txtData"_s,
        u"/03/"_s} << 2 << QStringList {u"Quota sociale / Rossi Mario"_s};
    QTest::newRow("blanks only count as no filter")
        << QStringList {u"txtPagatore"_s, u"   "_s} << 0 << everything;
    // A blank box must not stand in for the box that does not match.
    QTest::newRow("blanks beside a filter that finds nothing") << QStringList {u"txtPagatore"_s,
        u" "_s, u"txtCausale"_s, u"telefono"_s} << 1 << QStringList {};
    QTest::newRow("last box of the chain")
        << QStringList {u"txtNote"_s, u"BOLL"_s} << 1 << QStringList {u"Luce / ROSSINI PAOLO"_s};
}

void TestMovementSearch::filtersTogether()
{
    QFETCH(QStringList, filters);
    QFETCH(int, filled);
    QFETCH(QStringList, found);
    writeYear();
    withSearch([&](ui::MovementSearchDialog &dialog) {
        search(dialog, filters);
        QCOMPARE(listed(dialog), found);
        QCOMPARE(control<QLabel>(&dialog, "lblConta")->text(), QString::number(filled));
        QCOMPARE(control<QLabel>(&dialog, "lblTrovate")->text(),
            u"Il presente riepilogo contiene %1 schede."_s.arg(found.size()));
        QVERIFY(control<QWidget>(&dialog, "panContainer")->isVisible());
        QVERIFY(!control<QWidget>(&dialog, "panAvvio")->isVisible());
        QCOMPARE(dialog.focusWidget(), control<QWidget>(&dialog, "txtTrova"));
    });
    QVERIFY(m_fixture->services.messages.isEmpty());
}

void TestMovementSearch::choosingALineGivesItsMovement_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("how");
    QTest::addColumn<qint64>("position");
    QTest::newRow("first line") << 0 << int(Pick::DoubleClick) << qint64(4);
    QTest::newRow("first of two equal lines") << 1 << int(Pick::Enter) << qint64(2);
    QTest::newRow("second of two equal lines") << 2 << int(Pick::DoubleClick) << qint64(3);
    QTest::newRow("last line") << 3 << int(Pick::Enter) << qint64(1);
}

// The list is sorted, so a line's row is not its movement's place in the file; and each line
// gives its own movement, even when two movements give the same line.
void TestMovementSearch::choosingALineGivesItsMovement()
{
    QFETCH(int, row);
    QFETCH(int, how);
    QFETCH(qint64, position);
    writeMovements(path(),
        {movement(u"Zeta"_s, u"Ultimo"_s), movement(u"Gemello"_s, u"Uguale"_s, QString(), u"1"_s),
            movement(u"Gemello"_s, u"Uguale"_s, QString(), u"2"_s),
            movement(u"Alfa"_s, u"Primo"_s)});
    const std::optional<qint64> chosen = withSearch([&](ui::MovementSearchDialog &dialog) {
        search(dialog, {});
        const QStringList lines = dialog.results()->lines();
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(1), lines.at(2));
        pickLine(control<QListView>(&dialog, "lstRecords"), row, Pick(how));
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.results()->lines().isEmpty());
    });
    QCOMPARE(chosen, std::optional<qint64>(position));
    QVERIFY(m_fixture->services.messages.isEmpty());
}

void TestMovementSearch::closingChoosesNothing_data()
{
    QTest::addColumn<bool>("searched");
    QTest::addColumn<int>("way");
    QTest::newRow("Chiudi on the filters") << false << int(Leave::Button);
    QTest::newRow("Chiudi on the list") << true << int(Leave::Button);
    QTest::newRow("Escape on the list") << true << int(Leave::Escape);
    QTest::newRow("window closed on the list") << true << int(Leave::Close);
}

void TestMovementSearch::closingChoosesNothing()
{
    QFETCH(bool, searched);
    QFETCH(int, way);
    writeYear();
    const std::optional<qint64> chosen = withSearch([&](ui::MovementSearchDialog &dialog) {
        if (searched)
            search(dialog, {});
        leaveDialog(dialog, Leave(way), searched ? "btnChiudi" : "btnAnnulla");
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.results()->lines().isEmpty());
        QVERIFY(control<QLabel>(&dialog, "lblAttendere")->isHidden());
    });
    QCOMPARE(chosen, std::nullopt);
}

// A year not used yet gets its empty archive, and the empty list refuses the quick find.
void TestMovementSearch::missingYearListsNothing()
{
    withSearch([&](ui::MovementSearchDialog &dialog) {
        search(dialog, {u"txtPagatore"_s, u"rossi"_s});
        QVERIFY(dialog.results()->lines().isEmpty());
        QCOMPARE(control<QLabel>(&dialog, "lblTrovate")->text(),
            u"Il presente riepilogo contiene 0 schede."_s);
        QVERIFY(m_fixture->services.messages.isEmpty());
        control<QPushButton>(&dialog, "btnTrova")->click();
    });
    QVERIFY(QFile::exists(path()));
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QVERIFY(m_fixture->services.messages.first().plain);
    QCOMPARE(m_fixture->services.lastMessage(),
        u"Ricerca non applicabile: la lista non contiene nessuna voce."_s);
}

void TestMovementSearch::unreadableArchiveKeepsTheFilters()
{
    QVERIFY(QDir(m_fixture->folder()).mkdir(u"2026.eur"_s));
    withSearch([&](ui::MovementSearchDialog &dialog) {
        search(dialog, {u"txtCausale"_s, u"quota"_s});
        QCOMPARE(m_fixture->services.messages.size(), 1);
        QVERIFY(m_fixture->services.messages.first().plain);
        QCOMPARE(m_fixture->services.lastMessage(), store::archiveAccessMessage());
        QVERIFY(control<QWidget>(&dialog, "panAvvio")->isVisible());
        QVERIFY(!control<QWidget>(&dialog, "panContainer")->isVisible());
        QCOMPARE(control<QLineEdit>(&dialog, "txtCausale")->text(), u"quota"_s);
        QVERIFY(!control<QLabel>(&dialog, "lblAttendere")->isVisible());
    });
}

// The style sheet's rules for this search reach the labels of both panels, before any showing.
void TestMovementSearch::labelsTakeTheProgramSheet()
{
    ui::MovementSearchDialog dialog(m_fixture->app().context(), nullptr, path());
    for (const auto &[name, colour] : {std::pair {"lblAttendere", QColor(0x00, 0x8B, 0x8B)},
             std::pair {"lblTrovate", QColor(0x00, 0x8B, 0x8B)},
             std::pair {"lblRigo03", QColor(0xDC, 0x14, 0x3C)}}) {
        auto *label = control<QLabel>(&dialog, name);
        label->ensurePolished();
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
    }
}

void TestMovementSearch::enterChainRunsRoundTheFilters()
{
    withSearch([&](ui::MovementSearchDialog &dialog) {
        QCOMPARE(dialog.windowTitle(), u" Trova movimenti in archivio"_s);
        QCOMPARE(dialog.lblMemory()->text(), u"movimenti"_s);
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget()->objectName(), u"txtData"_s);
        const QStringList chain = {u"txtDataSca"_s, u"txtCausale"_s, u"txtPromemoria"_s,
            u"txtPagatore"_s, u"txtCategoria"_s, u"txtBeneficiario"_s, u"txtRicevuta"_s,
            u"txtTariffa"_s, u"txtNote"_s, u"txtData"_s};
        for (const QString &next : chain) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
        }
    });
}

void TestMovementSearch::printsTheList()
{
    writeYear();
    QStringList lines;
    withSearch([&](ui::MovementSearchDialog &dialog) {
        search(dialog, {u"txtCausale"_s, u"quota"_s});
        lines = dialog.results()->lines();
        control<QPushButton>(&dialog, "btnStampa")->click();
    });
    QCOMPARE(lines.size(), 2);
    auto &printed = m_fixture->services.printed;
    QCOMPARE(printed.size(), size_t(1));
    QCOMPARE(printed[0].name, u"Riepilogo dati"_s);
    const QStringList texts = pageTexts(printed[0], 0);
    QVERIFY(texts.contains(u"Riepilogo movimenti in archivio"_s));
    // The body holds the list's lines in list order.
    const qsizetype first = texts.indexOf(lines.first());
    QVERIFY(first >= 0);
    QCOMPARE(texts.mid(first, lines.size()), lines);
}

// Two movements that differ only in their amount look different in the list at the width the
// search opens with, and still when scrolled to the end of the lines.
void TestMovementSearch::amountsStayInSight()
{
    writeMovements(path(),
        {movement(u"Quota sociale"_s, u"Rossi Mario"_s, u"05/03/2026"_s, {}, u"50,00"_s),
            movement(u"Quota sociale"_s, u"Rossi Mario"_s, u"05/03/2026"_s, {}, u"60,00"_s)});
    withSearch([](ui::MovementSearchDialog &dialog) {
        search(dialog, {u"txtCausale"_s, u"quota"_s});
        QListView *list = control<QListView>(&dialog, "lstRecords");
        QCOMPARE(list->model()->rowCount(), 2);
        QVERIFY(linesLookDifferent(list, 0, 1, 0.0));
        QVERIFY(linesLookDifferent(list, 0, 1, 1.0));
        control<QPushButton>(&dialog, "btnChiudi")->click();
    });
}

QTEST_MAIN(TestMovementSearch)
#include "tst_movementsearch.moc"
