// Opens a help collection as Qt Assistant does, through Qt's help engine, with only the Qt plugins
// of one folder, and draws every SVG picture of the help books it registers.
//
// Usage: open_help PLUGIN_FOLDER COLLECTION
// Exits with 0 when the collection opens and every picture draws, 1 when the collection does not
// open, 2 when a picture does not draw (or there is none); says why on standard error.

#include <QGuiApplication>
#include <QHelpEngineCore>
#include <QImage>
#include <QUrl>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: open_help PLUGIN_FOLDER COLLECTION\n");
        return 64;
    }
    QCoreApplication::setLibraryPaths({QString::fromLocal8Bit(argv[1])});
    QGuiApplication application(argc, argv);

    QHelpEngineCore engine(QString::fromLocal8Bit(argv[2]));
    if (!engine.setupData() || engine.registeredDocumentations().isEmpty()) {
        std::fprintf(stderr, "the help collection does not open: %s\n", qPrintable(engine.error()));
        return 1;
    }
    qsizetype pictures = 0;
    for (const QString& book : engine.registeredDocumentations()) {
        for (const QUrl& picture : engine.files(book, QString(), QStringLiteral("svg"))) {
            ++pictures;
            if (QImage::fromData(engine.fileData(picture), "SVG").isNull()) {
                std::fprintf(stderr, "%s does not draw\n", qPrintable(picture.toString()));
                return 2;
            }
        }
    }
    if (pictures == 0) {
        std::fprintf(stderr, "the help books hold no picture\n");
        return 2;
    }
    return 0;
}
