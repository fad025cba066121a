#include "ui/conventions/CardScreen.h"

#include "store/ArchiveFile.h"
#include "store/RecordTable.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/app/Navigator.h"
#include "ui/conventions/CardForm.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/ModeWord.h"
#include "ui/conventions/Window.h"
#include "ui/dialogs/DatePicker.h"
#include "ui/services/Services.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>

namespace almavest::ui {

using store::ArchiveFile;
using store::Arrow;

CardScreen::CardScreen(AppContext &context, const store::RecordTable &table)
    : m_context(context)
    , m_table(table)
{
    setWindowState(Qt::WindowMaximized);
}

CardScreen::~CardScreen() = default;

void CardScreen::build()
{
    m_controls = buildCard();
    m_form = std::make_unique<CardForm>(
        this, m_table, [this](int field) { openDatePicker(field); },
        [this](int field) { return highlightOf(field); });
    connectActions();
    finishCard();
    applyHandCursor(this);
}

CardForm &CardScreen::form() const
{
    ensureBuilt();
    return *m_form;
}

std::optional<qint64> CardScreen::position() const
{
    return m_position;
}

QLabel *CardScreen::lblPosizione() const
{
    ensureBuilt();
    return m_controls.position;
}

QLineEdit *CardScreen::box(int field) const
{
    return form().edit(field);
}

QStringList CardScreen::values() const
{
    return completed(form().values());
}

Highlight CardScreen::highlightOf(int) const
{
    return Highlight::Halo;
}

QString CardScreen::fieldName(int field) const
{
    const store::RecordTable::Field &entry = m_table.field(field);
    for (const QString &caption : {entry.caption, entry.printCaption}) {
        QString name = text::trimmed(caption.section(u':', 0, 0));
        if (!name.isEmpty())
            return name;
    }
    return QStringLiteral("allegati");
}

void CardScreen::connectActions()
{
    onClick("cmdPrimo", [this] { browse(Arrow::First); });
    onClick("cmdIndietro", [this] { browse(Arrow::Previous); });
    onClick("cmdAvanti", [this] { browse(Arrow::Next); });
    onClick("cmdUltimo", [this] { browse(Arrow::Last); });
    onClick(m_controls.newCard, [this] { newCard(); });
    onClick(m_controls.duplicate, [this] { duplicate(); });
    onClick(m_controls.save, [this] { save(); });
    onClick(m_controls.exit, [this] { close(); });
    // The form is the guard: once the card is going away, leaving a box settles nothing.
    for (const store::RecordTable::Field &field : m_table.fields()) {
        if (field.decimals > 0)
            onFocusLeave(box(field.index), m_form.get(),
                [this, index = field.index] { settleAmount(index); });
    }
}

void CardScreen::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        prepareOnShow();
    QWidget::showEvent(event);
}

void CardScreen::closeEvent(QCloseEvent *event)
{
    m_context.navigator().go(Screen::Launcher);
    event->accept();
}

// ---- what the card shows -------------------------------------------------------------------

void CardScreen::setPosition(std::optional<qint64> position)
{
    m_position = position;
    m_controls.position->setText(position ? QString::number(*position) : QString());
}

void CardScreen::showCard(const QStringList &values, std::optional<qint64> position)
{
    m_form->show(values);
    setPosition(position);
}

void CardScreen::cardChanged(Change change, const QStringList &)
{
    if (change != Change::Read)
        box(firstField())->setFocus();
}

void CardScreen::newCard()
{
    ensureBuilt();
    const QStringList values = newValues();
    showCard(values, std::nullopt);
    cardChanged(Change::New, values);
}

void CardScreen::archiveFailed()
{
    m_context.services().message(this, MessageKind::Error, store::archiveAccessMessage());
}

// ---- reading the archive -------------------------------------------------------------------

ArchiveFile CardScreen::archive() const
{
    return ArchiveFile(archivePath(), m_table.recordSize());
}

bool CardScreen::loadCard(qint64 position, bool quietly)
{
    ensureBuilt();
    ArchiveFile file = archive();
    if (!file.openForReading()) {
        if (!quietly)
            archiveFailed();
        return false;
    }
    return readCard(file, position, quietly);
}

bool CardScreen::readCard(ArchiveFile &file, qint64 position, bool quietly)
{
    QByteArray record;
    if (!file.read(position, record)) {
        if (!quietly)
            archiveFailed();
        return false;
    }
    file.close();
    const QStringList values = m_table.layout().fields(record);
    showCard(values, position);
    cardChanged(Change::Read, values);
    return true;
}

// An archive that cannot be read is said so, rather than shown as an empty one that a save
// would seem to start afresh.
void CardScreen::showLastRecord()
{
    ensureBuilt();
    ArchiveFile file = archive();
    if (!file.openForReading()) {
        newCard();
        archiveFailed();
        return;
    }
    const qint64 count = file.count();
    if (count == 0 || !readCard(file, count, false)) {
        newCard();
        return;
    }
    box(firstField())->setFocus();
}

