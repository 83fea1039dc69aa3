// Renders the program's icon, an SVG file, into PNG files of the sizes given, named by their size
// (16.png, 32.png, ...), so that the program shows its windows' icon without loading Qt's SVG
// renderer. Runs at build time, on the offscreen platform:
//   render_icon ICON.svg FOLDER SIZE...

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: render_icon ICON.svg FOLDER SIZE...\n");
        return EXIT_FAILURE;
    }
    const QIcon icon(arguments.at(1));
    const QDir folder(arguments.at(2));
    for (const QString& size : arguments.mid(3)) {
        const int pixels = size.toInt();
        const QImage image = icon.pixmap(QSize(pixels, pixels), 1.0).toImage();
        if (image.size() != QSize(pixels, pixels) ||
            !image.save(folder.filePath(size + QStringLiteral(".png")), "PNG")) {
            std::fprintf(stderr, "render_icon: cannot render %s at %d pixels\n",
                         qPrintable(arguments.at(1)), pixels);
            return EXIT_FAILURE;
        }
    }
    return EXIT_SUCCESS;
}
