#include "ui/registry/MemberExpiryDialog.h"

#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/Window.h"
#include "ui/registry/MemberListPanel.h"
#include "ui/services/Services.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace almavest::ui {

MemberExpiryDialog::MemberExpiryDialog(AppContext &context, QWidget *owner,
    registry::ExpiryRule rule, const QString &caption, const QString &printTitle)
    : QDialog(owner)
    , m_context(context)
    , m_rule(rule)
{
    setWindowTitle(caption);
    m_list = new MemberListPanel(context, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    connect(m_list->closeButton(), &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list->printButton(), &QPushButton::clicked, this,
        [this, printTitle] { m_list->print(printTitle); });
    connect(m_list, &MemberListPanel::chosen, this, &MemberExpiryDialog::openChosen);
    resize(900, 520);
    makeDialogWindow(this);
    applyHandCursor(this);
    fill();
}

// Cards whose dates cannot be read are left out; an archive that cannot be read lists nothing.
void MemberExpiryDialog::fill()
{
    registry::MemberLines found = registry::expiringMembers(
        m_context.folder().file(QLatin1String(registry::kMemberArchiveName)), m_rule,
        m_context.services().today());
    m_archiveRead = found.archiveOk;
    if (!m_archiveRead)
        found = {};
    m_list->setLines(std::move(found));
    m_list->restart();
}

void MemberExpiryDialog::openChosen(qint64 position)
{
    m_chosen = position;
    accept();
}

// Accept and reject, and so Escape and the window's close, all end here.
void MemberExpiryDialog::done(int result)
{
    m_list->clear();
    QDialog::done(result);
}

// An archive that cannot be read shows the archive access message instead of the summary, so
// that no empty list passes for "nobody".
std::optional<qint64> MemberExpiryDialog::run()
{
    if (!m_archiveRead) {
        m_context.services().message(
            parentWidget(), MessageKind::Error, store::archiveAccessMessage());
        return std::nullopt;
    }
    if (runPerUseDialog(m_context.services(), *this) != QDialog::Accepted)
        return std::nullopt;
    return m_chosen;
}

std::optional<qint64> TfrmScadute::choose(AppContext &context, QWidget *owner)
{
    TfrmScadute dialog(context, owner);
    return dialog.run();
}

std::optional<qint64> TfrmSospesi::choose(AppContext &context, QWidget *owner)
{
    TfrmSospesi dialog(context, owner);
    return dialog.run();
}

TfrmScadute::TfrmScadute(AppContext &context, QWidget *owner)
    : MemberExpiryDialog(context, owner, registry::ExpiryRule::Expired,
        QStringLiteral(" Riepilogo soci con iscrizione scaduta"),
        QStringLiteral("Riepilogo soci con iscrizione scaduta"))
{
    setObjectName(QStringLiteral("frmScadute"));
}

TfrmSospesi::TfrmSospesi(AppContext &context, QWidget *owner)
    : MemberExpiryDialog(context, owner, registry::ExpiryRule::ExpiringOrExpired,
        QStringLiteral(" Riepilogo soci con iscrizione in scadenza o scaduta"),
        QStringLiteral("Riepilogo soci con iscrizione in scadenza o scaduta"))
{
    setObjectName(QStringLiteral("frmSospesi"));
}

} // namespace almavest::ui
