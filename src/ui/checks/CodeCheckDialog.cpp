#include "ui/checks/CodeCheckDialog.h"

#include "checks/CodeChecks.h"
#include "report/Fonts.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/checks/TaxCodeCheck.h"
#include "ui/checks/VatNumberCheck.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace almavest::ui {

CodeCheckDialog::CodeCheckDialog(
    AppContext &context, QWidget *owner, const CodeCheckForm &form, const QString &code)
    : QDialog(owner)
    , m_context(context)
{
    setObjectName(QLatin1String(form.objectName));
    setWindowTitle(QString::fromUtf8(form.title));

    auto *banner = namedLabel("imgLogo", QString(), this);
    showPicture(banner, QLatin1String(form.banner), form.bannerSize);
    auto *instruction = namedLabel("lblTitolo", QString::fromUtf8(form.instruction), this);
    instruction->setWordWrap(true);
    m_field = new QLineEdit(this);
    m_field->setObjectName(QLatin1String(form.field.name));
    QFont large = fonts::named(fonts::kCourierNew, 20);
    large.setBold(true);
    m_field->setFont(large);
    m_field->setAlignment(Qt::AlignCenter);

    auto *btnControlla = new QPushButton(QStringLiteral("Controlla"), this);
    btnControlla->setObjectName(QStringLiteral("btnControlla"));
    auto *btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    for (QPushButton *button : {btnControlla, btnChiudi})
        button->setMinimumWidth(100);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnControlla);
    buttons->addWidget(btnChiudi);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);
    layout->addWidget(banner, 0, Qt::AlignHCenter);
    layout->addWidget(instruction);
    layout->addWidget(m_field);
    layout->addLayout(buttons);

    applyField(this, form.field);
    m_field->setText(code);
    connect(btnControlla, &QPushButton::clicked, this, &CodeCheckDialog::checkCode);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    applyHandCursor(this);
    adjustSize();
    makeDialogWindow(this);
}

void CodeCheckDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_field->setFocus();
}

void CodeCheckDialog::checkCode()
{
    const CheckVerdict said = verdict(m_field->text());
    m_context.services().message(this, said.kind, said.text);
    if (said.closes)
        accept();
    else
        m_field->setFocus();
}

void CodeCheckDialog::run(AppContext &context, CodeCheckDialog &dialog)
{
    runPerUseDialog(context.services(), dialog);
}

void openTaxCodeCheck(AppContext &context, QWidget *owner, const QString &fieldText)
{
    const QString code = text::trimmed(fieldText);
    if (checks::checkForTaxCodeField(code) == checks::TaxCodeCheck::VatNumber)
        VatNumberCheck::check(context, owner, code);
    else
        TaxCodeCheck::check(context, owner, code);
}

} // namespace almavest::ui
