// Compares the PNG pictures of two folders pixel by pixel: for every picture of the first
// folder, the number of pixels that differ from the picture of that name in the second. Used
// to show that a change of the drawing code leaves every scene picture as it was.
// Usage: kzv_imgdiff <before folder> <after folder>; exit 0 when all are identical.

#include <QDir>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kzv_imgdiff <before folder> <after folder>\n");
        return 2;
    }
    const QDir before(QString::fromLocal8Bit(argv[1]));
    const QDir after(QString::fromLocal8Bit(argv[2]));
    int differing = 0;
    for (const QString& name : before.entryList({"*.png"}, QDir::Files, QDir::Name)) {
        const QImage a = QImage(before.filePath(name)).convertToFormat(QImage::Format_RGB32);
        const QImage b = QImage(after.filePath(name)).convertToFormat(QImage::Format_RGB32);
        if (b.isNull()) {
            std::printf("%-40s missing\n", qPrintable(name));
            ++differing;
            continue;
        }
        if (a.size() != b.size()) {
            std::printf("%-40s size differs\n", qPrintable(name));
            ++differing;
            continue;
        }
        long pixels = 0;
        for (int y = 0; y < a.height(); ++y) {
            const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
            const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
            for (int x = 0; x < a.width(); ++x) {
                pixels += ra[x] != rb[x] ? 1 : 0;
            }
        }
        std::printf("%-40s %ld\n", qPrintable(name), pixels);
        differing += pixels != 0 ? 1 : 0;
    }
    return differing == 0 ? 0 : 1;
}
