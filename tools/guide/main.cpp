// Builds the user guide: takes the pictures of the real screens on a sample association, lays
// out the Markdown source with them and writes Guida.pdf, the pictures beside it as PNG files.
// Usage: almavest_guide SOURCE.md OUTPUT.pdf PICTURES_FOLDER
#include "GuideComposer.h"
#include "SampleFolder.h"
#include "ScreenAlbum.h"

#include <QApplication>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace almavest::guide;

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "almavest_guide: %s\n", qPrintable(message));
    return 1;
}

// The pictures show the screens as they look on a common laptop display: the offscreen
// platform's own screen is too small for the cards, which would come out cut.
bool useLaptopScreen(const QTemporaryDir &dir)
{
    QSaveFile config(dir.filePath(QStringLiteral("screen.json")));
    const QByteArray json = R"({"screens": [{"name": "Guida", "x": 0, "y": 0, "width": 1366,
        "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    if (!config.open(QIODevice::WriteOnly) || config.write(json) != json.size() || !config.commit())
        return false;
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir screenDir;
    if (!screenDir.isValid() || !useLaptopScreen(screenDir))
        return fail(QStringLiteral("cannot describe the offscreen screen"));
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 4)
        return fail(QStringLiteral("usage: almavest_guide SOURCE.md OUTPUT.pdf PICTURES_FOLDER"));
    QFile source(arguments[1]);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(QStringLiteral("cannot read %1: %2").arg(arguments[1], source.errorString()));
    const QString markdown = QString::fromUtf8(source.readAll());

    QTemporaryDir folder;
    QString error;
    if (!folder.isValid() || !writeSampleFolder(folder.path(), error))
        return fail(error.isEmpty() ? QStringLiteral("cannot make a temporary folder") : error);
    const ScreenAlbum album(folder.path());
    if (!album.ok())
        return fail(album.error());
    if (!album.savePictures(arguments[3]))
        return fail(QStringLiteral("cannot write the pictures into %1").arg(arguments[3]));

    GuideComposer composer({QStringLiteral("Almavest"), QStringLiteral("Guida all'utilizzo"),
                               QStringLiteral("Versione " ALMAVEST_VERSION)},
        [&album](const QString &name, QString &why) { return album.picture(name, why); });
    if (!composer.write(markdown, arguments[2]))
        return fail(arguments[1] + QStringLiteral(": ") + composer.error());
    return 0;
}
