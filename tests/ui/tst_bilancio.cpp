// The balance query and its summary, with today fixed at 10/12/2026: the choice of the
// interval and each refusal, the movements and totals of the summary, right to the cent, and
// its print.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "OdsCells.h"
#include "PageModel.h"
#include "ReadOnlyAccess.h"
#include "TestFiles.h"

#include "journal/MovementRecord.h"
#include "report/PreparedReport.h"
#include "store/ArchiveFile.h"
#include "ui/app/Launcher.h"
#include "ui/balance/BalanceQuery.h"
#include "ui/balance/BalanceSummary.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>

#include <optional>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

// One movement of a journal: its date, its signed amount, its purpose and payer.
struct Movement
{
    QString date;
    QString signedAmount;
    QString purpose = u"Quota sociale"_s;
    QString payer = u"Rossi Mario"_s;
};

void writeJournal(const QString &path, const QList<Movement> &movements)
{
    store::ArchiveFile archive(path, journal::kMovementRecordSize);
    QVERIFY(archive.openForWriting());
    for (const Movement &movement : movements) {
        QStringList values = journal::blankMovement(QDate(2026, 1, 1));
        const bool expense = movement.signedAmount.startsWith(u'-');
        values[journal::Income] = journal::flagText(!expense);
        values[journal::Expense] = journal::flagText(expense);
        values[journal::OperationDate] = movement.date;
        values[journal::Purpose] = movement.purpose;
        values[journal::Payer] = movement.payer;
        values[journal::Beneficiary] = u"Associazione"_s;
        values[journal::Amount] = movement.signedAmount.mid(1);
        values[journal::SignedAmount] = movement.signedAmount;
        QByteArray record = journal::movementLayout().blankRecord();
        journal::movementLayout().setFields(record, values);
        QVERIFY(archive.append(record) >= 0);
    }
}

// What the summary showed while it was open.
struct Shown
{
    bool opened = false;
    QStringList lines;
    QString income;
    QString expense;
    QString balance;
    QString purpose;
    QString interval;
    QString count;
};

} // namespace

Q_DECLARE_METATYPE(QList<Movement>)

class TestBilancio final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void showingStartsAfresh();
    void requestIsChecked_data();
    void requestIsChecked();
    void newYearServesBothDates();
    void choiceBoxesTakeNoTyping();
    void totalsAreRightToTheCent_data();
    void totalsAreRightToTheCent();
    void intervalTakesBothEnds();
    void causaleFilters_data();
    void causaleFilters();
    void summaryLineHasItsColumns();
    void yearFileItCannotUse_data();
    void yearFileItCannotUse();
    void summaryOpensMaximised();
    void printsTheSummary();
    void savesTheSummaryAsAWorkbook();
    void printRefusedOrDeclined_data();
    void printRefusedOrDeclined();
    void enterInFindBoxDoesNothing();
    void mouseClickOpensTheSummary();
    void amountsStayInSight();
    void longReadingShowsProgressAndCancels();

private:
    ui::BalanceQuery *query() { return m_fixture->app().balanceQuery(); }
    template <typename T> T *at(const char *name) { return control<T>(query(), name); }
    // Picks the interval from the lists; an empty text leaves the box empty.
    void choose(const QString &startDay, const QString &startMonth, const QString &endDay,
        const QString &endMonth);
    // Presses Visualizza riepilogo and, when the summary opens, `whileOpen` runs on it.
    // Asks for the summary; `opens` says whether the summary window is expected.
    Shown request(const std::function<void(QDialog &)> &whileOpen = {}, bool opens = true);
    QString journalPath() const { return m_fixture->file(u"2026.eur"_s); }

    std::unique_ptr<AppFixture> m_fixture;
};

void TestBilancio::init()
{
    m_fixture = std::make_unique<AppFixture>();
    query()->open(m_fixture->app().launcher());
}

void TestBilancio::choose(const QString &startDay, const QString &startMonth, const QString &endDay,
    const QString &endMonth)
{
    const std::pair<const char *, QString> choices[] = {{"txtGiornoInizio", startDay},
        {"txtMeseInizio", startMonth}, {"txtGiornoFine", endDay}, {"txtMeseFine", endMonth}};
    for (const auto &[name, text] : choices)
        at<QComboBox>(name)->setCurrentIndex(at<QComboBox>(name)->findText(text));
}

