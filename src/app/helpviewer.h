#pragma once

#include <QByteArray>
#include <QMargins>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <stdexcept>

class QProcess;

namespace motoreckon {

// Help requests, as the command values the help viewer understands.
inline constexpr std::uint32_t kHelpContents = 3;        // show the help file's contents
inline constexpr std::uint32_t kHelpPartialKey = 0x105;  // open the keyword index

// An error raised while a help request is prepared or made, with its own description.
class HelpError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The help viewer, reached through one call: the requesting window, the help file's path as
// 8-bit text, the command and its data (for the keyword index, the address of the keyword; a
// 16-bit zero is the empty keyword). Returns the viewer's status; throws HelpError when the
// request cannot be made. The program installs the real viewer; tests record the requests.
class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    virtual std::int32_t WinHelp(WId window, const QByteArray& helpFile, std::uint32_t command,
                                 const std::int16_t* data) = 0;
};

// Qt Assistant, one for the program's run: the first request starts it on the help collection
// with its remote control on, later ones hand it their commands on its standard input and bring
// it to the front; when the user has closed it, the next request starts it again. Its own output
// goes nowhere. Where it could not show the book, because the collection or the book it
// registers is missing or cannot be read, or is damaged, no help collection at all or one without
// the program's book, it is not started: the user gets the viewer's own message, under the
// viewer's title, naming the file, and the request fails with status 0; a viewer that starts but
// gives up with an error says so the same way. The files are only ever read. Throws HelpError
// when the viewer cannot be started.
class AssistantViewer final : public HelpViewer {
  public:
    explicit AssistantViewer(QString program);
    ~AssistantViewer() override;
    AssistantViewer(const AssistantViewer&) = delete;
    AssistantViewer& operator=(const AssistantViewer&) = delete;

    std::int32_t WinHelp(WId window, const QByteArray& helpFile, std::uint32_t command,
                         const std::int16_t* data) override;

  private:
    void start(const QString& collection, QWidget* requester);
    void gaveUp(const QString& collection);

    QString program_;
    std::unique_ptr<QProcess> process_;
    QByteArray errorOutput_;
};

// Where Qt Assistant opens on a screen whose free part is `available` (task bars left out), the
// window system putting `frame` around it: its own size, 960 by 720 or 90 % of a smaller screen,
// at the top left corner of its frame, so that the whole window is centred on that part.
QRect helpViewerGeometry(const QRect& available, const QMargins& frame);

// The title of the help viewer's own messages.
inline const QString kHelpViewerTitle = QStringLiteral("Qt Assistant");

// The program's help viewer: Qt Assistant, unless another one is installed. The viewer it
// started stays open when the program ends.
HelpViewer& helpViewer();

// Makes `replacement` the program's help viewer (nullptr restores Qt Assistant). The caller
// keeps ownership.
void installHelpViewer(HelpViewer* replacement);

// The help file: the collection where the program's install puts it, a path fixed when the
// program is built.
QString helpFilePath();

}  // namespace motoreckon
