// Build-time tool that turns the image sources (SVG) into the PNG files of the image resource.
//
// Called as: bildmaler <source.svg> <edge length in pixels> <target.png> [further triples...]
// Every image is square. Exit code 0 when every target was written, 1 otherwise.

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QString>

#include <cstdio>

namespace {

bool male(const QString& quelle, int kante, const QString& ziel)
{
    QSvgRenderer renderer(quelle);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "bildmaler: %s is no valid SVG\n", qUtf8Printable(quelle));
        return false;
    }
    QImage bild(kante, kante, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    {
        QPainter maler(&bild);
        maler.setRenderHint(QPainter::Antialiasing);
        maler.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&maler, QRectF(0, 0, kante, kante));
    }
    if (!bild.save(ziel, "PNG")) {
        std::fprintf(stderr, "bildmaler: cannot write %s\n", qUtf8Printable(ziel));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || (argc - 1) % 3 != 0) {
        std::fprintf(stderr, "usage: bildmaler <source.svg> <size> <target.png> [...]\n");
        return 1;
    }
    bool alle = true;
    for (int i = 1; i + 2 < argc; i += 3) {
        bool ok = false;
        const int kante = QString::fromLocal8Bit(argv[i + 1]).toInt(&ok);
        if (!ok || kante <= 0 || kante > 1024) {
            std::fprintf(stderr, "bildmaler: bad size %s\n", argv[i + 1]);
            alle = false;
            continue;
        }
        alle = male(QString::fromLocal8Bit(argv[i]), kante, QString::fromLocal8Bit(argv[i + 2])) && alle;
    }
    return alle ? 0 : 1;
}
