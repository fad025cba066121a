#include "GuideServices.h"

#include <QDialog>

namespace almavest::guide {

bool GuideServices::message(QWidget *, ui::MessageKind, const QString &text)
{
    messages.append(text);
    return false;
}

void GuideServices::plainMessage(QWidget *, const QString &text)
{
    messages.append(text);
}

QString GuideServices::openFileName(QWidget *, const QString &title, const QString &)
{
    messages.append(QStringLiteral("file dialog: ") + title);
    return {};
}

QString GuideServices::saveFileName(
    QWidget *, const QString &title, const QString &, const QString &)
{
    messages.append(QStringLiteral("file dialog: ") + title);
    return {};
}

int GuideServices::execDialog(QDialog &dialog)
{
    if (!m_handler) {
        messages.append(QStringLiteral("unexpected dialog ")
            + QString::fromLatin1(dialog.metaObject()->className()));
        return QDialog::Rejected;
    }
    const auto handler = std::move(m_handler);
    m_handler = nullptr;
    dialog.show();
    handler(dialog);
    dialog.hide();
    return QDialog::Rejected;
}

} // namespace almavest::guide
