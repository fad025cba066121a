// The cash statement screen and the assignment of causali on a real application: reached from the
// journal menu, refused while a causale has no line, shown and printed in the ministry's layout
// (read from the page model), saved as PDF, and the assignments saved and read back.
#include "AppFixture.h"
#include "OdsCells.h"
#include "PageModel.h"
#include "ReadOnlyAccess.h"
#include "TestFiles.h"

#include "journal/MovementRecord.h"
#include "statement/StatementSettings.h"
#include "ui/app/Launcher.h"
#include "ui/app/PasswordScreen.h"
#include "ui/journal/JournalMenu.h"
#include "ui/statement/StatementScreen.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace almavest;
using namespace Qt::StringLiterals;
using test::AppFixture;
using test::control;
using ui::MessageKind;

namespace {

QStringList movement(const QString &signedAmount, const QString &causale, const QString &method)
{
    QStringList values = journal::blankMovement(QDate(2025, 5, 1));
    values[journal::Income] = journal::flagText(signedAmount.startsWith(u'+'));
    values[journal::Expense] = journal::flagText(signedAmount.startsWith(u'-'));
    values[journal::SignedAmount] = signedAmount;
    values[journal::Amount] = signedAmount.mid(1);
    values[journal::Purpose] = causale;
    values[journal::Payer] = u"Mario Rossi"_s;
    values[journal::Beneficiary] = u"Circolo"_s;
    values[journal::PaymentMethod] = method;
    return values;
}

statement::StatementSettings assigned()
{
    statement::StatementSettings settings;
    settings.assign(statement::Side::Receipts, u"Quote sociali"_s, u"E.A.1"_s);
    settings.assign(statement::Side::Payments, u"Affitto & spese <sede>"_s, u"U.A.3"_s);
    settings.opening = {2024, 5000, 100000};
    return settings;
}

} // namespace

class TestRendiconto final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_app.reset(); }

    void journalMenuLeadsHereAndBack();
    void refusedWhileACausaleHasNoLine();
    void assignedFromTheRefusalThenShown();
    void shownSideBySide();
    void printedInTheFormsLayout();
    void pdfSavedOrFailureTold();
    void savedAsAWorkbook();
    void causaliListedUnassignedFirstAndSaved();
    void causaliKeptOnScreenWhenNotSaved();

private:
    // Checks the lists of the dialog, assigns the causale left and the opening, and saves.
    void assignInDialog(QDialog &dialog, bool &checked);
    ui::Application &app() { return m_app->app(); }
    ui::StatementScreen *screen() { return app().statementScreen(); }
    void openStatement()
    {
        app().launcher()->openJournalMenu();
        control<QPushButton>(app().journalMenu(), "btnRendiconto")->click();
        QVERIFY(screen()->isVisible());
        control<QLineEdit>(screen(), "txtAnno")->setText(u"2025"_s);
    }
    void writeSettings(const statement::StatementSettings &settings)
    {
        QVERIFY(settings.save(m_app->file(u"Rendiconto.ini"_s)));
    }

    std::unique_ptr<AppFixture> m_app;
};

void TestRendiconto::init()
{
    m_app = std::make_unique<AppFixture>();
    QWidget *password = app().passwordScreen();
    QTest::keyClicks(control<QLineEdit>(password, "txtPassword"), u"segreto"_s);
    control<QPushButton>(password, "cmdOK")->click();
    // 2024: the year before; 2025: the year of the statement.
    test::writeMovements(
        m_app->file(u"2024.eur"_s), {movement(u"+100,00"_s, u"Quote sociali"_s, u"Contanti"_s)});
    test::writeMovements(m_app->file(u"2025.eur"_s),
        {movement(u"+150,00"_s, u"Quote sociali"_s, u"Contanti"_s),
            movement(u"+20,50"_s, u"QUOTE SOCIALI"_s, u"Bonifico"_s),
            movement(u"-400,00"_s, u"Affitto & spese <sede>"_s, u"Bonifico"_s)});
}

