#include "shell/keypress.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace motoreckon {

namespace {

class KeyPressFilter final : public QObject {
  public:
    KeyPressFilter(QLineEdit* box, KeyPressHandler handler)
        : QObject(box), handler_(std::move(handler)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const std::optional<std::int16_t> code = characterCode(*static_cast<QKeyEvent*>(event));
        if (!code) return false;
        std::int16_t keyAscii = *code;
        handler_(keyAscii);
        return keyAscii == 0;
    }

  private:
    KeyPressHandler handler_;
};

}  // namespace

std::optional<std::int16_t> characterCode(const QKeyEvent& event) {
    const int key = event.key();
    switch (key) {
        case Qt::Key_Backspace:
            return std::int16_t{8};
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return std::int16_t{13};
        case Qt::Key_Escape:
            return std::int16_t{27};
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return std::nullopt;
        default:
            break;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier) && key >= Qt::Key_A &&
        key <= Qt::Key_Z) {
        return static_cast<std::int16_t>(key - Qt::Key_A + 1);
    }
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).unicode() == 127) return std::nullopt;
    return static_cast<std::int16_t>(text.at(0).unicode());
}

void installKeyPressHandler(QLineEdit* box, KeyPressHandler handler) {
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(new KeyPressFilter(box, std::move(handler)));
}

}  // namespace motoreckon
