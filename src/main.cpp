// TAVORIN: backgammon against the computer.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/QtPlatform.h"

namespace {
// The sounds and the music: next to the executable in the build, else the installed data folder.
std::string dataFolder() {
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& dir : {here, here + "/../share/tavorin", QString(TAVORIN_DATADIR)})
        if (QFileInfo::exists(dir + "/dice.wav")) return QDir(dir).absolutePath().toStdString();
    return here.toStdString();
}
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName("io.github.tavorin.Tavorin");  // the menu entry's icon
    QTranslator qtJapanese;  // the dialogs' own buttons in the language of the menus
    if (qtJapanese.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);
    tavorin::QtPlatform platform(dataFolder());
    platform.start();
    return QApplication::exec();
}
