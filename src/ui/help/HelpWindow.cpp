#include "ui/help/HelpWindow.h"

#include "report/Fonts.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/help/DataFolderLabel.h"
#include "ui/help/LinkText.h"
#include "ui/services/Services.h"

#include <QBoxLayout>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace almavest::ui {

namespace {

const QSize kClientArea(670, 572);

QString missingGuide(const QString &path)
{
    return QStringLiteral("Attenzione: la guida in formato PDF non è presente nella cartella del "
                          "programma.\r\n\r\nIl file %1 dovrebbe trovarsi in:\r\n%2")
        .arg(QLatin1String(kUserGuideFile), QFileInfo(path).absolutePath());
}

} // namespace

HelpWindow::HelpWindow(AppContext &context, QWidget *owner)
    : QDialog(owner)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmGuida"));
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));

    auto *imgLogo = namedLabel("imgLogo", QString(), this);
    showPicture(imgLogo, QStringLiteral("banner-guida.svg"), QSize(630, 70));
    m_lblTitolo = namedLabel("lblTitolo", QStringLiteral("Argomento della guida."), this);
    m_lblTitolo->setFont(fonts::named(fonts::kArial, 16, QFont::Bold));
    m_lblTitolo->setWordWrap(true);
    m_txtGuida = new QPlainTextEdit(this);
    m_txtGuida->setObjectName(QStringLiteral("txtGuida"));
    m_txtGuida->setReadOnly(true);
    m_txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_txtGuida->setFont(fonts::named(fonts::kArial, 12));
    m_txtGuida->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 14);
    layout->setSpacing(10);
    layout->addWidget(imgLogo, 0, Qt::AlignHCenter);
    layout->addWidget(m_lblTitolo);
    layout->addWidget(m_txtGuida, 1);
    layout->addWidget(dataFolderLabel(context.folder(), this));
    layout->addWidget(buildLinkRow());

    applyHandCursor(this);
    resize(kClientArea);
    makeDialogWindow(this);
}

QWidget *HelpWindow::buildLinkRow()
{
    auto *row = new QWidget(this);
    auto *imgPDF = new ClickablePicture(QStringLiteral("imgPDF"), row);
    showPicture(imgPDF, QStringLiteral("pdf.svg"), QSize(32, 32));
    m_lnkWeb = makeLinkText("lnkWeb", QStringLiteral("Visualizza guida in formato PDF"), 14, row);
    colourWhilePressed(m_lnkWeb, {imgPDF});
    auto *btnChiudi = new QPushButton(QStringLiteral("Chiudi"), row);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setMinimumWidth(100);
    btnChiudi->setCursor(Qt::PointingHandCursor);

    connect(imgPDF, &ClickablePicture::clicked, this, &HelpWindow::openUserGuide);
    connect(m_lnkWeb, &ClickablePicture::clicked, this, &HelpWindow::openUserGuide);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(imgPDF);
    layout->addWidget(m_lnkWeb);
    layout->addStretch(1);
    layout->addWidget(btnChiudi);
    return row;
}

void HelpWindow::showTopic(const HelpText &topic)
{
    m_lblTitolo->setText(topic.title);
    m_txtGuida->setPlainText(topic.text());
}

void HelpWindow::openUserGuide()
{
    paintLink(m_lnkWeb, kLinkColour);
    const QString path = m_context.folder().ownFile(QLatin1String(kUserGuideFile));
    // Handing the shell a file that is not there would fail without a word.
    if (!QFileInfo(path).isFile()) {
        m_context.services().message(this, MessageKind::Warning, missingGuide(path));
        return;
    }
    if (!m_context.services().openFile(this, path)) {
        m_context.services().message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: non è stato possibile aprire la guida %1.\r\n\r\n"
                           "Verificare che nel computer sia installato un programma per la "
                           "lettura dei file PDF.")
                .arg(QLatin1String(kUserGuideFile)));
    }
}

void showHelpTopic(AppContext &context, QWidget *owner, HelpTopic topic)
{
    HelpWindow dialog(context, owner);
    dialog.showTopic(helpTopic(topic));
    runPerUseDialog(context.services(), dialog);
}

} // namespace almavest::ui
