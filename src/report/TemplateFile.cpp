// Reading a template file: JSON with the page, named styles and the bands with their objects.
#include "report/ReportTemplate.h"

#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <mutex>

// The templates live in the static report library, whose resource initialiser the linker would
// otherwise drop.
static void initialiseTemplates()
{
    Q_INIT_RESOURCE(templates);
}

namespace almavest::report {

using namespace Qt::StringLiterals;

namespace {

bool readNumbers(const QJsonValue &value, qsizetype count, std::vector<double> &numbers)
{
    const QJsonArray array = value.toArray();
    if (array.size() != count)
        return false;
    numbers.clear();
    for (const QJsonValue item : array) {
        if (!item.isDouble())
            return false;
        numbers.push_back(item.toDouble());
    }
    return true;
}

// An absent key keeps `colour` as it is; "none" is no colour.
bool readColour(const QJsonValue &value, QColor &colour)
{
    if (value.isUndefined())
        return true;
    const QString text = value.toString();
    if (text == u"none") {
        colour = QColor();
        return true;
    }
    colour = QColor::fromString(text);
    return colour.isValid();
}

bool readAlignment(const QJsonObject &json, Qt::Alignment &alignment)
{
    static const QHash<QString, Qt::Alignment> horizontal {
        {u"left"_s, Qt::AlignLeft}, {u"center"_s, Qt::AlignHCenter}, {u"right"_s, Qt::AlignRight}};
    static const QHash<QString, Qt::Alignment> vertical {
        {u"top"_s, Qt::AlignTop}, {u"center"_s, Qt::AlignVCenter}};
    const QString h = json.value("align"_L1).toString(u"left"_s);
    const QString v = json.value("valign"_L1).toString(u"top"_s);
    if (!horizontal.contains(h) || !vertical.contains(v))
        return false;
    alignment = horizontal.value(h) | vertical.value(v);
    return true;
}

// Drawn (SVG) pictures are rendered when the template is read, at four pixels a unit, which is
// sharper than a 300 dpi page needs.
bool readPicture(const QString &path, const QRectF &box, QImage &image)
{
    if (path.isEmpty())
        return true;
    QImageReader reader(path);
    const QSize natural = reader.size();
    if (reader.format() == "svg" && natural.isValid())
        reader.setScaledSize(natural.scaled((box.size() * 4).toSize(), Qt::KeepAspectRatio));
    image = reader.read();
    return !image.isNull();
}

bool readMemo(const QJsonObject &json, ReportObject &memo)
{
    memo.fontFamily = json.value("font"_L1).toString(memo.fontFamily);
    memo.fontPoints = json.value("size"_L1).toDouble(memo.fontPoints);
    memo.bold = json.value("bold"_L1).toBool(false);
    memo.expressions = json.value("expressions"_L1).toBool(false);
    memo.lineHeight = json.value("lineHeight"_L1).toDouble(0);
    const QString text = json.value("text"_L1).toString();
    if (!text.isEmpty())
        memo.lines = text.split(u'\n');
    // Text is never wrapped: a line wider than its memo is cut at the edge.
    if (json.value("wordWrap"_L1).toBool(false))
        return false;
    return memo.fontPoints > 0 && readColour(json.value("color"_L1), memo.textColor)
        && readAlignment(json, memo.alignment);
}

bool readObject(const QJsonObject &json, ReportObject &object)
{
    static const QHash<QString, ObjectKind> kinds {{u"memo"_s, ObjectKind::Memo},
        {u"picture"_s, ObjectKind::Picture}, {u"shape"_s, ObjectKind::Shape},
        {u"line"_s, ObjectKind::Line}};
    const QString kind = json.value("kind"_L1).toString();
    std::vector<double> rect;
    if (!kinds.contains(kind) || !readNumbers(json.value("rect"_L1), 4, rect))
        return false;
    object.kind = kinds.value(kind);
    object.name = json.value("name"_L1).toString();
    object.rect = QRectF(rect[0], rect[1], rect[2], rect[3]);
    if (!readColour(json.value("fill"_L1), object.fill)
        || !readColour(json.value("border"_L1), object.border))
        return false;
    switch (object.kind) {
    case ObjectKind::Memo:
        return readMemo(json, object);
    case ObjectKind::Picture:
        object.centred = json.value("centred"_L1).toBool(true);
        return readPicture(json.value("picture"_L1).toString(), object.rect, object.picture);
    case ObjectKind::Shape:
    case ObjectKind::Line:
        return true;
    }
    return false;
}

// An object's keys over those of the style it names.
bool withStyle(const QJsonObject &styles, const QJsonObject &json, QJsonObject &merged)
{
    const QString style = json.value("style"_L1).toString();
    if (!style.isEmpty() && !styles.contains(style))
        return false;
    merged = styles.value(style).toObject();
    for (auto it = json.constBegin(); it != json.constEnd(); ++it)
        merged.insert(it.key(), it.value());
    return true;
}

bool readBand(const QJsonObject &json, const QJsonObject &styles, Band &band)
{
    static const QHash<QString, BandKind> kinds {{u"page"_s, BandKind::Page},
        {u"reportTitle"_s, BandKind::ReportTitle}, {u"masterData"_s, BandKind::MasterData},
        {u"footer"_s, BandKind::Footer}};
    const QString kind = json.value("kind"_L1).toString();
    if (!kinds.contains(kind))
        return false;
    band.kind = kinds.value(kind);
    band.name = json.value("name"_L1).toString();
    band.top = json.value("top"_L1).toDouble(0);
    band.height = json.value("height"_L1).toDouble(0);
    band.canSplit = json.value("canSplit"_L1).toBool(false);
    if (band.height < 0)
        return false;
    for (const QJsonValue item : json.value("objects"_L1).toArray()) {
        QJsonObject merged;
        ReportObject object;
        if (!withStyle(styles, item.toObject(), merged) || !readObject(merged, object))
            return false;
        band.objects.push_back(std::move(object));
    }
    return true;
}

} // namespace

std::optional<ReportTemplate> ReportTemplate::load(const QString &path)
{
    static std::once_flag resources;
    std::call_once(resources, initialiseTemplates);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(file.readAll(), &error).object();
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;

    ReportTemplate result;
    result.m_name = json.value("name"_L1).toString();
    const QString orientation = json.value("orientation"_L1).toString();
    std::vector<double> margins;
    if (json.value("paper"_L1).toString(u"A4"_s) != u"A4"
        || (orientation != u"portrait" && orientation != u"landscape")
        || !readNumbers(json.value("margins"_L1), 4, margins))
        return std::nullopt;
    result.m_orientation
        = orientation == u"landscape" ? QPageLayout::Landscape : QPageLayout::Portrait;
    result.m_margins = QMarginsF(margins[0], margins[1], margins[2], margins[3]);

    const QJsonObject styles = json.value("styles"_L1).toObject();
    for (const QJsonValue item : json.value("bands"_L1).toArray()) {
        Band band;
        if (!readBand(item.toObject(), styles, band))
            return std::nullopt;
        result.m_bands.push_back(std::move(band));
    }
    return result;
}

} // namespace almavest::report
