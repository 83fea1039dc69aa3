#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/expect_failure.h"
#include "core/regional_format.h"
#include "core/road_speed.h"

namespace motoreckon {
namespace {

using test::Blame;
using test::ExpectBlame;
using test::FailureOf;
using test::Kind;
using Cause = CalculationFailure::Cause;

// The products are formed left to right, so a first product beyond the double range fails even
// where a later factor would have brought the result back into range.
TEST(RoadSpeedFormulas, StepsOverflowInTheirOrder) {
    const RegionalFormat english = RegionalFormat::English();
    EXPECT_THROW(EngineSpeedCaption({"1e300", "1e10", "1e-10", "1"}, english), OverflowFailure);
    EXPECT_NO_THROW(EngineSpeedCaption({"1e300", "1e-10", "1e10", "1"}, english));
    EXPECT_THROW(RoadSpeedCaption({"1e300", "1e10", "1e10", "1"}, english), OverflowFailure);
    EXPECT_THROW(EngineSpeedCaption({"1e300", "1", "1", "1e-300"}, english), OverflowFailure);
}

struct CaptionCase {
    const char* name;
    RegionalFormat format;
    const char* first;  // the four box texts in the order the formula reads them
    const char* second;
    const char* third;
    const char* fourth;
    const char* caption;
};

void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.name; }

class EngineSpeedCaptionTest : public testing::TestWithParam<CaptionCase> {};

TEST_P(EngineSpeedCaptionTest, ShowsWholeRegionalNumber) {
    const CaptionCase& c = GetParam();
    EXPECT_EQ(EngineSpeedCaption({c.first, c.second, c.third, c.fourth}, c.format), c.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EngineSpeedCaptionTest,
    testing::Values(
        CaptionCase{"English", RegionalFormat::English(), "60", "3.73", "1", "26", "2,892"},
        CaptionCase{"German", RegionalFormat::German(), "60", "3,73", "1", "26", "2.892"},
        CaptionCase{"Negative", RegionalFormat::English(), "-60", "3.73", "1", "26", "-2,892"},
        CaptionCase{"Blanks", RegionalFormat::English(), " 60 ", "3.73 ", " 1", "26", "2,892"},
        CaptionCase{"Hexadecimal", RegionalFormat::English(), "&H3C", "3.73", "1", "26", "2,892"},
        CaptionCase{"Zero", RegionalFormat::English(), "0", "3.73", "1", "26", "0"},
        CaptionCase{"EnglishGrouping", RegionalFormat::English(), "1,000", "1", "1", "336",
                    "1,000"},
        CaptionCase{"GermanGrouping", RegionalFormat::German(), "1.000", "1", "1", "336", "1.000"}),
    [](const auto& info) { return std::string(info.param.name); });

class RoadSpeedCaptionTest : public testing::TestWithParam<CaptionCase> {};

TEST_P(RoadSpeedCaptionTest, ShowsWholeRegionalNumber) {
    const CaptionCase& c = GetParam();
    EXPECT_EQ(RoadSpeedCaption({c.first, c.second, c.third, c.fourth}, c.format), c.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoadSpeedCaptionTest,
    testing::Values(
        CaptionCase{"English", RegionalFormat::English(), "3000", "26", "3.73", "1", "62"},
        CaptionCase{"German", RegionalFormat::German(), "3000", "26", "3,73", "1", "62"},
        CaptionCase{"EnglishGroupedRpm", RegionalFormat::English(), "1,000", "26", "3.73", "1",
                    "21"},
        CaptionCase{"GermanGroupedRpm", RegionalFormat::German(), "1.000", "26", "3,73", "1", "21"},
        CaptionCase{"GermanDecimalComma", RegionalFormat::German(), "1,5", "336", "1", "1", "2"},
        CaptionCase{"Negative", RegionalFormat::English(), "-3000", "26", "3.73", "1", "-62"},
        CaptionCase{"LargeGrouped", RegionalFormat::English(), "1000000", "336", "1", "1",
                    "1,000,000"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    const char* first;
    const char* second;
    const char* third;
    const char* fourth;
    Blame expected;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class EngineSpeedFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(EngineSpeedFailureTest, BlamesTheBoxThatFailed) {
    const FailureCase& c = GetParam();
    ExpectBlame(
        FailureOf([&] {
            EngineSpeedCaption({c.first, c.second, c.third, c.fourth}, RegionalFormat::English());
        }),
        c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EngineSpeedFailureTest,
    testing::Values(
        FailureCase{"EmptyTire", "60", "3.73", "1", "", {Kind::Conversion, "txtTireDiameter", ""}},
        FailureCase{
            "BlankTire", "60", "3.73", "1", "   ", {Kind::Conversion, "txtTireDiameter", "   "}},
        FailureCase{
            "UnitInTire", "60", "3.73", "1", "26in", {Kind::Conversion, "txtTireDiameter", "26in"}},
        FailureCase{
            "RatioWritten", "60", "3.73:1", "1", "26", {Kind::Conversion, "txtAxle", "3.73:1"}},
        FailureCase{"FirstReadIsBlamed", "abc", "x", "y", "z", {Kind::Conversion, "txtMPH", "abc"}},
        FailureCase{"TransmissionBeforeTire",
                    "60",
                    "3.73",
                    "",
                    "",
                    {Kind::Conversion, "txtTransmission", ""}},
        FailureCase{
            "ZeroTire", "60", "3.73", "1", "0", {Kind::DivisionByZero, "txtTireDiameter", "0"}},
        // 0 divided by 0 is no number: the zero tire diameter is to blame.
        FailureCase{
            "ZeroOverZero", "0", "3.73", "1", "0", {Kind::Overflow, "txtTireDiameter", "0"}},
        FailureCase{
            "TextBeyondDouble", "1e400", "3.73", "1", "26", {Kind::Overflow, "txtMPH", "1e400"}},
        // The product of speed and axle ratio overflows before the transmission text is read;
        // the larger factor is to blame.
        FailureCase{"OverflowEndsBeforeLaterReads",
                    "1e300",
                    "1e10",
                    "abc",
                    "26",
                    {Kind::Overflow, "txtMPH", "1e300"}},
        FailureCase{"LargestFactorBlamed",
                    "60",
                    "-1e308",
                    "1",
                    "26",
                    {Kind::Overflow, "txtAxle", "-1e308", Cause::Negative}},
        // A divisor too close to zero takes the quotient out of range, not the speed.
        FailureCase{"TireNearZero",
                    "60",
                    "3.73",
                    "1",
                    "1e-310",
                    {Kind::Overflow, "txtTireDiameter", "1e-310", Cause::NearZero}},
        FailureCase{"SpeedFarBelowZero",
                    "-1e309",
                    "3.73",
                    "1",
                    "26",
                    {Kind::Overflow, "txtMPH", "-1e309", Cause::Negative}}),
    [](const auto& info) { return std::string(info.param.name); });

class RoadSpeedFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(RoadSpeedFailureTest, BlamesTheBoxThatFailed) {
    const FailureCase& c = GetParam();
    ExpectBlame(
        FailureOf([&] {
            RoadSpeedCaption({c.first, c.second, c.third, c.fourth}, RegionalFormat::English());
        }),
        c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoadSpeedFailureTest,
    testing::Values(
        FailureCase{
            "EmptyTire", "3000", "", "3.73", "1", {Kind::Conversion, "txtTireDiameter", ""}},
        // The tire diameter is read second, before the axle ratio.
        FailureCase{"TireBeforeAxle",
                    "3000",
                    "26in",
                    "abc",
                    "1",
                    {Kind::Conversion, "txtTireDiameter", "26in"}},
        FailureCase{"EmptyRpm", "", "", "", "", {Kind::Conversion, "txtRPM", ""}},
        FailureCase{"ZeroAxle", "3000", "26", "0", "1", {Kind::DivisionByZero, "txtAxle", "0"}},
        FailureCase{"ZeroTransmission",
                    "3000",
                    "26",
                    "3.73",
                    "0",
                    {Kind::DivisionByZero, "txtTransmission", "0"}},
        FailureCase{
            "BothRatiosZero", "3000", "26", "0", "0", {Kind::DivisionByZero, "txtAxle", "0"}},
        // Two ratios whose product is too close to zero to be told from it: the first of them.
        FailureCase{"DivisorUnderflows",
                    "3000",
                    "26",
                    "1e-200",
                    "1e-200",
                    {Kind::DivisionByZero, "txtAxle", "1e-200", Cause::NearZero}},
        FailureCase{"AxleNearZero",
                    "3000",
                    "26",
                    "3.73e-308",
                    "1",
                    {Kind::Overflow, "txtAxle", "3.73e-308", Cause::NearZero}},
        FailureCase{"ZeroOverZero", "0", "26", "0", "1", {Kind::Overflow, "txtAxle", "0"}},
        FailureCase{"ZeroTireAndAxle", "3000", "0", "0", "1", {Kind::Overflow, "txtAxle", "0"}},
        FailureCase{"TextBeyondDouble",
                    "3000",
                    "26",
                    "3.73",
                    "-1e999",
                    {Kind::Overflow, "txtTransmission", "-1e999"}},
        // Engine speed times tire diameter overflows before the ratios are read.
        FailureCase{"OverflowEndsBeforeLaterReads",
                    "1e300",
                    "1e10",
                    "abc",
                    "1",
                    {Kind::Overflow, "txtRPM", "1e300"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace motoreckon
