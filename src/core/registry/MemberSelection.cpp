#include "registry/MemberSelection.h"

#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "store/Cp1252.h"
#include "store/IndexedLines.h"
#include "store/ListLines.h"
#include "text/TextRoutines.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

namespace almavest::registry {

namespace {

constexpr int kNameWidth = 30;
constexpr int kTaxCodeWidth = 16;
constexpr int kExpiryWidth = 10;
constexpr int kPhoneWidth = 15;
constexpr QByteArrayView kTaxCodeLabel = "  C.F. ";
constexpr QByteArrayView kExpiryLabel = "  Scad. ";
constexpr QByteArrayView kPhoneLabel = "  Tel. ";
constexpr QByteArrayView kNotesLabel = " Note: ";

// The member field each filter is compared with, in the order of SearchFilters.
constexpr std::array<int, kSearchFilterCount> kFilterFields = {Name, CardNumber, BirthPlace,
    BirthDate, TaxCode, EnrolmentDate, Town, Qualifications, Role, Notes};

QByteArrayView fieldBytes(QByteArrayView record, int field)
{
    return memberLayout().textBytes(record, field);
}

// The fields a list line shows.
constexpr std::array<int, 5> kLineFields = {Name, TaxCode, ExpiryDate, Phone, Notes};

// Every field the lists show or select on: the compact copy of the archive holds these.
constexpr std::array<int, 13> kIndexedFields = {Name, CardNumber, BirthPlace, BirthDate, TaxCode,
    EnrolmentDate, Town, Qualifications, Role, Notes, ExpiryDate, NoticeDays, Phone};

// Writes the member list line of the card whose fields `textOf` gives into `line`.
template <typename TextOf> void buildLine(const TextOf &textOf, store::LineBuilder &line)
{
    line.appendColumn(textOf(Name), kNameWidth);
    line.append(kTaxCodeLabel);
    line.appendColumn(textOf(TaxCode), kTaxCodeWidth);
    line.append(kExpiryLabel);
    line.appendColumn(textOf(ExpiryDate), kExpiryWidth);
    line.append(kPhoneLabel);
    line.appendColumn(textOf(Phone), kPhoneWidth);
    line.append(kNotesLabel);
    line.append(textOf(Notes));
}

void buildLine(QByteArrayView record, store::LineBuilder &line)
{
    buildLine([record](int field) { return fieldBytes(record, field); }, line);
}

// One pass over the member archive, or over its compact copy where there is one, adding the
// line of every card `wanted` accepts; `wanted` is given the texts of a card's fields by field
// and, on the archive, reads the bytes at `readAhead` of every record.
template <typename Wanted>
MemberLines collectLines(const QString &archivePath, const Wanted &wanted,
    std::vector<int> readAhead, store::ScanControl *control)
{
    return store::linesOf(
        archivePath, memberLayout(), kIndexedFields, kLineFields, wanted,
        [](const auto &textOf, store::LineBuilder &line) { buildLine(textOf, line); },
        std::move(readAhead), control, [] {});
}

// Reads a whole number as a number field would: blanks around it, an optional sign, decimal
// digits and nothing else, within the range of an int.
std::optional<int> parseWholeNumber(QStringView text)
{
    const QStringView clean = text::trimmedView(text);
    qsizetype i = 0;
    const bool negative = clean.startsWith(u'-');
    if (negative || clean.startsWith(u'+'))
        ++i;
    if (i == clean.size())
        return std::nullopt;
    const qint64 limit
        = negative ? -qint64(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    qint64 value = 0;
    for (; i < clean.size(); ++i) {
        const char16_t c = clean[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace

QString memberListLine(QByteArrayView record)
{
    store::LineBuilder line;
    buildLine(record, line);
    return line.line();
}

QString memberListLine(const QStringList &values)
{
    const auto value = [&values](int field) {
        return field < values.size() ? QStringView(values.at(field)) : QStringView();
    };
    return text::fixedColumn(value(Name), kNameWidth) + QLatin1String(kTaxCodeLabel)
        + text::fixedColumn(value(TaxCode), kTaxCodeWidth) + QLatin1String(kExpiryLabel)
        + text::fixedColumn(value(ExpiryDate), kExpiryWidth) + QLatin1String(kPhoneLabel)
        + text::fixedColumn(value(Phone), kPhoneWidth) + QLatin1String(kNotesLabel)
        + text::trimmed(value(Notes));
}

MemberSearch::MemberSearch(const SearchFilters &filters)
    : m_search(memberLayout(), kFilterFields, filters)
{ }

std::optional<QDate> recordDate(QByteArrayView bytes, QDate today)
{
    if (bytes.size() == 10 && bytes[2] == '/' && bytes[5] == '/') {
        int parts[3] = {0, 0, 0};
        const int starts[3] = {0, 3, 6};
        const int lengths[3] = {2, 2, 4};
        bool digits = true;
        for (int p = 0; p < 3; ++p) {
            for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
                digits = digits && (bytes[i] >= '0' && bytes[i] <= '9');
                parts[p] = parts[p] * 10 + (bytes[i] - '0');
            }
        }
        if (digits) {
            const QDate date(parts[2], parts[1], parts[0]);
            return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
        }
    }
    if (bytes.isEmpty())
        return std::nullopt;
    return text::parseDate(store::fromCp1252(bytes), today);
}

std::optional<bool> expiryListed(
    ExpiryRule rule, QStringView expiry, QStringView noticeDays, QDate today)
{
    return expiryListed(rule, text::parseDate(expiry, today), noticeDays, today);
}

std::optional<bool> expiryListed(
    ExpiryRule rule, std::optional<QDate> date, QStringView noticeDays, QDate today)
{
    if (!date)
        return std::nullopt;
    if (rule == ExpiryRule::Expired)
        return *date < today;
    const std::optional<int> days = parseWholeNumber(noticeDays);
    if (!days)
        return std::nullopt;
    return date->addDays(-qint64(*days)) <= today;
}

MemberLines searchMembers(
    const QString &archivePath, const MemberSearch &search, store::ScanControl *control)
{
    if (search.filledCount() == 0)
        return collectLines(
            archivePath, [](const auto &) { return true; }, memberLayout().readAhead(kLineFields),
            control);
    return collectLines(
        archivePath, [&search](const auto &textOf) { return search.matchesTexts(textOf); },
        search.readAhead(), control);
}

MemberLines namedMembers(const QString &archivePath, store::ScanControl *control)
{
    constexpr std::array<int, 1> kNameField = {Name};
    return collectLines(
        archivePath, [](const auto &textOf) { return !textOf(Name).isEmpty(); },
        memberLayout().readAhead(kNameField), control);
}

MemberLines expiringMembers(
    const QString &archivePath, ExpiryRule rule, QDate today, store::ScanControl *control)
{
    QString daysBuffer;
    constexpr std::array<int, 2> kExpiryFields = {ExpiryDate, NoticeDays};
    return collectLines(
        archivePath,
        [&](const auto &textOf) {
            const std::optional<QDate> expiry = recordDate(textOf(ExpiryDate), today);
            const QStringView days = rule == ExpiryRule::ExpiringOrExpired
                ? store::decodeCp1252(textOf(NoticeDays), daysBuffer)
                : QStringView();
            // A card that cannot be read is left out rather than ending the list: stopping there
            // would hide every card after it.
            return expiryListed(rule, expiry, days, today).value_or(false);
        },
        memberLayout().readAhead(kExpiryFields), control);
}

} // namespace almavest::registry
