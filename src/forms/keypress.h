#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QKeyEvent;
class QLineEdit;

namespace motoreckon {

// The character code a keystroke types, or nothing for keystrokes that type no character
// (Delete, cursor and function keys, and Tab, which moves the focus). With Ctrl or Alt held a
// keystroke types a control code or nothing, never a printable character: Ctrl with a letter
// types its control code (Ctrl+C 3, Ctrl+V 22, Ctrl+X 24), Ctrl+Backspace 127, Ctrl+Enter 10,
// Ctrl with [, \ or ] 27, 28 or 29; Alt with any key types nothing.
std::optional<std::int16_t> characterCode(const QKeyEvent& event);

// Hands each character typed into `box` to `handler` before the box sees it; a code the
// handler sets to 0 swallows the keystroke. Input methods are switched off for the box, so
// every typed character passes here. The box's context menu shows only the shortcuts that
// still work in it.
// The handler returns what the box takes, in words for a user whose character it refused: a
// refused character that would have been seen typed, or a refused Backspace, shows them in a
// note beside the box (showRefusalTip); control characters typed with Ctrl show nothing. The
// next character the handler lets through takes the note away.
using KeyPressHandler = std::function<QString(std::int16_t& keyAscii)>;
void installKeyPressHandler(QLineEdit* box, KeyPressHandler handler);

// Keeps an entry box without a key-press handler to what a Ctrl or Alt combination does in
// one on the desktop the windows are made for: no printable character typed with Ctrl or Alt,
// no word or line deleted; the clipboard, undo and select-all keys work as usual.
// A box that has a key-press handler already has these rules; it is left as it is.
void installEntryKeys(QLineEdit* box);

}  // namespace motoreckon
