#include "input/failures.h"

#include <cmath>
#include <utility>

namespace motoreckon {

namespace {

// A pasted megabyte must not become a megabyte-long message: quote at most this many bytes,
// cut at a character boundary.
constexpr std::size_t kMaxQuotedBytes = 40;

std::string Quoted(const std::string& text) {
    if (text.size() <= kMaxQuotedBytes) return '"' + text + '"';
    std::size_t cut = kMaxQuotedBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return '"' + text.substr(0, cut) + "...\"";
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

CalculationFailure::CalculationFailure(Kind kind, std::string text, std::string field)
    : kind_(kind), text_(std::move(text)), field_(std::move(field)), description_(describe()) {}

std::string CalculationFailure::describe() const {
    switch (kind_) {
        case Kind::Conversion:
            if (IsBlank(text_)) return "Nothing was entered. Enter a number.";
            return Quoted(text_) + " is not a number.";
        case Kind::Overflow:
            if (field_.empty()) return "The result is too large to calculate.";
            return Quoted(text_) + " is too large for this calculation.";
        case Kind::DivisionByZero:
            if (field_.empty()) return "The calculation would divide by zero.";
            return Quoted(text_) + " would make the calculation divide by zero.";
    }
    return {};
}

void RethrowBlaming(const CalculationFailure& failure, std::string_view field,
                    std::string_view text) {
    std::string blamedText(text);
    std::string blamedField(field);
    switch (failure.kind()) {
        case CalculationFailure::Kind::Conversion:
            throw ConversionFailure(std::move(blamedText), std::move(blamedField));
        case CalculationFailure::Kind::Overflow:
            throw OverflowFailure(std::move(blamedText), std::move(blamedField));
        case CalculationFailure::Kind::DivisionByZero:
            throw DivisionByZeroFailure(std::move(blamedText), std::move(blamedField));
    }
    throw failure;
}

double CheckedResult(double value) {
    if (!std::isfinite(value)) throw OverflowFailure();
    return value;
}

double CheckedDivide(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0 || std::isnan(a)) throw OverflowFailure();
        throw DivisionByZeroFailure();
    }
    return CheckedResult(a / b);
}

}  // namespace motoreckon
