// make-icons: the desktop icon theme files, drawn from the program's own icon bitmap.
//
// Usage: make-icons <theme-dir> <size>...   writes <theme-dir>/<N>x<N>/apps/facetwright.png
// The icon is pixel art, so it is enlarged by whole pixels first and only then smoothed down to
// the size asked for; plain smooth scaling would blur its edges.
#include "base/numbers.h"
#include "resources/bitmaps.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <string>

namespace {

constexpr int kIconResource = 100;
constexpr int kMaxSize = 1024;

QImage iconImage() {
    BitmapImage bitmap;
    if (!bitmapResource(kIconResource, bitmap)) return QImage();
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x) {
            const std::uint8_t* bgr = bitmapPixel(bitmap, x, y);
            image.setPixel(x, y, qRgb(bgr[2], bgr[1], bgr[0]));
        }
    return image;
}

QImage scaledIcon(const QImage& icon, int size) {
    const int factor = (size + icon.width() - 1) / icon.width();
    QImage image = icon;
    if (factor > 1)
        image = icon.scaled(icon.width() * factor, icon.height() * factor, Qt::IgnoreAspectRatio,
                            Qt::FastTransformation);
    if (image.width() != size)
        image = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make-icons <theme-dir> <size>...\n");
        return 2;
    }
    const QImage icon = iconImage();
    if (icon.isNull()) {
        std::fprintf(stderr, "make-icons: the icon bitmap is missing\n");
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        int32_t size = 0;
        if (!parseInt(argv[i], size) || size < 1 || size > kMaxSize) {
            std::fprintf(stderr, "make-icons: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString n = QString::number(size);
        const QString folder = QString::fromLocal8Bit(argv[1]) + "/" + n + "x" + n + "/apps";
        if (!QDir().mkpath(folder) ||
            !scaledIcon(icon, size).save(folder + "/facetwright.png", "PNG")) {
            std::fprintf(stderr, "make-icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
