#include "ScreenAlbum.h"

#include "GuideServices.h"
#include "SampleFolder.h"

#include "app/IniFile.h"
#include "backup/Backup.h"
#include "book/PageRecord.h"
#include "journal/MovementRecord.h"
#include "report/PreparedReport.h"
#include "statement/StatementSettings.h"
#include "ui/app/AppContext.h"
#include "ui/app/Application.h"
#include "ui/app/BackupWindow.h"
#include "ui/app/Launcher.h"
#include "ui/app/PasswordChangeScreen.h"
#include "ui/app/PasswordScreen.h"
#include "ui/balance/BalanceQuery.h"
#include "ui/balance/BalanceSummary.h"
#include "ui/book/BookMenu.h"
#include "ui/book/BookPageScreen.h"
#include "ui/checks/TaxCodeCheck.h"
#include "ui/checks/TaxCodeMaker.h"
#include "ui/dialogs/AttachmentsDialog.h"
#include "ui/exporting/ColumnChoiceDialog.h"
#include "ui/exporting/MemberExportDialog.h"
#include "ui/help/HelpWindow.h"
#include "ui/journal/DuePaymentsDialog.h"
#include "ui/journal/JournalMenu.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/print/ReceiptPrint.h"
#include "ui/registry/MemberCardScreen.h"
#include "ui/registry/MemberExpiryDialog.h"
#include "ui/registry/MemberSearchDialog.h"
#include "ui/statement/CausaliDialog.h"
#include "ui/statement/StatementScreen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPainter>

namespace almavest::guide {

namespace {

constexpr qreal kPictureScale = 1.5; // pixels per screen pixel, for sharp pictures on paper

// The widget as it stands on screen, at one and a half times its pixels.
QImage grabbed(QWidget *widget)
{
    QApplication::processEvents();
    QImage image(widget->size() * kPictureScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kPictureScale);
    image.fill(Qt::white);
    widget->render(&image);
    return image;
}

template <typename T> T *child(QWidget *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("the guide's pictures need %s in %s", name, qPrintable(parent->objectName()));
    return found;
}

// Takes the pictures in the order a user meets the screens.
class PictureTaker final
{
public:
    PictureTaker(const QString &folder, QMap<QString, QImage> &pictures)
        : m_services(kSampleToday)
        , m_app(m_services, folder)
        , m_folder(folder)
        , m_pictures(pictures)
    {
        m_app.context().setQuitHandler([] {});
    }

    // Every picture; the first one that cannot be taken is named in the message returned.
    QString takeAll();

private:
    ui::AppContext &context() { return m_app.context(); }
    // Keeps `widget` as picture `name`, unless a screen showed a message on the way.
    bool keep(const QString &name, QWidget *widget);
    // Runs `open`, which opens a per-use dialog, and keeps that dialog as picture `name`.
    bool keepDialog(const QString &name, const std::function<void()> &open,
        const std::function<void(QDialog &)> &prepare = {});
    bool takeStart();
    bool takeRegistry();
    bool takeBook();
    bool takeJournal();
    bool takeStatement();
    bool takeTools();
    bool takeRenewal();

