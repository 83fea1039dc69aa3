#include "core/number_parse.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "core/failures.h"

namespace motoreckon {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int RadixDigit(char c, int radix) {
    int value = radix;
    if (IsDigit(c)) value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < radix ? value : -1;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Gathers the digits of a decimal number as they are read and turns them into the nearest
// double. Only the first kMaxDigits significant digits are kept, plus one sticky digit that
// remembers whether anything non-zero followed, which is enough for correct rounding; so a
// megabyte of digits costs one pass and a short conversion.
class DecimalDigits {
  public:
    // Reads the digits of the whole part that start at `pos`; returns the position after them.
    std::size_t readIntegerDigits(std::string_view s, std::size_t pos) {
        for (; pos < s.size() && IsDigit(s[pos]) && digits_.size() < kMaxDigits; ++pos) {
            if (!digits_.empty() || s[pos] != '0') digits_ += s[pos];
        }
        const std::size_t rest = pos;
        pos = skipRest(s, pos);
        exponent_ = Saturated(exponent_ + static_cast<long long>(pos - rest));
        return pos;
    }

    // Reads the digits after the decimal separator that start at `pos`; returns the position
    // after them.
    std::size_t readFractionDigits(std::string_view s, std::size_t pos) {
        for (; pos < s.size() && IsDigit(s[pos]) && digits_.size() < kMaxDigits; ++pos) {
            if (!digits_.empty() || s[pos] != '0') digits_ += s[pos];
            exponent_ = Saturated(exponent_ - 1);
        }
        return skipRest(s, pos);
    }

    double value(bool negative, long long writtenExponent) const {
        if (digits_.empty()) return negative ? -0.0 : 0.0;
        std::string text = digits_;
        long long exponent = Saturated(exponent_ + writtenExponent);
        if (sticky_) {
            text += '1';
            exponent = Saturated(exponent - 1);
        }
        const long long leadingPower = exponent + static_cast<long long>(text.size());
        double magnitude = 0.0;
        if (leadingPower > kOverflowPower) {
            magnitude = std::numeric_limits<double>::infinity();
        } else if (leadingPower >= kUnderflowPower) {
            text += 'e';
            text += std::to_string(exponent);
            const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
            if (result.ec == std::errc::result_out_of_range) {
                magnitude = leadingPower > 0 ? std::numeric_limits<double>::infinity() : 0.0;
            }
        }
        return negative ? -magnitude : magnitude;
    }

    // Whether every digit read so far is a 0 (or none was read).
    bool zero() const { return digits_.empty() && !sticky_; }

    static long long Saturated(long long value) {
        if (value > kExponentLimit) return kExponentLimit;
        if (value < -kExponentLimit) return -kExponentLimit;
        return value;
    }

  private:
    // Digits past the kept ones only count, and make the sticky digit when one is not zero.
    std::size_t skipRest(std::string_view s, std::size_t pos) {
        if (!sticky_) {
            while (pos < s.size() && s[pos] == '0') ++pos;
            sticky_ = pos < s.size() && IsDigit(s[pos]);
        }
        while (pos < s.size() && IsDigit(s[pos])) ++pos;
        return pos;
    }

    static constexpr std::size_t kMaxDigits = 800;
    static constexpr long long kExponentLimit = 1'000'000'000;
    static constexpr long long kOverflowPower = 400;
    static constexpr long long kUnderflowPower = -400;

