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

CardScreen::CardControls MovementCardScreen::buildCard()
{
    const CardFrame frame = buildCardFrame(this, "panMovimenti", QSize(kPanelWidth, kPanelHeight));
    QWidget *panel = frame.panel;
    CardControls controls {nullptr, {}, "cmdNuovo", "cmdDuplica", "cmdSalva", "cmdEsci"};
    m_backgrounds = {this, panel};
    for (const Section &section : sections())
        m_backgrounds.append(cardSurface(QLatin1String(section.name), section.place, panel));
    m_lblFile = namedLabel("lblFile", QString(), panel);
    m_lblFile->hide();
    buildType(panel);
    buildBoxes(panel);
    buildSmallButtons(panel, controls.buttons);
    CardForm::addHiddenLabels(panel, journal::movementTable());
    controls.position = buildCardToolbar(panel, toolButtons(), 64, controls.buttons);
    // Its click settles the amount, as Save does first.
    auto *cents = new QPushButton(panel);
    cents->setObjectName(QStringLiteral("btnCents"));
    cents->hide();
    controls.buttons.add(cents);
    installHints(this, frame.panInfo, hints(), m_backgrounds);
    return controls;
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
        m_boxes[place.field] = CardForm::addBox(
            panel, table.field(place.field), QRect(place.x, place.y, place.width, kFieldHeight));

    // The notice days sit inside their sentence: "Avvisa n. [  ] giorni prima della scadenza."
    QLineEdit *notice = m_boxes.at(journal::NoticeDays);
    CardForm::captionOf(notice)->move(kNoticeCaptionX, kFirstLine + 3);
    auto *rest = namedLabel("titPreavviso2", QStringLiteral("giorni prima della scadenza."), panel);
    rest->move(notice->geometry().right() + 8, kFirstLine + 3);
    rest->adjustSize();

    // The amount is larger, and its caption says income or expense.
    QLineEdit *amount = m_boxes.at(journal::Amount);
    delete CardForm::captionOf(amount);
    amount->setGeometry(kAmountBox);
    m_lblImporto = namedLabel("lblImporto", journal::amountCaption(true), panel);
    m_lblImporto->setGeometry(kAmountBox.x(), kAmountBox.y() - 20, kAmountBox.width(), 18);

    auto *settled = new QCheckBox(table.field(journal::Settled).caption, panel);
    settled->setObjectName(table.field(journal::Settled).control);
    settled->setGeometry(kSettled);
}

void MovementCardScreen::buildSmallButtons(QWidget *panel, CardButtons &buttons)
{
    for (const SmallButton &entry : smallButtons()) {
        const int field = journal::movementTable().indexOf(QLatin1String(entry.beside));
        const auto beside = m_boxes.find(field);
        if (beside == m_boxes.end())
            qFatal("frmMovimenti lacks the control %s", entry.beside);
        auto *button = makePictureButton(
            QLatin1String(entry.name), QLatin1String(entry.picture), QString(), panel, 20);
        const QRect place = beside->second->geometry();
        button->setGeometry(place.right() + 6, place.y() - 2, 26, 26);
        button->setEnabled(entry.ready);
        buttons.add(button);
    }
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
