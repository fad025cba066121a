// The reminder board's core: who stands where on the edges of the notice window, the one pass
// over both archives, the letter's placeholders, the Bcc e-mail addresses and the setting.
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "WritesFail.h"
#include "journal/MovementRecord.h"
#include "journal/MovementSelection.h"
#include "registry/MemberRecord.h"
#include "reminders/ReminderLetter.h"
#include "reminders/ReminderMail.h"
#include "reminders/ReminderSettings.h"
#include "reminders/Reminders.h"
#include "store/Cp1252.h"
#include "store/RecordAppend.h"
#include "text/TextRoutines.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using namespace almavest;
using namespace almavest::reminders;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<almavest::reminders::Standing>)

namespace {

const QDate kToday(2025, 3, 10);

QStringList member(const QString &name, const QString &expiry, const QString &notice)
{
    QStringList values = registry::blankMember();
    values[registry::Name] = name;
    values[registry::ExpiryDate] = expiry;
    values[registry::NoticeDays] = notice;
    return values;
}

QStringList movement(
    const QString &purpose, const QString &due, const QString &notice, bool settled)
{
    QStringList values = journal::blankMovement(kToday);
    values[journal::Purpose] = purpose;
    values[journal::DueDate] = due;
    values[journal::NoticeDays] = notice;
    values[journal::Settled] = journal::flagText(settled);
    return values;
}

} // namespace

class TestReminders final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void standingOnTheEdges_data();
    void standingOnTheEdges();
    void boardFromBothArchives();
    void missingArchivesAreNotCreated();
    void unreadableMemberArchiveIsSaid();
    void cancelledScanStops();

    void letterPlaceholders_data();
    void letterPlaceholders();
    void addressAndFee();
    void letterTemplateMadeOnFirstUse();
    void letterTemplateInEitherEncoding_data();
    void letterTemplateInEitherEncoding();

    void addressesOfAField_data();
    void addressesOfAField();
    void everyAddressOnceInBcc();
    void longListsSplitOverMessages();

    void settingRoundTrip();
    void settingKeepsTheRestOfTheFile();
    void settingRefusedWhenTheFileCannotBeWritten();
};

void TestReminders::standingOnTheEdges_data()
{
    QTest::addColumn<QString>("expiry");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<std::optional<Standing>>("standing");
    const std::optional<Standing> none;
    // Today is 10/03/2025.
    QTest::newRow("expired yesterday")
        << u"09/03/2025"_s << u"0"_s << std::optional(Standing::Lapsed);
    QTest::newRow("expired, notice unreadable")
        << u"09/03/2025"_s << u"x"_s << std::optional(Standing::Lapsed);
    QTest::newRow("expires today, no notice")
        << u"10/03/2025"_s << u"0"_s << std::optional(Standing::Lapsing);
    QTest::newRow("notice begins today")
        << u"20/03/2025"_s << u"10"_s << std::optional(Standing::Lapsing);
    QTest::newRow("notice begins tomorrow") << u"20/03/2025"_s << u"9"_s << none;
    QTest::newRow("notice over a year end")
        << u"05/01/2026"_s << u"301"_s << std::optional(Standing::Lapsing);
    QTest::newRow("far away") << u"31/12/2027"_s << u"30"_s << none;
    QTest::newRow("no expiry") << QString() << u"30"_s << none;
    QTest::newRow("expiry not a date") << u"31/02/2025"_s << u"0"_s << none;
    QTest::newRow("notice unreadable") << u"12/03/2025"_s << u"tre"_s << none;
    QTest::newRow("negative notice") << u"12/03/2025"_s << u"-3"_s << none;
}

