// The template files and the operations the screens use on a template: reading, finding objects,
// writing texts, pictures, heights and the orientation, and the member card templates' layout.
#include "PageModel.h"

#include "report/PreparedReport.h"
#include "report/ReportTemplate.h"
#include "report/Units.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace almavest;
using namespace almavest::report;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 12, 10);
const QString kCard = u":/templates/member-card.json"_s;
const QString kPhotoCard = u":/templates/member-card-photo.json"_s;

ReportTemplate loaded(const QString &path)
{
    std::optional<ReportTemplate> report = ReportTemplate::load(path);
    if (!report)
        qFatal("cannot read %s", qPrintable(path));
    return *report;
}

} // namespace

class TestReportTemplates final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void summaryTemplate_data();
    void summaryTemplate();
    void cardObjectsInPlace_data();
    void cardObjectsInPlace();
    void cardLook();
    void cardMemosLeaveBracketsAlone();
    void photoScaledAndCentred_data();
    void photoScaledAndCentred();
    void orientationSwapsThePaper();
    void unknownNamesAreRefused();
    void textBecomesLines();
    void brokenFilesAreRefused_data();
    void brokenFilesAreRefused();
};

void TestReportTemplates::summaryTemplate_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QString>("font");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("fill");
    QTest::newRow("title") << u"txtTitolo"_s << QRectF(7.55906, 3.77953, 1031.81169, 18.89765)
                           << u"Verdana"_s << 9.0 << true << QColor(0x708090);
    QTest::newRow("body") << u"txtRiepilogo"_s << QRectF(11.33859, 0, 1031.81169, 102.04731)
                          << u"Courier New"_s << 8.0 << false << QColor();
    QTest::newRow("date line") << u"txtPagina"_s << QRectF(11.33859, 7.55906, 1028.03216, 18.89765)
                               << u"Verdana"_s << 8.0 << true << QColor(0x708090);
}

void TestReportTemplates::summaryTemplate()
{
    QFETCH(QString, object);
    QFETCH(QRectF, rect);
    QFETCH(QString, font);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(QColor, fill);
    ReportTemplate summary = loaded(u":/templates/summary.json"_s);
    QCOMPARE(summary.name(), u"Riepilogo dati"_s);
    QCOMPARE(summary.orientation(), QPageLayout::Landscape);
    QCOMPARE(summary.marginsMillimetres(), QMarginsF(10, 10, 10, 10));
    const Band *body = summary.findBand(u"MasterData"_s);
    QVERIFY(body);
    QVERIFY(body->canSplit);
    QCOMPARE(body->kind, BandKind::MasterData);

    const ReportObject *memo = summary.findObject(object);
    QVERIFY(memo);
    QCOMPARE(memo->rect, rect);
    QCOMPARE(memo->fontFamily, font);
    QCOMPARE(memo->fontPoints, points);
    QCOMPARE(memo->bold, bold);
    QCOMPARE(memo->fill, fill);
    QVERIFY(memo->expressions);
}

void TestReportTemplates::cardObjectsInPlace_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QRectF>("millimetres"); // from the corner of the printable area
    const QString card = kCard;
    const QString photo = kPhotoCard;
    for (const QString &file : {card, photo}) {
        const char *tag = file == card ? "without photo: " : "with photo: ";
        auto row = [&](const char *what) -> QTestData & {
            return QTest::newRow(QByteArray(tag).append(what).constData());
        };
        row("folder icon") << file << u"folderIcon"_s << QRectF(3, 3, 17, 13);
        row("title") << file << u"txtTitolo"_s << QRectF(23, 3, 165, 9);
        row("first separator") << file << u"linSepara01"_s << QRectF(23, 16, 165, 0);
        row("last separator") << file << u"linSepara02"_s << QRectF(3, 265, 185, 0);
        row("footer") << file << u"txtCalce"_s << QRectF(3, 269, 185, 6);
    }
    QTest::newRow("without photo: row 1 caption")
        << card << u"titCampo01"_s << QRectF(3, 24, 52, 6);
    QTest::newRow("without photo: row 1 value")
        << card << u"txtCampo01"_s << QRectF(60, 24, 128, 6);
    QTest::newRow("without photo: row 18 value")
        << card << u"txtCampo18"_s << QRectF(60, 194, 128, 6);
    QTest::newRow("without photo: notes box") << card << u"notesBox"_s << QRectF(3, 204, 185, 57);
    QTest::newRow("without photo: notes label")
        << card << u"notesCaption"_s << QRectF(4, 205, 34, 4);
    QTest::newRow("with photo: photo") << photo << u"imgFoto"_s << QRectF(4, 21, 183, 79);
    QTest::newRow("with photo: row 1 caption") << photo << u"titCampo01"_s << QRectF(3, 104, 52, 6);
    QTest::newRow("with photo: row 2 value") << photo << u"txtCampo02"_s << QRectF(60, 113, 128, 6);
    QTest::newRow("with photo: row 18 caption")
        << photo << u"titCampo18"_s << QRectF(3, 257, 52, 6);
}

