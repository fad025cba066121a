// The two spreadsheet export dialogs opened from their cards: the grid, typing over its editable
// cells, the questions, the file written and opened, and the failures.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "TestFiles.h"
#include "WritesFail.h"

#include "ui/app/PasswordScreen.h"
#include "ui/exporting/SheetExportDialog.h"
#include "ui/exporting/SheetGridModel.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/registry/MemberCardScreen.h"

#include <QAbstractButton>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(ALMAVEST_TEST_DATA "/") + QLatin1String(name);
}

const QString kAskToExport
    = u"L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
      "schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?"_s;
const QString kAskToOpen = u"Le schede in archivio sono state esportate con successo.\r\n\r\n"
                           "Si vuole aprire il file di Excel?"_s;
const QString kExportFailed = u"Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                              "Accertarsi che il file di Excel non sia già aperto."_s;

// What was seen of the export dialog while it was open.
struct Seen
{
    QString className;
    QString title;
    QStringList headers;
    QStringList firstColumn; // column 0, top to bottom
    QList<int> editable; // the grid columns that take typing
    QString status;
};

Seen look(ui::SheetExportDialog &dialog)
{
    Seen seen {QString::fromLatin1(dialog.metaObject()->className()), dialog.windowTitle(), {}, {},
        {}, control<QLabel>(&dialog, "panInfo")->text()};
    QAbstractItemModel *model = dialog.grid()->model();
    for (int column = 0; column < model->columnCount(); ++column) {
        seen.headers.append(model->headerData(column, Qt::Horizontal).toString());
        if (model->flags(model->index(0, column)) & Qt::ItemIsEditable)
            seen.editable.append(column);
    }
    for (int row = 0; row < model->rowCount(); ++row)
        seen.firstColumn.append(model->index(row, 0).data().toString());
    return seen;
}

} // namespace

class TestSheetExportDialogs final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_fixture = std::make_unique<AppFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void memberExportWritesTheGridAsTyped();
    void movementExportFromTheYearShown();
    void emptyArchiveShowsTenEmptyRows();
    void answersDecideWhatHappens_data();
    void answersDecideWhatHappens();
    void failedWriteKeepsTheEarlierFile();
    void unreadableArchiveIsReported();
    void helpOpensTheExportTopic_data();
    void helpOpensTheExportTopic();

private:
    QString file(const char *name) const { return m_fixture->file(QLatin1String(name)); }
    // Clicks `button` on `screen`; the export dialog that opens goes to `handler`.
    void openExport(QWidget *screen, const char *button,
        const std::function<void(ui::SheetExportDialog &)> &handler);
    void openMemberExport(const std::function<void(ui::SheetExportDialog &)> &handler)
    {
        m_fixture->openMemberCard();
        openExport(m_fixture->app().memberCardScreen(), "btnEsporta", handler);
    }

    std::unique_ptr<AppFixture> m_fixture;
};

void TestSheetExportDialogs::openExport(QWidget *screen, const char *button,
    const std::function<void(ui::SheetExportDialog &)> &handler)
{
    bool opened = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        opened = true;
        auto *exporter = qobject_cast<ui::SheetExportDialog *>(&dialog);
        if (!exporter)
            qFatal("not an export dialog: %s", dialog.metaObject()->className());
        handler(*exporter);
        return int(QDialog::Rejected);
    });
    control<QAbstractButton>(screen, button)->click();
    QVERIFY(opened);
}

