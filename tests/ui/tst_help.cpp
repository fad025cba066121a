// The help window and the maker's notice: every help control opens its topic, screens sharing a
// topic show the same text, the user guide link with and without Guida.pdf, the notice's link to
// the web page, the link colours, and the help window's size with a long text.
#include "AppFixture.h"

#include "TestFiles.h"
#include "ui/app/AppContext.h"
#include "ui/app/BackupWindow.h"
#include "ui/app/Launcher.h"
#include "ui/balance/BalanceSummary.h"
#include "ui/book/BookCreationScreen.h"
#include "ui/book/BookListScreen.h"
#include "ui/book/BookMenu.h"
#include "ui/book/BookPageScreen.h"
#include "ui/checks/TaxCodeMaker.h"
#include "ui/help/HelpWindow.h"
#include "ui/help/MakerNotice.h"
#include "ui/journal/JournalMenu.h"
#include "ui/journal/JournalYearMenu.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/registry/MemberCardScreen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>

#include <functional>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

// What a help window showed.
struct ShownHelp
{
    QString dialog;
    QString windowTitle;
    QString title;
    QString text;
    // The window's own look: its title and its Chiudi button once styled.
    QFont titleFont;
    QColor titleColour;
    QFont buttonFont;
    QSize buttonSize;
};

// Notes what `dialog`, a help window, showed and how it looked.
ShownHelp noteHelp(QDialog &dialog)
{
    ShownHelp shown;
    shown.dialog = QString::fromLatin1(dialog.metaObject()->className());
    shown.windowTitle = dialog.windowTitle();
    auto *title = control<QLabel>(&dialog, "lblTitolo");
    auto *button = control<QPushButton>(&dialog, "btnChiudi");
    title->ensurePolished();
    button->ensurePolished();
    shown.title = title->text();
    shown.text = control<QPlainTextEdit>(&dialog, "txtGuida")->toPlainText();
    shown.titleFont = title->font();
    shown.titleColour = title->palette().color(QPalette::WindowText);
    shown.buttonFont = button->font();
    shown.buttonSize = button->sizeHint();
    return shown;
}

// The paragraphs of a text box: runs of lines separated by one or more empty lines.
QStringList paragraphsOf(const QString &text)
{
    QStringList paragraphs = text.split(QRegularExpression(u"\\n\\s*\\n"_s), Qt::SkipEmptyParts);
    for (QString &paragraph : paragraphs)
        paragraph = paragraph.trimmed();
    paragraphs.removeAll(QString());
    return paragraphs;
}

void pressAndRelease(QWidget *widget)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, widget->rect().center());
    QTest::mouseRelease(widget, Qt::LeftButton, {}, widget->rect().center());
}

QColor textColour(QLabel *label)
{
    label->ensurePolished();
    return label->palette().color(QPalette::WindowText);
}

} // namespace

Q_DECLARE_METATYPE(ui::HelpTopic)

class TestHelp final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_app = std::make_unique<AppFixture>(); }
    void cleanup() { m_app.reset(); }

    void helpControlOpensItsTopic_data();
    void helpControlOpensItsTopic();
    void helpWindowKeepsItsOwnLook_data() { helpControlOpensItsTopic_data(); }
    void helpWindowKeepsItsOwnLook();
    void menusKeepTheirOwnLook_data();
    void menusKeepTheirOwnLook();
    void sharedTopicsShowTheSameText_data();
    void sharedTopicsShowTheSameText();
    void journalMenuTopicJoinsItsTwoApplications();
    void guideLinkOpensTheGuide_data();
    void guideLinkOpensTheGuide();
    void guideLinkTurnsOrangeWhilePressed_data();
    void guideLinkTurnsOrangeWhilePressed();
    void noticeLinkOpensTheWebPage_data();
    void noticeLinkOpensTheWebPage();
    void longTextScrollsInAWindowOfFixedSize();
    void windowsNameTheDataFolder_data();
    void windowsNameTheDataFolder();
    void installedProgramOpensItsOwnGuide();
    void noticeNamesTheSourcesOfThePlaces();
    void topicFilesAreRead_data();
    void topicFilesAreRead();

private:
    ui::AppContext &context() { return m_app->app().context(); }
    QWidget *screen(const QString &name);
    // Clicks the help control `control` of `screenName` and notes the help window it opened.
    ShownHelp openHelp(const QString &screenName, const char *control);
    // Opens the help window on a topic and hands it to `drive` while it is open.
    void withHelpWindow(const std::function<void(QDialog &)> &drive);

    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<QWidget> m_perUse;
};

