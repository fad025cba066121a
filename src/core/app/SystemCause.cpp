#include "app/SystemCause.h"

#include "text/TextRoutines.h"

#include <QFile>

#include <array>

namespace almavest::app {

namespace {

// The system's words for a cause, as the C library writes them in English and in Italian, and
// what the user reads for it.
struct KnownCause
{
    const char *english;
    const char *italian;
    const char *told;
};

constexpr std::array<KnownCause, 10> kCauses {{
    {"No space left on device", "Spazio esaurito sul device", "Spazio su disco esaurito."},
    {"Disk quota exceeded", "Quota del disco superata",
        "Spazio su disco esaurito: è stata superata la quota assegnata."},
    {"File too large", "File troppo grande",
        "Il file supera la dimensione massima consentita dal sistema."},
    {"Read-only file system", "File system in sola lettura",
        "Il disco è protetto dalla scrittura."},
    {"Permission denied", "Permesso negato",
        "Accesso negato: la cartella o il file non consente la scrittura."},
    {"File name too long", "Nome file troppo lungo", "Il nome del file è troppo lungo."},
    {"Input/output error", "Errore di input/output", "Errore di lettura o scrittura sul disco."},
    {"Not a directory", "Non è una directory",
        "Al posto di una cartella si trova un file con lo stesso nome."},
    {"No such file or directory", "File o directory non esistente",
        "La cartella o il file indicato non esiste."},
    // Qt's own words for it, in its Italian translation.
    {"No such file or directory", "File o cartella non trovati",
        "La cartella o il file indicato non esiste."},
}};

} // namespace

QString systemCause(const QString &systemError)
{
    const QString reason = text::trimmed(systemError);
    // A file that met no error of its own answers with a default text that says nothing.
    if (reason.isEmpty() || reason == QFile().errorString())
        return {};
    for (const KnownCause &cause : kCauses) {
        if (reason.contains(QLatin1String(cause.english), Qt::CaseInsensitive)
            || reason.contains(QString::fromUtf8(cause.italian), Qt::CaseInsensitive))
            return QString::fromUtf8(cause.told);
    }
    return QStringLiteral("Causa segnalata dal sistema: ") + reason
        + (reason.endsWith(u'.') ? QString() : QStringLiteral("."));
}

QString withSystemCause(const QString &message, const QString &systemError)
{
    const QString cause = systemCause(systemError);
    return cause.isEmpty() ? message : message + QStringLiteral("\n\r\n\r") + cause;
}

} // namespace almavest::app
