#pragma once

#include <QWidget>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// Changes the installation's password: the old one, the new one and its confirmation. Whenever
// it closes, the password screen asks again.
namespace almavest::ui {

class AppContext;

class PasswordChangeScreen final : public QWidget
{
    Q_OBJECT
public:
    explicit PasswordChangeScreen(AppContext &context);
    ~PasswordChangeScreen() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildScreen();
    QLineEdit *addEntry(QGridLayout *grid, int row, const QString &name, const QString &caption);
    void updateOk();
    void changePassword();
    void refuseNewPassword(const QString &message);
    void closeScreen();

    AppContext &m_context;
    QLabel *m_imgLogo = nullptr;
    QLineEdit *m_txtPasswordOld = nullptr;
    QLineEdit *m_txtPasswordNew = nullptr;
    QLineEdit *m_txtConferma = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdEsci = nullptr;
};

} // namespace almavest::ui
