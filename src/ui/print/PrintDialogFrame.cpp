#include "ui/print/PrintDialogFrame.h"

#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

QHBoxLayout *pictureRow(QLabel *picture, QLabel *text)
{
    text->setWordWrap(true);
    auto *row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(text, 1);
    return row;
}

} // namespace

QPushButton *buildPrintDialog(QDialog &dialog, const PrintDialogTexts &texts,
    const PrintDialogNames &names, const QList<QWidget *> &choices)
{
    // Named before anything is built, so that the style sheet's rules for it reach its controls.
    dialog.setObjectName(QLatin1String(texts.name));
    dialog.setWindowTitle(QString::fromUtf8(texts.caption));
    auto *heading = namedLabel(names.heading,
        QStringLiteral("<b style='font-size:14pt'>%1</b><br>%2")
            .arg(QString::fromUtf8(texts.heading), QString::fromUtf8(texts.note)),
        &dialog);
    auto *logo = namedLabel("imgLogo01", QString(), &dialog);
    showPicture(logo, QStringLiteral("app-icon.svg"), QSize(48, 48));
    auto *icon = namedLabel("imgSezione04", QString(), &dialog);
    showPicture(icon, QLatin1String(texts.icon), QSize(32, 32));
    auto *action = namedLabel(names.action, QString::fromUtf8(texts.action), &dialog);

    auto *go = new QPushButton(QString::fromUtf8(texts.button), &dialog);
    go->setObjectName(QStringLiteral("btnStampa"));
    go->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Annulla"), &dialog);
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(go);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(&dialog);
    layout->addLayout(pictureRow(logo, heading));
    layout->addSpacing(6);
    layout->addLayout(pictureRow(icon, action));
    layout->addSpacing(choices.isEmpty() ? 10 : 6);
    for (QWidget *choice : choices)
        layout->addWidget(choice);
    if (!choices.isEmpty())
        layout->addSpacing(10);
    layout->addLayout(buttons);
    dialog.resize(460, dialog.sizeHint().height());
    return go;
}

} // namespace almavest::ui
