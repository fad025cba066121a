#include "ui/dialogs/AttachmentsDialog.h"

#include "app/SystemCause.h"
#include "store/WholeFile.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace almavest::ui {

using attachments::StoreOutcome;

namespace {

const QString kOverwrite = QStringLiteral(
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome."
    "\r\n\r\nSi vuole sovrascrivere il file esistente?");

QString unfitName(const QString &name)
{
    return QStringLiteral("Attenzione: il file \"%1\" non può essere allegato perché il suo nome è "
                          "troppo lungo o contiene caratteri che la scheda non può conservare."
                          "\r\n\r\nRinominare il file e riprovare.")
        .arg(name);
}

QString copyFailed(const QString &name)
{
    return QStringLiteral("Attenzione: non è stato possibile copiare il file \"%1\" nella cartella "
                          "dei documenti allegati.\r\n\r\nIl file non è stato allegato.")
        .arg(name);
}

QString folderFailed(const QString &folder)
{
    return QStringLiteral("Attenzione: non è stato possibile creare la cartella dei documenti "
                          "allegati:\r\n%1\r\n\r\nIl file non è stato allegato.")
        .arg(QDir::toNativeSeparators(folder));
}

// The attached file, or the folder itself, is a link out of the program folder.
QString outsideLink(const QString &name)
{
    return store::outsideLinkMessage(
        QStringLiteral("il file allegato \"%1\" (o la cartella dei documenti allegati)").arg(name));
}

QString notInFolder(const QString &name)
{
    return QStringLiteral("Attenzione: il file allegato \"%1\" non è presente nella cartella dei "
                          "documenti allegati.")
        .arg(name);
}

QString numbered(const char *pattern, int slot)
{
    return QString::fromLatin1(pattern).arg(slot, 2, 10, QLatin1Char('0'));
}

} // namespace

AttachmentsDialog::AttachmentsDialog(
    AppContext &context, QWidget *owner, AttachmentsMode mode, const AttachmentSlots &slots)
    : QDialog(owner)
    , m_context(context)
    , m_folder(context.folder())
{
    setObjectName(QStringLiteral("frmAllegaCartella"));
    setWindowTitle(QStringLiteral(" Allega file"));

    auto *banner = namedLabel("imgLogo", QString(), this);
    showPicture(banner, QStringLiteral("btn-allegati.svg"), QSize(40, 40));
    auto *heading = namedLabel("lblTitolo",
        QStringLiteral("Allegare fino a tre file alla scheda, ciascuno con una descrizione."),
        this);
    m_lblMemory = namedLabel("lblMemory", modeWord(mode), this);
    m_lblMemory->hide();

    auto *area = new QWidget(this);
    buildSlots(area);

    auto *btnApplica = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    btnApplica->setObjectName(QStringLiteral("btnApplica"));
    auto *btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    for (QPushButton *button : {btnApplica, btnAnnulla})
        button->setMinimumWidth(120);
    connect(btnApplica, &QPushButton::clicked, this, &AttachmentsDialog::apply);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);

    auto *top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(banner);
    top->addWidget(heading, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnApplica);
    buttons->addWidget(btnAnnulla);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addWidget(area);
    layout->addLayout(buttons);

    showSlots(slots);
    orderTabs(btnApplica, btnAnnulla);

    applyHandCursor(this);
    adjustSize();
    resize(qMax(width(), 640), height());
    makeDialogWindow(this);
}

void AttachmentsDialog::showSlots(const AttachmentSlots &slots)
{
    for (size_t i = 0; i < m_slots.size(); ++i) {
        m_slots[i].file->setText(text::trimmed(slots.files[i]));
        m_slots[i].description->setText(text::trimmed(slots.descriptions[i]));
    }
}

void AttachmentsDialog::orderTabs(QWidget *apply, QWidget *cancel)
{
    QWidget *previous = nullptr;
    for (const Slot &slot : m_slots) {
        for (QWidget *next :
            {static_cast<QWidget *>(slot.file), static_cast<QWidget *>(slot.browse),
                static_cast<QWidget *>(slot.open), static_cast<QWidget *>(slot.description)}) {
            if (previous)
                setTabOrder(previous, next);
            previous = next;
        }
    }
    setTabOrder(previous, apply);
    setTabOrder(apply, cancel);
}

