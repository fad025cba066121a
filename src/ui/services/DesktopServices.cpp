#include "ui/services/Services.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace almavest::ui {

namespace {

struct BoxLook
{
    QMessageBox::Icon icon;
    const char *title;
};

BoxLook lookOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return {QMessageBox::Warning, "Warning"};
    case MessageKind::Error:
        return {QMessageBox::Critical, "Error"};
    case MessageKind::Information:
        return {QMessageBox::Information, "Information"};
    case MessageKind::Question:
        return {QMessageBox::Question, "Confirm"};
    }
    return {QMessageBox::NoIcon, ""};
}

// The shell receives a command that may be wrapped in double quotes, as a command line would
// have it; a URL needs the bare text.
QUrl urlOf(QString command)
{
    if (command.size() >= 2 && command.startsWith(u'"') && command.endsWith(u'"'))
        command = command.mid(1, command.size() - 2);
    if (command.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)
        || command.contains(QLatin1String("://")))
        return QUrl(command);
    if (command.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + command);
    return QUrl::fromLocalFile(command);
}

// The program's texts break lines with "\r\n" or "\n\r"; a message box wants plain "\n".
QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

bool DesktopServices::message(QWidget *owner, MessageKind kind, const QString &text)
{
    const BoxLook look = lookOf(kind);
    QMessageBox box(look.icon, QString::fromLatin1(look.title), displayText(text),
        QMessageBox::NoButton, owner);
    if (kind == MessageKind::Question) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
    }
    return box.exec() != QMessageBox::No;
}

void DesktopServices::plainMessage(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), displayText(text), QMessageBox::Ok, owner);
    box.exec();
}

QString DesktopServices::openFileName(QWidget *owner, const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(owner, title, QString(), filter);
}

QString DesktopServices::saveFileName(
    QWidget *owner, const QString &title, const QString &filter, const QString &proposedName)
{
    return QFileDialog::getSaveFileName(owner, title, proposedName, filter);
}

void DesktopServices::shellOpen(const QString &command)
{
    QDesktopServices::openUrl(urlOf(command));
}

QDate DesktopServices::today() const
{
    return QDate::currentDate();
}

QDateTime DesktopServices::now() const
{
    return QDateTime::currentDateTime();
}

int DesktopServices::execDialog(QDialog &dialog)
{
    return dialog.exec();
}

} // namespace almavest::ui
