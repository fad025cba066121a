#include "ui/balance/BalanceQuery.h"

#include "balance/BalanceInterval.h"
#include "journal/MovementRecord.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/balance/BalanceSummary.h"
#include "ui/book/CatalogueWindow.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/Halo.h"
#include "ui/conventions/ScanRunner.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

constexpr FieldSettings kFields[] = {
    {"txtAnno", 4, KeyFilter::Digits, Casing::None, "txtTipologia"},
    {"txtTipologia", 250, KeyFilter::None, Casing::None, "txtGiornoInizio"},
};

// A day or month box takes no typing: Enter moves on, the arrows and the list pick a value, and
// leaving it with a text that is none of its items empties it. Its halo shows while it has the
// focus.
class ListChoice final : public QObject
{
public:
    ListChoice(QComboBox *box, QWidget *next)
        : QObject(box)
        , m_box(box)
        , m_next(next)
        , m_halo(new Halo(box, QStringLiteral("eff") + box->objectName().mid(3)))
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPress(static_cast<QKeyEvent *>(event));
        case QEvent::FocusIn:
            m_halo->follow();
            m_halo->show();
            return false;
        case QEvent::FocusOut:
            m_halo->hide();
            if (m_box->findText(m_box->currentText(), Qt::MatchFixedString) < 0)
                m_box->clearEditText();
            return false;
        default:
            return false;
        }
    }

private:
    bool keyPress(const QKeyEvent *key)
    {
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_next->setFocus(Qt::TabFocusReason);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_F4:
            return false;
        default:
            return true;
        }
    }

    QComboBox *m_box;
    QWidget *m_next;
    Halo *m_halo;
};

QString invalidDateMessage(const QString &date, const QString &which)
{
    return QStringLiteral("Attenzione: la data %1 di %2 intervallo non esiste.\n\r\n\r"
                          "Per poter visualizzare il riepilogo è necessario indicare una data "
                          "valida.")
        .arg(date, which);
}

} // namespace

BalanceQuery::BalanceQuery(AppContext &context)
    : m_context(context)
{
    setObjectName(QStringLiteral("frmMenuBilancio"));
    setWindowTitle(QStringLiteral(" Almavest - Riepilogo primanota e bilancio"));
    setWindowState(Qt::WindowMaximized);
}

BalanceQuery::~BalanceQuery() = default;

