// Backups of the data folder: what they hold, when one is made, how many are kept, how they are
// checked, and a restore that touches nothing unless the whole backup is sound.
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "WritesFail.h"
#include "backup/Backup.h"
#include "store/ScanControl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <zip.h>

using namespace almavest;
using namespace Qt::StringLiterals;
using almavest::backup::BackupOutcome;
using almavest::test::fileBytes;
using almavest::test::writeBytes;

namespace {

const QDateTime kMorning(QDate(2026, 12, 11), QTime(8, 30, 0));

// A program folder with every kind of data and, beside them, what is not data.
struct Fixture
{
    QTemporaryDir dir;
    QString folder = dir.path();

    QString file(const QString &name) const { return QDir(folder).filePath(name); }
    void put(const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(file(name)).absolutePath());
        QVERIFY(writeBytes(file(name), bytes));
    }
    Fixture()
    {
        // Open to everyone, as a folder on a stick is, so that the tests that give up root's
        // rights still read it.
        QFile::setPermissions(folder, QFileDevice::Permissions(0x7777));
        put(u"Soci.pro"_s, QByteArray(2666 * 3, ' ') + "Rossi Mario");
        put(u"Soci 2026.lib"_s, "pagina");
        put(u"2026.eur"_s, "movimenti");
        put(u"Libro_Soci.ini"_s, "[Frontespizio Registro]\r\nTitolo=Libro");
        put(u"unins000.dll"_s, "password");
        put(u"Schedario/12.jpg"_s, QByteArray(5000, '\xff'));
        put(u"Documenti_Allegati/12/Domanda.pdf"_s, "%PDF");
        put(u"Ricevute/2026/Ricevuta_1_2026.pdf"_s, "%PDF ricevuta");
        // Not data: the program, its guide, what a writer leaves, hidden files, the backups.
        put(u"Almavest"_s, "program");
        put(u"Guida.pdf"_s, "guide");
        put(u"Soci.pro.tmp"_s, "half");
        put(u".nascosto.ini"_s, "hidden");
        put(u"Altro/Nota.ini"_s, "elsewhere");
    }
    QStringList dataNames() const
    {
        QStringList names;
        for (const backup::DataFile &data : backup::dataFiles(folder))
            names.append(data.name);
        return names;
    }
    QMap<QString, QByteArray> dataBytes() const
    {
        QMap<QString, QByteArray> bytes;
        for (const QString &name : dataNames())
            bytes.insert(name, fileBytes(file(name)));
        return bytes;
    }
};

const QStringList kDataNames = {u"2026.eur"_s, u"Documenti_Allegati/12/Domanda.pdf"_s,
    u"Libro_Soci.ini"_s, u"Ricevute/2026/Ricevuta_1_2026.pdf"_s, u"Schedario/12.jpg"_s,
    u"Soci 2026.lib"_s, u"Soci.pro"_s, u"unins000.dll"_s};

// A zip made by hand, with the notes a backup carries and the entries given.
bool writeZip(const QString &path, const QByteArray &notes,
    const QList<QPair<QByteArray, QByteArray>> &entries)
{
    int code = 0;
    zip_t *archive
        = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    QList<QPair<QByteArray, QByteArray>> all = entries;
    all.prepend({".almavest-copia", notes});
    for (const auto &[name, bytes] : std::as_const(all)) {
        zip_source_t *source = zip_source_buffer(archive, bytes.constData(), bytes.size(), 0);
        if (zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8) < 0)
            return false;
    }
    return zip_close(archive) == 0;
}

} // namespace

class TestBackup final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dataNames_data();
    void dataNames();
    void backupHoldsTheDataSet();
    void madeOnlyWhenSomethingChanged();
    void keepsTheNewest_data();
    void keepsTheNewest();
    void damagedBackupsRefused_data();
    void damagedBackupsRefused();
    void failedBackupLeavesEverythingAsItWas_data();
    void failedBackupLeavesEverythingAsItWas();
    void fullTmpfsLeavesEverythingAsItWas();
    void restoreBringsTheFolderBack();
    void restoreOfTheOldestKeptBackup();
    void cancelledBackupLeavesNothing();
    void deadPartsRemovedAtTheNextBackup();
    void keptNumber_data();
    void keptNumber();
};

