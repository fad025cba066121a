#include "ui/statement/CausaliDialog.h"

#include "balance/Balance.h"
#include "journal/MovementRecord.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/book/CatalogueWindow.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/ScanRunner.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <map>

namespace almavest::ui {

namespace {

using statement::Side;

constexpr FieldSettings kOpeningFields[] = {
    {"txtAnnoIniziale", 4, KeyFilter::Digits, Casing::None, "txtCassaIniziale"},
    {"txtCassaIniziale", 16, KeyFilter::None, Casing::None, "txtBancaIniziale"},
    {"txtBancaIniziale", 16, KeyFilter::None, Casing::None, "btnSalva"},
};

// The mark of a causale that has no line yet.
QString unassignedMark()
{
    return QStringLiteral("Da assegnare");
}

// Columns of the two lists.
enum Column { MarkColumn, CausaleColumn, LineColumn };

// Enter in a line's list moves on to the next list, as Enter does in every field.
class EnterMovesOn final : public QObject
{
public:
    EnterMovesOn(QWidget *box, QWidget *next)
        : QObject(box)
        , m_next(next)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        m_next->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    QWidget *m_next;
};

// An opening amount as typed: "1.234,50", "-20", "" for nothing. nullopt when unreadable.
std::optional<qint64> openingCents(const QString &typed)
{
    QString text = text::trimmed(typed);
    const bool negative = text.startsWith(u'-');
    if (negative)
        text = text::trimmed(QStringView(text).mid(1));
    const std::optional<QString> amount = text::amountFromInput(text, 2);
    if (!amount)
        return std::nullopt;
    const std::optional<qint64> cents = balance::parseCents(amount->toLatin1());
    if (!cents)
        return std::nullopt;
    return negative ? -*cents : *cents;
}

void addAll(std::map<QString, statement::CausaleTotal> &into,
    const std::map<QString, statement::CausaleTotal> &from)
{
    for (const auto &[key, total] : from) {
        statement::CausaleTotal &kept = into[key];
        if (kept.movements == 0)
            kept.causale = total.causale;
        kept.cents += total.cents;
        kept.movements += total.movements;
    }
}

std::vector<statement::CausaleTotal> values(const std::map<QString, statement::CausaleTotal> &map)
{
    std::vector<statement::CausaleTotal> list;
    list.reserve(map.size());
    for (const auto &[key, total] : map)
        list.push_back(total);
    return list;
}

} // namespace

JournalCausali readJournalCausali(const QString &folder, store::ScanControl *control)
{
    JournalCausali causali;
    std::map<QString, statement::CausaleTotal> income;
    std::map<QString, statement::CausaleTotal> expenses;
    for (const int year : statement::journalYears(folder)) {
        const statement::YearTotals totals = statement::readYearTotals(
            journal::journalPath(folder, journal::journalYearText(year)), year, control);
        if (control && control->cancelled())
            return causali;
        if (!totals.archiveOk) {
            causali.failedYear = year;
            return causali;
        }
        addAll(income, totals.income);
        addAll(expenses, totals.expenses);
        causali.years.push_back(year);
    }
    causali.income = values(income);
    causali.expenses = values(expenses);
    return causali;
}

CausaliDialog::CausaliDialog(AppContext &context, QWidget *owner,
    const statement::StatementSettings &settings, const JournalCausali &causali)
    : QDialog(owner)
    , m_context(context)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("frmCausaliRendiconto"));
    setWindowTitle(QStringLiteral(" Almavest - Voci del rendiconto per cassa"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *note = namedLabel("lblIstruzioni",
        QStringLiteral("Assegnare ogni causale della primanota a una voce del rendiconto per "
                       "cassa, separatamente per le entrate e per le uscite. Le causali ancora da "
                       "assegnare sono in cima agli elenchi, segnate in rosso: finché ne resta "
                       "una il rendiconto non può essere stampato."),
        this);
    note->setWordWrap(true);
    top->addWidget(note, 1);
    top->addWidget(helpPicture(context, this, HelpTopic::Statement), 0, Qt::AlignTop);
    layout->addLayout(top);
    layout->addWidget(namedLabel("titEntrate", QStringLiteral("Causali delle entrate:"), this));
    m_grdEntrate = buildTable("grdEntrate", Side::Receipts, causali.income);
    layout->addWidget(m_grdEntrate, 1);
    layout->addWidget(namedLabel("titUscite", QStringLiteral("Causali delle uscite:"), this));
    m_grdUscite = buildTable("grdUscite", Side::Payments, causali.expenses);
    layout->addWidget(m_grdUscite, 1);
    buildOpening(layout);

    auto *buttons = new QHBoxLayout;
    auto *btnSalva = new QPushButton(QStringLiteral("Salva"), this);
    btnSalva->setObjectName(QStringLiteral("btnSalva"));
    auto *btnEsci = new QPushButton(QStringLiteral("Esci"), this);
    btnEsci->setObjectName(QStringLiteral("btnEsci"));
    for (QPushButton *button : {btnSalva, btnEsci}) {
        button->setAutoDefault(false);
        makeEnterClick(button);
    }
    buttons->addStretch();
    buttons->addWidget(btnSalva);
    buttons->addWidget(btnEsci);
    layout->addLayout(buttons);
    m_btnSalva = btnSalva;
    connect(btnSalva, &QPushButton::clicked, this, [this] {
        if (save())
            m_context.services().message(this, MessageKind::Information,
                QStringLiteral("Le voci del rendiconto e i saldi iniziali sono stati salvati."));
    });
    connect(btnEsci, &QPushButton::clicked, this, &QDialog::reject);

    applyFieldTable(this, kOpeningFields);
    // An amount once left shows as it is kept: "1.234,5" becomes "1234,50".
    for (QLineEdit *amount : {m_txtCassaIniziale, m_txtBancaIniziale}) {
        onFocusLeave(amount, this, [amount] {
            if (const std::optional<qint64> cents = openingCents(amount->text()))
                amount->setText(balance::formatCents(*cents));
        });
    }
    chainEnter();
    resize(1000, 700);
    applyHandCursor(this);
}

CausaliDialog::~CausaliDialog() = default;

QTableWidget *CausaliDialog::buildTable(
    const char *name, Side side, const std::vector<statement::CausaleTotal> &causali)
{
    // Those without a line first, each group in the order of its words.
    std::vector<statement::CausaleTotal> ordered = causali;
    std::stable_sort(ordered.begin(), ordered.end(), [&](const auto &a, const auto &b) {
        const bool aOpen = m_settings.codeFor(side, a.causale).isEmpty();
        const bool bOpen = m_settings.codeFor(side, b.causale).isEmpty();
        if (aOpen != bOpen)
            return aOpen;
        return text::upperAZ(a.causale) < text::upperAZ(b.causale);
    });
    auto *table = new QTableWidget(int(ordered.size()), 3, this);
    table->setObjectName(QLatin1String(name));
    table->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("Causale"), QStringLiteral("Voce del rendiconto")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->horizontalHeader()->setSectionResizeMode(CausaleColumn, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(LineColumn, QHeaderView::Stretch);
    const std::vector<const statement::FormLine *> lines
        = statement::StatementForm::builtIn().assignable(side);
    for (int row = 0; row < int(ordered.size()); ++row) {
        const statement::CausaleTotal &causale = ordered[std::size_t(row)];
        const QString code = m_settings.codeFor(side, causale.causale);
        auto *mark = new QTableWidgetItem(code.isEmpty() ? unassignedMark() : QString());
        mark->setForeground(Qt::red);
        QFont bold = mark->font();
        bold.setBold(true);
        mark->setFont(bold);
        table->setItem(row, MarkColumn, mark);
        table->setItem(row, CausaleColumn, new QTableWidgetItem(causale.causale));
        auto *box = new QComboBox(table);
        box->setObjectName(QStringLiteral("cboVoce"));
        box->addItem(QString());
        for (const statement::FormLine *line : lines)
            box->addItem(QStringLiteral("%1 - %2").arg(line->code.mid(2), line->label), line->code);
        box->setCurrentIndex(std::max(0, box->findData(code)));
        connect(box, &QComboBox::currentIndexChanged, table, [box, mark] {
            mark->setText(box->currentData().toString().isEmpty() ? unassignedMark() : QString());
        });
        table->setCellWidget(row, LineColumn, box);
    }
    table->resizeColumnToContents(MarkColumn);
    return table;
}

void CausaliDialog::buildOpening(QBoxLayout *layout)
{
    auto *group = new QGroupBox(QStringLiteral(" Saldi iniziali "), this);
    group->setObjectName(QStringLiteral("grpSaldiIniziali"));
    auto *grid = new QGridLayout(group);
    const statement::OpeningBalances &opening = m_settings.opening;
    m_txtAnnoIniziale
        = new QLineEdit(opening.year ? journal::journalYearText(opening.year) : QString(), group);
    m_txtAnnoIniziale->setObjectName(QStringLiteral("txtAnnoIniziale"));
    m_txtCassaIniziale = new QLineEdit(balance::formatCents(opening.cashCents), group);
    m_txtCassaIniziale->setObjectName(QStringLiteral("txtCassaIniziale"));
    m_txtBancaIniziale = new QLineEdit(balance::formatCents(opening.bankCents), group);
    m_txtBancaIniziale->setObjectName(QStringLiteral("txtBancaIniziale"));
    grid->addWidget(namedLabel("titAnnoIniziale", QStringLiteral("Primo anno:"), group), 0, 0);
    grid->addWidget(m_txtAnnoIniziale, 0, 1);
    grid->addWidget(
        namedLabel("titCassaIniziale", QStringLiteral("Cassa all'inizio dell'anno: €"), group), 0,
        2);
    grid->addWidget(m_txtCassaIniziale, 0, 3);
    grid->addWidget(
        namedLabel("titBancaIniziale",
            QStringLiteral("Depositi bancari e postali all'inizio dell'anno: €"), group),
        0, 4);
    grid->addWidget(m_txtBancaIniziale, 0, 5);
    auto *channel = namedLabel("lblCassaBanca",
        QStringLiteral("Un movimento è di cassa quando la sua modalità di pagamento è vuota, "
                       "contiene \"contanti\" o \"contante\", oppure è la sola parola \"cassa\"; "
                       "ogni altro movimento passa dalla banca o dalla posta. Senza primo anno, "
                       "il rendiconto parte da zero nel primo anno che ha una primanota."),
        group);
    channel->setWordWrap(true);
    grid->addWidget(channel, 1, 0, 1, 6);
    layout->addWidget(group);
}

// Enter walks the lines' lists from the first of the income to the last of the expenses, then
// the opening fields and Salva.
void CausaliDialog::chainEnter()
{
    std::vector<QWidget *> boxes;
    for (QTableWidget *table : {m_grdEntrate, m_grdUscite}) {
        for (int row = 0; row < table->rowCount(); ++row)
            boxes.push_back(table->cellWidget(row, LineColumn));
    }
    boxes.push_back(m_txtAnnoIniziale);
    for (std::size_t i = 0; i + 1 < boxes.size(); ++i)
        new EnterMovesOn(boxes[i], boxes[i + 1]);
    boxes.front()->setFocus();
}

std::optional<statement::StatementSettings> CausaliDialog::shownSettings(bool tell)
{
    statement::StatementSettings settings = m_settings;
    for (const auto &[table, side] :
        {std::pair(m_grdEntrate, Side::Receipts), std::pair(m_grdUscite, Side::Payments)}) {
        for (int row = 0; row < table->rowCount(); ++row) {
            const auto *box = static_cast<QComboBox *>(table->cellWidget(row, LineColumn));
            settings.assign(
                side, table->item(row, CausaleColumn)->text(), box->currentData().toString());
        }
    }
    Services &services = m_context.services();
    const QString year = text::trimmed(m_txtAnnoIniziale->text());
    const journal::JournalYear readYear = journal::readJournalYear(year);
    if (!year.isEmpty() && !readYear.accepted()) {
        if (!tell)
            return std::nullopt;
        services.message(this, MessageKind::Warning, readYear.refusal);
        m_txtAnnoIniziale->setFocus();
        return std::nullopt;
    }
    const std::optional<qint64> cash = openingCents(m_txtCassaIniziale->text());
    const std::optional<qint64> bank = openingCents(m_txtBancaIniziale->text());
    for (const auto &[cents, field] :
        {std::pair(cash, m_txtCassaIniziale), std::pair(bank, m_txtBancaIniziale)}) {
        if (!cents) {
            if (!tell)
                return std::nullopt;
            services.message(this, MessageKind::Warning,
                QStringLiteral("Attenzione: l'importo \"%1\" non è valido.\n\r\n\rIndicare un "
                               "importo in euro con la virgola per i decimali, ad esempio "
                               "1250,00.")
                    .arg(text::trimmed(field->text())));
            field->setFocus();
            return std::nullopt;
        }
    }
    settings.opening = year.isEmpty() ? statement::OpeningBalances {}
                                      : statement::OpeningBalances {readYear.year, *cash, *bank};
    return settings;
}

bool CausaliDialog::save()
{
    const std::optional<statement::StatementSettings> settings = shownSettings();
    if (!settings)
        return false;
    QString error;
    const QString path = m_context.folder().file(QLatin1String(statement::kStatementSettingsFile));
    if (!settings->save(path, &error)) {
        m_context.services().message(this, MessageKind::Error,
            QStringLiteral("Attenzione: non è stato possibile salvare le voci del rendiconto nel "
                           "file %1.\n\r\n\r%2\n\r\n\rLe voci assegnate restano sullo schermo.")
                .arg(QLatin1String(statement::kStatementSettingsFile), error));
        return false;
    }
    m_settings = *settings;
    return true;
}

// Esci, Escape and the window's close: changes not saved are not lost without asking.
void CausaliDialog::reject()
{
    const std::optional<statement::StatementSettings> shown = shownSettings(false);
    if ((!shown || !(*shown == m_settings))
        && !m_context.services().message(this, MessageKind::Question,
            QStringLiteral("Le voci assegnate non sono state salvate. Uscire senza salvarle?")))
        return;
    QDialog::reject();
}

bool CausaliDialog::edit(AppContext &context, QWidget *owner)
{
    Services &services = context.services();
    QString error;
    const std::optional<statement::StatementSettings> settings = statement::StatementSettings::load(
        context.folder().file(QLatin1String(statement::kStatementSettingsFile)), &error);
    if (!settings) {
        services.message(owner, MessageKind::Error, unreadableSettingsMessage(error));
        return false;
    }
    const QString folder = context.folder().path();
    std::optional<JournalCausali> causali = ScanRunner::waitFor(services, owner,
        [folder](store::ScanControl &control) { return readJournalCausali(folder, &control); });
    if (!causali)
        return false;
    if (causali->failedYear >= 0) {
        services.message(owner, MessageKind::Error, unreadableJournalMessage(causali->failedYear));
        return false;
    }
    CausaliDialog dialog(context, owner, *settings, *causali);
    services.execDialog(dialog);
    return true;
}

QString unreadableSettingsMessage(const QString &reason)
{
    return QStringLiteral("Attenzione: il file %1 con le voci del rendiconto non può essere "
                          "letto o è danneggiato.\n\r\n\r%2\n\r\n\rIl file non è stato "
                          "modificato.")
        .arg(QLatin1String(statement::kStatementSettingsFile), reason);
}

QString unreadableJournalMessage(int year)
{
    return QStringLiteral("Attenzione: l'archivio della primanota dell'anno %1 non risulta "
                          "accessibile.")
        .arg(journal::journalYearText(year));
}

} // namespace almavest::ui
