#include "ui/registry/MemberPhoto.h"

#include "app/ProgramFolder.h"
#include "app/SystemCause.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

namespace almavest::ui {

namespace {

constexpr int kJpegQuality = 90;

} // namespace

void MemberPhoto::set(const QImage &image)
{
    m_image = image;
    m_jpeg.clear();
    m_savedAt.clear();
}

bool MemberPhoto::loadChosen(const QString &path)
{
    if (!load(path))
        return false;
    m_savedAt.clear();
    return true;
}

bool MemberPhoto::loadCardFile(const QString &path)
{
    if (!load(path))
        return false;
    m_savedAt = path;
    return true;
}

bool MemberPhoto::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    const bool jpeg = reader.format() == "jpeg";
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    m_image = image;
    m_jpeg = jpeg ? bytes : QByteArray();
    return true;
}

QByteArray MemberPhoto::fileBytes() const
{
    if (!m_jpeg.isEmpty())
        return m_jpeg;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    return writer.write(m_image) ? bytes : QByteArray();
}

store::WriteFailure MemberPhoto::saveToCardFile(const QString &path)
{
    if (path == m_savedAt && QFileInfo::exists(path))
        return store::WriteFailure::None;
    m_systemCause.clear();
    // The card's photo folder lies in the program folder: neither the folder nor the photo may
    // be a link that leads elsewhere.
    const QString folder = QFileInfo(path).absolutePath();
    if (!store::staysInside(path, QFileInfo(folder).absolutePath()))
        return store::WriteFailure::OutsideLink;
    if (!app::createFolder(folder, &m_systemCause))
        return store::WriteFailure::Create;
    const store::WriteFailure failure = saveCopy(path);
    if (failure == store::WriteFailure::None)
        m_savedAt = path;
    return failure;
}

store::WriteFailure MemberPhoto::saveCopy(const QString &path) const
{
    m_systemCause.clear();
    const QByteArray bytes = fileBytes();
    if (bytes.isEmpty())
        return store::WriteFailure::Write;
    return store::writeWholeFile(path, bytes, &m_systemCause);
}

QString MemberPhoto::failureReason(store::WriteFailure failure, const QString &folder) const
{
    QString reason;
    switch (failure) {
    case store::WriteFailure::OutsideLink:
        return QStringLiteral("il file della foto o la cartella %1 è un collegamento che porta "
                              "fuori dalla cartella del programma: per sicurezza il programma non "
                              "vi scrive.")
            .arg(folder);
    case store::WriteFailure::Create:
        reason = QStringLiteral("la cartella %1 non può essere creata o non consente la scrittura.")
                     .arg(folder);
        break;
    case store::WriteFailure::None:
    case store::WriteFailure::Write:
        reason = QStringLiteral("non è stato possibile scrivere il file della foto: il disco "
                                "potrebbe essere pieno.");
        break;
    }
    // The words above guess; the system's own reason says what it was.
    return app::withSystemCause(reason, m_systemCause);
}

QString MemberPhoto::copyFailureMessage(store::WriteFailure failure, const QString &path) const
{
    return QStringLiteral("Attenzione: non è stato possibile salvare la foto perché ")
        + failureReason(failure, QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}

} // namespace almavest::ui
