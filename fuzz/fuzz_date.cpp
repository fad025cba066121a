// Date reading over arbitrary text and any today: a date read is written dd/mm/yyyy and that
// text reads back as the same date.
#include "FuzzSupport.h"

#include "text/TextRoutines.h"

using namespace almavest;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes choose today's year, 1 to 9999; the rest is the typed text.
    const int year = 1 + (data[0] | (data[1] << 8)) % 9999;
    const QDate today(year, 1 + data[0] % 12, 1 + data[1] % 28);
    const QString text = QString::fromUtf8(
        reinterpret_cast<const char *>(data + 2), static_cast<qsizetype>(size - 2));

    const std::optional<QDate> date = text::parseDate(text, today);
    require(text::isValidDate(text, today) == date.has_value(), "isValidDate disagrees");
    if (!date)
        return 0;
    require(date->isValid() && date->year() >= 1 && date->year() <= 9999, "date out of range");
    const QString written = text::formatDate(*date);
    require(written.size() == 10, "formatDate is not dd/mm/yyyy");
    require(text::parseDate(written, today) == date, "a written date reads back differently");
    return 0;
}
