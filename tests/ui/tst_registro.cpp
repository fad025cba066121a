// The book page screen driven as a secretary would: opening a book, typing and saving pages,
// browsing, new page, duplicate, the required fields and the typing rules of the rows.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "GoldenRecords.h"
#include "TestFiles.h"
#include "WritesFail.h"

#include "book/PageRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "ui/app/Launcher.h"
#include "ui/app/PasswordScreen.h"
#include "ui/book/BookPageScreen.h"
#include "ui/dialogs/DatePicker.h"

#include <QCalendarWidget>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QToolButton>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;
using book::rowField;
using ui::MessageKind;

namespace {

const QString kEmptyArchive = u"L'archivio non contiene nessuna scheda."_s;
const QString kInserted = u"La scheda corrente è stata inserita in archivio."_s;
const QString kSaved
    = u"Le modifiche apportate alla scheda corrente sono state salvate in archivio."_s;

QByteArray fixturePages()
{
    return fileBytes(QStringLiteral(ALMAVEST_TEST_DATA "/pages.lib"));
}

// The five fields a page needs to be saved, on an otherwise empty page.
QStringList minimalPage(const QString &member)
{
    QStringList values(book::kPageFieldCount);
    values[book::BookNumber] = u"7"_s;
    values[book::Association] = u"Circolo Culturale Il Faro"_s;
    values[book::AssociationTaxCode] = u"90011122233"_s;
    values[rowField(book::RowA, book::Order)] = u"1"_s;
    values[rowField(book::RowA, book::MemberName)] = member;
    return values;
}

} // namespace

class TestRegistro final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_fixture = std::make_unique<AppFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void opensOnTheLastPage();
    void typedPageIsWrittenAsTheLayoutSays();
    void newPageKeepsTheBookLevelFields();
    void saveRefusesInOrder_data();
    void saveRefusesInOrder();
    void typingRulesOfTheBoxes_data();
    void typingRulesOfTheBoxes();
    void dateFieldsGoThroughThePicker();
    void unreadableBookIsReported();
    void rowBoxesAreRecolouredWhileFocused();
    void hintsGoToTheStatusLine_data();
    void hintsGoToTheStatusLine();
    void codeButtonOpensTheVatCheckForDigits();
    void closingReturnsToTheLauncher();
    void importFillsOnlyItsRow_data();
    void importFillsOnlyItsRow();
    void pageSearchShowsThePageChosen();

private:
    ui::BookPageScreen *screen() { return m_fixture->app().bookPageScreen(); }
    QLineEdit *box(int field) { return screen()->box(field); }
    QLineEdit *box(const char *name) { return control<QLineEdit>(screen(), name); }
    QAbstractButton *button(const char *name) { return control<QAbstractButton>(screen(), name); }
    QString shownPosition() { return screen()->lblPosizione()->text(); }
    QString bookFile() const { return m_fixture->file(u"Soci 2026.lib"_s); }
    // Opens the book file, after writing `pages` of the fixture into it (-1: none, no file).
    void openBook(int pages = -1);
    void showPage(const QStringList &values);
    // Answers the next date picker with `date`, or leaves it with Annulla; returns the mode word
    // it was opened with.
    void answerPicker(std::optional<QDate> date, QString *modeWord = nullptr);
    QList<QStringList> storedPages();

    std::unique_ptr<AppFixture> m_fixture;
};

void TestRegistro::openBook(int pages)
{
    if (pages >= 0)
        QVERIFY(writeBytes(bookFile(), fixturePages().left(pages * book::kPageRecordSize)));
    screen()->openBook(m_fixture->app().passwordScreen(), bookFile(), u"Soci 2026"_s);
    QVERIFY(screen()->isVisible());
    screen()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen()));
}

void TestRegistro::showPage(const QStringList &values)
{
    for (int field = 0; field < book::File1; ++field)
        box(field)->setText(values.value(field));
}

void TestRegistro::answerPicker(std::optional<QDate> date, QString *modeWord)
{
    m_fixture->services.onNextDialog([date, modeWord](QDialog &dialog) {
        auto &picker = dynamic_cast<ui::DatePicker &>(dialog);
        if (modeWord)
            *modeWord = picker.lblMemory()->text();
        if (!date) {
            control<QPushButton>(&dialog, "btnAnnulla")->click();
            return dialog.result();
        }
        picker.calendar()->setSelectedDate(*date);
        control<QPushButton>(&dialog, "btnImportaData")->click();
        return dialog.result();
    });
}

