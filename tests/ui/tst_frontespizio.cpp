// The title page window: its ten values through Libro_Soci.ini and back, stored on every way of
// closing, a save that fails, the Enter chain, and the landscape page it prints and previews.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "PageModel.h"
#include "TestFiles.h"
#include "WritesFail.h"

#include "ui/book/TitlePageDialog.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace almavest;
using namespace Qt::StringLiterals;
using test::AppFixture;
using test::control;
using test::Leave;

namespace {

// The boxes in the order of the tab and Enter chains.
const char *const kBoxes[] = {"txtComune", "txtProvincia", "txtNumero", "txtPagine",
    "txtCommittente", "txtImpresa", "txtOggetto", "txtEstremi", "txtDirettore", "txtResponsabile"};

const QString kTyped[] = {u"  Circolo Il Faro  "_s, u"Forlì"_s, u"3"_s, u"120"_s,
    u"Attività culturali; musica=sì"_s, u"Via Roma 1"_s, u"CF 92000000000"_s,
    u"0543 000000 - info@ilfaro.it"_s, u"Rossi Mario"_s, u"Bianchi Anna "_s};

// As an independent writer lays the file down: Windows-1252, CRLF, keys as they stand.
QByteArray expectedFile()
{
    return QByteArray("[Frontespizio Registro]\r\n"
                      "Denominazione Associazione=Circolo Il Faro\r\n"
                      "Sede Legale=Forl\xEC\r\n"
                      "Numero Libro=3\r\n"
                      "Totale Soci=120\r\n"
                      "Attivita Svolte=Attivit\xE0 culturali; musica=s\xEC\r\n"
                      "Indirizzo Postale=Via Roma 1\r\n"
                      "Codice Fiscale=CF 92000000000\r\n"
                      "Recapiti Telefonici=0543 000000 - info@ilfaro.it\r\n"
                      "Firma Presidente=Rossi Mario\r\n"
                      "Firma Segretario=Bianchi Anna\r\n");
}

} // namespace

class TestFrontespizio final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_app = std::make_unique<AppFixture>(); }
    void cleanup() { m_app.reset(); }

    void roundTripThroughTheFile_data();
    void roundTripThroughTheFile();
    void keepsTheRestOfTheFile();
    void failedSaveKeepsTheWindow_data();
    void failedSaveKeepsTheWindow();
    void enterWalksTheChain();
    void longValueIsKeptWhole();
    void oversizedFileIsRefusedUnread();
    void linkOutOfTheFolderIsNotWritten();
    void printsTheLandscapePage_data();
    void printsTheLandscapePage();
    void pageObjectsStandWhereTheyShould_data();
    void pageObjectsStandWhereTheyShould();

private:
    QString iniPath() const { return m_app->file(u"Libro_Soci.ini"_s); }
    // Opens the window and hands it to `use` while it is shown.
    void withWindow(const std::function<void(QDialog &)> &use)
    {
        m_app->services.onNextDialog([&](QDialog &dialog) {
            dialog.show();
            use(dialog);
            return dialog.result();
        });
        ui::TitlePageDialog::open(m_app->app().context(), nullptr);
    }
    static QStringList boxTexts(QDialog &dialog)
    {
        QStringList texts;
        for (const char *name : kBoxes)
            texts.append(control<QLineEdit>(&dialog, name)->text());
        return texts;
    }
    static void typeAll(QDialog &dialog)
    {
        for (std::size_t i = 0; i < std::size(kBoxes); ++i)
            test::typeText(control<QLineEdit>(&dialog, kBoxes[i]), kTyped[i]);
    }
    report::PreparedReport printed();

    std::unique_ptr<AppFixture> m_app;
};

void TestFrontespizio::roundTripThroughTheFile_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("Chiudi") << int(Leave::Button);
    QTest::newRow("Escape") << int(Leave::Escape);
    QTest::newRow("window closed") << int(Leave::Close);
}

