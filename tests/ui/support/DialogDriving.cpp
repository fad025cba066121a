#include "DialogDriving.h"

#include "ui/conventions/ScanRunner.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QImage>
#include <QItemSelectionModel>
#include <QListView>
#include <QPixmap>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include <algorithm>

namespace almavest::test {

void pickLine(QListView *list, int row, Pick how)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->setCurrentIndex(index);
    if (how == Pick::Enter) {
        QTest::keyClick(list, Qt::Key_Return);
        return;
    }
    list->scrollTo(index);
    // As the window system sends it: a click, then the second press as a double click.
    const QPoint centre = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

bool linesLookDifferent(QListView *list, int first, int second, double scroll)
{
    list->selectionModel()->clear();
    list->setCurrentIndex(QModelIndex());
    QScrollBar *sideways = list->horizontalScrollBar();
    sideways->setValue(sideways->minimum()
        + int(scroll * double(sideways->maximum() - sideways->minimum()) + 0.5));
    QCoreApplication::processEvents();
    const QImage shot = list->viewport()->grab().toImage();
    const auto lineShot = [&](int row) {
        const QRect line = list->visualRect(list->model()->index(row, 0));
        return shot.copy(QRect(0, line.top(), shot.width(), line.height()));
    };
    return lineShot(first) != lineShot(second);
}

void leaveDialog(QDialog &dialog, Leave way, const char *button)
{
    switch (way) {
    case Leave::Button:
        dialog.findChild<QAbstractButton *>(QLatin1String(button))->click();
        break;
    case Leave::Escape:
        QTest::keyClick(&dialog, Qt::Key_Escape);
        break;
    case Leave::Close:
        dialog.close();
        break;
    }
}

void waitForScan(QWidget *window)
{
    const auto running = [window] {
        const auto runners = window->findChildren<ui::ScanRunner *>();
        return std::any_of(runners.cbegin(), runners.cend(),
            [](const ui::ScanRunner *runner) { return runner->isRunning(); });
    };
    QTRY_VERIFY_WITH_TIMEOUT(!running(), 30000);
}

} // namespace almavest::test
