#include "ui/app/PasswordChangeScreen.h"

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
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace almavest::ui {

namespace {

constexpr FieldSettings kFields[] = {
    {"txtPasswordOld", 255, KeyFilter::None, Casing::None, "txtPasswordNew"},
    {"txtPasswordNew", 255, KeyFilter::None, Casing::None, "txtConferma"},
    {"txtConferma", 255, KeyFilter::None, Casing::None, "txtPasswordOld"},
};

constexpr int kEntryHeight = 32;

// The password file keeps one byte per character, so anything beyond Latin-1 (the euro sign,
// typographic quotes) would be stored as a different character and never match again.
bool fitsPasswordFile(const QString &password)
{
    return std::all_of(
        password.begin(), password.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

app::PasswordFile passwordFile(const AppContext &context)
{
    return app::PasswordFile(context.folder().file(QString::fromLatin1(app::kPasswordFileName)));
}

} // namespace

PasswordChangeScreen::PasswordChangeScreen(AppContext &context)
    : m_context(context)
{
    buildScreen();
    applyFieldTable(this, kFields);

    for (QLineEdit *box : {m_txtPasswordOld, m_txtPasswordNew, m_txtConferma})
        connect(box, &QLineEdit::textChanged, this, &PasswordChangeScreen::updateOk);
    connect(m_cmdOK, &QPushButton::clicked, this, &PasswordChangeScreen::changePassword);
    connect(m_cmdEsci, &QPushButton::clicked, this, &PasswordChangeScreen::closeScreen);

    updateOk();
    applyHandCursor(this);
    adjustSize();
    makeDialogWindow(this);
}

PasswordChangeScreen::~PasswordChangeScreen() = default;

void PasswordChangeScreen::buildScreen()
{
    setObjectName(u"frmCambiaPassword"_s);
    setWindowTitle(u" Cambia password"_s);

    m_imgLogo = new QLabel(this);
    m_imgLogo->setObjectName(u"imgLogo"_s);
    showPicture(m_imgLogo, u"logo.svg"_s, QSize(380, 90));

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(12);
    m_txtPasswordOld = addEntry(grid, 0, u"txtPasswordOld"_s, u"Vecchia password:"_s);
    m_txtPasswordNew = addEntry(grid, 1, u"txtPasswordNew"_s, u"Nuova password:"_s);
    m_txtConferma = addEntry(grid, 2, u"txtConferma"_s, u"Conferma nuova password:"_s);

    m_cmdEsci = new QPushButton(u"Chiudi"_s, this);
    m_cmdEsci->setObjectName(u"cmdEsci"_s);
    m_cmdOK = new QPushButton(u"OK"_s, this);
    m_cmdOK->setObjectName(u"cmdOK"_s);
    for (QPushButton *button : {m_cmdOK, m_cmdEsci}) {
        // Enter must never press OK here, whatever has the focus.
        button->setAutoDefault(false);
        button->setMinimumWidth(90);
    }

    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdEsci);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 16);
    layout->setSpacing(10);
    layout->addWidget(m_imgLogo, 0, Qt::AlignHCenter);
    layout->addSpacing(10);
    layout->addLayout(grid);
    layout->addSpacing(10);
    layout->addWidget(rule);
    layout->addLayout(buttons);
}

QLineEdit *PasswordChangeScreen::addEntry(
    QGridLayout *grid, int row, const QString &name, const QString &caption)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(u"lbl"_s + name.mid(3));
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    box->setEchoMode(QLineEdit::Password);
    box->setFont(fonts::named(fonts::kVerdana, 14, QFont::Bold));
    box->setFixedHeight(kEntryHeight);
    label->setBuddy(box);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    return box;
}

void PasswordChangeScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    centreWindow(this);
    for (QLineEdit *box : {m_txtPasswordOld, m_txtPasswordNew, m_txtConferma})
        box->clear();
    m_txtPasswordOld->setFocus(Qt::OtherFocusReason);
    activateWindow();
}

// There is no close box; the screen is left through "Chiudi" or a completed change only.
void PasswordChangeScreen::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void PasswordChangeScreen::updateOk()
{
    const bool filled = !text::trimmed(m_txtPasswordOld->text()).isEmpty()
        && !text::trimmed(m_txtPasswordNew->text()).isEmpty()
        && !text::trimmed(m_txtConferma->text()).isEmpty();
    m_cmdOK->setEnabled(filled);
}

void PasswordChangeScreen::changePassword()
{
    Services &services = m_context.services();
    const app::PasswordFile file = passwordFile(m_context);
    const QString failure = u"Attenzione: si è verificato un errore durante la procedura di "
                            u"modifica della password. Si consiglia di reinstallare il software."_s;

    switch (file.check(m_txtPasswordOld->text())) {
    case app::PasswordCheck::Unreadable:
        services.plainMessage(this, failure);
        return;
    case app::PasswordCheck::Wrong:
        services.plainMessage(this, u"Attenzione: vecchia password errata."_s);
        m_txtPasswordOld->clear();
        m_txtPasswordOld->setFocus(Qt::OtherFocusReason);
        return;
    case app::PasswordCheck::Correct:
        break;
    }
    const QString fresh = text::trimmed(m_txtPasswordNew->text());
    if (fresh != text::trimmed(m_txtConferma->text())) {
        refuseNewPassword(u"Attenzione: la nuova password non è stata confermata correttamente. "
                          u"E' necessario reinserire entrambi i valori."_s);
        return;
    }
    if (!fitsPasswordFile(fresh)) {
        refuseNewPassword(u"Attenzione: la nuova password contiene caratteri non ammessi, come il "
                          u"simbolo dell'euro (€). E' necessario reinserire entrambi i valori."_s);
        return;
    }
    if (!file.storePassword(fresh)) {
        services.plainMessage(this, failure);
        return;
    }
    services.plainMessage(this, u"Modifica della password completata con successo."_s);
    closeScreen();
}

void PasswordChangeScreen::refuseNewPassword(const QString &message)
{
    m_context.services().plainMessage(this, message);
    m_txtPasswordNew->clear();
    m_txtConferma->clear();
    m_txtPasswordNew->setFocus(Qt::OtherFocusReason);
}

void PasswordChangeScreen::closeScreen()
{
    m_context.navigator().go(Screen::Password, this);
}

} // namespace almavest::ui
