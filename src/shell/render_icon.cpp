// Build tool: draws the program's icon, an SVG file, as PNG pictures of the given sizes, so that
// the program carries its icon without needing an SVG reader at run time.
//
//   render_icon ICON.svg OUTPUT_DIR SIZE...    writes OUTPUT_DIR/icon-SIZE.png for each SIZE

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: render_icon ICON.svg OUTPUT_DIR SIZE...\n");
        return EXIT_FAILURE;
    }
    const QDir output(arguments.at(2));
    for (const QString& size : arguments.mid(3)) {
        const int pixels = size.toInt();
        QImageReader reader(arguments.at(1));
        reader.setScaledSize(QSize(pixels, pixels));
        const QImage image = reader.read();
        const QString file = output.filePath(QStringLiteral("icon-%1.png").arg(pixels));
        if (image.isNull() || !image.save(file)) {
            std::fprintf(stderr, "render_icon: cannot draw %s at %d pixels: %s\n",
                         qPrintable(arguments.at(1)), pixels, qPrintable(reader.errorString()));
            return EXIT_FAILURE;
        }
    }
    return EXIT_SUCCESS;
}
