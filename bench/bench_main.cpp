// Measures, on one generated member archive, the costs that the screens pay on a large archive,
// each against a plain baseline so that the figures read the same on any machine:
//   - the full decoding scan (every field of every record) against a raw sequential read;
//   - reading one record in the middle of a 1,000-card and of a 100,000-card archive;
//   - starting the program up to the password screen against showing one empty window.
// Usage: almavest_bench [records]   (default 100000)
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "ui/app/Application.h"
#include "ui/services/Services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <vector>

using namespace almavest;

namespace {

QTextStream out(stdout);

// Best of `runs` timings, in milliseconds.
double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

QStringList sampleMember(int n)
{
    QStringList values = registry::blankMember();
    values[registry::Name] = QStringLiteral("Socio %1 Cognome Nome").arg(n);
    values[registry::CardNumber] = QString::number(n);
    values[registry::Fee] = QStringLiteral("25,00");
    values[registry::BirthPlace] = QStringLiteral("Forlì");
    values[registry::BirthDate] = QStringLiteral("05/03/1970");
    values[registry::TaxCode] = QStringLiteral("RSSMRA70C05D704X");
    values[registry::Address] = QStringLiteral("Via Giuseppe Garibaldi %1").arg(n % 200);
    values[registry::Town] = QStringLiteral("Città %1").arg(n % 50);
    values[registry::Province] = QStringLiteral("FC");
    values[registry::PostCode] = QStringLiteral("47121");
    values[registry::Role] = QStringLiteral("Socio ordinario");
    values[registry::Iban] = QStringLiteral("IT60X0542811101000000123456");
    values[registry::Notes] = QStringLiteral("Nessuna nota particolare: quota versata in contanti");
    values[registry::ExpiryDate] = QStringLiteral("31/12/2027");
    values[registry::NoticeDays] = QStringLiteral("30");
    values[registry::Phone] = QStringLiteral("0543 123456");
    values[registry::Email] = QStringLiteral("socio%1@example.it").arg(n);
    return values;
}

bool generate(const QString &path, int records)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block;
    QByteArray record = registry::memberLayout().blankRecord();
    for (int n = 1; n <= records; ++n) {
        registry::memberLayout().setFields(record, sampleMember(n));
        block.append(record);
        if (block.size() > (4 << 20) || n == records) {
            file.write(block);
            block.clear();
        }
    }
    return true;
}

double rawRead(const QString &path)
{
    return bestOf(5, [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QByteArray block(1 << 20, Qt::Uninitialized);
        qint64 total = 0;
        while (true) {
            const qint64 got = file.read(block.data(), block.size());
            if (got <= 0)
                break;
            total += got;
        }
        Q_ASSERT(total > 0);
    });
}

double decodingScan(const QString &path, qint64 *decodedChars)
{
    return bestOf(5, [&] {
        store::ArchiveFile archive(path, registry::kMemberRecordSize);
        archive.openOrCreate();
        qint64 chars = 0;
        store::DecodedRecord record;
        archive.scan([&](qint64, QByteArrayView bytes) {
            registry::memberLayout().decode(bytes, record);
            for (int i = 0; i < record.fieldCount(); ++i)
                chars += record.field(i).size();
            return true;
        });
        *decodedChars = chars;
    });
}

double readMiddle(const QString &path)
{
    // Microseconds: one open, read and close, as a browsing arrow does.
    const int repeats = 2000;
    return bestOf(3, [&] {
        for (int i = 0; i < repeats; ++i) {
            store::ArchiveFile archive(path, registry::kMemberRecordSize);
            archive.openOrCreate();
            QByteArray buffer;
            archive.read(archive.count() / 2, buffer);
            registry::memberLayout().fields(buffer);
        }
    }) * 1000.0 / repeats;
}

// Start-up of a child process of this program, in one of the two modes below.
double startUp(const QString &self, const QString &mode, const QString &folder)
{
    return bestOf(7, [&] {
        QProcess child;
        child.start(self, {mode, folder});
        child.waitForFinished(60000);
    });
}

int childStartUp(int argc, char *argv[], bool wholeProgram)
{
    QApplication qtApp(argc, argv);
    const QString folder = QCoreApplication::arguments().value(2);
    ui::DesktopServices services;
    std::unique_ptr<ui::Application> app;
    std::unique_ptr<QWidget> empty;
    if (wholeProgram) {
        app = std::make_unique<ui::Application>(services, folder);
        app->start();
    } else {
        empty = std::make_unique<QWidget>();
        empty->show();
    }
    // Leave once the first frame has been handled.
    QTimer::singleShot(0, &qtApp, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}

void row(const QString &what, double value, const QString &unit, double base, double goal)
{
    out << qSetFieldWidth(52) << Qt::left << what << qSetFieldWidth(0) << QString::number(value, 'f', 2)
        << ' ' << unit;
    if (base > 0) {
        const double ratio = value / base;
        out << "   ratio " << QString::number(ratio, 'f', 2);
        if (goal > 0)
            out << " (goal <= " << goal << (ratio <= goal ? ", met)" : ", NOT met)");
    }
    out << Qt::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 2 && qstrcmp(argv[1], "--child-app") == 0)
        return childStartUp(argc, argv, true);
    if (argc >= 2 && qstrcmp(argv[1], "--child-empty") == 0)
        return childStartUp(argc, argv, false);

    QCoreApplication core(argc, argv);
    const int records = argc >= 2 ? QByteArray(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("Soci.pro"));
    const QString small = dir.filePath(QStringLiteral("Piccolo.pro"));
    if (!generate(big, records) || !generate(small, 1000)) {
        out << "cannot write the archives in " << dir.path() << Qt::endl;
        return 1;
    }
    out << "Member archive: " << records << " records, " << QFile(big).size() / (1 << 20)
        << " MiB" << Qt::endl;

    const double raw = rawRead(big);
    qint64 chars = 0;
    const double scan = decodingScan(big, &chars);
    row(QStringLiteral("raw sequential read"), raw, QStringLiteral("ms"), 0, 0);
    row(QStringLiteral("scan decoding every field"), scan, QStringLiteral("ms"), raw, 5);

    const double middleSmall = readMiddle(small);
    const double middleBig = readMiddle(big);
    row(QStringLiteral("one record in the middle, 1,000 records"), middleSmall, QStringLiteral("us"), 0, 0);
    row(QStringLiteral("one record in the middle, large archive"), middleBig, QStringLiteral("us"),
        middleSmall, 1.5);

    const QString self = QCoreApplication::applicationFilePath();
    const double empty = startUp(self, QStringLiteral("--child-empty"), dir.path());
    const double program = startUp(self, QStringLiteral("--child-app"), dir.path());
    row(QStringLiteral("start-up: one empty window"), empty, QStringLiteral("ms"), 0, 0);
    row(QStringLiteral("start-up: program to the password screen"), program, QStringLiteral("ms"),
        empty, 2);
    return 0;
}
