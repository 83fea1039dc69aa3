#pragma once

#include <exception>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>

namespace motoreckon {

// An entry of a calculation, by the number its calculation gives it: each calculation numbers
// its own entries from 0 (the Field enum of its entries), and the window maps them to its
// boxes. The default is no entry at all.
struct FieldId {
    constexpr FieldId() = default;
    constexpr FieldId(int entry) : number(entry) {}  // from a calculation's Field enum

    int number = -1;
    friend constexpr bool operator==(FieldId, FieldId) = default;
};
inline constexpr FieldId kNoField{};

// Why a calculation stopped early. A failure may blame one entry: `field` is then its number
// and `text` is what its box held, so the window can name the box, quote its text and move the
// focus there.
class CalculationFailure : public std::exception {
  public:
    enum class Kind { Conversion, Overflow, DivisionByZero };

    // What more is known of the cause, so that the message can say it in plain words.
    enum class Cause {
        Unknown,
        // An overflow blamed on a box whose value is below zero.
        Negative,
        // A failure blamed on a box whose value is so close to zero that dividing by it cannot
        // be calculated.
        NearZero,
        // An overflow that is 0 divided by 0.
        ZeroByZero,
        // A conversion that met the region's decimal separator in a box that reads only the
        // full stop as its decimal point.
        DecimalSeparator,
        // A conversion that met the region's digit-group separator right after a number, in a
        // box whose reading would end the number there.
        GroupSeparator,
        // A conversion of a box read in the region's format whose text is a number written with
        // another region's decimal mark ("0,700" on an English desktop).
        OtherDecimalMark,
        // A division by zero blamed on a box that is not 0 but cancels the numbers it is added
        // to, leaving nothing to divide by.
        CancelsOut,
    };

    CalculationFailure(Kind kind, std::string text = {}, FieldId field = kNoField,
                       Cause cause = Cause::Unknown, std::string correction = {});
    virtual ~CalculationFailure() = default;

    Kind kind() const { return kind_; }
    Cause cause() const { return cause_; }
    const std::string& text() const { return text_; }
    FieldId field() const { return field_; }
    // For a regional separator: the number as the box reads it, written with a full stop and
    // without grouping, when that is clear; for another region's decimal mark, the number as
    // the region writes it.
    const std::string& correction() const { return correction_; }

    // The failure in plain words, without the name of the box, for example
    // `"26in" is not a number.` or `"1e-310" is too close to zero for this calculation.` A quoted
    // text keeps to one line and cannot turn the writing direction of the rest of the message.
    std::string describe() const;
    const char* what() const noexcept override { return description_.c_str(); }

  private:
    Kind kind_;
    Cause cause_;
    std::string text_;
    FieldId field_;
    std::string correction_;
    std::string description_;
};

class ConversionFailure : public CalculationFailure {
  public:
    explicit ConversionFailure(std::string text, FieldId field = kNoField,
                               Cause cause = Cause::Unknown, std::string correction = {})
        : CalculationFailure(Kind::Conversion, std::move(text), field, cause,
                             std::move(correction)) {}
};

class OverflowFailure : public CalculationFailure {
  public:
    explicit OverflowFailure(std::string text = {}, FieldId field = kNoField,
                             Cause cause = Cause::Unknown)
        : CalculationFailure(Kind::Overflow, std::move(text), field, cause) {}
};

class DivisionByZeroFailure : public CalculationFailure {
  public:
    explicit DivisionByZeroFailure(std::string text = {}, FieldId field = kNoField,
                                   Cause cause = Cause::Unknown)
        : CalculationFailure(Kind::DivisionByZero, std::move(text), field, cause) {}
};

// A number a calculation read from an entry: the entry, its text and the value read from it
// (not a number while it has not been read).
struct EntryValue {
    FieldId field = kNoField;
    std::string_view text;
    double value = 0;
};

// Throws `failure` again, now blaming the box of `entry`: an overflow blamed on a value below
// zero says so. `cause`, when given, says why the box is to blame.
[[noreturn]] void RethrowBlaming(
    const CalculationFailure& failure, const EntryValue& entry,
    CalculationFailure::Cause cause = CalculationFailure::Cause::Unknown);

// The box an overflow of a step fed by `fedBy` is blamed on: the first whose value lies
// outside [lowest, highest] (or is not a number at all), else the one of largest magnitude.
const EntryValue& OverflowCulprit(std::initializer_list<EntryValue> fedBy, double lowest,
                                  double highest);

// Reads the entry `field` holding `text` with `read` (text to number). A failure of the reading
// blames the entry.
template <class Read>
EntryValue ReadEntry(FieldId field, std::string_view text, Read&& read) {
    try {
        return {field, text, read(text)};
    } catch (const CalculationFailure& failure) {
        if (failure.field() != kNoField) throw;
        RethrowBlaming(failure, {field, text, std::numeric_limits<double>::quiet_NaN()});
    }
}

// Runs one step of a calculation whose result depends on the numbers `fedBy` read from the
// boxes. A failure of the step that blames no box yet blames one of them: with one box, that
// box; else the culprit of an overflow (OverflowCulprit over [lowest, highest], the range of
// values the step can take). A step that divides by boxes blames as QuotientStep does.
template <class Step>
auto BlameStep(std::initializer_list<EntryValue> fedBy, Step&& step,
               double lowest = -std::numeric_limits<double>::max(),
               double highest = std::numeric_limits<double>::max()) -> decltype(step()) {
    try {
        return step();
    } catch (const CalculationFailure& failure) {
        if (failure.field() != kNoField || fedBy.size() == 0) throw;
        if (fedBy.size() == 1) RethrowBlaming(failure, *fedBy.begin());
        if (failure.kind() != CalculationFailure::Kind::Overflow) throw;
        RethrowBlaming(failure, OverflowCulprit(fedBy, lowest, highest));
    }
}

// The result of one arithmetic step: an overflow failure unless it is a finite number (one
// far below zero says so).
double CheckedResult(double value);

// a / b as one step of a calculation: a zero divisor is a division-by-zero failure when the
// dividend is not zero and an overflow failure when it is (0 / 0); a result that is not a
// finite number is an overflow failure.
double CheckedDivide(double a, double b);

// Throws `failure`, a failure of a step that divides by the product of `divisors`, the others
// of `fedBy` making the dividend, again blaming the box to blame. A divisor that is 0 is
// blamed as dividing by zero, or 0 by 0 where a box of the dividend is 0 as well. Divisors that
// are not 0 but whose product came so close to zero that it reads as zero blame the one nearest
// zero as too close to zero. An overflow blames the box that takes the quotient furthest: a
// factor of the dividend by its size, a divisor by its nearness to zero.
[[noreturn]] void RethrowQuotientFailure(const CalculationFailure& failure,
                                         std::initializer_list<EntryValue> fedBy,
                                         std::initializer_list<EntryValue> divisors);

// Runs one step of a calculation that divides by the product of the numbers `divisors`, fed
// besides by the others of `fedBy`; a failure that blames no box yet is blamed as
// RethrowQuotientFailure says.
template <class Step>
auto QuotientStep(std::initializer_list<EntryValue> fedBy,
                  std::initializer_list<EntryValue> divisors, Step&& step) -> decltype(step()) {
    try {
        return step();
    } catch (const CalculationFailure& failure) {
        if (failure.field() != kNoField || failure.kind() == CalculationFailure::Kind::Conversion) {
            throw;
        }
        RethrowQuotientFailure(failure, fedBy, divisors);
    }
}

}  // namespace motoreckon
