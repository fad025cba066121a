#include "ui/app/Launcher.h"

#include "report/Fonts.h"
#include "ui/app/AppContext.h"
#include "ui/app/BackupWindow.h"
#include "ui/app/ReminderBoard.h"
#include "ui/app/SettingsDialog.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/help/HelpWindow.h"
#include "ui/help/MakerNotice.h"
#include "ui/services/Services.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace almavest::ui {

namespace {

// One environment: its large picture, its labelled strip and its note, all three doing the
// same thing. An environment without `open` is not available yet and is shown greyed.
struct Column
{
    const char *picture;
    const char *pictureFile;
    const char *strip;
    const char *stripFile;
    const char *note;
    const char *noteText;
    void (Launcher::*open)();
};

const Column kColumns[] = {
    {"imgSoci", "launcher-soci.svg", "btnSoci", "strip-soci.svg", "appSoci",
        "Archivia i dati anagrafici e la foto di ogni socio e tieni sotto controllo le scadenze "
        "dei rinnovi, con l'avviso automatico delle iscrizioni in scadenza.",
        &Launcher::openMemberRegistry},
    {"imgRicevute", "launcher-libro.svg", "btnRicevute", "strip-libro.svg", "appRicevute",
        "Compila le pagine del Libro Soci, il registro che l'associazione deve tenere presso la "
        "propria sede legale.",
        &Launcher::openBookMenu},
    {"imgIncassi", "launcher-primanota.svg", "btnIncassi", "strip-primanota.svg", "appIncassi",
        "Tieni la primanota delle entrate e delle uscite e ottieni il bilancio degli incassi e "
        "delle spese in qualsiasi periodo.",
        &Launcher::openJournalMenu},
};

constexpr int kColumnWidth = 220;

QLabel *addPicture(QWidget *parent, const char *name, const char *file, QSize size)
{
    QLabel *label = namedLabel(name, QString(), parent);
    showPicture(label, QLatin1String(file), size);
    return label;
}

ClickablePicture *addClickable(QWidget *parent, const char *name, const char *file, QSize size)
{
    auto *picture = new ClickablePicture(QLatin1String(name), parent);
    showPicture(picture, QLatin1String(file), size);
    return picture;
}

QFrame *addRule(QWidget *parent)
{
    auto *rule = new QFrame(parent);
    rule->setObjectName(u"linSepara"_s);
    rule->setFixedSize(kColumnWidth, 2);
    return rule;
}

} // namespace

Launcher::Launcher(AppContext &context)
    : m_context(context)
{
    setObjectName(u"frmAvvio"_s);
    setWindowTitle(u" Almavest"_s);

    auto *centre = new QHBoxLayout;
    centre->addStretch(1);
    centre->addWidget(buildPanel());
    centre->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 10, 16, 10);
    layout->setSpacing(0);
    layout->addLayout(buildTopRow());
    layout->addStretch(1);
    layout->addLayout(centre);
    layout->addStretch(1);
    layout->addSpacing(8);
    layout->addLayout(buildBottomRow());

    applyHandCursor(this);
    resize(minimumSizeHint().expandedTo(QSize(1024, 700)));
    setWindowState(Qt::WindowMaximized);
}

Launcher::~Launcher() = default;

QLayout *Launcher::buildTopRow()
{
    auto *imgGuida = addClickable(this, "imgGuida", "help.svg", QSize(40, 40));
    connect(imgGuida, &ClickablePicture::clicked, this,
        [this] { showHelpTopic(m_context, this, HelpTopic::Tour); });
    auto *btnCopie = new QPushButton(u"Copie di sicurezza"_s, this);
    btnCopie->setObjectName(u"btnCopie"_s);
    connect(btnCopie, &QPushButton::clicked, this, [this] { BackupWindow::open(m_context, this); });
    auto *btnImpostazioni = new QPushButton(u"Impostazioni"_s, this);
    btnImpostazioni->setObjectName(u"btnImpostazioni"_s);
    connect(btnImpostazioni, &QPushButton::clicked, this,
        [this] { SettingsDialog::edit(m_context, this); });
    auto *btnPromemoria
        = new QPushButton(QIcon(u":/pictures/reminders.svg"_s), u"Promemoria"_s, this);
    btnPromemoria->setObjectName(u"btnPromemoria"_s);
    btnPromemoria->setIconSize(QSize(28, 28));
    btnPromemoria->setToolTip(
        u"Soci con l'iscrizione scaduta o in scadenza e pagamenti da saldare"_s);
    connect(btnPromemoria, &QPushButton::clicked, this, &Launcher::openReminders);
    auto *row = new QHBoxLayout;
    row->addWidget(btnPromemoria, 0, Qt::AlignTop);
    row->addStretch(1);
    row->addWidget(btnCopie, 0, Qt::AlignVCenter);
    row->addWidget(btnImpostazioni, 0, Qt::AlignVCenter);
    row->addWidget(imgGuida);
    return row;
}

