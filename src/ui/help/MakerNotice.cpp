#include "ui/help/MakerNotice.h"

#include "ui/app/AppContext.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/help/DataFolderLabel.h"
#include "ui/help/LinkText.h"
#include "ui/services/Services.h"

#include <QUrl>

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace almavest::ui {

MakerNotice::MakerNotice(AppContext &context, QWidget *owner)
    : QDialog(owner)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral(" Almavest - ") + QString::fromUtf8(kMakerNotice));

    auto *imgLogo = namedLabel("imgLogo", QString(), this);
    showPicture(imgLogo, QStringLiteral("maker-notice.svg"), QSize(480, 240));
    auto *imgWeb = new ClickablePicture(QStringLiteral("imgWeb"), this);
    showPicture(imgWeb, QStringLiteral("globe.svg"), QSize(24, 24));
    ClickablePicture *lnkWeb = makeLinkText("lnkWeb", QStringLiteral("www.almavest.it"), 12, this);
    colourWhilePressed(lnkWeb, {imgWeb});
    QLabel *lblCartella = dataFolderLabel(context.folder(), this);
    // The lists the codice fiscale's birth places come from ask to be named.
    QLabel *lblFonti = namedLabel("lblFonti",
        QStringLiteral("Luoghi di nascita del codice fiscale: archivio dei comuni ANPR, Ministero "
                       "dell'Interno (licenza CC BY 4.0); elenchi delle unità territoriali estere, "
                       "ISTAT (licenza CC BY 3.0 IT)."),
        this);
    lblFonti->setWordWrap(true);
    auto *btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setMinimumWidth(100);
    btnChiudi->setCursor(Qt::PointingHandCursor);

    connect(imgWeb, &ClickablePicture::clicked, this, &MakerNotice::openWebSite);
    connect(lnkWeb, &ClickablePicture::clicked, this, &MakerNotice::openWebSite);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto *row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(imgWeb);
    row->addWidget(lnkWeb);
    row->addStretch(1);
    row->addWidget(btnChiudi);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 14);
    layout->setSpacing(12);
    layout->addWidget(imgLogo, 0, Qt::AlignHCenter);
    layout->addWidget(lblCartella);
    layout->addWidget(lblFonti);
    layout->addLayout(row);

    adjustSize();
    makeDialogWindow(this);
}

void MakerNotice::showNotice(AppContext &context, QWidget *owner)
{
    MakerNotice dialog(context, owner);
    runPerUseDialog(context.services(), dialog);
}

void MakerNotice::openWebSite()
{
    openAddressOrTell(m_context.services(), this, QUrl(QLatin1String(kMakerWebSite)));
}

} // namespace almavest::ui
