#include "ui/conventions/ModeWord.h"

#include "text/TextRoutines.h"

#include <QtGlobal>

namespace almavest::ui {

void requireModeWord(
    const char *dialog, const QString &word, std::initializer_list<const char *> known)
{
    for (const char *candidate : known) {
        if (text::trimmed(word) == QLatin1String(candidate))
            return;
    }
    qFatal("%s: unknown mode word \"%s\"", dialog, qPrintable(word));
}

} // namespace almavest::ui
