#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "core/expect_failure.h"
#include "core/horsepower.h"
#include "core/regional_format.h"

namespace motoreckon {
namespace {

using test::ExpectBlame;
using test::FailureOf;
using test::Kind;

struct CaptionCase {
    const char* name;
    RegionalFormat format;
    const char* weight;
    const char* mph;
    const char* caption;
};

void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.name; }

class HorsepowerCaptionTest : public testing::TestWithParam<CaptionCase> {};

TEST_P(HorsepowerCaptionTest, ShowsWholeRegionalNumber) {
    const CaptionCase& c = GetParam();
    EXPECT_EQ(HorsepowerCaption({c.weight, c.mph}, c.format), c.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HorsepowerCaptionTest,
    testing::Values(
        CaptionCase{"Worked", RegionalFormat::English(), "3200", "100", "250"},
        CaptionCase{"RoundsUp", RegionalFormat::English(), "3500", "110", "364"},
        CaptionCase{"BothEmpty", RegionalFormat::English(), "", "", "0"},
        CaptionCase{"TrailingLetters", RegionalFormat::English(), "12abc", "234", "12"},
        CaptionCase{"NegativeSpeed", RegionalFormat::English(), "3200", "-100", "-250"},
        CaptionCase{"SpeedOfTheScale", RegionalFormat::English(), "1", "234", "1"},
        CaptionCase{"StandingStill", RegionalFormat::English(), "3200", "0", "0"},
        CaptionCase{"EnglishGrouping", RegionalFormat::English(), "3200000", "100", "249,748"},
        CaptionCase{"GermanGrouping", RegionalFormat::German(), "3200000", "100", "249.748"},
        // The full stop is the decimal point whatever the region.
        CaptionCase{"GermanReadsFullStop", RegionalFormat::German(), "1000.5", "234", "1.001"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    const char* weight;
    const char* mph;
    std::string field;
    std::string text;
    std::optional<CalculationFailure::Cause> cause = std::nullopt;
    Kind kind = Kind::Overflow;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class HorsepowerFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(HorsepowerFailureTest, BlamesTheBoxToBlame) {
    const FailureCase& c = GetParam();
    ExpectBlame(FailureOf([&] {
                    HorsepowerCaption({c.weight, c.mph}, RegionalFormat::English());
                }),
                {c.kind, c.field, c.text, c.cause});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HorsepowerFailureTest,
    testing::Values(FailureCase{"SpeedBeyondDouble", "3200", "1e400", "txtMPH", "1e400"},
                    FailureCase{"WeightBeyondDouble", "1e400", "100", "txtWeight", "1e400"},
                    // Both beyond range: the speed is read first.
                    FailureCase{"SpeedReadFirst", "1e400", "1e400", "txtMPH", "1e400"},
                    FailureCase{"CubeOfSpeed", "3200", "1e200", "txtMPH", "1e200"},
                    // The cube of the speed is the larger factor.
                    FailureCase{"ProductOfBoth", "1e100", "1e100", "txtMPH", "1e100"},
                    FailureCase{"NegativeWeight", "-1e300", "1e100", "txtWeight", "-1e300"},
                    FailureCase{"WeightLarger", "-1e307", "1000", "txtWeight", "-1e307"},
                    FailureCase{"SpeedFarBelowZero", "3200", "-1e309", "txtMPH", "-1e309",
                                CalculationFailure::Cause::Negative},
                    // A weight written with a digit-group separator would read as 3 pounds.
                    FailureCase{"GroupedWeight", "3,200", "100", "txtWeight", "3,200",
                                CalculationFailure::Cause::GroupSeparator, Kind::Conversion}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace motoreckon
