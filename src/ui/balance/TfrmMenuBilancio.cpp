#include "ui/balance/TfrmMenuBilancio.h"

#include "ui/app/AppContext.h"
#include "ui/app/TfrmAvvio.h"

#include <QCloseEvent>

namespace almavest::ui {

TfrmMenuBilancio::TfrmMenuBilancio(AppContext &context)
    : m_context(context)
{
    setObjectName(QStringLiteral("frmMenuBilancio"));
    setWindowTitle(QStringLiteral(" Almavest - Riepilogo primanota e bilancio"));
    setWindowState(Qt::WindowMaximized);
}

TfrmMenuBilancio::~TfrmMenuBilancio() = default;

void TfrmMenuBilancio::open(QWidget *from)
{
    AppContext::switchScreen(from, this);
}

void TfrmMenuBilancio::closeEvent(QCloseEvent *event)
{
    AppContext::switchScreen(nullptr, m_context.screens().launcher);
    event->accept();
}

} // namespace almavest::ui
