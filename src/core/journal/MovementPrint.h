#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the printed movement card holds: the movement as the card shows it, saved or not, and
// the twenty lines of caption and value it prints.
namespace almavest::journal {

// The movement handed to the print: its type, every text of the card by field index as it
// stands in its box, and the settled flag.
struct MovementPrintValues
{
    bool income = true;
    QStringList texts;
    bool settled = false;

    // The values read from the card's form, by field index, with the flags as "Sì" or "No".
    static MovementPrintValues fromCard(const QStringList &values);
};

// One printed line: the names of its caption and value memos and what they print.
struct PrintedLine
{
    QString captionMemo;
    QString caption;
    QString valueMemo;
    QString value;
};

// The twenty lines of the printed movement, in print order, every value trimmed.
QList<PrintedLine> printedLines(const MovementPrintValues &movement);

} // namespace almavest::journal
