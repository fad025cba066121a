// The preview window: its title, zoom, page miniatures, print button and close.
#include "report/PreparedReport.h"
#include "report/PreviewWindow.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QTest>

using namespace almavest::report;
using namespace Qt::StringLiterals;

namespace {

PreparedReport fourPages()
{
    QStringList lines;
    for (int n = 1; n <= 200; ++n)
        lines << u"riga %1"_s.arg(n);
    return *prepareSummary(u"Riepilogo"_s, lines, QDate(2026, 12, 10), u"Primanota"_s);
}

QAction *command(const PreviewWindow &window, const char *name)
{
    auto *action = window.findChild<QAction *>(QString::fromLatin1(name));
    if (!action)
        qFatal("no action %s", name);
    return action;
}

QString label(const PreviewWindow &window, const char *name)
{
    return window.findChild<QLabel *>(QString::fromLatin1(name))->text();
}

} // namespace

class TestPreviewWindow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensAtFullSize();
    void zoomCommands();
    void thumbnailsBringPagesIntoView();
    void printAndClose();
};

void TestPreviewWindow::opensAtFullSize()
{
    const PreviewWindow window(fourPages(), {});
    QCOMPARE(window.windowTitle(), u"Primanota"_s);
    QVERIFY(window.isModal());
    QCOMPARE(window.zoom(), 1.0);
    QCOMPARE(label(window, "zoomLabel"), u"Zoom 100%"_s);
    QCOMPARE(label(window, "pageLabel"), u"Pagina 1 di 4"_s);
    const QStringList captions {u"Stampa"_s, u"Riduci"_s, u"Ingrandisci"_s, u"100%"_s,
        u"Pagina intera"_s, u"Schermo intero"_s, u"Miniature"_s, u"Chiudi"_s};
    QStringList shown;
    for (const QAction *action : window.findChildren<QAction *>()) {
        if (!action->isSeparator() && !action->text().isEmpty())
            shown << action->text();
    }
    for (const QString &caption : captions)
        QVERIFY2(shown.contains(caption), qPrintable(caption));
}

void TestPreviewWindow::zoomCommands()
{
    PreviewWindow window(fourPages(), {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    command(window, "zoomInAction")->trigger();
    QCOMPARE(window.zoom(), 1.25);
    QCOMPARE(label(window, "zoomLabel"), u"Zoom 125%"_s);
    command(window, "zoomOutAction")->trigger();
    command(window, "zoomOutAction")->trigger();
    QCOMPARE(window.zoom(), 0.75);
    command(window, "actualSizeAction")->trigger();
    QCOMPARE(window.zoom(), 1.0);

    // A whole landscape page fits in the window.
    command(window, "fitPageAction")->trigger();
    const QWidget *page = window.findChild<QWidget *>(u"pageView"_s);
    const QSize room = window.findChild<QScrollArea *>()->viewport()->size();
    QVERIFY(window.zoom() < 1.0);
    QVERIFY(page->width() <= room.width());
    QVERIFY(paperSizeUnits(fourPages()).height() * window.zoom() <= room.height());
}

void TestPreviewWindow::thumbnailsBringPagesIntoView()
{
    PreviewWindow window(fourPages(), {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *thumbnails = window.findChild<QListWidget *>(u"thumbnailList"_s);
    QVERIFY(!thumbnails->isVisible());
    command(window, "thumbnailsAction")->trigger();
    QVERIFY(thumbnails->isVisible());
    QCOMPARE(thumbnails->count(), 4);
    QVERIFY(!thumbnails->item(0)->icon().isNull());

    thumbnails->setCurrentRow(2);
    QCOMPARE(window.currentPage(), 2);
    QCOMPARE(label(window, "pageLabel"), u"Pagina 3 di 4"_s);
    window.showPage(3);
    QCOMPARE(thumbnails->currentRow(), 3);
    command(window, "thumbnailsAction")->trigger();
    QVERIFY(!thumbnails->isVisible());
}

void TestPreviewWindow::printAndClose()
{
    int prints = 0;
    PreviewWindow window(fourPages(), [&prints] { ++prints; });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    command(window, "printAction")->trigger();
    QCOMPARE(prints, 1);
    QVERIFY(window.isVisible());
    command(window, "closeAction")->trigger();
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Rejected));
}

QTEST_MAIN(TestPreviewWindow)
#include "tst_previewwindow.moc"
