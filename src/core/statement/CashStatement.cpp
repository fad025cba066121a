#include "statement/CashStatement.h"

#include "journal/MovementRecord.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace almavest::statement {

namespace {

// The titles of a section's two blocks and of its surplus; the support section has none.
struct SectionTitles
{
    const char *section;
    const char *payments;
    const char *receipts;
    const char *surplus;
};

const std::array<SectionTitles, 5> kSections {{
    {"A", "A) Uscite da attività di interesse generale",
        "A) Entrate da attività di interesse generale",
        "Avanzo/disavanzo attività di interesse generale"},
    {"B", "B) Uscite da attività diverse", "B) Entrate da attività diverse",
        "Avanzo/disavanzo attività diverse"},
    {"C", "C) Uscite da attività di raccolta fondi", "C) Entrate da attività di raccolta fondi",
        "Avanzo/disavanzo attività di raccolta fondi"},
    {"D", "D) Uscite da attività finanziarie e patrimoniali",
        "D) Entrate da attività finanziarie e patrimoniali",
        "Avanzo/disavanzo attività finanziarie e patrimoniali"},
    {"E", "E) Uscite di supporto generale", "E) Entrate di supporto generale", nullptr},
}};

// The cents of every line of the form in one year.
using LineCents = std::map<QString, qint64>;

LineCents lineCents(const StatementSettings &settings, const YearTotals &totals)
{
    LineCents cents;
    for (const auto &[key, total] : totals.income)
        cents[settings.codeFor(Side::Receipts, total.causale)] += total.cents;
    for (const auto &[key, total] : totals.expenses)
        cents[settings.codeFor(Side::Payments, total.causale)] += total.cents;
    return cents;
}

// Adds the rows one by one, each with its figure in both years.
class RowWriter final
{
public:
    RowWriter(
        const StatementForm &form, const StatementSettings &settings, const StatementInput &input)
        : m_form(form)
        , m_current(lineCents(settings, input.current))
        , m_hasPrevious(input.previous.has_value())
    {
        if (input.previous)
            m_previous = lineCents(settings, *input.previous);
    }

    // Figures of a year: t is 0, t-1 is 1.
    using Figure = std::array<std::optional<qint64>, 2>;

    void heading(const QString &code, const QString &label, Column column)
    {
        m_rows.push_back({code, label, RowKind::Heading, column, std::nullopt, std::nullopt});
    }

    void add(const QString &code, const QString &label, RowKind kind, Column column,
        const Figure &figure)
    {
        m_rows.push_back({code, label, kind, column, figure[0], figure[1]});
    }

    // The lines of one side of a section with their total, which it returns.
    Figure block(Side side, const QString &section, const QString &title)
    {
        const QString prefix = side == Side::Receipts ? QStringLiteral("E.") : QStringLiteral("U.");
        const Column column = side == Side::Receipts ? Column::Receipts : Column::Payments;
        heading(prefix + section, title, column);
        Figure total = zero();
        for (const FormLine *line : m_form.section(side, section)) {
            const Figure figure = lineFigure(line->code);
            add(line->code, line->numberedLabel(), RowKind::Line, column, figure);
            total = plus(total, figure);
        }
        add(prefix + section + QStringLiteral(".TOT"), QStringLiteral("Totale"), RowKind::Total,
            column, total);
        return total;
    }

    Figure lineFigure(const QString &code) const
    {
        return {m_current.count(code) ? m_current.at(code) : 0,
            m_hasPrevious ? std::optional<qint64>(m_previous.count(code) ? m_previous.at(code) : 0)
                          : std::nullopt};
    }

    Figure zero() const
    {
        return {qint64(0), m_hasPrevious ? std::optional<qint64>(0) : std::nullopt};
    }

    static Figure plus(const Figure &a, const Figure &b) { return combine(a, b, 1); }
    static Figure minus(const Figure &a, const Figure &b) { return combine(a, b, -1); }

    std::vector<StatementRow> take() { return std::move(m_rows); }

private:
    static Figure combine(const Figure &a, const Figure &b, int sign)
    {
        Figure sum;
        for (std::size_t i = 0; i < sum.size(); ++i) {
            if (a[i] && b[i])
                sum[i] = *a[i] + sign * *b[i];
        }
        return sum;
    }