void TestBackup::dataNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("data");
    QTest::newRow("member archive") << u"Soci.pro"_s << true;
    QTest::newRow("extension in capitals") << u"SOCI.PRO"_s << true;
    QTest::newRow("journal") << u"2025.eur"_s << true;
    QTest::newRow("receipt register") << u"2025.ric"_s << true;
    QTest::newRow("password file") << u"unins000.dll"_s << true;
    QTest::newRow("photo") << u"Schedario/1.jpg"_s << true;
    QTest::newRow("attachment deep down") << u"Documenti_Allegati/3/a/b.pdf"_s << true;
    QTest::newRow("guide") << u"Guida.pdf"_s << false;
    QTest::newRow("the backups themselves") << u"Backup/Copia.ini"_s << false;
    QTest::newRow("up and out") << u"../Soci.pro"_s << false;
    QTest::newRow("up and out of a data folder") << u"Schedario/../../x.ini"_s << false;
    QTest::newRow("absolute") << u"/etc/x.ini"_s << false;
    QTest::newRow("empty part") << u"Schedario//1.jpg"_s << false;
    QTest::newRow("backslash") << u"Schedario\\1.jpg"_s << false;
    QTest::newRow("the folder alone") << u"Schedario/"_s << false;
    QTest::newRow("the backup's notes") << u".almavest-copia"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestBackup::dataNames()
{
    QFETCH(QString, name);
    QFETCH(bool, data);
    QCOMPARE(backup::isDataName(name), data);
}

// A backup holds every data file and nothing else, read back whole with its date; a photo
// that is a link out of the folder is not followed.
void TestBackup::backupHoldsTheDataSet()
{
    Fixture fixture;
    QVERIFY(QFile::link(u"/etc/hostname"_s, fixture.file(u"Schedario/fuori.jpg"_s)));
    QCOMPARE(fixture.dataNames(), kDataNames);

    const backup::BackupResult made = backup::makeBackup(fixture.folder, kMorning, 10);
    QCOMPARE(made.outcome, BackupOutcome::Made);
    QCOMPARE(QFileInfo(made.path).fileName(), u"Copia_2026-12-11_08-30-00.zip"_s);
    QCOMPARE(QDir(fixture.file(u"Backup"_s)).entryList(QDir::Files),
        QStringList {u"Copia_2026-12-11_08-30-00.zip"_s});
    QString error;
    const std::optional<backup::BackupContents> contents = backup::readBackup(made.path, &error);
    QVERIFY2(contents, qPrintable(error));
    QCOMPARE(contents->made, kMorning);
    QCOMPARE(contents->files, backup::dataFiles(fixture.folder));
    QCOMPARE(contents->bytes, qint64(2666 * 3 + 11 + 6 + 9 + 37 + 8 + 5000 + 4 + 13));
}

// At every exit a backup is made only when the data differ from the newest backup; asked for,
// it is made all the same, under a name of its own even within the same second.
void TestBackup::madeOnlyWhenSomethingChanged()
{
    Fixture fixture;
    QCOMPARE(backup::makeBackup(fixture.folder, kMorning, 10).outcome, BackupOutcome::Made);
    const backup::BackupResult again = backup::makeBackup(fixture.folder, kMorning.addSecs(60), 10);
    QCOMPARE(again.outcome, BackupOutcome::Unchanged);
    QCOMPARE(QFileInfo(again.path).fileName(), u"Copia_2026-12-11_08-30-00.zip"_s);

    const backup::BackupResult asked
        = backup::makeBackup(fixture.folder, kMorning, 10, /*always=*/true);
    QCOMPARE(asked.outcome, BackupOutcome::Made);
    QCOMPARE(QFileInfo(asked.path).fileName(), u"Copia_2026-12-11_08-30-00_2.zip"_s);

    fixture.put(u"Schedario/13.jpg"_s, "new photo");
    QCOMPARE(
        backup::makeBackup(fixture.folder, kMorning.addSecs(120), 10).outcome, BackupOutcome::Made);
    QVERIFY(QFile::remove(fixture.file(u"Schedario/13.jpg"_s)));
    QCOMPARE(
        backup::makeBackup(fixture.folder, kMorning.addSecs(180), 10).outcome, BackupOutcome::Made);
    QCOMPARE(backup::backupPaths(fixture.folder).size(), 4);

    Fixture empty;
    for (const QString &name : kDataNames)
        QVERIFY(QFile::remove(empty.file(name)));
    QCOMPARE(backup::makeBackup(empty.folder, kMorning, 10).outcome, BackupOutcome::Unchanged);
    QVERIFY(!QFileInfo::exists(empty.file(u"Backup"_s)));
}

