#pragma once

#include "registry/MemberSelection.h"

#include <QDialog>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QStackedWidget;

// The member search: up to ten filters used together, the list of the cards found, the quick
// find, printing, and the position of the chosen card handed back to the screen that opened it.
namespace almavest::ui {

class AppContext;
class MemberListPanel;

class TfrmTrovaAnagrafica final : public QDialog
{
    Q_OBJECT
public:
    // `modeWord` says what the opener does with the chosen card: "anagrafica",
    // "movimenti_pagatore" or "movimenti_beneficiario"; any other word stops the program.
    TfrmTrovaAnagrafica(AppContext &context, QWidget *owner, const QString &modeWord);

    QLabel *lblMemory() const { return m_lblMemory; }
    MemberListPanel *results() const { return m_results; }
    // The record position of the card chosen in the list, once one has been.
    std::optional<qint64> chosenPosition() const { return m_chosen; }

    // Opens the search over `owner` and waits until it closes: the record position of the card
    // chosen, or nothing when the search was closed without choosing.
    static std::optional<qint64> choose(
        AppContext &context, QWidget *owner, const QString &modeWord);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int result) override;

private:
    QWidget *buildFilterPanel();
    QWidget *buildResultPanel();
    void showWaitNotice();
    void search();
    void openChosen(qint64 position);

    AppContext &m_context;
    QStackedWidget *m_panels = nullptr;
    MemberListPanel *m_results = nullptr;
    QLabel *m_lblMemory = nullptr;
    QLabel *m_lblConta = nullptr;
    QLabel *m_lblAttendere = nullptr;
    QLabel *m_lblTrovate = nullptr;
    std::optional<qint64> m_chosen;
    // The filter boxes in the order of registry::SearchFilters.
    std::array<QLineEdit *, registry::kSearchFilterCount> m_filterBoxes {};
};

} // namespace almavest::ui
