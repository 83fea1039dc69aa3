#include "forms/keypress.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "core/key_filter.h"
#include "forms/refusal_tip.h"

namespace motoreckon {

namespace {

bool heldWithCtrlOrAlt(const QKeyEvent& event) {
    return event.modifiers() & (Qt::ControlModifier | Qt::AltModifier);
}

// The clipboard, undo and select-all keys an entry box keeps, Ctrl or Alt held or not.
bool isEditingCommand(const QKeyEvent& event) {
    for (QKeySequence::StandardKey command :
         {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo,
          QKeySequence::Redo, QKeySequence::SelectAll}) {
        if (event.matches(command)) return true;
    }
    return false;
}

// Whether the box itself would change its text for a Ctrl or Alt combination in a way the
// windows' own desktop never does: a printable character typed (Alt+5 types nothing there),
// a word or line deleted (Ctrl+Backspace, Ctrl+Delete, Ctrl+K, Ctrl+U), or a Ctrl+letter
// editing binding of this desktop.
bool isStrayEdit(const QKeyEvent& event) {
    if (!heldWithCtrlOrAlt(event) || isEditingCommand(event)) return false;
    const int key = event.key();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) return true;
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return true;
    }
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

// The keyboard rules of one entry box: its key-press handler, if it has one, and what Ctrl
// and Alt combinations may do there.
class EntryKeys final : public QObject {
  public:
    EntryKeys(QLineEdit* box, KeyPressHandler handler)
        : QObject(box), box_(box), handler_(std::move(handler)) {
        setObjectName(kName);
    }

    // How a box's rules are found among its children.
    static constexpr QLatin1StringView kName{"entryKeys"};

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            return swallows(*static_cast<QKeyEvent*>(event), true);
        }
        if (event->type() == QEvent::ContextMenu) {
            showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    // Whether the box refuses what `event` types; with `tell`, the user sees why, or the note
    // of an earlier refusal goes once a character is let through.
    bool swallows(const QKeyEvent& event, bool tell) const {
        if (isStrayEdit(event)) return true;
        const std::optional<std::int16_t> code = handler_ ? characterCode(event) : std::nullopt;
        if (!code) return false;
        std::int16_t keyAscii = *code;
        const QString takes = handler_(keyAscii);
        if (tell && keyAscii != 0) hideRefusalTip(box_);
        if (tell && keyAscii == 0 && wouldShow(*code)) showRefusalTip(box_, takes);
        return keyAscii == 0;
    }

    // Whether the user would have seen the character `code` do something: typed, or Backspace.
    static bool wouldShow(std::int16_t code) {
        const QChar c(static_cast<char16_t>(code));
        return code == kKeyBackspace || c.isPrint() || c.isHighSurrogate();
    }

    // The box's own menu and commands (what it pastes is not vetted), each entry showing its
    // shortcut only where the shortcut works in the box.
    void showContextMenu(const QPoint& at) const {
        QMenu* menu = box_->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        for (QAction* action : menu->actions()) {
            // The menu writes each shortcut after a tab in the entry's text.
            const QString text = action->text();
            const auto tab = text.indexOf(QLatin1Char('\t'));
            if (tab < 0) continue;
            const QKeySequence shortcut =
                QKeySequence::fromString(text.mid(tab + 1), QKeySequence::NativeText);
            if (shortcut.count() != 1 || swallows(keyPress(shortcut[0]), false)) {
                action->setText(text.left(tab));
            }
        }
        menu->popup(at);
    }

    // The key press of a shortcut, with the text it types.
    static QKeyEvent keyPress(QKeyCombination combination) {
        const int key = combination.key();
        const QString text =
            key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde ? QString(QChar(key)) : QString();
        return QKeyEvent(QEvent::KeyPress, key, combination.keyboardModifiers(), text);
    }

    QLineEdit* box_;
    KeyPressHandler handler_;
};

void installEntryFilter(QLineEdit* box, KeyPressHandler handler) {
    box->installEventFilter(new EntryKeys(box, std::move(handler)));
}

}  // namespace

std::optional<std::int16_t> characterCode(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool alt = modifiers & Qt::AltModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (alt) return std::nullopt;
    switch (key) {
        case Qt::Key_Backspace:
            return ctrl ? kKeyDelete : kKeyBackspace;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return ctrl ? kKeyLineFeed : kKeyEnter;
        case Qt::Key_Escape:
            return kKeyEscape;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return std::nullopt;
        default:
            break;
    }
    if (ctrl) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) {
            return static_cast<std::int16_t>(key - Qt::Key_A + 1);
        }
        switch (key) {
            case Qt::Key_BracketLeft:
                return kKeyEscape;
            case Qt::Key_Backslash:
                return kKeyFileSeparator;
            case Qt::Key_BracketRight:
                return kKeyGroupSeparator;
            default:
                return std::nullopt;
        }
    }
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).unicode() == kKeyDelete) return std::nullopt;
    return static_cast<std::int16_t>(text.at(0).unicode());
}

void installKeyPressHandler(QLineEdit* box, KeyPressHandler handler) {
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    installEntryFilter(box, std::move(handler));
}

void installEntryKeys(QLineEdit* box) {
    if (box->findChild<QObject*>(EntryKeys::kName, Qt::FindDirectChildrenOnly)) return;
    installEntryFilter(box, {});
}

}  // namespace motoreckon
