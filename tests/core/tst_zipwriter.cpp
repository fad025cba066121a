// The backups' zip writer and its check: zips that every common reader takes, at the edges of
// the pieces the files are cut in, and a written zip with a damaged byte refused by the check.
#include "TestFiles.h"
#include "backup/ZipWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <zip.h>

using namespace almavest;
using namespace Qt::StringLiterals;
using almavest::backup::kZipPiece;
using almavest::test::fileBytes;
using almavest::test::writeBytes;

namespace {

const QDateTime kMoment(QDate(2026, 12, 11), QTime(9, 15, 42));

// Bytes that pack to almost nothing, as the archives' blank fields do, with some text between.
QByteArray records(qint64 size)
{
    QByteArray bytes;
    bytes.reserve(size);
    for (int n = 0; bytes.size() < size; ++n)
        bytes += "Socio " + QByteArray::number(n) + QByteArray(300, ' ') + "Forlì;";
    bytes.truncate(size);
    return bytes;
}

// Bytes that do not pack at all, as photos.
QByteArray noise(qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 seed = 2026;
    for (char &byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = char(seed >> 24);
    }
    return bytes;
}

// A folder of files and the zip written from them.
struct Written
{
    QTemporaryDir dir;
    QString zip = dir.filePath(u"copia.zip"_s);
    std::vector<backup::ZipSource> sources;
    QList<QByteArray> contents;
    backup::ZipOutcome outcome;

    void addFile(const QByteArray &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(QString::number(sources.size()));
        QVERIFY(writeBytes(path, bytes));
        sources.push_back({name, path, {}, bytes.size(), kMoment});
        contents.append(bytes);
    }
    void addBytes(const QByteArray &name, const QByteArray &bytes)
    {
        sources.push_back({name, {}, bytes, 0, kMoment});
        contents.append(bytes);
    }
    void write(bool forceZip64 = false)
    {
        outcome = backup::writeZip(zip, sources, {}, forceZip64);
        QVERIFY2(outcome.written, qPrintable(outcome.message + outcome.systemError));
    }
};

// Every entry as libzip reads it, with its consistency checks on.
QList<QPair<QByteArray, QByteArray>> readWithLibzip(const QString &path)
{
    QList<QPair<QByteArray, QByteArray>> entries;
    int code = 0;
    zip_t *archive
        = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive)
        return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_file_t *entry = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0 || !entry)
            break;
        QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
        const zip_int64_t read = zip_fread(entry, bytes.data(), stat.size);
        char beyond = 0;
        const bool whole = read == zip_int64_t(stat.size) && zip_fread(entry, &beyond, 1) == 0;
        zip_fclose(entry);
        if (!whole)
            break;
        entries.append({QByteArray(stat.name), bytes});
    }
    zip_close(archive);
    return entries;
}

// The exit code of a reader run on the zip, with what it said.
int runReader(const QString &program, const QStringList &arguments, QByteArray *said)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return -1;
    *said = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

constexpr char kPythonCheck[]
    = "import sys, zipfile, zlib\n"
      "z = zipfile.ZipFile(sys.argv[1])\n"
      "assert z.testzip() is None\n"
      "for i in z.infolist():\n"
      "    print(i.filename, i.file_size, zlib.crc32(z.read(i)) == i.CRC)\n";

} // namespace

class TestZipWriter final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyReaderTakesTheZip_data();
    void everyReaderTakesTheZip();
    void damagedZipRefused_data();
    void damagedZipRefused();
    void fileNotAsListed_data();
    void fileNotAsListed();
    void stopsWhenAsked();
};

void TestZipWriter::everyReaderTakesTheZip_data()
{
    QTest::addColumn<QList<qint64>>("sizes");
    QTest::addColumn<bool>("noisy");
    QTest::addColumn<bool>("zip64");
    QTest::newRow("an empty file") << QList<qint64> {0} << false << false;
    QTest::newRow("one byte") << QList<qint64> {1} << false << false;
    QTest::newRow("exactly one piece") << QList<qint64> {kZipPiece} << false << false;
    QTest::newRow("one piece and one byte") << QList<qint64> {kZipPiece + 1} << false << false;
    QTest::newRow("pieces that do not pack")
        << QList<qint64> {2 * kZipPiece + 999, 5000} << true << false;
    QTest::newRow("files of every size in a row")
        << QList<qint64> {0, 7, kZipPiece - 1, 3 * kZipPiece, 0} << false << false;
    QTest::newRow("large-file fields") << QList<qint64> {0, kZipPiece + 1, 12} << false << true;
}

// The zip passes its own check and holds every file byte for byte for libzip, `unzip -t`
// and Python's zipfile alike, the entry from memory first, each under its UTF-8 name.
void TestZipWriter::everyReaderTakesTheZip()
{
    QFETCH(QList<qint64>, sizes);
    QFETCH(bool, noisy);
    QFETCH(bool, zip64);
    Written written;
    written.addBytes(".almavest-copia", "note\n");
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        written.addFile("Schedario/è" + QByteArray::number(i) + ".jpg",
            noisy ? noise(sizes.at(i)) : records(sizes.at(i)));
    }
    written.write(zip64);
    QString error;
    QVERIFY2(backup::checkZip(written.zip, written.outcome.layout, &error), qPrintable(error));
    QCOMPARE(written.outcome.layout.fileSize, QFileInfo(written.zip).size());
    QCOMPARE(written.outcome.layout.zip64, zip64);

    const QList<QPair<QByteArray, QByteArray>> entries = readWithLibzip(written.zip);
    QCOMPARE(entries.size(), qsizetype(written.sources.size()));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QCOMPARE(entries.at(i).first, written.sources[size_t(i)].name);
        QVERIFY2(entries.at(i).second == written.contents.at(i), entries.at(i).first.constData());
    }

    QByteArray said;
    const QString unzip = QStandardPaths::findExecutable(u"unzip"_s);
    if (!unzip.isEmpty())
        QVERIFY2(runReader(unzip, {u"-tq"_s, written.zip}, &said) == 0, said.constData());
    const QString python = QStandardPaths::findExecutable(u"python3"_s);
    if (python.isEmpty())
        QSKIP("no python3 here to read the zip; libzip and unzip did");
    QVERIFY2(
        runReader(python, {u"-c"_s, QString::fromLatin1(kPythonCheck), written.zip}, &said) == 0,
        said.constData());
    QCOMPARE(said.count(" True\n"), qsizetype(written.sources.size()));
}

