#include "ui/exporting/ColumnChoiceDialog.h"

#include "ui/app/AppContext.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace almavest::ui {

namespace {

constexpr int kColumnRole = Qt::UserRole;

} // namespace

ColumnChoiceDialog::ColumnChoiceDialog(
    AppContext &context, QWidget *owner, const exporting::SheetForm &form, const QList<int> &chosen)
    : QDialog(owner)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmColonne"));
    setWindowTitle(QStringLiteral(" Colonne del foglio di calcolo"));
    auto *hint = namedLabel("lblColonne",
        QStringLiteral("Spuntare le colonne da salvare nel foglio di calcolo e metterle "
                       "nell'ordine voluto con i pulsanti Su e Giù."),
        this);
    hint->setWordWrap(true);
    m_lstColonne = new QListWidget(this);
    m_lstColonne->setObjectName(QStringLiteral("lstColonne"));
    const auto add = [this, &form](int column, bool ticked) {
        auto *item = new QListWidgetItem(form.heading(column), m_lstColonne);
        item->setData(kColumnRole, column);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    };
    const QList<int> valid = exporting::validColumns(form, chosen);
    for (const int column : valid)
        add(column, true);
    for (int column = 0; column < static_cast<int>(form.columns.size()); ++column) {
        if (!valid.contains(column))
            add(column, false);
    }
    m_lstColonne->setCurrentRow(0);

    m_cmdSu = new QPushButton(QStringLiteral("&Su"), this);
    m_cmdSu->setObjectName(QStringLiteral("cmdSu"));
    m_cmdGiu = new QPushButton(QStringLiteral("&Giù"), this);
    m_cmdGiu->setObjectName(QStringLiteral("cmdGiu"));
    connect(m_cmdSu, &QPushButton::clicked, this, [this] { moveCurrent(-1); });
    connect(m_cmdGiu, &QPushButton::clicked, this, [this] { moveCurrent(1); });
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("cmdConferma"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *moves = new QVBoxLayout;
    moves->addWidget(m_cmdSu);
    moves->addWidget(m_cmdGiu);
    moves->addStretch(1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_lstColonne, 1);
    middle->addLayout(moves);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);
    resize(420, 480);
    makeDialogWindow(this);
    m_lstColonne->setFocus();
}

std::optional<QList<int>> ColumnChoiceDialog::choose(
    AppContext &context, QWidget *owner, const exporting::SheetForm &form, const QList<int> &chosen)
{
    ColumnChoiceDialog dialog(context, owner, form, chosen);
    if (runPerUseDialog(context.services(), dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.ticked();
}

QList<int> ColumnChoiceDialog::ticked() const
{
    QList<int> columns;
    for (int row = 0; row < m_lstColonne->count(); ++row) {
        const QListWidgetItem *item = m_lstColonne->item(row);
        if (item->checkState() == Qt::Checked)
            columns.append(item->data(kColumnRole).toInt());
    }
    return columns;
}

// A sheet with no column would be no sheet: the dialog stays open until one is ticked.
void ColumnChoiceDialog::done(int result)
{
    if (result == QDialog::Accepted && ticked().isEmpty()) {
        m_context.services().message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: spuntare almeno una colonna da salvare."));
        return;
    }
    QDialog::done(result);
}

void ColumnChoiceDialog::moveCurrent(int step)
{
    const int row = m_lstColonne->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_lstColonne->count())
        return;
    m_lstColonne->insertItem(target, m_lstColonne->takeItem(row));
    m_lstColonne->setCurrentRow(target);
}

} // namespace almavest::ui