Shown TestBilancio::request(const std::function<void(QDialog &)> &whileOpen, bool opens)
{
    Shown shown;
    if (!opens) {
        at<QPushButton>("btnVisualizza")->click();
        return shown;
    }
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        shown.opened = true;
        const auto *list = control<QListView>(&dialog, "lstRecords");
        for (int row = 0; row < list->model()->rowCount(); ++row)
            shown.lines.append(list->model()->index(row, 0).data().toString());
        const auto text
            = [&dialog](const char *name) { return control<QLabel>(&dialog, name)->text(); };
        shown.income = text("lblTotEntrate");
        shown.expense = text("lblTotUscite");
        shown.balance = text("lblBilancio");
        shown.purpose = text("titTipologia");
        shown.interval = text("lblIntervallo");
        shown.count = text("lblConta");
        if (whileOpen)
            whileOpen(dialog);
        control<QPushButton>(&dialog, "btnEsci")->click();
        return dialog.result();
    });
    at<QPushButton>("btnVisualizza")->click();
    return shown;
}

void TestBilancio::showingStartsAfresh()
{
    at<QLineEdit>("txtTipologia")->setText(u"Affitto"_s);
    choose(u"01"_s, u"Marzo"_s, u"31"_s, u"Marzo"_s);
    at<QLineEdit>("txtAnno")->setText(u"2019"_s);
    query()->hide();
    query()->open(m_fixture->app().launcher());
    for (const char *name : {"txtGiornoInizio", "txtMeseInizio", "txtGiornoFine", "txtMeseFine"}) {
        QCOMPARE(at<QComboBox>(name)->currentText(), QString());
        QCOMPARE(at<QComboBox>(name)->currentIndex(), -1);
    }
    QCOMPARE(at<QLineEdit>("txtTipologia")->text(), QString());
    QCOMPARE(at<QLineEdit>("txtAnno")->text(), u"2026"_s);
    QCOMPARE(at<QLabel>("lblAnnoInizio")->text(), u"2026"_s);
    QCOMPARE(at<QLabel>("lblAnnoFine")->text(), u"2026"_s);
    QCOMPARE(query()->focusWidget(), at<QLineEdit>("txtTipologia"));
    QVERIFY(at<QLabel>("lblAttendere")->isHidden());
}

void TestBilancio::requestIsChecked_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QStringList>("interval");
    QTest::addColumn<QString>("message"); // empty: the summary opens
    QTest::addColumn<bool>("plain");
    QTest::addColumn<QString>("focus"); // empty: the focus stays where it was
    const QString valid = u"\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare "
                          u"una data valida."_s;
    const QStringList year {u"01"_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s};
    QTest::newRow("whole year") << u"2026"_s << year << QString() << false << QString();
    QTest::newRow("one day") << u"2026"_s
                             << QStringList {u"15"_s, u"Maggio"_s, u"15"_s, u"Maggio"_s}
                             << QString() << false << QString();
    QTest::newRow("29 February of a leap year")
        << u"2024"_s << QStringList {u"29"_s, u"Febbraio"_s, u"29"_s, u"Febbraio"_s} << QString()
        << false << QString();
    QTest::newRow("three-digit year, before anything else")
        << u"202"_s << QStringList {QString(), QString(), QString(), QString()}
        << u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s << false
        << u"txtAnno"_s;
    QTest::newRow("year with a letter")
        << u"20a6"_s << year << u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s
        << false << u"txtAnno"_s;
    const auto missing = [](const char *what) {
        return u"Attenzione: indicare %1 intervallo selezionandolo dall'elenco a cascata."_s.arg(
            QLatin1String(what));
    };
    QTest::newRow("no start day") << u"2026"_s
                                  << QStringList {QString(), u"Gennaio"_s, u"31"_s, u"Dicembre"_s}
                                  << missing("il giorno di inizio") << false
                                  << u"txtGiornoInizio"_s;
    QTest::newRow("no start month")
        << u"2026"_s << QStringList {u"01"_s, QString(), QString(), QString()}
        << missing("il mese di inizio") << false << u"txtMeseInizio"_s;
    QTest::newRow("no end day") << u"2026"_s
                                << QStringList {u"01"_s, u"Gennaio"_s, QString(), QString()}
                                << missing("il giorno di fine") << false << u"txtGiornoFine"_s;
    QTest::newRow("no end month") << u"2026"_s
                                  << QStringList {u"01"_s, u"Gennaio"_s, u"31"_s, QString()}
                                  << missing("il mese di fine") << false << u"txtMeseFine"_s;
    QTest::newRow("30 February at the start")
        << u"2026"_s << QStringList {u"30"_s, u"Febbraio"_s, u"31"_s, u"Dicembre"_s}
        << u"Attenzione: la data 30/02/2026 di inizio intervallo non esiste."_s + valid << true
        << u"txtGiornoInizio"_s;
    QTest::newRow("29 February of a common year at the end")
        << u"2026"_s << QStringList {u"01"_s, u"Gennaio"_s, u"29"_s, u"Febbraio"_s}
        << u"Attenzione: la data 29/02/2026 di fine intervallo non esiste."_s + valid << true
        << u"txtGiornoFine"_s;
    QTest::newRow("31 April at the end")
        << u"2026"_s << QStringList {u"01"_s, u"Aprile"_s, u"31"_s, u"Aprile"_s}
        << u"Attenzione: la data 31/04/2026 di fine intervallo non esiste."_s + valid << true
        << u"txtGiornoFine"_s;
    QTest::newRow("end before start")
        << u"2026"_s << QStringList {u"02"_s, u"Marzo"_s, u"01"_s, u"Marzo"_s}
        << u"Attenzione: la data di fine intervallo (01/03/2026) non può essere anteriore a quella "
           u"di inizio intervallo (02/03/2026).\n\r\n\rPer poter visualizzare il riepilogo è "
           u"necessario indicare un intervallo di tempo valido."_s
        << true << QString();
}

