#pragma once

#include <cstddef>
#include <cstdint>

namespace motoreckon {

// Character codes of the keystrokes the filters care about, and of the control characters that
// Ctrl combinations type.
inline constexpr std::int16_t kKeyBackspace = 8;
inline constexpr std::int16_t kKeyTab = 9;
inline constexpr std::int16_t kKeyLineFeed = 10;  // Ctrl+Enter
inline constexpr std::int16_t kKeyEnter = 13;
inline constexpr std::int16_t kKeyEscape = 27;          // Esc, Ctrl+[
inline constexpr std::int16_t kKeyFileSeparator = 28;   // Ctrl+backslash
inline constexpr std::int16_t kKeyGroupSeparator = 29;  // Ctrl+]
inline constexpr std::int16_t kKeyPercent = 37;
inline constexpr std::int16_t kKeyDelete = 127;  // Ctrl+Backspace

// Lets tab, backspace, the percent sign and the digits pass; sets every other code to 0,
// which swallows the keystroke.
void FilterNumericKey(std::int16_t& keyAscii);

// Why a box's rule refused a character, if it did.
enum class KeyRefusal {
    None,        // the character passes
    NotNumeric,  // FilterNumericKey refused it
    BoxFull,     // the box holds as many characters as it takes
};

// The rule of a box that takes at most `maxLength` characters: once its text is that long,
// every character is refused, backspace included; otherwise FilterNumericKey decides.
KeyRefusal FilterLimitedNumericKey(std::int16_t& keyAscii, std::size_t currentLength,
                                   std::size_t maxLength);

}  // namespace motoreckon