QList<QStringList> TestRegistro::storedPages()
{
    QList<QStringList> pages;
    store::ArchiveFile archive(bookFile(), book::kPageRecordSize);
    if (!archive.openForReading())
        return pages;
    const bool read = archive.scan([&](qint64, QByteArrayView bytes) {
        pages.append(book::pageLayout().fields(bytes));
        return true;
    });
    if (!read)
        QTest::qFail("cannot read the book", __FILE__, __LINE__);
    return pages;
}

void TestRegistro::opensOnTheLastPage()
{
    // Three whole pages and the incomplete tail of a fourth, which is not a page.
    QVERIFY(writeBytes(bookFile(), fixturePages()));
    openBook();
    QCOMPARE(shownPosition(), u"3"_s);
    QCOMPARE(screen()->values(), goldenPage3());
    QCOMPARE(screen()->lblNome()->text(), u"Soci 2026"_s);
    QCOMPARE(screen()->windowTitle(), u" Almavest - Compilazione Libro Soci"_s);
    QCOMPARE(control<QLabel>(screen(), "panInfo")->text(),
        u"Pronto per archiviare una nuova scheda..."_s);
    QCOMPARE(QApplication::focusWidget(), box("txtOrdine_A"));
    QVERIFY(m_fixture->services.messages.isEmpty());
}

// Every box typed along the Enter chain, the dates through the picker; the page written must be
// the fixture's page 2, byte for byte, as an independent writer laid it out.
void TestRegistro::typedPageIsWrittenAsTheLayoutSays()
{
    openBook();
    const QStringList page = goldenPage2();
    box(book::BookNumber)->setFocus();
    for (int field = 0; field < book::File1; ++field) {
        QLineEdit *current = box(field);
        QCOMPARE(QApplication::focusWidget(), current);
        if (book::pageTable().field(field).kind == store::ControlKind::Date) {
            if (!page[field].isEmpty()) {
                answerPicker(QDate::fromString(page[field], u"dd/MM/yyyy"_s));
                QTest::keyClick(current, Qt::Key_Return);
            }
            QCOMPARE(QApplication::focusWidget(), current);
            box(field + 1)->setFocus();
            continue;
        }
        typeText(current, page[field]);
        QTest::keyClick(current, Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget(), box(book::BookNumber));
    // The attachments dialog writes the hidden labels.
    control<QLabel>(screen(), "lblFile01")->setText(page[book::File1]);
    control<QLabel>(screen(), "lblDesc01")->setText(page[book::Desc1]);

    button("cmdSalva")->click();
    QCOMPARE(m_fixture->services.lastMessage(), kInserted);
    QCOMPARE(shownPosition(), u"1"_s);
    const QByteArray expected = fixturePages().mid(book::kPageRecordSize, book::kPageRecordSize);
    QCOMPARE(fileBytes(bookFile()).toHex(), expected.toHex());
}

void TestRegistro::newPageKeepsTheBookLevelFields()
{
    openBook(3);
    const QStringList shown = screen()->values();
    button("cmdNuovo")->click();
    QVERIFY(shownPosition().isEmpty());
    QCOMPARE(screen()->values(), book::newPage(shown));
    QCOMPARE(QApplication::focusWidget(), box("txtOrdine_A"));

    box("txtOrdine_A")->setText(u"40"_s);
    box("txtSocio_A")->setText(u"Gialli Marta"_s);
    button("cmdSalva")->click();
    QCOMPARE(m_fixture->services.lastMessage(), kInserted);
    QCOMPARE(shownPosition(), u"4"_s);
    const QList<QStringList> pages = storedPages();
    QCOMPARE(pages.size(), 4);
    QCOMPARE(pages[3].mid(0, 5), shown.mid(0, 5));
    QCOMPARE(pages[3][rowField(book::RowA, book::MemberName)], u"Gialli Marta"_s);
}

void TestRegistro::saveRefusesInOrder_data()
{
    QTest::addColumn<QList<int>>("emptied");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("focus");
    const QString lead = u"Attenzione: per salvare la scheda è necessario indicare "_s;
    const int order = rowField(book::RowA, book::Order);
    const int member = rowField(book::RowA, book::MemberName);
    QTest::newRow("all five") << QList<int> {0, 1, 2, order, member}
                              << lead + u"il numero del Libro Soci."_s << u"txtNumero"_s;
    QTest::newRow("association") << QList<int> {1, 2, order, member}
                                 << lead + u"la denominazione dell'Associazione."_s
                                 << u"txtDenominazione"_s;
    QTest::newRow("tax code") << QList<int> {2, member}
                              << lead + u"il codice fiscale dell'Associazione."_s
                              << u"txtCodFisc"_s;
    QTest::newRow("order number") << QList<int> {order, member}
                                  << lead + u"il numero d'ordine nella prima riga."_s
                                  << u"txtOrdine_A"_s;
    QTest::newRow("member name only")
        << QList<int> {member} << lead + u"il nome del socio nella prima riga."_s
        << u"txtSocio_A"_s;
}

void TestRegistro::saveRefusesInOrder()
{
    QFETCH(QList<int>, emptied);
    QFETCH(QString, warning);
    QFETCH(QString, focus);
    openBook();
    QStringList page = minimalPage(u"Verdi Giuseppe"_s);
    for (const int field : emptied)
        page[field] = u"   "_s; // blanks count as empty
    showPage(page);
    button("cmdSalva")->click();
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, MessageKind::Warning);
    QCOMPARE(m_fixture->services.lastMessage(), warning);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(fileBytes(bookFile()).size(), 0);
    QVERIFY(shownPosition().isEmpty());
}