void TestRendiconto::journalMenuLeadsHereAndBack()
{
    openStatement();
    QCOMPARE(screen()->objectName(), u"frmRendiconto"_s);
    QCOMPARE(screen()->windowTitle(), u" Almavest - Rendiconto per cassa"_s);
    QVERIFY(!app().journalMenu()->isVisible());
    QCOMPARE(app().journalMenu()->nextScreen(), ui::Screen::Statement);
    // Enter in the year reaches Mostra rendiconto.
    writeSettings(assigned());
    auto *year = control<QLineEdit>(screen(), "txtAnno");
    QApplication::setActiveWindow(screen());
    year->setFocus();
    QTest::keyClick(year, Qt::Key_Return);
    auto *show = control<QPushButton>(screen(), "btnMostra");
    QCOMPARE(QApplication::focusWidget(), show);
    QTest::keyClick(show, Qt::Key_Return);
    QVERIFY(screen()->shown().has_value());
    control<QPushButton>(screen(), "btnEsci")->click();
    QVERIFY(!screen()->isVisible());
    QVERIFY(app().launcher()->isVisible());
}

void TestRendiconto::refusedWhileACausaleHasNoLine()
{
    openStatement();
    statement::StatementSettings settings = assigned();
    settings.assign(statement::Side::Payments, u"Affitto & spese <sede>"_s, QString());
    writeSettings(settings);
    m_app->services.answerNextQuestion(false); // not now
    control<QPushButton>(screen(), "btnStampa")->click();
    QCOMPARE(m_app->services.messages.size(), 1);
    QCOMPARE(m_app->services.messages.first().kind, MessageKind::Question);
    QCOMPARE(m_app->services.lastMessage(),
        u"Attenzione: il rendiconto non può essere preparato perché alcune causali della "
        "primanota non sono ancora assegnate a una voce del rendiconto.\n\r\n\r"
        "Uscite: \"Affitto & spese <sede>\"\n\r\n\rAssegnarle ora?"_s);
    QVERIFY(m_app->services.printed.empty());
    QVERIFY(!screen()->shown());
    QCOMPARE(control<QTableWidget>(screen(), "grdRendiconto")->rowCount(), 0);
}

void TestRendiconto::assignedFromTheRefusalThenShown()
{
    openStatement();
    statement::StatementSettings settings = assigned();
    settings.assign(statement::Side::Payments, u"Affitto & spese <sede>"_s, QString());
    writeSettings(settings);
    m_app->services.answerNextQuestion(true);
    m_app->services.onNextDialog([](QDialog &dialog) {
        auto *expenses = control<QTableWidget>(&dialog, "grdUscite");
        auto *rent = static_cast<QComboBox *>(expenses->cellWidget(0, 2));
        rent->setCurrentIndex(rent->findData(u"U.A.3"_s));
        control<QPushButton>(&dialog, "btnSalva")->click();
        return int(QDialog::Accepted);
    });
    control<QPushButton>(screen(), "btnMostra")->click();
    QCOMPARE(m_app->services.messages.size(), 2); // the question, then the settings saved
    QVERIFY(screen()->shown().has_value());
    QCOMPARE(screen()->shown()->row(u"U.A.3"_s)->current, std::optional<qint64>(40000));
}

void TestRendiconto::shownSideBySide()
{
    openStatement();
    writeSettings(assigned());
    control<QPushButton>(screen(), "btnMostra")->click();
    QVERIFY(m_app->services.messages.isEmpty());
    auto *grid = control<QTableWidget>(screen(), "grdRendiconto");
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), u"2025"_s);
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), u"2024"_s);
    // Row 0: the headings of section A; row 1: the first line of each side.
    QCOMPARE(grid->item(0, 0)->text(), u"A) Uscite da attività di interesse generale"_s);
    QCOMPARE(
        grid->item(1, 3)->text(), u"1) Entrate da quote associative e apporti dei fondatori"_s);
    QCOMPARE(grid->item(1, 4)->text(), u"170,50"_s);
    QCOMPARE(grid->item(1, 5)->text(), u"100,00"_s);
    QCOMPARE(grid->item(3, 0)->text(), u"3) Godimento beni di terzi"_s);
    QCOMPARE(grid->item(3, 1)->text(), u"400,00"_s);
    // The last rows: the overall deficit, then cash and bank at the end of the year.
    const int rows = grid->rowCount();
    QCOMPARE(grid->item(rows - 4, 3)->text(), u"Avanzo/disavanzo complessivo"_s);
    QCOMPARE(grid->item(rows - 4, 4)->text(), u"-229,50"_s);
    QCOMPARE(grid->item(rows - 2, 4)->text(), u"300,00"_s); // 50 + 100 + 150
    QCOMPARE(grid->item(rows - 1, 4)->text(), u"620,50"_s); // 1000 + 20,50 - 400
    QCOMPARE(grid->item(rows - 1, 5)->text(), u"1000,00"_s);
    QVERIFY(grid->item(rows - 4, 3)->font().bold());
    QVERIFY(!grid->item(1, 3)->font().bold());
}