void TestBilancio::requestIsChecked()
{
    QFETCH(QString, year);
    QFETCH(QStringList, interval);
    QFETCH(QString, message);
    QFETCH(bool, plain);
    QFETCH(QString, focus);
    at<QLineEdit>("txtAnno")->setText(year);
    choose(interval[0], interval[1], interval[2], interval[3]);
    at<QLineEdit>("txtTipologia")->setFocus();
    const Shown shown = request({}, message.isEmpty());
    QCOMPARE(shown.opened, message.isEmpty());
    QVERIFY(at<QLabel>("lblAttendere")->isHidden());
    if (message.isEmpty()) {
        QVERIFY(m_fixture->services.messages.isEmpty());
        QCOMPARE(
            at<QLabel>("lblFile")->text(), QDir(m_fixture->folder()).filePath(year + u".eur"_s));
        const QString from = at<QLabel>("lblDataInizio")->text();
        const QString to = at<QLabel>("lblDataFine")->text();
        QVERIFY(from.startsWith(interval[0] + u'/') && from.endsWith(year));
        QVERIFY(to.startsWith(interval[2] + u'/') && to.endsWith(year));
        QCOMPARE(shown.interval, u"Dal   "_s + from + u"   al   "_s + to);
        return;
    }
    QCOMPARE(m_fixture->services.messages.size(), 1);
    const ShownMessage &shownMessage = m_fixture->services.messages.first();
    QCOMPARE(shownMessage.text, message);
    QCOMPARE(shownMessage.plain, plain);
    if (!plain)
        QCOMPARE(shownMessage.kind, ui::MessageKind::Warning);
    QCOMPARE(query()->focusWidget(),
        focus.isEmpty() ? at<QLineEdit>("txtTipologia") : query()->findChild<QWidget *>(focus));
}

// The year is read when the request is made, whatever was picked before it was typed.
void TestBilancio::newYearServesBothDates()
{
    choose(u"01"_s, u"Febbraio"_s, u"28"_s, u"Febbraio"_s);
    at<QLineEdit>("txtAnno")->setText(u"2024"_s);
    writeJournal(m_fixture->file(u"2024.eur"_s), {{u"10/02/2024"_s, u"+5,00"_s}});
    const Shown shown = request();
    QVERIFY(shown.opened);
    QCOMPARE(at<QLabel>("lblDataInizio")->text(), u"01/02/2024"_s);
    QCOMPARE(at<QLabel>("lblDataFine")->text(), u"28/02/2024"_s);
    QCOMPARE(at<QLabel>("lblFile")->text(), m_fixture->file(u"2024.eur"_s));
    QCOMPARE(shown.lines.size(), 1);
}

