// The INI reader and writer: lookups by section and key, and files kept as they were.
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "app/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace almavest::app;
using namespace Qt::StringLiterals;
using almavest::test::fileBytes;
using almavest::test::writeBytes;

class TestIniFile final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void lookups_data();
    void lookups();
    void editsKeepEverythingElse();
    void loadAndSaveUnchanged();
    void unchangedSaveWritesNothing();
    void missingFileReadsEmpty();
    void newFile();
    void keyAddedInsideItsSection();
    void lineBreakInValueStaysOnOneLine();
    void unreadableAndUnwritable();
    void oversizedFileIsRefusedUnread_data();
    void oversizedFileIsRefusedUnread();

private:
    QString copyFixture(const QString &name);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestIniFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestIniFile::copyFixture(const QString &name)
{
    QString target = m_dir->filePath(name);
    QFile::copy(QStringLiteral(ALMAVEST_TEST_DATA "/") + name, target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

void TestIniFile::lookups_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("blanks around =") << u"accesso"_s << u"Valore"_s << u"9F3A"_s;
    QTest::newRow("names in any case") << u"ACCESSO"_s << u"VALORE"_s << u"9F3A"_s;
    QTest::newRow("indented key") << u"Accesso"_s << u"altro"_s << u"1"_s;
    QTest::newRow("windows-1252 text") << u"frontespizio"_s << u"CITTà"_s << u"Forlì"_s;
    QTest::newRow("accents are not folded") << u"Frontespizio"_s << u"CITTÀ"_s << QString();
    QTest::newRow("value with blanks") << u"Frontespizio"_s << u"Titolo"_s << u"Libro Soci"_s;
    QTest::newRow("key of another section") << u"Accesso"_s << u"Titolo"_s << QString();
    QTest::newRow("line without =") << u"Frontespizio"_s << u"RigaSenzaUguale"_s << QString();
    QTest::newRow("comment is not a key")
        << u"Frontespizio"_s << u"; commento nella sezione"_s << QString();
    QTest::newRow("missing section") << u"Manca"_s << u"x"_s << QString();
    QTest::newRow("last section") << u"Sconosciuta"_s << u"X"_s << u"y"_s;
}

void TestIniFile::lookups()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    IniFile ini(copyFixture(u"settings.ini"_s));
    QVERIFY(ini.load());
    QCOMPARE(ini.value(section, key), value);
}