void TestZipWriter::damagedZipRefused_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("told");
    QTest::newRow("a byte of the first piece") << u"first piece"_s << u"«Soci.pro» è danneggiato"_s;
    QTest::newRow("a byte of the last piece") << u"last piece"_s << u"«Soci.pro» è danneggiato"_s;
    QTest::newRow("the last byte of the last piece")
        << u"last byte"_s << u"«Soci.pro» è danneggiato"_s;
    QTest::newRow("a byte of the first entry's data")
        << u"notes"_s << u"«.almavest-copia» è danneggiato"_s;
    QTest::newRow("a name in a local header")
        << u"local name"_s << u"intestazione del file «Soci.pro»"_s;
    QTest::newRow("a checksum in the index") << u"index crc"_s << u"indice è alterato"_s;
    QTest::newRow("the end record") << u"end"_s << u"indice è alterato"_s;
    QTest::newRow("cut short") << u"cut"_s << u"indice è alterato"_s;
}

// A written zip whose bytes differ anywhere that matters from what was written is refused by
// the check, which names the file it found damaged.
void TestZipWriter::damagedZipRefused()
{
    QFETCH(QString, where);
    QFETCH(QString, told);
    Written written;
    written.addBytes(".almavest-copia", "note\n");
    written.addFile("Soci.pro", records(2 * kZipPiece + 1));
    written.write();
    const backup::ZipLayout &layout = written.outcome.layout;
    const backup::ZipEntryRecord &members = layout.entries.at(1);
    QByteArray bytes = fileBytes(written.zip);
    qint64 at = 0;
    if (where == u"first piece")
        at = members.dataOffset + members.pieces.front().packedSize / 2;
    else if (where == u"last piece")
        at = members.dataOffset + members.pieces.back().packedOffset;
    else if (where == u"last byte")
        at = members.dataOffset + members.packedSize - 1;
    else if (where == u"notes")
        at = layout.entries.at(0).dataOffset;
    else if (where == u"local name")
        at = members.headerOffset + 30;
    else if (where == u"index crc")
        at = layout.indexOffset + 16;
    else if (where == u"end")
        at = layout.fileSize - 10;
    if (where == u"cut")
        bytes.chop(1);
    else
        bytes[at] = char(~bytes.at(at));
    QVERIFY(writeBytes(written.zip, bytes));
    QString error;
    QVERIFY(!backup::checkZip(written.zip, layout, &error));
    QVERIFY2(error.contains(told), qPrintable(error));
    QVERIFY(error.startsWith(u"Il file copia.zip non è una copia di sicurezza integra: "_s));
}

void TestZipWriter::fileNotAsListed_data()
{
    QTest::addColumn<qint64>("listed");
    QTest::addColumn<qint64>("size");
    QTest::newRow("grown by a byte") << qint64(100) << qint64(101);
    QTest::newRow("grown past a piece") << kZipPiece << kZipPiece + 1;
    QTest::newRow("shrunk by a byte") << kZipPiece + 1 << kZipPiece;
    QTest::newRow("emptied") << qint64(10) << qint64(0);
}

// A file whose size differs from the one listed in the notes, changed since it was listed, is
// not packed as if it were whole.
void TestZipWriter::fileNotAsListed()
{
    QFETCH(qint64, listed);
    QFETCH(qint64, size);
    Written written;
    written.addFile("2026.eur", records(size));
    written.sources.front().size = listed;
    const backup::ZipOutcome outcome = backup::writeZip(written.zip, written.sources);
    QVERIFY(!outcome.written);
    QCOMPARE(outcome.message, u"Il file «2026.eur» è cambiato mentre veniva copiato."_s);
}

// Asked to stop, the writer and the check stop at their next report and say so, not as a
// failure.
void TestZipWriter::stopsWhenAsked()
{
    Written written;
    // A sparse file of many pieces, more than are packed side by side at once.
    const QString path = written.dir.filePath(u"grande.pro"_s);
    QFile big(path);
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(130 * kZipPiece));
    big.close();
    written.sources.push_back({"grande.pro", path, {}, 130 * kZipPiece, kMoment});
    int reports = 0;
    const auto stopAtSecond = [&reports](qint64, qint64) { return ++reports < 2; };
    const backup::ZipOutcome stopped = backup::writeZip(written.zip, written.sources, stopAtSecond);
    QVERIFY(!stopped.written);
    QVERIFY(stopped.cancelled);
    QVERIFY(stopped.message.isEmpty() && stopped.systemError.isEmpty());

    written.write();
    reports = 0;
    QString error = u"before"_s;
    QVERIFY(!backup::checkZip(written.zip, written.outcome.layout, &error, stopAtSecond));
    QVERIFY(error.isEmpty());
    QVERIFY(backup::checkZip(written.zip, written.outcome.layout, &error));
}

QTEST_GUILESS_MAIN(TestZipWriter)
#include "tst_zipwriter.moc"
