// The member search driven from the member card: filters, the list, quick find, opening a card,
// printing, and the wait notice.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "PageModel.h"
#include "TemplatesRemoved.h"
#include "TestFiles.h"

#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "ui/print/ReportOutput.h"
#include "ui/registry/MemberCardScreen.h"
#include "ui/registry/MemberListPanel.h"
#include "ui/registry/MemberSearchDialog.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStackedWidget>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

QStringList card(const QString &name, const QString &town, const QString &notes = QString())
{
    QStringList values = sampleMember(name);
    values[registry::Town] = town;
    values[registry::Notes] = notes;
    return values;
}

QStringList listed(ui::MemberSearchDialog &dialog)
{
    QStringList names;
    for (const QString &line : dialog.results()->lines())
        names.append(line.left(30).trimmed());
    return names;
}

} // namespace

class TestMemberSearch final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void filtersTogether_data();
    void filtersTogether();
    void missingArchiveGivesAnEmptyList();
    void unusableArchiveKeepsTheFilters();
    void enterChainRunsRoundTheFilters();
    void quickFindStepsAndWraps();
    void quickFindOnAnEmptyList();
    void choosingALineOpensItsCard_data();
    void choosingALineOpensItsCard();
    void unreadableChosenCardIsReported();
    void closingEmptiesTheListAndHidesTheNotice_data();
    void closingEmptiesTheListAndHidesTheNotice();
    void printsTheList();
    void unreadableTemplateIsReported();
    void waitNoticeWhileSearching();

private:
    // Runs the search dialog from the card; `drive` acts on it while it is open.
    void withSearch(const std::function<void(ui::MemberSearchDialog &)> &drive);
    static void search(
        ui::MemberSearchDialog &dialog, const QList<QPair<const char *, QString>> &filters);

    std::unique_ptr<AppFixture> m_fixture;
};

void TestMemberSearch::init()
{
    m_fixture = std::make_unique<AppFixture>();
    m_fixture->openMemberCard();
}

void TestMemberSearch::withSearch(const std::function<void(ui::MemberSearchDialog &)> &drive)
{
    bool ran = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        auto &search = dynamic_cast<ui::MemberSearchDialog &>(dialog);
        search.show();
        drive(search);
        ran = true;
        return dialog.result();
    });
    control<QAbstractButton>(m_fixture->app().memberCardScreen(), "btnTrova")->click();
    QVERIFY(ran);
}

void TestMemberSearch::search(
    ui::MemberSearchDialog &dialog, const QList<QPair<const char *, QString>> &filters)
{
    for (const auto &[box, text] : filters)
        control<QLineEdit>(&dialog, box)->setText(text);
    control<QPushButton>(&dialog, "btnCerca")->click();
    waitForScan(&dialog);
}

void TestMemberSearch::filtersTogether_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("town");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("no filter lists every card")
        << QString() << QString()
        << QStringList {
               u"Rossi Mario"_s, u"Del Rosso Anna"_s, u"BIANCHI LUCA"_s, u"Rossini Paolo"_s};
    QTest::newRow("part of a name in any case")
        << "ross" << QString()
        << QStringList {u"Rossi Mario"_s, u"Del Rosso Anna"_s, u"Rossini Paolo"_s};
    QTest::newRow("two filters together")
        << "ROSS"
        << "roma" << QStringList {u"Rossi Mario"_s, u"Rossini Paolo"_s};
    QTest::newRow("nothing matches") << "verdi" << QString() << QStringList {};
}

