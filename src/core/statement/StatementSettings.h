#pragma once

#include "statement/StatementForm.h"

#include <QString>

#include <map>
#include <optional>

// What the treasurer decides once for the cash statement: the line of the form each causale of
// the journal goes to, income and expenses apart, and the cash and bank the association had at
// the start of its first year. Kept in the program folder in "Rendiconto.ini".
namespace almavest::statement {

inline constexpr const char *kStatementSettingsFile = "Rendiconto.ini";

// Cash and bank at the start of `year`; a year of 0 was never set.
struct OpeningBalances
{
    int year = 0;
    qint64 cashCents = 0;
    qint64 bankCents = 0;

    bool operator==(const OpeningBalances &) const = default;
};

struct Assignment
{
    QString causale; // as the user last saw it
    QString code; // the line of the form

    bool operator==(const Assignment &) const = default;
};

class StatementSettings final
{
public:
    // The line assigned to `causale` on `side` (compared by causaleKey()); empty when none.
    QString codeFor(Side side, QStringView causale) const;
    // Assigns `causale` to the line `code`; an empty code takes the assignment away.
    void assign(Side side, const QString &causale, const QString &code);
    const std::map<QString, Assignment> &assignments(Side side) const;

    OpeningBalances opening;

    // Reads the settings from `path`; a missing file gives empty settings. nullopt when the file
    // cannot be read or is damaged (an amount or a year that cannot be read), with the reason in
    // `error`; an assignment to a line the form does not have for its side is dropped, and the
    // causale is unassigned again.
    static std::optional<StatementSettings> load(const QString &path, QString *error = nullptr);
    // Writes the settings whole to `path` through a temporary file in the same folder; false with
    // the system's reason in `error` when it cannot. An unchanged file is not written.
    [[nodiscard]] bool save(const QString &path, QString *error = nullptr) const;

    bool operator==(const StatementSettings &) const = default;

private:
    std::map<QString, Assignment> m_income;
    std::map<QString, Assignment> m_expenses;
};

} // namespace almavest::statement
