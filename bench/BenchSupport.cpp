#include "BenchSupport.h"

#include "registry/MemberRecord.h"
#include "store/ListLines.h"
#include "store/RecordLayout.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <vector>

namespace almavest::bench {

double bestOf(int runs, const std::function<void()> &work)
{
    return bestOf(
        runs, [] {}, work);
}

double bestOf(int runs, const std::function<void()> &prepare, const std::function<void()> &work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

void require(bool ok, const char *what)
{
    if (!ok)
        qFatal("benchmark stopped: %s", what);
}

void row(const QString &what, double value, const QString &unit, double base, double goal)
{
    QTextStream out(stdout);
    out << qSetFieldWidth(56) << Qt::left << what << qSetFieldWidth(0)
        << QString::number(value, 'f', 2) << ' ' << unit;
    if (base > 0) {
        const double ratio = value / base;
        out << "   ratio " << QString::number(ratio, 'f', 2);
        if (goal > 0)
            out << " (goal <= " << goal << (ratio <= goal ? ", met)" : ", NOT met)");
    }
    out << Qt::endl;
}

namespace {

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
    // Expiry dates spread over three years around the end of 2026, notice up to 60 days.
    values[registry::ExpiryDate] = QDate(2025, 6, 1).addDays(n % 1100).toString(u"dd/MM/yyyy");
    values[registry::NoticeDays] = QString::number(n % 61);
    values[registry::Phone] = QStringLiteral("0543 123456");
    values[registry::Email] = QStringLiteral("socio%1@example.it").arg(n);
    return values;
}

} // namespace

bool generateRecords(const QString &path, const store::RecordLayout &layout, int records,
    const std::function<QStringList(int)> &sample)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block;
    QByteArray record = layout.blankRecord();
    for (int n = 1; n <= records; ++n) {
        layout.setFields(record, sample(n));
        block.append(record);
        if (block.size() > (4 << 20) || n == records) {
            if (file.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return true;
}

bool generateMembers(const QString &path, int records)
{
    return generateRecords(path, registry::memberLayout(), records, sampleMember);
}

double scanTime(const std::function<store::ListLines()> &scan, qsizetype &lines)
{
    constexpr int runs = 5;
    std::vector<store::ListLines> kept;
    kept.reserve(runs);
    const double time = bestOf(runs, [&] { kept.push_back(scan()); });
    require(kept.back().archiveOk, "cannot scan the archive");
    lines = kept.back().size();
    return time;
}

double rawRead(const QString &path)
{
    return bestOf(5, [&] {
        QFile file(path);
        require(file.open(QIODevice::ReadOnly), "cannot open the archive");
        QByteArray block(1 << 20, Qt::Uninitialized);
        while (file.read(block.data(), block.size()) > 0) { }
    });
}

} // namespace almavest::bench
