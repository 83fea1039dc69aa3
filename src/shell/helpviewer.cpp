#include "shell/helpviewer.h"

#include <QDir>
#include <QProcess>

namespace motoreckon {

namespace {

// Qt Assistant shows the help collection; the program keeps no handle to it once started.
class AssistantViewer final : public HelpViewer {
  public:
    std::int32_t WinHelp(WId, const QByteArray& helpFile, std::uint32_t command,
                         const std::int16_t*) override {
        QStringList arguments{QStringLiteral("-collectionFile"), QString::fromLocal8Bit(helpFile)};
        if (command == kHelpPartialKey) {
            arguments << QStringLiteral("-show") << QStringLiteral("index")
                      << QStringLiteral("-activate") << QStringLiteral("index");
        } else {
            arguments << QStringLiteral("-showUrl")
                      << QStringLiteral("qthelp://com.motoreckon.gearbook/doc/index.html");
        }
        if (!QProcess::startDetached(QStringLiteral(MOTORECKON_ASSISTANT), arguments)) {
            throw HelpError(QStringLiteral("The help viewer %1 could not be started.")
                                .arg(QDir::toNativeSeparators(QStringLiteral(MOTORECKON_ASSISTANT)))
                                .toStdString());
        }
        return 1;
    }
};

AssistantViewer assistant;
HelpViewer* installed = nullptr;

}  // namespace

HelpViewer& helpViewer() { return installed ? *installed : assistant; }

void installHelpViewer(HelpViewer* replacement) { installed = replacement; }

QString helpFilePath() { return QStringLiteral(MOTORECKON_HELP_INSTALL_FILE); }

}  // namespace motoreckon