void TestReportTemplates::cardObjectsInPlace()
{
    QFETCH(QString, file);
    QFETCH(QString, object);
    QFETCH(QRectF, millimetres);
    ReportTemplate card = loaded(file);
    QCOMPARE(card.name(), u"Scheda informativa"_s);
    const PreparedReport report = prepare(card, kToday);
    QCOMPARE(int(report.pages.size()), 1);
    QCOMPARE(report.layout.orientation(), QPageLayout::Portrait);

    // On the paper, behind the 10 mm margins.
    const std::vector<Landing> found = landings(report, object);
    QCOMPARE(found.size(), std::size_t(1));
    const QRectF placed = inMillimetres(found.front().object.rect).translated(-10, -10);
    QVERIFY2(qAbs(placed.left() - millimetres.left()) < 0.01, qPrintable(object));
    QVERIFY2(qAbs(placed.top() - millimetres.top()) < 0.01, qPrintable(object));
    QVERIFY2(qAbs(placed.width() - millimetres.width()) < 0.01, qPrintable(object));
    QVERIFY2(qAbs(placed.height() - millimetres.height()) < 0.01, qPrintable(object));
}

void TestReportTemplates::cardLook()
{
    for (const QString &file : {kCard, kPhotoCard}) {
        ReportTemplate card = loaded(file);
        const ReportObject *caption = card.findObject(u"titCampo03"_s);
        QVERIFY(caption);
        QCOMPARE(caption->lines, QStringList {u"Quota associativa:"_s});
        QCOMPARE(caption->fill, QColor(0x008080));
        QCOMPARE(caption->textColor, QColor(Qt::white));
        QCOMPARE(caption->alignment, Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(card.findObject(u"titCampo18"_s)->lines, QStringList {u"E-mail:"_s});
        const ReportObject *value = card.findObject(u"txtCampo03"_s);
        QCOMPARE(value->fontFamily, u"Arial"_s);
        QCOMPARE(value->fontPoints, 10.0);
        QVERIFY(!value->fill.isValid());
        const ReportObject *title = card.findObject(u"txtTitolo"_s);
        QCOMPARE(title->fill, QColor(0xFF8C00));
        QCOMPARE(title->fontPoints, 16.0);
        QCOMPARE(title->alignment, Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(title->lines, QStringList {u"SCHEDA DATI ANAGRAFICI SOCIO"_s});
        // The folder icon is drawn from its SVG with its proportions.
        const QImage icon = card.findObject(u"folderIcon"_s)->picture;
        QVERIFY(!icon.isNull());
        QVERIFY(qAbs(double(icon.width()) / icon.height() - 68.0 / 52.0) < 0.02);
    }
}

void TestReportTemplates::cardMemosLeaveBracketsAlone()
{
    ReportTemplate card = loaded(kCard);
    QVERIFY(card.setText(u"txtCampo15"_s, u"Rinnovo [DATE] [abc]"_s));
    const PreparedReport report = prepare(card, kToday);
    QCOMPARE(placedOn(report, 0, u"txtCampo15"_s).lines, QStringList {u"Rinnovo [DATE] [abc]"_s});
}

void TestReportTemplates::photoScaledAndCentred_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QRectF>("expected"); // millimetres inside the 183 x 79 mm box
    QTest::newRow("wide: full width, centred down")
        << QSize(400, 100) << QRectF(0, 16.625, 183, 45.75);
    QTest::newRow("tall: full height, centred across")
        << QSize(100, 400) << QRectF(81.625, 0, 19.75, 79);
    QTest::newRow("small is enlarged") << QSize(24, 32) << QRectF(61.875, 0, 59.25, 79);
    QTest::newRow("same proportions fill the box") << QSize(1830, 790) << QRectF(0, 0, 183, 79);
}

void TestReportTemplates::photoScaledAndCentred()
{
    QFETCH(QSize, photo);
    QFETCH(QRectF, expected);
    ReportTemplate card = loaded(kPhotoCard);
    QImage image(photo, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QVERIFY(card.setPicture(u"imgFoto"_s, image));
    const ReportObject placed = placedOn(prepare(card, kToday), 0, u"imgFoto"_s);
    QCOMPARE(placed.picture.size(), photo);

    const QRectF target
        = inMillimetres(pictureTarget(placed.rect, placed.picture.size(), placed.centred))
              .translated(-14, -31); // margin and box corner
    QVERIFY2(
        qAbs(target.left() - expected.left()) < 0.01, qPrintable(QString::number(target.left())));
    QVERIFY2(qAbs(target.top() - expected.top()) < 0.01, qPrintable(QString::number(target.top())));
    QVERIFY(qAbs(target.width() - expected.width()) < 0.01);
    QVERIFY(qAbs(target.height() - expected.height()) < 0.01);
}

void TestReportTemplates::orientationSwapsThePaper()
{
    ReportTemplate card = loaded(kCard);
    QCOMPARE(card.paperSizeMillimetres(), QSizeF(210, 297));
    card.setOrientation(QPageLayout::Landscape);
    QCOMPARE(card.paperSizeMillimetres(), QSizeF(297, 210));
    const PreparedReport sideways = prepare(card, kToday);
    QCOMPARE(sideways.layout.fullRect(QPageLayout::Millimeter).size(), QSizeF(297, 210));
    card.setOrientation(QPageLayout::Portrait);
    const PreparedReport upright = prepare(card, kToday);
    QCOMPARE(upright.layout.fullRect(QPageLayout::Millimeter).size(), QSizeF(210, 297));
    QCOMPARE(upright.layout.margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
}

void TestReportTemplates::unknownNamesAreRefused()
{
    ReportTemplate card = loaded(kPhotoCard);
    QVERIFY(!card.findObject(u"txtNessuno"_s));
    QVERIFY(!card.findBand(u"MasterData"_s));
    QVERIFY(!card.setHeight(u"txtNessuno"_s, 20));
    QVERIFY(!card.setText(u"txtNessuno"_s, u"x"_s));
    QVERIFY(!card.setLines(u"txtNessuno"_s, {u"x"_s}));
    QVERIFY(!card.setPicture(u"imgNessuna"_s, QImage(2, 2, QImage::Format_RGB32)));
    // The right name of the wrong kind is refused too, and leaves the object as it was.
    QVERIFY(!card.setPicture(u"txtTitolo"_s, QImage(2, 2, QImage::Format_RGB32)));
    QVERIFY(!card.setText(u"imgFoto"_s, u"x"_s));
    QVERIFY(card.findObject(u"imgFoto"_s)->lines.isEmpty());

    QVERIFY(card.setHeight(u"txtCampo01"_s, 40));
    QCOMPARE(card.findObject(u"txtCampo01"_s)->rect.height(), 40.0);
    QVERIFY(card.setHeight(u"Page"_s, 500));
    QCOMPARE(card.findBand(u"Page"_s)->height, 500.0);
}

void TestReportTemplates::textBecomesLines()
{
    ReportTemplate card = loaded(kCard);
    QVERIFY(card.setText(u"txtCampo15"_s, u"prima\r\nseconda\nterza"_s));
    QCOMPARE(card.findObject(u"txtCampo15"_s)->lines,
        (QStringList {u"prima"_s, u"seconda"_s, u"terza"_s}));
    QVERIFY(card.setText(u"txtCampo15"_s, QString()));
    QVERIFY(card.findObject(u"txtCampo15"_s)->lines.isEmpty());
}

void TestReportTemplates::brokenFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    const QByteArray page
        = R"("name": "x", "orientation": "portrait", "margins": [10, 10, 10, 10])";
    auto withObject = [&](const QByteArray &object) -> QByteArray {
        return "{" + page + R"(, "bands": [{"kind": "page", "objects": [)" + object + "]}]}";
    };
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("not JSON") << QByteArray("{ name: ");
    QTest::newRow("no orientation") << QByteArray(R"({"name": "x", "margins": [0, 0, 0, 0]})");
    QTest::newRow("other paper") << QByteArray("{" + page + R"(, "paper": "A3"})");
    QTest::newRow("unknown band") << QByteArray("{" + page + R"(, "bands": [{"kind": "header"}]})");
    QTest::newRow("unknown object") << withObject(R"({"kind": "barcode", "rect": [0, 0, 1, 1]})");
    QTest::newRow("short rectangle") << withObject(R"({"kind": "memo", "rect": [0, 0, 1]})");
    QTest::newRow("bad colour") << withObject(
        R"({"kind": "memo", "rect": [0, 0, 1, 1], "fill": "#12"})");
    QTest::newRow("wrapping memo")
        << withObject(R"({"kind": "memo", "rect": [0, 0, 1, 1], "wordWrap": true})");
    QTest::newRow("unknown style")
        << withObject(R"({"style": "nessuno", "kind": "memo", "rect": [0, 0, 1, 1]})");
    QTest::newRow("missing picture")
        << withObject(R"({"kind": "picture", "rect": [0, 0, 1, 1], "picture": ":/none.png"})");
}

void TestReportTemplates::brokenFilesAreRefused()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"broken.json"_s);
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QVERIFY(!ReportTemplate::load(path));
}

QTEST_MAIN(TestReportTemplates)
#include "tst_reporttemplates.moc"
