// Long scans over a large archive: the wait notice with its percentage, Escape and "Annulla",
// a second request while one runs, closing the window meanwhile, and the list at the end. The
// recording services hold every scan at a chosen share of its archive, so that nothing here
// depends on how fast the machine reads.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "TestFiles.h"

#include "ui/conventions/ScanRunner.h"
#include "ui/registry/MemberCardScreen.h"
#include "ui/registry/MemberListPanel.h"
#include "ui/registry/MemberSearchDialog.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

// Three cards, again and again: enough records for several progress reports.
constexpr int kRepeats = 3333;
// The report a held scan stops at: 4,096 of 9,999 records read.
constexpr int kHoldPercent = 40;

const QString kSearchNotice = u"Ricerca schede in corso. Attendere..."_s;

QStringList card(const QString &name, const QString &expiry)
{
    return sampleMember(name, expiry);
}

void writeLargeArchive(const QString &path)
{
    const QString three = path + u".three"_s;
    writeMembers(three,
        {card(u"Rossi Mario"_s, u"31/12/2027"_s), card(u"Verdi Luca"_s, u"01/01/2020"_s),
            card(u"Bianchi Anna"_s, u"31/12/2027"_s)});
    const QByteArray block = fileBytes(three);
    QVERIFY(!block.isEmpty());
    QVERIFY(QFile::remove(three));
    QVERIFY(writeBytes(path, block.repeated(kRepeats)));
}

QStringList names(const ui::MemberListPanel *list)
{
    QStringList found;
    for (const QString &line : list->lines())
        found.append(line.left(30).trimmed());
    found.removeDuplicates();
    return found;
}

} // namespace

class TestScans final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void searchShowsProgressAndFinishes();
    void cancelLeavesTheFiltersAndNoList_data();
    void cancelLeavesTheFiltersAndNoList();
    void secondSearchReplacesTheFirst();
    void closingDuringAScanStopsIt();
    void listOpenedAfterItsScan_data();
    void listOpenedAfterItsScan();
    void cancelledReadingOpensNothing_data();
    void cancelledReadingOpensNothing();
    void secondListRequestReplacesTheFirst();

private:
    // Runs the member search from the card; `drive` acts on it while it is open.
    void withSearch(const std::function<void(ui::MemberSearchDialog &)> &drive);
    void startSearch(ui::MemberSearchDialog &dialog, const QString &name);
    // Waits until a scan is held, with the notice showing the held percentage.
    void waitForHold(QLabel *notice, const QString &text);
    QWidget *card() { return m_fixture->app().memberCardScreen(); }

    std::unique_ptr<AppFixture> m_fixture;
};

void TestScans::init()
{
    m_fixture = std::make_unique<AppFixture>();
    writeLargeArchive(m_fixture->file(u"Soci.pro"_s));
    m_fixture->openMemberCard();
}

void TestScans::withSearch(const std::function<void(ui::MemberSearchDialog &)> &drive)
{
    bool ran = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        auto &search = dynamic_cast<ui::MemberSearchDialog &>(dialog);
        search.show();
        search.activateWindow();
        if (QTest::qWaitForWindowActive(&search))
            drive(search);
        ran = true;
        return dialog.result();
    });
    control<QAbstractButton>(card(), "btnTrova")->click();
    QVERIFY(ran);
}

void TestScans::startSearch(ui::MemberSearchDialog &dialog, const QString &name)
{
    control<QLineEdit>(&dialog, "txtDipendente")->setText(name);
    control<QPushButton>(&dialog, "btnCerca")->click();
}

void TestScans::waitForHold(QLabel *notice, const QString &text)
{
    QTRY_COMPARE(m_fixture->services.heldScans(), 1);
    QTRY_COMPARE(notice->text(), u"%1 %2%"_s.arg(text).arg(kHoldPercent));
    QVERIFY(notice->isVisible());
}

