// The keystroke filter of a numeric box that takes at most six characters (the RPM box of the
// carburetor window). The input is a run of keystrokes typed into an empty box: a byte below
// 0x80 is one character code; a byte from 0x80 up starts a full 16-bit code in the two bytes
// after it, so every code a keyboard can send is reachable. The filter may only swallow a
// keystroke or let it through unchanged, lets through what FilterNumericKey lets through while
// the box has room, and the box never holds more than six characters or anything but digits
// and percent signs.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/key_filter.h"
#include "fuzz_checks.h"

using namespace motoreckon;
using namespace motoreckon::fuzz;

namespace {

constexpr std::size_t kMaxLength = 6;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view keys = AsText(data, size);
    std::u16string box;
    for (std::size_t i = 0; i < size; ++i) {
        std::int16_t code = static_cast<std::int16_t>(data[i]);
        if (data[i] >= 0x80) {
            if (i + 2 >= size) break;
            code = static_cast<std::int16_t>((data[i + 1] << 8) | data[i + 2]);
            i += 2;
        }
        std::int16_t limited = code;
        FilterLimitedNumericKey(limited, box.size(), kMaxLength);
        std::int16_t unlimited = code;
        FilterNumericKey(unlimited);
        Require(unlimited == code || unlimited == 0, "FilterNumericKey changed a keystroke", keys);
        Require(limited == (box.size() < kMaxLength ? unlimited : 0),
                "the six-character rule let the wrong keystroke through", keys);

        // What the box does with a keystroke that passed; tab moves the focus.
        if (limited == kKeyBackspace) {
            if (!box.empty()) box.pop_back();
        } else if (limited != 0 && limited != kKeyTab) {
            box += static_cast<char16_t>(static_cast<std::uint16_t>(limited));
        }
        Require(box.size() <= kMaxLength, "the box took more than six characters", keys);
        Require(box.find_first_not_of(u"0123456789%") == std::u16string::npos,
                "the box took a character that is not a digit or a percent sign", keys);
    }
    return 0;
}