QWidget *TestHelp::screen(const QString &name)
{
    ui::Application &app = m_app->app();
    const std::pair<const char *, QWidget *> resident[] = {
        {"avvio", app.launcher()},
        {"anagrafica", app.memberCardScreen()},
        {"menuRegistro", app.bookMenu()},
        {"creaRegistro", app.bookCreationScreen()},
        {"apriRegistro", app.bookListScreen()},
        {"registro", app.bookPageScreen()},
        {"menuPrimanota", app.journalMenu()},
        {"menuMovimenti", app.journalYearMenu()},
        {"movimenti", app.movementCardScreen()},
    };
    // The card screens build their controls on first use.
    app.memberCardScreen()->lblPosizione();
    app.bookPageScreen()->lblPosizione();
    app.movementCardScreen()->lblPosizione();
    for (const auto &[key, widget] : resident) {
        if (name == QLatin1String(key))
            return widget;
    }
    // The balance summary and the codice fiscale maker are made for each use.
    if (name == u"copie")
        m_perUse = std::make_unique<ui::BackupWindow>(context(), nullptr);
    else if (name == u"calcolaCF")
        m_perUse
            = std::make_unique<ui::TaxCodeMaker>(context(), nullptr, ui::TaxCodeMaker::Known {});
    else
        m_perUse = std::make_unique<ui::BalanceSummary>(context(), nullptr);
    return m_perUse.get();
}

ShownHelp TestHelp::openHelp(const QString &screenName, const char *control)
{
    ShownHelp shown;
    m_app->services.onNextDialog([&shown](QDialog &dialog) {
        shown = noteHelp(dialog);
        return 0;
    });
    QWidget *button = test::control<QWidget>(screen(screenName), control);
    if (!button->isEnabled())
        return shown;
    QMetaObject::invokeMethod(button, "clicked");
    return shown;
}

void TestHelp::withHelpWindow(const std::function<void(QDialog &)> &drive)
{
    m_app->services.onNextDialog([&drive](QDialog &dialog) {
        drive(dialog);
        return dialog.result();
    });
    ui::showHelpTopic(context(), nullptr, ui::HelpTopic::BookCreation);
}

void TestHelp::helpControlOpensItsTopic_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("paragraphs");
    const auto row = [](const char *name, const char *screen, const char *control,
                         const char *title, int paragraphs) {
        QTest::newRow(name) << QString::fromLatin1(screen) << QString::fromLatin1(control)
                            << QString::fromUtf8(title) << paragraphs;
    };
    row("launcher", "avvio", "imgGuida", "Uno sguardo a Almavest.", 51);
    row("member card", "anagrafica", "btnGuida", "Applicazione Archivio Anagrafico.", 10);
    row("book menu", "menuRegistro", "imgGuida", "Creazione e compilazione di un Libro Soci.", 8);
    row("book creation", "creaRegistro", "imgGuida", "Applicazione Creazione Libro Soci.", 3);
    row("book opening", "apriRegistro", "imgGuida", "Applicazione Compilazione Libro Soci.", 12);
    row("book page", "registro", "cmdGuida", "Applicazione Compilazione Libro Soci.", 12);
    row("journal menu", "menuPrimanota", "imgGuida", "Gestione di primanota e bilancio.", 23);
    row("year screen", "menuMovimenti", "imgGuida", "Applicazione Registrazione movimenti.", 13);
    row("movement card", "movimenti", "cmdGuida", "Applicazione Registrazione movimenti.", 13);
    row("balance summary", "bilancio", "imgGuida", "Applicazione Riepilogo primanota e bilancio.",
        4);
    row("codice fiscale maker", "calcolaCF", "btnGuida", "Calcolo del codice fiscale.", 5);
    row("backups", "copie", "btnGuida", "Copie di sicurezza dei dati.", 5);
}

void TestHelp::helpControlOpensItsTopic()
{
    QFETCH(QString, screen);
    QFETCH(QString, control);
    QFETCH(QString, title);
    QFETCH(int, paragraphs);
    const ShownHelp shown = openHelp(screen, control.toLatin1().constData());
    QCOMPARE(shown.dialog, u"almavest::ui::HelpWindow"_s);
    QCOMPARE(shown.windowTitle, u" Guida all'utilizzo del software"_s);
    QCOMPARE(shown.title, title);
    const QStringList found = paragraphsOf(shown.text);
    QCOMPARE(found.size(), paragraphs);
    // A paragraph is one line, wrapped by the box.
    for (const QString &paragraph : found)
        QVERIFY2(!paragraph.contains(u'\n'), qPrintable(paragraph));
    QVERIFY(m_app->services.messages.isEmpty());
}