    GuideServices m_services;
    ui::Application m_app;
    QString m_folder;
    QMap<QString, QImage> &m_pictures;
    QString m_failed;
};

bool PictureTaker::keep(const QString &name, QWidget *widget)
{
    QImage image = grabbed(widget);
    if (!m_services.messages.isEmpty()) {
        m_failed = QStringLiteral("the screen \"%1\" could not be built: %2")
                       .arg(name, m_services.messages.join(QStringLiteral(" / ")));
        return false;
    }
    m_pictures.insert(name, image);
    return true;
}

bool PictureTaker::keepDialog(const QString &name, const std::function<void()> &open,
    const std::function<void(QDialog &)> &prepare)
{
    bool kept = false;
    m_services.onNextDialog([&](QDialog &dialog) {
        if (prepare)
            prepare(dialog);
        kept = keep(name, &dialog);
    });
    open();
    if (!m_services.dialogShown() && m_failed.isEmpty())
        m_failed = QStringLiteral("the screen \"%1\" did not open").arg(name);
    return kept && m_failed.isEmpty();
}

bool PictureTaker::takeStart()
{
    m_app.start();
    ui::PasswordScreen *password = m_app.passwordScreen();
    if (!keep(QStringLiteral("password"), password))
        return false;
    ui::Navigator::switchScreen(password, m_app.passwordChangeScreen());
    if (!keep(QStringLiteral("cambia-password"), m_app.passwordChangeScreen()))
        return false;
    ui::Navigator::switchScreen(m_app.passwordChangeScreen(), password);
    child<QLineEdit>(password, "txtPassword")->setText(QString::fromLatin1(kSamplePassword));
    // The reminder board opens over the launcher once the archives are read.
    bool board = false;
    m_services.onNextDialog(
        [&](QDialog &dialog) { board = keep(QStringLiteral("promemoria"), &dialog); });
    child<QAbstractButton>(password, "cmdOK")->click();
    QDeadlineTimer deadline(30000);
    while (!m_services.dialogShown() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!board) {
        if (m_failed.isEmpty())
            m_failed = QStringLiteral("the reminder board did not open");
        return false;
    }
    return keep(QStringLiteral("avvio"), m_app.launcher());
}

bool PictureTaker::takeRegistry()
{
    m_app.launcher()->openMemberRegistry();
    ui::MemberCardScreen *card = m_app.memberCardScreen();
    if (!card->loadCard(1) || !keep(QStringLiteral("anagrafica"), card))
        return false;
    const auto search = [&] {
        ui::MemberSearchDialog::choose(context(), card, ui::MemberSearchMode::MemberCard);
    };
    const auto findAll
        = [](QDialog &dialog) { child<QAbstractButton>(&dialog, "btnCerca")->click(); };
    return keepDialog(QStringLiteral("trova-soci"), search, findAll)
        && keepDialog(
            QStringLiteral("scadenze"), [&] { ui::ExpiringMembersDialog::choose(context(), card); })
        && keepDialog(
            QStringLiteral("esporta-soci"), [&] { ui::MemberExportDialog::open(context(), card); })
        && keepDialog(QStringLiteral("colonne-foglio"),
            [&] {
                ui::ColumnChoiceDialog::choose(
                    context(), card, exporting::memberSheet(), {0, 1, 2, 15, 8, 10});
            })
        && keepDialog(QStringLiteral("codice-fiscale"),
            [&] { ui::TaxCodeCheck::check(context(), card, QStringLiteral("RSSMRA75C12H501H")); })
        && keepDialog(
            QStringLiteral("calcola-codice-fiscale"),
            [&] {
                ui::TaxCodeMaker::make(context(), card,
                    {QStringLiteral("Rossi Maria"), QStringLiteral("12/03/1975"),
                        QStringLiteral("Roma (RM)"), QString()});
            },
            [](QDialog &dialog) { child<QAbstractButton>(&dialog, "optFemmina")->click(); })
        && keepDialog(QStringLiteral("guida"),
            [&] { ui::showHelpTopic(context(), card, ui::HelpTopic::MemberCard); });
}

// The renewal dialog over the first sample member, and a receipt as the renewal makes it.
bool PictureTaker::takeRenewal()
{
    app::IniFile titlePage(QDir(m_folder).filePath(QStringLiteral("Libro_Soci.ini")));
    const QString section = QStringLiteral("Frontespizio Registro");
    titlePage.setValue(section, QStringLiteral("Denominazione Associazione"),
        QStringLiteral("Circolo Culturale e Sportivo \"Il Ponte\""));
    titlePage.setValue(section, QStringLiteral("Sede Legale"), QStringLiteral("Roma"));
    titlePage.setValue(section, QStringLiteral("Codice Fiscale"), QStringLiteral("97123450581"));
    if (!titlePage.save()) {
        m_failed = QStringLiteral("the sample title page could not be written");
        return false;
    }
    ui::MemberCardScreen *card = m_app.memberCardScreen();
    if (!card->loadCard(1) || !keepDialog(QStringLiteral("rinnovo"), [&] {
            child<QAbstractButton>(card, "btnRinnova")->click();
        }))
        return false;
    membership::Receipt receipt;
    receipt.number = 12;
    receipt.year = kSampleToday.year();
    receipt.movement = 1;
    receipt.issued = kSampleToday;
    receipt.amount = QStringLiteral("50,00");
    receipt.membershipFee = true;
    receipt.period = QStringLiteral("dal 16/03/2026 al 16/03/2027");
    receipt.purpose = QStringLiteral("Quota associativa");
    receipt.payer = QStringLiteral("Rossi Mario");
    receipt.taxCode = QStringLiteral("RSSMRA75C12H501H");
    receipt.birthDate = QStringLiteral("12/03/1975");
    receipt.birthPlace = QStringLiteral("Roma");
    const std::optional<report::PreparedReport> page = ui::prepareReceipt(
        receipt, membership::associationHeading(m_folder), false, kSampleToday);
    if (!page) {
        m_failed = QStringLiteral("the receipt could not be laid out");
        return false;
    }
    // The receipt takes the top of its sheet, above the line where it is cut off.
    const QSizeF paper = report::paperSizeUnits(*page);
    const double height = paper.height() * 0.47;
    QImage image(QSize(int(paper.width() * kPictureScale), int(height * kPictureScale)),
        QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(kPictureScale, kPictureScale);
    report::drawPageInUnits(*page, 0, painter);
    painter.end();
    image.setDevicePixelRatio(kPictureScale);
    m_pictures.insert(QStringLiteral("ricevuta"), image);
    return true;
}

bool PictureTaker::takeTools()
{
    ui::AttachmentSlots slots;
    slots.files = {QStringLiteral("Domanda di iscrizione.pdf"),
        QStringLiteral("Certificato medico.pdf"), QString()};
    slots.descriptions
        = {QStringLiteral("Domanda firmata"), QStringLiteral("Valido fino al 2027"), QString()};
    if (!keepDialog(QStringLiteral("allegati"), [&] {
            ui::AttachmentsDialog::edit(
                context(), m_app.memberCardScreen(), ui::AttachmentsMode::MemberCard, slots);
        }))
        return false;
    // Two backups of the sample folder, a week apart, as the exits of a week would leave.
    const QDateTime lastWeek(QDate(2026, 12, 3), QTime(18, 42, 10));
    for (const QDateTime &moment : {lastWeek, lastWeek.addDays(7).addSecs(-3600)}) {
        if (backup::makeBackup(m_folder, moment, backup::kDefaultKept, true).outcome
            != backup::BackupOutcome::Made) {
            m_failed = QStringLiteral("the sample folder could not be backed up");
            return false;
        }
    }
    return keepDialog(
        QStringLiteral("copie"), [&] { ui::BackupWindow::open(context(), m_app.launcher()); });
}

bool PictureTaker::takeBook()
{
    ui::Navigator::switchScreen(m_app.memberCardScreen(), m_app.launcher());
    m_app.launcher()->openBookMenu();
    if (!keep(QStringLiteral("menu-registro"), m_app.bookMenu()))
        return false;
    const QString name = QString::fromLatin1(kSampleBook);
    m_app.bookPageScreen()->openBook(m_app.bookMenu(), book::bookPath(m_folder, name), name);
    if (!m_app.bookPageScreen()->loadCard(1)
        || !keep(QStringLiteral("registro"), m_app.bookPageScreen()))
        return false;
    ui::Navigator::switchScreen(m_app.bookPageScreen(), m_app.launcher());
    return true;
}

bool PictureTaker::takeJournal()
{
    m_app.launcher()->openJournalMenu();
    if (!keep(QStringLiteral("menu-primanota"), m_app.journalMenu()))
        return false;
    const QString year = QString::fromLatin1(kSampleYear);
    const QString path = journal::journalPath(m_folder, year);
    ui::MovementCardScreen *card = m_app.movementCardScreen();
    card->openYear(m_app.journalMenu(), path, year);
    if (!card->loadCard(5) || !keep(QStringLiteral("movimenti"), card))
        return false;
    if (!keepDialog(QStringLiteral("sospesi"),
            [&] { ui::DuePaymentsDialog::choose(context(), card, path); }))
        return false;
    ui::Navigator::switchScreen(card, m_app.journalMenu());
    m_app.balanceQuery()->open(m_app.journalMenu());
    if (!keep(QStringLiteral("menu-bilancio"), m_app.balanceQuery()))
        return false;
    const balance::BalanceRequest request {path, QDate(2026, 1, 1), QDate(2026, 12, 31), {}};
    return keepDialog(QStringLiteral("bilancio"),
        [&] { ui::BalanceSummary::showSummary(context(), m_app.balanceQuery(), request); });
}

// The causali of the sample year go to their lines, all but the insurance, which the picture of
// the assignments shows still to be assigned; the statement is shown once it has its line too.
bool PictureTaker::takeStatement()
{
    using statement::Side;
    statement::StatementSettings settings;
    const std::pair<Side, const char *> lines[] = {
        {Side::Receipts, "Quota associativa 2026=E.A.1"},
        {Side::Receipts, "Contributo del Comune=E.A.8"},
        {Side::Receipts, "Iscrizioni al corso di fotografia=E.A.3"},
        {Side::Payments, "Affitto della sede - gennaio=U.A.3"},
        {Side::Payments, "Affitto della sede - febbraio=U.A.3"},
        {Side::Payments, "Affitto della sede - marzo=U.A.3"},
        {Side::Payments, "Bolletta della luce=U.E.2"},
        {Side::Payments, "Materiale di cancelleria=U.E.1"},
    };
    for (const auto &[side, line] : lines) {
        const QStringList parts = QString::fromUtf8(line).split(u'=');
        settings.assign(side, parts.at(0), parts.at(1));
    }
    settings.opening = {QString::fromLatin1(kSampleYear).toInt(), 15000, 250000};
    const QString path = context().folder().file(QLatin1String(statement::kStatementSettingsFile));
    if (!settings.save(path)) {
        m_failed = QStringLiteral("cannot write the statement's settings into %1").arg(path);
        return false;
    }
    context().navigator().go(ui::Screen::Statement, m_app.balanceQuery());
    ui::StatementScreen *screen = m_app.statementScreen();
    if (!keepDialog(
            QStringLiteral("rendiconto-voci"), [&] { ui::CausaliDialog::edit(context(), screen); }))
        return false;
    settings.assign(
        Side::Payments, QStringLiteral("Assicurazione dei volontari"), QStringLiteral("U.A.2"));
    if (!settings.save(path))
        return false;
    child<QLineEdit>(screen, "txtAnno")->setText(QString::fromLatin1(kSampleYear));
    return screen->showStatement() && keep(QStringLiteral("rendiconto"), screen);
}

QString PictureTaker::takeAll()
{
    const bool taken = takeStart() && takeRegistry() && takeRenewal() && takeTools() && takeBook()
        && takeJournal() && takeStatement();
    if (!taken && m_failed.isEmpty())
        m_failed = QStringLiteral("a screen of the guide could not be built");
    return m_failed;
}

} // namespace

ScreenAlbum::ScreenAlbum(const QString &folder)
{
    PictureTaker taker(folder, m_pictures);
    m_error = taker.takeAll();
}

std::optional<QImage> ScreenAlbum::picture(const QString &name, QString &error) const
{
    const auto found = m_pictures.constFind(name);
    if (found != m_pictures.constEnd())
        return *found;
    error = QStringLiteral("the guide shows the screen \"%1\", which does not exist; the screens "
                           "are: %2")
                .arg(name, m_pictures.keys().join(QStringLiteral(", ")));
    return std::nullopt;
}

bool ScreenAlbum::savePictures(const QString &folder) const
{
    if (!QDir().mkpath(folder))
        return false;
    for (auto it = m_pictures.cbegin(); it != m_pictures.cend(); ++it) {
        if (!it.value().save(QDir(folder).filePath(it.key() + QStringLiteral(".png"))))
            return false;
    }
    return true;
}

} // namespace almavest::guide
