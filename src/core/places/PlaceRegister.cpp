#include "places/PlaceRegister.h"

#include <QFile>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace almavest::places {

namespace {

QDate dayOf(QByteArrayView text)
{
    return QDate::fromString(QString::fromLatin1(text), QStringLiteral("yyyyMMdd"));
}

bool holds(const Place &place, QDate day)
{
    return day.isValid() && place.first <= day && day <= place.last;
}

// Days between `day` and the span of `place`, 0 inside it.
qint64 distance(const Place &place, QDate day)
{
    if (day < place.first)
        return day.daysTo(place.first);
    if (day > place.last)
        return place.last.daysTo(day);
    return 0;
}

} // namespace

QString Place::label() const
{
    return province.isEmpty() ? name : name + QStringLiteral(" (") + province + u')';
}

QString nameKey(QStringView name)
{
    const QString decomposed = name.toString().normalized(QString::NormalizationForm_D).toUpper();
    QString key;
    bool blank = false;
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c.isLetterOrNumber()) {
            if (blank && !key.isEmpty())
                key.append(u' ');
            key.append(c);
            blank = false;
        } else {
            blank = true;
        }
    }
    return key;
}

const PlaceRegister &PlaceRegister::builtIn()
{
    static const PlaceRegister places = [] {
        QFile file(QStringLiteral(":/places/luoghi.txt"));
        return PlaceRegister(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }();
    return places;
}

PlaceRegister::PlaceRegister(QByteArrayView lines)
{
    qsizetype start = 0;
    while (start < lines.size()) {
        qsizetype end = lines.indexOf('\n', start);
        if (end < 0)
            end = lines.size();
        const QList<QByteArray> fields = lines.sliced(start, end - start).toByteArray().split('|');
        start = end + 1;
        if (fields.size() != 5)
            continue;
        Place place {QString::fromUtf8(fields.at(0)), QString::fromUtf8(fields.at(4)),
            QString::fromUtf8(fields.at(3)), dayOf(fields.at(1)), dayOf(fields.at(2))};
        if (place.code.size() != 4 || place.name.isEmpty() || !place.first.isValid()
            || !place.last.isValid())
            continue;
        m_byKey[nameKey(place.name)].append(m_places.size());
        m_places.append(std::move(place));
    }
}

std::optional<Place> PlaceRegister::byCode(QStringView code, QDate day) const
{
    const QString wanted = code.trimmed().toString().toUpper();
    auto it = std::lower_bound(m_places.cbegin(), m_places.cend(), wanted,
        [](const Place &place, const QString &key) { return place.code < key; });
    const Place *nearest = nullptr;
    for (; it != m_places.cend() && it->code == wanted; ++it) {
        // Without a day, the latest span (the last of the code); with one, the nearest to it.
        if (!day.isValid() || !nearest || distance(*it, day) < distance(*nearest, day))
            nearest = &*it;
    }
    if (!nearest)
        return std::nullopt;
    return *nearest;
}

QList<Place> PlaceRegister::byName(QStringView name, QDate day) const
{
    QString key = nameKey(name);
    auto found = m_byKey.constFind(key);
    QString province;
    if (found == m_byKey.cend()) {
        // "FORLÌ (FC)": the name and its province.
        const qsizetype open = name.lastIndexOf(u'(');
        if (open > 0 && name.trimmed().endsWith(u')')) {
            province = name.mid(open + 1).trimmed().chopped(1).trimmed().toString().toUpper();
            found = m_byKey.constFind(nameKey(name.first(open)));
        }
    }
    if (found == m_byKey.cend())
        return {};
    QList<Place> places;
    for (const qsizetype index : *found) {
        const Place &place = m_places.at(index);
        if (!province.isEmpty() && place.province != province)
            continue;
        // The same code seen before: keep the span of the day, or else the later one.
        const auto same = std::find_if(
            places.begin(), places.end(), [&](const Place &p) { return p.code == place.code; });
        if (same == places.end())
            places.append(place);
        else if (holds(place, day) || (!holds(*same, day) && place.last > same->last))
            *same = place;
    }
    std::stable_sort(places.begin(), places.end(), [day](const Place &a, const Place &b) {
        if (holds(a, day) != holds(b, day))
            return holds(a, day);
        return a.last > b.last;
    });
    return places;
}

QStringList PlaceRegister::labels() const
{
    // Current places first, then the ceased ones, each in the order of their names.
    struct Entry
    {
        bool current;
        QString key;
        QString label;
    };
    QList<Entry> entries;
    entries.reserve(m_places.size());
    const QDate latest
        = std::max_element(m_places.cbegin(), m_places.cend(), [](const Place &a, const Place &b) {
              return a.last < b.last;
          })->last;
    for (const Place &place : m_places)
        entries.append({place.last == latest, nameKey(place.name), place.label()});
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.current != b.current)
            return a.current;
        return a.key != b.key ? a.key < b.key : a.label < b.label;
    });
    QStringList labels;
    QSet<QString> seen;
    for (const Entry &entry : entries) {
        if (!seen.contains(entry.label)) {
            seen.insert(entry.label);
            labels.append(entry.label);
        }
    }
    return labels;
}

} // namespace almavest::places
