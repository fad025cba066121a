// Links in the program folder: where each kind leads, and that nothing is written or copied
// through one that leads out of the folder, while the file it leads to stays untouched.
#include "TestFiles.h"
#include "app/IniFile.h"
#include "app/ProgramFolder.h"
#include "attachments/AttachmentFolder.h"
#include "store/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace almavest;
using namespace Qt::StringLiterals;
using almavest::test::fileBytes;
using almavest::test::writeBytes;

class TestFolderLinks final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void staysInside_data();
    void staysInside();
    void wholeFileIsNotWrittenThroughALink_data();
    void wholeFileIsNotWrittenThroughALink();
    void rebuiltFileIsNotWrittenThroughALink();
    void attachmentIsNotCopiedThroughALink_data();
    void attachmentIsNotCopiedThroughALink();

private:
    QString inside(const QString &name) const { return m_program->filePath(name); }
    QString outside(const QString &name) const { return m_elsewhere->filePath(name); }
    // Makes the link `name` in the program folder, to `target`.
    void link(const QString &target, const QString &name)
    {
        QVERIFY(QFile::link(target, inside(name)));
    }

    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<QTemporaryDir> m_elsewhere;
};

void TestFolderLinks::init()
{
    m_program = std::make_unique<QTemporaryDir>();
    m_elsewhere = std::make_unique<QTemporaryDir>();
    QVERIFY(m_program->isValid() && m_elsewhere->isValid());
    QVERIFY(QDir(m_program->path()).mkdir(u"Schedario"_s));
    QVERIFY(writeBytes(inside(u"Schedario/Socio_1.jpg"_s), "foto"));
    QVERIFY(writeBytes(inside(u"Libro_Soci.ini"_s), "[A]\r\n"));
    QVERIFY(writeBytes(outside(u"altro.ini"_s), "altrui"));
    QVERIFY(QDir(m_elsewhere->path()).mkdir(u"cartella"_s));
}

// Each row makes one link in the program folder and asks about a path through it.
void TestFolderLinks::staysInside_data()
{
    QTest::addColumn<QString>("target"); // "@/" starts a path elsewhere, "" makes no link
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("inside");
    QTest::newRow("plain file") << QString() << QString() << u"Libro_Soci.ini"_s << true;
    QTest::newRow("missing file") << QString() << QString() << u"Nuovo.ini"_s << true;
    QTest::newRow("missing folder and file")
        << QString() << QString() << u"Nuova/Socio_1.jpg"_s << true;
    QTest::newRow("file in a folder")
        << QString() << QString() << u"Schedario/Socio_1.jpg"_s << true;
    QTest::newRow("link to a file inside")
        << u"Libro_Soci.ini"_s << u"Copia.ini"_s << u"Copia.ini"_s << true;
    QTest::newRow("link to a file outside")
        << u"@/altro.ini"_s << u"Copia.ini"_s << u"Copia.ini"_s << false;
    QTest::newRow("dangling link inside")
        << u"Mai.ini"_s << u"Copia.ini"_s << u"Copia.ini"_s << true;
    QTest::newRow("dangling link outside")
        << u"@/mai.ini"_s << u"Copia.ini"_s << u"Copia.ini"_s << false;
    QTest::newRow("dangling link to a missing folder outside")
        << u"@/manca/mai.ini"_s << u"Copia.ini"_s << u"Copia.ini"_s << false;
    QTest::newRow("link to a folder inside")
        << u"Schedario"_s << u"Foto"_s << u"Foto/Socio_1.jpg"_s << true;
    QTest::newRow("link to a folder outside")
        << u"@/cartella"_s << u"Foto"_s << u"Foto/Socio_1.jpg"_s << false;
    QTest::newRow("link to the folder above") << u".."_s << u"Su"_s << u"Su/altro.ini"_s << false;
    QTest::newRow("link to the program folder itself")
        << u"."_s << u"Qui"_s << u"Qui/Libro_Soci.ini"_s << true;
    QTest::newRow("link to itself") << u"Giro"_s << u"Giro"_s << u"Giro"_s << false;
}

void TestFolderLinks::staysInside()
{
    QFETCH(QString, target);
    QFETCH(QString, link);
    QFETCH(QString, path);
    QFETCH(bool, inside);
    if (!link.isEmpty()) {
        // A relative target, as a user's link often has; "@/" names a place elsewhere.
        const QString to = target.startsWith(u"@/"_s) ? outside(target.mid(2)) : target;
        QVERIFY(QFile::link(to, this->inside(link)));
    }
    QCOMPARE(store::staysInside(this->inside(path), m_program->path()), inside);
    QCOMPARE(app::ProgramFolder(m_program->path()).keepsInside(this->inside(path)), inside);
}