void TestBackup::keepsTheNewest_data()
{
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("left");
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("three of five") << 3 << 3;
    QTest::newRow("five of five") << 5 << 5;
    QTest::newRow("more than there are") << 10 << 5;
    QTest::newRow("none asked, one kept") << 0 << 1;
}

void TestBackup::keepsTheNewest()
{
    QFETCH(int, kept);
    QFETCH(int, left);
    Fixture fixture;
    QStringList made;
    for (int i = 0; i < 5; ++i) {
        const backup::BackupResult result
            = backup::makeBackup(fixture.folder, kMorning.addDays(i), kept, true);
        QCOMPARE(result.outcome, BackupOutcome::Made);
        made.prepend(result.path);
    }
    QCOMPARE(backup::backupPaths(fixture.folder), made.mid(0, left));
}

void TestBackup::damagedBackupsRefused_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("told");
    QTest::newRow("a byte changed in a packed file") << u"byte"_s << u"è danneggiato"_s;
    QTest::newRow("cut short") << u"cut"_s << u"non si riesce a leggerlo"_s;
    QTest::newRow("not a zip") << u"text"_s << u"non si riesce a leggerlo"_s;
    QTest::newRow("a zip of someone else") << u"foreign"_s << u"note con cui Almavest"_s;
    QTest::newRow("a name that climbs out") << u"climbs"_s << u"note con cui Almavest"_s;
    QTest::newRow("an entry its notes do not list") << u"unlisted"_s << u"non elencano"_s;
    QTest::newRow("an entry its notes list is missing") << u"missing"_s << u"mancano alcuni"_s;
    QTest::newRow("no data at all") << u"empty"_s << u"non contiene alcun file"_s;
}

// A damaged backup is told as such and a restore from it touches nothing: not the data, not
// the other backups, and it makes no safety copy either.
void TestBackup::damagedBackupsRefused()
{
    QFETCH(QString, damage);
    QFETCH(QString, told);
    Fixture fixture;
    const QString path = backup::makeBackup(fixture.folder, kMorning, 10).path;
    QByteArray bytes = fileBytes(path);
    const QByteArray notes
        = "Almavest: copia di sicurezza dei dati\nfatta\t2026-12-11T08:30:00.000\n";
    if (damage == u"byte") {
        // The photo's 5,000 bytes of 0xff pack into a short run; its packed bytes follow its
        // name in the file.
        const qsizetype at = bytes.indexOf("Schedario/12.jpg") + 20;
        bytes[at] = char(bytes.at(at) ^ 0x55);
        QVERIFY(writeBytes(path, bytes));
    } else if (damage == u"cut") {
        QVERIFY(writeBytes(path, bytes.left(bytes.size() / 2)));
    } else if (damage == u"text") {
        QVERIFY(writeBytes(path, "Non sono una copia."));
    } else if (damage == u"foreign") {
        QVERIFY(writeZip(path, "altro programma\n", {{"Soci.pro", "x"}}));
    } else if (damage == u"climbs") {
        QVERIFY(writeZip(path, notes + "file\t1\t0\t../fuori.ini\n", {{"../fuori.ini", "x"}}));
    } else if (damage == u"unlisted") {
        QVERIFY(writeZip(
            path, notes + "file\t1\t0\tSoci.pro\n", {{"Soci.pro", "x"}, {"Libro_Soci.ini", "y"}}));
    } else if (damage == u"empty") {
        QVERIFY(writeZip(path, notes, {}));
    } else {
        QVERIFY(writeZip(
            path, notes + "file\t1\t0\tSoci.pro\nfile\t1\t0\t2026.eur\n", {{"Soci.pro", "x"}}));
    }
    QString error;
    QVERIFY(!backup::readBackup(path, &error));
    QVERIFY2(error.contains(told), qPrintable(error));

    fixture.put(u"Soci.pro"_s, "changed since");
    const QMap<QString, QByteArray> changed = fixture.dataBytes();
    const backup::RestoreResult restore
        = backup::restoreBackup(fixture.folder, path, kMorning.addSecs(60), 10);
    QVERIFY(!restore.restored);
    QVERIFY(restore.error.contains(told));
    QVERIFY(restore.error.endsWith(u"Nessun dato è stato modificato."_s));
    QCOMPARE(fixture.dataBytes(), changed);
    QCOMPARE(backup::backupPaths(fixture.folder), QStringList {path});
}