void TestFrontespizio::roundTripThroughTheFile()
{
    QFETCH(int, way);
    bool visibleAfter = true;
    withWindow([&](QDialog &dialog) {
        QCOMPARE(dialog.windowTitle(), u" Frontespizio Libro Soci"_s);
        QCOMPARE(boxTexts(dialog), QStringList(std::size(kBoxes)));
        typeAll(dialog);
        test::leaveDialog(dialog, Leave(way));
        visibleAfter = dialog.isVisible();
    });
    QVERIFY(!visibleAfter);
    QCOMPARE(test::fileBytes(iniPath()), expectedFile());
    QVERIFY(m_app->services.messages.isEmpty());

    withWindow([&](QDialog &dialog) {
        QStringList trimmed;
        for (const QString &typed : kTyped)
            trimmed.append(typed.trimmed());
        QCOMPARE(boxTexts(dialog), trimmed);
        test::leaveDialog(dialog, Leave::Button);
    });
    QCOMPARE(test::fileBytes(iniPath()), expectedFile());
}

// Other sections and lines of the file stay as they were.
void TestFrontespizio::keepsTheRestOfTheFile()
{
    QVERIFY(test::writeBytes(iniPath(),
        "; note\r\n[Altro]\r\nchiave=valore\r\n[Frontespizio Registro]\r\nNumero Libro=7\r\n"));
    withWindow([&](QDialog &dialog) {
        QCOMPARE(control<QLineEdit>(&dialog, "txtNumero")->text(), u"7"_s);
        control<QLineEdit>(&dialog, "txtDirettore")->setText(u"Verdi"_s);
        test::leaveDialog(dialog, Leave::Button);
    });
    const QByteArray bytes = test::fileBytes(iniPath());
    QVERIFY(bytes.startsWith("; note\r\n[Altro]\r\nchiave=valore\r\n[Frontespizio Registro]\r\n"
                             "Numero Libro=7\r\n"));
    QVERIFY(bytes.contains("\r\nFirma Presidente=Verdi\r\n"));
}

void TestFrontespizio::failedSaveKeepsTheWindow_data()
{
    QTest::addColumn<bool>("stay");
    QTest::newRow("stays to try again") << true;
    QTest::newRow("leaves without saving") << false;
}

void TestFrontespizio::failedSaveKeepsTheWindow()
{
    QFETCH(bool, stay);
    bool visibleAfter = false;
    QStringList kept;
    withWindow([&](QDialog &dialog) {
        typeAll(dialog);
        m_app->services.answerNextQuestion(stay);
        {
            test::WritesFail fullDisk;
            test::leaveDialog(dialog, Leave::Button);
        }
        visibleAfter = dialog.isVisible();
        kept = boxTexts(dialog);
        if (dialog.isVisible())
            dialog.reject();
    });
    QCOMPARE(visibleAfter, stay);
    QCOMPARE(kept.front(), kTyped[0]);
    QCOMPARE(m_app->services.messages.front().kind, ui::MessageKind::Question);
    QVERIFY(m_app->services.messages.front().text.startsWith(
        u"Attenzione: non è stato possibile salvare i dati del frontespizio"_s));
    // The words guess at the cause; the system's own reason follows them.
    QVERIFY(m_app->services.messages.front().text.contains(
        u"pieno.\r\n\r\nIl file supera la dimensione massima consentita dal sistema.\r\n"_s));
    // Once the disk has room again, closing stores what was kept.
    if (stay)
        QCOMPARE(test::fileBytes(iniPath()), expectedFile());
    else
        QVERIFY(!QFileInfo::exists(iniPath()));
}

