// Writes the application icon for the desktop: hicolor PNGs at 48 and 256 pixels and the
// scalable SVG, laid out as under share/icons/hicolor, so the build can install them as they are.
//
//   render-icons OUTDIR NAME   ->  OUTDIR/{48x48,256x256}/apps/NAME.png,
//   OUTDIR/scalable/apps/NAME.svg
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "ui/Artwork.h"

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

bool writeIcons(const QString& outDir, const QString& name) {
    for (int px : {48, 256}) {
        const QString dir = QString("%1/%2x%2/apps").arg(outDir).arg(px);
        if (!QDir().mkpath(dir) || !tavorin::art::drawIcon(px).save(dir + "/" + name + ".png"))
            return false;
    }
    const QString svgDir = outDir + "/scalable/apps";
    return QDir().mkpath(svgDir) &&
           writeFile(svgDir + "/" + name + ".svg", tavorin::art::iconSvg());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTDIR NAME\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);  // painting needs one, even offscreen
    if (!writeIcons(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "render-icons: could not write the icons to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
