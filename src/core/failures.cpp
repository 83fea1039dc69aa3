#include "core/failures.h"

#include <cmath>
#include <utility>

namespace motoreckon {

namespace {

// A pasted megabyte must not become a megabyte-long message: quote at most this many bytes,
// cut at a character boundary.
constexpr std::size_t kMaxQuotedBytes = 40;

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kFirstStrongIsolate = 0x2068;
constexpr char32_t kPopDirectionalIsolate = 0x2069;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes the character that starts at `pos` and moves `pos` past it. A byte that does not
// start a well-formed character reads as the replacement character.
char32_t NextCharacter(std::string_view s, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    int length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, least = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + length > s.size()) {
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    pos += length;
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kReplacement;
    return c;
}

// Characters that would break the message's line or show as nothing: control characters and
// the line and paragraph separators.
bool Unprintable(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

bool OpensIsolate(char32_t c) { return c >= 0x2066 && c <= 0x2068; }

// The text as the user typed it, cut short, between quotes. It is set apart as an isolate of
// its own writing direction, so that a right-to-left override typed into a box turns only
// what it was typed with; isolates the text leaves open are closed before the quote ends,
// and one it closes that it never opened is shown as a replacement character.
std::string Quoted(std::string_view text) {
    const bool cut = text.size() > kMaxQuotedBytes;
    std::string_view shown = text;
    if (cut) {
        std::size_t end = kMaxQuotedBytes;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
        shown = text.substr(0, end);
    }
    std::string result = "\"";
    AppendUtf8(result, kFirstStrongIsolate);
    int openIsolates = 0;
    for (std::size_t pos = 0; pos < shown.size();) {
        char32_t c = NextCharacter(shown, pos);
        if (Unprintable(c)) c = kReplacement;
        if (OpensIsolate(c)) ++openIsolates;
        if (c == kPopDirectionalIsolate) {
            if (openIsolates == 0) {
                c = kReplacement;
            } else {
                --openIsolates;
            }
        }
        AppendUtf8(result, c);
    }
    for (; openIsolates > 0; --openIsolates) AppendUtf8(result, kPopDirectionalIsolate);
    if (cut) result += "...";
    AppendUtf8(result, kPopDirectionalIsolate);
    return result + '"';
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

CalculationFailure::CalculationFailure(Kind kind, std::string text, FieldId field, Cause cause,
                                       std::string correction)
    : kind_(kind),
      cause_(cause),
      text_(std::move(text)),
      field_(field),
      correction_(std::move(correction)),
      description_(describe()) {}

std::string CalculationFailure::describe() const {
    switch (kind_) {
        case Kind::Conversion:
            if (cause_ == Cause::DecimalSeparator || cause_ == Cause::GroupSeparator) {
                const std::string advice =
                    cause_ == Cause::DecimalSeparator
                        ? " \u2014 write the decimal point as a full stop"
                        : " \u2014 write the number without digit-group separators";
                if (!correction_.empty()) return Quoted(text_) + advice + ": " + correction_;
                if (cause_ == Cause::DecimalSeparator) return Quoted(text_) + advice + ".";
                return Quoted(text_) + advice + ", with a full stop as the decimal point.";
            }
            if (IsBlank(text_)) return "Nothing was entered. Enter a number.";
            if (cause_ == Cause::OtherDecimalMark && !correction_.empty()) {
                return Quoted(text_) +
                       " is not a number in your region's format \u2014 write it as " + correction_;
            }
            return Quoted(text_) + " is not a number.";
        case Kind::Overflow:
        case Kind::DivisionByZero:
            break;
    }
    if (cause_ == Cause::NearZero && field_ != kNoField) {
        return Quoted(text_) + " is too close to zero for this calculation.";
    }
    if (kind_ == Kind::DivisionByZero) {
        if (field_ == kNoField) return "The calculation would divide by zero.";
        if (cause_ == Cause::CancelsOut) {
            return Quoted(text_) +
                   " cancels the numbers it is added to, so the calculation would divide by zero.";
        }
        return Quoted(text_) + " would make the calculation divide by zero.";
    }
    if (cause_ == Cause::ZeroByZero) {
        if (field_ == kNoField) return "The result cannot be calculated: 0 divided by 0.";
        return Quoted(text_) +
               " would make the calculation divide 0 by 0, which cannot be calculated.";
    }
    if (field_ == kNoField) return "The result is too large to calculate.";
    if (cause_ == Cause::Negative) {
        return Quoted(text_) + " is too far below zero for this calculation.";
    }
    return Quoted(text_) + " is too large for this calculation.";
}

void RethrowBlaming(const CalculationFailure& failure, const EntryValue& entry,
                    CalculationFailure::Cause cause) {
    using Cause = CalculationFailure::Cause;
    std::string text(entry.text);
    const FieldId field = entry.field;
    if (cause == Cause::Unknown) cause = failure.cause();
    switch (failure.kind()) {
        case CalculationFailure::Kind::Conversion:
            throw ConversionFailure(std::move(text), field, cause, failure.correction());
        case CalculationFailure::Kind::Overflow:
            // A box that was read says by its value whether it lies below zero; one whose reading
            // overflowed, the failure says.
            if ((cause == Cause::Unknown || cause == Cause::Negative) && !std::isnan(entry.value)) {
                cause = entry.value < 0 ? Cause::Negative : Cause::Unknown;
            }
            throw OverflowFailure(std::move(text), field, cause);
        case CalculationFailure::Kind::DivisionByZero:
            throw DivisionByZeroFailure(std::move(text), field, cause);
    }
    throw failure;
}

const EntryValue& OverflowCulprit(std::initializer_list<EntryValue> fedBy, double lowest,
                                  double highest) {
    const EntryValue* largest = fedBy.begin();
    for (const EntryValue& entry : fedBy) {
        if (!(entry.value >= lowest && entry.value <= highest)) return entry;
        if (std::fabs(entry.value) > std::fabs(largest->value)) largest = &entry;
    }
    return *largest;
}

void RethrowQuotientFailure(const CalculationFailure& failure,
                            std::initializer_list<EntryValue> fedBy,
                            std::initializer_list<EntryValue> divisors) {
    using Cause = CalculationFailure::Cause;
    const auto isDivisor = [&divisors](const EntryValue& entry) {
        for (const EntryValue& divisor : divisors) {
            if (divisor.field == entry.field) return true;
        }
        return false;
    };
    const EntryValue* nearest = divisors.begin();
    for (const EntryValue& divisor : divisors) {
        if (std::fabs(divisor.value) < std::fabs(nearest->value)) nearest = &divisor;
    }
    if (failure.kind() == CalculationFailure::Kind::DivisionByZero ||
        failure.cause() == Cause::ZeroByZero) {
        // Divisors that are none of them 0 made a product too close to zero to be told from it.
        if (nearest->value != 0) RethrowBlaming(failure, *nearest, Cause::NearZero);
        // 0 by 0 only where the dividend holds a 0 of its own, not one it came so close to.
        for (const EntryValue& entry : fedBy) {
            if (!isDivisor(entry) && entry.value == 0) {
                RethrowBlaming(OverflowFailure({}, kNoField, Cause::ZeroByZero), *nearest);
            }
        }
        RethrowBlaming(DivisionByZeroFailure(), *nearest);
    }
    // How far each box takes the quotient, in powers of ten: a factor of the dividend by its
    // size, a divisor by its nearness to zero. A box that is both counts as a divisor.
    const EntryValue* culprit = nearest;
    double reach = -std::log10(std::fabs(culprit->value));
    for (const EntryValue& entry : fedBy) {
        if (isDivisor(entry)) continue;
        const double power = std::log10(std::fabs(entry.value));
        if (power > reach) {
            culprit = &entry;
            reach = power;
        }
    }
    RethrowBlaming(failure, *culprit, isDivisor(*culprit) ? Cause::NearZero : Cause::Unknown);
}

double CheckedResult(double value) {
    if (!std::isfinite(value)) {
        throw OverflowFailure(
            {}, kNoField,
            value < 0 ? CalculationFailure::Cause::Negative : CalculationFailure::Cause::Unknown);
    }
    return value;
}

double CheckedDivide(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0 || std::isnan(a)) {
            throw OverflowFailure({}, kNoField, CalculationFailure::Cause::ZeroByZero);
        }
        throw DivisionByZeroFailure();
    }
    return CheckedResult(a / b);
}

}  // namespace motoreckon
