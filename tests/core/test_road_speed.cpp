#include <gtest/gtest.h>

#include <array>
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
using E = EngineSpeedEntries;
using R = RoadSpeedEntries;

// The four box texts in the order the formula reads them: engine speed from MPH, axle ratio,
// transmission ratio and tire diameter; road speed from RPM, tire diameter, axle ratio and
// transmission ratio.
using Texts = std::array<const char*, 4>;
enum Mode { kEngineSpeed, kRoadSpeed };

std::string Caption(Mode mode, const Texts& t, const RegionalFormat& format) {
    if (mode == kEngineSpeed) return EngineSpeedCaption({t[0], t[1], t[2], t[3]}, format);
    return RoadSpeedCaption({t[0], t[1], t[2], t[3]}, format);
}

std::string Trace(const Texts& t) {
    return std::string(t[0]) + "|" + t[1] + "|" + t[2] + "|" + t[3];
}

// The products are formed left to right, so a first product beyond the double range fails even
// where a later factor would have brought the result back into range.
TEST(RoadSpeedFormulas, StepsOverflowInTheirOrder) {
    const RegionalFormat english = RegionalFormat::English();
    EXPECT_THROW(EngineSpeedCaption({"1e300", "1e10", "1e-10", "1"}, english), OverflowFailure);
    EXPECT_NO_THROW(EngineSpeedCaption({"1e300", "1e-10", "1e10", "1"}, english));
    EXPECT_THROW(RoadSpeedCaption({"1e300", "1e10", "1e10", "1"}, english), OverflowFailure);
    EXPECT_THROW(EngineSpeedCaption({"1e300", "1", "1", "1e-300"}, english), OverflowFailure);
}