void TestSheetExportDialogs::memberExportWritesTheGridAsTyped()
{
    const QByteArray archive = fileBytes(fixture("members.pro"));
    QVERIFY(writeBytes(file("Soci.pro"), archive));
    Seen seen;
    openMemberExport([&](ui::SheetExportDialog &dialog) {
        seen = look(dialog);
        // Typing over the fee of the second member, the cell still open when Esporta is clicked.
        ui::SheetGrid *grid = dialog.grid();
        grid->setCurrentIndex(grid->model()->index(1, 3));
        grid->edit(grid->currentIndex());
        auto *editor = grid->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->selectAll();
        typeText(editor, u"30,00"_s);
        m_fixture->services.answerNextQuestion(true);
        m_fixture->services.answerNextQuestion(true);
        control<QAbstractButton>(&dialog, "cmdEsporta")->click();
    });
    QCOMPARE(seen.className, u"almavest::ui::MemberExportDialog"_s);
    QCOMPARE(seen.title, u" Esporta archivio soci in Microsoft Excel"_s);
    QCOMPARE(seen.status, u"Esportazione archivio in Microsoft Excel."_s);
    QCOMPARE(seen.headers.size(), 19);
    QCOMPARE(seen.headers.first(), u"N."_s);
    QCOMPARE(seen.headers.at(9), u"Città"_s);
    QCOMPARE(seen.headers.last(), u"E-mail"_s);
    QCOMPARE(seen.firstColumn, (QStringList {u"1"_s, u"2"_s}));
    QCOMPARE(seen.editable, (QList<int> {3, 5, 6, 11, 14, 16, 18}));

    QCOMPARE(fileBytes(file("Soci.xls")), fileBytes(fixture("members.xls")));
    QCOMPARE(fileBytes(file("Soci.pro")), archive); // the typing changed the file only
    QCOMPARE(m_fixture->services.openedFiles, QStringList {file("Soci.xls")});
    QCOMPARE(m_fixture->services.lastMessage(), kAskToOpen);
}

void TestSheetExportDialogs::movementExportFromTheYearShown()
{
    const QString journal = file("2024.eur");
    QVERIFY(writeBytes(journal, fileBytes(fixture("movements.eur"))));
    ui::MovementCardScreen *card = m_fixture->app().movementCardScreen();
    card->openYear(m_fixture->app().passwordScreen(), journal, u"2024"_s);
    Seen seen;
    QString typeOfSecond;
    QString amountOfSecond;
    openExport(card, "cmdEsporta", [&](ui::SheetExportDialog &dialog) {
        seen = look(dialog);
        QAbstractItemModel *model = dialog.grid()->model();
        typeOfSecond = model->index(1, 1).data().toString();
        amountOfSecond = model->index(1, 7).data().toString();
        QVERIFY(model->setData(model->index(0, 20), u"No"_s));
        QVERIFY(!model->setData(model->index(0, 3), u"Causale nuova"_s));
        m_fixture->services.answerNextQuestion(true);
        m_fixture->services.answerNextQuestion(false);
        control<QAbstractButton>(&dialog, "cmdEsporta")->click();
    });
    QCOMPARE(seen.className, u"almavest::ui::MovementExportDialog"_s);
    QCOMPARE(seen.title, u" Esporta archivio movimenti in Microsoft Excel"_s);
    QCOMPARE(seen.headers.size(), 21);
    QCOMPARE(seen.headers.at(7), u"Importo in euro"_s);
    QCOMPARE(seen.firstColumn, (QStringList {u"1"_s, u"2"_s, u"3"_s}));
    QCOMPARE(seen.editable, (QList<int> {18, 20}));
    QCOMPARE(typeOfSecond, u"Uscita"_s);
    QCOMPARE(amountOfSecond, u"-12,50"_s);

    const QByteArray written = fileBytes(file("Movimenti.xls"));
    QVERIFY(written.startsWith("<html xmlns:o="));
    QVERIFY(written.contains("<x:Name>Riepilogo annuale movimenti</x:Name>"));
    QCOMPARE(written.count("<tr>"), 4);
    // The first movement's settled flag as typed; its causale as stored.
    const QByteArray firstRow = written.mid(written.indexOf("<tr>", written.indexOf("</tr>")));
    QVERIFY(firstRow.left(firstRow.indexOf("</tr>"))
                .endsWith("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">No</td>"));
    QCOMPARE(fileBytes(journal), fileBytes(fixture("movements.eur")));
    QVERIFY(m_fixture->services.openedFiles.isEmpty());
}

void TestSheetExportDialogs::emptyArchiveShowsTenEmptyRows()
{
    Seen seen;
    openMemberExport([&](ui::SheetExportDialog &dialog) { seen = look(dialog); });
    QCOMPARE(seen.firstColumn, QStringList(10, QString()));
    QVERIFY(QFile::exists(file("Soci.pro")));
}

void TestSheetExportDialogs::answersDecideWhatHappens_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("opened");
    QTest::newRow("not now") << QList<bool> {false} << false << false;
    QTest::newRow("exported, not opened") << QList<bool> {true, false} << true << false;
    QTest::newRow("exported and opened") << QList<bool> {true, true} << true << true;
}

void TestSheetExportDialogs::answersDecideWhatHappens()
{
    QFETCH(QList<bool>, answers);
    QFETCH(bool, written);
    QFETCH(bool, opened);
    openMemberExport([&](ui::SheetExportDialog &dialog) {
        for (const bool answer : answers)
            m_fixture->services.answerNextQuestion(answer);
        control<QAbstractButton>(&dialog, "cmdEsporta")->click();
    });
    QStringList asked;
    for (const ShownMessage &shown : m_fixture->services.messages)
        asked.append(shown.text);
    const QStringList questions
        = written ? QStringList {kAskToExport, kAskToOpen} : QStringList {kAskToExport};
    QCOMPARE(asked, questions);
    QCOMPARE(QFile::exists(file("Soci.xls")), written);
    QCOMPARE(m_fixture->services.openedFiles.size(), opened ? 1 : 0);
}

void TestSheetExportDialogs::failedWriteKeepsTheEarlierFile()
{
    QVERIFY(writeBytes(file("Soci.xls"), "the export of yesterday"));
    openMemberExport([&](ui::SheetExportDialog &dialog) {
        m_fixture->services.answerNextQuestion(true);
        WritesFail full(100);
        control<QAbstractButton>(&dialog, "cmdEsporta")->click();
    });
    const QList<ShownMessage> &shown = m_fixture->services.messages;
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).text, kAskToExport);
    QVERIFY(shown.at(1).plain);
    // The program's words, then the system's own reason: the disk took no more.
    QCOMPARE(shown.at(1).text,
        kExportFailed + u"\n\r\n\rIl file supera la dimensione massima consentita dal sistema."_s);
    QCOMPARE(fileBytes(file("Soci.xls")), QByteArray("the export of yesterday"));
    QVERIFY(m_fixture->services.openedFiles.isEmpty());
    QCOMPARE(QDir(m_fixture->folder()).entryList({u"Soci*"_s}, QDir::Files | QDir::Hidden),
        (QStringList {u"Soci.pro"_s, u"Soci.xls"_s}));
}

