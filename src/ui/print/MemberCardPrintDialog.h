#pragma once

#include <QDialog>
#include <QImage>

class QLabel;

// Printing the member card shown on screen, saved or not, on one A4 sheet, with its photo or
// with a box for notes instead. The print dialog sends it to the printer, the preview dialog to
// the preview window; otherwise the two are alike.
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
    enum class Output { Printer, Preview };
    MemberCardPrintDialog(AppContext &context, QWidget *owner, Output output);

private:
    void buildScreen(Output output);
    void produce();
    void fill(report::ReportTemplate &card, bool withPhoto) const;

    AppContext &m_context;
    Output m_output;
    QLabel *m_lblMemory = nullptr;
    QImage m_photo;
};

// " Stampa scheda".
class TfrmStampaAna final : public MemberCardPrintDialog
{
    Q_OBJECT
public:
    TfrmStampaAna(AppContext &context, QWidget *owner);
};

// " Anteprima di stampa".
class TfrmAnteprimaAna final : public MemberCardPrintDialog
{
    Q_OBJECT
public:
    TfrmAnteprimaAna(AppContext &context, QWidget *owner);
};

} // namespace almavest::ui
