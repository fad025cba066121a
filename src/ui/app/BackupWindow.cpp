#include "ui/app/BackupWindow.h"

#include "app/DataFolder.h"
#include "app/SystemCause.h"
#include "backup/Backup.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/ScanRunner.h"
#include "ui/conventions/Window.h"
#include "ui/help/HelpTopics.h"
#include "ui/help/HelpWindow.h"
#include "ui/services/Services.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

constexpr char kExitNotice[] = "Copia di sicurezza dei dati in corso. Attendere...";

QString sizeText(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

QString momentText(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("dd/MM/yyyy, 'ore' HH:mm:ss"));
}

QTreeWidget *newTable(const char *name, const QStringList &headers, QWidget *parent)
{
    auto *table = new QTreeWidget(parent);
    table->setObjectName(QLatin1String(name));
    table->setRootIsDecorated(false);
    table->setUniformRowHeights(true);
    table->setHeaderLabels(headers);
    table->header()->setStretchLastSection(false);
    table->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < headers.size(); ++column)
        table->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    return table;
}

} // namespace

BackupWindow::BackupWindow(AppContext &context, QWidget *owner)
    : QDialog(owner)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmCopie"));
    setWindowTitle(QStringLiteral(" Copie di sicurezza"));
    build();
    refresh();
    resize(820, 560);
    applyHandCursor(this);
    makeDialogWindow(this);
}

void BackupWindow::build()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    auto *intro = namedLabel("lblTitolo",
        QStringLiteral(
            "A ogni uscita dal programma, se qualcosa è cambiato dall'ultima copia, tutti i dati "
            "(soci, libri, movimenti, impostazioni, password, foto, allegati e ricevute) vengono "
            "salvati in una copia di sicurezza nella cartella Backup. Scegliere una copia per "
            "vedere che cosa contiene o per ripristinarla."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_backups = newTable("lstCopie",
        {QStringLiteral("Copia del"), QStringLiteral("File"), QStringLiteral("Dimensione")}, this);
    m_contents = newTable("lstContenuto",
        {QStringLiteral("Contenuto della copia scelta"), QStringLiteral("Dimensione"),
            QStringLiteral("Modificato il")},
        this);
    layout->addWidget(m_backups, 2);
    layout->addWidget(m_contents, 3);

    auto *keptRow = new QHBoxLayout;
    keptRow->addWidget(new QLabel(QStringLiteral("Copie da conservare:"), this));
    m_kept = new QSpinBox(this);
    m_kept->setObjectName(QStringLiteral("txtConservate"));
    m_kept->setRange(1, 99);
    m_kept->setValue(backup::keptBackups(m_context.folder().path()));
    keptRow->addWidget(m_kept);
    keptRow->addSpacing(16);
    m_notice = namedLabel("lblAttesa", QStringLiteral("Attendere..."), this);
    QSizePolicy keepRoom = m_notice->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    m_notice->setSizePolicy(keepRoom);
    m_notice->hide();
    keptRow->addWidget(m_notice, 1);
    layout->addLayout(keptRow);

    auto *help = new QPushButton(QStringLiteral("Guida"), this);
    help->setObjectName(QStringLiteral("btnGuida"));
    auto *now = new QPushButton(QStringLiteral("Fai una copia adesso"), this);
    now->setObjectName(QStringLiteral("btnCopia"));
    m_restore = new QPushButton(QStringLiteral("Ripristina"), this);
    m_restore->setObjectName(QStringLiteral("btnRipristina"));
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    for (QPushButton *button : {help, now, m_restore})
        button->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(now);
    buttons->addWidget(m_restore);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    new ScanRunner(m_context.services(), this, m_notice);
    connect(m_backups, &QTreeWidget::currentItemChanged, this, &BackupWindow::showChosen);
    connect(m_backups, &QTreeWidget::itemActivated, this, &BackupWindow::restoreChosen);
    connect(help, &QPushButton::clicked, this,
        [this] { showHelpTopic(m_context, this, HelpTopic::Backups); });
    connect(now, &QPushButton::clicked, this, &BackupWindow::backUpNow);
    connect(m_restore, &QPushButton::clicked, this, &BackupWindow::restoreChosen);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_kept, &QSpinBox::valueChanged, this, &BackupWindow::saveKept);
}

// Lists the backups newest first, from what each says of itself; a backup whose notes cannot
// be read is listed as damaged, so that the user knows it is there and cannot be restored.
void BackupWindow::refresh()
{
    m_backups->clear();
    for (const QString &path : backup::backupPaths(m_context.folder().path())) {
        auto *row = new QTreeWidgetItem(m_backups);
        row->setData(0, Qt::UserRole, path);
        const std::optional<backup::BackupContents> notes = backup::backupNotes(path);
        if (!notes) {
            row->setText(0, QFileInfo(path).fileName() + QStringLiteral(" (danneggiata)"));
            row->setText(2, sizeText(QFileInfo(path).size()));
            continue;
        }
        row->setText(0, momentText(notes->made));
        row->setText(1, QString::number(notes->files.size()));
        row->setText(2, sizeText(QFileInfo(path).size()));
    }
    if (m_backups->topLevelItemCount() > 0)
        m_backups->setCurrentItem(m_backups->topLevelItem(0));
    showChosen();
}

