#include "ui/book/TitlePageDialog.h"

#include "app/IniFile.h"
#include "app/ProgramFolder.h"
#include "app/SystemCause.h"
#include "report/Fonts.h"
#include "report/PreparedReport.h"
#include "report/ReportTemplate.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace almavest::ui {

namespace {

constexpr char kFileName[] = "Libro_Soci.ini";
constexpr char kSection[] = "Frontespizio Registro";

// One value of the title page: its box (named as the report memo that prints it), its key in the
// settings file and its caption on the window. In the order of the tab and Enter chains.
struct TitleValue
{
    FieldSettings box;
    const char *key;
    const char *caption;
};

constexpr std::array<TitleValue, TitlePageDialog::kValueCount> kValues {{
    {{"txtComune", 250, KeyFilter::None, Casing::None, "txtProvincia"},
        "Denominazione Associazione", "Denominazione:"},
    {{"txtProvincia", 250, KeyFilter::None, Casing::None, "txtNumero"}, "Sede Legale",
        "Sede legale:"},
    {{"txtNumero", 50, KeyFilter::None, Casing::None, "txtPagine"}, "Numero Libro", "N."},
    {{"txtPagine", 50, KeyFilter::None, Casing::None, "txtCommittente"}, "Totale Soci",
        "Tot. Soci:"},
    {{"txtCommittente", 250, KeyFilter::None, Casing::None, "txtImpresa"}, "Attivita Svolte",
        "Attività svolte:"},
    {{"txtImpresa", 250, KeyFilter::None, Casing::None, "txtOggetto"}, "Indirizzo Postale",
        "Indirizzo postale:"},
    {{"txtOggetto", 250, KeyFilter::None, Casing::None, "txtEstremi"}, "Codice Fiscale",
        "Codice Fiscale / Estremi Iscrizione:"},
    {{"txtEstremi", 250, KeyFilter::None, Casing::None, "txtDirettore"}, "Recapiti Telefonici",
        "Recapiti telefonici e di posta elettronica:"},
    {{"txtDirettore", 50, KeyFilter::None, Casing::None, "txtResponsabile"}, "Firma Presidente",
        "Il Presidente:"},
    {{"txtResponsabile", 50, KeyFilter::None, Casing::None, "txtComune"}, "Firma Segretario",
        "Il Segretario:"},
}};

enum ValueIndex {
    Comune,
    Provincia,
    Numero,
    Pagine,
    Committente,
    Impresa,
    Oggetto,
    Estremi,
    Direttore,
    Responsabile
};

} // namespace

TitlePageDialog::TitlePageDialog(AppContext &context, QWidget *owner)
    : QDialog(owner)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmFrontespizioReg"));
    setWindowTitle(QStringLiteral(" Frontespizio Libro Soci"));
    buildScreen();
    resize(940, sizeHint().height());
    makeDialogWindow(this);
    applyHandCursor(this);
    load();
    m_boxes[Comune]->setFocus();
}

TitlePageDialog::~TitlePageDialog() = default;

void TitlePageDialog::open(AppContext &context, QWidget *owner)
{
    TitlePageDialog dialog(context, owner);
    runPerUseDialog(context.services(), dialog);
}

std::array<QLabel *, TitlePageDialog::kValueCount> TitlePageDialog::buildBoxes()
{
    const QFont plain = fonts::named(fonts::kVerdana, 12, QFont::Bold);
    const QFont large = fonts::named(fonts::kVerdana, 36, QFont::Bold);
    std::array<QLabel *, kValueCount> captions {};
    for (std::size_t i = 0; i < kValues.size(); ++i) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QLatin1String(kValues[i].box.name));
        box->setFont(i == Numero || i == Pagine ? large : plain);
        m_boxes[i] = box;
        captions[i] = new QLabel(QString::fromUtf8(kValues[i].caption), this);
        captions[i]->setBuddy(box);
    }
    // The boxes' own colours (alice blue at rest, yellow while typing) replace a halo.
    for (std::size_t i = 0; i < kValues.size(); ++i) {
        auto *behaviour = new FieldBehaviour(m_boxes[i], kValues[i].box);
        // A value read from the file is shown whole, however long: the box's own limit would cut
        // it, and closing the window would store it cut.
        m_boxes[i]->setMaxLength(std::numeric_limits<int>::max());
        behaviour->setEnterSuccessor(m_boxes[(i + 1) % kValues.size()]);
        if (i > 0)
            setTabOrder(m_boxes[i - 1], m_boxes[i]);
    }

    return captions;
}