// A value longer than a box holds by default is shown whole and stored whole when the window
// closes after another value changed.
void TestFrontespizio::longValueIsKeptWhole()
{
    const QByteArray longValue(40000, 'a');
    QVERIFY(test::writeBytes(iniPath(),
        QByteArray("[Frontespizio Registro]\r\nAttivita Svolte=") + longValue
            + "\r\nNumero Libro=7\r\n"));
    withWindow([&](QDialog &dialog) {
        QCOMPARE(control<QLineEdit>(&dialog, "txtCommittente")->text().size(), longValue.size());
        control<QLineEdit>(&dialog, "txtNumero")->setText(u"8"_s);
        test::leaveDialog(dialog, Leave::Button);
    });
    const QByteArray bytes = test::fileBytes(iniPath());
    const QByteArray stored = "\r\nAttivita Svolte=" + longValue + "\r\n";
    QVERIFY(bytes.contains(stored));
    QVERIFY(bytes.contains("\r\nNumero Libro=8\r\n"));
}

// A huge file in place of the settings is refused at once, unread, as unreadable.
void TestFrontespizio::oversizedFileIsRefusedUnread()
{
    QVERIFY(test::writeBytes(iniPath(), "[Frontespizio Registro]\r\nNumero Libro=7\r\n"));
    QFile huge(iniPath());
    QVERIFY(huge.resize(qint64(1) << 30)); // sparse: next to nothing is written
    QStringList shown;
    withWindow([&](QDialog &dialog) {
        shown = boxTexts(dialog);
        dialog.reject();
    });
    QCOMPARE(shown, QStringList(std::size(kBoxes)));
    QCOMPARE(m_app->services.messages.size(), 1);
    QCOMPARE(m_app->services.messages.front().kind, ui::MessageKind::Error);
    QCOMPARE(m_app->services.messages.front().text,
        u"Attenzione: non è stato possibile leggere i dati del frontespizio dal file "
        u"Libro_Soci.ini."_s);
}

// Libro_Soci.ini replaced by a link to a file outside the program folder: closing the window
// does not write through it, and says why.
void TestFrontespizio::linkOutOfTheFolderIsNotWritten()
{
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(u"altro.ini"_s);
    QVERIFY(test::writeBytes(target, "[Altro]\r\nchiave=valore\r\n"));
    QVERIFY(QFile::link(target, iniPath()));
    bool visibleAfter = true;
    withWindow([&](QDialog &dialog) {
        control<QLineEdit>(&dialog, "txtNumero")->setText(u"8"_s);
        m_app->services.answerNextQuestion(false);
        test::leaveDialog(dialog, Leave::Button);
        visibleAfter = dialog.isVisible();
    });
    QVERIFY(!visibleAfter);
    QCOMPARE(test::fileBytes(target), QByteArray("[Altro]\r\nchiave=valore\r\n"));
    QCOMPARE(m_app->services.messages.size(), 1);
    QVERIFY(m_app->services.messages.front().text.contains(
        u"Libro_Soci.ini è un collegamento a un file o a una cartella che si trova fuori dalla "
        u"cartella del programma"_s));
}

void TestFrontespizio::enterWalksTheChain()
{
    withWindow([&](QDialog &dialog) {
        QApplication::setActiveWindow(&dialog);
        auto *first = control<QLineEdit>(&dialog, kBoxes[0]);
        first->setFocus();
        for (std::size_t i = 1; i <= std::size(kBoxes); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(),
                QLatin1String(kBoxes[i % std::size(kBoxes)]));
        }
        QVERIFY(dialog.isVisible());
        test::leaveDialog(dialog, Leave::Button);
    });
}

report::PreparedReport TestFrontespizio::printed()
{
    withWindow([&](QDialog &dialog) {
        typeAll(dialog);
        control<QPushButton>(&dialog, "btnStampa")->click();
        dialog.reject();
    });
    if (m_app->services.printed.size() != 1)
        qFatal("the title page was not printed");
    return m_app->services.printed.front();
}

void TestFrontespizio::printsTheLandscapePage_data()
{
    QTest::addColumn<bool>("preview");
    QTest::newRow("print") << false;
    QTest::newRow("preview") << true;
}