void AttachmentsDialog::buildSlots(QWidget *area)
{
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->setColumnStretch(0, 1);
    constexpr const char *kOrdinals[] = {"1°", "2°", "3°"};
    for (int i = 0; i < 3; ++i) {
        Slot &slot = m_slots[i];
        const int row = i * 5;
        const QString ordinal = QString::fromUtf8(kOrdinals[i]);
        auto *nameCaption = new QLabel(QStringLiteral("Nome %1 file allegato:").arg(ordinal), area);
        nameCaption->setObjectName(numbered("lblCampo%1", 2 * i + 1));
        slot.file = new QLineEdit(area);
        slot.file->setObjectName(numbered("txtFile%1", i + 1));
        slot.file->setReadOnly(true);
        slot.browse = new QPushButton(QStringLiteral("Sfoglia..."), area);
        slot.browse->setObjectName(numbered("btnSfoglia%1", i + 1));
        slot.open = new QPushButton(QStringLiteral("Apri"), area);
        slot.open->setObjectName(numbered("btnApri%1", i + 1));
        slot.open->setEnabled(false);
        slot.clear = makePictureButton(numbered("imgCancella%1", i + 1),
            QStringLiteral("clear-date.svg"), QString(), area, 20);
        slot.clear->setFocusPolicy(Qt::NoFocus);
        slot.clear->setToolTip(QStringLiteral("Togli il file dalla scheda."));
        auto *descriptionCaption
            = new QLabel(QStringLiteral("Descrizione %1 file allegato:").arg(ordinal), area);
        descriptionCaption->setObjectName(numbered("lblCampo%1", 2 * i + 2));
        slot.description = new QLineEdit(area);
        slot.description->setObjectName(numbered("txtDesc%1", i + 1));

        if (i > 0)
            grid->setRowMinimumHeight(row - 1, 14);
        grid->addWidget(nameCaption, row, 0, 1, 4);
        grid->addWidget(slot.file, row + 1, 0);
        grid->addWidget(slot.browse, row + 1, 1);
        grid->addWidget(slot.open, row + 1, 2);
        grid->addWidget(slot.clear, row + 1, 3);
        grid->addWidget(descriptionCaption, row + 2, 0, 1, 4);
        grid->addWidget(slot.description, row + 3, 0, 1, 4);
        connectSlot(slot);
    }
}

void AttachmentsDialog::connectSlot(Slot &slot)
{
    connect(slot.file, &QLineEdit::textChanged, slot.open, [open = slot.open](const QString &name) {
        open->setEnabled(!text::trimmed(name).isEmpty());
    });
    connect(slot.browse, &QPushButton::clicked, this, [this, &slot] { attachFile(slot); });
    connect(slot.open, &QPushButton::clicked, this, [this, &slot] { openFile(slot); });
    connect(slot.clear, &QAbstractButton::clicked, slot.file, &QLineEdit::clear);
}

void AttachmentsDialog::attachFile(Slot &slot)
{
    const QString chosen = m_context.services().openFileName(this,
        QStringLiteral("Selezionare il file da allegare:"), QStringLiteral("Tutti i file (*)"));
    if (chosen.isEmpty())
        return;
    const QString name = attachments::AttachmentFolder::nameOf(chosen);
    if (!attachments::fitsCard(name)) {
        m_context.services().message(this, MessageKind::Warning, unfitName(name));
        return;
    }
    // The slot names the new file only once the folder really holds it.
    if (storeChosen(chosen, name))
        slot.file->setText(name);
}

bool AttachmentsDialog::storeChosen(const QString &chosen, const QString &name)
{
    Services &services = m_context.services();
    if (!m_folder.keepsInside(name)) {
        services.message(this, MessageKind::Error, outsideLink(name));
        return false;
    }
    if (m_folder.isStoredCopy(chosen))
        return true;
    if (m_folder.holds(name) && !services.message(this, MessageKind::Question, kOverwrite))
        return false;
    QString reason;
    switch (m_folder.store(chosen, &reason)) {
    case StoreOutcome::Copied:
    case StoreOutcome::AlreadyThere:
        return true;
    case StoreOutcome::UnfitName:
        services.message(this, MessageKind::Warning, unfitName(name));
        return false;
    case StoreOutcome::OutsideLink:
        services.message(this, MessageKind::Error, outsideLink(name));
        return false;
    case StoreOutcome::FolderFailed:
        services.message(
            this, MessageKind::Error, app::withSystemCause(folderFailed(m_folder.path()), reason));
        return false;
    case StoreOutcome::CopyFailed:
        services.message(this, MessageKind::Error, app::withSystemCause(copyFailed(name), reason));
        return false;
    }
    return false;
}

void AttachmentsDialog::openFile(const Slot &slot)
{
    const QString name = text::trimmed(slot.file->text());
    const std::optional<QString> path = m_folder.fileOf(name);
    // A name that leads out of the folder is never handed to the shell.
    if (!path || !m_folder.holds(name)) {
        m_context.services().message(this, MessageKind::Warning, notInFolder(name));
        return;
    }
    if (!m_folder.keepsInside(name)) {
        m_context.services().message(this, MessageKind::Error, outsideLink(name));
        return;
    }
    if (!m_context.services().openFile(this, QFileInfo(*path).absoluteFilePath())) {
        m_context.services().message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: non è stato possibile aprire il file allegato \"%1\"."
                           "\r\n\r\nVerificare che nel computer sia installato un programma in "
                           "grado di aprirlo.")
                .arg(name));
    }
}

AttachmentSlots AttachmentsDialog::typed() const
{
    AttachmentSlots typed;
    for (int i = 0; i < 3; ++i) {
        typed.files[i] = text::trimmed(m_slots[i].file->text());
        typed.descriptions[i] = text::trimmed(m_slots[i].description->text());
    }
    return typed;
}

void AttachmentsDialog::apply()
{
    m_applied = typed();
    accept();
}

std::optional<AttachmentSlots> AttachmentsDialog::edit(
    AppContext &context, QWidget *owner, AttachmentsMode mode, const AttachmentSlots &slots)
{
    AttachmentsDialog dialog(context, owner, mode, slots);
    if (runPerUseDialog(context.services(), dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.applied();
}

} // namespace almavest::ui
