#include "ui/journal/JournalYearMenu.h"

#include "journal/MovementRecord.h"
#include "report/Fonts.h"
#include "ui/app/AppContext.h"
#include "ui/book/CatalogueWindow.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace almavest::ui {

namespace {

constexpr FieldSettings kYearField {
    "txtAnnoPreventivi", 4, KeyFilter::Digits, Casing::None, "btnApriPreventivi"};

} // namespace

JournalYearMenu::JournalYearMenu(AppContext &context)
    : m_context(context)
{
    QBoxLayout *layout = buildCatalogueWindow(this, "frmMenuMovimenti",
        " Almavest - Registrazione movimenti in entrata e uscita", "panMenuMovimenti");
    auto *top = new QHBoxLayout;
    auto *info = namedLabel("lblInfo",
        QStringLiteral("Utilizzare questo ambiente per registrare i movimenti in entrata e in "
                       "uscita in archivi annuali."),
        this);
    info->setWordWrap(true);
    top->addWidget(info, 1);
    top->addWidget(helpPicture(context, this, HelpTopic::Movements), 0, Qt::AlignTop);
    layout->addLayout(top);
    layout->addWidget(
        namedLabel("intAnnoPreventivi", QStringLiteral("Movimenti in entrata e uscita:"), this));

    m_txtAnnoPreventivi = new QLineEdit(this);
    m_txtAnnoPreventivi->setObjectName(QLatin1String(kYearField.name));
    m_txtAnnoPreventivi->setFont(fonts::named(fonts::kVerdana, 14, QFont::Bold));
    m_txtAnnoPreventivi->setFixedWidth(90);
    m_txtAnnoPreventivi->setAlignment(Qt::AlignCenter);
    auto *btnApri = new QPushButton(QStringLiteral("Apri"), this);
    btnApri->setObjectName(QLatin1String(kYearField.enterNext));
    makeEnterClick(btnApri);
    connect(btnApri, &QPushButton::clicked, this, &JournalYearMenu::openYear);
    auto *field = new FieldBehaviour(m_txtAnnoPreventivi, kYearField);
    field->setEnterSuccessor(btnApri);

    auto *row = new QHBoxLayout;
    row->addWidget(namedLabel("titAnnoPreventivi", QStringLiteral("Anno:"), this));
    row->addWidget(m_txtAnnoPreventivi);
    row->addWidget(btnApri);
    row->addStretch(1);
    layout->addLayout(row);

    auto *imgEsci = new ClickablePicture(QStringLiteral("imgEsci"), this);
    showPicture(imgEsci, QStringLiteral("exit.svg"), QSize(40, 40));
    connect(imgEsci, &ClickablePicture::clicked, this, &QWidget::close);
    layout->addWidget(imgEsci, 0, Qt::AlignRight);

    m_lblMemory = stateLabel("lblMemory", QStringLiteral("avvio"), this);
    applyHandCursor(this);
}

JournalYearMenu::~JournalYearMenu() = default;

void JournalYearMenu::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        m_txtAnnoPreventivi->setText(journal::journalYearText(m_context.services().today().year()));
        m_next = Screen::Launcher;
        m_lblMemory->setText(QStringLiteral("avvio"));
        m_txtAnnoPreventivi->setFocus();
    }
    QWidget::showEvent(event);
}

// The year names a file, so it is checked here whatever way it reached the field (typed,
// pasted or set by the program): exactly four digits, nothing else.
void JournalYearMenu::openYear()
{
    const journal::JournalYear year = journal::readJournalYear(m_txtAnnoPreventivi->text());
    if (!year.accepted()) {
        m_context.services().message(this, MessageKind::Warning, year.refusal);
        m_txtAnnoPreventivi->setFocus();
        return;
    }
    m_year = year.year;
    m_next = Screen::MovementCard;
    m_lblMemory->setText(QStringLiteral("movimenti"));
    close();
}

void JournalYearMenu::closeEvent(QCloseEvent *event)
{
    if (m_next == Screen::MovementCard) {
        Q_EMIT yearChosen(
            journal::journalPath(m_context.folder().path(), journal::journalYearText(m_year)),
            m_year);
    } else {
        m_context.navigator().go(Screen::Launcher, this);
    }
    event->accept();
}

} // namespace almavest::ui
