// The three number writings. The input is read twice: as a C number for GeneralText and
// WholeNumberText ("1e308", "inf", "nan", and after "0x" the exact bits in hexadecimal, as in
// "0x1.fffffffffffffp+1023", so every double is reachable), and as the text a result label
// shows for TwoDecimalText. In the English and
// the German format: only digits, one sign and one separator are ever written, never "inf",
// "nan" or an exponent; what is written reads back as the number it stands for; a value that
// cannot be written is an overflow failure.

#include <algorithm>
#include <charconv>
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

// Whether a two-decimal text read back as `rounded` lies within half a cent of `value`, give or
// take the rounding of the two readings and of the general text, each under 1e-15 relative.
bool WithinHalfCent(double rounded, double value) {
    const double slack = 1e-14 * std::max(std::fabs(rounded), std::fabs(value));
    return std::fabs(rounded - value) <= 0.005 * (1 + 1e-12) + slack;
}

// The input as a C number, in any locale; a number out of the range of doubles reads as 0.
double ReadDouble(std::string_view text) {
    double value = 0;
    const bool negative = text.substr(0, 1) == "-";
    const std::string_view magnitude = text.substr(negative ? 1 : 0);
    if (magnitude.substr(0, 2) == "0x" || magnitude.substr(0, 2) == "0X") {
        const std::string_view hex = magnitude.substr(2);
        std::from_chars(hex.data(), hex.data() + hex.size(), value, std::chars_format::hex);
        return negative ? -value : value;
    }
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

template <class Writing>
void RequireOverflow(Writing&& writing, const char* what, std::string_view subject) {
    try {
        writing();
        Require(false, what, subject);
    } catch (const OverflowFailure&) {
        // The expected end.
    }
}

// A whole part as the writings put it: "0", or digits without a leading zero.
bool PlainWholeDigits(const std::string& whole) {
    return whole == "0" || (!whole.empty() && whole.front() != '0');
}

std::size_t SignificantDigits(const WrittenNumber& n) {
    const std::string digits = n.whole + n.fraction;
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 0;
    return digits.find_last_not_of('0') - first + 1;
}

void CheckGeneralText(double value, const RegionalFormat& format, std::string_view input) {
    if (!std::isfinite(value) || !FitsIn15Digits(value)) {
        RequireOverflow([&] { GeneralText(value, format); },
                        "GeneralText wrote a number that is not finite", input);
        return;
    }
    const std::string text = GeneralText(value, format);
    WrittenNumber n;
    Require(SplitWritten(text, format, false, n), "GeneralText wrote more than a number", text);
    Require(PlainWholeDigits(n.whole), "GeneralText wrote a bad whole part", text);
    Require(!n.separator || (!n.fraction.empty() && n.fraction.back() != '0'),
            "GeneralText wrote a needless separator or trailing zero", text);
    Require(SignificantDigits(n) <= 15, "GeneralText wrote more than 15 significant digits", text);
    Require(!(n.negative && n.whole == "0" && n.fraction.empty()), "GeneralText wrote -0", text);
    Require(SameTo15Digits(ParseNumberStrict(text, format), value),
            "GeneralText read back as another number", text);
    Require(WithinHalfCent(ParseNumberStrict(TwoDecimalText(text, format), format), value),
            "TwoDecimalText moved a general text by more than half a cent", text);
}

void CheckWholeNumberText(double value, const RegionalFormat& format, std::string_view input) {
    const double rounded = std::round(value);
    if (!std::isfinite(value) || !FitsIn15Digits(rounded)) {
        RequireOverflow([&] { WholeNumberText(value, format); },
                        "WholeNumberText wrote a number that is not finite", input);
        return;
    }
    const std::string text = WholeNumberText(value, format);
    WrittenNumber n;
    Require(SplitWritten(text, format, true, n) && !n.separator,
            "WholeNumberText wrote more than a grouped whole number", text);
    Require(PlainWholeDigits(n.whole), "WholeNumberText wrote a bad whole part", text);
    Require(!(n.negative && n.whole == "0"), "WholeNumberText wrote -0", text);
    Require(SignificantDigits(n) <= 15 || std::fabs(rounded) < 1e15,
            "WholeNumberText wrote more than 15 significant digits", text);
    const double back = ParseNumberStrict(text, format);
    // Below 1e15 every whole number is written in full; above, to 15 significant digits.
    Require(std::fabs(rounded) < 1e15 ? back == rounded : SameTo15Digits(back, rounded),
            "WholeNumberText read back as another number", text);
}

void CheckTwoDecimalText(std::string_view shown, const RegionalFormat& format) {
    std::string text;
    try {
        text = TwoDecimalText(shown, format);
    } catch (const CalculationFailure& failure) {
        Require(failure.kind() != CalculationFailure::Kind::DivisionByZero,
                "TwoDecimalText divided by zero", shown);
        return;
    }
    if (shown.empty()) {
        Require(text.empty(), "the empty text did not stay empty", shown);
        return;
    }
    WrittenNumber n;
    Require(SplitWritten(text, format, false, n) && n.separator && n.fraction.size() == 2,
            "TwoDecimalText wrote more than a number with two decimals", text);
    Require(n.whole.empty() || n.whole.front() != '0', "TwoDecimalText wrote a leading zero", text);
    Require(!(n.negative && n.whole.empty() && n.fraction == "00"), "TwoDecimalText wrote -.00",
            text);
    Require(TwoDecimalText(text, format) == text, "TwoDecimalText changed its own text", text);

    // Only a text that reads as a number gets a two-decimal text.
    const double value = ParseNumberStrict(shown, format);
    const double rounded = ParseNumberStrict(text, format);
    if (!std::isfinite(value) || !std::isfinite(rounded)) return;
    Require(WithinHalfCent(rounded, value), "TwoDecimalText moved the number by over half a cent",
            shown);
    Require(!n.negative || value < 0, "TwoDecimalText made a number negative", shown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = AsText(data, size);
    const double value = ReadDouble(input);
    for (const RegionalFormat* format : {&English(), &German()}) {
        CheckGeneralText(value, *format, input);
        CheckWholeNumberText(value, *format, input);
        CheckTwoDecimalText(input, *format);
    }
    return 0;
}
