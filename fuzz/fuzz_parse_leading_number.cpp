// ParseLeadingNumber on any text: it never fails, never gives NaN, reads only the leading
// number, and agrees with the strict reading wherever the whole text is one plain number.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/failures.h"
#include "core/number_parse.h"
#include "fuzz_checks.h"

using namespace motoreckon;
using namespace motoreckon::fuzz;

namespace {

char FirstNonBlank(std::string_view text) {
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') return c;
    }
    return '\0';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = AsText(data, size);
    const double value = ParseLeadingNumber(text);
    Require(!std::isnan(value), "ParseLeadingNumber gave NaN", text);

    // An "x" can continue no number, so nothing after it counts. (Values compare with ==
    // here and below: infinities match, and the sign of a zero does not count.)
    const std::string cut = std::string(text) + "x" + std::string(text);
    Require(ParseLeadingNumber(cut) == value, "text after the number changed it", text);

    // A sign in front of a number that starts with a digit or a point negates it or keeps it.
    const char first = FirstNonBlank(text);
    if (IsDigit(first) || first == '.') {
        Require(ParseLeadingNumber("-" + std::string(text)) == -value,
                "a minus sign did not negate the number", text);
        Require(ParseLeadingNumber("+" + std::string(text)) == value,
                "a plus sign changed the number", text);
    }

    // A text that is wholly one number without group separators reads the same both ways.
    if (text.find(',') == std::string_view::npos) {
        try {
            const double strict = ParseNumberStrict(text, English());
            Require(strict == value, "the leading and the strict reading differ", text);
        } catch (const CalculationFailure&) {
            // Not wholly a number: nothing to compare.
        }
    }
    return 0;
}
