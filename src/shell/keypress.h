#pragma once

#include <cstdint>
#include <functional>
#include <optional>

class QKeyEvent;
class QLineEdit;

namespace motoreckon {

// The character code a keystroke types, or nothing for keystrokes that type no character
// (Delete, cursor and function keys, and Tab, which moves the focus). Ctrl with a letter
// types its control code: Ctrl+C 3, Ctrl+V 22, Ctrl+X 24.
std::optional<std::int16_t> characterCode(const QKeyEvent& event);

// Hands each character typed into `box` to `handler` before the box sees it; a code the
// handler sets to 0 swallows the keystroke. Input methods are switched off for the box, so
// every typed character passes here.
using KeyPressHandler = std::function<void(std::int16_t& keyAscii)>;
void installKeyPressHandler(QLineEdit* box, KeyPressHandler handler);

}  // namespace motoreckon
