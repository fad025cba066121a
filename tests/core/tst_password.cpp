// The scrambled password and the password file that holds it.
#include "TestFiles.h"
#include "app/PasswordCipher.h"
#include "app/PasswordFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace almavest::app;
using namespace Qt::StringLiterals;
using almavest::test::fileBytes;
using almavest::test::writeBytes;

class TestPassword final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void knownScrambling_data();
    void knownScrambling();
    void unscrambling_data();
    void unscrambling();
    void countIsOneByte();
    void everyByteValueRoundTrips();
    void canonicalForm_data();
    void canonicalForm();
    void storedPassword_data();
    void storedPassword();
    void check_data();
    void check();
    void oversizedFileIsNeitherReadNorRewritten();
    void storeKeepsTheRestOfTheFile();
    void storeCreatesAMissingFile();
    void storeFailsWhenTheFileCannotBeWritten();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPassword::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPassword::knownScrambling_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("hex");
    // Worked out once by a separate implementation of the running key.
    QTest::newRow("one letter") << u"A"_s << u"DF"_s;
    QTest::newRow("word") << u"ALMAVEST"_s << u"DF800090CB774C94"_s;
    QTest::newRow("blank and accent") << u"PROVA 1è"_s << u"CE982C7FB934493D"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestPassword::knownScrambling()
{
    QFETCH(QString, plain);
    QFETCH(QString, hex);
    QCOMPARE(scramblePassword(plain), hex);
    QCOMPARE(unscramblePassword(hex), std::optional<QString>(plain));
}

void TestPassword::unscrambling_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("plain");
    QTest::newRow("lower-case digits") << u"df800090cb774c94"_s << true << u"ALMAVEST"_s;
    QTest::newRow("mixed case") << u"Df800090cB774C94"_s << true << u"ALMAVEST"_s;
    QTest::newRow("odd last digit ignored") << u"DF800090CB774C947"_s << true << u"ALMAVEST"_s;
    QTest::newRow("odd last non-digit ignored") << u"DFZ"_s << true << u"A"_s;
    QTest::newRow("single digit") << u"D"_s << true << QString();
    QTest::newRow("not hexadecimal") << u"DF80GG"_s << false << QString();
    QTest::newRow("blank inside") << u"DF 800"_s << false << QString();
    QTest::newRow("sign") << u"-1DF8"_s << false << QString();
}

void TestPassword::unscrambling()
{
    QFETCH(QString, hex);
    QFETCH(bool, valid);
    QFETCH(QString, plain);
    const std::optional<QString> decoded = unscramblePassword(hex);
    QCOMPARE(decoded.has_value(), valid);
    if (decoded)
        QCOMPARE(*decoded, plain);
}

void TestPassword::countIsOneByte()
{
    // Only length mod 256 characters are processed, both ways.
    const QString p255(255, u'x');
    QCOMPARE(scramblePassword(p255).size(), 510);
    QCOMPARE(unscramblePassword(scramblePassword(p255)), std::optional<QString>(p255));
    QCOMPARE(scramblePassword(QString(256, u'x')), QString());
    const QString p257 = QString(256, u'x') + u'A';
    QCOMPARE(scramblePassword(p257), u"E6"_s); // the first "x" alone

    // 257 pairs read as one; a bad pair past that one is never looked at.
    const QString hex257 = u"DF"_s + QString(511, u'0') + u'Z';
    QCOMPARE(unscramblePassword(hex257), std::optional<QString>(u"A"_s));
}

void TestPassword::everyByteValueRoundTrips()
{
    // Every plain byte under a long run of keys: the key update must wrap, never overflow.
    QString plain;
    for (int code = 1; code <= 255; ++code)
        plain.append(QChar(code));
    const QString hex = scramblePassword(plain);
    QCOMPARE(hex.size(), 510);
    QCOMPARE(unscramblePassword(hex), std::optional<QString>(plain));
    QCOMPARE(unscramblePassword(hex.toLower()), std::optional<QString>(plain));
}

void TestPassword::canonicalForm_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("canonical");
    QTest::newRow("lower case") << u"segreto"_s << u"SEGRETO"_s;
    QTest::newRow("blanks around") << u"  Segreto\t"_s << u"SEGRETO"_s;
    QTest::newRow("accent not upper-cased") << u"perché"_s << u"PERCHé"_s;
    QTest::newRow("inner blank kept") << u"a b"_s << u"A B"_s;
}

void TestPassword::canonicalForm()
{
    QFETCH(QString, typed);
    QFETCH(QString, canonical);
    QCOMPARE(canonicalPassword(typed), canonical);
}

void TestPassword::storedPassword_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("password");
    QTest::newRow("missing file") << QByteArray() << true << QString();
    QTest::newRow("missing key") << QByteArray("[Accesso]\r\nAltro=1\r\n") << true << QString();
    QTest::newRow("missing section") << QByteArray("[Altro]\r\nValore=DF\r\n") << true << QString();
    QTest::newRow("stored") << QByteArray("[Accesso]\r\nValore=DF800090CB774C94\r\n") << true
                            << u"ALMAVEST"_s;
    QTest::newRow("names in other case, lower-case digits, LF only")
        << QByteArray("[ACCESSO]\nvalore = df800090cb774c94\n") << true << u"ALMAVEST"_s;
    QTest::newRow("decoded blanks trimmed")
        << QByteArray("[Accesso]\r\nValore=BE3D3A\r\n") << true << u"A"_s;
    QTest::newRow("not hexadecimal")
        << QByteArray("[Accesso]\r\nValore=XYZW\r\n") << false << QString();
}

