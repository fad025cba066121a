// Builds the movement card's controls from its tables.
#include "ui/journal/MovementCardScreen.h"

#include "journal/MovementRecord.h"
#include "report/Fonts.h"
#include "ui/conventions/CardForm.h"
#include "ui/conventions/CardFrame.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/journal/MovementCardLayout.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

using namespace movementcard;

} // namespace

void MovementCardScreen::buildScreen()
{
    const CardFrame frame = buildCardFrame(this, "panMovimenti", QSize(kPanelWidth, kPanelHeight));
    m_panel = frame.panel;
    m_panInfo = frame.panInfo;

    m_backgrounds = {this, m_panel};
    for (const Section &section : sections())
        m_backgrounds.append(cardSurface(QLatin1String(section.name), section.place, m_panel));
    m_lblFile = namedLabel("lblFile", QString(), m_panel);
    m_lblFile->hide();
    buildType(m_panel);
    buildBoxes(m_panel);
    buildSmallButtons(m_panel);
    CardForm::addHiddenLabels(m_panel, journal::movementTable());
    buildToolbar(m_panel);

    // Its click is the amount normalisation that every save starts with.
    auto *cents = new QPushButton(m_panel);
    cents->setObjectName(QStringLiteral("btnCents"));
    cents->hide();

    installHints(this, m_panInfo, hints(), m_backgrounds);
}

// The two options on their own panel, which clears the status line like the frames.
void MovementCardScreen::buildType(QWidget *panel)
{
    QFrame *typePanel = cardSurface(QStringLiteral("panTipo"), kTypePanel, panel);
    m_backgrounds.append(typePanel);
    const store::RecordTable::Field &income = journal::movementTable().field(journal::Income);
    auto *caption = new QLabel(income.caption, panel);
    caption->setObjectName(QStringLiteral("titTipo"));
    caption->move(kTypePanel.x() + 4, kFirstLine - 18);
    caption->adjustSize();

    m_optEntrata = new QRadioButton(journal::incomeText(), panel);
    m_optEntrata->setObjectName(income.control);
    m_optEntrata->setGeometry(kTypePanel.x() + 4, kFirstLine, 90, kFieldHeight);
    auto *expense = new QRadioButton(journal::expenseText(), panel);
    expense->setObjectName(journal::movementTable().field(journal::Expense).control);
    expense->setGeometry(kTypePanel.x() + 100, kFirstLine, 90, kFieldHeight);
}

void MovementCardScreen::buildBoxes(QWidget *panel)
{
    const store::RecordTable &table = journal::movementTable();
    for (const Box &place : boxes())
        CardForm::addBox(
            panel, table.field(place.field), QRect(place.x, place.y, place.width, kFieldHeight));

    // The notice days sit inside their sentence: "Avvisa n. [  ] giorni prima della scadenza."
    QLineEdit *notice = panel->findChild<QLineEdit *>(table.field(journal::NoticeDays).control);
    CardForm::captionOf(notice)->move(kNoticeCaptionX, kFirstLine + 3);
    auto *rest = namedLabel("titPreavviso2", QStringLiteral("giorni prima della scadenza."), panel);
    rest->move(notice->geometry().right() + 8, kFirstLine + 3);
    rest->adjustSize();

    // The amount is larger, and its caption says income or expense.
    QLineEdit *amount = panel->findChild<QLineEdit *>(table.field(journal::Amount).control);
    delete CardForm::captionOf(amount);
    amount->setGeometry(kAmountBox);
    m_lblImporto = namedLabel("lblImporto", journal::amountCaption(true), panel);
    m_lblImporto->setGeometry(kAmountBox.x(), kAmountBox.y() - 20, kAmountBox.width(), 18);

    auto *settled = new QCheckBox(table.field(journal::Settled).caption, panel);
    settled->setObjectName(table.field(journal::Settled).control);
    settled->setGeometry(kSettled);
}

void MovementCardScreen::buildSmallButtons(QWidget *panel)
{
    for (const SmallButton &entry : smallButtons()) {
        const QWidget *beside = requireControl<QWidget>(panel, QLatin1String(entry.beside));
        auto *button = makePictureButton(
            QLatin1String(entry.name), QLatin1String(entry.picture), QString(), panel, 20);
        button->setGeometry(beside->geometry().right() + 6, beside->y() - 2, 26, 26);
        button->setEnabled(entry.ready);
    }
}

void MovementCardScreen::buildToolbar(QWidget *panel)
{
    m_lblPosizione = buildCardToolbar(panel, toolButtons(), 68);
}

// What the boxes show beyond their typing rules: the dates and notice days centred, the amount
// right-aligned and larger.
void MovementCardScreen::dressBoxes()
{
    for (const int field : {journal::OperationDate, journal::DueDate, journal::NoticeDays})
        box(field)->setAlignment(Qt::AlignCenter);
    QLineEdit *amount = box(journal::Amount);
    amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    amount->setFont(fonts::named(fonts::kVerdana, 14, QFont::Bold));
    m_lblImporto->setFont(fonts::named(fonts::kVerdana, 10, QFont::Bold));
}

} // namespace almavest::ui
