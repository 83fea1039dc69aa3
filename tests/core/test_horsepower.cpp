#include <gtest/gtest.h>

#include <string>

#include "core/expect_failure.h"
#include "core/horsepower.h"
#include "core/regional_format.h"

namespace motoreckon {
namespace {

using test::Blame;
using test::ExpectBlame;
using test::FailureOf;
using test::Kind;
using Cause = CalculationFailure::Cause;
using T = TrapSpeedEntries;

TEST(HorsepowerCaption, ShowsWholeRegionalNumber) {
    const RegionalFormat en = RegionalFormat::English();
    const RegionalFormat de = RegionalFormat::German();
    const struct {
        const RegionalFormat& format;
        const char* weight;
        const char* mph;
        const char* caption;
    } cases[] = {
        {en, "3200", "100", "250"},
        {en, "3500", "110", "364"},
        {en, "", "", "0"},
        {en, "12abc", "234", "12"},
        {en, "3200", "-100", "-250"},
        {en, "1", "234", "1"},
        {en, "3200", "0", "0"},
        {en, "3200000", "100", "249,748"},
        {de, "3200000", "100", "249.748"},
        // The full stop is the decimal point whatever the region.
        {de, "1000.5", "234", "1.001"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HorsepowerCaption({c.weight, c.mph}, c.format), c.caption)
            << c.weight << ", " << c.mph;
    }
}

// A number beyond the double range blames its box as it is read, the speed first; a product out
// of range blames the larger of the speed's cube and the weight.
TEST(HorsepowerCaption, BlamesTheBoxToBlame) {
    const struct {
        const char* weight;
        const char* mph;
        Blame blame;
    } cases[] = {
        {"3200", "1e400", {Kind::Overflow, T::Mph, "1e400"}},
        {"1e400", "100", {Kind::Overflow, T::Weight, "1e400"}},
        {"1e400", "1e400", {Kind::Overflow, T::Mph, "1e400"}},
        {"3200", "1e200", {Kind::Overflow, T::Mph, "1e200"}},
        {"1e100", "1e100", {Kind::Overflow, T::Mph, "1e100"}},
        {"-1e300", "1e100", {Kind::Overflow, T::Weight, "-1e300"}},
        {"-1e307", "1000", {Kind::Overflow, T::Weight, "-1e307"}},
        {"3200", "-1e309", {Kind::Overflow, T::Mph, "-1e309", Cause::Negative}},
        // A weight written with a digit-group separator would read as 3 pounds.
        {"3,200", "100", {Kind::Conversion, T::Weight, "3,200", Cause::GroupSeparator}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.weight) + ", " + c.mph);
        ExpectBlame(FailureOf([&] {
                        HorsepowerCaption({c.weight, c.mph}, RegionalFormat::English());
                    }),
                    c.blame);
    }
}

}  // namespace
}  // namespace motoreckon
