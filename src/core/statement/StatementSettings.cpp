#include "statement/StatementSettings.h"

#include "app/IniFile.h"
#include "balance/Balance.h"
#include "journal/MovementRecord.h"
#include "statement/YearTotals.h"
#include "store/Cp1252.h"
#include "store/WholeFile.h"
#include "text/TextRoutines.h"

#include <QFile>

namespace almavest::statement {

namespace {

constexpr const char *kIncomeSection = "Causali entrate";
constexpr const char *kExpenseSection = "Causali uscite";
constexpr const char *kOpeningSection = "Saldi iniziali";

const char *sectionOf(Side side)
{
    return side == Side::Receipts ? kIncomeSection : kExpenseSection;
}

QString key(const char *name, int index)
{
    return QStringLiteral("%1%2").arg(QLatin1String(name)).arg(index);
}

// A causale goes on one line of the file: a line break in it would start a new key.
QString oneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return text::trimmed(line);
}

void readAssignments(const app::IniFile &file, Side side, StatementSettings &settings)
{
    const QString section = QLatin1String(sectionOf(side));
    // A settings file of at most kMaxIniFileSize bytes holds far fewer entries than this.
    constexpr int kMostEntries = 100000;
    const int count = std::min(file.value(section, QStringLiteral("Numero")).toInt(), kMostEntries);
    for (int i = 1; i <= count; ++i) {
        const QString causale = file.value(section, key("Causale", i));
        const QString code = file.value(section, key("Voce", i));
        const FormLine *line = StatementForm::builtIn().line(code);
        if (!causale.isEmpty() && line && line->side == side && line->takesCausali())
            settings.assign(side, causale, code);
    }
}

void writeAssignments(QString &text, Side side, const std::map<QString, Assignment> &assignments)
{
    text += QStringLiteral("[%1]\r\nNumero=%2\r\n")
                .arg(QLatin1String(sectionOf(side)))
                .arg(assignments.size());
    int index = 0;
    for (const auto &[causaleKey, assignment] : assignments) {
        ++index;
        text += QStringLiteral("%1=%2\r\n%3=%4\r\n")
                    .arg(key("Causale", index), oneLine(assignment.causale), key("Voce", index),
                        assignment.code);
    }
    text += QStringLiteral("\r\n");
}

} // namespace

QString StatementSettings::codeFor(Side side, QStringView causale) const
{
    const std::map<QString, Assignment> &assignments = this->assignments(side);
    const auto found = assignments.find(causaleKey(causale));
    return found == assignments.end() ? QString() : found->second.code;
}

void StatementSettings::assign(Side side, const QString &causale, const QString &code)
{
    std::map<QString, Assignment> &assignments = side == Side::Receipts ? m_income : m_expenses;
    const QString key = causaleKey(oneLine(causale));
    if (code.isEmpty())
        assignments.erase(key);
    else
        assignments[key] = {oneLine(causale), code};
}

const std::map<QString, Assignment> &StatementSettings::assignments(Side side) const
{
    return side == Side::Receipts ? m_income : m_expenses;
}

std::optional<StatementSettings> StatementSettings::load(const QString &path, QString *error)
{
    app::IniFile file(path);
    if (!file.load()) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    StatementSettings settings;
    readAssignments(file, Side::Receipts, settings);
    readAssignments(file, Side::Payments, settings);

    const QString section = QLatin1String(kOpeningSection);
    const QString year = file.value(section, QStringLiteral("Anno"));
    const QString cash = file.value(section, QStringLiteral("Cassa"));
    const QString bank = file.value(section, QStringLiteral("Banca"));
    if (year.isEmpty() && cash.isEmpty() && bank.isEmpty())
        return settings;
    const journal::JournalYear readYear = journal::readJournalYear(year);
    const auto cashCents = balance::parseCents(cash.toLatin1());
    const auto bankCents = balance::parseCents(bank.toLatin1());
    if (!readYear.accepted() || !cashCents || !bankCents) {
        if (error)
            *error
                = QStringLiteral("[%1] Anno=%2 Cassa=%3 Banca=%4").arg(section, year, cash, bank);
        return std::nullopt;
    }
    settings.opening = {readYear.year, *cashCents, *bankCents};
    return settings;
}

bool StatementSettings::save(const QString &path, QString *error) const
{
    QString text = QStringLiteral("; Rendiconto per cassa: la voce di ogni causale e i saldi "
                                  "iniziali\r\n\r\n");
    writeAssignments(text, Side::Receipts, m_income);
    writeAssignments(text, Side::Payments, m_expenses);
    if (opening.year != 0) {
        text += QStringLiteral("[%1]\r\nAnno=%2\r\nCassa=%3\r\nBanca=%4\r\n")
                    .arg(QLatin1String(kOpeningSection), journal::journalYearText(opening.year),
                        balance::formatCents(opening.cashCents),
                        balance::formatCents(opening.bankCents));
    }
    const QByteArray bytes = store::toCp1252(text);
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.size() == bytes.size()
        && existing.readAll() == bytes)
        return true;
    existing.close();
    return store::writeWholeFile(path, bytes, error) == store::WriteFailure::None;
}

} // namespace almavest::statement