void CardScreen::browse(Arrow arrow)
{
    ArchiveFile file = archive();
    if (!file.openForReading()) {
        archiveFailed();
        return;
    }
    const store::BrowseStep step = store::browseStep(arrow, m_position, file.count());
    switch (step.action) {
    case store::BrowseStep::Nothing:
        return;
    case store::BrowseStep::EmptyArchive:
        file.close();
        if (step.clearPosition)
            setPosition(std::nullopt);
        m_context.services().message(this, MessageKind::Information,
            QStringLiteral("L'archivio non contiene nessuna scheda."));
        return;
    case store::BrowseStep::Read:
        readCard(file, step.position, false);
        return;
    }
}

// ---- duplicate and save --------------------------------------------------------------------

// The archive is not touched: the copy reaches it with the next Save.
void CardScreen::duplicate()
{
    Services &services = m_context.services();
    if (!m_position) {
        services.message(this, MessageKind::Warning, store::duplicateNeedsSavedCardMessage());
        return;
    }
    const QStringList values = store::duplicateValues(m_table, m_form->values(), services.today());
    showCard(values, std::nullopt);
    cardChanged(Change::Duplicated, values);
    services.message(this, MessageKind::Information, store::duplicateReadyMessage());
}

bool CardScreen::settleAmount(int field)
{
    QLineEdit *amount = box(field);
    const std::optional<QString> shown
        = text::amountFromInput(amount->text(), m_table.field(field).decimals);
    if (!shown) {
        m_context.services().message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: il testo del campo %1 non è un importo.\n\r\n\r"
                           "Indicare l'importo in cifre, con la virgola prima dei decimali "
                           "(per esempio 25,50).")
                .arg(fieldName(field)));
        amount->setFocus();
        return false;
    }
    if (amount->text() != *shown)
        amount->setText(*shown);
    return true;
}

// Every amount box is settled, whether or not it had the focus to lose.
bool CardScreen::settleAmounts()
{
    for (const store::RecordTable::Field &field : m_table.fields()) {
        if (field.decimals > 0 && !settleAmount(field.index))
            return false;
    }
    return true;
}

std::optional<QStringList> CardScreen::savedRecordShown(const QString &notSaved)
{
    if (!m_position) {
        m_context.services().message(this, MessageKind::Warning, notSaved);
        return std::nullopt;
    }
    ArchiveFile file = archive();
    QByteArray record;
    if (!file.openForReading() || !file.read(*m_position, record)) {
        archiveFailed();
        return std::nullopt;
    }
    const QStringList stored = m_table.layout().fields(record);
    if (store::asStored(m_table.layout(), completed(store::valuesToSave(m_table, m_form->values())))
        != stored) {
        m_context.services().message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: la scheda contiene modifiche non ancora salvate.\r\n\r\n"
                           "Premere Salva per salvarle, oppure richiamare la scheda per "
                           "annullarle, e poi ripetere l'operazione."));
        return std::nullopt;
    }
    return stored;
}

bool CardScreen::refuseSave(const QStringList &values)
{
    const std::optional<store::SaveRefusal> refusal = saveRefusal(values);
    if (!refusal)
        return false;
    if (refusal->plain)
        m_context.services().plainMessage(this, refusal->message);
    else
        m_context.services().message(this, MessageKind::Warning, refusal->message);
    box(refusal->field)->setFocus();
    return true;
}

// A failed write keeps the card as typed and its position as it was.
void CardScreen::save()
{
    if (!settleAmounts())
        return;
    beforeSave();
    const QStringList shown = m_form->values();
    const QStringList filled = store::valuesToSave(m_table, shown);
    for (int field = 0; field < m_table.fieldCount(); ++field) {
        if (filled.at(field) != shown.at(field))
            m_form->setText(field, filled.at(field));
    }
    const QStringList values = completed(filled);
    if (refuseSave(values) || !confirmSave(values))
        return;

    const bool appending = !m_position;
    ArchiveFile file = archive();
    const std::optional<qint64> written
        = store::storeCard(file, m_table.layout(), values, m_position);
    if (!written) {
        archiveFailed();
        return;
    }
    setPosition(written);
    reportStored(appending, values);
}

// Letters the archive cannot hold are stored as the nearest ones: the card then shows what the
// archive holds, and the user learns which fields changed.
void CardScreen::reportStored(bool appended, const QStringList &values)
{
    const QStringList stored = store::asStored(m_table.layout(), values);
    QStringList changed;
    for (const int field : store::changedByStoring(m_table.layout(), values)) {
        const QString name = fieldName(field);
        if (m_table.field(field).kind != store::ControlKind::Derived && !changed.contains(name))
            changed.append(name);
    }
    if (!changed.isEmpty())
        m_form->show(stored);
    if (!afterSave())
        return;
    QString message = store::savedMessage(appended);
    if (changed.isEmpty()) {
        m_context.services().message(this, MessageKind::Information, message);
        return;
    }
    message += QStringLiteral("\n\r\n\rAttenzione: alcune lettere che l'archivio non può "
                              "contenere sono state sostituite con le più simili (%1). La "
                              "scheda mostra ora il testo salvato.")
                   .arg(changed.join(QStringLiteral(", ")));
    m_context.services().message(this, MessageKind::Warning, message);
}

void CardScreen::openDatePicker(int field)
{
    if (const std::optional<QDate> date
        = DatePicker::pick(m_context, this, dateFieldMode(m_table, field)))
        m_form->setText(field, text::formatDate(*date));
}

} // namespace almavest::ui
