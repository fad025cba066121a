#pragma once

#include <QString>
#include <QStringList>

// One e-mail to many members through the desktop's mail program: every address in Bcc, so that
// no member sees the others', and the visible recipient left empty.
namespace almavest::reminders {

// The longest "mailto:" address handed to the desktop. Windows and several mail programs cut or
// refuse addresses past about 2,000 characters; longer lists are split over several messages.
inline constexpr qsizetype kMaxMailtoLength = 2000;

// The addresses an e-mail field holds: several may be written in one field, separated by ";",
// "," or blanks. Only texts with an "@" count as addresses.
QStringList fieldAddresses(const QString &emailField);

// `addresses` with each one kept once, the first spelling winning; A-Z and the other letters
// compared without regard to case, blanks around them dropped.
QStringList distinctAddresses(const QStringList &addresses);

// The "mailto:" addresses that carry `addresses` in Bcc with `subject`, as few as the length
// limit allows, each address whole in exactly one of them and percent-encoded, so that no
// character of an address can add a header, a body or another recipient.
QStringList bccMailtoAddresses(
    const QStringList &addresses, const QString &subject, qsizetype maxLength = kMaxMailtoLength);

} // namespace almavest::reminders