void TestBackup::failedBackupLeavesEverythingAsItWas_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("told");
    QTest::newRow("writes fail as on a full disk") << u"full"_s << u"dimensione massima"_s;
    QTest::newRow("read-only program folder") << u"readonly"_s << u"Accesso negato"_s;
    QTest::newRow("read-only backup folder") << u"readonlybackup"_s << u"Accesso negato"_s;
    QTest::newRow("a photo unreadable") << u"unreadable"_s << u"non è stata fatta"_s;
}

// A backup that cannot be written says why in Italian and leaves the data, the earlier backups
// and no half-written file behind.
void TestBackup::failedBackupLeavesEverythingAsItWas()
{
    QFETCH(QString, fault);
    QFETCH(QString, told);
    Fixture fixture;
    const QString earlier = backup::makeBackup(fixture.folder, kMorning, 10).path;
    const QByteArray earlierBytes = fileBytes(earlier);
    fixture.put(u"2026.eur"_s, "movimenti e altri");
    const QMap<QString, QByteArray> data = fixture.dataBytes();
    backup::BackupResult result;
    if (fault == u"full") {
        const test::WritesFail full(1024);
        result = backup::makeBackup(fixture.folder, kMorning.addSecs(60), 10);
    } else if (fault == u"readonly") {
        QVERIFY(QDir(fixture.file(u"Backup"_s)).removeRecursively());
        const test::ReadOnlyAccess locked({fixture.folder});
        result = backup::makeBackup(fixture.folder, kMorning.addSecs(60), 10);
    } else if (fault == u"readonlybackup") {
        const test::ReadOnlyAccess locked({fixture.file(u"Backup"_s)});
        result = backup::makeBackup(fixture.folder, kMorning.addSecs(60), 10);
    } else {
        QFile::setPermissions(fixture.file(u"Backup"_s), QFileDevice::Permissions(0x7777));
        QFile::setPermissions(fixture.file(u"Schedario/12.jpg"_s), {});
        const test::ReadOnlyAccess locked({});
        result = backup::makeBackup(fixture.folder, kMorning.addSecs(60), 10);
    }
    QCOMPARE(result.outcome, BackupOutcome::Failed);
    QVERIFY2(result.error.contains(told), qPrintable(result.error));
    QVERIFY(result.error.contains(u"sono rimasti come erano"_s));
    QFile::setPermissions(
        fixture.file(u"Schedario/12.jpg"_s), QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(fixture.dataBytes(), data);
    if (fault != u"readonly") {
        QCOMPARE(QDir(fixture.file(u"Backup"_s)).entryList(QDir::Files | QDir::Hidden),
            QStringList {QFileInfo(earlier).fileName()});
        QCOMPARE(fileBytes(earlier), earlierBytes);
    }
}

// On a real full disk (a small tmpfs) the same: a clear message and nothing left behind.
void TestBackup::fullTmpfsLeavesEverythingAsItWas()
{
    QTemporaryDir mountPoint;
    if (QProcess::execute(u"mount"_s,
            {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=64k"_s, u"tmpfs"_s, mountPoint.path()})
        != 0)
        QSKIP("this machine lets no tmpfs be mounted; the full disk is tested through a file size "
              "limit");
    const auto unmount = qScopeGuard([&] { QProcess::execute(u"umount"_s, {mountPoint.path()}); });
    const QString folder = mountPoint.path();
    // Bytes that do not pack: a backup of them needs as much room as they take.
    QByteArray noise(40 * 1024, Qt::Uninitialized);
    quint32 seed = 12345;
    for (char &byte : noise) {
        seed = seed * 1103515245u + 12345u;
        byte = char(seed >> 24);
    }
    QVERIFY(writeBytes(QDir(folder).filePath(u"Soci.pro"_s), noise));
    const backup::BackupResult result = backup::makeBackup(folder, kMorning, 10);
    QCOMPARE(result.outcome, BackupOutcome::Failed);
    QVERIFY2(result.error.contains(u"Spazio su disco esaurito."_s), qPrintable(result.error));
    QCOMPARE(fileBytes(QDir(folder).filePath(u"Soci.pro"_s)), noise);
    QCOMPARE(QDir(QDir(folder).filePath(u"Backup"_s)).entryList(QDir::Files | QDir::Hidden),
        QStringList());
}

// A restore brings back every file as it was, removes the data made since (a new book), puts
// back what was deleted since, and first saves the data as they were in a backup of their own.
void TestBackup::restoreBringsTheFolderBack()
{
    Fixture fixture;
    const QMap<QString, QByteArray> original = fixture.dataBytes();
    const QString path = backup::makeBackup(fixture.folder, kMorning, 10).path;

    fixture.put(u"Soci.pro"_s, "a different archive");
    fixture.put(u"Nuovo libro.lib"_s, "new book");
    QVERIFY(QFile::remove(fixture.file(u"Libro_Soci.ini"_s)));
    QVERIFY(QDir(fixture.file(u"Schedario"_s)).removeRecursively());
    const QMap<QString, QByteArray> since = fixture.dataBytes();

    store::ScanControl control;
    int lastPercent = 0;
    bool forward = true;
    control.setPace([&](const store::ScanControl &c) {
        forward = forward && c.percent() >= lastPercent;
        lastPercent = c.percent();
    });
    const backup::RestoreResult restore
        = backup::restoreBackup(fixture.folder, path, kMorning.addSecs(3600), 10, &control);
    QVERIFY2(restore.restored, qPrintable(restore.error));
    QCOMPARE(fixture.dataBytes(), original);
    QVERIFY(forward);
    QCOMPARE(lastPercent, 100);
    QCOMPARE(QDir(fixture.folder).entryList({u"*.ripristino"_s}, QDir::Files), QStringList());

    QCOMPARE(QFileInfo(restore.safetyCopy).fileName(), u"Copia_2026-12-11_09-30-00.zip"_s);
    const std::optional<backup::BackupContents> safety = backup::readBackup(restore.safetyCopy);
    QVERIFY(safety);
    QStringList names;
    for (const backup::DataFile &file : safety->files)
        names.append(file.name);
    QCOMPARE(names, since.keys());
}

// Restoring the oldest of the backups kept, when as many are kept as there are: the safety copy
// does not push out the very backup being restored.
void TestBackup::restoreOfTheOldestKeptBackup()
{
    Fixture fixture;
    const QMap<QString, QByteArray> original = fixture.dataBytes();
    const QString oldest = backup::makeBackup(fixture.folder, kMorning, 2).path;
    fixture.put(u"2026.eur"_s, "altri movimenti");
    QCOMPARE(
        backup::makeBackup(fixture.folder, kMorning.addDays(1), 2).outcome, BackupOutcome::Made);
    fixture.put(u"2026.eur"_s, "altri movimenti ancora");
    const backup::RestoreResult restore
        = backup::restoreBackup(fixture.folder, oldest, kMorning.addDays(2), 2);
    QVERIFY2(restore.restored, qPrintable(restore.error));
    QCOMPARE(fixture.dataBytes(), original);
    QCOMPARE(backup::backupPaths(fixture.folder).first(), restore.safetyCopy);
    QCOMPARE(backup::backupPaths(fixture.folder).size(), 2);
}

// A backup stopped halfway leaves no file and no backup.
void TestBackup::cancelledBackupLeavesNothing()
{
    Fixture fixture;
    store::ScanControl control;
    control.cancel();
    QCOMPARE(backup::makeBackup(fixture.folder, kMorning, 10, false, &control).outcome,
        BackupOutcome::Cancelled);
    QCOMPARE(QDir(fixture.file(u"Backup"_s)).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// The temporary file of a backup left by a copy of the program that stopped while writing it
// goes at the next backup once it has not changed for an hour; a younger one may still be
// written by another copy and stays, and so does what is not a backup's temporary file.
void TestBackup::deadPartsRemovedAtTheNextBackup()
{
    Fixture fixture;
    QVERIFY(QDir().mkpath(fixture.file(u"Backup"_s)));
    const QDateTime clock = QDateTime::currentDateTime();
    const QList<QPair<QString, qint64>> parts = {
        {u"Copia_2026-12-10_08-00-00.zip.4242.part"_s, -86400},
        {u"Copia_2026-12-11_07-00-00.zip.4243.part"_s, -3660},
        {u"Copia_2026-12-11_07-30-00.zip.4244.part"_s, -3540},
        {u"Copia_2026-12-11_08-29-59.zip.4245.part"_s, 0},
        {u"Altro.part"_s, -86400},
    };
    for (const auto &[name, age] : parts) {
        QFile part(fixture.file(u"Backup/"_s + name));
        QVERIFY(part.open(QIODevice::WriteOnly));
        QVERIFY(part.write("PK\x03\x04 half written") > 0 && part.flush());
        QVERIFY(part.setFileTime(clock.addSecs(age), QFileDevice::FileModificationTime));
    }
    const backup::BackupResult made = backup::makeBackup(fixture.folder, kMorning, 10);
    QCOMPARE(made.outcome, BackupOutcome::Made);
    QCOMPARE(QDir(fixture.file(u"Backup"_s)).entryList(QDir::Files | QDir::Hidden),
        QStringList({u"Altro.part"_s, u"Copia_2026-12-11_07-30-00.zip.4244.part"_s,
            u"Copia_2026-12-11_08-29-59.zip.4245.part"_s, QFileInfo(made.path).fileName()}));
}

void TestBackup::keptNumber_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("kept");
    QTest::newRow("no settings") << QByteArray() << 10;
    QTest::newRow("one") << QByteArray("[Copie di sicurezza]\r\nConservate=1\r\n") << 1;
    QTest::newRow("ninety-nine") << QByteArray("[copie di sicurezza]\r\nconservate= 99\r\n") << 99;
    QTest::newRow("zero") << QByteArray("[Copie di sicurezza]\r\nConservate=0\r\n") << 10;
    QTest::newRow("a hundred") << QByteArray("[Copie di sicurezza]\r\nConservate=100\r\n") << 10;
    QTest::newRow("not a number") << QByteArray("[Copie di sicurezza]\r\nConservate=tre\r\n") << 10;
}

// The number of backups kept, from the settings; what is not a number from 1 to 99 is the usual
// ten. Saving keeps the rest of the settings file.
void TestBackup::keptNumber()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, kept);
    Fixture fixture;
    const QString path = fixture.file(u"Impostazioni.ini"_s);
    if (!settings.isEmpty())
        fixture.put(u"Impostazioni.ini"_s, "[Associazione]\r\nTipo=ETS\r\n" + settings);
    QCOMPARE(backup::keptBackups(fixture.folder), kept);
    QString error;
    QVERIFY(backup::setKeptBackups(fixture.folder, 7, error));
    QCOMPARE(backup::keptBackups(fixture.folder), 7);
    QCOMPARE(fileBytes(path).startsWith("[Associazione]\r\nTipo=ETS\r\n"), !settings.isEmpty());
}

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