TEST(RoadSpeedFormulas, ShowWholeRegionalNumbers) {
    const RegionalFormat en = RegionalFormat::English();
    const RegionalFormat de = RegionalFormat::German();
    const struct {
        Mode mode;
        const RegionalFormat& format;
        Texts texts;
        const char* caption;
    } cases[] = {
        {kEngineSpeed, en, {"60", "3.73", "1", "26"}, "2,892"},
        {kEngineSpeed, de, {"60", "3,73", "1", "26"}, "2.892"},
        {kEngineSpeed, en, {"-60", "3.73", "1", "26"}, "-2,892"},
        {kEngineSpeed, en, {" 60 ", "3.73 ", " 1", "26"}, "2,892"},
        {kEngineSpeed, en, {"&H3C", "3.73", "1", "26"}, "2,892"},
        {kEngineSpeed, en, {"0", "3.73", "1", "26"}, "0"},
        {kEngineSpeed, en, {"1,000", "1", "1", "336"}, "1,000"},
        {kEngineSpeed, de, {"1.000", "1", "1", "336"}, "1.000"},
        {kRoadSpeed, en, {"3000", "26", "3.73", "1"}, "62"},
        {kRoadSpeed, de, {"3000", "26", "3,73", "1"}, "62"},
        {kRoadSpeed, en, {"1,000", "26", "3.73", "1"}, "21"},
        {kRoadSpeed, de, {"1.000", "26", "3,73", "1"}, "21"},
        {kRoadSpeed, de, {"1,5", "336", "1", "1"}, "2"},
        {kRoadSpeed, en, {"-3000", "26", "3.73", "1"}, "-62"},
        {kRoadSpeed, en, {"1000000", "336", "1", "1"}, "1,000,000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Caption(c.mode, c.texts, c.format), c.caption) << Trace(c.texts);
    }
}

// A text that is not a number blames its box, the first read first; a zero divisor blames the
// box that holds it (0 / 0 as an overflow), a divisor too close to zero says so, and an overflow
// blames the box that takes the step furthest.
TEST(RoadSpeedFormulas, BlameTheBoxThatFailed) {
    const struct {
        Mode mode;
        Texts texts;
        Blame blame;
    } cases[] = {
        {kEngineSpeed, {"60", "3.73", "1", ""}, {Kind::Conversion, E::TireDiameter, ""}},
        {kEngineSpeed, {"60", "3.73", "1", "   "}, {Kind::Conversion, E::TireDiameter, "   "}},
        {kEngineSpeed, {"60", "3.73", "1", "26in"}, {Kind::Conversion, E::TireDiameter, "26in"}},
        {kEngineSpeed, {"60", "3.73:1", "1", "26"}, {Kind::Conversion, E::Axle, "3.73:1"}},
        {kEngineSpeed, {"abc", "x", "y", "z"}, {Kind::Conversion, E::Mph, "abc"}},
        {kEngineSpeed, {"60", "3.73", "", ""}, {Kind::Conversion, E::Transmission, ""}},
        {kEngineSpeed, {"60", "3.73", "1", "0"}, {Kind::DivisionByZero, E::TireDiameter, "0"}},
        {kEngineSpeed,
         {"0", "3.73", "1", "0"},
         {Kind::Overflow, E::TireDiameter, "0", Cause::ZeroByZero}},
        // A speed that only comes so close to zero that it reads as 0 is not divided as 0.
        {kEngineSpeed,
         {"1e-200", "1e-200", "1", "0"},
         {Kind::DivisionByZero, E::TireDiameter, "0", Cause::Unknown}},
        {kEngineSpeed, {"1e400", "3.73", "1", "26"}, {Kind::Overflow, E::Mph, "1e400"}},
        // Speed times axle ratio overflows before the transmission text is read.
        {kEngineSpeed, {"1e300", "1e10", "abc", "26"}, {Kind::Overflow, E::Mph, "1e300"}},
        {kEngineSpeed,
         {"60", "-1e308", "1", "26"},
         {Kind::Overflow, E::Axle, "-1e308", Cause::Negative}},
        {kEngineSpeed,
         {"60", "3.73", "1", "1e-310"},
         {Kind::Overflow, E::TireDiameter, "1e-310", Cause::NearZero}},
        {kEngineSpeed,
         {"-1e309", "3.73", "1", "26"},
         {Kind::Overflow, E::Mph, "-1e309", Cause::Negative}},
        {kRoadSpeed, {"3000", "", "3.73", "1"}, {Kind::Conversion, R::TireDiameter, ""}},
        {kRoadSpeed, {"3000", "26in", "abc", "1"}, {Kind::Conversion, R::TireDiameter, "26in"}},
        {kRoadSpeed, {"", "", "", ""}, {Kind::Conversion, R::Rpm, ""}},
        {kRoadSpeed, {"3000", "26", "0", "1"}, {Kind::DivisionByZero, R::Axle, "0"}},
        {kRoadSpeed, {"3000", "26", "3.73", "0"}, {Kind::DivisionByZero, R::Transmission, "0"}},
        {kRoadSpeed, {"3000", "26", "0", "0"}, {Kind::DivisionByZero, R::Axle, "0"}},
        // Two ratios whose product is too close to zero to be told from it: the first of them.
        {kRoadSpeed,
         {"3000", "26", "1e-200", "1e-200"},
         {Kind::DivisionByZero, R::Axle, "1e-200", Cause::NearZero}},
        {kRoadSpeed,
         {"1e-200", "1e-200", "1e-200", "1e-200"},
         {Kind::Overflow, R::Axle, "1e-200", Cause::NearZero}},
        {kRoadSpeed,
         {"3000", "26", "3.73e-308", "1"},
         {Kind::Overflow, R::Axle, "3.73e-308", Cause::NearZero}},
        {kRoadSpeed, {"0", "26", "0", "1"}, {Kind::Overflow, R::Axle, "0"}},
        {kRoadSpeed, {"3000", "0", "0", "1"}, {Kind::Overflow, R::Axle, "0"}},
        {kRoadSpeed, {"3000", "26", "3.73", "-1e999"}, {Kind::Overflow, R::Transmission, "-1e999"}},
        // Engine speed times tire diameter overflows before the ratios are read.
        {kRoadSpeed, {"1e300", "1e10", "abc", "1"}, {Kind::Overflow, R::Rpm, "1e300"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Trace(c.texts));
        ExpectBlame(FailureOf([&] { Caption(c.mode, c.texts, RegionalFormat::English()); }),
                    c.blame);
    }
}

}  // namespace
}  // namespace motoreckon