void TestRendiconto::printedInTheFormsLayout()
{
    openStatement();
    writeSettings(assigned());
    control<QPushButton>(screen(), "btnStampa")->click();
    QCOMPARE(m_app->services.printed.size(), std::size_t(1));
    const report::PreparedReport &printed = m_app->services.printed.front();
    QCOMPARE(printed.name, u"Rendiconto per cassa"_s);
    QCOMPARE(printed.layout.orientation(), QPageLayout::Landscape);
    // The whole form, 58 rows, fits one landscape page.
    QCOMPARE(printed.pages.size(), std::size_t(1));
    QCOMPARE(test::placedOn(printed, 0, u"txtUscite"_s).lines.size(), 58);
    QCOMPARE(test::placedOn(printed, 0, u"txtTitolo"_s).lines,
        QStringList {u"RENDICONTO PER CASSA - ESERCIZIO 2025"_s});
    QCOMPARE(test::placedOn(printed, 0, u"titEntrateAnnoPrec"_s).lines, QStringList {u"2024"_s});
    // The memos of a page carry the same rows, so that the halves stay side by side across the
    // page break; a label and its amounts are on one row.
    const char *memos[] = {"txtUscite", "txtUsciteGrassetto", "txtUsciteAnno", "txtEntrate",
        "txtEntrateAnno", "txtEntrateAnnoPrecGrassetto", "txtRisultati"};
    for (int page = 0; page < int(printed.pages.size()); ++page) {
        const qsizetype rows = test::placedOn(printed, page, u"txtUscite"_s).lines.size();
        QVERIFY(rows > 0);
        for (const char *memo : memos) {
            const report::ReportObject placed = test::placedOn(printed, page, QLatin1String(memo));
            QCOMPARE(placed.lines.size(), rows);
            QCOMPARE(placed.rect.top(), test::placedOn(printed, page, u"txtUscite"_s).rect.top());
        }
    }
    const report::ReportObject labels = test::placedOn(printed, 0, u"txtEntrate"_s);
    const qsizetype quote
        = labels.lines.indexOf(u"1) Entrate da quote associative e apporti dei fondatori"_s);
    QCOMPARE(quote, 1);
    QCOMPARE(test::placedOn(printed, 0, u"txtEntrateAnno"_s).lines.at(quote), u"170,50"_s);
    QCOMPARE(test::placedOn(printed, 0, u"txtEntrateAnnoPrec"_s).lines.at(quote), u"100,00"_s);
    QCOMPARE(test::placedOn(printed, 0, u"txtUsciteGrassetto"_s).lines.at(0),
        u"A) Uscite da attività di interesse generale"_s);
    QCOMPARE(test::placedOn(printed, 0, u"txtEntrateGrassetto"_s).lines.at(0),
        u"A) Entrate da attività di interesse generale"_s);
    const int last = int(printed.pages.size()) - 1;
    const QStringList results = test::placedOn(printed, last, u"txtRisultati"_s).lines;
    const qsizetype overall = results.indexOf(u"Avanzo/disavanzo complessivo"_s);
    QVERIFY(overall >= 0);
    QCOMPARE(test::placedOn(printed, last, u"txtEntrateAnnoGrassetto"_s).lines.at(overall),
        u"-229,50"_s);
    QCOMPARE(results.last(), u"Depositi bancari e postali"_s);
    QCOMPARE(test::landings(printed, u"txtPagina"_s).size(), std::size_t(1));
    QCOMPARE(test::landings(printed, u"txtPagina"_s).front().page, last);
}

