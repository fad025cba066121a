#include "reminders/ReminderLetter.h"

#include "store/Cp1252.h"
#include "store/WholeFile.h"
#include "text/TextRoutines.h"

#include <QFile>
#include <QStringDecoder>

#include <array>

namespace almavest::reminders {

namespace {

// A letter template is a page of text; anything larger is not one and is not read.
constexpr qint64 kMaxTemplateSize = qint64(256) * 1024;

enum class Placeholder { Name, Address, Expiry, Fee, Date };
struct Tag
{
    QLatin1StringView text;
    Placeholder placeholder;
};
constexpr std::array<Tag, 5> kTags = {{
    {QLatin1StringView("[NOME]"), Placeholder::Name},
    {QLatin1StringView("[INDIRIZZO]"), Placeholder::Address},
    {QLatin1StringView("[SCADENZA]"), Placeholder::Expiry},
    {QLatin1StringView("[QUOTA]"), Placeholder::Fee},
    {QLatin1StringView("[DATA]"), Placeholder::Date},
}};

const QString &valueOf(Placeholder placeholder, const LetterValues &values)
{
    switch (placeholder) {
    case Placeholder::Name:
        return values.name;
    case Placeholder::Address:
        return values.address;
    case Placeholder::Expiry:
        return values.expiry;
    case Placeholder::Fee:
        return values.fee;
    case Placeholder::Date:
        break;
    }
    return values.date;
}

// Notepad and most editors save UTF-8 today; an older file may still be Windows-1252.
QString decodeTemplate(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = store::fromCp1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

QString defaultLetterTemplate()
{
    return QStringLiteral(
        "[DATA]\n"
        "\n"
        "Gentile [NOME],\n"
        "\n"
        "ti ricordiamo che la tua iscrizione all'associazione scade (o è scaduta) il "
        "[SCADENZA].\n"
        "\n"
        "Per rinnovarla basta versare la quota associativa di [QUOTA] in segreteria, negli "
        "orari di apertura, oppure con un bonifico sul conto dell'associazione.\n"
        "\n"
        "Se hai già provveduto, non tenere conto di questa lettera.\n"
        "\n"
        "Ti ringraziamo per il sostegno e ti aspettiamo.\n"
        "\n"
        "Cordiali saluti,\n"
        "la Segreteria\n");
}

QString fillLetter(QStringView letterTemplate, const LetterValues &values)
{
    QString letter;
    letter.reserve(letterTemplate.size() + 256);
    qsizetype i = 0;
    while (i < letterTemplate.size()) {
        const qsizetype open = letterTemplate.indexOf(u'[', i);
        if (open < 0) {
            letter += letterTemplate.sliced(i);
            break;
        }
        letter += letterTemplate.sliced(i, open - i);
        const QStringView rest = letterTemplate.sliced(open);
        const Tag *found = nullptr;
        for (const Tag &tag : kTags) {
            if (rest.startsWith(tag.text, Qt::CaseInsensitive)) {
                found = &tag;
                break;
            }
        }
        if (found) {
            letter += valueOf(found->placeholder, values);
            i = open + found->text.size();
        } else {
            letter += u'[';
            i = open + 1;
        }
    }
    return letter;
}

QStringList addressLines(
    const QString &street, const QString &postCode, const QString &town, const QString &province)
{
    QStringList lines;
    if (!text::trimmed(street).isEmpty())
        lines.append(text::trimmed(street));
    QStringList place;
    for (const QString &part : {postCode, town}) {
        if (!text::trimmed(part).isEmpty())
            place.append(text::trimmed(part));
    }
    QString placeLine = place.join(u' ');
    if (!text::trimmed(province).isEmpty()) {
        const QString bracketed = u'(' + text::trimmed(province) + u')';
        placeLine = placeLine.isEmpty() ? bracketed : placeLine + u' ' + bracketed;
    }
    if (!placeLine.isEmpty())
        lines.append(placeLine);
    return lines;
}

QString feeText(const QString &storedFee)
{
    const std::optional<double> amount = text::parseAmount(storedFee);
    if (!amount)
        return text::trimmed(storedFee);
    return text::normaliseAmount(storedFee, 2) + QStringLiteral(" €");
}

bool ensureLetterTemplate(const app::ProgramFolder &folder, QString &error)
{
    const QString path = folder.file(QLatin1String(kLetterTemplateName));
    if (!folder.keepsInside(path)) {
        error = store::outsideLinkMessage(QLatin1String(kLetterTemplateName));
        return false;
    }
    if (QFile::exists(path))
        return true;
    const QByteArray bytes = defaultLetterTemplate().replace(u'\n', QLatin1String("\r\n")).toUtf8();
    return store::writeWholeFile(path, bytes, &error) == store::WriteFailure::None;
}

std::optional<QString> readLetterTemplate(const app::ProgramFolder &folder, QString &error)
{
    if (!ensureLetterTemplate(folder, error))
        return std::nullopt;
    QFile file(folder.file(QLatin1String(kLetterTemplateName)));
    if (file.size() > kMaxTemplateSize) {
        error = QStringLiteral("Il file è troppo grande per essere un modello di lettera.");
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return std::nullopt;
    }
    return decodeTemplate(bytes);
}

} // namespace almavest::reminders
