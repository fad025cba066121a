#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QString>

// Files that are always written whole: settings, photos, exports.
namespace almavest::store {

// The system's reason for the failure `file` reports. A write the system cut short, as a full
// disk does, leaves the file with no reason of its own: `systemError` (errno just after the
// failing call) then tells it.
QString failureReason(const QFileDevice &file, int systemError);

enum class WriteFailure {
    None,
    Create, // no file can be made in the folder: it is missing or may not be written
    Write, // the bytes could not all be written, as on a full disk
    OutsideLink, // the file or a folder on its way is a link that leads out of its folder
};

// Whether `path`, with every link on its way followed, names a place inside `folder` (or the
// folder itself). A dangling link counts where its target would be made; a loop of links, or a
// link that leads out of `folder`, does not stay inside. `path` is named under `folder`.
[[nodiscard]] bool staysInside(const QString &path, const QString &folder);

// What the user is told when the file or folder named `name` is a link out of the program
// folder, which the program neither opens nor writes through.
QString outsideLinkMessage(const QString &name);

// Replaces the file at `path` with `bytes`: they go to a temporary file in the same folder that
// is flushed to the disk and then renamed over the old file, so after a failure the old file is
// still whole and nothing new is left behind. A file that is a link out of its folder is never
// written through. `error`, when given, receives the reason for a failure.
[[nodiscard]] WriteFailure writeWholeFile(
    const QString &path, QByteArrayView bytes, QString *error = nullptr);

// A file made again from the archives whenever it is asked for, such as an export, written as
// a stream: the bytes go to a temporary file in the same folder that commit() renames over the
// old file, so a failure leaves the old file whole and nothing new behind. Unlike
// writeWholeFile() it does not wait for the disk to hold the bytes before the rename.
class RebuiltFile final
{
public:
    explicit RebuiltFile(const QString &path);
    ~RebuiltFile(); // removes the temporary file unless commit() has replaced the old one
    RebuiltFile(const RebuiltFile &) = delete;
    RebuiltFile &operator=(const RebuiltFile &) = delete;

    // Makes the temporary file; false when the folder takes no new file, or the file is a link
    // out of its folder.
    [[nodiscard]] bool open();
    // Appends `bytes`; after a failure every further write fails too.
    [[nodiscard]] bool write(QByteArrayView bytes);
    // Puts the file written in place of the old one.
    [[nodiscard]] WriteFailure commit();
    // The system's reason for the last failure.
    QString errorString() const { return m_error; }

private:
    void discard();

    QString m_path;
    QFile m_temporary;
    QString m_error;
    bool m_failed = false;
};

} // namespace almavest::store
