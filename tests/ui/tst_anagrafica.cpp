// The member card driven as a secretary would: typing, saving, browsing, duplicating, photos.
#include "AppFixture.h"
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "WritesFail.h"

#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "ui/app/Launcher.h"
#include "ui/dialogs/DatePicker.h"
#include "ui/registry/MemberCardScreen.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QToolButton>

#include <optional>
#include <sys/stat.h>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;
using ui::MessageKind;

namespace {

// A JPEG of noise, which compresses badly: tens of kilobytes, more than a record.
QByteArray noisyJpeg(const QString &path, QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, random.generate() | 0xff000000u);
    }
    picture.save(path, "JPG", 95);
    return fileBytes(path);
}

// What tells one write of a file from another: the file itself and its modification time.
struct FileStamp
{
    ino_t inode = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileStamp &) const = default;
};

FileStamp stampOf(const QString &path)
{
    struct stat info
    {
    };
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {info.st_ino, qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

} // namespace

class TestAnagrafica final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void startsAsABlankCard();
    void typesACardWithTheEnterChainAndSavesIt();
    void saveRefusesInOrder_data();
    void saveRefusesInOrder();
    void saveFillsBlankNoticeDays();
    void feeIsNormalisedOnLeaving_data();
    void feeIsNormalisedOnLeaving();
    void taxCodeIsUpperCasedAndFiltered();
    void tabLeavesTheFeeNormalised();
    void feeTooLongForItsFieldIsRefused();
    void fullCardIsSavedUnchanged();
    void overwritingRewritesOnlyItsRecord();
    void photoIsWrittenAtEverySave();
    void unreadablePhotoShowsThePlaceholder();
    void photoCanBeSavedToAChosenFile();
    void textOnlySaveLeavesThePhotoFileAlone();
    void photoSaveFailureIsReported_data();
    void photoSaveFailureIsReported();
    void photoCopyFailureKeepsThePicture();
    void unusableArchiveLeavesTheCardAsItWas();
    void emailGoesToTheDesktopShell_data();
    void emailGoesToTheDesktopShell();
    void closingReturnsToTheLauncher_data();
    void closingReturnsToTheLauncher();
    void cardsSurviveARestart();
    void hintsGoToTheStatusLine_data();
    void hintsGoToTheStatusLine();
    void codeButtonsOpenTheirCheck_data();
    void codeButtonsOpenTheirCheck();

private:
    QLineEdit *box(const char *name) { return control<QLineEdit>(card(), name); }
    QAbstractButton *button(const char *name) { return control<QAbstractButton>(card(), name); }
    ui::MemberCardScreen *card() { return m_fixture->app().memberCardScreen(); }
    QString archivePath() const { return m_fixture->file(QStringLiteral("Soci.pro")); }
    QString shownPosition() { return card()->lblPosizione()->text(); }
    QString photoFile(int position) const
    {
        return m_fixture->file(QStringLiteral("Schedario/Socio_%1.jpg").arg(position));
    }
    void choosePhoto(const QString &path);
    void pickExpiry(const QDate &date);

    std::unique_ptr<AppFixture> m_fixture;
};

void TestAnagrafica::init()
{
    m_fixture = std::make_unique<AppFixture>();
    m_fixture->openMemberCard();
    QVERIFY(card()->isVisible());
    card()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(card()));
}

void TestAnagrafica::pickExpiry(const QDate &date)
{
    m_fixture->services.onNextDialog([date](QDialog &dialog) {
        dynamic_cast<ui::DatePicker &>(dialog).calendar()->setSelectedDate(date);
        control<QPushButton>(&dialog, "btnImportaData")->click();
        return dialog.result();
    });
    QTest::keyClick(box("txtDataSca"), Qt::Key_Space);
}

void TestAnagrafica::choosePhoto(const QString &path)
{
    m_fixture->services.answerNextOpenFile(path);
    button("btnCaricaFoto")->click();
}

