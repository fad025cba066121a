#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The lines of the ministry's cash statement of third-sector bodies: a code of ours, the side
// (receipts or payments), the section, the number within it and the label of the form.
namespace almavest::statement {

enum class Side { Receipts, Payments };

// Where a line stands in the form: the five sections of the management, the taxes, the
// investments and disinvestments, and the figures that are not movements of the journal.
enum class LineKind { Management, Taxes, Investments, Figurative, CashAndBank };

struct FormLine
{
    QString code; // "E.A.1", "U.IMP", "CB.1"
    Side side = Side::Receipts;
    LineKind kind = LineKind::Management;
    QString section; // "A" to "E", "INV", "IMP", "FIG", "CASSA_BANCA"
    int number = 0;
    QString label;

    // "1) Materie prime, ..." as the form prints it.
    QString numberedLabel() const;
    // Whether a causale of the journal may be assigned to the line: every line of a receipt or a
    // payment, not the figurative items nor cash and bank.
    bool takesCausali() const
    {
        return kind != LineKind::Figurative && kind != LineKind::CashAndBank;
    }
};

// The sections of the management, in the order of the form.
inline const QStringList kManagementSections = {QStringLiteral("A"), QStringLiteral("B"),
    QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("E")};

class StatementForm final
{
public:
    // The form built into the program. A damaged resource stops the program: it is part of the
    // build, not of the user's data.
    static const StatementForm &builtIn();
    // Reads the form from its text, "code,direction,section,n,label" with a heading line and
    // fields in double quotes where they hold a comma; false with the line at fault in `error`.
    bool read(const QString &text, QString *error = nullptr);

    const std::vector<FormLine> &lines() const { return m_lines; }
    // The line of `code`, nullptr when there is none.
    const FormLine *line(const QString &code) const;
    // The lines of `side` that take causali, in the order of the form.
    std::vector<const FormLine *> assignable(Side side) const;
    // The lines of `side` in `section`, in the order of their numbers.
    std::vector<const FormLine *> section(Side side, const QString &section) const;

private:
    std::vector<FormLine> m_lines;
};

} // namespace almavest::statement