    std::string digits_;
    bool sticky_ = false;
    long long exponent_ = 0;
};

// Reads "E" or "D", an optional sign and at least one digit starting at `pos`. Returns the
// position after it, or `pos` itself when no exponent stands there.
std::size_t ReadExponent(std::string_view s, std::size_t pos, long long& exponent) {
    exponent = 0;
    if (pos >= s.size() || (Lower(s[pos]) != 'e' && Lower(s[pos]) != 'd')) return pos;
    std::size_t p = pos + 1;
    bool negative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
    if (p >= s.size() || !IsDigit(s[p])) return pos;
    for (; p < s.size() && IsDigit(s[p]); ++p) {
        exponent = DecimalDigits::Saturated(exponent * 10 + (s[p] - '0'));
    }
    if (negative) exponent = -exponent;
    return p;
}

// The value of &H / &O digits: 16-bit two's complement when they fit in 16 bits, else 32-bit.
double RadixValue(std::uint64_t digits) {
    if (digits <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(digits));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(digits));
}

// If `s` starts with &H or &O, returns the radix and sets `pos` past the prefix.
int RadixPrefix(std::string_view s, std::size_t& pos) {
    if (s.size() < 2 || s[0] != '&') return 0;
    pos = 2;
    if (Lower(s[1]) == 'h') return 16;
    if (Lower(s[1]) == 'o') return 8;
    return 0;
}

// Inline, as it runs once for every separator of a pasted megabyte.
inline bool StartsAt(std::string_view s, std::size_t pos, std::string_view part) {
    // The first character settles most cases, and all of a one-character separator.
    if (part.empty() || pos >= s.size() || s[pos] != part[0]) return false;
    return part.size() == 1 || s.substr(pos, part.size()) == part;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The digit-group separators of a region as users type them: the region's own, and where it
// groups with a space of some kind (a narrow no-break space in French), the other spaces too,
// and where it groups with a right single quotation mark (in Switzerland), the apostrophe.
class GroupSeparators {
  public:
    explicit GroupSeparators(const RegionalFormat& format) {
        const std::string_view own = format.groupSeparator;
        add(own);
        constexpr std::string_view spaces[] = {" ", "\u00a0", "\u202f"};
        for (const std::string_view space : spaces) {
            if (own == space) {
                for (const std::string_view other : spaces) add(other);
            }
        }
        if (own == "\u2019") add("'");
    }

    // The length of the separator that starts at `pos`, or 0 when none does.
    std::size_t at(std::string_view s, std::size_t pos) const {
        for (std::size_t i = 0; i < count_; ++i) {
            if (StartsAt(s, pos, separators_[i])) return separators_[i].size();
        }
        return 0;
    }

  private:
    void add(std::string_view separator) {
        if (separator.empty() || count_ == separators_.size()) return;
        for (std::size_t i = 0; i < count_; ++i) {
            if (separators_[i] == separator) return;
        }
        separators_[count_++] = separator;
    }

    std::array<std::string_view, 3> separators_{};
    std::size_t count_ = 0;
};

// A correction longer than this is not offered: it would not fit the message.
constexpr std::size_t kMaxCorrection = 40;

// Checks the digit grouping of a whole part as it is read: the group next to the decimal
// separator has the primary size, the ones before it the secondary size, and the first group
// at most that many digits. So "1,000" and "12,34,567" (in India) pass, while "3.73" in German
// is refused rather than silently read as 373.
class WholePartGroups {
  public:
    explicit WholePartGroups(const RegionalFormat& format) : format_(format) {}

    void digits(std::size_t count) { current_ += static_cast<long long>(count); }

    bool separator() {
        if (current_ == 0 || format_.primaryGroupSize <= 0) return false;
        if (separators_ == 0) {
            if (current_ > format_.secondaryGroupSize && current_ > format_.primaryGroupSize) {
                return false;
            }
        } else if (current_ != format_.secondaryGroupSize) {
            return false;
        }
        ++separators_;
        current_ = 0;
        return true;
    }

    bool complete() const { return separators_ == 0 || current_ == format_.primaryGroupSize; }

  private:
    const RegionalFormat& format_;
    int separators_ = 0;
    long long current_ = 0;
};

}  // namespace

namespace {

// The leading number of a text without blanks: its value, where it ends and whether any digit
// was read.
struct LeadingNumber {
    double value = 0.0;
    std::size_t end = 0;
    bool digits = false;
};

LeadingNumber ReadLeading(std::string_view s) {
    std::size_t pos = 0;
    if (const int radix = RadixPrefix(s, pos)) {
        // Digits that would carry the number past 32 bits end it, like any other character
        // that cannot continue it.
        std::uint64_t value = 0;
        for (; pos < s.size(); ++pos) {
            const int digit = RadixDigit(s[pos], radix);
            if (digit < 0 || value * radix + digit > 0xFFFFFFFFu) break;
            value = value * radix + digit;
        }
        return {RadixValue(value), pos, true};
    }

    pos = 0;
    bool negative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) negative = s[pos++] == '-';
    DecimalDigits digits;
    std::size_t end = digits.readIntegerDigits(s, pos);
    bool anyDigit = end > pos;
    pos = end;
    if (pos < s.size() && s[pos] == '.') {
        end = digits.readFractionDigits(s, pos + 1);
        if (!anyDigit && end == pos + 1) return {0.0, pos, false};
        pos = end;
        long long exponent = 0;
        const std::size_t afterExponent = ReadExponent(s, pos, exponent);
        return {digits.value(negative, exponent), afterExponent, true};
    }
    if (!anyDigit) return {0.0, pos, false};
    long long exponent = 0;
    const std::size_t afterExponent = ReadExponent(s, pos, exponent);
    return {digits.value(negative, exponent), afterExponent, true};
}

// Hands `read` the text with every blank, tab and line feed removed. Most texts hold none and
// are handed over as they are; the others are copied without them.
template <class Read>
auto WithoutBlanks(std::string_view text, Read&& read) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
    if (text.find(' ') == text.npos && text.find('\t') == text.npos &&
        text.find('\n') == text.npos) {
        return read(text);
    }
    std::string kept(text.size(), '\0');
    std::size_t length = 0;
    for (const char c : text) {
        kept[length] = c;
        length += blank(c) ? 0 : 1;
    }
    kept.resize(length);
    return read(std::string_view(kept));
}