void TestRendiconto::pdfSavedOrFailureTold()
{
    // Whoever the test runs as, the program folder stays readable while the PDF's may not be
    // written.
    QVERIFY(QFile::setPermissions(m_app->folder(),
        QFile::permissions(m_app->folder()) | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
            | QFile::ExeOther));
    openStatement();
    writeSettings(assigned());
    QTemporaryDir out;
    const QString path = out.filePath(u"Rendiconto 2025 & <soci>.pdf"_s);
    QVERIFY(test::writeBytes(path, "vecchio"));
    m_app->services.answerNextSaveFile(path);
    control<QPushButton>(screen(), "btnPdf")->click();
    QCOMPARE(m_app->services.proposedNames, QStringList {u"Rendiconto_2025.pdf"_s});
    QVERIFY(test::fileBytes(path).startsWith("%PDF"));
    QCOMPARE(m_app->services.lastMessage(),
        u"Il rendiconto è stato salvato nel file "_s + QDir::toNativeSeparators(path) + u"."_s);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // A folder that may not be written: the message says so, the old file stays, no success.
    m_app->services.clear();
    QVERIFY(test::writeBytes(path, "vecchio"));
    {
        test::ReadOnlyAccess readOnly({out.path()});
        m_app->services.answerNextSaveFile(path);
        control<QPushButton>(screen(), "btnPdf")->click();
    }
    QCOMPARE(m_app->services.messages.size(), 1);
    QCOMPARE(m_app->services.messages.first().kind, MessageKind::Error);
    QVERIFY(m_app->services.lastMessage().startsWith(
        u"Attenzione: non è stato possibile salvare il rendiconto nel file "_s));
    QCOMPARE(test::fileBytes(path), QByteArray("vecchio"));
}

// The same statement as a workbook: every row of the form in its order, with its side, and the
// amounts of both years as numbers; a year without its year before leaves those cells empty.
void TestRendiconto::savedAsAWorkbook()
{
    openStatement();
    writeSettings(assigned());
    const QString path = m_app->file(u"Rendiconto.ods"_s);
    m_app->services.answerNextSaveFile(path);
    m_app->services.answerNextQuestion(false);
    control<QPushButton>(screen(), "btnFoglio")->click();
    QCOMPARE(m_app->services.proposedNames,
        QStringList {m_app->file(u"Rendiconto per cassa 2025.xlsx"_s)});
    const QList<QStringList> cells = test::odsCells(path);
    QCOMPARE(cells.size(), qsizetype(screen()->shown()->rows.size()) + 1);
    QCOMPARE(
        cells.first(), (QStringList {u"Codice"_s, u"Sezione"_s, u"Voce"_s, u"2025"_s, u"2024"_s}));
    QVERIFY(cells.contains(QStringList {u"E.A.1"_s, u"Entrate"_s,
        u"1) Entrate da quote associative e apporti dei fondatori"_s, u"170.5"_s, u"100"_s}));
    QVERIFY(cells.contains(
        QStringList {u"U.A.3"_s, u"Uscite"_s, u"3) Godimento beni di terzi"_s, u"400"_s, u"0"_s}));
    QCOMPARE(cells.last().mid(1),
        (QStringList {u"Risultato"_s, cells.last().at(2), u"620.5"_s, u"1000"_s}));
}

void TestRendiconto::causaliListedUnassignedFirstAndSaved()
{
    openStatement();
    statement::StatementSettings settings;
    settings.assign(statement::Side::Receipts, u"quote sociali"_s, u"E.A.1"_s);
    writeSettings(settings);
    test::writeMovements(m_app->file(u"2025.eur"_s), {movement(u"+5,00"_s, u"Lotteria"_s, {})});
    bool checked = false;
    m_app->services.onNextDialog([&](QDialog &dialog) {
        assignInDialog(dialog, checked);
        return int(QDialog::Accepted);
    });
    control<QPushButton>(screen(), "btnCausali")->click();
    QVERIFY(checked);
    QCOMPARE(m_app->services.messages.size(), 1);
    QCOMPARE(m_app->services.messages.first().kind, MessageKind::Information);
    const auto read = statement::StatementSettings::load(m_app->file(u"Rendiconto.ini"_s));
    QVERIFY(read);
    QCOMPARE(read->codeFor(statement::Side::Receipts, u"LOTTERIA"_s), u"E.C.2"_s);
    QCOMPARE(read->codeFor(statement::Side::Payments, u"Affitto & spese <sede>"_s), u"U.A.3"_s);
    QCOMPARE(read->opening, (statement::OpeningBalances {2024, 123450, -1000}));
}

