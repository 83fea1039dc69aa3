#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/expect_failure.h"
#include "core/failures.h"

namespace motoreckon {
namespace {

using test::Blame;
using test::ExpectBlame;
using test::FailureOf;
using test::Kind;
using Cause = CalculationFailure::Cause;

// The entries of the calculations these tests make up.
enum { kBox, kSmall, kLarge, kOutside, kTiny, kTinier, kZero, kNought, kAxle, kMPH };

// A quoted text is set apart between these two, so that its writing direction stays its own.
const std::string kOpen = "\"\u2068";
const std::string kClose = "\u2069\"";

std::string Quote(const std::string& inside) { return kOpen + inside + kClose; }

TEST(CalculationFailure, DescribesTheFailureInPlainWords) {
    const struct {
        CalculationFailure failure;
        std::string description;
    } cases[] = {
        {ConversionFailure("26in", kBox), Quote("26in") + " is not a number."},
        {ConversionFailure("  "), "Nothing was entered. Enter a number."},
        {ConversionFailure("3,48", kBox, Cause::DecimalSeparator, "3.48"),
         Quote("3,48") + " \u2014 write the decimal point as a full stop: 3.48"},
        {ConversionFailure("1.5,3", kBox, Cause::DecimalSeparator),
         Quote("1.5,3") + " \u2014 write the decimal point as a full stop."},
        {ConversionFailure("3,200", kBox, Cause::GroupSeparator, "3200"),
         Quote("3,200") + " \u2014 write the number without digit-group separators: 3200"},
        {ConversionFailure("3,48", kBox, Cause::GroupSeparator),
         Quote("3,48") +
             " \u2014 write the number without digit-group separators, with a full stop as the "
             "decimal point."},
        {OverflowFailure("1e-310", kBox, Cause::NearZero),
         Quote("1e-310") + " is too close to zero for this calculation."},
        {DivisionByZeroFailure("-1e-200", kBox, Cause::NearZero),
         Quote("-1e-200") + " is too close to zero for this calculation."},
        {OverflowFailure(), "The result is too large to calculate."},
        {OverflowFailure("99999", kBox), Quote("99999") + " is too large for this calculation."},
        {OverflowFailure("-32769", kBox, Cause::Negative),
         Quote("-32769") + " is too far below zero for this calculation."},
        {OverflowFailure({}, kNoField, Cause::ZeroByZero),
         "The result cannot be calculated: 0 divided by 0."},
        {OverflowFailure("0", kBox, Cause::ZeroByZero),
         Quote("0") + " would make the calculation divide 0 by 0, which cannot be calculated."},
        {DivisionByZeroFailure("0", kBox),
         Quote("0") + " would make the calculation divide by zero."},
        {DivisionByZeroFailure(), "The calculation would divide by zero."},
        {DivisionByZeroFailure("-72", kBox, Cause::CancelsOut),
         Quote("-72") +
             " cancels the numbers it is added to, so the calculation would divide by zero."},
        {ConversionFailure("0,700", kBox, Cause::OtherDecimalMark, "0.700"),
         Quote("0,700") + " is not a number in your region's format \u2014 write it as 0.700"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.failure.describe(), c.description);
}

// What a box held is quoted as typed, but on one line, cut short, and in a writing direction of
// its own: nothing typed can reverse the words after it or break the message's line.
TEST(CalculationFailure, QuotesTypedTextSafely) {
    const std::string paste = std::string(39, '1') + "\xc3\xa9" + std::string(10000, '2');
    const struct {
        std::string typed;
        std::string quoted;
    } cases[] = {
        {"<img src=/dev/zero>", "<img src=/dev/zero>"},
        {"\u202e73.3", "\u202e73.3"},
        {"\u2067\u05d0", "\u2067\u05d0\u2069"},
        {"\u2069\u202e73", "\ufffd\u202e73"},
        {"\u2066a\u2069b\u2069", "\u2066a\u2069b\ufffd"},
        {"1\n2\t3\r\x7f\xc2\x85\u2028\u2029", "1\ufffd2\ufffd3\ufffd\ufffd\ufffd\ufffd\ufffd"},
        {"4\xff\xc3", "4\ufffd\ufffd"},
        {paste, std::string(39, '1') + "..."},
        {std::string(36, '1') + "\u2068\u05d0\u05d1", std::string(36, '1') + "\u2068\u2069..."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConversionFailure(c.typed).describe(), Quote(c.quoted) + " is not a number.")
            << c.typed;
    }
}

TEST(CheckedDivide, TellsDivisionByZeroFromOverflow) {
    EXPECT_EQ(CheckedDivide(6, 3), 2);
    EXPECT_THROW(CheckedDivide(1, 0), DivisionByZeroFailure);
    EXPECT_THROW(CheckedDivide(-1, -0.0), DivisionByZeroFailure);
    EXPECT_THROW(CheckedDivide(1e308, 1e-308), OverflowFailure);
    const auto zeroByZero = FailureOf([] { CheckedDivide(0, 0); });
    ASSERT_TRUE(zeroByZero.has_value());
    EXPECT_EQ(zeroByZero->kind(), Kind::Overflow);
    EXPECT_EQ(zeroByZero->cause(), Cause::ZeroByZero);
}

// A step's failure blames the one box that feeds it; of several, an overflow blames the one out
// of the step's range, else the one of largest magnitude, and says when its value is below zero.
TEST(BlameStep, NamesTheBoxThatMakesTheStepFail) {
    const EntryValue small{kSmall, "2", 2};
    const EntryValue large{kLarge, "-1e300", -1e300};
    const EntryValue outside{kOutside, "3e9", 3e9};
    const EntryValue tiny{kTiny, "1e-200", 1e-200};
    const EntryValue tinier{kTinier, "-1e-300", -1e-300};
    const auto overflow = [] { return CheckedResult(1e308 * 10); };
    const struct {
        std::optional<CalculationFailure> failure;
        Blame blame;
        Cause cause;
    } cases[] = {
        {FailureOf([&] { BlameStep({small}, [] { return CheckedDivide(1, 0); }); }),
         {Kind::DivisionByZero, kSmall, "2"},
         Cause::Unknown},
        {FailureOf([&] {
             BlameStep({small, large}, overflow);
         }),
         {Kind::Overflow, kLarge, "-1e300"},
         Cause::Negative},
        {FailureOf([&] {
             BlameStep({small, outside, large}, overflow, -2147483648.0, 2147483647.0);
         }),
         {Kind::Overflow, kOutside, "3e9"},
         Cause::Unknown},
        {FailureOf([&] {
             BlameStep({small, large}, [&] { return BlameStep({outside}, overflow); });
         }),
         {Kind::Overflow, kOutside, "3e9"},
         Cause::Unknown},
        // Of several boxes, only an overflow can be put down to the size of one of them.
        {FailureOf([&] {
             BlameStep({small, large}, [] { return CheckedDivide(1, 0); });
         }),
         {Kind::DivisionByZero, kNoField, ""},
         Cause::Unknown},
        // A quotient blames its first zero divisor, dividing 0 by 0 only where a box of the
        // dividend is 0 too; of divisors too close to zero to be told from it, the nearest,
        // whatever the dividend came to; of an overflow, the box that takes it furthest.
        {FailureOf([&] {
             QuotientStep({small, {kBox, "0", 0}}, {small, {kZero, "0,0", 0}, {kNought, "0", 0}},
                          [] { return CheckedDivide(0, 0); });
         }),
         {Kind::Overflow, kZero, "0,0"},
         Cause::ZeroByZero},
        {FailureOf([&] {
             QuotientStep({tiny, tinier, {kZero, "0", 0}}, {{kZero, "0", 0}},
                          [] { return CheckedDivide(1e-200 * 1e-300, 0); });
         }),
         {Kind::DivisionByZero, kZero, "0"},
         Cause::Unknown},
        {FailureOf([&] {
             QuotientStep({small, tiny, tinier}, {tiny, tinier},
                          [] { return CheckedDivide(0, 1e-200 * 1e-300); });
         }),
         {Kind::Overflow, kTinier, "-1e-300"},
         Cause::NearZero},
        {FailureOf([&] {
             QuotientStep({small}, {{kZero, "0", 0}}, [] { return CheckedDivide(1, 0); });
         }),
         {Kind::DivisionByZero, kZero, "0"},
         Cause::Unknown},
        {FailureOf([&] {
             QuotientStep({small, tiny, tinier}, {tiny, tinier},
                          [] { return CheckedDivide(2, 1e-200 * 1e-300); });
         }),
         {Kind::DivisionByZero, kTinier, "-1e-300"},
         Cause::NearZero},
        {FailureOf([&] {
             QuotientStep({small, tiny}, {tiny}, [] { return CheckedDivide(2e300, 1e-200); });
         }),
         {Kind::Overflow, kTiny, "1e-200"},
         Cause::NearZero},
        {FailureOf([&] {
             QuotientStep({large, tiny}, {tiny}, [] { return CheckedDivide(-1e300, 1e-200); });
         }),
         {Kind::Overflow, kLarge, "-1e300"},
         Cause::Negative},
    };
    for (const auto& c : cases) {
        ExpectBlame(c.failure, c.blame);
        if (c.failure) {
            EXPECT_EQ(c.failure->cause(), c.cause);
        }
    }
}

// A box that reads as a number beyond the double range is to blame as it is read, and one far
// below zero says so.
TEST(ReadEntry, AFailedReadingBlamesItsBox) {
    ExpectBlame(FailureOf([] {
                    ReadEntry(kAxle, "3.73:1", [](std::string_view text) -> double {
                        throw ConversionFailure(std::string(text));
                    });
                }),
                {Kind::Conversion, kAxle, "3.73:1"});
    for (const double read : {HUGE_VAL, -HUGE_VAL}) {
        ExpectBlame(FailureOf([read] {
                        ReadEntry(kMPH, "1e309",
                                  [read](std::string_view) { return CheckedResult(read); });
                    }),
                    {Kind::Overflow, kMPH, "1e309", read < 0 ? Cause::Negative : Cause::Unknown});
    }
}

}  // namespace
}  // namespace motoreckon