    const StatementForm &m_form;
    LineCents m_current;
    LineCents m_previous;
    bool m_hasPrevious;
    std::vector<StatementRow> m_rows;
};

std::optional<qint64> closing(
    const std::optional<Balances> &opening, const std::optional<YearTotals> &totals, bool cash)
{
    if (!opening || !totals)
        return std::nullopt;
    return cash ? opening->cashCents + totals->cashNet : opening->bankCents + totals->bankNet;
}

void addUnassigned(std::vector<UnassignedCausale> &list, const StatementSettings &settings,
    Side side, const std::map<QString, CausaleTotal> &totals)
{
    for (const auto &entry : totals) {
        const QString &key = entry.first;
        const CausaleTotal &total = entry.second;
        const bool listed = std::any_of(list.begin(), list.end(), [&](const auto &known) {
            return known.side == side && causaleKey(known.causale) == key;
        });
        if (!listed && settings.codeFor(side, total.causale).isEmpty())
            list.push_back({side, total.causale});
    }
}

} // namespace

const StatementRow *CashStatement::row(const QString &code) const
{
    const auto found = std::find_if(
        rows.begin(), rows.end(), [&](const StatementRow &row) { return row.code == code; });
    return found == rows.end() ? nullptr : &*found;
}

std::vector<UnassignedCausale> unassignedCausali(
    const StatementSettings &settings, const YearTotals &totals)
{
    std::vector<UnassignedCausale> list;
    addUnassigned(list, settings, Side::Receipts, totals.income);
    addUnassigned(list, settings, Side::Payments, totals.expenses);
    return list;
}

CashStatement buildStatement(
    const StatementForm &form, const StatementSettings &settings, const StatementInput &input)
{
    CashStatement statement;
    statement.year = input.year;
    statement.hasPrevious = input.previous.has_value();
    statement.unassigned = unassignedCausali(settings, input.current);
    if (input.previous) {
        for (const UnassignedCausale &more : unassignedCausali(settings, *input.previous)) {
            const bool listed = std::any_of(statement.unassigned.begin(),
                statement.unassigned.end(), [&](const UnassignedCausale &known) {
                    return known.side == more.side
                        && causaleKey(known.causale) == causaleKey(more.causale);
                });
            if (!listed)
                statement.unassigned.push_back(more);
        }
    }
    if (statement.refused())
        return statement;

    RowWriter rows(form, settings, input);
    using Figure = RowWriter::Figure;
    Figure payments = rows.zero();
    Figure receipts = rows.zero();
    for (const SectionTitles &titles : kSections) {
        const QString section = QLatin1String(titles.section);
        const Figure paid = rows.block(Side::Payments, section, QString::fromUtf8(titles.payments));
        const Figure received
            = rows.block(Side::Receipts, section, QString::fromUtf8(titles.receipts));
        if (titles.surplus) {
            rows.add(section + QStringLiteral(".AVANZO"), QString::fromUtf8(titles.surplus),
                RowKind::Result, Column::Result, RowWriter::minus(received, paid));
        }
        payments = RowWriter::plus(payments, paid);
        receipts = RowWriter::plus(receipts, received);
    }
    rows.add(QStringLiteral("U.GEST.TOT"), QStringLiteral("Totale uscite della gestione"),
        RowKind::Total, Column::Payments, payments);
    rows.add(QStringLiteral("E.GEST.TOT"), QStringLiteral("Totale entrate della gestione"),
        RowKind::Total, Column::Receipts, receipts);
    const Figure beforeTaxes = RowWriter::minus(receipts, payments);
    rows.add(QStringLiteral("AVANZO.ANTE.IMPOSTE"),
        QStringLiteral("Avanzo/disavanzo d'esercizio prima delle imposte"), RowKind::Result,
        Column::Result, beforeTaxes);
    const Figure taxes = rows.lineFigure(QStringLiteral("U.IMP"));
    rows.add(
        QStringLiteral("U.IMP"), QStringLiteral("Imposte"), RowKind::Line, Column::Result, taxes);
    const Figure beforeInvestments = RowWriter::minus(beforeTaxes, taxes);
    rows.add(QStringLiteral("AVANZO.ANTE.INV"),
        QStringLiteral("Avanzo/disavanzo d'esercizio prima di investimenti e disinvestimenti "
                       "patrimoniali, e finanziamenti"),
        RowKind::Result, Column::Result, beforeInvestments);

    const Figure invested = rows.block(Side::Payments, QStringLiteral("INV"),
        QStringLiteral("Uscite da investimenti in immobilizzazioni o da deflussi di capitale di "
                       "terzi"));
    const Figure disinvested = rows.block(Side::Receipts, QStringLiteral("INV"),
        QStringLiteral("Entrate da disinvestimenti in immobilizzazioni o da flussi di capitale di "
                       "terzi"));
    const Figure investments = RowWriter::minus(disinvested, invested);
    rows.add(QStringLiteral("INV.AVANZO"),
        QStringLiteral("Avanzo/disavanzo da entrate e uscite per investimenti e disinvestimenti "
                       "patrimoniali e finanziamenti"),
        RowKind::Result, Column::Result, investments);
    rows.add(QStringLiteral("AVANZO.COMPLESSIVO"), QStringLiteral("Avanzo/disavanzo complessivo"),
        RowKind::Result, Column::Result, RowWriter::plus(beforeInvestments, investments));

    rows.heading(QStringLiteral("CB"), QStringLiteral("Cassa e banca"), Column::Result);
    const FormLine *cash = form.line(QStringLiteral("CB.1"));
    const FormLine *bank = form.line(QStringLiteral("CB.2"));
    rows.add(cash->code, cash->label, RowKind::Result, Column::Result,
        {closing(input.currentOpening, input.current, true),
            closing(input.previousOpening, input.previous, true)});
    rows.add(bank->code, bank->label, RowKind::Result, Column::Result,
        {closing(input.currentOpening, input.current, false),
            closing(input.previousOpening, input.previous, false)});
    statement.rows = rows.take();
    return statement;
}

