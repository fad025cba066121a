#include "ui/conventions/ModeWord.h"

#include "book/PageRecord.h"
#include "journal/MovementParty.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"

#include <QtGlobal>

#include <array>

namespace almavest::ui {

namespace {

// Every date box of the three cards: its record table, its field, its picker mode and word.
struct DateBox
{
    const store::RecordTable &(*table)();
    int field;
    DateFieldMode mode;
    const char *word;
};

constexpr int rowDate(book::PageRow row, book::RowFieldIndex date)
{
    return book::rowField(row, date);
}

constexpr std::array<DateBox, 15> kDateBoxes {{
    {registry::memberTable, registry::ExpiryDate, DateFieldMode::MemberExpiry, "datasca"},
    {book::pageTable, rowDate(book::RowA, book::BirthDate), DateFieldMode::BirthDateA,
        "datanasc_a"},
    {book::pageTable, rowDate(book::RowB, book::BirthDate), DateFieldMode::BirthDateB,
        "datanasc_b"},
    {book::pageTable, rowDate(book::RowC, book::BirthDate), DateFieldMode::BirthDateC,
        "datanasc_c"},
    {book::pageTable, rowDate(book::RowD, book::BirthDate), DateFieldMode::BirthDateD,
        "datanasc_d"},
    {book::pageTable, rowDate(book::RowA, book::AdmissionDate), DateFieldMode::AdmissionDateA,
        "dataamm_a"},
    {book::pageTable, rowDate(book::RowB, book::AdmissionDate), DateFieldMode::AdmissionDateB,
        "dataamm_b"},
    {book::pageTable, rowDate(book::RowC, book::AdmissionDate), DateFieldMode::AdmissionDateC,
        "dataamm_c"},
    {book::pageTable, rowDate(book::RowD, book::AdmissionDate), DateFieldMode::AdmissionDateD,
        "dataamm_d"},
    {book::pageTable, rowDate(book::RowA, book::ExitDate), DateFieldMode::ExitDateA, "datausc_a"},
    {book::pageTable, rowDate(book::RowB, book::ExitDate), DateFieldMode::ExitDateB, "datausc_b"},
    {book::pageTable, rowDate(book::RowC, book::ExitDate), DateFieldMode::ExitDateC, "datausc_c"},
    {book::pageTable, rowDate(book::RowD, book::ExitDate), DateFieldMode::ExitDateD, "datausc_d"},
    {journal::movementTable, journal::OperationDate, DateFieldMode::MovementDate, "movimenti_data"},
    {journal::movementTable, journal::DueDate, DateFieldMode::MovementDueDate,
        "movimenti_scadenza"},
}};

} // namespace

QString modeWord(DateFieldMode mode)
{
    for (const DateBox &box : kDateBoxes) {
        if (box.mode == mode)
            return QLatin1String(box.word);
    }
    qFatal("Date picker mode %d has no word", static_cast<int>(mode));
}

QString modeWord(AttachmentsMode mode)
{
    switch (mode) {
    case AttachmentsMode::MemberCard:
        return QStringLiteral("anagrafica");
    case AttachmentsMode::BookPage:
        return QStringLiteral("registro");
    case AttachmentsMode::MovementCard:
        return QStringLiteral("movimenti");
    }
    qFatal("Attachments mode %d has no word", static_cast<int>(mode));
}

QString modeWord(MemberSearchMode mode)
{
    switch (mode) {
    case MemberSearchMode::MemberCard:
        return QStringLiteral("anagrafica");
    case MemberSearchMode::Payer:
        return QStringLiteral("movimenti_pagatore");
    case MemberSearchMode::Beneficiary:
        return QStringLiteral("movimenti_beneficiario");
    }
    qFatal("Member search mode %d has no word", static_cast<int>(mode));
}

QString modeWord(book::PageRow row)
{
    if (row < book::RowA || row > book::RowD)
        qFatal("Page row %d does not exist", static_cast<int>(row));
    return QStringLiteral("socio_") + QChar(u'a' + row);
}

DateFieldMode dateFieldMode(const store::RecordTable &table, int field)
{
    for (const DateBox &box : kDateBoxes) {
        if (&box.table() == &table && box.field == field)
            return box.mode;
    }
    qFatal("Field %d (%s) is no date box of a card", field,
        field >= 0 && field < table.fieldCount() ? qPrintable(table.field(field).control) : "?");
}

MemberSearchMode memberSearchMode(journal::Party party)
{
    return party == journal::Party::Payer ? MemberSearchMode::Payer : MemberSearchMode::Beneficiary;
}

} // namespace almavest::ui
