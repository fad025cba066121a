#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the 8-bit code page of every archive and INI file, with a best fit for the rest:
// a character outside the page loses its accents (canonical decomposition), a Latin letter
// that has no base letter in the page becomes the nearest one (Ł becomes L), and anything else
// becomes "?". One character is always one byte. The tables are our own, so nothing depends on
// ICU being present.
namespace almavest::store {

QByteArray toCp1252(QStringView text);
QString fromCp1252(QByteArrayView bytes);
// Decodes `bytes` onto the end of `target`, reusing its capacity (the scans' hot path).
void appendCp1252(QString &target, QByteArrayView bytes);
// Decodes `bytes` into `buffer`, reusing its capacity, and returns a view of it: for reading a
// field of every record of a scan without a new string each time.
QStringView decodeCp1252(QByteArrayView bytes, QString &buffer);

// One character: its byte in the code page, or the nearest letter, or '?'.
char cp1252Byte(QChar character);

} // namespace almavest::store