QString BackupWindow::chosenPath() const
{
    const QTreeWidgetItem *row = m_backups->currentItem();
    return row ? row->data(0, Qt::UserRole).toString() : QString();
}

void BackupWindow::showChosen()
{
    m_contents->clear();
    const QString path = chosenPath();
    m_restore->setEnabled(!path.isEmpty());
    if (path.isEmpty())
        return;
    const std::optional<backup::BackupContents> notes = backup::backupNotes(path);
    if (!notes)
        return;
    for (const backup::DataFile &file : notes->files) {
        auto *row = new QTreeWidgetItem(m_contents);
        row->setText(0, file.name);
        row->setText(1, sizeText(file.size));
        row->setText(2, file.modified.toString(QStringLiteral("dd/MM/yyyy HH:mm")));
    }
}

void BackupWindow::backUpNow()
{
    Services &services = m_context.services();
    const QString folder = m_context.folder().path();
    const QDateTime now = services.now();
    const int kept = m_kept->value();
    m_notice->setText(QString::fromUtf8(kExitNotice));
    const std::optional<backup::BackupResult> result
        = ScanRunner::waitFor(services, this, [folder, now, kept](store::ScanControl &control) {
              return backup::makeBackup(folder, now, kept, true, &control);
          });
    if (!result || result->outcome == backup::BackupOutcome::Cancelled)
        return;
    refresh();
    if (result->outcome == backup::BackupOutcome::Failed) {
        services.message(this, MessageKind::Error, result->error);
    } else if (result->path.isEmpty()) {
        services.message(this, MessageKind::Information,
            QStringLiteral("Nella cartella del programma non ci sono ancora dati da salvare."));
    } else {
        services.message(this, MessageKind::Information,
            QStringLiteral("Copia di sicurezza fatta: %1.")
                .arg(QFileInfo(result->path).fileName()));
    }
}

void BackupWindow::restoreChosen()
{
    const QString path = chosenPath();
    if (path.isEmpty())
        return;
    Services &services = m_context.services();
    const std::optional<backup::BackupContents> notes = backup::backupNotes(path);
    const QString made = notes ? momentText(notes->made) : QFileInfo(path).fileName();
    const QString question
        = QStringLiteral("Ripristinare i dati della copia di sicurezza scelta (%1)?\r\n\r\nI dati "
                         "attuali vengono prima salvati in una nuova copia di sicurezza, poi "
                         "sostituiti da quelli della copia scelta.")
              .arg(made);
    if (!services.message(this, MessageKind::Question, question))
        return;
    // Held until the restore is over: a copy of the program started meanwhile waits for it.
    const app::AloneInFolder alone(m_context.presence());
    if (!alone.alone()) {
        services.message(this, MessageKind::Error,
            QStringLiteral("Almavest è aperto anche in un'altra finestra su questa cartella. "
                           "Chiuderlo prima di ripristinare una copia di sicurezza: "
                           "continuerebbe a mostrare i dati di prima e potrebbe riscriverli "
                           "sopra quelli ripristinati.\r\n\r\nNessun dato è stato modificato."));
        return;
    }
    const QString folder = m_context.folder().path();
    const QDateTime now = services.now();
    const int kept = m_kept->value();
    m_notice->setText(QStringLiteral("Ripristino della copia di sicurezza in corso. Attendere..."));
    const std::optional<backup::RestoreResult> result = ScanRunner::waitFor(
        services, this, [folder, path, now, kept](store::ScanControl &control) {
            return backup::restoreBackup(folder, path, now, kept, &control);
        });
    refresh();
    if (!result || (!result->restored && result->error.isEmpty()))
        return;
    if (!result->restored) {
        services.message(this, MessageKind::Error, result->error);
        return;
    }
    services.message(this, MessageKind::Information,
        QStringLiteral("Ripristino completato: i dati sono tornati com'erano nella copia scelta "
                       "(%1).\r\n\r\nI dati di prima del ripristino sono nella copia %2.")
            .arg(made, QFileInfo(result->safetyCopy).fileName()));
}

void BackupWindow::saveKept(int kept)
{
    QString error;
    if (!backup::setKeptBackups(m_context.folder().path(), kept, error)) {
        m_context.services().message(this, MessageKind::Error,
            app::withSystemCause(QStringLiteral("Non è stato possibile salvare il numero di copie "
                                                "da conservare nel file Impostazioni.ini."),
                error));
    }
}

void BackupWindow::open(AppContext &context, QWidget *owner)
{
    BackupWindow window(context, owner);
    runPerUseDialog(context.services(), window);
}

void backUpAtExit(AppContext &context, QWidget *window)
{
    const QString folder = context.folder().path();
    if (!app::folderTakesWrites(folder))
        return;
    Services &services = context.services();
    const QDateTime now = services.now();
    const int kept = backup::keptBackups(folder);
    QLabel *notice = ScanRunner::of(services, window).notice();
    const QString usual = notice->text();
    notice->setText(QString::fromUtf8(kExitNotice));
    const std::optional<backup::BackupResult> result
        = ScanRunner::waitFor(services, window, [folder, now, kept](store::ScanControl &control) {
              return backup::makeBackup(folder, now, kept, false, &control);
          });
    notice->setText(usual);
    if (result && result->outcome == backup::BackupOutcome::Failed)
        services.message(window, MessageKind::Error, result->error);
}

} // namespace almavest::ui
