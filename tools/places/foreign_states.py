#!/usr/bin/env python3
"""Writes resources/places/stati_esteri.csv, the foreign states with their Belfiore codes (Z...),
current and ceased, from the data of the npm package @marketto/belfiore-connector-embedded
(which carries ISTAT's lists of foreign territorial units under CC BY 3.0/4.0).

    npm pack @marketto/belfiore-connector-embedded@1.2.1 && tar xzf marketto-*.tgz
    python3 tools/places/foreign_states.py package/asset/cities-countries.ts > resources/places/stati_esteri.csv

Only the data is taken. The package keeps, per list, the codes as three base-32 digits each
(letter index times 1000 plus the number), the names separated by "|", the two-letter ISO code
and the dates as four base-32 digits of days since 1 January 1861; a ceased state's date is the
first day it no longer existed, so its last day is the one before.
"""

import csv
import datetime
import json
import sys

BASE = datetime.date(1861, 1, 1)


def repaired(name):
    """A few names were stored as UTF-8 read as Latin-1 ("CittÃ\xa0"): read them back."""
    if "Ã" not in name:
        return name
    try:
        return name.encode("latin-1").decode("utf-8")
    except (UnicodeEncodeError, UnicodeDecodeError):
        return name


def main():
    text = open(sys.argv[1], encoding="utf-8").read()
    data = json.loads(text[text.index("{"):text.rindex("}") + 1])
    rows = []
    for part in data["data"]:
        names = part["name"].split("|")
        for i in range(len(part["belfioreCode"]) // 3):
            value = int(part["belfioreCode"][3 * i:3 * i + 3], 32)
            code = chr(ord("A") + value // 1000) + f"{value % 1000:03d}"
            if not code.startswith("Z"):
                continue
            start = part.get("creationDate", "")[4 * i:4 * i + 4]
            end = part.get("expirationDate", "")[4 * i:4 * i + 4]
            first = BASE + datetime.timedelta(days=int(start, 32) if start else 0)
            last = (BASE + datetime.timedelta(days=int(end, 32) - 1)) if end else None
            rows.append((code, repaired(names[i]), part["provinceOrCountry"][2 * i:2 * i + 2].strip(),
                         first.isoformat(), last.isoformat() if last else "9999-12-31"))
    out = csv.writer(sys.stdout, lineterminator="\n")
    out.writerow(["CODICE", "DENOMINAZIONE", "ISO3166", "DATAISTITUZIONE", "DATACESSAZIONE"])
    out.writerows(sorted(rows))


main()