bool StartsWithDigit(std::string_view s) { return !s.empty() && IsDigit(s.front()); }

double ReadStrict(std::string_view text, const RegionalFormat& format, bool correct);

// What a box reading the full stop as its decimal point should have been given instead of
// `s`, a text without blanks that holds the region's separators: the same number with a full
// stop and without grouping, where the whole text reads as one number in the region's format.
std::string Correction(std::string_view s, const RegionalFormat& format) {
    try {
        ReadStrict(s, format, false);
    } catch (const CalculationFailure&) {
        return {};
    }
    const GroupSeparators groups(format);
    std::string correction;
    for (std::size_t pos = 0; pos < s.size() && correction.size() <= kMaxCorrection;) {
        if (const std::size_t length = groups.at(s, pos)) {
            pos += length;
        } else if (StartsAt(s, pos, format.decimalSeparator)) {
            correction += '.';
            pos += format.decimalSeparator.size();
        } else if (pos == 0 && StartsAt(s, pos, format.negativeSign)) {
            correction += '-';
            pos += format.negativeSign.size();
        } else {
            correction += s[pos++];
        }
    }
    return correction.size() <= kMaxCorrection ? correction : std::string();
}

// Where `s`, a text that is not a number in the regional format, is one written with another
// region's decimal mark in place of this region's digit-group separator ("0,700" on an English
// desktop, "0.700" on a German one): the number as this region writes it, else nothing. The
// separator stands once and the region's decimal separator not at all, so the reading is clear.
std::string OtherDecimalCorrection(std::string_view s, const RegionalFormat& format) {
    const std::string_view group = format.groupSeparator;
    const std::string_view decimal = format.decimalSeparator;
    if ((group != "," && group != ".") || decimal == group || s.size() > kMaxCorrection) return {};
    const std::size_t at = s.find(group);
    if (at == s.npos || s.find(group, at + 1) != s.npos || s.find(decimal) != s.npos) return {};
    std::string correction(s);
    correction.replace(at, group.size(), decimal);
    try {
        ReadStrict(correction, format, false);
    } catch (const CalculationFailure&) {
        return {};
    }
    return correction;
}