void TestMemberSearch::filtersTogether()
{
    QFETCH(QString, name);
    QFETCH(QString, town);
    QFETCH(QStringList, found);
    writeMembers(m_fixture->file(QStringLiteral("Soci.pro")),
        {card(QStringLiteral("Rossi Mario"), QStringLiteral("Roma")),
            card(QStringLiteral("Del Rosso Anna"), QStringLiteral("Milano")),
            card(QStringLiteral("BIANCHI LUCA"), QStringLiteral("ROMA")),
            card(QStringLiteral("Rossini Paolo"), QStringLiteral("Frascati (Roma)"))});
    withSearch([&](ui::MemberSearchDialog &dialog) {
        search(dialog, {{"txtDipendente", name}, {"txtCitta", town}});
        QCOMPARE(listed(dialog), found);
        QCOMPARE(control<QLabel>(&dialog, "lblTrovate")->text(),
            QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(found.size()));
        QVERIFY(control<QWidget>(&dialog, "panContainer")->isVisible());
        QVERIFY(!control<QWidget>(&dialog, "panAvvio")->isVisible());
        QCOMPARE(dialog.focusWidget(), control<QWidget>(&dialog, "txtTrova"));
    });
}

void TestMemberSearch::missingArchiveGivesAnEmptyList()
{
    withSearch([&](ui::MemberSearchDialog &dialog) {
        search(dialog, {});
        QVERIFY(dialog.results()->lines().isEmpty());
        QCOMPARE(control<QLabel>(&dialog, "lblTrovate")->text(),
            QStringLiteral("Il presente riepilogo contiene 0 schede."));
    });
    QVERIFY(QFile::exists(m_fixture->file(QStringLiteral("Soci.pro"))));
}

void TestMemberSearch::unusableArchiveKeepsTheFilters()
{
    QVERIFY(QDir(m_fixture->folder()).mkdir(QStringLiteral("Soci.pro")));
    withSearch([&](ui::MemberSearchDialog &dialog) {
        search(dialog, {{"txtDipendente", QStringLiteral("rossi")}});
        QCOMPARE(m_fixture->services.messages.size(), 1);
        QVERIFY(m_fixture->services.messages.first().plain);
        QCOMPARE(m_fixture->services.lastMessage(), store::archiveAccessMessage());
        QVERIFY(control<QWidget>(&dialog, "panAvvio")->isVisible());
        QCOMPARE(control<QLineEdit>(&dialog, "txtDipendente")->text(), QStringLiteral("rossi"));
        QVERIFY(!control<QLabel>(&dialog, "lblAttendere")->isVisible());
    });
}

void TestMemberSearch::enterChainRunsRoundTheFilters()
{
    withSearch([&](ui::MemberSearchDialog &dialog) {
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const QStringList chain = QStringList {u"txtDipendente"_s, u"txtCittadinanza"_s,
            u"txtLuogo"_s, u"txtDataNasc"_s, u"txtCodFisc"_s, u"txtPartitaIva"_s, u"txtCitta"_s,
            u"txtQualifiche"_s, u"txtFamiliari"_s, u"txtNote"_s, u"txtDipendente"_s};
        control<QWidget>(&dialog, "txtDipendente")->setFocus();
        for (qsizetype i = 1; i < chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), chain.at(i));
        }
        QVERIFY(dialog.findChild<QWidget *>(QStringLiteral("effCampo04")));
    });
}

void TestMemberSearch::quickFindStepsAndWraps()
{
    writeMembers(m_fixture->file(QStringLiteral("Soci.pro")),
        {card(QStringLiteral("Alfa"), QStringLiteral("Roma")),
            card(QStringLiteral("Beta Rosa"), QStringLiteral("Bari")),
            card(QStringLiteral("Gamma"), QStringLiteral("Bari")),
            card(QStringLiteral("Delta Romano"), QStringLiteral("Bari"))});
    withSearch([&](ui::MemberSearchDialog &dialog) {
        search(dialog, {});
        auto *list = control<QListView>(&dialog, "lstRecords");
        auto *find = control<QPushButton>(&dialog, "btnTrova");
        control<QLineEdit>(&dialog, "txtTrova")->setText(QStringLiteral("RO"));
        QList<int> rows;
        for (int press = 0; press < 4; ++press) {
            find->click();
            rows.append(list->currentIndex().row());
        }
        QCOMPARE(rows, (QList<int> {1, 3, 1, 3}));
        // A new text starts again from the top, first line included.
        control<QLineEdit>(&dialog, "txtTrova")->setText(QStringLiteral("alfa"));
        find->click();
        QCOMPARE(list->currentIndex().row(), 0);
        QVERIFY(m_fixture->services.messages.isEmpty());
    });
}