// The look of the screen a help window is opened from stays on that screen: the title and the
// button look as in a help window opened on its own.
void TestHelp::helpWindowKeepsItsOwnLook()
{
    QFETCH(QString, screen);
    QFETCH(QString, control);
    ShownHelp own;
    withHelpWindow([&own](QDialog &dialog) { own = noteHelp(dialog); });
    QVERIFY(!own.titleFont.italic());
    const ShownHelp shown = openHelp(screen, control.toLatin1().constData());
    QCOMPARE(shown.titleFont.italic(), own.titleFont.italic());
    QCOMPARE(shown.titleFont.pointSizeF(), own.titleFont.pointSizeF());
    QCOMPARE(shown.titleColour, own.titleColour);
    QCOMPARE(shown.buttonFont.pointSizeF(), own.buttonFont.pointSizeF());
    QCOMPARE(shown.buttonSize, own.buttonSize);
}

void TestHelp::menusKeepTheirOwnLook_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<qreal>("choiceSize"); // the point size of a choice's text
    QTest::newRow("book menu") << u"menuRegistro"_s << u"btnCrea"_s << 12.0;
    QTest::newRow("journal menu") << u"menuPrimanota"_s << u"btnRegistra"_s
                                  << QApplication::font().pointSizeF();
}

// Kept to their own screens, the menus' rules still reach the menus' own title and choices.
void TestHelp::menusKeepTheirOwnLook()
{
    QFETCH(QString, screen);
    QFETCH(QString, choice);
    QFETCH(qreal, choiceSize);
    QWidget *menu = this->screen(screen);
    auto *title = control<QLabel>(menu, "lblTitolo");
    auto *button = control<QPushButton>(menu, choice.toLatin1().constData());
    title->ensurePolished();
    button->ensurePolished();
    QVERIFY(title->font().italic());
    QCOMPARE(title->font().pointSizeF(), 22.0);
    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(0x1F, 0x3A, 0x93));
    QCOMPARE(button->font().pointSizeF(), choiceSize);
}

void TestHelp::sharedTopicsShowTheSameText_data()
{
    QTest::addColumn<QString>("firstScreen");
    QTest::addColumn<QString>("firstControl");
    QTest::addColumn<QString>("secondScreen");
    QTest::addColumn<QString>("secondControl");
    QTest::newRow("book opening and page")
        << u"apriRegistro"_s << u"imgGuida"_s << u"registro"_s << u"cmdGuida"_s;
    QTest::newRow("year screen and movement card")
        << u"menuMovimenti"_s << u"imgGuida"_s << u"movimenti"_s << u"cmdGuida"_s;
}

void TestHelp::sharedTopicsShowTheSameText()
{
    QFETCH(QString, firstScreen);
    QFETCH(QString, firstControl);
    QFETCH(QString, secondScreen);
    QFETCH(QString, secondControl);
    const ShownHelp first = openHelp(firstScreen, firstControl.toLatin1().constData());
    const ShownHelp second = openHelp(secondScreen, secondControl.toLatin1().constData());
    QVERIFY(!first.text.isEmpty());
    QCOMPARE(second.title, first.title);
    QCOMPARE(second.text, first.text);
}

// The journal menu explains its applications, then gives the movement, balance and statement
// topics.
void TestHelp::journalMenuTopicJoinsItsTwoApplications()
{
    const QStringList menu = paragraphsOf(openHelp(u"menuPrimanota"_s, "imgGuida").text);
    const QStringList movements = paragraphsOf(openHelp(u"movimenti"_s, "cmdGuida").text);
    const QStringList balance = paragraphsOf(openHelp(u"bilancio"_s, "imgGuida").text);
    QCOMPARE(menu.mid(1, movements.size()), movements);
    QCOMPARE(menu.mid(1 + movements.size(), balance.size()), balance);
    const QStringList statement = ui::helpTopic(ui::HelpTopic::Statement).paragraphs;
    QCOMPARE(menu.mid(1 + movements.size() + balance.size()), statement);
}

void TestHelp::guideLinkOpensTheGuide_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("guidePresent");
    QTest::addColumn<bool>("opens"); // a program takes the file
    QTest::newRow("link, guide present") << u"lnkWeb"_s << true << true;
    QTest::newRow("picture, guide present") << u"imgPDF"_s << true << true;
    QTest::newRow("link, guide missing") << u"lnkWeb"_s << false << true;
    QTest::newRow("picture, guide missing") << u"imgPDF"_s << false << true;
    QTest::newRow("no program for PDF files") << u"lnkWeb"_s << true << false;
}