void TestRendiconto::assignInDialog(QDialog &dialog, bool &checked)
{
    {
        auto *income = control<QTableWidget>(&dialog, "grdEntrate");
        QCOMPARE(income->rowCount(), 2);
        // The causale without a line comes first, marked; the assigned one shows its line.
        QCOMPARE(income->item(0, 1)->text(), u"Lotteria"_s);
        QCOMPARE(income->item(0, 0)->text(), u"Da assegnare"_s);
        QCOMPARE(income->item(1, 0)->text(), QString());
        auto *quote = static_cast<QComboBox *>(income->cellWidget(1, 2));
        QCOMPARE(quote->currentData().toString(), u"E.A.1"_s);
        auto *lottery = static_cast<QComboBox *>(income->cellWidget(0, 2));
        lottery->setCurrentIndex(lottery->findData(u"E.C.2"_s));
        QCOMPARE(income->item(0, 0)->text(), QString());
        auto *expenses = control<QTableWidget>(&dialog, "grdUscite");
        QCOMPARE(expenses->rowCount(), 1);
        auto *rent = static_cast<QComboBox *>(expenses->cellWidget(0, 2));
        QCOMPARE(rent->count(), 29); // nothing, then the 28 lines of the payments
        // Enter walks from the last list to the opening fields.
        QApplication::setActiveWindow(&dialog);
        rent->setFocus();
        QTest::keyClick(rent, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"txtAnnoIniziale"_s);
        rent->setCurrentIndex(rent->findData(u"U.A.3"_s));
        control<QLineEdit>(&dialog, "txtAnnoIniziale")->setText(u"2024"_s);
        control<QLineEdit>(&dialog, "txtCassaIniziale")->setText(u"1.234,5"_s);
        control<QLineEdit>(&dialog, "txtBancaIniziale")->setText(u"-10"_s);
        control<QPushButton>(&dialog, "btnSalva")->click();
        checked = true;
    }
}

void TestRendiconto::causaliKeptOnScreenWhenNotSaved()
{
    openStatement();
    writeSettings(assigned());
    const QByteArray before = test::fileBytes(m_app->file(u"Rendiconto.ini"_s));
    QString shownCash;
    m_app->services.onNextDialog([&](QDialog &dialog) {
        auto *expenses = control<QTableWidget>(&dialog, "grdUscite");
        static_cast<QComboBox *>(expenses->cellWidget(0, 2))->setCurrentIndex(2);
        // An amount that is no amount: told, nothing written.
        control<QLineEdit>(&dialog, "txtCassaIniziale")->setText(u"dieci"_s);
        control<QPushButton>(&dialog, "btnSalva")->click();
        auto *cash = control<QLineEdit>(&dialog, "txtCassaIniziale");
        cash->setText(u"1.234,5"_s);
        // Leaving the amount shows it as it is kept.
        QApplication::setActiveWindow(&dialog);
        cash->setFocus();
        control<QLineEdit>(&dialog, "txtBancaIniziale")->setFocus();
        shownCash = cash->text();
        {
            test::ReadOnlyAccess readOnly({m_app->folder()});
            control<QPushButton>(&dialog, "btnSalva")->click();
        }
        // Leaving with changes asks first; No keeps the dialog open.
        m_app->services.answerNextQuestion(false);
        control<QPushButton>(&dialog, "btnEsci")->click();
        return int(QDialog::Rejected);
    });
    control<QPushButton>(screen(), "btnCausali")->click();
    QCOMPARE(m_app->services.messages.size(), 3);
    QCOMPARE(m_app->services.messages.at(0).kind, MessageKind::Warning);
    QCOMPARE(m_app->services.messages.at(0).text,
        u"Attenzione: l'importo \"dieci\" non è valido.\n\r\n\rIndicare un importo in euro con la "
        "virgola per i decimali, ad esempio 1250,00."_s);
    QCOMPARE(m_app->services.messages.at(1).kind, MessageKind::Error);
    QVERIFY(m_app->services.messages.at(1).text.startsWith(
        u"Attenzione: non è stato possibile salvare le voci del rendiconto nel file "
        "Rendiconto.ini."_s));
    QCOMPARE(m_app->services.messages.at(2).kind, MessageKind::Question);
    QCOMPARE(test::fileBytes(m_app->file(u"Rendiconto.ini"_s)), before);
    QCOMPARE(shownCash, u"1234,50"_s);
}

QTEST_MAIN(TestRendiconto)
#include "tst_rendiconto.moc"
