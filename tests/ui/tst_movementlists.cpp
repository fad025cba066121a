// The due payments list of a year, with today fixed at 10/12/2026: what it lists, the movement
// behind each line, and an archive it cannot read.
#include "AppFixture.h"
#include "DialogDriving.h"

#include "journal/MovementRecord.h"
#include "store/ArchiveFile.h"
#include "ui/journal/DuePaymentsDialog.h"
#include "ui/registry/MemberListPanel.h"

#include <QDir>
#include <QListView>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

QStringList movement(const QString &purpose, const QString &due, const QString &notes = {},
    const QString &amount = u"0,00"_s)
{
    QStringList values = journal::blankMovement(QDate(2026, 1, 1));
    values[journal::Purpose] = purpose;
    values[journal::DueDate] = due;
    values[journal::Notes] = notes;
    values[journal::Amount] = amount;
    values[journal::SignedAmount] = journal::signedAmount(values);
    return values;
}

} // namespace

class TestMovementLists final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_fixture = std::make_unique<AppFixture>(); }
    void cleanup() { m_fixture.reset(); }
    void choosingALineGivesItsMovement_data();
    void choosingALineGivesItsMovement();
    void unreadableArchiveIsReported();
    void amountsStayInSight_data();
    void amountsStayInSight();

private:
    std::unique_ptr<AppFixture> m_fixture;
};

void TestMovementLists::choosingALineGivesItsMovement_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("how");
    QTest::addColumn<qint64>("position");
    QTest::newRow("first line") << 0 << int(Pick::DoubleClick) << qint64(4);
    QTest::newRow("first of two equal lines") << 1 << int(Pick::Enter) << qint64(2);
    QTest::newRow("second of two equal lines") << 2 << int(Pick::DoubleClick) << qint64(3);
}

// Each line gives its own movement, even when two movements give the same line.
void TestMovementLists::choosingALineGivesItsMovement()
{
    QFETCH(int, row);
    QFETCH(int, how);
    QFETCH(qint64, position);
    const QString path = m_fixture->file(u"2026.eur"_s);
    writeMovements(path,
        {movement(u"Futuro"_s, u"31/12/2027"_s), movement(u"Gemello"_s, u"01/01/2026"_s, u"1"_s),
            movement(u"Gemello"_s, u"01/01/2026"_s, u"2"_s),
            movement(u"Affitto"_s, u"10/12/2026"_s)});
    QStringList shown;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        shown = dynamic_cast<ui::DuePaymentsDialog &>(dialog).list()->lines();
        dialog.show();
        pickLine(control<QListView>(&dialog, "lstRecords"), row, Pick(how));
        return dialog.result();
    });
    const std::optional<qint64> chosen
        = ui::DuePaymentsDialog::choose(m_fixture->app().context(), nullptr, path);
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown.at(1), shown.at(2));
    QCOMPARE(chosen, std::optional<qint64>(position));
}

// An archive that cannot be read must not look like "nothing is due".
void TestMovementLists::unreadableArchiveIsReported()
{
    QVERIFY(QDir(m_fixture->folder()).mkdir(u"2026.eur"_s));
    QCOMPARE(ui::DuePaymentsDialog::choose(
                 m_fixture->app().context(), nullptr, m_fixture->file(u"2026.eur"_s)),
        std::nullopt);
    QVERIFY(m_fixture->services.dialogsShown.isEmpty());
    QCOMPARE(m_fixture->services.lastMessage(), store::archiveAccessMessage());
}

void TestMovementLists::amountsStayInSight_data()
{
    QTest::addColumn<double>("scroll");
    QTest::newRow("as it opens") << 0.0;
    QTest::newRow("scrolled halfway") << 0.5;
    QTest::newRow("scrolled to the end") << 1.0;
}

// Two payments that differ only in their amount look different at the width the list opens
// with, wherever it is scrolled: the amount at the end of the line is never out of sight.
void TestMovementLists::amountsStayInSight()
{
    QFETCH(double, scroll);
    const QString path = m_fixture->file(u"2026.eur"_s);
    writeMovements(path,
        {movement(u"Affitto"_s, u"10/12/2026"_s, {}, u"150,00"_s),
            movement(u"Affitto"_s, u"10/12/2026"_s, {}, u"160,00"_s)});
    bool different = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        dialog.show();
        different = linesLookDifferent(control<QListView>(&dialog, "lstRecords"), 0, 1, scroll);
        return QDialog::Rejected;
    });
    QCOMPARE(
        ui::DuePaymentsDialog::choose(m_fixture->app().context(), nullptr, path), std::nullopt);
    QVERIFY(different);
}

QTEST_MAIN(TestMovementLists)
#include "tst_movementlists.moc"
