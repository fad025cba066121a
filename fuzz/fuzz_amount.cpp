// Amount reading over arbitrary text: what an amount field shows once left is always an
// amount with a decimal comma that reads back, and leaving the field again changes nothing.
#include "FuzzSupport.h"

#include "text/TextRoutines.h"

#include <cmath>

using namespace almavest;
using fuzz::require;

namespace {

bool isShownAmount(const QString &text)
{
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype comma = text.indexOf(u',');
    if (comma <= i || text.size() - comma - 1 < 2)
        return false;
    for (; i < text.size(); ++i) {
        if (i != comma && !(text[i] >= u'0' && text[i] <= u'9'))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text
        = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<double> value = text::parseAmount(text);
    if (value)
        require(std::isfinite(*value), "parseAmount gave a number that is not finite");
    for (const int decimals : {2, 4}) {
        const QString shown = text::normaliseAmount(text, decimals);
        require(isShownAmount(shown), "normaliseAmount shows no amount");
        require(text::parseAmount(shown).has_value(), "a shown amount does not read back");
        require(text::normaliseAmount(shown, decimals) == shown, "leaving twice changed it");
    }
    if (value) {
        const QString shortest = text::formatShortest(*value);
        require(text::parseAmount(shortest).has_value(), "formatShortest does not read back");
    }
    return 0;
}
