#pragma once

#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>

// Lays out the user guide from its Markdown source as an A4 PDF: a cover, the table of contents
// with each section's page, every section from a new page, the screen pictures in their places
// and the page numbers in the footer.
namespace almavest::guide {

struct GuideCover
{
    QString title;
    QString subtitle;
    QString version;
};

// A section of the guide (a "# Title" of the source) and the page of the PDF it starts on.
struct GuideSection
{
    QString title;
    int page = 0;
};

// The picture called `name` in the source, or nothing after writing into `error` why it cannot
// be had.
using PictureSource = std::function<std::optional<QImage>(const QString &name, QString &error)>;

// The scheme of the picture addresses in the source: ![Caption](schermata:NAME).
inline constexpr char kPictureScheme[] = "schermata:";

class GuideComposer final
{
public:
    GuideComposer(GuideCover cover, PictureSource pictures);

    // Lays out `markdown` and writes the PDF at `pdfPath` through a temporary file; false, with
    // error() saying why, when a picture is missing or the file cannot be written.
    bool write(const QString &markdown, const QString &pdfPath);

    QString error() const { return m_error; }
    // What the last write() laid out.
    QList<GuideSection> sections() const { return m_sections; }
    // The size of every picture on the page, in points, in the order of the source.
    QList<QSizeF> pictureSizes() const { return m_pictureSizes; }
    // The width of the text column, in points.
    qreal textWidth() const { return m_textWidth; }

private:
    GuideCover m_cover;
    PictureSource m_pictures;
    QString m_error;
    QList<GuideSection> m_sections;
    QList<QSizeF> m_pictureSizes;
    qreal m_textWidth = 0;
};

} // namespace almavest::guide
