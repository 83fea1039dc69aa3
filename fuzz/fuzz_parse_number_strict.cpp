// ParseNumberStrict on any text, in the English and the German format: a conversion or an
// overflow failure carrying the text is the only way it fails; it never gives NaN; blanks
// around the text and a sign in front behave; a finite result survives its general text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/failures.h"
#include "core/number_parse.h"
#include "core/number_text.h"
#include "fuzz_checks.h"

using namespace motoreckon;
using namespace motoreckon::fuzz;

namespace {

using Kind = CalculationFailure::Kind;

struct Outcome {
    bool failed = false;
    Kind kind = Kind::Conversion;
    double value = 0;

    // Values compare with ==: infinities match, and the sign of a zero does not count.
    bool operator==(const Outcome& other) const {
        if (failed != other.failed) return false;
        return failed ? kind == other.kind : value == other.value;
    }
};

Outcome Strict(std::string_view text, const RegionalFormat& format) {
    try {
        const double value = ParseNumberStrict(text, format);
        Require(!std::isnan(value), "ParseNumberStrict gave NaN", text);
        return {false, Kind::Conversion, value};
    } catch (const CalculationFailure& failure) {
        Require(failure.kind() != Kind::DivisionByZero, "reading a text divided by zero", text);
        Require(failure.text() == text, "the failure does not carry the text", text);
        return {true, failure.kind(), 0};
    }
}

void CheckFormat(std::string_view text, const RegionalFormat& format, const Outcome& outcome) {
    Require(Strict(" \t" + std::string(text) + "\t ", format) == outcome,
            "blanks around the text changed its reading", text);

    if (!text.empty() && IsDigit(text.front())) {
        Outcome negated = outcome;
        negated.value = -negated.value;
        Require(Strict("-" + std::string(text), format) == negated,
                "a minus sign did not negate the number", text);
    }

    if (outcome.failed) return;
    const double value = outcome.value;
    if (!std::isfinite(value) || !FitsIn15Digits(value)) {
        try {
            GeneralText(value, format);
            Require(false, "a number beyond the largest double was written", text);
        } catch (const OverflowFailure&) {
            // The one way a number too large to write may end.
        }
        return;
    }
    const std::string written = GeneralText(value, format);
    Require(SameTo15Digits(ParseNumberStrict(written, format), value),
            "the general text read back as another number", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = AsText(data, size);
    const Outcome english = Strict(text, English());
    const Outcome german = Strict(text, German());
    CheckFormat(text, English(), english);
    CheckFormat(text, German(), german);

    // Without a point or a comma the two formats cannot differ.
    if (text.find_first_of(".,") == std::string_view::npos) {
        Require(english == german, "English and German read a text without separators apart", text);
    }
    return 0;
}
