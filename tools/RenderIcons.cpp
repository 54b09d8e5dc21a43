// Writes the program's mark into a hicolor icon-theme tree for installation:
//   qlr_render_icons OUTDIR NAME
// gives OUTDIR/hicolor/<N>x<N>/apps/NAME.png for each theme size and
// OUTDIR/hicolor/scalable/apps/NAME.svg.
#include "config/Logo.h"
#include "config/LogoSvg.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray pngOfSide(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintLogo(painter, QRectF(0, 0, side, side));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    // Drawing text needs a GUI application, but never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTDIR NAME\n", argv[0]);
        return 2;
    }
    const QString theme = QString::fromLocal8Bit(argv[1]) + "/hicolor/";
    const QString name = QString::fromLocal8Bit(argv[2]);

    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = theme + QString("%1x%1/apps/").arg(side) + name + ".png";
        if (!writeFile(path, pngOfSide(side))) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString svgPath = theme + "scalable/apps/" + name + ".svg";
    if (!writeFile(svgPath, logoSvg())) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(svgPath));
        return 1;
    }
    return 0;
}
