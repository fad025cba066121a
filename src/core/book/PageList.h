#pragma once

#include "store/ListLines.h"

#include <QByteArrayView>
#include <QString>

// The page search's list: one line per page, describing the member of the page's first row.
namespace almavest::book {

// The page list line, from row A: "N. Ord. ", order number (6), "  Socio: ", member name (30),
// "  C.F. ", codice fiscale (16), "  Tessera: ", card number (20), "  Tel. ", telephone (15),
// " Quota: € ", the fee whole. The page number is not part of it.
QString pageListLine(QByteArrayView record);

// The line of every page of the book at `bookPath` whose book number is not empty, in page
// order, each with its page number. The book is opened for reading only.
// With a `control`, the scan reports its progress to it and stops once it is cancelled.
store::ListLines listPages(const QString &bookPath, store::ScanControl *control = nullptr);

} // namespace almavest::book