void TestAnagrafica::startsAsABlankCard()
{
    QCOMPARE(box("txtStipendio")->text(), QStringLiteral("0,00"));
    QCOMPARE(box("txtPreavviso")->text(), QStringLiteral("0"));
    QVERIFY(box("txtDipendente")->text().isEmpty());
    QVERIFY(shownPosition().isEmpty());
    QCOMPARE(control<QLabel>(card(), "panInfo")->text(),
        QStringLiteral("Pronto per archiviare una nuova scheda..."));
    QCOMPARE(card()->windowTitle(), QStringLiteral(" Almavest - Archivio Anagrafico"));
    QCOMPARE(QApplication::focusWidget(), box("txtDipendente"));
}

void TestAnagrafica::typesACardWithTheEnterChainAndSavesIt()
{
    // Every box in chain order, typed into whatever has the focus.
    const QList<QPair<const char *, QString>> typed = {
        {"txtDipendente", QStringLiteral("Rossi Mario")},
        {"txtCittadinanza", QStringLiteral("A-17")},
        {"txtStipendio", QStringLiteral("25")},
        {"txtLuogo", QStringLiteral("Forlì")},
        {"txtDataNasc", QStringLiteral("05/03/1970")},
        {"txtCodFisc", QStringLiteral("rssmra70c05d704x")},
        {"txtPartitaIva", QStringLiteral("01/09/2020")},
        {"txtIndirizzo", QStringLiteral("Via Roma 1")},
        {"txtCitta", QStringLiteral("Forlì")},
        {"txtProv", QStringLiteral("fc")},
        {"txtCap", QStringLiteral("47121")},
        {"txtQualifiche", QStringLiteral("Istruttore")},
        {"txtFamiliari", QStringLiteral("Tesoriere")},
        {"txtIban", QStringLiteral("it60x0542811101000000123456")},
        {"txtNote", QStringLiteral("Quota pagata in contanti €")},
    };
    for (const auto &[name, text] : typed) {
        QCOMPARE(QApplication::focusWidget(), box(name));
        typeText(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget(), box("txtDataSca"));
    pickExpiry(QDate(2027, 3, 31));
    box("txtPreavviso")->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box("txtPreavviso"), QStringLiteral("30"));
    QTest::keyClick(box("txtPreavviso"), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("0543 123456"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("mario@example.it"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), box("txtDipendente"));

    button("btnSalva")->click();
    QCOMPARE(m_fixture->services.lastMessage(),
        QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(shownPosition(), QStringLiteral("1"));
    const QList<QStringList> stored = readMembers(archivePath());
    QCOMPARE(stored.size(), 1);
    const QStringList &r = stored.first();
    QCOMPARE(r[registry::Name], QStringLiteral("Rossi Mario"));
    QCOMPARE(r[registry::Fee], QStringLiteral("25,00"));
    QCOMPARE(r[registry::TaxCode], QStringLiteral("RSSMRA70C05D704X"));
    QCOMPARE(r[registry::Province], QStringLiteral("FC"));
    QCOMPARE(r[registry::Iban], QStringLiteral("IT60X0542811101000000123456"));
    QCOMPARE(r[registry::Notes], QStringLiteral("Quota pagata in contanti €"));
    QCOMPARE(r[registry::ExpiryDate], QStringLiteral("31/03/2027"));
    QCOMPARE(r[registry::NoticeDays], QStringLiteral("30"));
    QCOMPARE(r[registry::Email], QStringLiteral("mario@example.it"));
    QCOMPARE(r[registry::Town], QStringLiteral("Forlì"));
}

void TestAnagrafica::saveRefusesInOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expiry");
    QTest::addColumn<bool>("plain");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focused");
    const QString noName = QStringLiteral(
        "Attenzione: per salvare la scheda è necessario indicare cognome e nome del socio.");
    QTest::newRow("name blank before everything")
        << QStringLiteral("  ") << QString() << false << noName << "txtDipendente";
    QTest::newRow("expiry blank") << QStringLiteral("Bianchi") << QString() << false
                                  << QStringLiteral(
                                         "Attenzione: per salvare la scheda è necessario "
                                         "indicare la data di scadenza dell'iscrizione.")
                                  << "txtDataSca";
    QTest::newRow("31 February") << QStringLiteral("Bianchi") << QStringLiteral("31/02/2027")
                                 << true
                                 << QStringLiteral(
                                        "Attenzione: la data di scadenza 31/02/2027 non "
                                        "esiste.\n\r\n\rPer poter salvare la scheda è "
                                        "necessario indicare una data valida nel formato "
                                        "gg/mm/aaaa.")
                                 << "txtDataSca";
}

void TestAnagrafica::saveRefusesInOrder()
{
    QFETCH(QString, name);
    QFETCH(QString, expiry);
    QFETCH(bool, plain);
    QFETCH(QString, message);
    QFETCH(QString, focused);
    box("txtDipendente")->setText(name);
    box("txtStipendio")->clear();
    box("txtDataSca")->setText(expiry);
    button("btnSalva")->click();
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().plain, plain);
    if (!plain)
        QCOMPARE(m_fixture->services.messages.first().kind, MessageKind::Warning);
    QCOMPARE(m_fixture->services.lastMessage(), message);
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
    QVERIFY(readMembers(archivePath()).isEmpty());
    QVERIFY(shownPosition().isEmpty());
}

