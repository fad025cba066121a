#include "ui/app/ReminderBoard.h"

#include "app/SystemCause.h"
#include "registry/MemberRecord.h"
#include "reminders/ReminderLetter.h"
#include "reminders/ReminderMail.h"
#include "reminders/ReminderSettings.h"
#include "report/PreparedReport.h"
#include "store/ArchiveFile.h"
#include "store/WholeFile.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/app/ReminderLetters.h"
#include "ui/conventions/ScanRunner.h"
#include "ui/conventions/Window.h"
#include "ui/help/HelpWindow.h"
#include "ui/journal/DuePaymentsDialog.h"
#include "ui/print/ReportOutput.h"
#include "ui/registry/MemberExpiryDialog.h"
#include "ui/services/Services.h"

#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

namespace almavest::ui {

namespace {

constexpr char kBoardName[] = "frmPromemoria";
constexpr char kTitle[] = "lblTitolo";
constexpr char kExpired[] = "cmdScaduti";
constexpr char kExpiring[] = "cmdInScadenza";
constexpr char kDue[] = "cmdPagamenti";
constexpr char kMembers[] = "lstSoci";
constexpr char kAll[] = "btnTutti";
constexpr char kNone[] = "btnNessuno";
constexpr char kWrite[] = "btnScrivi";
constexpr char kLetter[] = "btnLettera";
constexpr char kShowAtStart[] = "chkAvvio";
constexpr char kHelp[] = "btnGuida";
constexpr char kClose[] = "btnChiudi";
constexpr char kHint[] = "lblIstruzioni";

constexpr char kLettersFileName[] = "Lettere_promemoria.pdf";
// More messages than this at once would bury the person under windows of the mail program.
constexpr qsizetype kMaxMessages = 10;

QPushButton *namedButton(const char *name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QString countText(const QString &what, qsizetype count)
{
    return what + QStringLiteral(": ")
        + (count == 0 ? QStringLiteral("nessuno") : QString::number(count));
}

reminders::Reminders scan(const QString &folder, QDate today, store::ScanControl &control)
{
    return reminders::scanReminders(folder, today, &control);
}

// The archive access message when an archive the board reads could not be read.
void tellUnread(AppContext &context, QWidget *owner, const reminders::Reminders &found)
{
    if (!found.membersRead || !found.journalRead)
        context.services().message(owner, MessageKind::Error, store::archiveAccessMessage());
}

// Writes the letters as a PDF file in the program folder, replacing an older one only once the
// new one is whole; the message for the person when that fails, else nothing.
QString saveLetters(const app::ProgramFolder &folder, const report::PreparedReport &letters)
{
    const QString name = QLatin1String(kLettersFileName);
    QString failed
        = QStringLiteral("Attenzione: non è stato possibile salvare le lettere nel file %1 della "
                         "cartella del programma. La cartella potrebbe essere protetta dalla "
                         "scrittura oppure il disco potrebbe essere pieno.")
              .arg(name);
    // The PDF is drawn into a scratch file first and then put in place whole.
    QTemporaryFile drawn;
    if (!drawn.open())
        return app::withSystemCause(failed, drawn.errorString());
    drawn.close();
    if (!report::writePdf(letters, drawn.fileName()) || !drawn.open())
        return failed;
    const QByteArray bytes = drawn.readAll();
    QString error;
    switch (store::writeWholeFile(folder.file(name), bytes, &error)) {
    case store::WriteFailure::None:
        return {};
    case store::WriteFailure::OutsideLink:
        return store::outsideLinkMessage(name);
    case store::WriteFailure::Create:
    case store::WriteFailure::Write:
        break;
    }
    return app::withSystemCause(failed, error);
}

} // namespace

// ---- the members listed --------------------------------------------------------------------

// The members on the board, one row each, with a tick that says whether "Scrivi a tutti" writes
// to them; every row is ticked to begin with.
class ReminderMemberModel final : public QAbstractTableModel
{
public:
    enum Column { NameColumn, ExpiryColumn, StandingColumn, EmailColumn, kColumnCount };