void TitlePageDialog::buildScreen()
{
    const std::array<QLabel *, kValueCount> captions = buildBoxes();
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    const auto wide = [&](int row, int value) {
        grid->addWidget(captions[std::size_t(value)], row, 0);
        grid->addWidget(m_boxes[std::size_t(value)], row, 1, 1, 3);
    };
    wide(0, Comune);
    wide(1, Provincia);
    grid->addWidget(
        namedLabel("lblTitolo", QStringLiteral("LIBRO SOCI"), this), 2, 0, 1, 4, Qt::AlignHCenter);
    grid->addWidget(captions[Numero], 3, 0, Qt::AlignRight);
    grid->addWidget(m_boxes[Numero], 3, 1);
    grid->addWidget(captions[Pagine], 3, 2, Qt::AlignRight);
    grid->addWidget(m_boxes[Pagine], 3, 3);
    for (int value : {Committente, Impresa, Oggetto, Estremi}) {
        grid->addWidget(captions[std::size_t(value)], grid->rowCount(), 0, 1, 4);
        grid->addWidget(m_boxes[std::size_t(value)], grid->rowCount(), 0, 1, 4);
    }
    const int signatures = grid->rowCount();
    grid->addWidget(captions[Direttore], signatures, 0, 1, 2);
    grid->addWidget(m_boxes[Direttore], signatures + 1, 0, 1, 2);
    grid->addWidget(captions[Responsabile], signatures, 2, 1, 2);
    grid->addWidget(m_boxes[Responsabile], signatures + 1, 2, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addLayout(grid);
    layout->addSpacing(10);
    layout->addLayout(buildButtons());
}

QLayout *TitlePageDialog::buildButtons()
{
    const auto add = [this](const char *name, const QString &caption) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        return button;
    };
    QPushButton *preview = add("btnAnteprima", QStringLiteral("Anteprima"));
    QPushButton *print = add("btnStampa", QStringLiteral("Stampa"));
    QPushButton *close = add("btnChiudi", QStringLiteral("Chiudi"));
    connect(preview, &QPushButton::clicked, this, [this] { produce(ReportOutput::Preview); });
    connect(print, &QPushButton::clicked, this, [this] { produce(ReportOutput::Printer); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    for (QPushButton *button : {preview, print, close})
        makeEnterClick(button);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(preview);
    row->addWidget(print);
    row->addWidget(close);
    return row;
}

void TitlePageDialog::load()
{
    app::IniFile settings(m_context.folder().file(QLatin1String(kFileName)));
    if (!settings.load()) {
        m_context.services().message(this, MessageKind::Error,
            QStringLiteral("Attenzione: non è stato possibile leggere i dati del frontespizio "
                           "dal file Libro_Soci.ini."));
        return;
    }
    for (std::size_t i = 0; i < kValues.size(); ++i) {
        m_boxes[i]->setText(
            settings.value(QLatin1String(kSection), QString::fromLatin1(kValues[i].key)));
    }
}

bool TitlePageDialog::store(QString &error)
{
    app::IniFile settings(m_context.folder().file(QLatin1String(kFileName)));
    // An unreadable file is replaced with the values shown rather than lost silently: they are
    // what the user sees and confirms by closing.
    static_cast<void>(settings.load());
    for (std::size_t i = 0; i < kValues.size(); ++i) {
        settings.setValue(QLatin1String(kSection), QString::fromLatin1(kValues[i].key),
            text::trimmed(m_boxes[i]->text()));
    }
    if (settings.save())
        return true;
    error = settings.errorString();
    return false;
}

void TitlePageDialog::done(int result)
{
    QString error;
    if (store(error)) {
        QDialog::done(result);
        return;
    }
    // The words guess at the cause; the system's own reason, or the link found in place of the
    // file, says what it was.
    const bool outsideLink
        = !m_context.folder().keepsInside(m_context.folder().file(QLatin1String(kFileName)));
    const QString cause = outsideLink ? error : app::systemCause(error);
    const QString question
        = QStringLiteral("Attenzione: non è stato possibile salvare i dati del frontespizio nel "
                         "file Libro_Soci.ini. La cartella del programma potrebbe essere "
                         "protetta dalla scrittura oppure il disco potrebbe essere pieno.")
        + (cause.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + cause)
        + QStringLiteral("\r\n\r\nRestare in questa finestra per riprovare? Rispondendo No la "
                         "finestra si chiude senza salvare i dati inseriti.");
    if (!m_context.services().message(this, MessageKind::Question, question))
        QDialog::done(result);
}

void TitlePageDialog::produce(ReportOutput output)
{
    Services &services = m_context.services();
    std::optional<report::ReportTemplate> page
        = report::ReportTemplate::load(QStringLiteral(":/templates/title-page.json"));
    std::optional<report::PreparedReport> prepared;
    if (page) {
        page->setOrientation(QPageLayout::Landscape);
        // Each memo is named as the box whose text it prints; nothing needs to be stored first.
        for (std::size_t i = 0; i < kValues.size(); ++i)
            page->setText(QLatin1String(kValues[i].box.name), text::trimmed(m_boxes[i]->text()));
        prepared = report::prepare(*page, services.today());
    }
    sendReport(services, this, prepared, output);
}

} // namespace almavest::ui
