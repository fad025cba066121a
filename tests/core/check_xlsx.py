#!/usr/bin/env python3
"""Prints what openpyxl reads from an XLSX workbook, as JSON, for the workbook tests to compare.

Every cell is "type:value": string, float (up to 15 significant digits), date (yyyy-mm-dd) or
empty. Also the sheet's name, the frozen cell, whether the header is bold, the number formats
of the second row, and the column widths.
"""
import datetime
import json
import sys

import openpyxl


def described(value):
    if value is None:
        return "empty:"
    if isinstance(value, datetime.datetime):
        return "date:" + value.date().isoformat()
    if isinstance(value, bool):
        return "string:" + str(value)
    if isinstance(value, (int, float)):
        return "float:" + ("%.15g" % value)
    return "string:" + str(value)


def main(path):
    book = openpyxl.load_workbook(path)
    sheet = book.worksheets[0]
    rows = [[described(cell.value) for cell in row] for row in sheet.iter_rows()]
    letters = [cell.column_letter for cell in sheet[1]]
    print(json.dumps({
        "sheets": book.sheetnames,
        "freeze": sheet.freeze_panes,
        "bold": all(cell.font.b for cell in sheet[1]),
        "formats": [cell.number_format for cell in sheet[2]],
        "widths": [sheet.column_dimensions[letter].width for letter in letters],
        "rows": rows,
    }, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])
