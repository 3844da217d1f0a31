// kzv_iconpng: draws the program icon (an SVG file) as the PNG files of an icon theme:
//   kzv_iconpng <icon.svg> <theme folder> <name> <size>...
// writes <theme folder>/<size>x<size>/apps/<name>.png for each size. Run by the build, which
// installs the result under share/icons/hicolor.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: kzv_iconpng <icon.svg> <theme folder> <name> <size>...\n");
        return 2;
    }
    // No window is shown: the off-screen platform works without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "kzv_iconpng: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 4; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0) {
            std::fprintf(stderr, "kzv_iconpng: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString folder =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        const QString path =
            QStringLiteral("%1/%2.png").arg(folder, QString::fromLocal8Bit(argv[3]));
        if (!QDir().mkpath(folder) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "kzv_iconpng: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