// The whole text as one number in the regional format. A text that is not one is a
// ConversionFailure; with `correct`, one that is a number written with another region's decimal
// mark carries that number as the region writes it.
double ReadStrict(std::string_view text, const RegionalFormat& format, bool correct) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    const std::string_view s = text.substr(first, last - first);
    const auto fail = [&]() {
        std::string correction = correct ? OtherDecimalCorrection(s, format) : std::string();
        if (correction.empty()) return ConversionFailure(std::string(text));
        return ConversionFailure(std::string(text), kNoField,
                                 CalculationFailure::Cause::OtherDecimalMark,
                                 std::move(correction));
    };
    if (s.empty()) throw fail();

    std::size_t pos = 0;
    if (const int radix = RadixPrefix(s, pos)) {
        if (pos == s.size()) throw fail();
        std::uint64_t value = 0;
        for (; pos < s.size(); ++pos) {
            const int digit = RadixDigit(s[pos], radix);
            if (digit < 0) throw fail();
            value = value * radix + digit;
            if (value > 0xFFFFFFFFu) throw OverflowFailure(std::string(text));
        }
        return RadixValue(value);
    }

    pos = 0;
    bool negative = false;
    if (s[pos] == '+' || s[pos] == '-') {
        negative = s[pos++] == '-';
    } else if (format.negativeSign != "-" && StartsAt(s, pos, format.negativeSign)) {
        negative = true;
        pos += format.negativeSign.size();
    }

    const std::string_view decimalSeparator = format.decimalSeparator;
    const GroupSeparators groupSeparators(format);
    DecimalDigits digits;
    bool anyDigit = false;
    bool inFraction = false;
    WholePartGroups groups(format);
    while (pos < s.size()) {
        if (IsDigit(s[pos])) {
            if (inFraction) {
                pos = digits.readFractionDigits(s, pos);
            } else {
                const std::size_t start = pos;
                pos = digits.readIntegerDigits(s, pos);
                groups.digits(pos - start);
            }
            anyDigit = true;
        } else if (!inFraction && StartsAt(s, pos, decimalSeparator)) {
            inFraction = true;
            pos += decimalSeparator.size();
        } else if (const std::size_t length = inFraction ? 0 : groupSeparators.at(s, pos)) {
            // No region writes a number whose first group is 0: "0,700" is a decimal written
            // with another region's mark, never 700.
            if (digits.zero() || !groups.separator()) throw fail();
            pos += length;
        } else {
            break;
        }
    }
    if (!groups.complete()) throw fail();
    if (!anyDigit) throw fail();
    long long exponent = 0;
    pos = ReadExponent(s, pos, exponent);
    if (pos != s.size()) throw fail();
    return digits.value(negative, exponent);
}

// Whether `s`, the whole part of a number, is one or more zeros after an optional sign.
bool IsZeroGroup(std::string_view s) {
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    return !s.empty() && s.find_first_not_of('0') == s.npos;
}

// `s` with the comma at `comma` written as a full stop, where the whole of it then reads as
// one number.
std::string CommaCorrection(std::string_view s, std::size_t comma) {
    if (s.size() > kMaxCorrection) return {};
    std::string correction(s);
    correction[comma] = '.';
    return ReadLeading(correction).end == correction.size() ? correction : std::string();
}

}  // namespace

double ParseLeadingNumber(std::string_view text) {
    return WithoutBlanks(text, [](std::string_view s) { return ReadLeading(s).value; });
}

double ReadLeadingNumber(std::string_view text, const RegionalFormat& format) {
    return WithoutBlanks(text, [&](std::string_view s) {
        const LeadingNumber number = ReadLeading(s);
        const std::string_view decimal = format.decimalSeparator;
        const auto separatorThenDigit = [&](std::size_t length) {
            return length > 0 && StartsWithDigit(s.substr(number.end + length));
        };
        CalculationFailure::Cause cause = CalculationFailure::Cause::Unknown;
        if (decimal != "." && StartsAt(s, number.end, decimal) &&
            separatorThenDigit(decimal.size())) {
            // "3,48" in German would read as 3.
            cause = CalculationFailure::Cause::DecimalSeparator;
        } else if (const std::size_t group =
                       number.digits ? GroupSeparators(format).at(s, number.end) : 0;
                   separatorThenDigit(group)) {
            // "3,200" in English, or "1 000" in French written with its narrow no-break space,
            // would read as 3 or 1. No region writes a first group of 0, so "0,500" is a
            // decimal written with a comma, never 500.
            if (IsZeroGroup(s.substr(0, number.end)) && s.substr(number.end, group) == ",") {
                throw ConversionFailure(std::string(text), kNoField,
                                        CalculationFailure::Cause::DecimalSeparator,
                                        CommaCorrection(s, number.end));
            }
            cause = CalculationFailure::Cause::GroupSeparator;
        } else {
            return number.value;
        }
        throw ConversionFailure(std::string(text), kNoField, cause, Correction(s, format));
    });
}

double ParseNumberStrict(std::string_view text, const RegionalFormat& format) {
    return ReadStrict(text, format, true);
}

namespace {

double RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5) return below + 1.0;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

template <class Int>
Int RoundToInt(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<Int>::min() &&
          rounded <= std::numeric_limits<Int>::max())) {
        throw OverflowFailure();
    }
    return static_cast<Int>(rounded);
}

}  // namespace

std::int16_t RoundToInt16(double value) { return RoundToInt<std::int16_t>(value); }

std::int32_t RoundToInt32(double value) { return RoundToInt<std::int32_t>(value); }

}  // namespace motoreckon
