#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "core/failures.h"
#include "core/number_parse.h"

namespace motoreckon {

namespace {

// A finite number as its sign, its 15 significant digits (trailing zeros dropped) and the
// power of ten of the first digit.
struct Significant {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// to_chars, unlike printf, ignores the C library's locale, which QApplication sets from the
// environment: on a German desktop printf would write "3,5". The 15 digits must read back as a
// double: from 1.797693134862315e308 on they round past the largest one, an overflow.
Significant SignificantDigits(double value) {
    char buffer[40];
    char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
    double back = 0;
    if (std::from_chars(buffer, end, back).ec != std::errc{}) throw OverflowFailure();
    Significant result;
    const char* p = buffer;
    if (*p == '-') {
        result.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (*p != '.') result.digits += *p;
    }
    std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, end, result.exponent);
    while (result.digits.size() > 1 && result.digits.back() == '0') result.digits.pop_back();
    return result;
}

// The whole part and the fraction part of a general text, without sign or separator.
struct Positional {
    bool negative = false;
    std::string whole;
    std::string fraction;
};

// "0" is put in with assign(1, '0'): g++ 12 at -O3 takes `whole = "0"` for an overlapping copy
// and, with warnings as errors, fails the release build.
Positional PositionalDigits(double value) {
    Positional result;
    if (value == 0.0) {
        result.whole.assign(1, '0');
        return result;
    }
    const Significant s = SignificantDigits(value);
    result.negative = s.negative;
    if (s.exponent >= 0) {
        const auto wholeLength = static_cast<std::size_t>(s.exponent) + 1;
        if (s.digits.size() > wholeLength) {
            result.whole = s.digits.substr(0, wholeLength);
            result.fraction = s.digits.substr(wholeLength);
        } else {
            result.whole = s.digits + std::string(wholeLength - s.digits.size(), '0');
        }
    } else {
        result.whole.assign(1, '0');
        result.fraction = std::string(static_cast<std::size_t>(-s.exponent - 1), '0') + s.digits;
    }
    return result;
}

void RequireFinite(double value) {
    if (!std::isfinite(value)) throw OverflowFailure();
}

bool AllDigits(std::string_view s) {
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Splits a text written like the general text (sign, digits, separator, digits).
bool SplitGeneralText(std::string_view text, const RegionalFormat& format, Positional& out) {
    std::string_view rest = text;
    out = Positional{};
    if (rest.substr(0, 1) == "-") {
        out.negative = true;
        rest.remove_prefix(1);
    } else if (!format.negativeSign.empty() &&
               rest.substr(0, format.negativeSign.size()) == format.negativeSign) {
        out.negative = true;
        rest.remove_prefix(format.negativeSign.size());
    }
    const std::size_t separator = format.decimalSeparator.empty()
                                      ? std::string_view::npos
                                      : rest.find(format.decimalSeparator);
    const std::string_view whole = rest.substr(0, separator);
    const std::string_view fraction = separator == std::string_view::npos
                                          ? std::string_view{}
                                          : rest.substr(separator + format.decimalSeparator.size());
    if (whole.empty() && fraction.empty()) return false;
    if (!AllDigits(whole) || !AllDigits(fraction)) return false;
    out.whole = whole;
    out.fraction = fraction;
    return true;
}

// Adds one to a string of decimal digits.
std::string Increment(std::string digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return '1' + digits;
}

std::string Grouped(const std::string& digits, const RegionalFormat& format) {
    std::string result;
    std::size_t groupSize = static_cast<std::size_t>(format.primaryGroupSize);
    std::size_t inGroup = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (groupSize > 0 && inGroup == groupSize) {
            result.insert(0, format.groupSeparator);
            inGroup = 0;
            groupSize = static_cast<std::size_t>(format.secondaryGroupSize);
        }
        result.insert(result.begin(), *it);
        ++inGroup;
    }
    return result;
}

}  // namespace

std::string GeneralText(double value, const RegionalFormat& format) {
    RequireFinite(value);
    const Positional p = PositionalDigits(value);
    std::string text = p.negative ? format.negativeSign : std::string{};
    text += p.whole;
    if (!p.fraction.empty()) text += format.decimalSeparator + p.fraction;
    return text;
}

std::string TwoDecimalText(std::string_view shown, const RegionalFormat& format) {
    if (shown.empty()) return {};
    Positional p;
    if (!SplitGeneralText(shown, format, p)) {
        SplitGeneralText(GeneralText(ParseNumberStrict(shown, format), format), format, p);
    }
    std::string cents = p.whole + (p.fraction + "00").substr(0, 2);
    if (p.fraction.size() > 2 && p.fraction[2] >= '5') cents = Increment(cents);
    const std::size_t firstNonZero = cents.find_first_not_of('0');
    const bool zero = firstNonZero == std::string::npos;
    std::string whole = cents.substr(0, cents.size() - 2);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    std::string text = (p.negative && !zero) ? format.negativeSign : std::string{};
    return text + whole + format.decimalSeparator + cents.substr(cents.size() - 2);
}

std::string WholeNumberText(double value, const RegionalFormat& format) {
    RequireFinite(value);
    const double rounded = std::round(value);
    if (rounded == 0.0) return "0";
    std::string digits;
    if (std::fabs(rounded) < 1e15) {
        char buffer[32];
        char* end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(rounded),
                                  std::chars_format::fixed, 0)
                        .ptr;
        digits.assign(buffer, end);
    } else {
        digits = PositionalDigits(std::fabs(rounded)).whole;
    }
    return (rounded < 0 ? format.negativeSign : std::string{}) + Grouped(digits, format);
}

std::string PlainIntegerText(std::int32_t value) { return std::to_string(value); }

std::string ExponentText(std::string_view written, int digits, const RegionalFormat& format) {
    Positional p;
    std::string ungrouped(written);
    if (!format.groupSeparator.empty()) {
        for (std::size_t at = ungrouped.find(format.groupSeparator); at != std::string::npos;
             at = ungrouped.find(format.groupSeparator, at)) {
            ungrouped.erase(at, format.groupSeparator.size());
        }
    }
    if (!SplitGeneralText(ungrouped, format, p)) throw ConversionFailure(std::string(written));
    // The significant digits and the power of ten of the first of them.
    std::string all = p.whole + p.fraction;
    const std::size_t first = std::min(all.find_first_not_of('0'), all.size());
    int exponent = static_cast<int>(p.whole.size()) - 1 - static_cast<int>(first);
    all.erase(0, first);
    if (all.empty()) {
        all.assign(1, '0');
        exponent = 0;
    }
    const auto kept = static_cast<std::size_t>(std::clamp(digits, 1, 15));
    if (all.size() > kept) {
        const bool up = all[kept] >= '5';
        all.resize(kept);
        if (up) {
            all = Increment(all);
            if (all.size() > kept) {
                all.pop_back();
                ++exponent;
            }
        }
    }
    while (all.size() > 1 && all.back() == '0') all.pop_back();
    std::string text = p.negative && all != "0" ? format.negativeSign : std::string{};
    text += all.substr(0, 1);
    if (all.size() > 1) text += format.decimalSeparator + all.substr(1);
    return text + (exponent < 0 ? "E-" : "E+") + std::to_string(std::abs(exponent));
}

}  // namespace motoreckon