void TestHelp::guideLinkOpensTheGuide()
{
    QFETCH(QString, control);
    QFETCH(bool, guidePresent);
    QFETCH(bool, opens);
    const QString guide = m_app->file(u"Guida.pdf"_s);
    if (guidePresent)
        writeBytes(guide, "%PDF-1.4\n");
    if (!opens)
        m_app->services.failNextOpen();
    int resultAfterClick = -1;
    withHelpWindow([&](QDialog &dialog) {
        QTest::mouseClick(
            test::control<QWidget>(&dialog, control.toLatin1().constData()), Qt::LeftButton);
        resultAfterClick = dialog.result();
    });
    // The help window stays open either way.
    QCOMPARE(resultAfterClick, 0);
    if (guidePresent) {
        QCOMPARE(m_app->services.openedFiles, QStringList {guide});
        QCOMPARE(m_app->services.messages.size(), opens ? 0 : 1);
        if (!opens) {
            QCOMPARE(m_app->services.messages.first().kind, ui::MessageKind::Warning);
            QVERIFY(m_app->services.lastMessage().startsWith(
                u"Attenzione: non è stato possibile aprire la guida Guida.pdf."_s));
        }
    } else {
        QVERIFY(m_app->services.openedFiles.isEmpty());
        QCOMPARE(m_app->services.messages.size(), 1);
        QCOMPARE(m_app->services.messages.first().kind, ui::MessageKind::Warning);
        QVERIFY(m_app->services.lastMessage().contains(u"Guida.pdf"_s));
        QVERIFY(m_app->services.lastMessage().contains(QDir(m_app->folder()).absolutePath()));
    }
}

void TestHelp::guideLinkTurnsOrangeWhilePressed_data()
{
    QTest::addColumn<QString>("pressed");
    QTest::newRow("on the link") << u"lnkWeb"_s;
    QTest::newRow("on the picture") << u"imgPDF"_s;
}

void TestHelp::guideLinkTurnsOrangeWhilePressed()
{
    QFETCH(QString, pressed);
    QColor atRest, held, released;
    withHelpWindow([&](QDialog &dialog) {
        auto *link = test::control<QLabel>(&dialog, "lnkWeb");
        auto *target = test::control<QWidget>(&dialog, pressed.toLatin1().constData());
        atRest = textColour(link);
        QTest::mousePress(target, Qt::LeftButton, {}, target->rect().center());
        held = textColour(link);
        QTest::mouseRelease(target, Qt::LeftButton, {}, target->rect().center());
        released = textColour(link);
    });
    QCOMPARE(atRest, QColor(u"#00008B"_s));
    QCOMPARE(held, QColor(u"#FFA500"_s));
    QCOMPARE(released, QColor(u"#00008B"_s));
}

void TestHelp::noticeLinkOpensTheWebPage_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("opens"); // a browser takes the address
    QTest::newRow("link") << u"lnkWeb"_s << true;
    QTest::newRow("globe") << u"imgWeb"_s << true;
    QTest::newRow("no browser") << u"lnkWeb"_s << false;
}

void TestHelp::noticeLinkOpensTheWebPage()
{
    QFETCH(QString, control);
    QFETCH(bool, opens);
    if (!opens)
        m_app->services.failNextOpen();
    QString dialogClass, title;
    int resultAfterClick = -1;
    m_app->services.onNextDialog([&](QDialog &dialog) {
        dialogClass = QString::fromLatin1(dialog.metaObject()->className());
        title = dialog.windowTitle();
        pressAndRelease(test::control<QWidget>(&dialog, control.toLatin1().constData()));
        resultAfterClick = dialog.result();
        test::control<QAbstractButton>(&dialog, "btnChiudi")->click();
        return dialog.result();
    });
    QMetaObject::invokeMethod(
        screen(u"avvio"_s)->findChild<QWidget *>(u"imgCopyright"_s), "clicked");
    QCOMPARE(dialogClass, u"almavest::ui::MakerNotice"_s);
    QVERIFY2(title.startsWith(u" Almavest - "_s) && title.size() > 12, qPrintable(title));
    QCOMPARE(resultAfterClick, 0);
    QCOMPARE(m_app->services.openedAddresses, QStringList {u"https://www.almavest.it"_s});
    QCOMPARE(m_app->services.messages.size(), opens ? 0 : 1);
    if (!opens) {
        QCOMPARE(m_app->services.lastMessage(),
            u"Attenzione: non è stato possibile aprire la pagina https://www.almavest.it.\r\n\r\n"
            u"Verificare che nel computer sia installato un programma per la navigazione in "
            u"Internet."_s);
    }
}

