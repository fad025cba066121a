#pragma once

#include "ui/print/ReportOutput.h"

#include <QDialog>
#include <QImage>
#include <QStringList>

class QLabel;

// Printing a member card as the card screen shows it, saved or not, on one A4 sheet, with its
// photo or with a box for notes instead. The print dialog sends it to the printer, the preview
// dialog to the preview window; otherwise the two are alike.
namespace almavest::report {
class ReportTemplate;
}

namespace almavest::ui {

class AppContext;

class MemberCardPrintDialog : public QDialog
{
    Q_OBJECT
public:
    QLabel *lblMemory() const { return m_lblMemory; }
    // The photo that will be printed.
    QImage photo() const { return m_photo; }

protected:
    // `values` are the 25 member fields by field index, `photo` the picture the card shows.
    MemberCardPrintDialog(AppContext &context, QWidget *owner, ReportOutput output,
        const QStringList &values, const QImage &photo);

private:
    void buildScreen(ReportOutput output);
    // Chooses the card with or without the photo; lblMemory shows "con" or "senza".
    void setWithPhoto(bool withPhoto);
    void produce();
    void fill(report::ReportTemplate &card, bool withPhoto) const;

    AppContext &m_context;
    ReportOutput m_output;
    QStringList m_values;
    QLabel *m_lblMemory = nullptr;
    QLabel *m_imgLogo = nullptr; // the photo printed, kept hidden
    bool m_withPhoto = true;
    QImage m_photo;
};

// " Stampa scheda".
class MemberCardPrint final : public MemberCardPrintDialog
{
    Q_OBJECT
public:
    MemberCardPrint(
        AppContext &context, QWidget *owner, const QStringList &values, const QImage &photo);
};

// " Anteprima di stampa".
class MemberCardPreview final : public MemberCardPrintDialog
{
    Q_OBJECT
public:
    MemberCardPreview(
        AppContext &context, QWidget *owner, const QStringList &values, const QImage &photo);
};

} // namespace almavest::ui
