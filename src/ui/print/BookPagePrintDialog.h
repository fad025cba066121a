#pragma once

#include "ui/print/ReportOutput.h"

#include <QDialog>
#include <QStringList>

// Printing a page of a members' book as the page screen shows it, saved or not, on one landscape
// A4 sheet ruled like a register page. The print dialog sends it to the printer, the preview
// dialog to the preview window; otherwise the two are alike.
namespace almavest::report {
class ReportTemplate;
}

namespace almavest::ui {

class AppContext;

class BookPagePrintDialog : public QDialog
{
    Q_OBJECT
public:
    // Writes the page into `sheet` (the book page template): the head, the four rows, the foot.
    // `values` are the 63 page fields by field index, `pageNumber` the page's position, empty
    // for a page not saved yet.
    static void fill(
        report::ReportTemplate &sheet, const QStringList &values, const QString &pageNumber);

protected:
    BookPagePrintDialog(AppContext &context, QWidget *owner, ReportOutput output,
        const QStringList &values, const QString &pageNumber);

private:
    void buildScreen(ReportOutput output);
    void produce();

    AppContext &m_context;
    ReportOutput m_output;
    QStringList m_values;
    QString m_pageNumber;
};

// " Stampa scheda".
class BookPagePrint final : public BookPagePrintDialog
{
    Q_OBJECT
public:
    BookPagePrint(
        AppContext &context, QWidget *owner, const QStringList &values, const QString &pageNumber);
};

// " Anteprima di stampa".
class BookPagePreview final : public BookPagePrintDialog
{
    Q_OBJECT
public:
    BookPagePreview(
        AppContext &context, QWidget *owner, const QStringList &values, const QString &pageNumber);
};

} // namespace almavest::ui
