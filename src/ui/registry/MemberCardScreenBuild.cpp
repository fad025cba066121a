// Builds the member card's controls from its tables.
#include "ui/registry/MemberCardScreen.h"

#include "registry/MemberRecord.h"
#include "report/Fonts.h"
#include "ui/conventions/CardForm.h"
#include "ui/conventions/CardFrame.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/PictureButton.h"
#include "ui/registry/MemberCardLayout.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QToolButton>
#include <QVBoxLayout>

#include <map>

namespace almavest::ui {

namespace {

using namespace membercard;

QLabel *pictureLabel(const QString &name, const QString &picture, QSize size, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    showPicture(label, picture, size);
    return label;
}

} // namespace

// The no-photo picture, drawn the first time a card needs it.
const QImage &MemberCardScreen::placeholder()
{
    if (m_placeholder.isNull()) {
        m_placeholder = QImage(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
        m_placeholder.fill(Qt::white);
        QSvgRenderer renderer(QStringLiteral(":/pictures/placeholder-photo.svg"));
        QPainter painter(&m_placeholder);
        renderer.render(&painter);
        painter.end();
        m_imgBianco->setPixmap(QPixmap::fromImage(m_placeholder));
    }
    return m_placeholder;
}

CardScreen::CardControls MemberCardScreen::buildCard()
{
    const CardFrame frame = buildCardFrame(this, "panAnagrafica", QSize(kPanelWidth, kPanelHeight));
    auto *header = pictureLabel(QStringLiteral("imgIntestazione"),
        QStringLiteral("card-header.svg"), QSize(640, 44), frame.panel);
    header->move(12, 8);

    CardControls controls {nullptr, {}, "btnNuovo", "btnDuplica", "btnSalva", "btnEsci"};
    buildFields(frame.panel, controls.buttons);
    QWidget *photoFrame = buildPhotoArea(frame.panel, controls.buttons);
    buildButtons(frame.panel, controls);

    installHints(this, frame.panInfo, hints(), {this, frame.panel, header, m_imgFoto, photoFrame});
    return controls;
}

void MemberCardScreen::buildFields(QWidget *panel, CardButtons &buttons)
{
    const store::RecordTable &table = registry::memberTable();
    std::map<int, QLineEdit *> built;
    for (const Box &box : boxes())
        built[box.field] = CardForm::addBox(
            panel, table.field(box.field), QRect(box.x, box.y + 18, box.width, kFieldHeight));
    // Hidden: the attachment names and descriptions travel with the card until it is saved.
    CardForm::addHiddenLabels(panel, table);
    auto smallButton
        = [panel, &built, &buttons](const char *name, const char *picture, int beside) {
              const QLineEdit *next = built.at(beside);
              auto *button = makePictureButton(
                  QLatin1String(name), QLatin1String(picture), QString(), panel, 20);
              button->setGeometry(next->geometry().right() + 6, next->y() - 2, 26, 26);
              buttons.add(button);
          };
    smallButton("btnCodFisc", "check-code.svg", registry::TaxCode);
    auto *make = makePictureButton(
        QStringLiteral("btnCalcolaCF"), QStringLiteral("make-code.svg"), QString(), panel, 20);
    const QLineEdit *taxCode = built.at(registry::TaxCode);
    make->setGeometry(taxCode->geometry().right() + 6 + 26 + 4, taxCode->y() - 2, 26, 26);
    buttons.add(make);
    smallButton("btnIban", "check-code.svg", registry::Iban);
    smallButton("btnEmail", "mail.svg", registry::Email);
    smallButton("delDataSca", "clear-date.svg", registry::ExpiryDate);

    auto *focusSink = new QPushButton(panel);
    focusSink->setObjectName(QStringLiteral("btnFocus"));
    focusSink->setFlat(true);
    focusSink->setGeometry(0, 0, 1, 1);
    focusSink->lower();
    m_btnFocus = focusSink;
}

QWidget *MemberCardScreen::buildPhotoArea(QWidget *panel, CardButtons &buttons)
{
    const int left = 530;
    const int top = 64;
    auto *frame = new QLabel(panel);
    frame->setObjectName(QStringLiteral("panFoto"));
    frame->setGeometry(left - 3, top - 3, kPhotoWidth + 6, kPhotoHeight + 6);

    m_imgFoto = new QLabel(panel);
    m_imgFoto->setObjectName(QStringLiteral("imgFoto"));
    m_imgFoto->setGeometry(left, top, kPhotoWidth, kPhotoHeight);
    m_imgFoto->setAlignment(Qt::AlignCenter);

    m_imgBianco = new QLabel(panel);
    m_imgBianco->setObjectName(QStringLiteral("imgBianco"));
    m_imgBianco->hide();

    auto *zoom = makePictureButton(
        QStringLiteral("btnZoomFoto"), QStringLiteral("zoom-photo.svg"), QString(), panel, 22);
    zoom->setGeometry(left + 4, top + kPhotoHeight - 32, 28, 28);
    buttons.add(zoom);
    auto *erase = makePictureButton(
        QStringLiteral("btnCancFoto"), QStringLiteral("delete-photo.svg"), QString(), panel, 22);
    erase->setGeometry(left + kPhotoWidth - 32, top + kPhotoHeight - 32, 28, 28);
    buttons.add(erase);

    const struct
    {
        const char *name;
        const char *picture;
        const char *caption;
    } photoButtons[] = {{"btnCaricaFoto", "load-photo.svg", "Carica foto"},
        {"btnAcquisisciFoto", "webcam.svg", "Acquisisci foto"},
        {"btnSalvaFoto", "save-photo.svg", ""}};
    int x = left;
    for (const auto &entry : photoButtons) {
        auto *button = makePictureButton(QLatin1String(entry.name), QLatin1String(entry.picture),
            QString::fromUtf8(entry.caption), panel, 28);
        button->setGeometry(x, top + kPhotoHeight + 10, 120, 56);
        buttons.add(button);
        x += 123;
    }
    return frame;
}

void MemberCardScreen::buildButtons(QWidget *panel, CardControls &controls)
{
    int y = 60;
    for (const Button &entry : sideButtons()) {
        auto *button = makePictureButton(QLatin1String(entry.name), QLatin1String(entry.picture),
            QString::fromUtf8(entry.caption), panel, 24);
        button->setGeometry(kPanelWidth - 92, y, 80, 43);
        button->setEnabled(entry.ready);
        controls.buttons.add(button);
        y += 44;
    }

    const struct
    {
        const char *name;
        const char *picture;
    } arrows[] = {{"cmdPrimo", "nav-first.svg"}, {"cmdIndietro", "nav-prev.svg"},
        {"cmdAvanti", "nav-next.svg"}, {"cmdUltimo", "nav-last.svg"}};
    int x = 700;
    for (const auto &arrow : arrows) {
        auto *button = makePictureButton(
            QLatin1String(arrow.name), QLatin1String(arrow.picture), QString(), panel, 24);
        button->setGeometry(x, 14, 34, 34);
        controls.buttons.add(button);
        x += 36;
        if (arrow.name == std::string_view("cmdIndietro")) {
            controls.position = new QLabel(panel);
            controls.position->setObjectName(QStringLiteral("lblPosizione"));
            controls.position->setAlignment(Qt::AlignCenter);
            controls.position->setGeometry(x, 14, 70, 34);
            x += 72;
        }
    }
}

} // namespace almavest::ui