void TestPassword::storedPassword()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, readable);
    QFETCH(QString, password);
    const QString path = m_dir->filePath(u"unins000.dll"_s);
    if (!content.isEmpty())
        QVERIFY(writeBytes(path, content));
    const std::optional<QString> stored = PasswordFile(path).storedPassword();
    QCOMPARE(stored.has_value(), readable);
    if (stored)
        QCOMPARE(*stored, password);
}

namespace {

// A password file storing "ALMAVEST", padded with a comment to exactly `size` bytes.
QByteArray paddedFile(qsizetype size)
{
    QByteArray content("[Accesso]\r\nValore=DF800090CB774C94\r\n;");
    content += QByteArray(size - content.size() - 2, 'x') + "\r\n";
    return content;
}

} // namespace

void TestPassword::check_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");
    const QByteArray stored("[Accesso]\r\nValore=DF800090CB774C94\r\n");
    const int correct = int(PasswordCheck::Correct), wrong = int(PasswordCheck::Wrong);
    const int unreadable = int(PasswordCheck::Unreadable);
    QTest::newRow("same") << stored << u"ALMAVEST"_s << correct;
    QTest::newRow("lower case and blanks") << stored << u" almavest\t"_s << correct;
    QTest::newRow("one letter more") << stored << u"ALMAVESTI"_s << wrong;
    QTest::newRow("one letter less") << stored << u"ALMAVES"_s << wrong;
    QTest::newRow("accent is not a letter to case")
        << QByteArray("[Accesso]\r\nValore=CE982C7FB934493D\r\n") << u"prova 1È"_s << wrong;
    QTest::newRow("accent as stored")
        << QByteArray("[Accesso]\r\nValore=CE982C7FB934493D\r\n") << u"prova 1è"_s << correct;
    QTest::newRow("missing file") << QByteArray() << u"ALMAVEST"_s << wrong;
    QTest::newRow("not hexadecimal")
        << QByteArray("[Accesso]\r\nValore=XY\r\n") << u"x"_s << unreadable;
    QTest::newRow("64 KiB") << paddedFile(kMaxPasswordFileSize) << u"almavest"_s << correct;
    QTest::newRow("one byte over 64 KiB")
        << paddedFile(kMaxPasswordFileSize + 1) << u"almavest"_s << unreadable;
}

void TestPassword::check()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, typed);
    QFETCH(int, result);
    const QString path = m_dir->filePath(u"unins000.dll"_s);
    if (!content.isEmpty())
        QVERIFY(writeBytes(path, content));
    QCOMPARE(int(PasswordFile(path).check(typed)), result);
}

void TestPassword::oversizedFileIsNeitherReadNorRewritten()
{
    // Whatever took the password file's place, changing the password must not replace it.
    const QString path = m_dir->filePath(u"unins000.dll"_s);
    const QByteArray content = paddedFile(kMaxPasswordFileSize + 1);
    QVERIFY(writeBytes(path, content));
    QVERIFY(!PasswordFile(path).storedPassword().has_value());
    QVERIFY(!PasswordFile(path).storePassword(u"nuova"_s));
    QCOMPARE(fileBytes(path), content);
}

void TestPassword::storeKeepsTheRestOfTheFile()
{
    const QString path = m_dir->filePath(u"unins000.dll"_s);
    QVERIFY(writeBytes(path, "; installato\r\n[Accesso]\r\nValore=00\r\n[Altro]\r\nx=1\r\n"));
    QVERIFY(PasswordFile(path).storePassword(u"  almavest "_s));
    QCOMPARE(fileBytes(path),
        QByteArray("; installato\r\n[Accesso]\r\nValore=DF800090CB774C94\r\n[Altro]\r\nx=1\r\n"));
    QCOMPARE(PasswordFile(path).storedPassword(), std::optional<QString>(u"ALMAVEST"_s));
}

void TestPassword::storeCreatesAMissingFile()
{
    const QString path = m_dir->filePath(u"unins000.dll"_s);
    QVERIFY(PasswordFile(path).storePassword(u"a"_s));
    QCOMPARE(fileBytes(path), QByteArray("[Accesso]\r\nValore=DF\r\n"));
}

void TestPassword::storeFailsWhenTheFileCannotBeWritten()
{
    // A folder where the file should be: unreadable and unwritable even for root.
    const QString path = m_dir->filePath(u"unins000.dll"_s);
    QVERIFY(QDir(m_dir->path()).mkdir(u"unins000.dll"_s));
    QVERIFY(!PasswordFile(path).storedPassword().has_value());
    QVERIFY(!PasswordFile(path).storePassword(u"nuova"_s));

    // A missing folder: reading finds no file, writing fails.
    const QString missing = m_dir->filePath(u"gone/unins000.dll"_s);
    QCOMPARE(PasswordFile(missing).storedPassword(), std::optional<QString>(QString()));
    QVERIFY(!PasswordFile(missing).storePassword(u"nuova"_s));
}

QTEST_APPLESS_MAIN(TestPassword)
#include "tst_password.moc"
