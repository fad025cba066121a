// The two expiry summaries from the member card, with today fixed at 10/12/2026.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "PageModel.h"

#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "ui/registry/MemberCardScreen.h"
#include "ui/registry/MemberExpiryDialog.h"
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

QStringList card(const QString &name, const QString &expiry, const QString &notice)
{
    QStringList values = sampleMember(name, expiry);
    values[registry::NoticeDays] = notice;
    return values;
}

} // namespace

class TestExpirySummaries final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void listsByRule_data();
    void listsByRule();
    void emptyArchive_data();
    void emptyArchive();
    void unreadableArchiveIsReported_data();
    void unreadableArchiveIsReported();
    void choosingALineOpensItsCard_data();
    void choosingALineOpensItsCard();
    void closingEmptiesTheList_data();
    void closingEmptiesTheList();
    void printsWithItsTitle_data();
    void printsWithItsTitle();

private:
    // Opens the summary behind `button` on the card; `drive` acts on it while it is open.
    void withSummary(
        const char *button, const std::function<void(ui::MemberExpiryDialog &)> &drive);

    std::unique_ptr<AppFixture> m_fixture;
};

void TestExpirySummaries::init()
{
    m_fixture = std::make_unique<AppFixture>();
    m_fixture->openMemberCard();
}

void TestExpirySummaries::withSummary(
    const char *button, const std::function<void(ui::MemberExpiryDialog &)> &drive)
{
    bool ran = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        drive(dynamic_cast<ui::MemberExpiryDialog &>(dialog));
        ran = true;
        return dialog.result();
    });
    control<QAbstractButton>(m_fixture->app().memberCardScreen(), button)->click();
    QVERIFY(ran);
}

void TestExpirySummaries::listsByRule_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("expired") << "btnScaduti"
                             << " Riepilogo soci con iscrizione scaduta"
                             << QStringList {u"Scaduto ieri"_s, u"Dopo la scheda illeggibile"_s};
    QTest::newRow("expiring or expired")
        << "btnScadenze"
        << " Riepilogo soci con iscrizione in scadenza o scaduta"
        << QStringList {u"Scaduto ieri"_s, u"Scade oggi"_s, u"Preavviso da oggi"_s,
               u"Dopo la scheda illeggibile"_s};
}

// A card whose expiry cannot be read is passed over; the cards after it are still listed.
void TestExpirySummaries::listsByRule()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QStringList, names);
    writeMembers(m_fixture->file(QStringLiteral("Soci.pro")),
        {card(QStringLiteral("Scaduto ieri"), QStringLiteral("09/12/2026"), QStringLiteral("0")),
            card(QStringLiteral("Scade oggi"), QStringLiteral("10/12/2026"), QStringLiteral("0")),
            card(QStringLiteral("Preavviso da oggi"), QStringLiteral("20/12/2026"),
                QStringLiteral("10")),
            card(QStringLiteral("Preavviso da domani"), QStringLiteral("20/12/2026"),
                QStringLiteral("9")),
            card(QStringLiteral("Data illeggibile"), QStringLiteral("31/02/2026"),
                QStringLiteral("0")),
            card(QStringLiteral("Dopo la scheda illeggibile"), QStringLiteral("01/01/2020"),
                QStringLiteral("0"))});
    withSummary(button.toLatin1().constData(), [&](ui::MemberExpiryDialog &dialog) {
        QCOMPARE(dialog.windowTitle(), caption);
        QStringList listed;
        for (const QString &line : dialog.list()->lines())
            listed.append(line.left(30).trimmed());
        QCOMPARE(listed, names);
        QCOMPARE(control<QListView>(&dialog, "lstRecords")->currentIndex().row(), 0);
    });
    QVERIFY(m_fixture->services.messages.isEmpty());
}

void TestExpirySummaries::emptyArchive_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("expired") << "btnScaduti";
    QTest::newRow("expiring") << "btnScadenze";
}

void TestExpirySummaries::emptyArchive()
{
    QFETCH(QString, button);
    withSummary(button.toLatin1().constData(), [&](ui::MemberExpiryDialog &dialog) {
        QVERIFY(dialog.list()->lines().isEmpty());
        control<QLineEdit>(&dialog, "txtTrova")->setText(QStringLiteral("rossi"));
        control<QPushButton>(&dialog, "btnTrova")->click();
    });
    QCOMPARE(m_fixture->services.lastMessage(),
        QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void TestExpirySummaries::unreadableArchiveIsReported_data()
{
    emptyArchive_data();
}

// An archive that cannot be read must not look like "nobody has expired": the archive access
// message is shown, and no list.
void TestExpirySummaries::unreadableArchiveIsReported()
{
    QFETCH(QString, button);
    QVERIFY(QDir(m_fixture->folder()).mkdir(QStringLiteral("Soci.pro")));
    control<QAbstractButton>(m_fixture->app().memberCardScreen(), button.toLatin1().constData())
        ->click();
    QVERIFY(m_fixture->services.dialogsShown.isEmpty());
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Error);
    QCOMPARE(m_fixture->services.lastMessage(), store::archiveAccessMessage());
}

void TestExpirySummaries::choosingALineOpensItsCard_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("how");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("cardNumber");
    QTest::newRow("expired, first of two equal lines")
        << "btnScaduti" << 0 << int(Pick::DoubleClick) << "2"
        << "GEMELLA 1";
    QTest::newRow("expired, second of two equal lines")
        << "btnScaduti" << 1 << int(Pick::Enter) << "3"
        << "GEMELLA 2";
    QTest::newRow("expiring, first of two equal lines")
        << "btnScadenze" << 0 << int(Pick::Enter) << "2"
        << "GEMELLA 1";
    QTest::newRow("expiring, last line") << "btnScadenze" << 2 << int(Pick::DoubleClick) << "4"
                                         << "ULTIMA";
}