void TestRegistro::typingRulesOfTheBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("association tax code") << u"txtCodFisc"_s << u" 92-01.2ab"_s << u"92012AB"_s;
    QTest::newRow("row A tax code") << u"txtCodFisc_A"_s << u"vrd gpp-85"_s << u"VRDGPP85"_s;
    QTest::newRow("row D tax code") << u"txtCodFisc_D"_s << u"a.b c"_s << u"ABC"_s;
    QTest::newRow("row B fee") << u"txtQuota_B"_s << u"2a5.,0,0 €"_s << u"25,,0,0"_s;
    QTest::newRow("tax code limit")
        << u"txtCodFisc_C"_s << u"ABCDEFGHIJKLMNOPQR"_s << u"ABCDEFGHIJKLMNOP"_s;
    QTest::newRow("fee limit") << u"txtQuota_A"_s << u"1234567890123456789"_s
                               << u"123456789012345"_s;
    // No other box is filtered or recased.
    QTest::newRow("member name") << u"txtSocio_C"_s << u" de Rossi-Bianchi. "_s
                                 << u" de Rossi-Bianchi. "_s;
    QTest::newRow("order number limit") << u"txtOrdine_B"_s << u"12345678"_s << u"123456"_s;
}

void TestRegistro::typingRulesOfTheBoxes()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    openBook();
    QLineEdit *edit = box(name.toLatin1().constData());
    edit->setFocus();
    typeText(edit, typed);
    QCOMPARE(edit->text(), shown);
}

void TestRegistro::dateFieldsGoThroughThePicker()
{
    openBook();
    QLineEdit *admission = box("txtDataAmm_C");
    QVERIFY(admission->isReadOnly());
    QString modeWord;
    answerPicker(QDate(2015, 2, 1), &modeWord);
    QTest::keyClick(admission, Qt::Key_A);
    QCOMPARE(modeWord, u"dataamm_c"_s);
    QCOMPARE(admission->text(), u"01/02/2015"_s);
    QCOMPARE(m_fixture->services.dialogsShown.size(), 1);

    // Annulla leaves the date; Backspace empties the box without a picker.
    answerPicker(std::nullopt, &modeWord);
    QTest::keyClick(box("txtDataAmm_C"), Qt::Key_Space);
    QCOMPARE(admission->text(), u"01/02/2015"_s);
    QTest::keyClick(admission, Qt::Key_Backspace);
    QVERIFY(admission->text().isEmpty());
    QCOMPARE(m_fixture->services.dialogsShown.size(), 2);

    answerPicker(QDate(1990, 12, 31), &modeWord);
    QTest::keyClick(box("txtDataUsc_D"), Qt::Key_Return);
    QCOMPARE(modeWord, u"datausc_d"_s);
    QCOMPARE(box("txtDataUsc_D")->text(), u"31/12/1990"_s);
    QVERIFY(box("txtDataUsc_C")->text().isEmpty());
}