void TestAnagrafica::saveFillsBlankNoticeDays()
{
    box("txtDipendente")->setText(QStringLiteral("Verdi Anna"));
    box("txtPreavviso")->clear();
    box("txtDataSca")->setText(QStringLiteral("1/1/27"));
    button("btnSalva")->click();
    QCOMPARE(box("txtPreavviso")->text(), QStringLiteral("0"));
    QCOMPARE(readMembers(archivePath()).value(0).value(registry::NoticeDays), QStringLiteral("0"));
    // The date is kept as typed: only its validity is checked.
    QCOMPARE(
        readMembers(archivePath()).value(0).value(registry::ExpiryDate), QStringLiteral("1/1/27"));
}

void TestAnagrafica::feeIsNormalisedOnLeaving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("whole") << QStringLiteral("25") << QStringLiteral("25,00");
    QTest::newRow("one decimal") << QStringLiteral("12,5") << QStringLiteral("12,50");
    QTest::newRow("three decimals kept") << QStringLiteral("12,345") << QStringLiteral("12,345");
    QTest::newRow("five decimals rounded")
        << QStringLiteral("12,34567") << QStringLiteral("12,3457");
    QTest::newRow("empty") << QString() << QStringLiteral("0,00");
    QTest::newRow("lone comma decimals") << QStringLiteral(",5") << QStringLiteral("0,50");
    QTest::newRow("letters and minus swallowed, point is the comma")
        << QStringLiteral("-1a0.5") << QStringLiteral("10,50");
}

void TestAnagrafica::feeIsNormalisedOnLeaving()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QLineEdit *fee = box("txtStipendio");
    fee->setFocus();
    fee->selectAll();
    QTest::keyClick(fee, Qt::Key_Backspace);
    QTest::keyClicks(fee, typed);
    QTest::keyClick(fee, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), box("txtLuogo"));
    QCOMPARE(fee->text(), shown);
}

void TestAnagrafica::taxCodeIsUpperCasedAndFiltered()
{
    QLineEdit *code = box("txtCodFisc");
    code->setFocus();
    QTest::keyClicks(code, QStringLiteral(" rss-mra 70"));
    QCOMPARE(code->text(), QStringLiteral("RSSMRA70"));
    // A pasted code is filtered and upper-cased before it meets the 16-character limit.
    code->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral(" bnc-ngl 75d43 h501z "));
    QTest::keyClick(code, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(code->text(), QStringLiteral("BNCNGL75D43H501Z"));
    QTest::keyClicks(code, QStringLiteral("Z9"));
    QCOMPARE(code->text(), QStringLiteral("BNCNGL75D43H501Z"));
}

