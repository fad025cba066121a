#pragma once

#include <QString>

namespace almavest::store {
class RecordTable;
}
namespace almavest::book {
enum PageRow : int;
}
namespace almavest::journal {
enum class Party;
}

// The modes of the per-use dialogs: why a dialog was opened. Each dialog keeps its mode's short
// lower-case word on its hidden lblMemory, where the words are written from here alone.
namespace almavest::ui {

// The date box a date picker fills.
enum class DateFieldMode {
    MemberExpiry,
    BirthDateA,
    BirthDateB,
    BirthDateC,
    BirthDateD,
    AdmissionDateA,
    AdmissionDateB,
    AdmissionDateC,
    AdmissionDateD,
    ExitDateA,
    ExitDateB,
    ExitDateC,
    ExitDateD,
    MovementDate,
    MovementDueDate,
};

// The card whose attachments the attachments dialog edits.
enum class AttachmentsMode { MemberCard, BookPage, MovementCard };

// What the opener of the member search does with the card chosen: show it on the member card,
// or take the payer's or the beneficiary's fields of a movement from it.
enum class MemberSearchMode { MemberCard, Payer, Beneficiary };

QString modeWord(DateFieldMode mode);
QString modeWord(AttachmentsMode mode);
QString modeWord(MemberSearchMode mode);
// The member import's word for the page row it fills: "socio_a" to "socio_d".
QString modeWord(book::PageRow row);

// The picker mode of the date box that shows field `field` of `table`. A field that is no date
// box of a card stops the program, naming it: the cards ask only for their own date boxes.
DateFieldMode dateFieldMode(const store::RecordTable &table, int field);

// The member search's mode when it fills `party` of a movement.
MemberSearchMode memberSearchMode(journal::Party party);

} // namespace almavest::ui