void TestMemberSearch::quickFindOnAnEmptyList()
{
    withSearch([&](ui::MemberSearchDialog &dialog) {
        search(dialog, {{"txtDipendente", QStringLiteral("nessuno")}});
        control<QPushButton>(&dialog, "btnTrova")->click();
        QCOMPARE(m_fixture->services.lastMessage(),
            QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        QVERIFY(m_fixture->services.messages.first().plain);
    });
}

void TestMemberSearch::choosingALineOpensItsCard_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("how");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("cardNumber");
    QTest::newRow("first line, Enter") << 0 << int(Pick::Enter) << "1"
                                       << "PRIMA";
    QTest::newRow("first of two equal lines, double click") << 1 << int(Pick::DoubleClick) << "2"
                                                            << "GEMELLA 1";
    QTest::newRow("first of two equal lines, Enter") << 1 << int(Pick::Enter) << "2"
                                                     << "GEMELLA 1";
    QTest::newRow("second of two equal lines, double click") << 2 << int(Pick::DoubleClick) << "3"
                                                             << "GEMELLA 2";
    QTest::newRow("last line, double click") << 3 << int(Pick::DoubleClick) << "4"
                                             << "ULTIMA";
}

// Each line opens its own card, even when two cards give the same line.
void TestMemberSearch::choosingALineOpensItsCard()
{
    QFETCH(int, row);
    QFETCH(int, how);
    QFETCH(QString, position);
    QFETCH(QString, cardNumber);
    const auto numbered = [](const QString &name, const QString &number) {
        QStringList values = card(name, QStringLiteral("Roma"));
        values[registry::CardNumber] = number;
        return values;
    };
    writeMembers(m_fixture->file(QStringLiteral("Soci.pro")),
        {numbered(QStringLiteral("Primo"), QStringLiteral("PRIMA")),
            numbered(QStringLiteral("Uguale Nome"), QStringLiteral("GEMELLA 1")),
            numbered(QStringLiteral("Uguale Nome"), QStringLiteral("GEMELLA 2")),
            numbered(QStringLiteral("Ultimo"), QStringLiteral("ULTIMA"))});
    withSearch([&](ui::MemberSearchDialog &dialog) {
        search(dialog, {});
        QCOMPARE(dialog.results()->lines().at(1), dialog.results()->lines().at(2));
        pickLine(control<QListView>(&dialog, "lstRecords"), row, Pick(how));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.results()->lines().isEmpty());
    });
    auto *screen = m_fixture->app().memberCardScreen();
    QCOMPARE(screen->lblPosizione()->text(), position);
    QCOMPARE(control<QLineEdit>(screen, "txtCittadinanza")->text(), cardNumber);
    QVERIFY(m_fixture->services.messages.isEmpty());
}

// A card that can no longer be read is reported, and the card screen keeps what it showed.
void TestMemberSearch::unreadableChosenCardIsReported()
{
    writeMembers(m_fixture->file(QStringLiteral("Soci.pro")),
        {card(QStringLiteral("Alfa"), QStringLiteral("Roma"))});
    auto *screen = m_fixture->app().memberCardScreen();
    control<QLineEdit>(screen, "txtDipendente")->setText(QStringLiteral("Scheda in corso"));
    withSearch([&](ui::MemberSearchDialog &dialog) {
        search(dialog, {});
        QVERIFY(QFile::remove(m_fixture->file(QStringLiteral("Soci.pro"))));
        QVERIFY(QDir(m_fixture->folder()).mkdir(QStringLiteral("Soci.pro")));
        pickLine(control<QListView>(&dialog, "lstRecords"), 0, Pick::Enter);
    });
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.lastMessage(), store::archiveAccessMessage());
    QCOMPARE(
        control<QLineEdit>(screen, "txtDipendente")->text(), QStringLiteral("Scheda in corso"));
    QVERIFY(screen->lblPosizione()->text().isEmpty());
}

