#include "ui/conventions/Window.h"

#include "ui/services/Services.h"

#include <QAbstractButton>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

namespace almavest::ui {

void makeDialogWindow(QWidget *window)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(window->size());
}

void centreWindow(QWidget *window, const QWidget *over)
{
    const QRect area = over && over->isVisible()
        ? over->frameGeometry()
        : QGuiApplication::primaryScreen()->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

int runPerUseDialog(Services &services, QDialog &dialog)
{
    centreWindow(&dialog, dialog.parentWidget());
    return services.execDialog(dialog);
}

void applyHandCursor(QWidget *root)
{
    const auto buttons = root->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons)
        button->setCursor(Qt::PointingHandCursor);
}

QLabel *namedLabel(const char *name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace almavest::ui
