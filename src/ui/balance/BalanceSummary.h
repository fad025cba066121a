#pragma once

#include "balance/Balance.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QVBoxLayout;

// The cash journal of one interval with its totals of income, expenses and balance, which the
// user can search and print. Built anew for each request of the balance query.
namespace almavest::ui {

class AppContext;
class QuickFind;
class RecordListModel;

class BalanceSummary final : public QDialog
{
    Q_OBJECT
public:
    BalanceSummary(AppContext &context, QWidget *owner);
    ~BalanceSummary() override;

    // Reads the archive of `request`, with `owner` kept free behind its wait notice, and, when
    // it could be read, shows its summary over `owner` until the user closes it, after telling how
    // many movements could not be read; otherwise says why there is no summary: the file cannot be
    // read, or the year has no archive. A reading the user cancels shows nothing.
    static void showSummary(
        AppContext &context, QWidget *owner, const balance::BalanceRequest &request);

    // Shows `found`, the lines and totals read for `request`; false when its archive could not
    // be read.
    [[nodiscard]] bool load(const balance::BalanceRequest &request, balance::BalanceSummary found);

private:
    void buildControls();
    void buildHeading(QVBoxLayout *layout);
    void buildFindRow(QVBoxLayout *layout);
    void buildTotals(QVBoxLayout *layout);
    void buildButtons(QVBoxLayout *layout);
    QPushButton *button(const char *name, const QString &text);
    QLabel *totalRow(const char *title, const char *name, const QString &caption);
    void print();
    void saveWorkbook();
    void done(int result) override;

    AppContext &m_context;
    balance::BalanceSummary m_summary;
    balance::BalanceRequest m_request;
    QLabel *m_titTipologia = nullptr;
    QLabel *m_lblIntervallo = nullptr;
    QLabel *m_lblTotEntrate = nullptr;
    QLabel *m_lblTotUscite = nullptr;
    QLabel *m_lblBilancio = nullptr;
    QLabel *m_lblConta = nullptr;
    QLineEdit *m_txtTrova = nullptr;
    QListView *m_lstRecords = nullptr;
    RecordListModel *m_model = nullptr;
    std::unique_ptr<QuickFind> m_quickFind;
};

} // namespace almavest::ui