void TestMemberSearch::closingEmptiesTheListAndHidesTheNotice_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("Chiudi") << int(Leave::Button);
    QTest::newRow("Escape") << int(Leave::Escape);
    QTest::newRow("window closed") << int(Leave::Close);
}

void TestMemberSearch::closingEmptiesTheListAndHidesTheNotice()
{
    QFETCH(int, way);
    writeMembers(m_fixture->file(QStringLiteral("Soci.pro")),
        {card(QStringLiteral("Alfa"), QStringLiteral("Roma"))});
    withSearch([&](ui::MemberSearchDialog &dialog) {
        search(dialog, {});
        auto *notice = control<QLabel>(&dialog, "lblAttendere");
        QVERIFY(notice->isHidden()); // it goes with the scan that showed it
        QCOMPARE(dialog.results()->lines().size(), 1);
        leaveDialog(dialog, Leave(way));
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.results()->lines().isEmpty());
        QVERIFY(notice->isHidden());
    });
    QCOMPARE(control<QLineEdit>(m_fixture->app().memberCardScreen(), "txtDipendente")->text(),
        QString());
    QVERIFY(m_fixture->app().memberCardScreen()->lblPosizione()->text().isEmpty());
}

void TestMemberSearch::printsTheList()
{
    writeMembers(m_fixture->file(QStringLiteral("Soci.pro")),
        {card(QStringLiteral("Alfa [socio]"), QStringLiteral("Roma"))});
    m_fixture->services.setPdfFolder(m_fixture->folder());
    withSearch([&](ui::MemberSearchDialog &dialog) {
        search(dialog, {});
        control<QPushButton>(&dialog, "btnStampa")->click();
        control<QPushButton>(&dialog, "btnStampa")->click();
    });
    auto &printed = m_fixture->services.printed;
    QCOMPARE(printed.size(), size_t(2));
    QCOMPARE(printed[0].name, QStringLiteral("Riepilogo dati"));
    const QStringList texts = pageTexts(printed[0], 0);
    QVERIFY(texts.contains(QStringLiteral("Riepilogo soci in archivio")));
    QVERIFY(texts.contains(QStringLiteral("Stampa eseguita in data 10/12/2026")));
    QVERIFY(std::any_of(texts.begin(), texts.end(),
        [](const QString &t) { return t.startsWith(QStringLiteral("Alfa [socio]")); }));
    // The body is filled anew each time: the second print is the same as the first.
    QCOMPARE(pageTexts(printed[1], 0), texts);
    QVERIFY(fileBytes(m_fixture->file(QStringLiteral("print-1.pdf"))).startsWith("%PDF"));
}

// Without the summary template nothing is printed, and the user is told why.
void TestMemberSearch::unreadableTemplateIsReported()
{
    withSearch([&](ui::MemberSearchDialog &dialog) {
        search(dialog, {});
        const TemplatesRemoved removed;
        control<QPushButton>(&dialog, "btnStampa")->click();
    });
    QVERIFY(m_fixture->services.printed.empty());
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.lastMessage(), ui::unreadableTemplateMessage());
}

void TestMemberSearch::waitNoticeWhileSearching()
{
    withSearch([&](ui::MemberSearchDialog &dialog) {
        auto *notice = control<QLabel>(&dialog, "lblAttendere");
        QCOMPARE(notice->text(), QStringLiteral("Ricerca schede in corso. Attendere..."));
        QVERIFY(!notice->isVisible());
        QTest::mousePress(control<QPushButton>(&dialog, "btnCerca"), Qt::LeftButton);
        QVERIFY(notice->isVisible());
        QTest::mouseRelease(control<QPushButton>(&dialog, "btnCerca"), Qt::LeftButton);
        control<QPushButton>(&dialog, "btnChiudi")->click();
        QVERIFY(notice->isHidden());
    });
}

QTEST_MAIN(TestMemberSearch)
#include "tst_membersearch.moc"