// Days and months are picked from their lists: typed keys are dropped, Enter moves on along
// the chain, and a text that is not an item does not survive leaving the box.
void TestBilancio::choiceBoxesTakeNoTyping()
{
    query()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(query()));
    auto *day = at<QComboBox>("txtGiornoInizio");
    day->setFocus();
    QTest::keyClicks(day, u"12"_s);
    QCOMPARE(day->currentText(), QString());
    const char *chain[]
        = {"txtGiornoInizio", "txtMeseInizio", "txtGiornoFine", "txtMeseFine", "btnVisualizza"};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i) {
        QCOMPARE(
            QApplication::focusWidget(), query()->findChild<QWidget *>(QLatin1String(chain[i])));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget(), at<QPushButton>("btnVisualizza"));
    auto *month = at<QComboBox>("txtMeseFine");
    month->setEditText(u"Marzolino"_s);
    month->setFocus();
    at<QLineEdit>("txtTipologia")->setFocus();
    QCOMPARE(month->currentText(), QString());
    month->setCurrentIndex(2);
    month->setFocus();
    at<QLineEdit>("txtTipologia")->setFocus();
    QCOMPARE(month->currentText(), u"Marzo"_s);
}

void TestBilancio::totalsAreRightToTheCent_data()
{
    QTest::addColumn<QList<Movement>>("journal");
    QTest::addColumn<QString>("income");
    QTest::addColumn<QString>("expense");
    QTest::addColumn<QString>("balance");
    const QString day = u"15/06/2026"_s;
    QTest::newRow("no movements") << QList<Movement> {} << u"0,00 €"_s << u"0,00 €"_s
                                  << u"0,00 €"_s;
    QTest::newRow("example") << QList<Movement> {{day, u"+100,00"_s}, {day, u"+50,50"_s},
        {day, u"-20,25"_s}} << u"150,50 €"_s
                             << u"-20,25 €"_s << u"130,25 €"_s;
    // In binary floating point these come to 5.55e-17 and to 0.30000000000000004.
    QTest::newRow("tenths that drift")
        << QList<Movement> {{day, u"+0,10"_s}, {day, u"+0,20"_s}, {day, u"-0,30"_s}} << u"0,30 €"_s
        << u"-0,30 €"_s << u"0,00 €"_s;
    QList<Movement> dimes;
    for (int i = 0; i < 10; ++i)
        dimes.append({day, u"+0,10"_s});
    dimes.append({day, u"-0,01"_s});
    QTest::newRow("ten dimes less a cent") << dimes << u"1,00 €"_s << u"-0,01 €"_s << u"0,99 €"_s;
    QTest::newRow("whole sum") << QList<Movement> {{day, u"+100"_s}, {day, u"+50,00"_s}}
                               << u"150,00 €"_s << u"0,00 €"_s << u"150,00 €"_s;
    QTest::newRow("only expenses, negative balance")
        << QList<Movement> {{day, u"-1234,56"_s}, {day, u"-0,44"_s}} << u"0,00 €"_s
        << u"-1235,00 €"_s << u"-1235,00 €"_s;
    QTest::newRow("large amounts")
        << QList<Movement> {{day, u"+99999999999,99"_s}, {day, u"+0,01"_s}, {day, u"-0,02"_s}}
        << u"100000000000,00 €"_s << u"-0,02 €"_s << u"99999999999,98 €"_s;
}

void TestBilancio::totalsAreRightToTheCent()
{
    QFETCH(QList<Movement>, journal);
    QFETCH(QString, income);
    QFETCH(QString, expense);
    QFETCH(QString, balance);
    writeJournal(journalPath(), journal);
    choose(u"01"_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s);
    const Shown shown = request();
    QVERIFY(shown.opened);
    QCOMPARE(shown.lines.size(), journal.size());
    QCOMPARE(shown.income, income);
    QCOMPARE(shown.expense, expense);
    QCOMPARE(shown.balance, balance);
    QVERIFY(m_fixture->services.messages.isEmpty());
}

