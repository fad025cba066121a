#pragma once

#include <QString>

// The reason the system gave for a file operation that failed, in words for the user.
namespace almavest::app {

// The usual causes in Italian ("Spazio su disco esaurito."), any other as the system wrote it
// after "Causa segnalata dal sistema: "; empty when the system gave none.
QString systemCause(const QString &systemError);

// `message` followed, when the system gave a reason, by that reason on a paragraph of its own.
QString withSystemCause(const QString &message, const QString &systemError);

} // namespace almavest::app
