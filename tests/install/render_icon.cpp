// Renders an SVG icon at the given pixel sizes with Qt's SVG renderer (the one
// the program draws its own icon with) and checks each picture: the file must
// parse, be square, and cover a sensible share of the square with visible
// pixels. With an output folder the pictures are written there as
// <name>-<size>.png for a person to look at.
//
//   zebstat_render_icon ICON.svg SIZE[,SIZE...] [OUT_FOLDER]
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("usage: zebstat_render_icon ICON.svg SIZE[,SIZE...] [OUT_FOLDER]\n", stderr);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: not a valid SVG file\n", argv[1]);
        return 1;
    }
    const QRectF box = renderer.viewBoxF();
    if (box.width() <= 0 || box.width() != box.height()) {
        std::fprintf(stderr, "%s: the view box is not square\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const QString& text : QString::fromLocal8Bit(argv[2]).split(',')) {
        const int size = text.toInt();
        if (size <= 0) {
            std::fprintf(stderr, "bad size \"%s\"\n", qPrintable(text));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        long long opaque = 0;
        int dark = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb p = image.pixel(x, y);
                if (qAlpha(p) >= 128) ++opaque;
                if (qAlpha(p) >= 128 && qGray(p) < 96) ++dark;
            }
        const double share = static_cast<double>(opaque) / (static_cast<double>(size) * size);
        std::printf("%s at %d px: %.0f %% covered, %d dark pixels\n", qPrintable(QFileInfo(path).fileName()), size,
                    share * 100.0, dark);
        // An icon is a shape on a transparent ground: neither empty nor a full square.
        if (share < 0.3 || share > 0.99) {
            std::fprintf(stderr, "%s at %d px covers %.0f %% of its square\n", argv[1], size, share * 100.0);
            ++failures;
        }
        if (dark < size / 2) {
            std::fprintf(stderr, "%s at %d px has almost no dark drawing (%d pixels)\n", argv[1], size, dark);
            ++failures;
        }
        if (argc > 3) {
            QDir().mkpath(QString::fromLocal8Bit(argv[3]));
            const QString out = QString::fromLocal8Bit(argv[3]) + "/" + QFileInfo(path).completeBaseName() + "-" +
                                QString::number(size) + ".png";
            if (!image.save(out)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
