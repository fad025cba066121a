#include "report/ReportTemplate.h"

#include "report/Units.h"

#include <algorithm>

namespace almavest::report {

double lineHeightOf(const ReportObject &memo)
{
    if (memo.lineHeight > 0)
        return memo.lineHeight;
    return std::max(1.0, pointsToUnits(memo.fontPoints) * 1.2);
}

QSizeF ReportTemplate::paperSizeMillimetres() const
{
    const QSizeF upright(210, 297);
    return m_orientation == QPageLayout::Landscape ? upright.transposed() : upright;
}

ReportObject *ReportTemplate::findObject(const QString &name)
{
    for (Band &band : m_bands) {
        for (ReportObject &object : band.objects) {
            if (object.name == name)
                return &object;
        }
    }
    return nullptr;
}

Band *ReportTemplate::findBand(const QString &name)
{
    for (Band &band : m_bands) {
        if (band.name == name)
            return &band;
    }
    return nullptr;
}

bool ReportTemplate::setText(const QString &object, const QString &text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(u'\r', u'\n');
    return setLines(object, text.isEmpty() ? QStringList() : lines.split(u'\n'));
}

bool ReportTemplate::setLines(const QString &object, const QStringList &lines)
{
    ReportObject *memo = findObject(object);
    if (!memo || memo->kind != ObjectKind::Memo)
        return false;
    memo->lines = lines;
    // What the program writes in is data, never a template's expression: a member called
    // "Ditta [DATE] srl" prints as written.
    memo->expressions = false;
    return true;
}

bool ReportTemplate::setPicture(const QString &object, const QImage &picture)
{
    ReportObject *target = findObject(object);
    if (!target || target->kind != ObjectKind::Picture)
        return false;
    target->picture = picture;
    return true;
}

bool ReportTemplate::setHeight(const QString &objectOrBand, double units)
{
    units = std::max(0.0, units);
    if (ReportObject *object = findObject(objectOrBand)) {
        object->rect.setHeight(units);
        return true;
    }
    if (Band *band = findBand(objectOrBand)) {
        band->height = units;
        return true;
    }
    return false;
}

} // namespace almavest::report