// While the scan is held the window goes on: the notice counts, the filters take typing; once
// released, the list shows every card found and the notice is back as it was.
void TestScans::searchShowsProgressAndFinishes()
{
    m_fixture->services.holdScansFrom(kHoldPercent);
    withSearch([&](ui::MemberSearchDialog &dialog) {
        auto *notice = control<QLabel>(&dialog, "lblAttendere");
        startSearch(dialog, u"verdi"_s);
        waitForHold(notice, kSearchNotice);
        QVERIFY(control<QPushButton>(&dialog, "btnAnnullaAttesa")->isVisible());
        auto *town = control<QLineEdit>(&dialog, "txtCitta");
        QTest::keyClicks(town, u"ro"_s);
        QCOMPARE(town->text(), u"ro"_s);

        m_fixture->services.releaseScans();
        waitForScan(&dialog);
        QCOMPARE(names(dialog.results()), QStringList {u"Verdi Luca"_s});
        QCOMPARE(dialog.results()->lines().size(), kRepeats);
        QCOMPARE(control<QLabel>(&dialog, "lblTrovate")->text(),
            u"Il presente riepilogo contiene %1 schede."_s.arg(kRepeats));
        QVERIFY(notice->isHidden());
        QCOMPARE(notice->text(), kSearchNotice);
        QVERIFY(control<QPushButton>(&dialog, "btnAnnullaAttesa")->isHidden());
        dialog.reject();
    });
    QVERIFY(m_fixture->services.messages.isEmpty());
}

void TestScans::cancelLeavesTheFiltersAndNoList_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape") << true;
    QTest::newRow("Annulla") << false;
}

// A cancel is not an error: no message, the filters as typed, no list, the dialog still open.
void TestScans::cancelLeavesTheFiltersAndNoList()
{
    QFETCH(bool, escape);
    m_fixture->services.holdScansFrom(kHoldPercent);
    withSearch([&](ui::MemberSearchDialog &dialog) {
        auto *notice = control<QLabel>(&dialog, "lblAttendere");
        startSearch(dialog, u"rossi"_s);
        waitForHold(notice, kSearchNotice);
        if (escape)
            QTest::keyClick(control<QLineEdit>(&dialog, "txtDipendente"), Qt::Key_Escape);
        else
            control<QPushButton>(&dialog, "btnAnnullaAttesa")->click();
        QTRY_COMPARE(m_fixture->services.heldScans(), 0);
        QVERIFY(dialog.isVisible());
        QVERIFY(notice->isHidden());
        QCOMPARE(notice->text(), kSearchNotice);
        QVERIFY(control<QWidget>(&dialog, "panAvvio")->isVisible());
        QCOMPARE(control<QLineEdit>(&dialog, "txtDipendente")->text(), u"rossi"_s);
        QVERIFY(dialog.results()->lines().isEmpty());

        // Escape with no scan running leaves the dialog as it always did.
        QTest::keyClick(control<QLineEdit>(&dialog, "txtDipendente"), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    });
    QVERIFY(m_fixture->services.messages.isEmpty());
}

// The first search is dropped at once: only the second one's cards reach the list.
void TestScans::secondSearchReplacesTheFirst()
{
    m_fixture->services.holdScansFrom(kHoldPercent);
    withSearch([&](ui::MemberSearchDialog &dialog) {
        auto *notice = control<QLabel>(&dialog, "lblAttendere");
        startSearch(dialog, u"rossi"_s);
        waitForHold(notice, kSearchNotice);
        startSearch(dialog, u"bianchi"_s);
        waitForHold(notice, kSearchNotice);
        m_fixture->services.releaseScans();
        waitForScan(&dialog);
        QCOMPARE(names(dialog.results()), QStringList {u"Bianchi Anna"_s});
        QCOMPARE(dialog.results()->lines().size(), kRepeats);
        dialog.reject();
    });
}

// Leaving the window stops its scan; the card behind it keeps what was typed on it.
void TestScans::closingDuringAScanStopsIt()
{
    auto *name = control<QLineEdit>(card(), "txtDipendente");
    name->setText(u"Typed, not saved"_s);
    m_fixture->services.holdScansFrom(kHoldPercent);
    withSearch([&](ui::MemberSearchDialog &dialog) {
        startSearch(dialog, u"rossi"_s);
        waitForHold(control<QLabel>(&dialog, "lblAttendere"), kSearchNotice);
        leaveDialog(dialog, Leave::Close);
        QCOMPARE(m_fixture->services.heldScans(), 0);
        QVERIFY(control<QLabel>(&dialog, "lblAttendere")->isHidden());
        QVERIFY(!dialog.findChild<ui::ScanRunner *>()->isRunning());
    });
    QCOMPARE(name->text(), u"Typed, not saved"_s);
    QVERIFY(m_fixture->services.messages.isEmpty());
}

void TestScans::listOpenedAfterItsScan_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("found");
    QTest::newRow("expired") << u"btnScaduti"_s << u"Verdi Luca"_s;
    QTest::newRow("expiring") << u"btnScadenze"_s << u"Verdi Luca"_s;
}