// A book that cannot be read must not look like an empty book that a save would start afresh.
void TestRegistro::unreadableBookIsReported()
{
    QVERIFY(QDir(m_fixture->folder()).mkdir(u"Soci 2026.lib"_s));
    showPage(minimalPage(u"Verdi Giuseppe"_s));
    openBook();
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, MessageKind::Error);
    QCOMPARE(m_fixture->services.lastMessage(), store::archiveAccessMessage());
    QVERIFY(shownPosition().isEmpty());
    QVERIFY(box("txtSocio_A")->text().isEmpty());

    box("txtSocio_A")->setText(u"Neri Lucia"_s);
    box("txtOrdine_A")->setText(u"2"_s);
    button("cmdSalva")->click();
    QCOMPARE(m_fixture->services.messages.size(), 2);
    QCOMPARE(m_fixture->services.messages.last().kind, MessageKind::Error);
    QVERIFY(!m_fixture->services.messages.last().plain);
    QCOMPARE(m_fixture->services.lastMessage(), store::archiveAccessMessage());
    QCOMPARE(box("txtSocio_A")->text(), u"Neri Lucia"_s);
}

void TestRegistro::rowBoxesAreRecolouredWhileFocused()
{
    openBook();
    const auto colourOf = [](QLineEdit *edit) {
        return edit->grab().toImage().pixelColor(edit->width() / 2, edit->height() - 4);
    };
    const QColor white(Qt::white);
    const QColor linen(0xFA, 0xF0, 0xE6);
    const QColor yellow(Qt::yellow);
    box("txtNumero")->setFocus();
    QCOMPARE(colourOf(box("txtSocio_A")), white);
    QCOMPARE(colourOf(box("txtSocio_B")), linen);
    QCOMPARE(colourOf(box("txtDataAmm_C")), white);
    QCOMPARE(colourOf(box("txtAnnotazioni_D")), linen);
    QVERIFY(control<QWidget>(screen(), "effNumero")->isVisible());

    box("txtSocio_B")->setFocus();
    QCOMPARE(colourOf(box("txtSocio_B")), yellow);
    QVERIFY(!control<QWidget>(screen(), "effNumero")->isVisible());
    QVERIFY(!screen()->findChild<QWidget *>(u"effSocio_B"_s));
    box("txtSocio_A")->setFocus();
    QCOMPARE(colourOf(box("txtSocio_B")), linen);
    QCOMPARE(colourOf(box("txtSocio_A")), yellow);
}

void TestRegistro::hintsGoToTheStatusLine_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    QTest::newRow("save") << u"cmdSalva"_s << u"Salva la scheda corrente in archivio."_s;
    QTest::newRow("preview") << u"cmdAnteprima"_s
                             << u"Visualizza l'anteprima di stampa della scheda corrente."_s;
    QTest::newRow("exit") << u"cmdEsci"_s << u"Esci da questa schermata di lavoro."_s;
    QTest::newRow("check") << u"btnCodFisc"_s << u"Controlla il codice fiscale."_s;
    QTest::newRow("import A") << u"impSocio_A"_s
                              << u"Importa i dati dall'archivio anagrafico dei soci."_s;
    QTest::newRow("import D") << u"impSocio_D"_s
                              << u"Importa i dati dall'archivio anagrafico dei soci."_s;
    const QString date = u"Fai clic su questo campo e premi un tasto qualsiasi per importare una "
                         "data dal calendario."_s;
    QTest::newRow("birth date A") << u"txtDataNasc_A"_s << date;
    QTest::newRow("exit date D") << u"txtDataUsc_D"_s << date;
}

void TestRegistro::hintsGoToTheStatusLine()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    openBook();
    auto *status = test::control<QLabel>(screen(), "panInfo");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(screen()->findChild<QWidget *>(control), &enter);
    QCOMPARE(status->text(), hint);
    // A column heading is background: moving over it empties the line.
    QWidget *heading = test::control<QLabel>(screen(), "titSocio_C");
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), heading->mapToGlobal(QPointF(2, 2)),
        Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(heading, &move);
    QVERIFY(status->text().isEmpty());
    // Another edit carries no hint and leaves the line alone.
    QApplication::sendEvent(box("txtSocio_A"), &enter);
    QVERIFY(status->text().isEmpty());
}