void TestSheetExportDialogs::unreadableArchiveIsReported()
{
    QVERIFY(QDir(m_fixture->folder()).mkdir(u"Soci.pro"_s)); // unreadable, even to root
    m_fixture->openMemberCard();
    m_fixture->services.clear();
    control<QAbstractButton>(m_fixture->app().memberCardScreen(), "btnEsporta")->click();
    QVERIFY(m_fixture->services.dialogsShown.isEmpty());
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Error);
    QVERIFY(!QFile::exists(file("Soci.xls")));
}

void TestSheetExportDialogs::helpOpensTheExportTopic_data()
{
    QTest::addColumn<bool>("movements");
    QTest::addColumn<QString>("title");
    QTest::newRow("members") << false << u"Esportazione archivio soci in Microsoft Excel."_s;
    QTest::newRow("movements") << true << u"Esportazione archivio movimenti in Microsoft Excel."_s;
}

void TestSheetExportDialogs::helpOpensTheExportTopic()
{
    QFETCH(bool, movements);
    QFETCH(QString, title);
    QString shown;
    const auto askHelp = [&](ui::SheetExportDialog &dialog) {
        m_fixture->services.onNextDialog([&](QDialog &help) {
            shown = control<QLabel>(&help, "lblTitolo")->text();
            return int(QDialog::Rejected);
        });
        control<QAbstractButton>(&dialog, "cmdGuida")->click();
    };
    if (movements) {
        ui::MovementCardScreen *card = m_fixture->app().movementCardScreen();
        card->openYear(m_fixture->app().passwordScreen(), file("2024.eur"), u"2024"_s);
        openExport(card, "cmdEsporta", askHelp);
    } else {
        openMemberExport(askHelp);
    }
    QCOMPARE(shown, title);
}

QTEST_MAIN(TestSheetExportDialogs)
#include "tst_sheetexportdialogs.moc"
