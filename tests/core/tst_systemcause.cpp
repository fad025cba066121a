// The system's reason for a failed write, told to the user after the program's own words.
#include "app/SystemCause.h"

#include <QFile>
#include <QTest>

using namespace almavest::app;
using namespace Qt::StringLiterals;

class TestSystemCause final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void causes_data();
    void causes();
};

void TestSystemCause::causes_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("told");
    QTest::newRow("full disk") << u"No space left on device"_s << u"Spazio su disco esaurito."_s;
    QTest::newRow("full disk, in Italian")
        << u"Spazio esaurito sul device"_s << u"Spazio su disco esaurito."_s;
    QTest::newRow("file size limit")
        << u"File too large"_s << u"Il file supera la dimensione massima consentita dal sistema."_s;
    QTest::newRow("read-only disk")
        << u"Read-only file system"_s << u"Il disco è protetto dalla scrittura."_s;
    QTest::newRow("protected folder")
        << u"Permission denied"_s
        << u"Accesso negato: la cartella o il file non consente la scrittura."_s;
    QTest::newRow("name too long")
        << u"File name too long"_s << u"Il nome del file è troppo lungo."_s;
    QTest::newRow("any other, as written")
        << u"Stale file handle"_s << u"Causa segnalata dal sistema: Stale file handle."_s;
    QTest::newRow("no reason") << u"  "_s << QString();
    QTest::newRow("the default text, which says nothing") << QFile().errorString() << QString();
}

void TestSystemCause::causes()
{
    QFETCH(QString, system);
    QFETCH(QString, told);
    QCOMPARE(systemCause(system), told);
    const QString message = u"Attenzione: il file non è stato salvato."_s;
    QCOMPARE(withSystemCause(message, system),
        told.isEmpty() ? message : message + u"\n\r\n\r"_s + told);
}

QTEST_APPLESS_MAIN(TestSystemCause)
#include "tst_systemcause.moc"
