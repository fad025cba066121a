#pragma once

#include "statement/CashStatement.h"
#include "ui/conventions/ResidentScreen.h"

#include <optional>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QTableWidget;

// The cash statement of a year in the ministry's layout, with the year before beside it, shown,
// previewed, printed and saved as PDF. It refuses while a causale of the journal has no line of
// the form. Closing it leads to the launcher, as the balance query does.
namespace almavest::ui {

class AppContext;

class StatementScreen final : public ResidentScreen
{
    Q_OBJECT
public:
    explicit StatementScreen(AppContext &context);
    ~StatementScreen() override;

    // Reads the journals of the year typed and shows its statement, or says why it cannot;
    // false when nothing is shown.
    bool showStatement();
    // Shows the statement again and sends it to the preview, to the printer or to a PDF file.
    void preview();
    void print();
    void savePdf();
    void saveWorkbook();

    // The statement shown, nullopt when none.
    const std::optional<statement::CashStatement> &shown() const { return m_statement; }

protected:
    void build() override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildButtons(QBoxLayout *layout);
    void fillGrid(const statement::CashStatement &statement);
    void clearGrid();
    void editCausali();
    void tellUnassigned(const statement::CashStatement &statement);

    AppContext &m_context;
    QLineEdit *m_txtAnno = nullptr;
    QTableWidget *m_grdRendiconto = nullptr;
    QLabel *m_lblAttendere = nullptr;
    std::optional<statement::CashStatement> m_statement;
};

} // namespace almavest::ui
