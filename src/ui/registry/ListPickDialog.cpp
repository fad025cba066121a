#include "ui/registry/ListPickDialog.h"

#include "store/ArchiveFile.h"
#include "store/ListLines.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/ScanRunner.h"
#include "ui/conventions/Window.h"
#include "ui/exporting/WorkbookSaving.h"
#include "ui/services/Services.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace almavest::ui {

ListPickDialog::ListPickDialog(
    AppContext &context, QWidget *owner, const QString &caption, const QString &printTitle)
    : QDialog(owner)
    , m_context(context)
    , m_printTitle(printTitle)
{
    setWindowTitle(caption);
    m_list = new MemberListPanel(context, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    connect(m_list->closeButton(), &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list->printButton(), &QPushButton::clicked, this,
        [this, printTitle] { m_list->print(printTitle); });
    connect(m_list, &MemberListPanel::chosen, this, &ListPickDialog::openChosen);
    resize(900, 520);
    makeDialogWindow(this);
    applyHandCursor(this);
}

// What an unreadable archive gave is not shown: run() reports it instead.
void ListPickDialog::setLines(store::ListLines found, MemberListPanel::Selection selection)
{
    m_archiveRead = found.archiveOk;
    if (!m_archiveRead)
        found = {};
    m_list->setLines(std::move(found));
    m_list->restart(selection);
}

void ListPickDialog::openChosen(qint64 position)
{
    m_chosen = position;
    accept();
}

// Accept and reject, and so Escape and the window's close, all end here.
void ListPickDialog::done(int result)
{
    m_list->clear();
    QDialog::done(result);
}

// An archive that cannot be read shows the archive access message instead of the list, so that
// no empty list passes for an empty archive.
std::optional<qint64> ListPickDialog::run()
{
    if (!m_archiveRead) {
        m_context.services().message(
            parentWidget(), MessageKind::Error, store::archiveAccessMessage());
        return std::nullopt;
    }
    return runChoosing();
}

void ListPickDialog::offerWorkbook(const exporting::SheetForm &form, const QString &archivePath)
{
    offerWorkbook([this, &form, archivePath](const QList<qint64> &positions, const QString &name) {
        saveListRecords(m_context, this, {form, archivePath, positions, name});
    });
}

void ListPickDialog::offerWorkbook(std::function<void(const QList<qint64> &, const QString &)> save)
{
    QPushButton *button = m_list->workbookButton();
    button->show();
    connect(button, &QPushButton::clicked, this,
        [this, save = std::move(save)] { save(m_list->positions(), m_printTitle); });
}

std::optional<store::ListLines> ListPickDialog::scanOver(
    AppContext &context, QWidget *owner, ListScan scan)
{
    return ScanRunner::waitFor(context.services(), owner, std::move(scan));
}

std::optional<qint64> ListPickDialog::runChoosing()
{
    if (runPerUseDialog(m_context.services(), *this) != QDialog::Accepted)
        return std::nullopt;
    return m_chosen;
}

} // namespace almavest::ui
