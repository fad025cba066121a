#pragma once

#include <QImage>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// The pictures of the program's screens that the guide may show, each taken from the real
// screen built on the sample association and grabbed offscreen.
namespace almavest::guide {

class ScreenAlbum final
{
public:
    // Builds the whole program on `folder`, holding the sample association, and takes every
    // picture; ok() says whether each one could be taken. The pictures' names are the only
    // ones the guide's source may use.
    explicit ScreenAlbum(const QString &folder);

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    // The picture `name`, or nothing after writing into `error` that no such screen exists.
    std::optional<QImage> picture(const QString &name, QString &error) const;
    // Writes every picture as NAME.png into `folder`; false when one cannot be written.
    bool savePictures(const QString &folder) const;

private:
    QMap<QString, QImage> m_pictures;
    QString m_error;
};

} // namespace almavest::guide
