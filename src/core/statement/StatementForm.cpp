#include "statement/StatementForm.h"

#include "text/CsvFields.h"

#include <QFile>

#include <algorithm>

namespace almavest::statement {

namespace {

constexpr int kFieldCount = 5;

// The direction column of the form's text and what it makes of the line.
struct Direction
{
    const char *word;
    Side side;
    bool figurative;
};

constexpr Direction kDirections[] = {
    {"entrata", Side::Receipts, false},
    {"uscita", Side::Payments, false},
    {"provento figurativo", Side::Receipts, true},
    {"costo figurativo", Side::Payments, true},
    {"saldo", Side::Receipts, false},
};

LineKind kindOf(const QString &section, bool figurative)
{
    if (figurative || section == u"FIG")
        return LineKind::Figurative;
    if (section == u"IMP")
        return LineKind::Taxes;
    if (section == u"INV")
        return LineKind::Investments;
    if (section == u"CASSA_BANCA")
        return LineKind::CashAndBank;
    return LineKind::Management;
}

} // namespace

QString FormLine::numberedLabel() const
{
    return QStringLiteral("%1) %2").arg(number).arg(label);
}

bool StatementForm::read(const QString &text, QString *error)
{
    std::vector<FormLine> lines;
    QStringList rows = QString(text).remove(u'\r').split(u'\n');
    for (qsizetype row = 1; row < rows.size(); ++row) {
        if (rows.at(row).trimmed().isEmpty())
            continue;
        const QStringList fields = text::csvFields(rows.at(row));
        const auto direction = std::find_if(std::begin(kDirections), std::end(kDirections),
            [&](const Direction &d) { return fields.value(1) == QLatin1String(d.word); });
        bool numbered = false;
        const int number = fields.value(3).toInt(&numbered);
        if (fields.size() != kFieldCount || direction == std::end(kDirections) || !numbered
            || fields.at(0).isEmpty() || fields.at(4).isEmpty()) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(row + 1).arg(rows.at(row));
            return false;
        }
        lines.push_back({fields.at(0), direction->side, kindOf(fields.at(2), direction->figurative),
            fields.at(2), number, fields.at(4)});
    }
    m_lines = std::move(lines);
    return !m_lines.empty();
}

const StatementForm &StatementForm::builtIn()
{
    static const StatementForm form = [] {
        QFile file(QStringLiteral(":/statement/modello_d.csv"));
        StatementForm read;
        QString error;
        if (!file.open(QIODevice::ReadOnly)
            || !read.read(QString::fromUtf8(file.readAll()), &error))
            qFatal("the lines of the cash statement cannot be read from the resources %s",
                qPrintable(error));
        return read;
    }();
    return form;
}

const FormLine *StatementForm::line(const QString &code) const
{
    const auto found = std::find_if(
        m_lines.begin(), m_lines.end(), [&](const FormLine &line) { return line.code == code; });
    return found == m_lines.end() ? nullptr : &*found;
}

std::vector<const FormLine *> StatementForm::assignable(Side side) const
{
    std::vector<const FormLine *> found;
    for (const FormLine &line : m_lines) {
        if (line.side == side && line.takesCausali())
            found.push_back(&line);
    }
    return found;
}

std::vector<const FormLine *> StatementForm::section(Side side, const QString &section) const
{
    std::vector<const FormLine *> found;
    for (const FormLine &line : m_lines) {
        if (line.side == side && line.section == section)
            found.push_back(&line);
    }
    std::stable_sort(found.begin(), found.end(),
        [](const FormLine *a, const FormLine *b) { return a->number < b->number; });
    return found;
}

} // namespace almavest::statement
