// Workbooks from the screens: the export dialogs save the grid as .xlsx, .ods or .xls, with the
// columns the user chose and kept; the lists save the records behind their lines; a failure keeps
// the earlier file and says so.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "OdsCells.h"
#include "TestFiles.h"
#include "WritesFail.h"

#include "exporting/SheetExport.h"
#include "ui/exporting/ColumnChoiceDialog.h"
#include "ui/exporting/SheetExportDialog.h"
#include "ui/registry/MemberCardScreen.h"
#include "ui/registry/MemberExpiryDialog.h"
#include "ui/registry/MemberListPanel.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QListWidget>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(ALMAVEST_TEST_DATA "/") + QLatin1String(name);
}

QStringList headingsOf(const QList<int> &columns)
{
    QStringList headings;
    for (const int column : columns)
        headings.append(exporting::memberSheet().heading(column));
    return headings;
}

} // namespace

class TestWorkbookDialogs final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void exportSavesTheFormatChosen_data();
    void exportSavesTheFormatChosen();
    void chosenColumnsAreKeptAndUsed();
    void columnsMoveWithinTheList();
    void noColumnIsRefused();
    void choiceThatCannotBeKeptHoldsForTheSession();
    void failedSaveKeepsTheEarlierFile();
    void listSavesTheRecordsBehindItsLines();
    void emptyListSavesNothing();

private:
    QString file(const QString &name) const { return m_fixture->file(name); }
    // Opens the member export; `drive` acts on it while it is open.
    void withMemberExport(const std::function<void(ui::SheetExportDialog &)> &drive);
    // Clicks Colonne on `dialog`; `drive` acts on the column choice while it is open and gives
    // its result.
    void withColumnChoice(
        ui::SheetExportDialog &dialog, const std::function<int(ui::ColumnChoiceDialog &)> &drive);

    std::unique_ptr<AppFixture> m_fixture;
};

void TestWorkbookDialogs::init()
{
    m_fixture = std::make_unique<AppFixture>();
    QVERIFY(writeBytes(file(u"Soci.pro"_s), fileBytes(fixture("members.pro"))));
    m_fixture->openMemberCard();
}

void TestWorkbookDialogs::withMemberExport(
    const std::function<void(ui::SheetExportDialog &)> &drive)
{
    bool ran = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        drive(dynamic_cast<ui::SheetExportDialog &>(dialog));
        ran = true;
        return int(QDialog::Rejected);
    });
    control<QAbstractButton>(m_fixture->app().memberCardScreen(), "btnEsporta")->click();
    QVERIFY(ran);
}

void TestWorkbookDialogs::withColumnChoice(
    ui::SheetExportDialog &dialog, const std::function<int(ui::ColumnChoiceDialog &)> &drive)
{
    bool ran = false;
    m_fixture->services.onNextDialog([&](QDialog &choice) {
        ran = true;
        return drive(dynamic_cast<ui::ColumnChoiceDialog &>(choice));
    });
    control<QAbstractButton>(&dialog, "cmdColonne")->click();
    QVERIFY(ran);
}

void TestWorkbookDialogs::exportSavesTheFormatChosen_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("xlsx") << u"Elenco & <soci>.xlsx"_s << u"Elenco & <soci>.xlsx"_s;
    QTest::newRow("ods") << u"Soci.ODS"_s << u"Soci.ODS"_s;
    QTest::newRow("xls") << u"Soci [DATE].xls"_s << u"Soci [DATE].xls"_s;
    QTest::newRow("no suffix") << u"Soci"_s << u"Soci.xlsx"_s;
}

void TestWorkbookDialogs::exportSavesTheFormatChosen()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    withMemberExport([&](ui::SheetExportDialog &dialog) {
        m_fixture->services.answerNextSaveFile(file(chosen));
        m_fixture->services.answerNextQuestion(true);
        control<QAbstractButton>(&dialog, "cmdFoglio")->click();
    });
    RecordingServices &services = m_fixture->services;
    QCOMPARE(services.fileDialogTitles, QStringList {u"Salva come foglio di calcolo"_s});
    QCOMPARE(services.proposedNames, QStringList {file(u"Riepilogo Soci.xlsx"_s)});
    QCOMPARE(services.lastMessage(),
        u"Il foglio di calcolo "_s + QDir::toNativeSeparators(file(written))
            + u" è stato salvato.\r\n\r\nSi vuole aprirlo adesso?"_s);
    QCOMPARE(services.openedFiles, QStringList {file(written)});
    const QByteArray bytes = fileBytes(file(written));
    if (written.endsWith(u".xls"_s)) {
        // Every column, as the export writes it.
        exporting::SheetRows rows;
        QVERIFY(exporting::readSheetRows(exporting::memberSheet(), file(u"Soci.pro"_s), rows));
        QCOMPARE(bytes, exporting::sheetDocument(exporting::memberSheet(), rows));
    } else if (written.endsWith(u".ODS"_s)) {
        const QList<QStringList> cells = odsCells(file(written));
        QCOMPARE(cells.size(), 3);
        QCOMPARE(cells.first(), headingsOf(exporting::validColumns(exporting::memberSheet(), {})));
    } else {
        QVERIFY(bytes.startsWith("PK\x03\x04"));
        QVERIFY(!zipEntry(file(written), "xl/worksheets/sheet1.xml").isEmpty());
    }
}