void TestRegistro::codeButtonOpensTheVatCheckForDigits()
{
    openBook();
    box("txtCodFisc")->setText(u"92012345678"_s);
    QString shown;
    m_fixture->services.onNextDialog([&](QDialog &opened) {
        shown = opened.findChild<QLineEdit *>()->text();
        return int(QDialog::Rejected);
    });
    button("btnCodFisc")->click();
    QCOMPARE(m_fixture->services.dialogsShown, QStringList {u"almavest::ui::VatNumberCheck"_s});
    QCOMPARE(shown, u"92012345678"_s);
}

void TestRegistro::closingReturnsToTheLauncher()
{
    openBook(1);
    button("cmdEsci")->click();
    QVERIFY(!screen()->isVisible());
    QVERIFY(m_fixture->app().launcher()->isVisible());
    QCOMPARE(m_fixture->services.messages.size(), 0);
    // Shown again on the same book, it opens on its last page afresh.
    box("txtSocio_A")->setText(u"Scritto e non salvato"_s);
    openBook();
    QCOMPARE(screen()->values(), storedPages().at(0));
}

void TestRegistro::importFillsOnlyItsRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("modeWord");
    QTest::newRow("A") << int(book::RowA) << u"socio_a"_s;
    QTest::newRow("B") << int(book::RowB) << u"socio_b"_s;
    QTest::newRow("C") << int(book::RowC) << u"socio_c"_s;
    QTest::newRow("D") << int(book::RowD) << u"socio_d"_s;
}

// The import button of a row fills that row from the member chosen, leaves the row's own order
// number and every other field as they were, and saves nothing.
void TestRegistro::importFillsOnlyItsRow()
{
    QFETCH(int, row);
    QFETCH(QString, modeWord);
    QStringList second = sampleMember(u"Bianchi Anna"_s);
    second[registry::CardNumber] = u"T-22"_s;
    writeMembers(m_fixture->file(u"Soci.pro"_s), {sampleMember(u"Rossi Mario"_s), second});
    openBook(0);
    QStringList page = minimalPage(u"Verdi Giuseppe"_s);
    for (int r = book::RowA; r <= book::RowD; ++r)
        page[rowField(r, book::Order)] = QString::number(r + 1);
    showPage(page);

    QString shownMode;
    m_fixture->services.onNextDialog([&shownMode](QDialog &dialog) {
        dialog.show();
        shownMode = control<QLabel>(&dialog, "lblMemory")->text();
        pickLine(control<QListView>(&dialog, "lstRecords"), 1, Pick::Enter);
        return dialog.result();
    });
    const char *buttons[] = {"impSocio_A", "impSocio_B", "impSocio_C", "impSocio_D"};
    button(buttons[row])->click();
    QCOMPARE(shownMode, modeWord);

    // The sample card: its name, card number, fee "0,00", and "Città di ..." as its town.
    QStringList expected = page;
    expected[rowField(row, book::MemberName)] = u"Bianchi Anna"_s;
    expected[rowField(row, book::CardNumber)] = u"T-22"_s;
    expected[rowField(row, book::Fee)] = u"0,00"_s;
    expected[rowField(row, book::Address)] = u"Città di Bianchi Anna"_s;
    QCOMPARE(screen()->values().mid(0, book::File1), expected.mid(0, book::File1));
    QVERIFY(storedPages().isEmpty());
}

// A page chosen in the page search is shown with its own number, even when an earlier page reads
// the same in the list.
void TestRegistro::pageSearchShowsThePageChosen()
{
    openBook(0);
    showPage(minimalPage(u"Gemelli Sara"_s));
    button("cmdSalva")->click();
    button("cmdDuplica")->click();
    button("cmdSalva")->click();
    button("cmdNuovo")->click();
    showPage(minimalPage(u"Ultimo Paolo"_s));
    button("cmdSalva")->click();
    QCOMPARE(storedPages().size(), 3);

    m_fixture->services.onNextDialog([](QDialog &dialog) {
        dialog.show();
        pickLine(control<QListView>(&dialog, "lstRecords"), 0, Pick::DoubleClick);
        return dialog.result();
    });
    button("cmdTrova")->click();
    QCOMPARE(shownPosition(), u"1"_s);
    QCOMPARE(box(rowField(book::RowA, book::MemberName))->text(), u"Gemelli Sara"_s);
}

QTEST_MAIN(TestRegistro)
#include "tst_registro.moc"