void TestFrontespizio::printsTheLandscapePage()
{
    QFETCH(bool, preview);
    withWindow([&](QDialog &dialog) {
        typeAll(dialog);
        control<QPushButton>(&dialog, preview ? "btnAnteprima" : "btnStampa")->click();
        QVERIFY(dialog.isVisible());
        // Nothing is stored by printing itself.
        QVERIFY(!QFileInfo::exists(iniPath()));
        dialog.reject();
    });
    const auto &out = preview ? m_app->services.previewed : m_app->services.printed;
    QCOMPARE(int(out.size()), 1);
    const report::PreparedReport &page = out.front();
    QCOMPARE(page.name, u"Frontespizio Libro Soci"_s);
    QCOMPARE(page.layout.orientation(), QPageLayout::Landscape);
    QCOMPARE(page.layout.margins(QPageLayout::Millimeter), QMarginsF());
    QCOMPARE(int(page.pages.size()), 1);
    for (std::size_t i = 0; i < std::size(kBoxes); ++i)
        QCOMPARE(test::placedOn(page, 0, QLatin1String(kBoxes[i])).lines,
            QStringList {kTyped[i].trimmed()});
}

void TestFrontespizio::pageObjectsStandWhereTheyShould_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("millimetres");
    QTest::addColumn<QString>("text");
    const auto add = [](const char *name, QRectF rect, const QString &text = {}) {
        QTest::newRow(name) << QString::fromLatin1(name) << rect << text;
    };
    add("linCornice01", {10, 10, 276, 0});
    add("linCornice04", {286, 10, 0, 189});
    add("shpIntestazione", {11, 11, 273.8, 14});
    add("txtComune", {12, 12, 271.8, 6});
    add("txtProvincia", {12, 18, 271.8, 6});
    add("imgTitolo", {67.6, 29, 160, 12}, u"LIBRO SOCI"_s);
    add("imgNumero", {20.2, 45.4, 8, 7}, u"N."_s);
    add("txtNumero", {32.2, 45.4, 68.6, 6});
    add("imgTotale", {156.8, 45.4, 46, 6}, u"TOT. SOCI:"_s);
    add("txtPagine", {206, 45.4, 68.6, 6});
    add("titCampo01", {20, 60, 146, 4}, u"ATTIVITA' SVOLTE:"_s);
    add("txtCommittente", {24, 69, 248, 6});
    add("txtImpresa", {24, 95, 248, 6});
    add("txtOggetto", {24, 121, 248, 6});
    add("titCampo04", {20, 138, 146, 4}, u"RECAPITI TELEFONICI E DI POSTA ELETTRONICA:"_s);
    add("txtEstremi", {24, 147, 248, 6});
    add("txtDirettore", {20, 180, 73, 5});
    add("linFirma02", {203, 179, 73, 0});
    add("txtResponsabile", {203, 180, 73, 5});
    add("shpPiede", {11, 189, 273.8, 9});
    add("txtPiede02", {12, 193.4, 272, 3.5},
        u"Tutte le pagine del Libro Soci sono state stampate e firmate contestualmente alla "
        u"compilazione rispettando la cronologia di inserimento dei dati."_s);
}

void TestFrontespizio::pageObjectsStandWhereTheyShould()
{
    QFETCH(QString, name);
    QFETCH(QRectF, millimetres);
    QFETCH(QString, text);
    const report::PreparedReport page = printed();
    const report::ReportObject *object = test::placedObject(page, 0, name);
    QVERIFY(object);
    const QRectF at = test::inMillimetres(object->rect);
    for (const auto &[got, want] :
        {std::pair {at.left(), millimetres.left()}, {at.top(), millimetres.top()},
            {at.width(), millimetres.width()}, {at.height(), millimetres.height()}})
        QVERIFY2(qAbs(got - want) < 0.01, qPrintable(u"%1 for %2"_s.arg(got).arg(want)));
    if (!text.isEmpty())
        QCOMPARE(object->lines, QStringList {text});
}

QTEST_MAIN(TestFrontespizio)
#include "tst_frontespizio.moc"
