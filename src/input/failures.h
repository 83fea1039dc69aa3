#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace motoreckon {

// Why a calculation stopped early. A failure may blame one entry box: `field` is then the
// objectName of that box and `text` is what the box held, so the window can name the box,
// quote its text and move the focus there.
class CalculationFailure : public std::exception {
  public:
    enum class Kind { Conversion, Overflow, DivisionByZero };

    CalculationFailure(Kind kind, std::string text = {}, std::string field = {});
    virtual ~CalculationFailure() = default;

    Kind kind() const { return kind_; }
    const std::string& text() const { return text_; }
    const std::string& field() const { return field_; }

    // The failure in plain words, without the name of the box, for example
    // `"26in" is not a number.` or `The result is too large to calculate.`
    std::string describe() const;
    const char* what() const noexcept override { return description_.c_str(); }

  private:
    Kind kind_;
    std::string text_;
    std::string field_;
    std::string description_;
};

class ConversionFailure : public CalculationFailure {
  public:
    explicit ConversionFailure(std::string text, std::string field = {})
        : CalculationFailure(Kind::Conversion, std::move(text), std::move(field)) {}
};

class OverflowFailure : public CalculationFailure {
  public:
    explicit OverflowFailure(std::string text = {}, std::string field = {})
        : CalculationFailure(Kind::Overflow, std::move(text), std::move(field)) {}
};

class DivisionByZeroFailure : public CalculationFailure {
  public:
    explicit DivisionByZeroFailure(std::string text = {}, std::string field = {})
        : CalculationFailure(Kind::DivisionByZero, std::move(text), std::move(field)) {}
};

// Throws a failure of the same kind as `failure`, now blaming the box `field` holding `text`.
[[noreturn]] void RethrowBlaming(const CalculationFailure& failure, std::string_view field,
                                 std::string_view text);

// Runs `step`; a failure it throws that blames no box yet is thrown again blaming `field`.
template <class Step>
auto BlameEntry(std::string_view field, std::string_view text, Step&& step) -> decltype(step()) {
    try {
        return step();
    } catch (const CalculationFailure& failure) {
        if (!failure.field().empty()) throw;
        RethrowBlaming(failure, field, text);
    }
}

// The result of one arithmetic step: an overflow failure unless it is a finite number.
double CheckedResult(double value);

// a / b as one step of a calculation: a zero divisor is a division-by-zero failure when the
// dividend is not zero and an overflow failure when it is (0 / 0); a result that is not a
// finite number is an overflow failure.
double CheckedDivide(double a, double b);

}  // namespace motoreckon
