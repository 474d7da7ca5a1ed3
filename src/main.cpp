// TAVORIN: backgammon against the computer.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/QtPlatform.h"
#include "ui/Trace.h"

namespace {
// The sounds and the music: next to the executable in the build, else the installed data folder.
std::string dataFolder() {
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& dir : {here, here + "/../share/tavorin", QString(TAVORIN_DATADIR)})
        if (QFileInfo::exists(dir + "/dice.wav")) return QDir(dir).absolutePath().toStdString();
    return here.toStdString();
}
// The audio module: next to the executable in the build, else in the installed library folder.
std::vector<std::string> audioModules() {
    const QString here = QCoreApplication::applicationDirPath();
    std::vector<std::string> found;
    for (const QString& dir : {here, here + "/" TAVORIN_MODULE_RELDIR, QString(TAVORIN_MODULEDIR)})
        if (QFileInfo::exists(dir + "/tavorin-audio.so"))
            found.push_back(QDir(dir).absoluteFilePath("tavorin-audio.so").toStdString());
    return found;
}
}  // namespace

int main(int argc, char* argv[]) {
    tavorin::trace("main");  // the program is loaded and linked
    QApplication app(argc, argv);
    tavorin::trace("toolkit");
    QGuiApplication::setDesktopFileName("io.github.tavorin.Tavorin");  // the menu entry's icon
    QTranslator qtJapanese;  // the dialogs' own buttons in the language of the menus
    if (qtJapanese.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);
    tavorin::trace("translator");
    tavorin::QtPlatform platform(dataFolder(), audioModules());
    platform.start();
    return QApplication::exec();
}
