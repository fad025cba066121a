#include "attachments/AttachmentFolder.h"

#include "store/Cp1252.h"
#include "store/RecordTable.h"
#include "store/WholeFile.h"
#include "text/TextRoutines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace almavest::attachments {

namespace {

// Copies `source` to `target` through a temporary file renamed over `target` at the end; the
// system's reason for a failure goes into `error`.
bool copyWhole(const QString &source, const QString &target, QString &error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        error = in.errorString();
        return false;
    }
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly)) {
        error = out.errorString();
        return false;
    }
    constexpr qint64 kChunk = 1 << 20;
    while (!in.atEnd()) {
        errno = 0;
        const QByteArray bytes = in.read(kChunk);
        if (bytes.isEmpty() || out.write(bytes) != bytes.size()) {
            const int systemError = errno;
            error = store::failureReason(
                bytes.isEmpty() ? static_cast<QFileDevice &>(in) : out, systemError);
            out.cancelWriting();
            return false;
        }
    }
    // flush() reports a failure of the last buffered bytes that commit() could miss.
    errno = 0;
    if (out.flush() && out.commit())
        return true;
    error = store::failureReason(out, errno);
    return false;
}

} // namespace

bool isPlainFileName(QStringView name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20)
            return false;
    }
    return true;
}

bool fitsCard(QStringView name)
{
    if (!isPlainFileName(name) || text::trimmedView(name) != name)
        return false;
    const QByteArray stored = store::toCp1252(name);
    return stored.size() <= store::kAttachmentFields[0].capacity
        && store::fromCp1252(stored) == name;
}

AttachmentFolder::AttachmentFolder(const app::ProgramFolder &folder)
    : m_programFolder(folder)
    , m_path(folder.file(QLatin1String(kFolderName)))
{ }

QString AttachmentFolder::nameOf(const QString &chosenPath)
{
    return QFileInfo(chosenPath).fileName();
}

bool AttachmentFolder::isStoredCopy(const QString &chosenPath) const
{
    const std::optional<QString> stored = fileOf(nameOf(chosenPath));
    if (!stored)
        return false;
    const QString chosen = QFileInfo(chosenPath).canonicalFilePath();
    return !chosen.isEmpty() && chosen == QFileInfo(*stored).canonicalFilePath();
}

bool AttachmentFolder::holds(const QString &name) const
{
    const std::optional<QString> stored = fileOf(name);
    return stored && QFileInfo::exists(*stored);
}

StoreOutcome AttachmentFolder::store(const QString &chosenPath, QString *error) const
{
    QString reason;
    const auto failed = [&](StoreOutcome outcome) {
        if (error)
            *error = reason;
        return outcome;
    };
    const QString name = nameOf(chosenPath);
    if (!fitsCard(name))
        return StoreOutcome::UnfitName;
    if (!keepsInside(name))
        return StoreOutcome::OutsideLink;
    // Copying a file onto itself would first empty the only copy there is.
    if (isStoredCopy(chosenPath))
        return StoreOutcome::AlreadyThere;
    if (!app::createFolder(m_path, &reason))
        return failed(StoreOutcome::FolderFailed);
    if (!copyWhole(chosenPath, QDir(m_path).filePath(name), reason))
        return failed(StoreOutcome::CopyFailed);
    return StoreOutcome::Copied;
}

std::optional<QString> AttachmentFolder::fileOf(const QString &name) const
{
    if (!isPlainFileName(name))
        return std::nullopt;
    return QDir(m_path).filePath(name);
}

bool AttachmentFolder::keepsInside(const QString &name) const
{
    const std::optional<QString> file = fileOf(name);
    return file && m_programFolder.keepsInside(*file);
}

} // namespace almavest::attachments
