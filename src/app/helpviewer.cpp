#include "app/helpviewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <optional>

#include "forms/feedback.h"
#include "forms/placement.h"

namespace motoreckon {

namespace {

// The program's help book, by the namespace the help project gives it, and its first page.
const QString kBookNamespace = QStringLiteral("com.motoreckon.gearbook");
const QString kContentsPage = QStringLiteral("qthelp://%1/doc/index.html").arg(kBookNamespace);

HelpViewer* installed = nullptr;

// The viewer opens this large, or nearly as large as a smaller screen.
constexpr int kViewerWidth = 960;
constexpr int kViewerHeight = 720;

// Of what the viewer writes on its error output, this much at the end is kept, to be shown if
// it gives up.
constexpr qsizetype kKeptErrorOutput = 2000;

// Whether `file` is a file the program may read.
bool canRead(const QString& file) {
    QFile opened(file);
    return QFileInfo(file).isFile() && opened.open(QIODevice::ReadOnly);
}

// The first value `select` finds for the book's namespace in the SQLite database `file`, opened
// read-only, so that nothing is ever written to it; nothing where the file is no database, is
// damaged anywhere, or has no such table or row.
std::optional<QString> lookUpBook(const QString& file, const QString& select) {
    std::optional<QString> found;
    const QString connection = QStringLiteral("motoreckon-help-file");
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(file);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (database.open()) {
            QSqlQuery check(QStringLiteral("PRAGMA quick_check"), database);
            QSqlQuery query(database);
            if (check.next() && check.value(0).toString() == QLatin1String("ok") &&
                query.prepare(select)) {
                query.addBindValue(kBookNamespace);
                if (query.exec() && query.next()) found = query.value(0).toString();
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return found;
}

// Why the viewer could not show the book from `collection`, in the viewer's own words, or
// nothing: a help collection is an SQLite database that registers the book by the path of its
// file, which is one too; any other file would open as an empty, untitled viewer.
QString helpFileFault(const QString& collection) {
    const auto missing = [](const QString& file) {
        return QStringLiteral("The help file %1 is missing or cannot be read.")
            .arg(QDir::toNativeSeparators(file));
    };
    const auto notTheBook = [](const QString& file) {
        return QStringLiteral("The help file %1 is damaged or holds no Motoreckon help.")
            .arg(QDir::toNativeSeparators(file));
    };
    if (!canRead(collection)) return missing(collection);
    // Without Qt's SQLite driver the viewer cannot open the collection either, and says so.
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) return {};
    const std::optional<QString> registered = lookUpBook(
        collection, QStringLiteral("SELECT FilePath FROM NamespaceTable WHERE Name = ?"));
    if (!registered) return notTheBook(collection);
    const QString book = QFileInfo(collection).dir().filePath(*registered);
    if (!canRead(book)) return missing(book);
    if (!lookUpBook(book, QStringLiteral("SELECT Name FROM NamespaceTable WHERE Name = ?"))) {
        return notTheBook(book);
    }
    return {};
}

// The viewer's place as -qwindowgeometry gives it: on the screen of the window that asked for
// help, or else the primary one, with the frame the window system puts around that window.
QString viewerGeometry(QWidget* requester) {
    QWidget* window = requester ? requester->window() : nullptr;
    const QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return QStringLiteral("%1x%2").arg(kViewerWidth).arg(kViewerHeight);
    const QRect placed =
        helpViewerGeometry(screen->availableGeometry(), window ? frameMargins(window) : QMargins());
    return QStringLiteral("%1x%2+%3+%4")
        .arg(placed.width())
        .arg(placed.height())
        .arg(placed.x())
        .arg(placed.y());
}

// The remote-control commands of a request, on one line: the viewer takes in one line each
// time more input arrives, and each line also brings it to the front.
QByteArray commandsFor(std::uint32_t command) {
    if (command == kHelpPartialKey) return QByteArrayLiteral("show index\n");
    return QStringLiteral("setSource %1;show contents;expandToc -1\n").arg(kContentsPage).toUtf8();
}

}  // namespace

QRect helpViewerGeometry(const QRect& available, const QMargins& frame) {
    const QSize size = QSize(kViewerWidth, kViewerHeight).boundedTo(available.size() * 9 / 10);
    const QSize outer = size.grownBy(frame);
    return QRect(available.topLeft() + QPoint((available.width() - outer.width()) / 2,
                                              (available.height() - outer.height()) / 2),
                 size);
}

AssistantViewer::AssistantViewer(QString program) : program_(std::move(program)) {}

AssistantViewer::~AssistantViewer() = default;

std::int32_t AssistantViewer::WinHelp(WId window, const QByteArray& helpFile, std::uint32_t command,
                                      const std::int16_t*) {
    const QString collection = QString::fromLocal8Bit(helpFile);
    if (const QString fault = helpFileFault(collection); !fault.isEmpty()) {
        feedback().message(QWidget::find(window), kHelpViewerTitle, fault, Feedback::Icon::Warning);
        return 0;
    }
    if (!process_ || process_->state() != QProcess::Running) {
        start(collection, QWidget::find(window));
    }
    process_->write(commandsFor(command));
    return 1;
}

void AssistantViewer::start(const QString& collection, QWidget* requester) {
    auto process = std::make_unique<QProcess>();
    process->setProgram(program_);
    process->setArguments({QStringLiteral("-collectionFile"), collection,
                           QStringLiteral("-enableRemoteControl"),
                           QStringLiteral("-qwindowgeometry"), viewerGeometry(requester)});
    // Its chatter does not reach the program's terminal; what it says on its error output is
    // kept, so that a viewer that gives up can say why.
    process->setStandardOutputFile(QProcess::nullDevice());
    QProcess* viewer = process.get();
    QObject::connect(viewer, &QProcess::readyReadStandardError, viewer, [this, viewer] {
        errorOutput_ = (errorOutput_ + viewer->readAllStandardError()).right(kKeptErrorOutput);
    });
    QObject::connect(viewer, &QProcess::finished, viewer,
                     [this, collection](int exitCode, QProcess::ExitStatus status) {
                         if (status == QProcess::NormalExit && exitCode != 0) gaveUp(collection);
                     });
    errorOutput_.clear();
    process->start(QIODevice::ReadWrite);
    if (!process->waitForStarted()) {
        throw HelpError(QStringLiteral("The help viewer %1 could not be started.")
                            .arg(QDir::toNativeSeparators(program_))
                            .toStdString());
    }
    process_ = std::move(process);
}

// The viewer started but could not show the book (it could not open the collection, or write
// where it keeps its settings) and ended with an error: it says so under its own title, with
// the last thing it wrote.
void AssistantViewer::gaveUp(const QString& collection) {
    QString text = QStringLiteral("The help viewer could not show the help file %1.")
                       .arg(QDir::toNativeSeparators(collection));
    const QStringList said =
        QString::fromLocal8Bit(errorOutput_).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!said.isEmpty()) text += QStringLiteral("\n\n") + said.last().trimmed();
    feedback().message(nullptr, kHelpViewerTitle, text, Feedback::Icon::Warning);
}

HelpViewer& helpViewer() {
    if (installed) return *installed;
    // Never destroyed: destroying it would end the viewer along with the program.
    static AssistantViewer* const assistant =
        new AssistantViewer(QStringLiteral(MOTORECKON_ASSISTANT));
    return *assistant;
}

void installHelpViewer(HelpViewer* replacement) { installed = replacement; }

QString helpFilePath() { return QStringLiteral(MOTORECKON_HELP_INSTALL_FILE); }

}  // namespace motoreckon