void TestAnagrafica::tabLeavesTheFeeNormalised()
{
    QLineEdit *fee = box("txtStipendio");
    fee->setFocus();
    fee->selectAll();
    QTest::keyClicks(fee, QStringLiteral("25"));
    QTest::keyClick(fee, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != fee);
    QCOMPARE(fee->text(), QStringLiteral("25,00"));
}

void TestAnagrafica::feeTooLongForItsFieldIsRefused()
{
    box("txtDipendente")->setText(QStringLiteral("Bianchi Luca"));
    box("txtDataSca")->setText(QStringLiteral("31/12/2027"));
    QLineEdit *fee = box("txtStipendio");
    fee->setFocus();
    fee->selectAll();
    QTest::keyClicks(fee, QStringLiteral("1234567890"));
    QTest::keyClick(fee, Qt::Key_Tab);
    QCOMPARE(fee->text(), QStringLiteral("1234567890,00")); // shown whole, never cut

    button("btnSalva")->click();
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, MessageKind::Warning);
    QVERIFY(m_fixture->services.lastMessage().startsWith(
        QStringLiteral("Attenzione: la quota associativa 1234567890,00 è troppo lunga")));
    QCOMPARE(QApplication::focusWidget(), fee);
    QVERIFY(readMembers(archivePath()).isEmpty());

    // Nine whole digits fit, with their decimals, in the twelve characters of the field.
    fee->selectAll();
    QTest::keyClicks(fee, QStringLiteral("123456789"));
    button("btnSalva")->click();
    QCOMPARE(m_fixture->services.lastMessage(),
        QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(
        readMembers(archivePath()).value(0).value(registry::Fee), QStringLiteral("123456789,00"));
}

// Every field filled to its capacity, the date of enrolment with all 11 characters of its field,
// is read and saved back without losing a character.
void TestAnagrafica::fullCardIsSavedUnchanged()
{
    QStringList full;
    for (const auto &field : registry::memberTable().fields())
        full.append(QString(field.capacity, u'7'));
    full[registry::Name] = QString(49, u'à') + u'Z';
    full[registry::Fee] = QStringLiteral("12345678,125");
    full[registry::TaxCode] = QStringLiteral("RSSMRA70C05D704X");
    full[registry::EnrolmentDate] = QStringLiteral("01/02/2020.");
    full[registry::Province] = QStringLiteral("FC");
    full[registry::ExpiryDate] = QStringLiteral("31/12/2027");
    full[registry::Email] = QString(49, u'm') + u'@';
    writeMembers(archivePath(), {full});

    button("cmdPrimo")->click();
    QCOMPARE(shownPosition(), QStringLiteral("1"));
    QCOMPARE(card()->values(), full);
    button("btnSalva")->click();
    QCOMPARE(m_fixture->services.lastMessage(),
        QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in "
                       "archivio."));
    QCOMPARE(readMembers(archivePath()), QList<QStringList> {full});
}

