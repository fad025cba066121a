#include "ui/journal/TfrmMovimenti.h"

#include "ui/app/AppContext.h"
#include "ui/app/TfrmAvvio.h"
#include "ui/conventions/Window.h"

#include <QCloseEvent>
#include <QLabel>

namespace almavest::ui {

TfrmMovimenti::TfrmMovimenti(AppContext &context)
    : m_context(context)
{
    setObjectName(QStringLiteral("frmMovimenti"));
    setWindowTitle(QStringLiteral(" Almavest - Registrazione movimenti"));
    setWindowState(Qt::WindowMaximized);
    m_lblFile = namedLabel("lblFile", QString(), this);
    m_lblFile->hide();
    m_lblPosizione = namedLabel("lblPosizione", QString(), this);
}

TfrmMovimenti::~TfrmMovimenti() = default;

void TfrmMovimenti::openYear(QWidget *from, const QString &path, const QString &year)
{
    m_lblFile->setText(path);
    setWindowTitle(QStringLiteral(" Almavest - Registrazione movimenti anno ") + year);
    AppContext::switchScreen(from, this);
}

void TfrmMovimenti::closeEvent(QCloseEvent *event)
{
    AppContext::switchScreen(nullptr, m_context.screens().launcher);
    event->accept();
}

} // namespace almavest::ui
