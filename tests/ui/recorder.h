#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>
#include <cstdint>
#include <functional>
#include <string>

#include "app/helpviewer.h"
#include "forms/feedback.h"

namespace motoreckon::test {

// Records message boxes and beeps in the order the program asks for them, instead of showing
// them. Installed for its lifetime.
class Recorder final : public Feedback {
  public:
    struct Event {
        enum class Kind { Message, Beep } kind;
        QString title;
        QString text;
        Icon icon = Icon::None;
    };

    Recorder() { installFeedback(this); }
    ~Recorder() override { installFeedback(nullptr); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    void message(QWidget* parent, const QString& title, const QString& text, Icon icon) override {
        events.append({Event::Kind::Message, title, text, icon});
        if (onMessage) onMessage();
        if (showMessageBoxes) messageBoxes().message(parent, title, text, icon);
    }
    void beep() override { events.append({Event::Kind::Beep, {}, {}, Icon::None}); }

    QVector<Event> messages() const {
        QVector<Event> result;
        for (const Event& e : events) {
            if (e.kind == Event::Kind::Message) result.append(e);
        }
        return result;
    }
    int beeps() const {
        int count = 0;
        for (const Event& e : events) count += e.kind == Event::Kind::Beep;
        return count;
    }

    QVector<Event> events;
    // Runs while a message box would be open, so a test can look at the window at that moment;
    // with the real boxes shown, before the box opens.
    std::function<void()> onMessage;
    // Shows the real message boxes as well, which wait for the user.
    bool showMessageBoxes = false;
};

// Records every help request instead of showing help; fails each one with `error` when that is
// set. Installed for its lifetime.
class HelpRecorder final : public HelpViewer {
  public:
    struct Request {
        WId window;
        QByteArray helpFile;
        std::uint32_t command;
        std::int16_t data;
    };

    HelpRecorder() { installHelpViewer(this); }
    ~HelpRecorder() override { installHelpViewer(nullptr); }
    HelpRecorder(const HelpRecorder&) = delete;
    HelpRecorder& operator=(const HelpRecorder&) = delete;

    std::int32_t WinHelp(WId window, const QByteArray& helpFile, std::uint32_t command,
                         const std::int16_t* data) override {
        requests.append({window, helpFile, command, data ? *data : std::int16_t{-1}});
        if (!error.empty()) throw HelpError(error);
        return 0;  // the viewer's failure status is no error to the program
    }

    QVector<Request> requests;
    std::string error;
};

}  // namespace motoreckon::test
