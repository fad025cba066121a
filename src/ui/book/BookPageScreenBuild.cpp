// Builds the book page screen's controls from its tables.
#include "ui/book/BookPageScreen.h"

#include "book/PageRecord.h"
#include "report/Fonts.h"
#include "ui/book/PageScreenLayout.h"
#include "ui/conventions/CardForm.h"
#include "ui/conventions/CardFrame.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

using namespace bookpage;

const QString kRowLetters = QStringLiteral("ABCD");

} // namespace

CardScreen::CardControls BookPageScreen::buildCard()
{
    const CardFrame frame = buildCardFrame(this, "panRegistro", QSize(kPanelWidth, kPanelHeight));
    CardControls controls {nullptr, {}, "cmdNuovo", "cmdDuplica", "cmdSalva", "cmdEsci"};
    m_backgrounds = {this, frame.panel};
    buildHeader(frame.panel);
    buildBookFields(frame.panel, controls.buttons);
    for (int row = book::RowA; row <= book::RowD; ++row)
        buildRow(frame.panel, row, controls.buttons);
    CardForm::addHiddenLabels(frame.panel, book::pageTable());
    controls.position = buildCardToolbar(frame.panel, toolButtons(), 72, controls.buttons);
    installHints(this, frame.panInfo, hints(), m_backgrounds);
    return controls;
}

void BookPageScreen::buildHeader(QWidget *panel)
{
    m_backgrounds.append(cardSurface(QStringLiteral("shpNome"), QRect(8, 66, 978, 28), panel));
    m_lblNome = namedLabel("lblNome", QStringLiteral("Libro Soci"), panel);
    m_lblNome->setGeometry(18, 66, 960, 28);
    m_lblNome->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lblFile = namedLabel("lblFile", QString(), panel);
    m_lblFile->hide();
}

void BookPageScreen::buildBookFields(QWidget *panel, CardButtons &buttons)
{
    const QFont font = fonts::named(fonts::kVerdana, 12, QFont::Bold);
    const QLineEdit *taxCode = nullptr;
    for (const Box &place : bookBoxes()) {
        QLineEdit *edit = CardForm::addBox(panel, book::pageTable().field(place.field),
            QRect(place.x, place.y, place.width, kBookFieldHeight));
        edit->setFont(font);
        if (place.field == book::AssociationTaxCode)
            taxCode = edit;
    }
    if (!taxCode)
        qFatal("frmRegistro lacks the control txtCodFisc");
    auto *check = makePictureButton(
        QStringLiteral("btnCodFisc"), QStringLiteral("check-code.svg"), QString(), panel, 20);
    check->setGeometry(taxCode->geometry().right() + 8, taxCode->y() + 1, 26, 26);
    buttons.add(check);
}

// One member row: the same boxes, heading and import button at every row's height, named with
// the row's letter; rows B and D rest on linen.
void BookPageScreen::buildRow(QWidget *panel, int row, CardButtons &buttons)
{
    const QString letter = kRowLetters.at(row);
    const int top = rowTop(row);
    const QString shade = isShadedRow(row) ? QStringLiteral("linen") : QStringLiteral("white");
    QFrame *band = cardSurface(QStringLiteral("shpRiga_") + letter,
        QRect(4, top - 4, kPanelWidth - 8, kRowHeight + 8), panel);
    band->setProperty("shade", shade);
    m_backgrounds.append(band);

    auto *marker = new QLabel(panel);
    marker->setObjectName(QStringLiteral("titDot_") + letter);
    marker->setProperty("shade", shade);
    marker->setGeometry(kRowMarker.translated(0, top));

    for (const Box &place : rowBoxes()) {
        const auto &field = book::pageTable().field(book::rowField(row, place.field));
        QLineEdit *edit = CardForm::addBox(
            panel, field, QRect(place.x, top + place.y, place.width, kRowFieldHeight));
        edit->setProperty("shade", shade);
        m_backgrounds.append(CardForm::captionOf(edit));
    }
    auto *import = makePictureButton(QStringLiteral("impSocio_") + letter,
        QStringLiteral("import-member.svg"), QString(), panel, 18);
    import->setGeometry(kImportButton.translated(0, top));
    buttons.add(import);
    auto *make = makePictureButton(
        QStringLiteral("calcCF_") + letter, QStringLiteral("make-code.svg"), QString(), panel, 18);
    make->setGeometry(kMakeCodeButton.translated(0, top));
    buttons.add(make);
}

// What the boxes show beyond their typing rules: the book number, order numbers and fees
// aligned as the register writes them.
void BookPageScreen::dressBoxes()
{
    box(book::BookNumber)->setAlignment(Qt::AlignCenter);
    for (int row = book::RowA; row <= book::RowD; ++row) {
        box(book::rowField(row, book::Order))->setAlignment(Qt::AlignCenter);
        box(book::rowField(row, book::Fee))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        for (const Box &place : rowBoxes())
            box(book::rowField(row, place.field))->setFont(fonts::named(fonts::kVerdana, 9));
    }
}

} // namespace almavest::ui