// Both ends of the interval are included; the day before, the day after and a movement kept in
// this year's archive but dated in another year are not.
void TestBilancio::intervalTakesBothEnds()
{
    writeJournal(journalPath(),
        {{u"28/02/2026"_s, u"+1,00"_s, u"prima"_s}, {u"01/03/2026"_s, u"+2,00"_s, u"inizio"_s},
            {u"15/03/2026"_s, u"-4,00"_s, u"mezzo"_s}, {u"31/03/2026"_s, u"+8,00"_s, u"fine"_s},
            {u"01/04/2026"_s, u"+16,00"_s, u"dopo"_s},
            {u"15/03/2025"_s, u"+32,00"_s, u"altro anno"_s}});
    choose(u"01"_s, u"Marzo"_s, u"31"_s, u"Marzo"_s);
    const Shown shown = request();
    QCOMPARE(shown.lines.size(), 3);
    QVERIFY(shown.lines[0].contains(u"inizio"_s));
    QVERIFY(shown.lines[1].contains(u"mezzo"_s));
    QVERIFY(shown.lines[2].contains(u"fine"_s));
    QCOMPARE(shown.balance, u"6,00 €"_s);
    QCOMPARE(shown.interval, u"Dal   01/03/2026   al   31/03/2026"_s);
}

void TestBilancio::causaleFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("count");
    QTest::newRow("none") << QString() << 4 << u"- - -"_s << u"0"_s;
    QTest::newRow("only blanks") << u"   "_s << 4 << u"- - -"_s << u"0"_s;
    QTest::newRow("any case") << u"affitto"_s << 2 << u"affitto"_s << u"1"_s;
    QTest::newRow("inside a word") << u"ALESTR"_s << 1 << u"ALESTR"_s << u"1"_s;
    // Taken as typed, as the movement search takes it: the blank is part of the text sought.
    QTest::newRow("blank before, as typed") << u" sede"_s << 1 << u"sede"_s << u"1"_s;
    QTest::newRow("blanks around no causale has") << u" ALESTR "_s << 0 << u"ALESTR"_s << u"1"_s;
    QTest::newRow("accented") << u"quota è"_s << 1 << u"quota è"_s << u"1"_s;
    // Only A to Z fold: È is not è.
    QTest::newRow("accented capital") << u"QUOTA È"_s << 0 << u"QUOTA È"_s << u"1"_s;
    QTest::newRow("nothing matches") << u"luce"_s << 0 << u"luce"_s << u"1"_s;
}

void TestBilancio::causaleFilters()
{
    QFETCH(QString, filter);
    QFETCH(int, lines);
    QFETCH(QString, shown);
    QFETCH(QString, count);
    const QString day = u"10/01/2026"_s;
    writeJournal(journalPath(),
        {{day, u"+1,00"_s, u"Affitto sede"_s}, {day, u"-2,00"_s, u"AFFITTO palestra"_s},
            {day, u"+3,00"_s, u"Quota è pagata"_s}, {day, u"+4,00"_s, u"Donazione"_s}});
    at<QLineEdit>("txtTipologia")->setText(filter);
    choose(u"01"_s, u"Gennaio"_s, u"31"_s, u"Gennaio"_s);
    const Shown summary = request();
    QVERIFY(summary.opened);
    QCOMPARE(summary.lines.size(), lines);
    QCOMPARE(summary.purpose, shown);
    QCOMPARE(summary.count, count);
}

void TestBilancio::summaryLineHasItsColumns()
{
    writeJournal(journalPath(),
        {{u"05/01/2026"_s, u"+150,00"_s, u"Quota associativa annuale del socio ordinario n. 15"_s,
             u"Bianchi Giovanni Battista Maria"_s},
            {u"06/01/2026"_s, u"-42,50"_s, u"Cancelleria"_s}});
    choose(u"01"_s, u"Gennaio"_s, u"31"_s, u"Gennaio"_s);
    const Shown shown = request();
    QCOMPARE(shown.lines.size(), 2);
    QCOMPARE(shown.lines[0],
        u"ENTRATA  Quota associativa annuale del socio ordi  Data: 05/01/2026  Da: Bianchi "
        u"Giovanni Battista Ma  A: Associazione                  Importo: +150,00"_s);
    QCOMPARE(shown.lines[1].left(9), u"USCITA   "_s);
    for (const QString &line : shown.lines)
        QCOMPARE(line.indexOf(u"Importo: "_s) + 9, 145);
}