// A value can only be picked from the list: the edit box takes no typing.
QComboBox *BalanceQuery::dayBox(const char *name)
{
    auto *box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    for (int day = 1; day <= 31; ++day)
        box->addItem(QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')));
    box->lineEdit()->setReadOnly(true);
    box->lineEdit()->setMaxLength(2);
    return box;
}

QComboBox *BalanceQuery::monthBox(const char *name)
{
    QComboBox *box = dayBox(name);
    box->clear();
    box->addItems(balance::monthNames());
    box->lineEdit()->setMaxLength(9);
    return box;
}

void BalanceQuery::build()
{
    QBoxLayout *layout = buildCatalogueWindow(
        this, "frmMenuBilancio", " Almavest - Riepilogo primanota e bilancio", "panMenuBilancio");
    buildChoiceOfYear(layout);
    layout->addWidget(dateGroup("grpDataInizio", QStringLiteral(" Data inizio intervallo: "),
        {"txtGiornoInizio", "txtMeseInizio", "lblAnnoInizio", "titGiornoInizio", "titMeseInizio"},
        m_txtGiornoInizio, m_txtMeseInizio, m_lblAnnoInizio));
    layout->addWidget(dateGroup("grpDataFine", QStringLiteral(" Data fine intervallo: "),
        {"txtGiornoFine", "txtMeseFine", "lblAnnoFine", "titGiornoFine", "titMeseFine"},
        m_txtGiornoFine, m_txtMeseFine, m_lblAnnoFine));
    m_lblDataInizio = namedLabel("lblDataInizio", QString(), this);
    m_lblDataFine = namedLabel("lblDataFine", QString(), this);
    m_lblFile = namedLabel("lblFile", QString(), this);
    for (QLabel *hidden : {m_lblDataInizio, m_lblDataFine, m_lblFile})
        hidden->hide();
    m_lblAttendere = namedLabel(
        "lblAttendere", QStringLiteral("Caricamento riepilogo in corso. Attendere..."), this);
    // Its room is kept while hidden: appearing as the button goes down, it must not move the
    // button away from under the pointer before the button comes up.
    QSizePolicy keepsRoom = m_lblAttendere->sizePolicy();
    keepsRoom.setRetainSizeWhenHidden(true);
    m_lblAttendere->setSizePolicy(keepsRoom);
    m_lblAttendere->hide();
    layout->addWidget(m_lblAttendere);
    new ScanRunner(m_context.services(), this, m_lblAttendere);
    buildButtons(layout);

    applyFieldTable(this, kFields);
    new ListChoice(m_txtGiornoInizio, m_txtMeseInizio);
    new ListChoice(m_txtMeseInizio, m_txtGiornoFine);
    new ListChoice(m_txtGiornoFine, m_txtMeseFine);
    new ListChoice(m_txtMeseFine, m_btnVisualizza);
    connect(m_txtAnno, &QLineEdit::textChanged, this, &BalanceQuery::copyYear);
    applyHandCursor(this);
}

void BalanceQuery::buildChoiceOfYear(QBoxLayout *layout)
{
    layout->addWidget(namedLabel(
        "lblCampo01", QStringLiteral("Indicare l'anno solare di interesse e una causale."), this));
    auto *fields = new QGridLayout;
    m_txtAnno = new QLineEdit(this);
    m_txtAnno->setObjectName(QStringLiteral("txtAnno"));
    m_txtAnno->setMaximumWidth(80);
    m_txtTipologia = new QLineEdit(this);
    m_txtTipologia->setObjectName(QStringLiteral("txtTipologia"));
    fields->addWidget(namedLabel("titAnno", QStringLiteral("Anno:"), this), 0, 0);
    fields->addWidget(m_txtAnno, 0, 1, Qt::AlignLeft);
    fields->addWidget(namedLabel("titTipologia", QStringLiteral("Causale:"), this), 1, 0);
    fields->addWidget(m_txtTipologia, 1, 1);
    fields->setColumnStretch(1, 1);
    fields->setHorizontalSpacing(12);
    layout->addLayout(fields);
    layout->addWidget(namedLabel("lblCampo02",
        QStringLiteral("Per ottenere lo storico di tutti i movimenti in entrata e in uscita, non "
                       "indicare nessuna causale."),
        this));
    layout->addSpacing(8);
    layout->addWidget(namedLabel("lblCampo03",
        QStringLiteral("Indicare l'intervallo di tempo relativo al periodo da riepilogare."),
        this));
}

QGroupBox *BalanceQuery::dateGroup(const char *name, const QString &title,
    const DateGroupNames &names, QComboBox *&day, QComboBox *&month, QLabel *&year)
{
    auto *group = new QGroupBox(title, this);
    group->setObjectName(QLatin1String(name));
    auto *row = new QHBoxLayout(group);
    day = dayBox(names.day);
    month = monthBox(names.month);
    year = namedLabel(names.year, QString(), group);
    row->addWidget(namedLabel(names.dayTitle, QStringLiteral("Giorno:"), group));
    row->addWidget(day);
    row->addSpacing(12);
    row->addWidget(namedLabel(names.monthTitle, QStringLiteral("Mese:"), group));
    row->addWidget(month);
    row->addSpacing(12);
    row->addWidget(year);
    row->addStretch();
    return group;
}

void BalanceQuery::buildButtons(QBoxLayout *layout)
{
    auto *buttons = new QHBoxLayout;
    m_btnVisualizza = new QPushButton(QStringLiteral("Visualizza riepilogo"), this);
    QPushButton *btnVisualizza = m_btnVisualizza;
    btnVisualizza->setObjectName(QStringLiteral("btnVisualizza"));
    auto *btnEsci = new QPushButton(QStringLiteral("Esci"), this);
    btnEsci->setObjectName(QStringLiteral("btnEsci"));
    buttons->addWidget(btnVisualizza);
    buttons->addStretch();
    buttons->addWidget(btnEsci);
    layout->addLayout(buttons);
    makeEnterClick(btnVisualizza);
    connect(btnVisualizza, &QPushButton::pressed, m_lblAttendere, &QWidget::show);
    connect(btnVisualizza, &QPushButton::clicked, this, &BalanceQuery::request);
    connect(btnEsci, &QPushButton::clicked, this, &QWidget::close);
}

void BalanceQuery::open(QWidget *from)
{
    m_context.navigator().go(Screen::BalanceQuery, from);
}

void BalanceQuery::showEvent(QShowEvent *event)
{
    for (QComboBox *box : {m_txtGiornoInizio, m_txtMeseInizio, m_txtGiornoFine, m_txtMeseFine}) {
        box->setCurrentIndex(-1);
        box->clearEditText();
    }
    m_txtTipologia->clear();
    m_txtAnno->setText(QString::number(m_context.services().today().year()));
    copyYear();
    m_lblAttendere->hide();
    m_txtTipologia->setFocus();
    ResidentScreen::showEvent(event);
}

void BalanceQuery::copyYear()
{
    const QString year = text::trimmed(m_txtAnno->text());
    m_lblAnnoInizio->setText(year);
    m_lblAnnoFine->setText(year);
}

void BalanceQuery::refuse(QWidget *focus, const QString &text, bool warning)
{
    m_lblAttendere->hide();
    if (warning)
        m_context.services().message(this, MessageKind::Warning, text);
    else
        m_context.services().plainMessage(this, text);
    if (focus)
        focus->setFocus();
}

void BalanceQuery::request()
{
    using balance::IntervalProblem;
    m_lblDataInizio->clear();
    m_lblDataFine->clear();
    const balance::IntervalCheck check = balance::checkInterval(
        {m_txtAnno->text(), m_txtGiornoInizio->currentText(), m_txtMeseInizio->currentText(),
            m_txtGiornoFine->currentText(), m_txtMeseFine->currentText()});
    m_lblDataInizio->setText(check.startText);
    m_lblDataFine->setText(check.endText);
    const auto missing = [this](QWidget *box, const char *what) {
        refuse(box,
            QStringLiteral("Attenzione: indicare %1 intervallo selezionandolo dall'elenco a "
                           "cascata.")
                .arg(QLatin1String(what)),
            true);
    };
    switch (check.problem) {
    case IntervalProblem::Year:
        return refuse(m_txtAnno,
            QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."), true);
    case IntervalProblem::StartDay:
        return missing(m_txtGiornoInizio, "il giorno di inizio");
    case IntervalProblem::StartMonth:
        return missing(m_txtMeseInizio, "il mese di inizio");
    case IntervalProblem::EndDay:
        return missing(m_txtGiornoFine, "il giorno di fine");
    case IntervalProblem::EndMonth:
        return missing(m_txtMeseFine, "il mese di fine");
    case IntervalProblem::StartDate:
        return refuse(m_txtGiornoInizio,
            invalidDateMessage(check.startText, QStringLiteral("inizio")), false);
    case IntervalProblem::EndDate:
        return refuse(
            m_txtGiornoFine, invalidDateMessage(check.endText, QStringLiteral("fine")), false);
    case IntervalProblem::EndBeforeStart:
        return refuse(nullptr,
            QStringLiteral("Attenzione: la data di fine intervallo (%1) non può essere anteriore "
                           "a quella di inizio intervallo (%2).\n\r\n\rPer poter visualizzare il "
                           "riepilogo è necessario indicare un intervallo di tempo valido.")
                .arg(check.endText, check.startText),
            false);
    case IntervalProblem::None:
        break;
    }
    const QString year = text::trimmed(m_txtAnno->text());
    m_lblFile->setText(journal::journalPath(m_context.folder().path(), year));
    BalanceSummary::showSummary(
        m_context, this, {m_lblFile->text(), check.from, check.to, m_txtTipologia->text()});
    m_lblAttendere->hide();
}

void BalanceQuery::closeEvent(QCloseEvent *event)
{
    m_context.navigator().go(Screen::Launcher);
    event->accept();
}

} // namespace almavest::ui
