#include "book/PageList.h"

#include "book/PageRecord.h"

namespace almavest::book {

namespace {

constexpr int kOrderWidth = 6;
constexpr int kNameWidth = 30;
constexpr int kTaxCodeWidth = 16;
constexpr int kCardWidth = 20;
constexpr int kPhoneWidth = 15;
constexpr const char *kOrderLabel = "N. Ord. ";
constexpr const char *kNameLabel = "  Socio: ";
constexpr const char *kTaxCodeLabel = "  C.F. ";
constexpr const char *kCardLabel = "  Tessera: ";
constexpr const char *kPhoneLabel = "  Tel. ";
// " Quota: € " in Windows-1252, where the euro sign is the byte 0x80.
constexpr const char *kFeeLabel = " Quota: \x80 ";

QByteArrayView rowA(QByteArrayView record, int fieldInRow)
{
    return pageLayout().textBytes(record, rowField(RowA, fieldInRow));
}

void buildLine(QByteArrayView record, store::LineBuilder &line)
{
    line.append(kOrderLabel);
    line.appendColumn(rowA(record, Order), kOrderWidth);
    line.append(kNameLabel);
    line.appendColumn(rowA(record, MemberName), kNameWidth);
    line.append(kTaxCodeLabel);
    line.appendColumn(rowA(record, TaxCode), kTaxCodeWidth);
    line.append(kCardLabel);
    line.appendColumn(rowA(record, CardNumber), kCardWidth);
    line.append(kPhoneLabel);
    line.appendColumn(rowA(record, Phone), kPhoneWidth);
    line.append(kFeeLabel);
    line.append(rowA(record, Fee));
}

} // namespace

QString pageListLine(QByteArrayView record)
{
    store::LineBuilder line;
    buildLine(record, line);
    return line.line();
}

store::ListLines listPages(const QString &bookPath)
{
    return store::scanLines(
        bookPath, kPageRecordSize,
        [](QByteArrayView record, store::LineBuilder &line) {
            // The page screen stores no page without a book number; a page without one is not
            // a page of this book's list.
            if (pageLayout().textBytes(record, BookNumber).isEmpty())
                return false;
            buildLine(record, line);
            return true;
        },
        true);
}

} // namespace almavest::book
