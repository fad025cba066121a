#include "ui/services/Services.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
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

// The program's texts break lines with "\r\n" or "\n\r"; a message box wants plain "\n".
QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

bool openAddressOrTell(Services &services, QWidget *owner, const QUrl &address)
{
    if (services.openAddress(owner, address))
        return true;
    const bool mail = address.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0;
    services.message(owner, MessageKind::Warning,
        mail ? QStringLiteral("Attenzione: non è stato possibile avviare il programma di posta "
                              "elettronica.\r\n\r\nVerificare che nel computer sia installato e "
                              "configurato un programma per l'invio dei messaggi e-mail.")
             : QStringLiteral("Attenzione: non è stato possibile aprire la pagina %1.\r\n\r\n"
                              "Verificare che nel computer sia installato un programma per la "
                              "navigazione in Internet.")
                   .arg(address.toDisplayString()));
    return false;
}

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
    QString chosenType;
    QString path = QFileDialog::getSaveFileName(owner, title, proposedName, filter, &chosenType);
    // A name typed without a suffix takes the one of the type chosen in the dialog, which is
    // what tells the caller the format.
    static const QRegularExpression firstSuffix(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch suffix = firstSuffix.match(chosenType);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty() && suffix.hasMatch())
        path += u'.' + suffix.captured(1);
    return path;
}

bool DesktopServices::openFile(QWidget *, const QString &path)
{
    // The desktop may report success for a file that is not there and open nothing.
    return QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopServices::openAddress(QWidget *, const QUrl &address)
{
    return address.isValid() && QDesktopServices::openUrl(address);
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
