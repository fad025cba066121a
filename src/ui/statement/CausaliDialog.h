#pragma once

#include "statement/CashStatement.h"

#include <QDialog>

#include <vector>

class QBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

// Where the treasurer assigns every causale of the journals to a line of the cash statement,
// income and expenses apart, and sets cash and bank at the start of the first year. A causale
// without a line is listed first and marked. Saving writes "Rendiconto.ini" whole.
namespace almavest::ui {

class AppContext;

// Every causale found in the journals of the program folder, on each side.
struct JournalCausali
{
    std::vector<statement::CausaleTotal> income;
    std::vector<statement::CausaleTotal> expenses;
    std::vector<int> years; // the years read
    int failedYear = -1; // a journal that could not be read; -1 when none
};

// The messages for settings that cannot be read (with the system's reason) and for a journal
// that cannot be read.
QString unreadableSettingsMessage(const QString &reason);
QString unreadableJournalMessage(int year);

// Reads every journal of `folder` once; with a `control`, it follows and can stop the reading.
JournalCausali readJournalCausali(const QString &folder, store::ScanControl *control = nullptr);

class CausaliDialog final : public QDialog
{
    Q_OBJECT
public:
    CausaliDialog(AppContext &context, QWidget *owner, const statement::StatementSettings &settings,
        const JournalCausali &causali);
    ~CausaliDialog() override;

    // Reads the settings and the causali of every journal, with `owner` kept free, and runs the
    // dialog over it; false when nothing could be shown (the user was told why, or cancelled).
    static bool edit(AppContext &context, QWidget *owner);

    // The settings as the dialog shows them now; nullopt when a field cannot be read, after
    // telling the user what is wrong when `tell` is set.
    std::optional<statement::StatementSettings> shownSettings(bool tell = true);
    // Saves what is shown; false after telling the user why it could not.
    bool save();

private:
    QTableWidget *buildTable(const char *name, statement::Side side,
        const std::vector<statement::CausaleTotal> &causali);
    void buildOpening(QBoxLayout *layout);
    void chainEnter();
    void reject() override;

    AppContext &m_context;
    statement::StatementSettings m_settings; // as last read or saved
    QTableWidget *m_grdEntrate = nullptr;
    QTableWidget *m_grdUscite = nullptr;
    QLineEdit *m_txtAnnoIniziale = nullptr;
    QLineEdit *m_txtCassaIniziale = nullptr;
    QLineEdit *m_txtBancaIniziale = nullptr;
    QWidget *m_btnSalva = nullptr;
};

} // namespace almavest::ui