void TestReminders::standingOnTheEdges()
{
    QFETCH(QString, expiry);
    QFETCH(QString, notice);
    QFETCH(std::optional<Standing>, standing);
    QCOMPARE(memberStanding(text::parseDate(expiry, kToday), notice, kToday), standing);

    // The scan of an archive holding only this card agrees.
    QTemporaryDir dir;
    QVERIFY(store::appendRecords(dir.filePath(u"Soci.pro"_s), registry::memberLayout(),
        {member(u"Socio"_s, expiry, notice)}));
    const Reminders found = scanReminders(dir.path(), kToday);
    QCOMPARE(found.members.size(), standing ? 1 : 0);
    if (standing)
        QCOMPARE(found.members.standing(0), *standing);
}

// Every edge of the notice window in one archive, the first and last records among the listed,
// and the payments due of the year beside them.
void TestReminders::boardFromBothArchives()
{
    QTemporaryDir dir;
    QStringList first = member(u"Primo & <Socio>"_s, u"01/01/2020"_s, u"0"_s);
    first[registry::Email] = u"primo@example.it"_s;
    first[registry::Address] = u"Via Roma 1"_s;
    first[registry::Fee] = u"25,5000"_s;
    QVERIFY(store::appendRecords(dir.filePath(u"Soci.pro"_s), registry::memberLayout(),
        {first, member(u"Scade oggi"_s, u"10/03/2025"_s, u"0"_s),
            member(u"Lontano"_s, u"31/12/2027"_s, u"0"_s),
            member(u"Preavviso da oggi"_s, u"20/03/2025"_s, u"10"_s),
            member(u"Preavviso da domani"_s, u"20/03/2025"_s, u"9"_s),
            member(u"Senza scadenza"_s, QString(), u"0"_s),
            member(u"Ultimo scaduto"_s, u"09/03/2025"_s, u"0"_s)}));
    QVERIFY(
        store::appendRecords(journal::journalPath(dir.path(), u"2025"_s), journal::movementLayout(),
            {movement(u"Affitto palestra"_s, u"20/03/2025"_s, u"10"_s, false),
                movement(u"Saldato"_s, u"01/03/2025"_s, u"0"_s, true),
                movement(u"Non ancora"_s, u"20/03/2025"_s, u"9"_s, false),
                movement(u"Arretrato"_s, u"01/01/2025"_s, u"0"_s, false)}));
    // Another year's journal is not the board's.
    QVERIFY(store::appendRecords(journal::journalPath(dir.path(), u"2024"_s),
        journal::movementLayout(), {movement(u"Vecchio"_s, u"01/01/2024"_s, u"0"_s, false)}));

    store::ScanControl control;
    const Reminders found = scanReminders(dir.path(), kToday, &control);
    QVERIFY(found.membersRead);
    QVERIFY(found.journalRead);
    QVERIFY(!found.nothingToShow());
    QCOMPARE(found.year, 2025);
    QStringList names;
    QList<qint64> positions;
    for (qsizetype row = 0; row < found.members.size(); ++row) {
        names.append(found.members.text(row, registry::Name));
        positions.append(found.members.position(row));
    }
    QCOMPARE(names,
        QStringList(
            {u"Primo & <Socio>"_s, u"Scade oggi"_s, u"Preavviso da oggi"_s, u"Ultimo scaduto"_s}));
    QCOMPARE(positions, QList<qint64>({1, 2, 4, 7}));
    QCOMPARE(found.members.count(Standing::Lapsed), 2);
    QCOMPARE(found.members.count(Standing::Lapsing), 2);
    QCOMPARE(found.members.text(0, registry::Email), u"primo@example.it"_s);
    QCOMPARE(found.members.text(0, registry::Address), u"Via Roma 1"_s);
    QCOMPARE(found.members.text(0, registry::Fee), u"25,5000"_s);
    QCOMPARE(found.members.text(0, registry::Notes), QString()); // not kept
    QCOMPARE(found.duePayments, 2);
    // The count is the length of the summary it opens.
    QCOMPARE(found.duePayments,
        journal::dueMovements(journal::journalPath(dir.path(), u"2025"_s), kToday).size());
}

