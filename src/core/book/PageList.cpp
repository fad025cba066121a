#include "book/PageList.h"

#include "book/PageRecord.h"

namespace almavest::book {

namespace {

constexpr int kOrderWidth = 6;
constexpr int kNameWidth = 30;
constexpr int kTaxCodeWidth = 16;
constexpr int kCardWidth = 20;
constexpr int kPhoneWidth = 15;
constexpr QByteArrayView kOrderLabel = "N. Ord. ";
constexpr QByteArrayView kNameLabel = "  Socio: ";
constexpr QByteArrayView kTaxCodeLabel = "  C.F. ";
constexpr QByteArrayView kCardLabel = "  Tessera: ";
constexpr QByteArrayView kPhoneLabel = "  Tel. ";
// " Quota: € " in Windows-1252, where the euro sign is the byte 0x80.
constexpr QByteArrayView kFeeLabel = " Quota: \x80 ";

void buildLine(QByteArrayView record, store::LineBuilder &line)
{
    const store::RecordLayout &layout = pageLayout();
    const auto rowA
        = [&](int fieldInRow) { return layout.textBytes(record, rowField(RowA, fieldInRow)); };
    line.append(kOrderLabel);
    line.appendColumn(rowA(Order), kOrderWidth);
    line.append(kNameLabel);
    line.appendColumn(rowA(MemberName), kNameWidth);
    line.append(kTaxCodeLabel);
    line.appendColumn(rowA(TaxCode), kTaxCodeWidth);
    line.append(kCardLabel);
    line.appendColumn(rowA(CardNumber), kCardWidth);
    line.append(kPhoneLabel);
    line.appendColumn(rowA(Phone), kPhoneWidth);
    line.append(kFeeLabel);
    line.append(rowA(Fee));
}

} // namespace

QString pageListLine(QByteArrayView record)
{
    store::LineBuilder line;
    buildLine(record, line);
    return line.line();
}

store::ListLines listPages(const QString &bookPath, store::ScanControl *control)
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
        control);
}

} // namespace almavest::book