void TestWorkbookDialogs::chosenColumnsAreKeptAndUsed()
{
    QStringList shownAgain;
    withMemberExport([&](ui::SheetExportDialog &dialog) {
        withColumnChoice(dialog, [](ui::ColumnChoiceDialog &choice) {
            auto *list = control<QListWidget>(&choice, "lstColonne");
            // Name, town and postal code; the postal code moved up past the province and town.
            for (int row = 0; row < list->count(); ++row) {
                list->item(row)->setCheckState(
                    row == 0 || row == 8 || row == 10 ? Qt::Checked : Qt::Unchecked);
            }
            list->setCurrentRow(10);
            control<QAbstractButton>(&choice, "cmdSu")->click();
            control<QAbstractButton>(&choice, "cmdSu")->click();
            choice.accept();
            return choice.result();
        });
        withColumnChoice(dialog, [&](ui::ColumnChoiceDialog &choice) {
            auto *list = control<QListWidget>(&choice, "lstColonne");
            for (int row = 0; row < 4; ++row)
                shownAgain.append(list->item(row)->text() + u':'
                    + (list->item(row)->checkState() == Qt::Checked ? u'x' : u' '));
            return int(QDialog::Rejected);
        });
        m_fixture->services.answerNextSaveFile(file(u"Soci.ods"_s));
        m_fixture->services.answerNextQuestion(false);
        control<QAbstractButton>(&dialog, "cmdFoglio")->click();
    });
    const QList<int> chosen {0, 10, 8};
    QCOMPARE(fileBytes(file(u"Esporta.ini"_s)), QByteArray("[Soci]\r\nColonne=1,11,9\r\n"));
    QCOMPARE(exporting::loadChosenColumns(m_fixture->folder(), exporting::memberSheet()), chosen);
    const QStringList headings = headingsOf(chosen);
    QCOMPARE(shownAgain,
        (QStringList {headings.at(0) + u":x"_s, headings.at(1) + u":x"_s, headings.at(2) + u":x"_s,
            exporting::memberSheet().heading(1) + u": "_s}));
    const QList<QStringList> cells = odsCells(file(u"Soci.ods"_s));
    QCOMPARE(cells.size(), 3);
    QCOMPARE(cells.first(), headings);
    QCOMPARE(cells.at(1).size(), 3);
}

// The first column does not move up, nor the last one down.
void TestWorkbookDialogs::columnsMoveWithinTheList()
{
    int rowAfterMove = -1;
    int lastRow = -2;
    withMemberExport([&](ui::SheetExportDialog &dialog) {
        withColumnChoice(dialog, [&](ui::ColumnChoiceDialog &choice) {
            auto *list = control<QListWidget>(&choice, "lstColonne");
            const int last = list->count() - 1;
            list->setCurrentRow(0);
            control<QAbstractButton>(&choice, "cmdSu")->click();
            list->setCurrentRow(last);
            control<QAbstractButton>(&choice, "cmdGiu")->click();
            list->setCurrentRow(last - 1);
            control<QAbstractButton>(&choice, "cmdGiu")->click();
            rowAfterMove = list->currentRow();
            lastRow = last;
            choice.accept();
            return choice.result();
        });
    });
    QCOMPARE(rowAfterMove, lastRow);
    QList<int> expected = exporting::validColumns(exporting::memberSheet(), {});
    expected.swapItemsAt(expected.size() - 1, expected.size() - 2);
    QCOMPARE(exporting::loadChosenColumns(m_fixture->folder(), exporting::memberSheet()), expected);
}

void TestWorkbookDialogs::noColumnIsRefused()
{
    bool stayedOpen = false;
    withMemberExport([&](ui::SheetExportDialog &dialog) {
        withColumnChoice(dialog, [&](ui::ColumnChoiceDialog &choice) {
            auto *list = control<QListWidget>(&choice, "lstColonne");
            for (int row = 0; row < list->count(); ++row)
                list->item(row)->setCheckState(Qt::Unchecked);
            choice.setVisible(true);
            control<QDialogButtonBox>(&choice, "cmdConferma")
                ->button(QDialogButtonBox::Ok)
                ->click();
            stayedOpen = choice.isVisible();
            return int(QDialog::Rejected);
        });
    });
    QVERIFY(stayedOpen);
    QCOMPARE(m_fixture->services.lastMessage(),
        u"Attenzione: spuntare almeno una colonna da salvare."_s);
    QVERIFY(!QFile::exists(file(u"Esporta.ini"_s)));
}