void TestAnagrafica::overwritingRewritesOnlyItsRecord()
{
    writeMembers(archivePath(),
        {sampleMember(QStringLiteral("Uno")), sampleMember(QStringLiteral("Due")),
            sampleMember(QStringLiteral("Tre"))});
    QFile file(archivePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    QVERIFY(card()->loadCard(2));
    box("txtDipendente")->setText(QStringLiteral("Due bis"));
    button("btnSalva")->click();
    QCOMPARE(m_fixture->services.lastMessage(),
        QStringLiteral(
            "Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(shownPosition(), QStringLiteral("2"));

    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    const int size = registry::kMemberRecordSize;
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.left(size), before.left(size));
    QCOMPARE(after.mid(2 * size), before.mid(2 * size));
    QCOMPARE(readMembers(archivePath()).at(1).at(registry::Name), QStringLiteral("Due bis"));
    QCOMPARE(readMembers(archivePath()).at(1).at(registry::File1), QStringLiteral("allegato.pdf"));
}

void TestAnagrafica::photoIsWrittenAtEverySave()
{
    // A card without a photo of its own gets the placeholder in its photo file.
    box("txtDipendente")->setText(QStringLiteral("Senza foto"));
    box("txtDataSca")->setText(QStringLiteral("31/12/2027"));
    button("btnSalva")->click();
    QImage placeholder(m_fixture->file(QStringLiteral("Schedario/Socio_1.jpg")));
    QCOMPARE(placeholder.size(), QSize(366, 274));

    // A loaded photo goes, at its own size, into the file of the card's new position.
    const QString photoPath = m_fixture->file(QStringLiteral("ritratto.jpg"));
    QImage portrait(120, 160, QImage::Format_RGB32);
    portrait.fill(QColor(200, 30, 30));
    QVERIFY(portrait.save(photoPath, "JPG"));
    button("btnNuovo")->click();
    box("txtDipendente")->setText(QStringLiteral("Con foto"));
    box("txtDataSca")->setText(QStringLiteral("31/12/2027"));
    m_fixture->services.answerNextOpenFile(photoPath);
    button("btnCaricaFoto")->click();
    QVERIFY(!QFile::exists(m_fixture->file(QStringLiteral("Schedario/Socio_2.jpg"))));
    button("btnSalva")->click();
    const QImage stored(m_fixture->file(QStringLiteral("Schedario/Socio_2.jpg")));
    QCOMPARE(stored.size(), QSize(120, 160));
    QVERIFY(qRed(stored.pixel(60, 80)) > 150);

    // Browsing back shows it again.
    QVERIFY(card()->loadCard(1));
    QVERIFY(card()->loadCard(2));
    QCOMPARE(card()->photo().size(), QSize(120, 160));
}

void TestAnagrafica::unreadablePhotoShowsThePlaceholder()
{
    const QString notAPicture = m_fixture->file(QStringLiteral("finto.jpg"));
    QFile file(notAPicture);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("questo non è un JPEG");
    file.close();
    m_fixture->services.answerNextOpenFile(notAPicture);
    button("btnCaricaFoto")->click();
    QCOMPARE(card()->photo().size(), QSize(366, 274));
    QCOMPARE(m_fixture->services.fileDialogTitles.value(0),
        QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."));
    QVERIFY(m_fixture->services.messages.isEmpty());
}

void TestAnagrafica::photoCanBeSavedToAChosenFile()
{
    const QString target = m_fixture->file(QStringLiteral("copia.jpg"));
    m_fixture->services.answerNextSaveFile(target);
    button("btnSalvaFoto")->click();
    QCOMPARE(m_fixture->services.proposedNames, QStringList {QStringLiteral("Foto.jpg")});
    QCOMPARE(QImage(target).size(), QSize(366, 274));
}

// Saving only text leaves the photo file as it is, and a chosen JPEG is stored with its own
// bytes: encoding it again at every save would wear the picture down and grow the file.
void TestAnagrafica::textOnlySaveLeavesThePhotoFileAlone()
{
    const QString chosen = m_fixture->file(QStringLiteral("ritratto.jpg"));
    const QByteArray portrait = noisyJpeg(chosen, QSize(160, 120));
    box("txtDipendente")->setText(QStringLiteral("Rossi Mario"));
    box("txtDataSca")->setText(QStringLiteral("31/12/2027"));
    choosePhoto(chosen);
    button("btnSalva")->click();
    QCOMPARE(fileBytes(photoFile(1)), portrait);
    const FileStamp written = stampOf(photoFile(1));
    QVERIFY(written.inode != 0);

    box("txtNote")->setText(QStringLiteral("Quota pagata"));
    button("btnSalva")->click();
    QVERIFY(card()->loadCard(1)); // the photo read back from its file is not written either
    box("txtNote")->setText(QStringLiteral("Quota pagata in contanti"));
    button("btnSalva")->click();
    QCOMPARE(m_fixture->services.lastMessage(),
        QStringLiteral(
            "Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(readMembers(archivePath()).value(0).value(registry::Notes),
        QStringLiteral("Quota pagata in contanti"));
    QCOMPARE(stampOf(photoFile(1)), written);
    QCOMPARE(fileBytes(photoFile(1)), portrait);
}

void TestAnagrafica::photoSaveFailureIsReported_data()
{
    QTest::addColumn<QString>("cause");
    QTest::addColumn<bool>("stored"); // the card and its old photo are in the archive already
    QTest::addColumn<QString>("reason");
    // The words guess at the cause; the system's own reason follows them.
    const QString folder = QStringLiteral(
        "la cartella Schedario non può essere creata o non consente la scrittura.\n\r\n\r"
        "Al posto di una cartella si trova un file con lo stesso nome.");
    const QString disk = QStringLiteral(
        "non è stato possibile scrivere il file della foto: il disco potrebbe essere pieno.\n\r"
        "\n\rIl file supera la dimensione massima consentita dal sistema.");
    QTest::newRow("photo folder is a plain file") << "folderIsFile" << false << folder;
    QTest::newRow("disk full, new card") << "diskFull" << false << disk;
    QTest::newRow("disk full, replacing a photo") << "diskFull" << true << disk;
}

// The record is saved and the photo is not: the user is told so instead of the success, no
// empty or partial photo file is left, an old photo is kept whole, and the picture stays on the
// card, so that Save writes it once the cause is gone.
void TestAnagrafica::photoSaveFailureIsReported()
{
    QFETCH(QString, cause);
    QFETCH(bool, stored);
    QFETCH(QString, reason);
    const QString chosen = m_fixture->file(QStringLiteral("ritratto.jpg"));
    const QByteArray portrait = noisyJpeg(chosen, QSize(300, 200));
    const QByteArray oldPhoto
        = noisyJpeg(m_fixture->file(QStringLiteral("vecchia.jpg")), QSize(90, 60));
    if (stored) {
        writeMembers(archivePath(), {sampleMember(QStringLiteral("Rossi Mario"))});
        QVERIFY(QDir(m_fixture->folder()).mkdir(QStringLiteral("Schedario")));
        QVERIFY(writeBytes(photoFile(1), oldPhoto));
        QVERIFY(card()->loadCard(1));
    }
    box("txtDipendente")->setText(QStringLiteral("Rossi Mario"));
    box("txtDataSca")->setText(QStringLiteral("31/12/2027"));
    choosePhoto(chosen);
    const QString photoFolder = m_fixture->file(QStringLiteral("Schedario"));
    if (cause == u"folderIsFile") {
        QVERIFY(QDir(photoFolder).removeRecursively());
        QVERIFY(writeBytes(photoFolder, "not a folder"));
    }
    {
        // Room for the archive with one card, not for the photo.
        std::optional<WritesFail> diskFull;
        if (cause == u"diskFull")
            diskFull.emplace(registry::kMemberRecordSize);
        button("btnSalva")->click();
    }
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, MessageKind::Warning);
    QCOMPARE(m_fixture->services.lastMessage(),
        QStringLiteral("Attenzione: la scheda è stata salvata in archivio, ma non è stato "
                       "possibile salvarne la foto perché ")
            + reason
            + QStringLiteral("\n\r\n\rLa foto resta sulla scheda: per riprovare premere "
                             "di nuovo Salva."));
    QCOMPARE(shownPosition(), QStringLiteral("1"));
    QCOMPARE(readMembers(archivePath()).size(), 1);
    QCOMPARE(card()->photo().size(), QSize(300, 200));
    const QStringList left = stored ? QStringList {QStringLiteral("Socio_1.jpg")} : QStringList();
    if (cause == u"diskFull")
        QCOMPARE(
            QDir(photoFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            left);
    if (stored)
        QCOMPARE(fileBytes(photoFile(1)), oldPhoto);

    if (cause == u"folderIsFile")
        QVERIFY(QFile::remove(photoFolder));
    m_fixture->services.clear();
    button("btnSalva")->click();
    QCOMPARE(m_fixture->services.lastMessage(),
        QStringLiteral(
            "Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(fileBytes(photoFile(1)), portrait);
}

void TestAnagrafica::photoCopyFailureKeepsThePicture()
{
    const QString chosen = m_fixture->file(QStringLiteral("ritratto.jpg"));
    noisyJpeg(chosen, QSize(160, 120));
    choosePhoto(chosen);
    const QString missing = m_fixture->file(QStringLiteral("manca"));
    m_fixture->services.answerNextSaveFile(missing + QStringLiteral("/copia.jpg"));
    button("btnSalvaFoto")->click();
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, MessageKind::Warning);
    QCOMPARE(m_fixture->services.lastMessage(),
        QStringLiteral("Attenzione: non è stato possibile salvare la foto perché la cartella ")
            + QDir::toNativeSeparators(missing)
            + QStringLiteral(" non può essere creata o non consente la scrittura.\n\r\n\rLa "
                             "cartella o il file indicato non esiste."));
    QCOMPARE(card()->photo().size(), QSize(160, 120));
    QVERIFY(!QFileInfo::exists(missing));
}

// Soci.pro being a folder makes the archive impossible to open or create, as a program folder
// without write permission would for an ordinary user.
void TestAnagrafica::unusableArchiveLeavesTheCardAsItWas()
{
    QVERIFY(QDir(m_fixture->folder()).mkdir(QStringLiteral("Soci.pro")));
    box("txtDipendente")->setText(QStringLiteral("Neri Luca"));
    box("txtDataSca")->setText(QStringLiteral("31/12/2027"));
    button("btnSalva")->click();
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, MessageKind::Error);
    // The words the secretary reads, line breaks included.
    QCOMPARE(m_fixture->services.lastMessage(),
        QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                       "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                       "installazione del programma."));
    QVERIFY(shownPosition().isEmpty());
    QCOMPARE(box("txtDipendente")->text(), QStringLiteral("Neri Luca"));
    QVERIFY(!QFile::exists(m_fixture->file(QStringLiteral("Schedario/Socio_1.jpg"))));

    button("cmdPrimo")->click();
    QCOMPARE(m_fixture->services.lastMessage(), store::archiveAccessMessage());
    QCOMPARE(box("txtDipendente")->text(), QStringLiteral("Neri Luca"));
}

void TestAnagrafica::emailGoesToTheDesktopShell_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("command");
    QTest::newRow("address") << QStringLiteral(" anna@example.it ")
                             << QStringLiteral("mailto:anna@example.it");
    // Whatever the address holds stays inside it: no header or second recipient creeps in.
    QTest::newRow("question mark and ampersand")
        << QStringLiteral("a?cc=b@x.it&c") << QStringLiteral("mailto:a%3Fcc%3Db@x.it%26c");
    QTest::newRow("empty") << QString() << QStringLiteral("mailto:");
}

void TestAnagrafica::emailGoesToTheDesktopShell()
{
    QFETCH(QString, address);
    QFETCH(QString, command);
    box("txtEmail")->setText(address);
    button("btnEmail")->click();
    QCOMPARE(m_fixture->services.openedAddresses, QStringList {command});
}

void TestAnagrafica::closingReturnsToTheLauncher_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Esci") << false;
    QTest::newRow("close box") << true;
}

void TestAnagrafica::closingReturnsToTheLauncher()
{
    QFETCH(bool, closeBox);
    box("txtDipendente")->setText(QStringLiteral("Non salvato"));
    if (closeBox)
        card()->close();
    else
        button("btnEsci")->click();
    QVERIFY(!card()->isVisible());
    QVERIFY(m_fixture->app().launcher()->isVisible());
    QVERIFY(!m_fixture->quitRequested);
    // Coming back starts from a new card.
    m_fixture->app().launcher()->openMemberRegistry();
    QVERIFY(box("txtDipendente")->text().isEmpty());
}

void TestAnagrafica::cardsSurviveARestart()
{
    box("txtDipendente")->setText(QStringLiteral("Gialli Sara"));
    box("txtStipendio")->setText(QStringLiteral("30,5"));
    box("txtDataSca")->setText(QStringLiteral("30/06/2027"));
    button("btnSalva")->click();

    ui::Application again(m_fixture->services, m_fixture->folder());
    again.launcher()->openMemberRegistry();
    control<QAbstractButton>(again.memberCardScreen(), "cmdUltimo")->click();
    QCOMPARE(control<QLineEdit>(again.memberCardScreen(), "txtDipendente")->text(),
        QStringLiteral("Gialli Sara"));
    QCOMPARE(control<QLineEdit>(again.memberCardScreen(), "txtStipendio")->text(),
        QStringLiteral("30,50"));
}

void TestAnagrafica::hintsGoToTheStatusLine_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    QTest::newRow("save") << "btnSalva"
                          << "Salva la scheda corrente in archivio.";
    QTest::newRow("first") << "cmdPrimo"
                           << "Visualizza la prima scheda in archivio.";
    QTest::newRow("date field") << "txtDataSca"
                                << "Fai clic su questo campo e premi un tasto qualsiasi per "
                                   "importare una data dal calendario.";
    QTest::newRow("clear date") << "delDataSca"
                                << "Cancella la data.";
    QTest::newRow("disabled door") << "btnStampa"
                                   << "Stampa la scheda corrente.";
}

void TestAnagrafica::hintsGoToTheStatusLine()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    auto *status = test::control<QLabel>(card(), "panInfo");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(card()->findChild<QWidget *>(control), &enter);
    QCOMPARE(status->text(), hint);
    // Moving over the photo, which is background, empties the line for good.
    QWidget *photo = card()->findChild<QWidget *>(QStringLiteral("imgFoto"));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), photo->mapToGlobal(QPointF(5, 5)),
        Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(photo, &move);
    QCOMPARE(status->text(), QString());
}