// Each line opens its own card, even when two cards give the same line.
void TestExpirySummaries::choosingALineOpensItsCard()
{
    QFETCH(QString, button);
    QFETCH(int, row);
    QFETCH(int, how);
    QFETCH(QString, position);
    QFETCH(QString, cardNumber);
    const auto numbered = [](const QString &name, const QString &expiry, const QString &number) {
        QStringList values = card(name, expiry, QStringLiteral("0"));
        values[registry::CardNumber] = number;
        return values;
    };
    writeMembers(m_fixture->file(QStringLiteral("Soci.pro")),
        {numbered(u"Valido"_s, u"31/12/2030"_s, u"VALIDA"_s),
            numbered(u"Scaduto"_s, u"01/01/2025"_s, u"GEMELLA 1"_s),
            numbered(u"Scaduto"_s, u"01/01/2025"_s, u"GEMELLA 2"_s),
            numbered(u"Ultimo scaduto"_s, u"01/06/2026"_s, u"ULTIMA"_s)});
    withSummary(button.toLatin1().constData(), [&](ui::MemberExpiryDialog &dialog) {
        dialog.show();
        QCOMPARE(dialog.list()->lines().size(), 3);
        QCOMPARE(dialog.list()->lines().at(0), dialog.list()->lines().at(1));
        pickLine(control<QListView>(&dialog, "lstRecords"), row, Pick(how));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    });
    auto *screen = m_fixture->app().memberCardScreen();
    QCOMPARE(screen->lblPosizione()->text(), position);
    QCOMPARE(control<QLineEdit>(screen, "txtCittadinanza")->text(), cardNumber);
}

void TestExpirySummaries::closingEmptiesTheList_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("way");
    for (const char *button : {"btnScaduti", "btnScadenze"}) {
        QTest::addRow("%s, Chiudi", button) << button << int(Leave::Button);
        QTest::addRow("%s, Escape", button) << button << int(Leave::Escape);
        QTest::addRow("%s, window closed", button) << button << int(Leave::Close);
    }
}

void TestExpirySummaries::closingEmptiesTheList()
{
    QFETCH(QString, button);
    QFETCH(int, way);
    writeMembers(
        m_fixture->file(QStringLiteral("Soci.pro")), {card(u"Scaduto"_s, u"01/01/2025"_s, u"0"_s)});
    withSummary(button.toLatin1().constData(), [&](ui::MemberExpiryDialog &dialog) {
        dialog.show();
        QCOMPARE(dialog.list()->lines().size(), 1);
        leaveDialog(dialog, Leave(way));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(dialog.list()->lines().isEmpty());
    });
    QVERIFY(m_fixture->app().memberCardScreen()->lblPosizione()->text().isEmpty());
}

void TestExpirySummaries::printsWithItsTitle_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::newRow("expired") << "btnScaduti"
                             << "Riepilogo soci con iscrizione scaduta";
    QTest::newRow("expiring") << "btnScadenze"
                              << "Riepilogo soci con iscrizione in scadenza o scaduta";
}

void TestExpirySummaries::printsWithItsTitle()
{
    QFETCH(QString, button);
    QFETCH(QString, title);
    writeMembers(m_fixture->file(QStringLiteral("Soci.pro")),
        {card(QStringLiteral("Scaduto"), QStringLiteral("01/01/2025"), QStringLiteral("0"))});
    withSummary(button.toLatin1().constData(), [&](ui::MemberExpiryDialog &dialog) {
        control<QPushButton>(&dialog, "btnStampa")->click();
    });
    QCOMPARE(m_fixture->services.printed.size(), size_t(1));
    const QStringList texts = pageTexts(m_fixture->services.printed[0], 0);
    QVERIFY(texts.contains(title));
    QVERIFY(std::any_of(texts.begin(), texts.end(),
        [](const QString &t) { return t.startsWith(QStringLiteral("Scaduto ")); }));
}

QTEST_MAIN(TestExpirySummaries)
#include "tst_expirysummaries.moc"
