#include "app/helpviewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>

#include "forms/feedback.h"
#include "forms/placement.h"

namespace motoreckon {

namespace {

const QString kContentsPage = QStringLiteral("qthelp://com.motoreckon.gearbook/doc/index.html");

HelpViewer* installed = nullptr;

// The viewer opens this large, or nearly as large as a smaller screen.
constexpr int kViewerWidth = 960;
constexpr int kViewerHeight = 720;

// Of what the viewer writes on its error output, this much at the end is kept, to be shown if
// it gives up.
constexpr qsizetype kKeptErrorOutput = 2000;

// A help collection is an SQLite database, which starts with this header; a file that does not
// would open as an empty, untitled viewer.
constexpr char kCollectionHeader[] = "SQLite format 3";

bool canRead(const QString& collection) {
    QFile file(collection);
    return QFileInfo(collection).isFile() && file.open(QIODevice::ReadOnly) &&
           file.read(sizeof kCollectionHeader) ==
               QByteArray(kCollectionHeader, sizeof kCollectionHeader);
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
    if (!canRead(collection)) {
        feedback().message(QWidget::find(window), kHelpViewerTitle,
                           QStringLiteral("The help file %1 is missing or cannot be read.")
                               .arg(QDir::toNativeSeparators(collection)),
                           Feedback::Icon::Warning);
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