void TestReminders::missingArchivesAreNotCreated()
{
    QTemporaryDir dir;
    const Reminders found = scanReminders(dir.path(), kToday);
    QVERIFY(found.nothingToShow());
    QVERIFY(found.membersRead);
    QVERIFY(found.journalRead);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

void TestReminders::unreadableMemberArchiveIsSaid()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Soci.pro"_s);
    QVERIFY(store::appendRecords(
        path, registry::memberLayout(), {member(u"Scaduto"_s, u"01/01/2020"_s, u"0"_s)}));
    QFile::setPermissions(path, QFileDevice::Permissions());
    test::ReadOnlyAccess userOnly({dir.path()}); // root reads everything otherwise
    const Reminders found = scanReminders(dir.path(), kToday);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(!found.membersRead);
}

void TestReminders::cancelledScanStops()
{
    QTemporaryDir dir;
    QList<QStringList> many(5000, member(u"Scaduto"_s, u"01/01/2020"_s, u"0"_s));
    QVERIFY(store::appendRecords(dir.filePath(u"Soci.pro"_s), registry::memberLayout(), many));
    store::ScanControl control;
    control.setPace([](const store::ScanControl &self) {
        if (self.percent() > 0)
            const_cast<store::ScanControl &>(self).cancel();
    });
    const Reminders found = scanReminders(dir.path(), kToday, &control);
    QVERIFY(control.cancelled());
    QVERIFY(found.members.size() < 5000);
}

void TestReminders::letterPlaceholders_data()
{
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("printed");
    QTest::newRow("every placeholder")
        << u"[NOME]|[INDIRIZZO]|[SCADENZA]|[QUOTA]|[DATA]"_s << u"Anna"_s
        << u"Anna|Via Po 2\n10100 Torino (TO)|31/12/2024|30,00 €|10/03/2025"_s;
    QTest::newRow("any case") << u"Cara [nome] [Nome]"_s << u"Anna"_s << u"Cara Anna Anna"_s;
    QTest::newRow("a value holding a placeholder stays as typed")
        << u"[NOME] scade il [SCADENZA]"_s << u"Ditta [SCADENZA] & <C> [DATE] srl"_s
        << u"Ditta [SCADENZA] & <C> [DATE] srl scade il 31/12/2024"_s;
    QTest::newRow("other brackets kept") << u"[X] [NOM [] ["_s << u"Anna"_s << u"[X] [NOM [] ["_s;
    QTest::newRow("placeholder at both ends") << u"[NOME][NOME]"_s << u"A"_s << u"AA"_s;
    QTest::newRow("empty template") << QString() << u"Anna"_s << QString();
}

void TestReminders::letterPlaceholders()
{
    QFETCH(QString, letter);
    QFETCH(QString, name);
    QFETCH(QString, printed);
    const LetterValues values {
        name, u"Via Po 2\n10100 Torino (TO)"_s, u"31/12/2024"_s, u"30,00 €"_s, u"10/03/2025"_s};
    QCOMPARE(fillLetter(letter, values), printed);
}

void TestReminders::addressAndFee()
{
    QCOMPARE(addressLines(u" Via Po 2 "_s, u"10100"_s, u"Torino"_s, u"TO"_s),
        QStringList({u"Via Po 2"_s, u"10100 Torino (TO)"_s}));
    QCOMPARE(
        addressLines(QString(), QString(), u"Torino"_s, QString()), QStringList({u"Torino"_s}));
    QCOMPARE(addressLines(QString(), QString(), QString(), u"TO"_s), QStringList({u"(TO)"_s}));
    QCOMPARE(addressLines({}, {}, {}, {}), QStringList());
    QCOMPARE(feeText(u"25,0000"_s), u"25,00 €"_s);
    QCOMPARE(feeText(u"0,005"_s), u"0,01 €"_s);
    QCOMPARE(feeText(u"gratuita"_s), u"gratuita"_s);
}