std::vector<RowPair> pairRows(const CashStatement &statement)
{
    std::vector<RowPair> pairs;
    const std::vector<StatementRow> &rows = statement.rows;
    std::size_t i = 0;
    while (i < rows.size()) {
        if (rows[i].column == Column::Result) {
            pairs.push_back({nullptr, &rows[i++]});
            continue;
        }
        std::vector<const StatementRow *> left;
        std::vector<const StatementRow *> right;
        for (; i < rows.size() && rows[i].column == Column::Payments; ++i)
            left.push_back(&rows[i]);
        for (; i < rows.size() && rows[i].column == Column::Receipts; ++i)
            right.push_back(&rows[i]);
        for (std::size_t k = 0; k < std::max(left.size(), right.size()); ++k) {
            pairs.push_back(
                {k < left.size() ? left[k] : nullptr, k < right.size() ? right[k] : nullptr});
        }
    }
    return pairs;
}

std::optional<Balances> openingOf(
    int year, const OpeningBalances &opening, const std::map<int, Balances> &movements)
{
    if (year < opening.year)
        return std::nullopt;
    Balances balances {opening.cashCents, opening.bankCents};
    for (auto it = movements.lower_bound(opening.year); it != movements.end() && it->first < year;
         ++it) {
        balances.cashCents += it->second.cashCents;
        balances.bankCents += it->second.bankCents;
    }
    return balances;
}

OpeningBalances effectiveOpening(const OpeningBalances &set, const std::vector<int> &years)
{
    if (set.year != 0 || years.empty())
        return set;
    return {years.front(), 0, 0};
}

StatementScan scanForStatement(
    const QString &folder, int year, const OpeningBalances &set, store::ScanControl *control)
{
    StatementScan scan;
    scan.input.year = year;
    const std::vector<int> years = journalYears(folder);
    const OpeningBalances opening = effectiveOpening(set, years);
    const auto has = [&years](int y) { return std::binary_search(years.begin(), years.end(), y); };
    if (!has(year)) {
        scan.yearMissing = true;
        return scan;
    }
    // Every year from the opening's to t is read once: t and t-1 for their lines, the years
    // before for the cash and bank they moved.
    std::map<int, Balances> movements;
    for (const int y : years) {
        const bool needed = y == year || y == year - 1 || (y >= opening.year && y < year);
        if (!needed || y > year)
            continue;
        YearTotals totals
            = readYearTotals(journal::journalPath(folder, journal::journalYearText(y)), y, control);
        if (control && control->cancelled())
            return scan;
        if (!totals.archiveOk) {
            scan.failedYear = y;
            return scan;
        }
        movements[y] = {totals.cashNet, totals.bankNet};
        scan.unreadable += totals.unreadable;
        if (y == year)
            scan.input.current = std::move(totals);
        else if (y == year - 1)
            scan.input.previous = std::move(totals);
    }
    scan.input.currentOpening = openingOf(year, opening, movements);
    if (scan.input.previous)
        scan.input.previousOpening = openingOf(year - 1, opening, movements);
    return scan;
}

} // namespace almavest::statement