// A list whose window has no notice of its own is scanned over the card that opens it, behind
// the card's notice, and opens with every line once the scan is done.
void TestScans::listOpenedAfterItsScan()
{
    QFETCH(QString, button);
    QFETCH(QString, found);
    m_fixture->services.holdScansFrom(kHoldPercent);
    QStringList shown;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        shown = names(dialog.findChild<ui::MemberListPanel *>());
        return QDialog::Rejected;
    });
    bool held = false;
    QTimer::singleShot(0, this, [&] {
        auto *notice = control<QLabel>(card(), "lblAttesa");
        waitForHold(notice, u"Lettura dell'archivio in corso. Attendere..."_s);
        held = true;
        m_fixture->services.releaseScans();
    });
    control<QAbstractButton>(card(), button.toLatin1().constData())->click();
    QVERIFY(held);
    QCOMPARE(shown, QStringList {found});
    QVERIFY(!control<QLabel>(card(), "lblAttesa")->isVisible());
}

void TestScans::cancelledReadingOpensNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("escape");
    QTest::newRow("expired, Escape") << u"btnScaduti"_s << true;
    QTest::newRow("expiring, Annulla") << u"btnScadenze"_s << false;
    QTest::newRow("export, Escape") << u"btnEsporta"_s << true;
    QTest::newRow("export, Annulla") << u"btnEsporta"_s << false;
}

// Cancelled over the card: no list or export grid opens, nothing is said, the card stays.
void TestScans::cancelledReadingOpensNothing()
{
    QFETCH(QString, button);
    QFETCH(bool, escape);
    m_fixture->services.holdScansFrom(kHoldPercent);
    bool held = false;
    QTimer::singleShot(0, this, [&] {
        waitForHold(control<QLabel>(card(), "lblAttesa"),
            u"Lettura dell'archivio in corso. Attendere..."_s);
        held = true;
        if (escape)
            QTest::keyClick(card(), Qt::Key_Escape);
        else
            control<QPushButton>(card(), "btnAnnullaAttesa")->click();
    });
    control<QAbstractButton>(card(), button.toLatin1().constData())->click();
    QVERIFY(held);
    QCOMPARE(m_fixture->services.heldScans(), 0);
    QVERIFY(m_fixture->services.dialogsShown.isEmpty());
    QVERIFY(m_fixture->services.messages.isEmpty());
    QVERIFY(!control<QLabel>(card(), "lblAttesa")->isVisible());
    QVERIFY(card()->isVisible());
}

// A second list asked for while the first is read replaces it: only the second one opens.
void TestScans::secondListRequestReplacesTheFirst()
{
    m_fixture->services.holdScansFrom(kHoldPercent);
    m_fixture->services.onNextDialog([](QDialog &) { return QDialog::Rejected; });
    bool secondHeld = false;
    QTimer::singleShot(0, this, [&] {
        QTRY_COMPARE(m_fixture->services.heldScans(), 1);
        QTimer::singleShot(0, this, [&] {
            QTRY_COMPARE(m_fixture->services.heldScans(), 1);
            secondHeld = true;
            m_fixture->services.releaseScans();
        });
        control<QAbstractButton>(card(), "btnScaduti")->click();
    });
    control<QAbstractButton>(card(), "btnScadenze")->click();
    QVERIFY(secondHeld);
    QCOMPARE(
        m_fixture->services.dialogsShown, QStringList {u"almavest::ui::ExpiredMembersDialog"_s});
}

QTEST_MAIN(TestScans)
#include "tst_scans.moc"