void TestFolderLinks::wholeFileIsNotWrittenThroughALink_data()
{
    QTest::addColumn<bool>("outsideLink");
    QTest::newRow("link out of the folder") << true;
    QTest::newRow("link inside the folder") << false;
}

// The settings file replaced by a link: a save through it would rewrite the file it leads to.
void TestFolderLinks::wholeFileIsNotWrittenThroughALink()
{
    QFETCH(bool, outsideLink);
    const QString target = outsideLink ? outside(u"altro.ini"_s) : inside(u"Vero.ini"_s);
    QVERIFY(writeBytes(target, "altrui"));
    QVERIFY(QFile::remove(inside(u"Libro_Soci.ini"_s)));
    link(target, u"Libro_Soci.ini"_s);

    app::IniFile ini(inside(u"Libro_Soci.ini"_s));
    QVERIFY(ini.load());
    ini.setValue(u"Frontespizio Registro"_s, u"Numero Libro"_s, u"7"_s);
    QCOMPARE(ini.save(), !outsideLink);
    if (outsideLink) {
        QCOMPARE(fileBytes(target), QByteArray("altrui"));
        QCOMPARE(ini.errorString(), store::outsideLinkMessage(u"Libro_Soci.ini"_s));
        QString error;
        QCOMPARE(store::writeWholeFile(inside(u"Libro_Soci.ini"_s), "nuovo", &error),
            store::WriteFailure::OutsideLink);
        QCOMPARE(error, store::outsideLinkMessage(u"Libro_Soci.ini"_s));
        QCOMPARE(fileBytes(target), QByteArray("altrui"));
    } else {
        QVERIFY(fileBytes(inside(u"Libro_Soci.ini"_s)).contains("Numero Libro=7"));
    }
    QVERIFY(QFileInfo(inside(u"Libro_Soci.ini"_s)).isSymLink());
}

void TestFolderLinks::rebuiltFileIsNotWrittenThroughALink()
{
    link(outside(u"altro.ini"_s), u"Soci.xls"_s);
    store::RebuiltFile file(inside(u"Soci.xls"_s));
    QVERIFY(!file.open());
    QCOMPARE(file.errorString(), store::outsideLinkMessage(u"Soci.xls"_s));
    QCOMPARE(file.commit(), store::WriteFailure::Create);
    QCOMPARE(fileBytes(outside(u"altro.ini"_s)), QByteArray("altrui"));
    QCOMPARE(QDir(m_elsewhere->path()).entryList(QDir::Files | QDir::Hidden),
        QStringList {u"altro.ini"_s});
}

void TestFolderLinks::attachmentIsNotCopiedThroughALink_data()
{
    QTest::addColumn<bool>("folderIsLink"); // else the attached file itself is
    QTest::newRow("the attachments folder") << true;
    QTest::newRow("a file in it") << false;
}

void TestFolderLinks::attachmentIsNotCopiedThroughALink()
{
    QFETCH(bool, folderIsLink);
    const QString chosen = outside(u"cartella/ricevuta.pdf"_s);
    QVERIFY(writeBytes(chosen, "nuova"));
    QVERIFY(writeBytes(outside(u"ricevuta.pdf"_s), "altrui"));
    if (folderIsLink) {
        link(m_elsewhere->path(), QLatin1String(attachments::kFolderName));
    } else {
        QVERIFY(QDir(m_program->path()).mkdir(QLatin1String(attachments::kFolderName)));
        link(outside(u"ricevuta.pdf"_s),
            QLatin1String(attachments::kFolderName) + u"/ricevuta.pdf"_s);
    }
    const attachments::AttachmentFolder folder {app::ProgramFolder(m_program->path())};
    QVERIFY(!folder.keepsInside(u"ricevuta.pdf"_s));
    QCOMPARE(folder.store(chosen), attachments::StoreOutcome::OutsideLink);
    QCOMPARE(fileBytes(outside(u"ricevuta.pdf"_s)), QByteArray("altrui"));
    // Choosing the very file the link leads to is not taken for the folder's own copy.
    QCOMPARE(folder.store(outside(u"ricevuta.pdf"_s)), attachments::StoreOutcome::OutsideLink);
}

QTEST_APPLESS_MAIN(TestFolderLinks)
#include "tst_folderlinks.moc"
