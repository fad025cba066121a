#pragma once

#include "exporting/Workbook.h"

// A small list that shows what a workbook must keep: accents, markup, a postal code with a
// leading zero, an amount of -0,01, dates that are and are not dates, a text that looks like a
// formula, and empty cells.
namespace almavest::test {

using namespace Qt::StringLiterals;

inline QList<exporting::WorkbookColumn> sampleColumns()
{
    using exporting::CellKind;
    return {
        {QStringLiteral("Cognome e nome"), CellKind::Text},
        {QStringLiteral("Tessera n."), CellKind::Code},
        {QStringLiteral("C.A.P."), CellKind::Code},
        {QStringLiteral("Quota"), CellKind::Amount},
        {QStringLiteral("Nato il"), CellKind::Date},
        {QStringLiteral("Preavviso"), CellKind::Number},
        {QStringLiteral("Note"), CellKind::Text},
    };
}

inline exporting::WorkbookTable sampleRows()
{
    exporting::WorkbookTable rows;
    rows.append({QStringLiteral("Rossi & Figli"), QStringLiteral("0017"), QStringLiteral("00184"),
        QStringLiteral("-0,01"), QStringLiteral("01/02/1970"), QStringLiteral("30"),
        QStringLiteral("Quota: 25 € – «perché» <b>sì</b>")});
    rows.append({QStringLiteral("Èlia Bianchi"), QStringLiteral("A-2"), QStringLiteral("06012"),
        QStringLiteral("1234,5"), QStringLiteral("29/02/2024"), QStringLiteral("0"),
        QStringLiteral("=SOMMA(A1:A2)")});
    rows.append({QStringLiteral("Verdi  Carlo"), {}, {}, QStringLiteral("venti"),
        QStringLiteral("31/02/2026"), {}, QStringLiteral("[DATE] C:\\Soci\\foto.jpg")});
    return rows;
}

// Each cell of the sample as a reader must find it: its type (string, float, date or nothing)
// and its value (the text, the number with a decimal point, or the date yyyy-mm-dd).
inline QList<QStringList> sampleExpected()
{
    return {
        {u"string:Rossi & Figli"_s, u"string:0017"_s, u"string:00184"_s, u"float:-0.01"_s,
            u"date:1970-02-01"_s, u"float:30"_s, u"string:Quota: 25 € – «perché» <b>sì</b>"_s},
        {u"string:Èlia Bianchi"_s, u"string:A-2"_s, u"string:06012"_s, u"float:1234.5"_s,
            u"date:2024-02-29"_s, u"float:0"_s, u"string:=SOMMA(A1:A2)"_s},
        {u"string:Verdi  Carlo"_s, u"empty:"_s, u"empty:"_s, u"string:venti"_s,
            u"string:31/02/2026"_s, u"empty:"_s, u"string:[DATE] C:\\Soci\\foto.jpg"_s},
    };
}

inline QStringList sampleHeadings()
{
    QStringList headings;
    for (const exporting::WorkbookColumn &column : sampleColumns())
        headings.append(u"string:"_s + column.heading);
    return headings;
}

} // namespace almavest::test
