#pragma once

#include "app/ProgramFolder.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The reminder letter for members without e-mail: a plain text in the program folder that the
// association edits as it likes, with placeholders for each member's data.
namespace almavest::reminders {

inline constexpr const char *kLetterTemplateName = "Lettera_promemoria.txt";

// The text the template file starts with.
QString defaultLetterTemplate();

// One member's values for the placeholders [NOME], [INDIRIZZO], [SCADENZA], [QUOTA] and [DATA]
// (today's date).
struct LetterValues
{
    QString name;
    QString address; // one line or several, as addressLines() gives them
    QString expiry;
    QString fee;
    QString date;
};

// The template with each placeholder replaced by its value, in one pass: a value holding "[",
// "&" or "<" prints as typed and is never read as a placeholder. Placeholders are recognised
// without regard to case; any other text in brackets stays as it is.
QString fillLetter(QStringView letterTemplate, const LetterValues &values);

// The lines of an envelope address: the street, then post code, town and province in brackets,
// each left out when empty.
QStringList addressLines(
    const QString &street, const QString &postCode, const QString &town, const QString &province);

// A fee as a letter writes it: the stored amount with two decimals and the euro sign, "25,00 €";
// a text that is not an amount as it stands.
QString feeText(const QString &storedFee);

// The template in the program folder, written from the default first when there is none. The
// file may be UTF-8 or Windows-1252; lines end with "\n" once read. Nothing, with the reason in
// `error`, when it cannot be read or made.
std::optional<QString> readLetterTemplate(const app::ProgramFolder &folder, QString &error);
// The template's file, made from the default when missing, so that it can be opened for
// editing; false with the reason in `error` when it cannot be made.
[[nodiscard]] bool ensureLetterTemplate(const app::ProgramFolder &folder, QString &error);

} // namespace almavest::reminders
