#include "ui/book/TfrmRegistro.h"

#include "ui/app/AppContext.h"
#include "ui/app/TfrmAvvio.h"
#include "ui/conventions/Window.h"

#include <QCloseEvent>
#include <QLabel>

namespace almavest::ui {

TfrmRegistro::TfrmRegistro(AppContext &context)
    : m_context(context)
{
    setObjectName(QStringLiteral("frmRegistro"));
    setWindowTitle(QStringLiteral(" Almavest - Compilazione Libro Soci"));
    setWindowState(Qt::WindowMaximized);
    m_lblFile = namedLabel("lblFile", QString(), this);
    m_lblFile->hide();
    m_lblNome = namedLabel("lblNome", QStringLiteral("Libro Soci"), this);
    m_lblPosizione = namedLabel("lblPosizione", QString(), this);
}

TfrmRegistro::~TfrmRegistro() = default;

void TfrmRegistro::openBook(QWidget *from, const QString &path, const QString &name)
{
    m_lblFile->setText(path);
    m_lblNome->setText(name);
    AppContext::switchScreen(from, this);
}

void TfrmRegistro::closeEvent(QCloseEvent *event)
{
    AppContext::switchScreen(nullptr, m_context.screens().launcher);
    event->accept();
}

} // namespace almavest::ui
