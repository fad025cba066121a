#include "ui/app/PasswordScreen.h"

#include "app/PasswordFile.h"
#include "report/Fonts.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace almavest::ui {

namespace {

constexpr FieldSettings kFields[] = {
    // Enter is handled by the screen itself: it presses OK rather than moving on.
    {"txtPassword", 255, KeyFilter::None, Casing::None, nullptr},
};

constexpr int kEntryHeight = 32;

bool isEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

app::PasswordFile passwordFile(const AppContext &context)
{
    return app::PasswordFile(context.folder().file(QString::fromLatin1(app::kPasswordFileName)));
}

} // namespace

PasswordScreen::PasswordScreen(AppContext &context)
    : m_context(context)
{
    buildScreen();
    applyFieldTable(this, kFields);
    // Installed after the field's own behaviour, so it sees Enter first.
    m_txtPassword->installEventFilter(this);

    connect(m_txtPassword, &QLineEdit::textChanged, this, &PasswordScreen::updateOk);
    connect(m_cmdOK, &QPushButton::clicked, this, &PasswordScreen::checkPassword);
    connect(m_cmdEsci, &QPushButton::clicked, this, &PasswordScreen::exitProgram);
    connect(m_btnCambiaPassword, &QPushButton::clicked, this, &PasswordScreen::openChangePassword);

    updateOk();
    applyHandCursor(this);
    adjustSize();
    makeDialogWindow(this);
}

PasswordScreen::~PasswordScreen() = default;

void PasswordScreen::buildScreen()
{
    setObjectName(u"frmPassword"_s);
    setWindowTitle(u" Almavest - Autenticazione"_s);

    m_imgLogo = new QLabel(this);
    m_imgLogo->setObjectName(u"imgLogo"_s);
    showPicture(m_imgLogo, u"logo.svg"_s, QSize(380, 90));

    m_lblRigo05 = new QLabel(u"Immetti la password e premi OK."_s, this);
    m_lblRigo05->setObjectName(u"lblRigo05"_s);

    m_txtPassword = new QLineEdit(this);
    m_txtPassword->setObjectName(u"txtPassword"_s);
    m_txtPassword->setEchoMode(QLineEdit::Password);
    m_txtPassword->setFont(fonts::named(fonts::kVerdana, 14, QFont::Bold));
    m_txtPassword->setFixedHeight(kEntryHeight);

    m_cmdOK = new QPushButton(u"OK"_s, this);
    m_cmdOK->setObjectName(u"cmdOK"_s);
    m_cmdOK->setFixedSize(80, kEntryHeight);

    m_cmdEsci = new QPushButton(u"Esci"_s, this);
    m_cmdEsci->setObjectName(u"cmdEsci"_s);
    m_btnCambiaPassword = new QPushButton(u"Cambia password"_s, this);
    m_btnCambiaPassword->setObjectName(u"btnCambiaPassword"_s);
    for (QPushButton *button : {m_cmdOK, m_cmdEsci, m_btnCambiaPassword})
        button->setAutoDefault(false);

    auto *entry = new QHBoxLayout;
    entry->setSpacing(14);
    entry->addWidget(m_txtPassword, 1);
    entry->addWidget(m_cmdOK);

    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdEsci);
    buttons->addStretch(1);
    buttons->addWidget(m_btnCambiaPassword);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 16);
    layout->setSpacing(10);
    layout->addWidget(m_imgLogo, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(m_lblRigo05);
    layout->addLayout(entry);
    layout->addSpacing(10);
    layout->addWidget(rule);
    layout->addLayout(buttons);
}

void PasswordScreen::showCentred()
{
    centreWindow(this);
    show();
}

void PasswordScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // Coming back from the password change, the box starts empty again.
    m_txtPassword->clear();
    m_txtPassword->setFocus(Qt::OtherFocusReason);
    activateWindow();
}

// There is no close box; a close request from the window system must not leave the program
// running without any window.
void PasswordScreen::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

bool PasswordScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtPassword && isEnter(event)) {
        if (!text::trimmed(m_txtPassword->text()).isEmpty())
            m_cmdOK->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PasswordScreen::updateOk()
{
    m_cmdOK->setEnabled(!text::trimmed(m_txtPassword->text()).isEmpty());
}

void PasswordScreen::checkPassword()
{
    switch (passwordFile(m_context).check(m_txtPassword->text())) {
    case app::PasswordCheck::Unreadable:
        m_context.services().plainMessage(this,
            u"Attenzione: si è verificato un errore durante la procedura di lettura della "
            u"password. Si consiglia di reinstallare il software."_s);
        return;
    case app::PasswordCheck::Wrong:
        m_context.services().plainMessage(this, u"Attenzione: password errata."_s);
        m_txtPassword->clear();
        m_txtPassword->setFocus(Qt::OtherFocusReason);
        return;
    case app::PasswordCheck::Correct:
        break;
    }
    // The password is not asked again during this run; it need not stay in the hidden box.
    m_txtPassword->clear();
    m_context.navigator().go(Screen::Launcher, this);
}

void PasswordScreen::openChangePassword()
{
    m_context.navigator().go(Screen::PasswordChange, this);
}

void PasswordScreen::exitProgram()
{
    hide();
    m_context.quit();
}

} // namespace almavest::ui