    ReminderMemberModel(const reminders::ReminderMembers &members, QObject *parent)
        : QAbstractTableModel(parent)
        , m_members(members)
        , m_ticked(size_t(members.size()), true)
    { }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_members.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : kColumnCount;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const qsizetype row = index.row();
        if (role == Qt::CheckStateRole && index.column() == NameColumn)
            return m_ticked[size_t(row)] ? Qt::Checked : Qt::Unchecked;
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case NameColumn:
            return m_members.text(row, registry::Name);
        case ExpiryColumn:
            return m_members.text(row, registry::ExpiryDate);
        case StandingColumn:
            return m_members.standing(row) == reminders::Standing::Lapsed
                ? QStringLiteral("Scaduta")
                : QStringLiteral("In scadenza");
        case EmailColumn:
            return m_members.text(row, registry::Email);
        default:
            return {};
        }
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (!index.isValid() || role != Qt::CheckStateRole || index.column() != NameColumn)
            return false;
        m_ticked[size_t(index.row())] = value.toInt() == Qt::Checked;
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags flags = QAbstractTableModel::flags(index);
        if (index.column() == NameColumn)
            flags |= Qt::ItemIsUserCheckable;
        return flags;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char *const kHeaders[kColumnCount]
            = {"Socio", "Scadenza", "Iscrizione", "E-mail"};
        return QString::fromUtf8(kHeaders[section]);
    }

    void tickAll(bool ticked)
    {
        std::fill(m_ticked.begin(), m_ticked.end(), ticked);
        if (!m_ticked.empty())
            Q_EMIT dataChanged(
                index(0, NameColumn), index(rowCount() - 1, NameColumn), {Qt::CheckStateRole});
    }

    std::vector<qsizetype> tickedRows() const
    {
        std::vector<qsizetype> rows;
        for (size_t row = 0; row < m_ticked.size(); ++row) {
            if (m_ticked[row])
                rows.push_back(qsizetype(row));
        }
        return rows;
    }

private:
    const reminders::ReminderMembers &m_members;
    std::vector<bool> m_ticked;
};

// ---- the board -----------------------------------------------------------------------------

