#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The first screen: asks for the installation's password before the launcher opens, and leads
// to the change-password screen. It is left only through its own buttons.
namespace almavest::ui {

class AppContext;

class PasswordScreen final : public QWidget
{
    Q_OBJECT
public:
    explicit PasswordScreen(AppContext &context);
    ~PasswordScreen() override;

    // Shows the screen centred on the desktop, as at start.
    void showCentred();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildScreen();
    void updateOk();
    void checkPassword();
    void openChangePassword();
    void exitProgram();

    AppContext &m_context;
    QLabel *m_imgLogo = nullptr;
    QLabel *m_lblRigo05 = nullptr;
    QLineEdit *m_txtPassword = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdEsci = nullptr;
    QPushButton *m_btnCambiaPassword = nullptr;
};

} // namespace almavest::ui