// A choice file that cannot be read is not overwritten; the choice holds while the dialog is open.
void TestWorkbookDialogs::choiceThatCannotBeKeptHoldsForTheSession()
{
    QVERIFY(QDir(m_fixture->folder()).mkdir(u"Esporta.ini"_s));
    withMemberExport([&](ui::SheetExportDialog &dialog) {
        withColumnChoice(dialog, [](ui::ColumnChoiceDialog &choice) {
            auto *list = control<QListWidget>(&choice, "lstColonne");
            for (int row = 1; row < list->count(); ++row)
                list->item(row)->setCheckState(Qt::Unchecked);
            choice.accept();
            return choice.result();
        });
        QVERIFY(m_fixture->services.lastMessage().startsWith(
            u"Attenzione: non è stato possibile conservare la scelta delle colonne"_s));
        m_fixture->services.answerNextSaveFile(file(u"Soci.ods"_s));
        m_fixture->services.answerNextQuestion(false);
        control<QAbstractButton>(&dialog, "cmdFoglio")->click();
    });
    QCOMPARE(odsCells(file(u"Soci.ods"_s)).first(), headingsOf({0}));
    QVERIFY(QFileInfo(file(u"Esporta.ini"_s)).isDir());
}

void TestWorkbookDialogs::failedSaveKeepsTheEarlierFile()
{
    QVERIFY(writeBytes(file(u"Soci.xlsx"_s), "the workbook of yesterday"));
    withMemberExport([&](ui::SheetExportDialog &dialog) {
        m_fixture->services.answerNextSaveFile(file(u"Soci.xlsx"_s));
        WritesFail full(100);
        control<QAbstractButton>(&dialog, "cmdFoglio")->click();
    });
    const QList<ShownMessage> &shown = m_fixture->services.messages;
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().kind, ui::MessageKind::Error);
    QVERIFY(shown.first().text.startsWith(u"Attenzione: non è stato possibile salvare il foglio "
                                          "di calcolo "_s
        + QDir::toNativeSeparators(file(u"Soci.xlsx"_s))));
    QVERIFY(shown.first().text.contains(u"Il file supera la dimensione massima"_s));
    QCOMPARE(fileBytes(file(u"Soci.xlsx"_s)), QByteArray("the workbook of yesterday"));
    QVERIFY(m_fixture->services.openedFiles.isEmpty());
    QCOMPARE(QDir(m_fixture->folder()).entryList({u"Soci*"_s}, QDir::Files | QDir::Hidden),
        (QStringList {u"Soci.pro"_s, u"Soci.xlsx"_s}));
}

void TestWorkbookDialogs::listSavesTheRecordsBehindItsLines()
{
    QVERIFY(QFile::remove(file(u"Soci.pro"_s)));
    writeMembers(file(u"Soci.pro"_s),
        {sampleMember(u"Scaduto ieri"_s, u"09/12/2026"_s),
            sampleMember(u"In regola"_s, u"31/12/2027"_s),
            sampleMember(u"Scaduto da anni"_s, u"01/01/2020"_s)});
    const QList<int> chosen {0, 15}; // name and expiry
    QVERIFY(exporting::saveChosenColumns(m_fixture->folder(), exporting::memberSheet(), chosen));
    bool offered = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        auto &summary = dynamic_cast<ui::MemberExpiryDialog &>(dialog);
        offered = summary.list()->workbookButton()->isVisibleTo(&summary);
        m_fixture->services.answerNextSaveFile(file(u"Scaduti.ods"_s));
        m_fixture->services.answerNextQuestion(false);
        summary.list()->workbookButton()->click();
        return int(QDialog::Rejected);
    });
    control<QAbstractButton>(m_fixture->app().memberCardScreen(), "btnScaduti")->click();
    QVERIFY(offered);
    QCOMPARE(m_fixture->services.proposedNames,
        QStringList {file(u"Riepilogo soci con iscrizione scaduta.xlsx"_s)});
    QCOMPARE(odsCells(file(u"Scaduti.ods"_s)),
        (QList<QStringList> {headingsOf(chosen), {u"Scaduto ieri"_s, u"2026-12-09"_s},
            {u"Scaduto da anni"_s, u"2020-01-01"_s}}));
    // The list's name, cut to what a sheet's name may hold.
    QVERIFY(zipEntry(file(u"Scaduti.ods"_s), "content.xml")
                .contains("table:name=\"Riepilogo soci con iscrizione s\""));
}

void TestWorkbookDialogs::emptyListSavesNothing()
{
    QVERIFY(QFile::remove(file(u"Soci.pro"_s)));
    writeMembers(file(u"Soci.pro"_s), {sampleMember(u"In regola"_s, u"31/12/2027"_s)});
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        dynamic_cast<ui::MemberExpiryDialog &>(dialog).list()->workbookButton()->click();
        return int(QDialog::Rejected);
    });
    control<QAbstractButton>(m_fixture->app().memberCardScreen(), "btnScaduti")->click();
    QCOMPARE(m_fixture->services.lastMessage(),
        u"L'elenco è vuoto: non c'è nulla da salvare nel foglio di calcolo."_s);
    QVERIFY(m_fixture->services.fileDialogTitles.isEmpty());
}

QTEST_MAIN(TestWorkbookDialogs)
#include "tst_workbookdialogs.moc"
