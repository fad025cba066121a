// The real message boxes: their titles, icons, buttons in Italian and what each answer means.
#include "ui/services/Services.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

using namespace almavest::ui;

namespace {

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
    QString problem; // what went wrong while answering; the test fails on it
};

// Waits for the box to open, notes what it shows and presses the button captioned `press`. When
// something is wrong the box is closed all the same, so that the test goes on to fail on
// `problem` instead of waiting for a press that never comes.
void answerBox(SeenBox &seen, const QString &press)
{
    QTimer::singleShot(0, [&seen, press] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            seen.problem = QStringLiteral("no message box is open");
            if (modal)
                modal->close();
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        QPushButton *toPress = nullptr;
        for (QAbstractButton *button : box->buttons()) {
            const QString caption = button->text().remove(u'&');
            seen.buttons.append(caption);
            if (caption == press)
                toPress = qobject_cast<QPushButton *>(button);
        }
        seen.buttons.sort();
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text().remove(u'&');
        if (!toPress) {
            seen.problem = QStringLiteral("no button captioned ") + press;
            box->done(0);
            return;
        }
        toPress->click();
    });
}

} // namespace

class TestDesktopServices final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_italian.load(
            QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QCoreApplication::installTranslator(&m_italian);
    }

    void standardBoxes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("defaultButton");
        QTest::addColumn<bool>("goesOn");
        const QStringList okCancel = {QStringLiteral("Annulla"), QStringLiteral("OK")};
        const QStringList yesNo = {QStringLiteral("No"), QStringLiteral("Sì")};
        QTest::newRow("warning, OK")
            << int(MessageKind::Warning) << "OK"
            << "Warning" << int(QMessageBox::Warning) << okCancel << "OK" << true;
        QTest::newRow("warning, Cancel is the same")
            << int(MessageKind::Warning) << "Annulla"
            << "Warning" << int(QMessageBox::Warning) << okCancel << "OK" << true;
        QTest::newRow("error") << int(MessageKind::Error) << "OK"
                               << "Error" << int(QMessageBox::Critical) << okCancel << "OK" << true;
        QTest::newRow("information")
            << int(MessageKind::Information) << "Annulla"
            << "Information" << int(QMessageBox::Information) << okCancel << "OK" << true;
        QTest::newRow("question, yes")
            << int(MessageKind::Question) << "Sì"
            << "Confirm" << int(QMessageBox::Question) << yesNo << "Sì" << true;
        QTest::newRow("question, no stops")
            << int(MessageKind::Question) << "No"
            << "Confirm" << int(QMessageBox::Question) << yesNo << "Sì" << false;
    }

    void standardBoxes()
    {
        QFETCH(int, kind);
        QFETCH(QString, press);
        SeenBox seen;
        answerBox(seen, press);
        DesktopServices services;
        const bool goesOn = services.message(
            nullptr, MessageKind(kind), QStringLiteral("Primo.\n\r\n\rSecondo."));
        QVERIFY2(seen.problem.isEmpty(), qPrintable(seen.problem));
        QTEST(seen.title, "title");
        QTEST(int(seen.icon), "icon");
        QTEST(seen.buttons, "buttons");
        QTEST(seen.defaultButton, "defaultButton");
        QTEST(goesOn, "goesOn");
        // The program's "\n\r" line breaks come out as plain line breaks: one empty line between.
        QCOMPARE(seen.text, QStringLiteral("Primo.\n\nSecondo."));
    }

    void plainMessageHasNoTitleNorIcon()
    {
        SeenBox seen;
        answerBox(seen, QStringLiteral("OK"));
        DesktopServices().plainMessage(nullptr, QStringLiteral("Attenzione: password errata."));
        QVERIFY2(seen.problem.isEmpty(), qPrintable(seen.problem));
        QVERIFY(seen.title.isEmpty());
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, QStringList {QStringLiteral("OK")});
        QCOMPARE(seen.text, QStringLiteral("Attenzione: password errata."));
    }

    // A name typed without a suffix takes the suffix of the type chosen; one typed with a suffix
    // keeps it.
    void savedNameTakesTheTypeChosen_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::newRow("first type")
            << QStringLiteral("Elenco") << 0 << QStringLiteral("Elenco.xlsx");
        QTest::newRow("last type") << QStringLiteral("Elenco") << 2 << QStringLiteral("Elenco.xls");
        QTest::newRow("suffix typed")
            << QStringLiteral("Elenco.ods") << 0 << QStringLiteral("Elenco.ods");
    }
    void savedNameTakesTheTypeChosen()
    {
        QFETCH(QString, typed);
        QFETCH(int, type);
        QFETCH(QString, name);
        QTemporaryDir dir;
        QString problem;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                problem = QStringLiteral("no file dialog is open");
                return;
            }
            dialog->selectNameFilter(dialog->nameFilters().value(type));
            dialog->selectFile(typed);
            // Saving as the person does, with the dialog's own button.
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Save)->click();
        });
        const QString path = DesktopServices().saveFileName(nullptr, QStringLiteral("Salva"),
            QStringLiteral("Excel (*.xlsx);;OpenDocument (*.ods);;Excel 97 (*.xls)"),
            dir.filePath(QStringLiteral("Proposto.xlsx")));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(path, dir.filePath(name));
    }

    // The machines that run the tests have no camera; on one that has, it starts and stops.
    void systemCameraStartsOnlyWhenThereIsOne()
    {
        DesktopServices services;
        const std::unique_ptr<CameraSource> camera = services.camera();
        QVERIFY(!camera->isActive());
        const bool started = camera->start();
        QCOMPARE(camera->isActive(), started);
        camera->stop();
        camera->stop();
        QVERIFY(!camera->isActive());
    }

private:
    QTranslator m_italian;
};

QTEST_MAIN(TestDesktopServices)
#include "tst_desktopservices.moc"
