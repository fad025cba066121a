#include "ui/checks/TaxCodeMaker.h"

#include "ui/checks/PlaceCompleter.h"

#include "checks/TaxCodeRules.h"
#include "places/PlaceRegister.h"
#include "report/Fonts.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/Window.h"
#include "ui/help/HelpTopics.h"
#include "ui/help/HelpWindow.h"
#include "ui/services/Services.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

constexpr FieldSettings kFields[] = {
    {"txtCognome", 50, KeyFilter::None, Casing::None, "txtNome"},
    {"txtNome", 50, KeyFilter::None, Casing::None, "txtDataNascita"},
    {"txtDataNascita", 10, KeyFilter::None, Casing::None, "txtLuogoNascita"},
    {"txtLuogoNascita", 60, KeyFilter::None, Casing::None, "btnUsa"},
};

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString());
    return label;
}

} // namespace

TaxCodeMaker::TaxCodeMaker(AppContext &context, QWidget *owner, const Known &known)
    : QDialog(owner)
    , m_context(context)
    , m_known(known)
{
    setObjectName(QStringLiteral("frmCalcolaCodFisc"));
    setWindowTitle(QStringLiteral(" Calcolo del codice fiscale"));
    build();
    const checks::FullName split = checks::splitFullName(known.fullName);
    m_surname->setText(split.surname);
    m_name->setText(split.name);
    m_birthDate->setText(text::trimmed(known.birthDate));
    m_birthPlace->setText(text::trimmed(known.birthPlace));
    remake();
    applyHandCursor(this);
    adjustSize();
    makeDialogWindow(this);
}

void TaxCodeMaker::build()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    auto *instruction = namedLabel("lblTitolo",
        QStringLiteral("Controllare i dati della persona: il codice fiscale è calcolato man mano. "
                       "Il luogo di nascita è un comune italiano o, per chi è nato all'estero, lo "
                       "stato estero."),
        this);
    instruction->setWordWrap(true);
    layout->addWidget(instruction);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    const auto box = [this](const char *name) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setMinimumWidth(320);
        return edit;
    };
    m_surname = box("txtCognome");
    m_name = box("txtNome");
    m_birthDate = box("txtDataNascita");
    m_birthDate->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    m_birthPlace = box("txtLuogoNascita");
    m_birthPlace->setPlaceholderText(QStringLiteral("comune o stato estero"));
    m_male = new QRadioButton(QStringLiteral("Maschile"), this);
    m_male->setObjectName(QStringLiteral("optMaschio"));
    m_female = new QRadioButton(QStringLiteral("Femminile"), this);
    m_female->setObjectName(QStringLiteral("optFemmina"));
    auto *sexes = new QButtonGroup(this);
    sexes->addButton(m_male);
    sexes->addButton(m_female);
    auto *sexRow = new QHBoxLayout;
    sexRow->addWidget(m_male);
    sexRow->addWidget(m_female);
    sexRow->addStretch(1);
    grid->addWidget(caption(QStringLiteral("Cognome:"), this), 0, 0);
    grid->addWidget(m_surname, 0, 1);
    grid->addWidget(caption(QStringLiteral("Nome:"), this), 1, 0);
    grid->addWidget(m_name, 1, 1);
    grid->addWidget(caption(QStringLiteral("Sesso:"), this), 2, 0);
    grid->addLayout(sexRow, 2, 1);
    grid->addWidget(caption(QStringLiteral("Data di nascita:"), this), 3, 0);
    grid->addWidget(m_birthDate, 3, 1);
    grid->addWidget(caption(QStringLiteral("Luogo di nascita:"), this), 4, 0);
    grid->addWidget(m_birthPlace, 4, 1);
    layout->addLayout(grid);

    m_shown = namedLabel("lblCodice", QString(), this);
    QFont large = fonts::named(fonts::kCourierNew, 20);
    large.setBold(true);
    m_shown->setFont(large);
    m_shown->setAlignment(Qt::AlignCenter);
    m_shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_shown);
    m_missing = namedLabel("lblMancanti", QString(), this);
    m_missing->setWordWrap(true);
    m_missing->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_missing);

    m_use = new QPushButton(QStringLiteral("Usa questo codice"), this);
    m_use->setObjectName(QStringLiteral("btnUsa"));
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    auto *help = new QPushButton(QStringLiteral("Guida"), this);
    help->setObjectName(QStringLiteral("btnGuida"));
    help->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(m_use);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    applyFieldTable(this, kFields);
    setTabOrder(m_name, m_male);
    setTabOrder(m_male, m_female);
    setTabOrder(m_female, m_birthDate);

    completePlaces(m_birthPlace);

    for (QLineEdit *edit : {m_surname, m_name, m_birthDate, m_birthPlace})
        connect(edit, &QLineEdit::textChanged, this, &TaxCodeMaker::remake);
    connect(m_male, &QRadioButton::toggled, this, &TaxCodeMaker::remake);
    connect(m_female, &QRadioButton::toggled, this, &TaxCodeMaker::remake);
    connect(m_use, &QPushButton::clicked, this, &TaxCodeMaker::useCode);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
        [this] { showHelpTopic(m_context, this, HelpTopic::TaxCodeMaker); });
}

