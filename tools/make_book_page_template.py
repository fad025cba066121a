#!/usr/bin/env python3
"""Writes resources/templates/book-page.json, the printed page of a members' book.

The page is laid out in millimetres from the paper's top-left corner; the template stores
engine units of 1/96 inch. The four member rows share one row description placed at four
heights. Run it again after changing a position; the JSON is what the program reads.
"""
import json
import pathlib

MM = 96 / 25.4

BROWN = "#A52A2A"
CORNFLOWER = "#6495ED"
BEIGE = "#F5F5DC"
LIGHT_YELLOW = "#FFFFE0"

# Row start and the colour of its title strips, top to bottom.
ROWS = [("_A", 29.4, BROWN), ("_B", 64.0, CORNFLOWER), ("_C", 98.0, BROWN),
        ("_D", 133.0, CORNFLOWER)]

# The columns of a row: line, left, width, value memo, value alignment.
COLUMNS = [
    (1, 11.4, 13.8, "txtOrdine", "center"),
    (1, 28, 45, "txtSocio", "left"),
    (1, 77, 52, "txtLuogoNasc", "left"),
    (1, 133, 30, "txtDataNasc", "center"),
    (1, 167, 40, "txtCodFisc", "center"),
    (1, 211, 73, "txtIndirizzo", "left"),
    (2, 11.4, 30, "txtTelefono", "center"),
    (2, 44, 35, "txtTessera", "center"),
    (2, 83, 30, "txtDataAmm", "center"),
    (2, 117, 30, "txtQuota", "right"),
    (2, 151, 30, "txtDataUsc", "center"),
    (2, 185, 40, "txtMotivo", "left"),
    (2, 229, 55, "txtAnnotazioni", "left"),
]
SEPARATORS = {1: [26, 75, 131, 165, 209], 2: [42, 81, 115, 149, 183, 227]}
# Offsets within a row of each line's title strip, titles, value strip and values, separators
# and the rule under it.
LINES = {
    1: dict(strip=0, titles=0.6, values_strip=6.2, values=7.6, separators=0.2, rule=13.2),
    2: dict(strip=14.6, titles=15.2, values_strip=20.8, values=22.2, separators=14.8, rule=27.6),
}


def units(value):
    return round(value * MM, 5)


def rect(left, top, width, height):
    return [units(left), units(top), units(width), units(height)]


def memo(name, left, top, width, height, style, **keys):
    return {"style": style, "name": name, "rect": rect(left, top, width, height), **keys}


def shape(name, left, top, width, height, colour):
    return {"kind": "shape", "name": name, "rect": rect(left, top, width, height),
            "fill": colour, "border": colour}


def line(name, left, top, width, height):
    return {"kind": "line", "name": name, "rect": rect(left, top, width, height)}


def head():
    return [
        memo("txtNumero", 10, 10.4, 105.6, 5.4, "head"),
        memo("txtPagina", 260.4, 10.4, 26.6, 5.4, "head", align="right"),
        line("linTesta01", 10, 18, 0, 7.2),
        line("linTesta02", 287, 18, 0, 7.2),
        line("linTesta03", 10, 18, 277, 0),
        line("linTesta04", 10, 25.5, 277, 0),
        shape("shpTesta", 11, 19, 274.8, 5.4, CORNFLOWER),
        memo("txtDenominazione", 12, 20, 196.4, 3.8, "bar", color=LIGHT_YELLOW),
        memo("txtCodFisc", 211, 20, 74, 3.8, "bar", color="#FFFFFF", align="right"),
    ]


def row(suffix, top, colour):
    objects = []
    for number, offsets in LINES.items():
        tag = f"{number}{suffix}"
        objects.append(shape(f"shpTitoli{tag}", 11, top + offsets["strip"], 274.8, 4.8, colour))
        objects.append(shape(f"shpValori{tag}", 11, top + offsets["values_strip"], 274.8, 5.8,
                             BEIGE))
        for i, x in enumerate(SEPARATORS[number], 1):
            objects.append(line(f"linColonna{number}_{i}{suffix}", x, top + offsets["separators"], 0, 12))
        objects.append(line(f"linRiga{tag}", 11, top + offsets["rule"], 275, 0))
        for line_number, left, width, name, align in COLUMNS:
            if line_number != number:
                continue
            title = "tit" + name[3:] + suffix
            objects.append(memo(title, left, top + offsets["titles"], width, 3.8, "title"))
            objects.append(memo(name + suffix, left, top + offsets["values"], width, 3.4,
                                "value", align=align))
    return objects


def foot():
    objects = []
    for left, name in ((10, "Presidente"), (231, "Segretario")):
        objects.append(memo("tit" + name, left, 179, 56, 4, "signature", bold=True))
        objects.append(line("linFirma" + name, left, 194, 56, 0))
        objects.append(memo("txt" + name, left, 195, 56, 3.4, "signature"))
    return objects


def template():
    objects = head()
    for suffix, top, colour in ROWS:
        objects += row(suffix, top, colour)
    objects += foot()
    return {
        "name": "Libro Soci",
        "paper": "A4",
        "orientation": "landscape",
        "margins": [0, 0, 0, 0],
        "styles": {
            "head": {"kind": "memo", "font": "Arial", "size": 10, "bold": True,
                     "color": "#000000"},
            "bar": {"kind": "memo", "font": "Arial", "size": 8, "bold": True},
            "title": {"kind": "memo", "font": "Arial", "size": 7, "bold": True,
                      "color": "#FFFFFF", "align": "center"},
            "value": {"kind": "memo", "font": "Arial", "size": 7, "color": "#000000"},
            "signature": {"kind": "memo", "font": "Arial", "size": 7, "color": "#000000",
                          "align": "center"},
        },
        "bands": [{"name": "Page", "kind": "page", "top": 0, "height": units(210),
                   "objects": objects}],
    }


def main():
    target = pathlib.Path(__file__).resolve().parent.parent / "resources/templates/book-page.json"
    page = template()
    band = page["bands"][0]
    objects = band.pop("objects")
    # One object a line, as the other templates are written.
    text = json.dumps(page, indent=4, ensure_ascii=False)
    lines = ",\n".join("                " + json.dumps(o, ensure_ascii=False) for o in objects)
    band_head = json.dumps(band, ensure_ascii=False)[:-1]
    text = text.replace(json.dumps(band, indent=4, ensure_ascii=False).replace("\n", "\n        "),
                        band_head + ', "objects": [\n' + lines + "\n            ]}")
    with open(target, "w", encoding="utf-8") as out:
        out.write(text + "\n")


if __name__ == "__main__":
    main()
