// Draws the application icon as PNG files for the icon theme, from the same
// vector drawing the windows use: render-icons OUTDIR SIZE... writes
// OUTDIR/SIZExSIZE/zephrix.png for each size.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "ui/Artwork.h"

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: render-icons OUTDIR SIZE...\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0 || size > 1024) {
            std::fprintf(stderr, "render-icons: not a size: %s\n", argv[i]);
            return 2;
        }
        QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        zephrix::art::paintLogo(painter, QRectF(0, 0, size, size));
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2").arg(out).arg(size);
        if (!QDir().mkpath(folder) || !picture.save(folder + "/zephrix.png", "PNG")) {
            std::fprintf(stderr, "render-icons: cannot write %s/zephrix.png\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
