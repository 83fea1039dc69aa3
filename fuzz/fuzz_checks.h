#pragma once

// What the fuzz targets check beyond "no crash": a failed check prints what failed and aborts,
// so libFuzzer keeps the input as a crash.

#include <time.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "core/regional_format.h"

namespace motoreckon::fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The subject of a failed check, cut short and with unprintable bytes escaped.
inline std::string Shown(std::string_view text) {
    constexpr std::size_t kShownBytes = 200;
    std::string shown;
    for (const char c : text.substr(0, kShownBytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    if (text.size() > kShownBytes) shown += "... (" + std::to_string(text.size()) + " bytes)";
    return shown;
}

inline void Require(bool holds, const char* what, std::string_view subject = {}) {
    if (holds) return;
    std::fprintf(stderr, "\nCheck failed: %s\n  on \"%s\"\n", what, Shown(subject).c_str());
    std::abort();
}

// The value with 15 significant digits in exponent form. to_chars, like every helper here,
// ignores the C library locale the targets run under.
inline std::string Digits15(double value) {
    char buffer[40];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    return {buffer, result.ptr};
}

// Whether two doubles agree to 15 significant digits, that is, written with 15 significant
// digits they give the same text. A subnormal double holds fewer digits than that: a 15-digit
// text below DBL_MIN (under 1e-307) lies within half a unit of its 15th digit, at most 5e-323,
// and reads back within half the subnormal spacing of that, so within 10.62 times the spacing.
inline bool SameTo15Digits(double a, double b) {
    if (Digits15(a) == Digits15(b)) return true;
    const double smallest = std::numeric_limits<double>::denorm_min();
    const bool subnormal = std::fabs(a) < DBL_MIN || std::fabs(b) < DBL_MIN;
    return subnormal && std::fabs(a - b) <= 11 * smallest;
}

// Whether a finite double, rounded to 15 significant digits, is still at most DBL_MAX. The one
// 15-digit rounding beyond it is that of DBL_MAX itself, 1.79769313486232e308, shared by the
// largest doubles from 1.797693134862315e308 on.
inline bool FitsIn15Digits(double value) {
    return Digits15(std::fabs(value)) != Digits15(std::numeric_limits<double>::max());
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The parts of a number written as the writings write it: an optional negative sign, the
// whole digits (possibly grouped), and the fraction digits after the decimal separator.
struct WrittenNumber {
    bool negative = false;
    bool separator = false;
    std::string whole;  // digits only, group separators removed
    std::string fraction;
};

// Splits `text` into a WrittenNumber; false when it holds anything else, or group separators
// that `grouped` does not allow or that stand in the wrong places. Nothing but digits, one
// sign and one separator may appear, so no "inf", "nan" or exponent passes.
inline bool SplitWritten(std::string_view text, const RegionalFormat& format, bool grouped,
                         WrittenNumber& out) {
    out = WrittenNumber{};
    if (!format.negativeSign.empty() &&
        text.substr(0, format.negativeSign.size()) == format.negativeSign) {
        out.negative = true;
        text.remove_prefix(format.negativeSign.size());
    }
    std::size_t groups = 0;
    std::size_t sinceSeparator = 0;
    while (!text.empty() && !out.separator) {
        if (IsDigit(text.front())) {
            out.whole += text.front();
            ++sinceSeparator;
            text.remove_prefix(1);
        } else if (grouped &&
                   text.substr(0, format.groupSeparator.size()) == format.groupSeparator) {
            // The first group holds one to a full group of digits, every later one a full
            // group; the last, checked below, has the primary size.
            const auto size = static_cast<std::size_t>(format.secondaryGroupSize);
            if (sinceSeparator == 0 || sinceSeparator > size) return false;
            if (groups > 0 && sinceSeparator != size) return false;
            ++groups;
            sinceSeparator = 0;
            text.remove_prefix(format.groupSeparator.size());
        } else if (text.substr(0, format.decimalSeparator.size()) == format.decimalSeparator) {
            out.separator = true;
            text.remove_prefix(format.decimalSeparator.size());
        } else {
            return false;
        }
    }
    if (groups > 0 && sinceSeparator != static_cast<std::size_t>(format.primaryGroupSize)) {
        return false;
    }
    for (const char c : text) {
        if (!IsDigit(c)) return false;
        out.fraction += c;
    }
    return !out.whole.empty() || !out.fraction.empty();
}

// CPU time of this thread, which other programs on a busy machine do not inflate.
inline double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

inline const RegionalFormat& English() {
    static const RegionalFormat format = RegionalFormat::English();
    return format;
}

inline const RegionalFormat& German() {
    static const RegionalFormat format = RegionalFormat::German();
    return format;
}

}  // namespace motoreckon::fuzz