// A year file the balance cannot use says what is wrong: a file that cannot be read and a year
// with no file end the request, damaged records are counted before the summary opens.
void TestBilancio::yearFileItCannotUse_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("plain");
    QTest::addColumn<QString>("text");
    QTest::newRow("unreadable file")
        << 0 << false << true << u"Attenzione: il file di archivio non risulta accessibile."_s;
    QTest::newRow("missing year in a read-only folder")
        << 1 << false << true
        << u"Attenzione: l'archivio della primanota dell'anno 2026 non esiste e non può essere "
           u"creato nella cartella del programma.\n\r\n\rNon risulta nessun movimento da "
           u"riepilogare."_s;
    QTest::newRow("one damaged record")
        << 2 << true << false
        << u"Attenzione: 1 movimento dell'archivio non può essere letto (data o importo "
           u"danneggiati) e non è compreso nel riepilogo né nei totali."_s;
    QTest::newRow("damaged records")
        << 3 << true << false
        << u"Attenzione: 3 movimenti dell'archivio non possono essere letti (data o importo "
           u"danneggiati) e non sono compresi nel riepilogo né nei totali."_s;
}

void TestBilancio::yearFileItCannotUse()
{
    QFETCH(int, fault);
    QFETCH(bool, opens);
    QFETCH(bool, plain);
    QFETCH(QString, text);
    std::optional<ReadOnlyAccess> readOnly;
    if (fault == 0) {
        QVERIFY(QDir(m_fixture->folder()).mkdir(u"2026.eur"_s));
    } else if (fault == 1) {
        readOnly.emplace(QStringList {m_fixture->folder()});
        if (!readOnly->effective())
            QSKIP("This user writes through every permission");
    } else {
        QList<Movement> journal {{u"10/01/2026"_s, u"+5,00"_s}, {u"31/02/2026"_s, u"+1,00"_s}};
        if (fault == 3)
            journal += QList<Movement> {{u"11/01/2026"_s, u"+1,0,0"_s}, {QString(), u"-1,00"_s}};
        writeJournal(journalPath(), journal);
    }
    choose(u"01"_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s);
    const Shown shown = request({}, opens);
    QCOMPARE(shown.opened, opens);
    if (opens) {
        QCOMPARE(shown.lines.size(), 1);
        QCOMPARE(shown.balance, u"5,00 €"_s);
    }
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().plain, plain);
    if (!plain)
        QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Warning);
    QCOMPARE(m_fixture->services.lastMessage(), text);
    QVERIFY(at<QLabel>("lblAttendere")->isHidden());
}

// The summary opens maximised.
void TestBilancio::summaryOpensMaximised()
{
    writeJournal(journalPath(), {{u"10/01/2026"_s, u"+5,00"_s}});
    choose(u"01"_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s);
    bool maximised = false;
    const Shown shown = request([&maximised](QDialog &summary) {
        maximised = summary.windowState().testFlag(Qt::WindowMaximized);
    });
    QVERIFY(shown.opened);
    QVERIFY(maximised);
}

// Two movements that differ only in their amount look different in the maximised summary, and
// still when its lines are scrolled to their end.
void TestBilancio::amountsStayInSight()
{
    writeJournal(journalPath(), {{u"10/01/2026"_s, u"+5,00"_s}, {u"10/01/2026"_s, u"+6,00"_s}});
    choose(u"01"_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s);
    bool atOpening = false;
    bool atTheEnd = false;
    const Shown shown = request([&](QDialog &summary) {
        summary.show();
        QListView *list = control<QListView>(&summary, "lstRecords");
        atOpening = linesLookDifferent(list, 0, 1, 0.0);
        atTheEnd = linesLookDifferent(list, 0, 1, 1.0);
    });
    QCOMPARE(shown.lines.size(), 2);
    QVERIFY(atOpening);
    QVERIFY(atTheEnd);
}