// An installed program keeps its data away from itself; both windows say where.
void TestHelp::windowsNameTheDataFolder_data()
{
    QTest::addColumn<bool>("notice");
    QTest::newRow("help window") << false;
    QTest::newRow("maker's notice") << true;
}

void TestHelp::windowsNameTheDataFolder()
{
    QFETCH(bool, notice);
    QTemporaryDir data, installed;
    ui::Application program(m_app->services, data.path(), installed.path());
    QString shown;
    m_app->services.onNextDialog([&shown](QDialog &dialog) {
        shown = test::control<QLabel>(&dialog, "lblCartella")->text();
        return 0;
    });
    if (notice)
        ui::MakerNotice::showNotice(program.context(), nullptr);
    else
        ui::showHelpTopic(program.context(), nullptr, ui::HelpTopic::Tour);
    QCOMPARE(shown, u"Cartella dei dati: "_s + QDir::toNativeSeparators(data.path()));
}

// The lists of comuni and foreign states are used under licences that ask for their sources to
// be named where the program says who made it.
void TestHelp::noticeNamesTheSourcesOfThePlaces()
{
    QString shown;
    m_app->services.onNextDialog([&shown](QDialog &dialog) {
        shown = test::control<QLabel>(&dialog, "lblFonti")->text();
        return 0;
    });
    ui::MakerNotice::showNotice(m_app->app().context(), nullptr);
    for (const QString &part :
        {u"ANPR"_s, u"Ministero dell'Interno"_s, u"CC BY 4.0"_s, u"ISTAT"_s, u"CC BY 3.0 IT"_s})
        QVERIFY2(shown.contains(part), qPrintable(part));
}

// The guide is the program's own file, installed beside it, not one of the user's data.
void TestHelp::installedProgramOpensItsOwnGuide()
{
    QTemporaryDir data, installed;
    const QString guide = QDir(installed.path()).filePath(u"Guida.pdf"_s);
    QVERIFY(writeBytes(guide, "%PDF-1.4\n"));
    ui::Application program(m_app->services, data.path(), installed.path());
    m_app->services.onNextDialog([](QDialog &dialog) {
        QTest::mouseClick(test::control<QWidget>(&dialog, "lnkWeb"), Qt::LeftButton);
        return 0;
    });
    ui::showHelpTopic(program.context(), nullptr, ui::HelpTopic::MemberCard);
    QCOMPARE(m_app->services.openedFiles, QStringList {guide});
    QVERIFY(m_app->services.messages.isEmpty());
}

void TestHelp::longTextScrollsInAWindowOfFixedSize()
{
    ui::HelpWindow dialog(context(), nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QSize before = dialog.size();
    QCOMPARE(before, QSize(670, 572));

    ui::HelpText longTopic = ui::helpTopic(ui::HelpTopic::Tour);
    longTopic.title = u"Un titolo piuttosto lungo per vedere che la finestra non si allarga."_s;
    for (int copy = 0; copy < 3; ++copy)
        longTopic.paragraphs += longTopic.paragraphs;
    longTopic.paragraphs.append(QString(400, u'x'));
    dialog.showTopic(longTopic);
    QApplication::processEvents();

    QCOMPARE(dialog.size(), before);
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    auto *box = test::control<QPlainTextEdit>(&dialog, "txtGuida");
    QVERIFY(box->verticalScrollBar()->maximum() > 0);
    QVERIFY(box->isReadOnly());
    QCOMPARE(box->horizontalScrollBar()->maximum(), 0);
}

void TestHelp::topicFilesAreRead_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("paragraphs");
    QTest::newRow("one paragraph")
        << u"Titolo.\n\nUno."_s << u"Titolo."_s << QStringList {u"Uno."_s};
    QTest::newRow("windows line ends") << u"Titolo.\r\n\r\nUno.\r\n\r\nDue.\r\n"_s << u"Titolo."_s
                                       << QStringList {u"Uno."_s, u"Due."_s};
    QTest::newRow("paragraph over two lines, extra empty lines")
        << u"Titolo.\n\n\nUno\ne due.\n\n\n\nTre.\n\n"_s << u"Titolo."_s
        << QStringList {u"Uno e due."_s, u"Tre."_s};
    QTest::newRow("title only") << u"Titolo."_s << u"Titolo."_s << QStringList {};
}

void TestHelp::topicFilesAreRead()
{
    QFETCH(QString, source);
    QFETCH(QString, title);
    QFETCH(QStringList, paragraphs);
    const ui::HelpText text = ui::parseHelpText(source);
    QCOMPARE(text.title, title);
    QCOMPARE(text.paragraphs, paragraphs);
    QCOMPARE(text.text(), paragraphs.join(u"\r\n\r\n"_s));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