QWidget *Launcher::buildPanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(u"centrePanel"_s);

    auto *title = new QHBoxLayout;
    title->setSpacing(12);
    title->addStretch(1);
    title->addWidget(addPicture(panel, "imgIcona", "app-icon.svg", QSize(64, 64)));
    title->addWidget(addPicture(panel, "imgTitolo", "launcher-title.svg", QSize(640, 80)));
    title->addStretch(1);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(28, 18, 28, 24);
    layout->setSpacing(6);
    layout->addLayout(title);
    layout->addWidget(addPicture(panel, "imgSottotitolo", "launcher-subtitle.svg", QSize(640, 28)),
        0, Qt::AlignHCenter);
    layout->addSpacing(18);
    layout->addLayout(buildColumns(panel));
    return panel;
}

QGridLayout *Launcher::buildColumns(QWidget *panel)
{
    // One grid for the three columns, so that the notes of different lengths stay aligned.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(36);
    grid->setVerticalSpacing(8);
    int column = 0;
    for (const Column &entry : kColumns) {
        auto *picture = addClickable(panel, entry.picture, entry.pictureFile, QSize(220, 160));
        auto *strip = addClickable(panel, entry.strip, entry.stripFile, QSize(220, 40));
        auto *note = new ClickablePicture(QLatin1String(entry.note), panel);
        note->setText(QString::fromUtf8(entry.noteText));
        note->setWordWrap(true);
        note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        note->setFixedWidth(kColumnWidth);
        note->setFont(fonts::named(fonts::kVerdana, 9));

        grid->addWidget(picture, 0, column);
        grid->addWidget(addRule(panel), 1, column);
        grid->addWidget(strip, 2, column);
        grid->addWidget(addRule(panel), 3, column);
        grid->addWidget(note, 4, column);
        for (ClickablePicture *control : {picture, strip, note})
            connect(control, &ClickablePicture::clicked, this, entry.open);
        ++column;
    }
    return grid;
}

QLayout *Launcher::buildBottomRow()
{
    auto *imgCopyright = addClickable(this, "imgCopyright", "copyright.svg", QSize(28, 28));
    connect(imgCopyright, &ClickablePicture::clicked, this,
        [this] { MakerNotice::showNotice(m_context, this); });
    auto *imgSito = addClickable(this, "imgSito", "site-link.svg", QSize(260, 24));
    connect(imgSito, &ClickablePicture::clicked, this, &Launcher::openWebSite);
    auto *imgEsci = addClickable(this, "imgEsci", "exit.svg", QSize(40, 40));
    connect(imgEsci, &ClickablePicture::clicked, this, &QWidget::close);

    // Equal outer columns keep the link strip in the middle of the window.
    auto *row = new QGridLayout;
    row->setColumnStretch(0, 1);
    row->setColumnStretch(2, 1);
    row->addWidget(imgCopyright, 0, 0, Qt::AlignLeft | Qt::AlignBottom);
    row->addWidget(imgSito, 0, 1, Qt::AlignHCenter | Qt::AlignBottom);
    row->addWidget(imgEsci, 0, 2, Qt::AlignRight | Qt::AlignBottom);
    return row;
}

void Launcher::openMemberRegistry()
{
    m_context.navigator().go(Screen::MemberCard, this);
}

void Launcher::openBookMenu()
{
    m_context.navigator().go(Screen::BookMenu, this);
}

void Launcher::openJournalMenu()
{
    m_context.navigator().go(Screen::JournalMenu, this);
}

void Launcher::openReminders()
{
    if (const std::optional<ReminderChoice> chosen = ReminderBoard::choose(m_context, this))
        Q_EMIT reminderChosen(*chosen);
}

void Launcher::openWebSite()
{
    openAddressOrTell(m_context.services(), this, QUrl(QLatin1String(kMakerWebSite)));
}

void Launcher::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0.0, Qt::white);
    gradient.setColorAt(1.0, QColor(0x4A, 0x7F, 0xD4));
    painter.fillRect(rect(), gradient);
}

void Launcher::showEvent(QShowEvent *event)
{
    // Whatever the user did to the window last time, the launcher comes back maximised.
    if (!event->spontaneous() && !(windowState() & Qt::WindowMaximized))
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    QWidget::showEvent(event);
    if (!event->spontaneous() && !m_shownBefore) {
        m_shownBefore = true;
        ReminderBoard::offerAtStart(m_context, this,
            [this](const ReminderChoice &chosen) { Q_EMIT reminderChosen(chosen); });
    }
}

void Launcher::closeEvent(QCloseEvent *event)
{
    event->accept();
    backUpAtExit(m_context, this);
    m_context.quit();
}

} // namespace almavest::ui