void TestBilancio::printsTheSummary()
{
    writeJournal(journalPath(),
        {{u"10/01/2026"_s, u"+0,10"_s, u"Affitto [DATE] & <b>"_s},
            {u"11/01/2026"_s, u"-0,30"_s, u"Affitto sede"_s}});
    at<QLineEdit>("txtTipologia")->setText(u"Affitto"_s);
    choose(u"01"_s, u"Gennaio"_s, u"31"_s, u"Gennaio"_s);
    m_fixture->services.answerNextQuestion(true);
    const Shown shown
        = request([](QDialog &summary) { control<QPushButton>(&summary, "btnStampa")->click(); });
    QCOMPARE(m_fixture->services.printed.size(), 1u);
    const report::PreparedReport &sheet = m_fixture->services.printed.front();
    QCOMPARE(sheet.name, u"Primanota"_s);
    QCOMPARE(sheet.layout.orientation(), QPageLayout::Landscape);
    QCOMPARE(placedOn(sheet, 0, u"txtTitolo"_s).lines,
        QStringList {u"PRIMANOTA E BILANCIO - Causale :  Affitto"_s});
    const QStringList expected = shown.lines
        + QStringList {u"- - - - - - - - - - - - - - - -"_s,
            u"INTERVALLO SELEZIONATO :      Dal   01/01/2026   al   31/01/2026"_s,
            u"TOTALE ENTRATE :              0,10 €"_s, u"TOTALE USCITE :               -0,30 €"_s,
            u"BILANCIO ENTRATE E USCITE :   -0,20 €"_s};
    const report::ReportObject body = placedOn(sheet, 0, u"txtRiepilogo"_s);
    QCOMPARE(body.lines, expected);
    QVERIFY(body.lines.first().contains(u"[DATE] & <b>"_s));
    QCOMPARE(landings(sheet, u"txtPagina"_s).front().object.lines,
        QStringList {u"Stampa eseguita in data 10/12/2026"_s});
}

// The movements listed with the columns chosen for the movements, then the totals under the
// amounts; the sheet's name says the interval.
void TestBilancio::savesTheSummaryAsAWorkbook()
{
    writeJournal(journalPath(),
        {{u"10/01/2026"_s, u"+0,10"_s, u"Affitto [DATE] & <b>"_s},
            {u"11/01/2026"_s, u"-0,30"_s, u"Affitto sede"_s},
            {u"12/02/2026"_s, u"+5,00"_s, u"Quota"_s}});
    QVERIFY(
        test::writeBytes(m_fixture->file(u"Esporta.ini"_s), "[Movimenti]\r\nColonne=2,3,7\r\n"));
    choose(u"01"_s, u"Gennaio"_s, u"31"_s, u"Gennaio"_s);
    const QString path = m_fixture->file(u"Bilancio.ods"_s);
    m_fixture->services.answerNextSaveFile(path);
    m_fixture->services.answerNextQuestion(false);
    request([](QDialog &summary) { control<QPushButton>(&summary, "btnFoglio")->click(); });
    QCOMPARE(m_fixture->services.proposedNames,
        QStringList {m_fixture->file(u"Bilancio 01.01.2026-31.01.2026.xlsx"_s)});
    QCOMPARE(test::odsCells(path),
        (QList<QStringList> {{u"Data operazione"_s, u"Causale"_s, u"Importo in euro"_s},
            {u"2026-01-10"_s, u"Affitto [DATE] & <b>"_s, u"0.1"_s},
            {u"2026-01-11"_s, u"Affitto sede"_s, u"-0.3"_s},
            {u"TOTALE ENTRATE"_s, QString(), u"0.1"_s}, {u"TOTALE USCITE"_s, QString(), u"-0.3"_s},
            {u"BILANCIO ENTRATE E USCITE"_s, QString(), u"-0.2"_s}}));
}

void TestBilancio::printRefusedOrDeclined_data()
{
    QTest::addColumn<bool>("empty");
    QTest::addColumn<int>("messages");
    QTest::newRow("empty list") << true << 1;
    QTest::newRow("answered No") << false << 1;
}

