#include "attachments/AttachmentFolder.h"

#include "store/Cp1252.h"
#include "store/RecordTable.h"
#include "text/TextRoutines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace almavest::attachments {

namespace {

// Copies `source` to `target` through a temporary file renamed over `target` at the end.
bool copyWhole(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    constexpr qint64 kChunk = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray bytes = in.read(kChunk);
        if (bytes.isEmpty() || out.write(bytes) != bytes.size()) {
            out.cancelWriting();
            return false;
        }
    }
    // flush() reports a failure of the last buffered bytes that commit() could miss.
    return out.flush() && out.commit();
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
    : m_path(folder.file(QLatin1String(kFolderName)))
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

StoreOutcome AttachmentFolder::store(const QString &chosenPath) const
{
    const QString name = nameOf(chosenPath);
    if (!fitsCard(name))
        return StoreOutcome::UnfitName;
    // Copying a file onto itself would first empty the only copy there is.
    if (isStoredCopy(chosenPath))
        return StoreOutcome::AlreadyThere;
    if (!app::createFolder(m_path))
        return StoreOutcome::FolderFailed;
    return copyWhole(chosenPath, QDir(m_path).filePath(name)) ? StoreOutcome::Copied
                                                              : StoreOutcome::CopyFailed;
}

std::optional<QString> AttachmentFolder::fileOf(const QString &name) const
{
    if (!isPlainFileName(name))
        return std::nullopt;
    return QDir(m_path).filePath(name);
}

} // namespace almavest::attachments
