#pragma once

#include "store/WholeFile.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// The picture on the member card and how it reaches a file: a picture read from the card's own
// photo file is not written there again, and a JPEG the user chose is written with its own bytes
// rather than encoded anew, so saving a card never makes its photo worse or its file larger.
namespace almavest::ui {

class MemberPhoto final
{
public:
    const QImage &image() const { return m_image; }

    // Shows a picture that has no file of its own, such as the placeholder.
    void set(const QImage &image);
    // Reads a picture file the user chose; false, with the photo as it was, when it is none.
    [[nodiscard]] bool loadChosen(const QString &path);
    // Reads the card's own photo file; false, with the photo as it was, when it is missing or
    // is no picture.
    [[nodiscard]] bool loadCardFile(const QString &path);

    // Writes the photo to the card's photo file `path`, creating its folder, unless the file
    // already holds this very picture. After a failure the old file is untouched and the next
    // call tries again.
    [[nodiscard]] store::WriteFailure saveToCardFile(const QString &path);
    // Writes the photo to a file of the user's choice, replacing it whole.
    [[nodiscard]] store::WriteFailure saveCopy(const QString &path) const;

    // Why a photo could not be written, in words for the user, to follow "perché", with the
    // system's reason for this photo's last failed save.
    QString failureReason(store::WriteFailure failure, const QString &folder) const;
    // The warning after saveCopy() to `path` failed.
    QString copyFailureMessage(store::WriteFailure failure, const QString &path) const;

private:
    [[nodiscard]] bool load(const QString &path);
    QByteArray fileBytes() const;

    QImage m_image;
    QByteArray m_jpeg; // the picture's own JPEG file bytes, when it came from one
    QString m_savedAt; // the card photo file that holds exactly this picture
    mutable QString m_systemCause; // the system's reason for the last save that failed
};

} // namespace almavest::ui
