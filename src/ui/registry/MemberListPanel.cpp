#include "ui/registry/MemberListPanel.h"

#include "journal/MovementRecord.h"
#include "report/Fonts.h"
#include "report/PreparedReport.h"
#include "store/ListLines.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/ListLineDelegate.h"
#include "ui/conventions/QuickFind.h"
#include "ui/conventions/RecordListModel.h"
#include "ui/conventions/Window.h"
#include "ui/print/ReportOutput.h"
#include "ui/services/Services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

// Lines are shown 1600 pixels wide whatever their length, so that long notes scroll sideways.
constexpr int kLineWidth = 1600;

QLabel *instruction(const char *name, const QString &text, QWidget *parent)
{
    QLabel *label = namedLabel(name, text, parent);
    label->setWordWrap(true);
    return label;
}

constexpr FieldSettings kFindField[] = {{"txtTrova", 0, KeyFilter::None, Casing::None, "btnTrova"}};

} // namespace

MemberListPanel::MemberListPanel(AppContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(instruction("lblRigo01",
        QStringLiteral("Immettere una o più parole consecutive presenti "
                       "nella scheda in elenco da cercare e premere il "
                       "pulsante Trova."),
        this));
    layout->addWidget(instruction("lblRigo02",
        QStringLiteral("Per spostarsi sulla voce successiva contenente la "
                       "stessa chiave di ricerca, fare di nuovo clic su "
                       "Trova."),
        this));

    auto *findRow = new QHBoxLayout;
    m_txtTrova = new QLineEdit(this);
    m_txtTrova->setObjectName(QStringLiteral("txtTrova"));
    auto *btnTrova = new QPushButton(QStringLiteral("Trova"), this);
    btnTrova->setObjectName(QStringLiteral("btnTrova"));
    findRow->addWidget(m_txtTrova, 1);
    findRow->addWidget(btnTrova);
    layout->addLayout(findRow);

    m_model = new RecordListModel(this);
    m_lstRecords = new QListView(this);
    m_lstRecords->setObjectName(QStringLiteral("lstRecords"));
    m_lstRecords->setModel(m_model);
    m_lstRecords->setUniformItemSizes(true);
    m_lstRecords->setItemDelegate(new ListLineDelegate(m_lstRecords, kLineWidth));
    m_lstRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lstRecords->setFont(fonts::named(fonts::kCourierNew, 12));
    layout->addWidget(m_lstRecords, 1);
    layout->addWidget(instruction("lblRigo03",
        QStringLiteral("Per richiamare i dati di una scheda, "
                       "selezionarla con un doppio clic."),
        this));

    m_buttons = new QHBoxLayout;
    m_btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    m_btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    m_btnStampa = new QPushButton(QStringLiteral("Stampa"), this);
    m_btnStampa->setObjectName(QStringLiteral("btnStampa"));
    // Offered only by the lists whose records a workbook can show.
    m_btnFoglio = new QPushButton(QStringLiteral("Foglio di calcolo"), this);
    m_btnFoglio->setObjectName(QStringLiteral("btnFoglio"));
    m_btnFoglio->hide();
    m_buttons->addStretch();
    m_buttons->addWidget(m_btnFoglio);
    m_buttons->addWidget(m_btnStampa);
    m_buttons->addWidget(m_btnChiudi);
    layout->addLayout(m_buttons);

    applyFieldTable(this, kFindField);
    m_quickFind = std::make_unique<QuickFind>(m_lstRecords, context.services());
    connect(
        btnTrova, &QPushButton::clicked, this, [this] { m_quickFind->find(m_txtTrova->text()); });
    connect(m_lstRecords, &QListView::activated, this, [this](const QModelIndex &index) {
        Q_EMIT chosen(index.data(RecordListModel::PositionRole).toLongLong());
    });
}

MemberListPanel::~MemberListPanel() = default;

void MemberListPanel::addStatus(QWidget *status)
{
    m_buttons->insertWidget(0, status);
}

void MemberListPanel::keepAmountsInSight()
{
    QAbstractItemDelegate *old = m_lstRecords->itemDelegate();
    m_lstRecords->setItemDelegate(
        new ListLineDelegate(m_lstRecords, kLineWidth, QString::fromLatin1(journal::kAmountLabel)));
    delete old;
}

void MemberListPanel::setLines(store::ListLines found)
{
    m_model->setLines(std::move(found));
}

void MemberListPanel::clear()
{
    m_model->clear();
}

QStringList MemberListPanel::lines() const
{
    return m_model->lines();
}

void MemberListPanel::restart(Selection selection)
{
    m_quickFind->reset();
    if (selection == Selection::FirstLine && m_model->rowCount() > 0)
        m_lstRecords->setCurrentIndex(m_model->index(0, 0));
    m_txtTrova->clear();
    m_txtTrova->setFocus();
}

QList<qint64> MemberListPanel::positions() const
{
    QList<qint64> positions;
    positions.reserve(m_model->rowCount());
    for (int row = 0; row < m_model->rowCount(); ++row)
        positions.append(m_model->position(row));
    return positions;
}

void MemberListPanel::print(const QString &title)
{
    printSummary(m_context.services(), window(), title, lines());
}

} // namespace almavest::ui