void TestIniFile::editsKeepEverythingElse()
{
    IniFile ini(copyFixture(u"settings.ini"_s));
    QVERIFY(ini.load());
    ini.setValue(u"ACCESSO"_s, u"valore"_s, u"0A1B"_s);
    ini.setValue(u"Frontespizio"_s, u"Sede"_s, u"Via Roma 1"_s);
    ini.setValue(u"Nuova"_s, u"Chiave"_s, u"sì"_s);
    QCOMPARE(ini.value(u"Accesso"_s, u"Valore"_s), u"0A1B"_s);
    QVERIFY(ini.save());

    QFile expected(QStringLiteral(ALMAVEST_TEST_DATA "/settings_saved.ini"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(fileBytes(ini.path()), expected.readAll());

    IniFile again(ini.path());
    QVERIFY(again.load());
    QCOMPARE(again.value(u"nuova"_s, u"chiave"_s), u"sì"_s);
    QCOMPARE(again.value(u"Frontespizio"_s, u"Sede"_s), u"Via Roma 1"_s);
}

void TestIniFile::loadAndSaveUnchanged()
{
    const QString path = copyFixture(u"settings.ini"_s);
    const QByteArray before = fileBytes(path);
    IniFile ini(path);
    QVERIFY(ini.load());
    QVERIFY(ini.save());
    QCOMPARE(fileBytes(path), before);
}

// Nothing to write needs no write permission: a settings file on a locked stick saves unchanged.
void TestIniFile::unchangedSaveWritesNothing()
{
    const QString path = copyFixture(u"settings.ini"_s);
    IniFile ini(path);
    QVERIFY(ini.load());
    ini.setValue(u"Accesso"_s, u"Valore"_s, ini.value(u"Accesso"_s, u"Valore"_s));
    almavest::test::ReadOnlyAccess readOnly({m_dir->path(), path});
    if (!readOnly.effective())
        QSKIP("root cannot act as an ordinary user here");
    QVERIFY(ini.save());
    ini.setValue(u"Accesso"_s, u"Valore"_s, u"altro"_s);
    QVERIFY(!ini.save());
}

void TestIniFile::missingFileReadsEmpty()
{
    IniFile ini(m_dir->filePath(u"manca.ini"_s));
    QVERIFY(ini.load());
    QVERIFY(ini.errorString().isEmpty());
    QCOMPARE(ini.value(u"Accesso"_s, u"Valore"_s), QString());
    QVERIFY(!QFile::exists(ini.path()));
}

void TestIniFile::newFile()
{
    IniFile ini(m_dir->filePath(u"Libro_Soci.ini"_s));
    QVERIFY(ini.load());
    ini.setValue(u"Frontespizio"_s, u"Associazione"_s, u"  Circolo “Il Faro” € "_s);
    ini.setValue(u"Frontespizio"_s, u"Anno"_s, u"2026"_s);
    QVERIFY(ini.save());
    QCOMPARE(fileBytes(ini.path()),
        QByteArray("[Frontespizio]\r\nAssociazione=Circolo \x93Il Faro\x94 \x80\r\n"
                   "Anno=2026\r\n"));
}

void TestIniFile::keyAddedInsideItsSection()
{
    const QString path = m_dir->filePath(u"a.ini"_s);
    QVERIFY(writeBytes(path, "[A]\nx=1\n\n\n[B]\ny=2\n"));
    IniFile ini(path);
    QVERIFY(ini.load());
    ini.setValue(u"a"_s, u"z"_s, u"3"_s);
    ini.setValue(u"B"_s, u"w"_s, u"4"_s);
    QVERIFY(ini.save());
    QCOMPARE(fileBytes(path), QByteArray("[A]\r\nx=1\r\nz=3\r\n\r\n\r\n[B]\r\ny=2\r\nw=4\r\n"));
}

void TestIniFile::lineBreakInValueStaysOnOneLine()
{
    IniFile ini(m_dir->filePath(u"b.ini"_s));
    QVERIFY(ini.load());
    ini.setValue(u"S"_s, u"k"_s, u"uno\r\n[Accesso]\r\nValore=00"_s);
    QVERIFY(ini.save());
    QVERIFY(ini.load());
    QCOMPARE(ini.value(u"Accesso"_s, u"Valore"_s), QString());
    QCOMPARE(ini.value(u"S"_s, u"k"_s), u"uno  [Accesso]  Valore=00"_s);
}

void TestIniFile::unreadableAndUnwritable()
{
    // A folder in the file's place cannot be read nor replaced, even by root.
    const QString path = m_dir->filePath(u"cartella.ini"_s);
    QVERIFY(QDir(m_dir->path()).mkdir(u"cartella.ini"_s));
    IniFile ini(path);
    QVERIFY(!ini.load());
    QVERIFY(!ini.errorString().isEmpty());
    ini.setValue(u"A"_s, u"b"_s, u"c"_s);
    QVERIFY(!ini.save());
    QVERIFY(!ini.errorString().isEmpty());

    IniFile nowhere(m_dir->filePath(u"gone/x.ini"_s));
    QVERIFY(nowhere.load());
    nowhere.setValue(u"A"_s, u"b"_s, u"c"_s);
    QVERIFY(!nowhere.save());
}

void TestIniFile::oversizedFileIsRefusedUnread_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("loads");
    QTest::newRow("the largest read") << kMaxIniFileSize << true;
    QTest::newRow("one byte more") << kMaxIniFileSize + 1 << false;
    QTest::newRow("a gigabyte") << (qint64(1) << 30) << false;
}

// A file of one key followed by zeros, made sparse so that the test writes next to nothing: a
// file over the limit is refused as unreadable and none of it is read.
void TestIniFile::oversizedFileIsRefusedUnread()
{
    QFETCH(qint64, size);
    QFETCH(bool, loads);
    const QString path = m_dir->filePath(u"Libro_Soci.ini"_s);
    QVERIFY(writeBytes(path, "[Frontespizio Registro]\r\nNumero Libro=7\r\n"));
    QFile file(path);
    QVERIFY(file.resize(size));

    IniFile ini(path);
    QCOMPARE(ini.load(), loads);
    QCOMPARE(ini.value(u"Frontespizio Registro"_s, u"Numero Libro"_s), loads ? u"7"_s : QString());
    QCOMPARE(ini.errorString().isEmpty(), loads);
}

QTEST_APPLESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