void TestBilancio::printRefusedOrDeclined()
{
    QFETCH(bool, empty);
    QFETCH(int, messages);
    writeJournal(journalPath(), {{empty ? u"10/02/2026"_s : u"10/01/2026"_s, u"+5,00"_s}});
    choose(u"01"_s, u"Gennaio"_s, u"31"_s, u"Gennaio"_s);
    if (!empty)
        m_fixture->services.answerNextQuestion(false);
    request([](QDialog &summary) { control<QPushButton>(&summary, "btnStampa")->click(); });
    QVERIFY(m_fixture->services.printed.empty());
    QCOMPARE(m_fixture->services.messages.size(), messages);
    const ShownMessage &message = m_fixture->services.messages.first();
    if (empty) {
        QCOMPARE(message.kind, ui::MessageKind::Warning);
        QCOMPARE(message.text,
            u"Operazione di stampa non applicabile: la primanota non contiene nessun movimento in "
            u"entrata o in uscita."_s);
    } else {
        QCOMPARE(message.kind, ui::MessageKind::Question);
        QCOMPARE(message.text, u"Si vuole stampare la presente primanota?"_s);
    }
}

// Enter in the find box neither prints, nor closes, nor finds.
// A real click: the wait notice appears as the button goes down, and the button must still be
// under the pointer when it comes up.
void TestBilancio::mouseClickOpensTheSummary()
{
    query()->show();
    QVERIFY(QTest::qWaitForWindowExposed(query()));
    choose(u"01"_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s);
    bool opened = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        opened = true;
        return dialog.result();
    });
    auto *button = at<QPushButton>("btnVisualizza");
    const QPoint where = button->mapTo(query(), button->rect().center());
    QTest::mousePress(query()->window()->windowHandle(), Qt::LeftButton, {}, where);
    QVERIFY(at<QLabel>("lblAttendere")->isVisible());
    QTest::mouseRelease(query()->window()->windowHandle(), Qt::LeftButton, {}, where);
    QVERIFY(opened);
}

void TestBilancio::enterInFindBoxDoesNothing()
{
    writeJournal(journalPath(), {{u"10/01/2026"_s, u"+5,00"_s}});
    choose(u"01"_s, u"Gennaio"_s, u"31"_s, u"Gennaio"_s);
    bool stillOpen = false;
    request([&stillOpen](QDialog &summary) {
        auto *find = control<QLineEdit>(&summary, "txtTrova");
        find->setText(u"Quota"_s);
        QTest::keyClick(find, Qt::Key_Return);
        stillOpen = summary.result() == 0;
        QVERIFY(
            control<QListView>(&summary, "lstRecords")->selectionModel()->selectedRows().isEmpty());
    });
    QVERIFY(stillOpen);
    QVERIFY(m_fixture->services.messages.isEmpty());
    QVERIFY(m_fixture->services.printed.empty());
}

// Reading a large year is followed on the query's notice and can be stopped with Annulla: no
// summary, no message, the interval still chosen.
void TestBilancio::longReadingShowsProgressAndCancels()
{
    writeJournal(journalPath(),
        {{u"10/01/2026"_s, u"+1,00"_s}, {u"10/02/2026"_s, u"-2,00"_s},
            {u"10/03/2026"_s, u"+4,00"_s}});
    QVERIFY(writeBytes(journalPath(), fileBytes(journalPath()).repeated(3333)));
    choose(u"01"_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s);
    m_fixture->services.holdScansFrom(40);
    bool held = false;
    QTimer::singleShot(0, this, [&] {
        QTRY_COMPARE(m_fixture->services.heldScans(), 1);
        QTRY_COMPARE(at<QLabel>("lblAttendere")->text(),
            u"Caricamento riepilogo in corso. Attendere... 40%"_s);
        QVERIFY(at<QLabel>("lblAttendere")->isVisible());
        held = true;
        at<QPushButton>("btnAnnullaAttesa")->click();
    });
    at<QPushButton>("btnVisualizza")->click();
    QVERIFY(held);
    QCOMPARE(m_fixture->services.heldScans(), 0);
    QVERIFY(m_fixture->services.dialogsShown.isEmpty());
    QVERIFY(m_fixture->services.messages.isEmpty());
    QVERIFY(at<QLabel>("lblAttendere")->isHidden());
    QCOMPARE(at<QLabel>("lblAttendere")->text(), u"Caricamento riepilogo in corso. Attendere..."_s);
    QCOMPARE(at<QComboBox>("txtMeseFine")->currentText(), u"Dicembre"_s);

    // Asked again and let run, the same year gives every movement.
    m_fixture->services.releaseScans();
    const Shown shown = request();
    QVERIFY(shown.opened);
    QCOMPARE(shown.lines.size(), 9999);
}

QTEST_MAIN(TestBilancio)
#include "tst_bilancio.moc"
