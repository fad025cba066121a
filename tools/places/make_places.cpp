// Turns the list of Italian comuni (ANPR) and the list of foreign states into the program's
// register of birth places: one line per name a Belfiore code had over a span of days,
//   CODE|FIRST|LAST|PROVINCE|NAME
// with the days as yyyyMMdd (99991231 for a place that still exists), sorted by code and first
// day. Successive spans of a code with the same name and province are joined, since the
// register tells names apart, not changes of territory.
//   almavest_places COMUNI.csv STATES.csv OUTPUT
#include "text/CsvFields.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

struct Span
{
    QString code;
    QDate first;
    QDate last;
    QString province;
    QString name;
};

using almavest::text::csvFields;

bool isBelfioreCode(const QString &code)
{
    return code.size() == 4 && code.at(0) >= u'A' && code.at(0) <= u'Z'
        && std::all_of(
            code.begin() + 1, code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The lines of a UTF-8 file, its byte-order mark and header dropped; nullopt when unreadable.
std::optional<QStringList> dataLines(const char *path)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty())
        lines.removeFirst();
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

// The spans of a list whose columns `code`, `first`, `last`, `province` and `name` hold them;
// false on a line that cannot be read, after naming it.
bool readSpans(
    const char *path, int code, int first, int last, int province, int name, QList<Span> &spans)
{
    const std::optional<QStringList> lines = dataLines(path);
    if (!lines) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return false;
    }
    const int width = std::max({code, first, last, province, name}) + 1;
    for (const QString &line : *lines) {
        const QStringList fields = csvFields(line);
        Span span;
        if (fields.size() >= width) {
            span = {fields.at(code).trimmed().toUpper(),
                QDate::fromString(fields.at(first), QStringLiteral("yyyy-MM-dd")),
                QDate::fromString(fields.at(last), QStringLiteral("yyyy-MM-dd")),
                fields.at(province).trimmed(), fields.at(name).trimmed().toUpper()};
        }
        // A few old comuni never had a code ("ND"): no codice fiscale can name them.
        if (fields.size() >= width && !isBelfioreCode(span.code))
            continue;
        if (!span.first.isValid() || !span.last.isValid() || span.name.isEmpty()
            || span.name.contains(u'|') || span.province.contains(u'|')) {
            std::fprintf(stderr, "%s: cannot read the line %s\n", path, qPrintable(line));
            return false;
        }
        spans.append(span);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s COMUNI.csv STATES.csv OUTPUT\n", argv[0]);
        return 2;
    }
    QList<Span> spans;
    // ANPR: CODCATASTALE 4, DATAISTITUZIONE 1, DATACESSAZIONE 2, SIGLAPROVINCIA 14,
    // DENOMINAZIONE_IT 5. The states: CODICE 0, DATAISTITUZIONE 3, DATACESSAZIONE 4, no province.
    if (!readSpans(argv[1], 4, 1, 2, 14, 5, spans) || !readSpans(argv[2], 0, 3, 4, 2, 1, spans))
        return 1;
    for (Span &span : spans) {
        if (span.code.startsWith(u'Z'))
            span.province.clear();
    }
    std::stable_sort(spans.begin(), spans.end(), [](const Span &a, const Span &b) {
        return a.code != b.code ? a.code < b.code : a.first < b.first;
    });
    QList<Span> joined;
    for (const Span &span : spans) {
        if (!joined.isEmpty()) {
            Span &previous = joined.last();
            if (previous.code == span.code && previous.name == span.name
                && previous.province == span.province && span.first <= previous.last.addDays(1)) {
                previous.last = std::max(previous.last, span.last);
                continue;
            }
        }
        joined.append(span);
    }
    QByteArray out;
    for (const Span &span : joined) {
        out += span.code.toUtf8() + '|' + span.first.toString(QStringLiteral("yyyyMMdd")).toUtf8()
            + '|' + span.last.toString(QStringLiteral("yyyyMMdd")).toUtf8() + '|'
            + span.province.toUtf8() + '|' + span.name.toUtf8() + '\n';
    }
    QFile file(QString::fromLocal8Bit(argv[3]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.flush()) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
