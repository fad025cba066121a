#pragma once

#include "ui/conventions/ResidentScreen.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QLineEdit;
class QBoxLayout;

// The balance query: a purpose filter, a year and a range of days, and the door to the balance
// summary. The journal menu opens it; closing it returns to the launcher.
namespace almavest::ui {

class AppContext;

class BalanceQuery final : public ResidentScreen
{
    Q_OBJECT
public:
    explicit BalanceQuery(AppContext &context);
    ~BalanceQuery() override;

    // Shows the query in place of the screen `from`, starting from this year and no interval.
    void open(QWidget *from);

protected:
    void build() override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The objectNames of one date group's controls.
    struct DateGroupNames
    {
        const char *day;
        const char *month;
        const char *year;
        const char *dayTitle;
        const char *monthTitle;
    };

    void buildChoiceOfYear(QBoxLayout *layout);
    QGroupBox *dateGroup(const char *name, const QString &title, const DateGroupNames &names,
        QComboBox *&day, QComboBox *&month, QLabel *&year);
    void buildButtons(QBoxLayout *layout);
    QComboBox *dayBox(const char *name);
    QComboBox *monthBox(const char *name);
    void copyYear();
    void request();
    void refuse(QWidget *focus, const QString &text, bool warning);

    AppContext &m_context;
    QLineEdit *m_txtAnno = nullptr;
    QLineEdit *m_txtTipologia = nullptr;
    QComboBox *m_txtGiornoInizio = nullptr;
    QComboBox *m_txtMeseInizio = nullptr;
    QComboBox *m_txtGiornoFine = nullptr;
    QComboBox *m_txtMeseFine = nullptr;
    QLabel *m_lblAnnoInizio = nullptr;
    QLabel *m_lblAnnoFine = nullptr;
    QLabel *m_lblDataInizio = nullptr;
    QLabel *m_lblDataFine = nullptr;
    QLabel *m_lblFile = nullptr;
    QLabel *m_lblAttendere = nullptr;
    QPushButton *m_btnVisualizza = nullptr;
};

} // namespace almavest::ui