ReminderBoard::ReminderBoard(AppContext &context, QWidget *owner, reminders::Reminders found)
    : QDialog(owner)
    , m_context(context)
    , m_found(std::move(found))
{
    setObjectName(QLatin1String(kBoardName));
    setWindowTitle(QStringLiteral(" Promemoria"));
    auto *layout = new QVBoxLayout(this);
    auto *title = namedLabel(kTitle,
        QStringLiteral("Promemoria del ") + text::formatDate(context.services().today()), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    title->setFont(bold);
    layout->addWidget(title);
    layout->addWidget(buildCounts());
    layout->addWidget(buildMembers(), 1);
    layout->addLayout(buildButtons());
    resize(860, 560);
    makeDialogWindow(this);
    applyHandCursor(this);
}

ReminderBoard::~ReminderBoard() = default;

QWidget *ReminderBoard::buildCounts()
{
    auto *box = new QGroupBox(QStringLiteral("Da ricordare"), this);
    auto *layout = new QVBoxLayout(box);
    const struct
    {
        const char *name;
        QString text;
        qsizetype count;
        void (ReminderBoard::*open)();
    } kCounts[] = {
        {kExpired, QStringLiteral("Soci con l'iscrizione scaduta"),
            m_found.members.count(reminders::Standing::Lapsed), &ReminderBoard::openExpired},
        {kExpiring, QStringLiteral("Soci con l'iscrizione in scadenza nei giorni di preavviso"),
            m_found.members.count(reminders::Standing::Lapsing), &ReminderBoard::openExpiring},
        {kDue,
            QStringLiteral("Pagamenti in scadenza o scaduti e non saldati nella primanota %1")
                .arg(m_found.year),
            m_found.duePayments, &ReminderBoard::openDuePayments},
    };
    for (const auto &entry : kCounts) {
        QPushButton *button = namedButton(entry.name, countText(entry.text, entry.count), box);
        button->setFlat(true);
        button->setToolTip(QStringLiteral("Apre l'elenco completo"));
        button->setEnabled(entry.count > 0);
        connect(button, &QPushButton::clicked, this, entry.open);
        layout->addWidget(button, 0, Qt::AlignLeft);
    }
    return box;
}

QWidget *ReminderBoard::buildMembers()
{
    auto *box = new QGroupBox(QStringLiteral("Soci da avvisare"), this);
    auto *layout = new QVBoxLayout(box);
    QLabel *hint = namedLabel(kHint,
        QStringLiteral("Un clic su un conteggio apre l'elenco completo; un doppio clic su un socio "
                       "ne apre la scheda. \"Scrivi a tutti\" "
                       "apre un unico messaggio di posta elettronica per i soci selezionati, con "
                       "gli indirizzi in copia nascosta (Ccn), e prepara le lettere da stampare "
                       "per i soci senza indirizzo e-mail."),
        box);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    m_model = new ReminderMemberModel(m_found.members, this);
    m_lstSoci = new QTreeView(box);
    m_lstSoci->setObjectName(QLatin1String(kMembers));
    m_lstSoci->setModel(m_model);
    m_lstSoci->setRootIsDecorated(false);
    m_lstSoci->setUniformRowHeights(true);
    m_lstSoci->setAlternatingRowColors(true);
    m_lstSoci->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstSoci->header()->resizeSection(ReminderMemberModel::NameColumn, 300);
    m_lstSoci->header()->resizeSection(ReminderMemberModel::ExpiryColumn, 100);
    m_lstSoci->header()->resizeSection(ReminderMemberModel::StandingColumn, 110);
    connect(m_lstSoci, &QTreeView::activated, this,
        [this](const QModelIndex &index) { chooseMember(m_found.members.position(index.row())); });
    layout->addWidget(m_lstSoci, 1);

    auto *row = new QHBoxLayout;
    QPushButton *all = namedButton(kAll, QStringLiteral("Seleziona tutti"), box);
    QPushButton *none = namedButton(kNone, QStringLiteral("Deseleziona tutti"), box);
    QPushButton *write = namedButton(kWrite, QStringLiteral("Scrivi a tutti"), box);
    QPushButton *letter = namedButton(kLetter, QStringLiteral("Modifica la lettera"), box);
    connect(all, &QPushButton::clicked, this, [this] { m_model->tickAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { m_model->tickAll(false); });
    connect(write, &QPushButton::clicked, this, &ReminderBoard::writeToAll);
    connect(letter, &QPushButton::clicked, this, &ReminderBoard::editLetter);
    for (QPushButton *button : {all, none, write})
        button->setEnabled(!m_found.members.isEmpty());
    row->addWidget(all);
    row->addWidget(none);
    row->addStretch(1);
    row->addWidget(letter);
    row->addWidget(write);
    layout->addLayout(row);
    return box;
}

QLayout *ReminderBoard::buildButtons()
{
    m_chkAvvio = new QCheckBox(QStringLiteral("Mostra il promemoria all'avvio"), this);
    m_chkAvvio->setObjectName(QLatin1String(kShowAtStart));
    m_chkAvvio->setChecked(reminders::showAtStart(m_context.folder().path()));
    connect(m_chkAvvio, &QCheckBox::toggled, this, &ReminderBoard::storeShowAtStart);
    QPushButton *help = namedButton(kHelp, QStringLiteral("Guida"), this);
    connect(help, &QPushButton::clicked, this,
        [this] { showHelpTopic(m_context, this, HelpTopic::Reminders); });
    QPushButton *close = namedButton(kClose, QStringLiteral("Chiudi"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addWidget(m_chkAvvio);
    row->addStretch(1);
    row->addWidget(help);
    row->addWidget(close);
    return row;
}

// ---- opening -------------------------------------------------------------------------------

void ReminderBoard::offerAtStart(
    AppContext &context, QWidget *launcher, std::function<void(const ReminderChoice &)> open)
{
    if (!reminders::showAtStart(context.folder().path()))
        return;
    ScanRunner::of(context.services(), launcher)
        .start([folder = context.folder().path(), today = context.services().today()](
                   store::ScanControl &control) { return scan(folder, today, control); },
            [&context, launcher, open = std::move(open)](reminders::Reminders found) mutable {
                // The person may have gone on to an environment meanwhile: the board then waits
                // for the launcher's button.
                if (!launcher->isVisible())
                    return;
                tellUnread(context, launcher, found);
                if (found.nothingToShow())
                    return;
                // Opened once the runner has handed the result over and is idle again.
                auto shared = std::make_shared<reminders::Reminders>(std::move(found));
                QTimer::singleShot(0, launcher, [&context, launcher, shared, open] {
                    ReminderBoard board(context, launcher, std::move(*shared));
                    if (const std::optional<ReminderChoice> chosen = board.run())
                        open(*chosen);
                });
            });
}

std::optional<ReminderChoice> ReminderBoard::choose(AppContext &context, QWidget *owner)
{
    std::optional<reminders::Reminders> found = ScanRunner::waitFor(context.services(), owner,
        [folder = context.folder().path(), today = context.services().today()](
            store::ScanControl &control) { return scan(folder, today, control); });
    if (!found)
        return std::nullopt;
    tellUnread(context, owner, *found);
    ReminderBoard board(context, owner, std::move(*found));
    return board.run();
}

std::optional<ReminderChoice> ReminderBoard::run()
{
    m_lstSoci->setFocus();
    if (m_model->rowCount() > 0)
        m_lstSoci->setCurrentIndex(m_model->index(0, 0));
    if (runPerUseDialog(m_context.services(), *this) != QDialog::Accepted)
        return std::nullopt;
    return m_chosen;
}

void ReminderBoard::chooseMember(qint64 position)
{
    m_chosen = ReminderChoice {ReminderChoice::Kind::Member, position, {}, 0};
    accept();
}

void ReminderBoard::openExpired()
{
    if (const std::optional<qint64> position = ExpiredMembersDialog::choose(m_context, this))
        chooseMember(*position);
}

void ReminderBoard::openExpiring()
{
    if (const std::optional<qint64> position = ExpiringMembersDialog::choose(m_context, this))
        chooseMember(*position);
}

void ReminderBoard::openDuePayments()
{
    const std::optional<qint64> position
        = DuePaymentsDialog::choose(m_context, this, m_found.journalPath);
    if (!position)
        return;
    m_chosen = ReminderChoice {
        ReminderChoice::Kind::Movement, *position, m_found.journalPath, m_found.year};
    accept();
}

// The box shows what is stored: a choice that cannot be stored is told and taken back.
void ReminderBoard::storeShowAtStart(bool show)
{
    QString error;
    if (reminders::setShowAtStart(m_context.folder().path(), show, error))
        return;
    m_context.services().message(this, MessageKind::Error,
        app::withSystemCause(
            QStringLiteral("Attenzione: non è stato possibile salvare la scelta nel file %1. La "
                           "cartella del programma potrebbe essere protetta dalla scrittura "
                           "oppure il disco potrebbe essere pieno.")
                .arg(QLatin1String(reminders::kSettingsFileName)),
            error));
    const QSignalBlocker blocker(m_chkAvvio);
    m_chkAvvio->setChecked(!show);
}

// ---- writing to the members ----------------------------------------------------------------

void ReminderBoard::writeToAll()
{
    const std::vector<qsizetype> rows = m_model->tickedRows();
    if (rows.empty()) {
        m_context.services().message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: selezionare almeno un socio a cui scrivere."));
        return;
    }
    QStringList addresses;
    std::vector<qsizetype> withoutEmail;
    for (const qsizetype row : rows) {
        const QStringList own
            = reminders::fieldAddresses(m_found.members.text(row, registry::Email));
        if (own.isEmpty())
            withoutEmail.push_back(row);
        addresses += own;
    }
    if (!addresses.isEmpty() && !sendMail(addresses))
        return;
    if (!withoutEmail.empty())
        writeLetters(withoutEmail);
}

bool ReminderBoard::sendMail(const QStringList &addresses)
{
    Services &services = m_context.services();
    const QStringList messages = reminders::bccMailtoAddresses(
        addresses, QStringLiteral("Rinnovo dell'iscrizione all'associazione"));
    if (messages.size() > kMaxMessages) {
        services.message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: gli indirizzi e-mail selezionati (%1) sono troppi per il "
                           "programma di posta. Deselezionare una parte dei soci e scrivere in "
                           "più volte.")
                .arg(reminders::distinctAddresses(addresses).size()));
        return false;
    }
    if (messages.size() > 1
        && !services.message(this, MessageKind::Question,
            QStringLiteral("Gli indirizzi e-mail selezionati sono troppi per un solo messaggio: "
                           "il programma di posta aprirà %1 messaggi, ciascuno con una parte dei "
                           "destinatari in copia nascosta (Ccn). Continuare?")
                .arg(messages.size())))
        return false;
    for (const QString &message : messages) {
        if (!openAddressOrTell(services, this, QUrl::fromEncoded(message.toLatin1())))
            return false;
    }
    return true;
}

bool ReminderBoard::writeLetters(const std::vector<qsizetype> &rows)
{
    Services &services = m_context.services();
    QString error;
    const std::optional<QString> letterTemplate
        = reminders::readLetterTemplate(m_context.folder(), error);
    if (!letterTemplate) {
        services.message(this, MessageKind::Error,
            app::withSystemCause(
                QStringLiteral("Attenzione: non è stato possibile leggere il modello della "
                               "lettera, il file %1 della cartella del programma.")
                    .arg(QLatin1String(reminders::kLetterTemplateName)),
                error));
        return false;
    }
    const QDate today = services.today();
    std::vector<reminders::LetterValues> letters;
    letters.reserve(rows.size());
    const reminders::ReminderMembers &members = m_found.members;
    for (const qsizetype row : rows) {
        letters.push_back({members.text(row, registry::Name),
            reminders::addressLines(members.text(row, registry::Address),
                members.text(row, registry::PostCode), members.text(row, registry::Town),
                members.text(row, registry::Province))
                .join(u'\n'),
            members.text(row, registry::ExpiryDate),
            reminders::feeText(members.text(row, registry::Fee)), text::formatDate(today)});
    }
    const std::optional<PreparedLetters> prepared = prepareLetters(*letterTemplate, letters, today);
    if (!prepared) {
        services.message(this, MessageKind::Error, unreadableTemplateMessage());
        return false;
    }
    const QString saved = saveLetters(m_context.folder(), prepared->report);
    if (!saved.isEmpty()) {
        services.message(this, MessageKind::Error, saved);
    } else {
        services.message(this, MessageKind::Information,
            QStringLiteral("Sono state preparate %1 lettere per i soci senza indirizzo e-mail, "
                           "una per pagina, nel file %2 della cartella del programma. Ora si "
                           "apre l'anteprima da cui stamparle.%3")
                .arg(prepared->report.pages.size())
                .arg(QLatin1String(kLettersFileName))
                .arg(prepared->cut
                        ? QStringLiteral("\r\n\r\nIl testo della lettera è più lungo di una "
                                         "pagina: le ultime righe non sono stampate. Accorciare "
                                         "il modello con \"Modifica la lettera\".")
                        : QString()));
    }
    services.previewReport(this, prepared->report);
    return saved.isEmpty();
}

void ReminderBoard::editLetter()
{
    Services &services = m_context.services();
    QString error;
    if (!reminders::ensureLetterTemplate(m_context.folder(), error)) {
        services.message(this, MessageKind::Error,
            app::withSystemCause(
                QStringLiteral("Attenzione: non è stato possibile creare il modello della "
                               "lettera, il file %1 della cartella del programma.")
                    .arg(QLatin1String(reminders::kLetterTemplateName)),
                error));
        return;
    }
    if (!services.openFile(
            this, m_context.folder().file(QLatin1String(reminders::kLetterTemplateName))))
        services.message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: non è stato possibile aprire il file %1 con un programma "
                           "di scrittura. Aprirlo dalla cartella del programma con il Blocco "
                           "note o un altro programma per i testi.")
                .arg(QLatin1String(reminders::kLetterTemplateName)));
}

} // namespace almavest::ui
