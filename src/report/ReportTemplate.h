#pragma once

#include "report/Fonts.h"

#include <QColor>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A report template: one A4 page with bands (a report title, a master data band printed once
// that may split across pages, a footer printed once after it) or objects placed straight on
// the page; memos, pictures, rectangles and lines. Positions are in units of 1/96 inch, paper and
// margins in millimetres. Templates are data files in the resources, read by load().
namespace almavest::report {

enum class ObjectKind { Memo, Picture, Shape, Line };
enum class BandKind { Page, ReportTitle, MasterData, Footer };

struct ReportObject
{
    QString name;
    ObjectKind kind = ObjectKind::Memo;
    QRectF rect; // in units, relative to its band (or to the printable area)
    // Memo
    QStringList lines;
    QColor fill; // invalid: no fill
    QString fontFamily = QString::fromLatin1(fonts::kArial);
    double fontPoints = 10;
    bool bold = false;
    QColor textColor = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    // "[DATE]" in the template's own text is replaced when on; text written in through setText()
    // or setLines() is data and is never read as an expression.
    bool expressions = false;
    double lineHeight = 0; // units from one line to the next; 0: from the font size
    // Picture
    QImage picture;
    bool centred = true;
    // Shape, and the colour of a line
    QColor border = Qt::black;
};

// The distance between two lines of a memo, in units: its own line height, or 1.2 times the
// font size. Pages break between whole lines of this height.
double lineHeightOf(const ReportObject &memo);

struct Band
{
    QString name;
    BandKind kind = BandKind::Page;
    double top = 0; // units; the order of the bands on the page
    double height = 0; // units
    bool canSplit = false;
    std::vector<ReportObject> objects;
};

class ReportTemplate final
{
public:
    // Reads a template file (e.g. ":/templates/summary.json"); nullopt when it cannot be read.
    static std::optional<ReportTemplate> load(const QString &path);

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    QPageLayout::Orientation orientation() const { return m_orientation; }
    void setOrientation(QPageLayout::Orientation orientation) { m_orientation = orientation; }
    QMarginsF marginsMillimetres() const { return m_margins; }
    // A4 in the template's orientation: 210 x 297 mm upright, 297 x 210 mm on its side.
    QSizeF paperSizeMillimetres() const;

    // Objects and bands by name; nullptr when there is none.
    ReportObject *findObject(const QString &name);
    Band *findBand(const QString &name);

    // The operations the screens use; each returns false when the object does not exist. Texts
    // set here print as they stand.
    bool setText(const QString &object, const QString &text);
    bool setLines(const QString &object, const QStringList &lines);
    bool setPicture(const QString &object, const QImage &picture);
    bool setHeight(const QString &objectOrBand, double units);

    const std::vector<Band> &bands() const { return m_bands; }
    std::vector<Band> &bands() { return m_bands; }

private:
    QString m_name;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QMarginsF m_margins {10, 10, 10, 10};
    std::vector<Band> m_bands;
};

} // namespace almavest::report