void TestAnagrafica::codeButtonsOpenTheirCheck_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("code");
    QTest::newRow("codice fiscale") << u"btnCodFisc"_s << u"txtCodFisc"_s << u"RSSMRA85T10A562S"_s
                                    << u"almavest::ui::TaxCodeCheck"_s << u"RSSMRA85T10A562S"_s;
    QTest::newRow("association's code") << u"btnCodFisc"_s << u"txtCodFisc"_s << u"00743110157"_s
                                        << u"almavest::ui::VatNumberCheck"_s << u"00743110157"_s;
    QTest::newRow("empty code") << u"btnCodFisc"_s << u"txtCodFisc"_s << QString()
                                << u"almavest::ui::TaxCodeCheck"_s << QString();
    QTest::newRow("iban") << u"btnIban"_s << u"txtIban"_s << u"IT60X0542811101000000123456"_s
                          << u"almavest::ui::IbanCheck"_s << u"IT60X0542811101000000123456"_s;
}

void TestAnagrafica::codeButtonsOpenTheirCheck()
{
    QFETCH(QString, buttonName);
    QFETCH(QString, fieldName);
    QFETCH(QString, typed);
    QFETCH(QString, dialog);
    QFETCH(QString, code);
    box(fieldName.toLatin1().constData())->setText(typed);
    QString shown;
    m_fixture->services.onNextDialog([&](QDialog &opened) {
        shown = opened.findChild<QLineEdit *>()->text();
        return int(QDialog::Rejected);
    });
    button(buttonName.toLatin1().constData())->click();
    QCOMPARE(m_fixture->services.dialogsShown, QStringList {dialog});
    QCOMPARE(shown, code);
    // The check only reports: the card keeps what it held.
    QCOMPARE(box(fieldName.toLatin1().constData())->text(), typed);
}

QTEST_MAIN(TestAnagrafica)
#include "tst_anagrafica.moc"