void TestReminders::letterTemplateMadeOnFirstUse()
{
    QTemporaryDir dir;
    const app::ProgramFolder folder(dir.path());
    QString error;
    const std::optional<QString> text = readLetterTemplate(folder, error);
    QVERIFY2(text, qPrintable(error));
    QCOMPARE(*text, defaultLetterTemplate());
    const QByteArray stored = test::fileBytes(dir.filePath(QLatin1String(kLetterTemplateName)));
    QVERIFY(stored.startsWith("[DATA]\r\n\r\nGentile [NOME],\r\n"));
    // The person's own text is never replaced.
    QVERIFY(test::writeBytes(dir.filePath(QLatin1String(kLetterTemplateName)), "Mio testo"));
    QCOMPARE(readLetterTemplate(folder, error), std::optional(u"Mio testo"_s));

    // A folder that takes no file: nothing, with a reason.
    QTemporaryDir locked;
    test::ReadOnlyAccess readOnly({locked.path()});
    error.clear();
    QVERIFY(!readLetterTemplate(app::ProgramFolder(locked.path()), error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(locked.filePath(QLatin1String(kLetterTemplateName))));
}

void TestReminders::letterTemplateInEitherEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8") << QByteArray("Citt\xC3\xA0 \xE2\x82\xAC\r\nfine");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF"
                                                  "Citt\xC3\xA0 \xE2\x82\xAC\r\nfine");
    QTest::newRow("Windows-1252") << QByteArray("Citt\xE0 \x80\r\nfine");
}

void TestReminders::letterTemplateInEitherEncoding()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QVERIFY(test::writeBytes(dir.filePath(QLatin1String(kLetterTemplateName)), bytes));
    QString error;
    QCOMPARE(readLetterTemplate(app::ProgramFolder(dir.path()), error),
        std::optional(u"Città €\nfine"_s));
}

void TestReminders::addressesOfAField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("addresses");
    QTest::newRow("one") << u" anna@example.it "_s << QStringList {u"anna@example.it"_s};
    QTest::newRow("several") << u"a@x.it; b@y.it,c@z.it  d@w.it"_s
                             << QStringList {u"a@x.it"_s, u"b@y.it"_s, u"c@z.it"_s, u"d@w.it"_s};
    QTest::newRow("not an address") << u"nessuna"_s << QStringList();
    QTest::newRow("empty") << QString() << QStringList();
}

void TestReminders::addressesOfAField()
{
    QFETCH(QString, field);
    QFETCH(QStringList, addresses);
    QCOMPARE(fieldAddresses(field), addresses);
}

// The one message: every address once whatever its case, nothing before the "?", and an
// address holding "?", "&" or "," stays one address.
void TestReminders::everyAddressOnceInBcc()
{
    const QStringList messages
        = bccMailtoAddresses({u"Anna@Example.it"_s, u"bruno@example.it"_s, u"anna@example.IT"_s,
                                 u"strano?cc=x&y,z@example.it"_s, u"ANNA@EXAMPLE.IT"_s},
            u"Rinnovo & quota"_s);
    QCOMPARE(messages.size(), 1);
    const QUrl url = QUrl::fromEncoded(messages.first().toLatin1(), QUrl::StrictMode);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), u"mailto"_s);
    QCOMPARE(url.path(), QString()); // the visible To stays empty
    const QUrlQuery query(url);
    QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 2);
    QCOMPARE(query.queryItemValue(u"subject"_s, QUrl::FullyDecoded), u"Rinnovo & quota"_s);
    const QStringList bcc = query.queryItemValue(u"bcc"_s, QUrl::PrettyDecoded).split(u',');
    QStringList decoded;
    for (const QString &address : bcc)
        decoded.append(QUrl::fromPercentEncoding(address.toLatin1()));
    QCOMPARE(decoded,
        QStringList(
            {u"Anna@Example.it"_s, u"bruno@example.it"_s, u"strano?cc=x&y,z@example.it"_s}));
    QVERIFY(bccMailtoAddresses({}, u"x"_s).isEmpty());
}

