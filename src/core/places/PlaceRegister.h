#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The birth places of the codice fiscale: every Italian comune since 1861 and every foreign
// state, current and ceased, by their Belfiore code, each name with the days it was in use, so
// that a code is read with the name it had on a birth date. The build makes the register from the
// national lists of comuni and foreign states and puts it into the program.
namespace almavest::places {

struct Place
{
    QString code; // the Belfiore code: a letter and three digits, Z for a foreign state
    QString name; // upper case, as the lists write it
    QString province; // its two letters, empty for a foreign state
    QDate first; // the first and the last day the code had this name and province
    QDate last;

    bool isForeign() const { return code.startsWith(u'Z'); }
    // "FORLÌ (FC)", or the state's name alone.
    QString label() const;
};

// The key under which names are compared: upper case, accents dropped (FORLÌ is FORLI, and the
// lists' FORLI' too), every run of characters that are not letters or digits one blank.
QString nameKey(QStringView name);

class PlaceRegister final
{
public:
    // The register built into the program, read once, on first use.
    static const PlaceRegister &builtIn();

    // A register of the lines `CODE|yyyyMMdd|yyyyMMdd|PROVINCE|NAME`, sorted by code and first
    // day; a line that cannot be read is left out.
    explicit PlaceRegister(QByteArrayView lines);

    qsizetype size() const { return m_places.size(); }

    // The place `code` stood for on `day`: the name in use that day; for a day outside every span
    // of the code (a date before the lists begin, or after a ceased code ended), the span
    // nearest to it. nullopt for a code the register does not know.
    std::optional<Place> byCode(QStringView code, QDate day) const;

    // The places named `name` (compared by nameKey, so case- and accent-blind; a label with its
    // province, "FORLÌ (FC)", also matches), one for each code: its span in use on `day`, or
    // else its latest. Those in use on `day` come first, then the rest, newest first.
    QList<Place> byName(QStringView name, QDate day = {}) const;

    // Every distinct label, current places first, for a completer.
    QStringList labels() const;

private:
    QList<Place> m_places; // sorted by code and first day
    QHash<QString, QList<qsizetype>> m_byKey; // name key to the places of that name
};

} // namespace almavest::places