void TaxCodeMaker::remake()
{
    QStringList missing;
    const QString surname = text::trimmed(m_surname->text());
    const QString name = text::trimmed(m_name->text());
    if (checks::codeLetters(surname).isEmpty())
        missing.append(QStringLiteral("il cognome"));
    if (checks::codeLetters(name).isEmpty())
        missing.append(QStringLiteral("il nome"));
    if (!m_male->isChecked() && !m_female->isChecked())
        missing.append(QStringLiteral("il sesso"));
    const QDate today = m_context.services().today();
    const std::optional<QDate> birth = text::parseDate(m_birthDate->text(), today);
    if (!birth || *birth > today)
        missing.append(QStringLiteral("una data di nascita valida (gg/mm/aaaa)"));
    const QList<places::Place> found
        = places::PlaceRegister::builtIn().byName(m_birthPlace->text(), birth.value_or(QDate()));
    if (found.isEmpty()) {
        missing.append(QStringLiteral("un luogo di nascita dell'elenco dei comuni e degli stati "
                                      "esteri"));
    } else if (found.size() > 1) {
        missing.append(QStringLiteral("la provincia del luogo di nascita, perché più comuni hanno "
                                      "questo nome (sceglierlo dall'elenco)"));
    }
    m_code.reset();
    if (missing.isEmpty()) {
        m_code = checks::taxCodeOf(
            {surname, name, m_female->isChecked() ? checks::Sex::Female : checks::Sex::Male, *birth,
                found.first().code});
    }
    m_shown->setText(m_code.value_or(QStringLiteral("- - -")));
    m_missing->setText(missing.isEmpty()
            ? QString()
            : QStringLiteral("Per calcolare il codice fiscale indicare ")
                + missing.join(QStringLiteral(", ")) + u'.');
    m_use->setEnabled(m_code.has_value());
}

void TaxCodeMaker::useCode()
{
    if (!m_code)
        return;
    const QString current = text::trimmed(m_known.code).toUpper();
    if (!current.isEmpty() && current != *m_code) {
        const QString question = QStringLiteral("Il codice fiscale della scheda, ") + current
            + QStringLiteral(", è diverso da quello calcolato, ") + *m_code
            + QStringLiteral(".\r\n\r\nIl codice rilasciato dall'Agenzia delle Entrate prevale "
                             "sul calcolo (per esempio nei casi di omocodia). Sostituire il "
                             "codice della scheda con quello calcolato?");
        if (!m_context.services().message(this, MessageKind::Question, question))
            return;
    }
    m_chosen = m_code;
    accept();
}

std::optional<QString> TaxCodeMaker::make(AppContext &context, QWidget *owner, const Known &known)
{
    TaxCodeMaker dialog(context, owner, known);
    runPerUseDialog(context.services(), dialog);
    return dialog.m_chosen;
}

} // namespace almavest::ui