void TestReminders::longListsSplitOverMessages()
{
    QStringList addresses;
    for (int i = 0; i < 300; ++i)
        addresses.append(u"socio%1@associazione-sportiva.it"_s.arg(i));
    addresses.append(u"x"_s.repeated(600) + u"@lungo.it"_s); // longer than a small limit
    const qsizetype limit = 500;
    const QStringList messages = bccMailtoAddresses(addresses, u"Promemoria"_s, limit);
    QVERIFY(messages.size() > 1);
    QStringList seen;
    for (const QString &message : messages) {
        const QString bcc = QUrlQuery(QUrl::fromEncoded(message.toLatin1()))
                                .queryItemValue(u"bcc"_s, QUrl::FullyDecoded);
        seen += bcc.split(u',');
        // Only the one address too long for any message passes the limit, alone.
        QVERIFY(message.size() <= limit || !bcc.contains(u','));
    }
    QCOMPARE(seen, addresses);
    // Each message is as full as the limit lets it be: the next address would not have fitted.
    const QString firstOfSecond = QUrlQuery(QUrl::fromEncoded(messages.at(1).toLatin1()))
                                      .queryItemValue(u"bcc"_s)
                                      .section(u',', 0, 0);
    QVERIFY(messages.at(0).size() + 1 + firstOfSecond.size() > limit);
}

void TestReminders::settingRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(showAtStart(dir.path()));
    QString error;
    QVERIFY(setShowAtStart(dir.path(), false, error));
    QVERIFY(!showAtStart(dir.path()));
    QCOMPARE(test::fileBytes(dir.filePath(QLatin1String(kSettingsFileName))),
        QByteArray("[Promemoria]\r\nMostraAllAvvio=0\r\n"));
    QVERIFY(setShowAtStart(dir.path(), true, error));
    QVERIFY(showAtStart(dir.path()));
}

void TestReminders::settingKeepsTheRestOfTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(kSettingsFileName));
    QVERIFY(test::writeBytes(path,
        "; impostazioni\r\n[Associazione]\r\nNome=Circolo \xE0 & co\r\n[PROMEMORIA]\r\n"
        "mostraallavvio=1\r\nAltro=x\r\n"));
    QString error;
    QVERIFY(setShowAtStart(dir.path(), false, error));
    QCOMPARE(test::fileBytes(path),
        QByteArray("; impostazioni\r\n[Associazione]\r\nNome=Circolo \xE0 & co\r\n[PROMEMORIA]\r\n"
                   "mostraallavvio=0\r\nAltro=x\r\n"));
}

// A full disk or a settings file too large to be one: the choice is refused, and the file is
// left as it was.
void TestReminders::settingRefusedWhenTheFileCannotBeWritten()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(kSettingsFileName));
    QVERIFY(test::writeBytes(path, "[Promemoria]\r\nMostraAllAvvio=1\r\n"));
    QString error;
    {
        test::WritesFail full;
        QVERIFY(!setShowAtStart(dir.path(), false, error));
    }
    QVERIFY(!error.isEmpty());
    QCOMPARE(test::fileBytes(path), QByteArray("[Promemoria]\r\nMostraAllAvvio=1\r\n"));

    const QByteArray huge = "[Promemoria]\r\nMostraAllAvvio=1\r\n" + QByteArray(2 << 20, ';');
    QVERIFY(test::writeBytes(path, huge));
    QVERIFY(!setShowAtStart(dir.path(), false, error));
    QCOMPARE(test::fileBytes(path), huge);
    QVERIFY(showAtStart(dir.path())); // unreadable: shown
}

QTEST_GUILESS_MAIN(TestReminders)
#include "tst_reminders.moc"
