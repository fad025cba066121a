#include "text/Typing.h"

#include "text/TextRoutines.h"

#include <algorithm>

namespace almavest::text {

using store::Casing;
using store::KeyFilter;

namespace {

// The length of `text` without its trailing blanks and control characters.
qsizetype trimmedEnd(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] <= u' ')
        --end;
    return end;
}

bool isBlank(QChar c)
{
    return c.isSpace();
}

// An amount pasted or dropped into an amount box: the box's whole text is read as an amount, or
// the box keeps its text when it cannot be, or when the amount would not fit (`allowed`, -1 for
// no limit): cutting it would make it another amount.
TypedText pastedAmount(QStringView before, QStringView prefix, QStringView incoming,
    QStringView suffix, qsizetype allowed)
{
    const std::optional<QString> amount = plainAmount(QString(prefix + incoming + suffix));
    if (!amount || (allowed >= 0 && amount->size() > allowed))
        return {before.toString(), static_cast<int>(before.size() - suffix.size())};
    return {*amount, static_cast<int>(std::max<qsizetype>(0, amount->size() - suffix.size()))};
}

} // namespace

bool acceptsCharacter(KeyFilter filter, QChar character)
{
    const char16_t c = character.unicode();
    const bool digit = c >= u'0' && c <= u'9';
    switch (filter) {
    case KeyFilter::None:
        return true;
    case KeyFilter::Digits:
        return digit;
    case KeyFilter::Amount:
        return digit || c == u',';
    case KeyFilter::Alphanumeric:
        return digit || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    case KeyFilter::FileName:
        return c >= u' '
            && !QStringView(u"\"*/:<>?\\\u00B0\u00C7\u00D1\u00E7\u00F1").contains(character);
    }
    return false;
}

bool acceptsKey(KeyFilter filter, QStringView typed)
{
    if (filter == KeyFilter::Amount && typed == u".")
        return true;
    return std::all_of(
        typed.begin(), typed.end(), [filter](QChar c) { return acceptsCharacter(filter, c); });
}

QString filteredText(KeyFilter filter, QStringView text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (acceptsCharacter(filter, c))
            kept.append(c);
    }
    return kept;
}

QString casedText(Casing casing, QStringView text)
{
    switch (casing) {
    case Casing::None:
        return text.toString();
    case Casing::Upper:
        return upperAZ(trimmed(text));
    case Casing::TrimOnly:
        return trimmed(text);
    }
    return text.toString();
}

TypedText applyEdit(
    QStringView before, QStringView after, KeyFilter filter, Casing casing, int limit)
{
    // The edit replaced the middle of `before` with the middle of `after`: find what stayed.
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (
        tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const QStringView prefix = after.first(head);
    const QStringView suffix = after.last(tail);
    const QStringView incoming = after.sliced(head, after.size() - head - tail);
    const qsizetype allowed = limit > 0 ? std::max<qsizetype>(limit, before.size()) : -1;
    if (filter == KeyFilter::Amount && incoming != u"."
        && !std::all_of(incoming.begin(), incoming.end(),
            [](QChar c) { return acceptsCharacter(KeyFilter::Amount, c); }))
        return pastedAmount(before, prefix, incoming, suffix, allowed);

    QString inserted = filteredText(filter, incoming);
    // The keypad's decimal key, or a point meant as a comma, stands for the comma where one may
    // stand: after a comma already there it is refused, as it always was.
    if (filter == KeyFilter::Amount && incoming == u"." && !prefix.contains(u',')
        && !suffix.contains(u','))
        inserted = QStringLiteral(",");
    if (casing == Casing::Upper)
        inserted.removeIf(isBlank); // a code (tax code, IBAN) printed in groups

    QString whole = casedText(casing, QString(prefix + inserted + suffix));
    // Where the inserted text ends in the cased whole: casing only trims the ends, so the suffix
    // keeps its length but for its own trailing blanks.
    const qsizetype suffixKept = casing == Casing::None ? suffix.size() : trimmedEnd(suffix);
    qsizetype insertedEnd = whole.size() - suffixKept;

    if (allowed >= 0 && whole.size() > allowed) {
        const qsizetype excess = std::min(whole.size() - allowed, insertedEnd);
        whole.remove(insertedEnd - excess, excess);
        insertedEnd -= excess;
    }
    return {whole, static_cast<int>(std::max<qsizetype>(0, insertedEnd))};
}

} // namespace almavest::text
