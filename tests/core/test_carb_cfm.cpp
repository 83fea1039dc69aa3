#include <gtest/gtest.h>

#include <string>

#include "core/carb_cfm.h"
#include "core/expect_failure.h"
#include "core/failures.h"
#include "core/regional_format.h"

namespace motoreckon {
namespace {

using test::ExpectBlame;
using test::FailureOf;

struct CarbCase {
    std::string rpm;
    std::string cubicInches;
    std::string efficiency;
    std::string caption;
};

TEST(CarbCfmCaption, ShowsTheWholeCfm) {
    const CarbCase cases[] = {
        {"6000", "350", "85", "516"},   {"5500", "302", "80", "384"},
        {"7000", "350", "100", "709"},  {"3456", "100", "100", "100"},
        {"3456", "5", "50", "2"},       {"3456", "3", "50", "2"},
        {"0", "350", "85", "0"},        {"", "", "", "0"},
        {"32767", "350", "85", "2821"}, {"6000", "350", "85%", "516"},
        {"6000", "350", "%85", "0"},    {"6000", "350", "150", "911"},
        {"6000", "350.5", "85", "517"}, {"6000.5", "350", "85", "516"},
        {"-6000", "350", "85", "-516"}, {"3456", "7", "50", "4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CarbCfmCaption({c.rpm, c.cubicInches, c.efficiency}, RegionalFormat::English()),
                  c.caption)
            << c.rpm << ", " << c.cubicInches << ", " << c.efficiency;
    }
}

TEST(CalcCarbCFM, WorksInSinglePrecisionAtTheEnd) {
    // 100 x 0.1f in double is 2.89351851851852..., then rounded to the nearest float.
    EXPECT_EQ(CalcCarbCFM(100, 0.1f, 100), static_cast<float>(100.0 * 0.1f / 3456.0 * 1.0));
    EXPECT_EQ(CalcCarbCFM(6000, 350.0f, 85), static_cast<float>(6000.0 * 350.0 / 3456.0 * 0.85));
    EXPECT_THROW(CalcCarbCFM(32767, 3.4e38f, 327), OverflowFailure);
}

struct FailureCase {
    std::string rpm;
    std::string cubicInches;
    std::string efficiency;
    FieldId field;
    CalculationFailure::Cause cause = CalculationFailure::Cause::Unknown;
};

TEST(CarbCfmCaption, BlamesTheFirstEntryThatOverflows) {
    using enum CalculationFailure::Cause;
    const FailureCase cases[] = {
        {"32768", "350", "85", CarbEntries::Rpm},
        {"6000.5e10", "350", "85", CarbEntries::Rpm},
        {"-32769", "350", "85", CarbEntries::Rpm, Negative},
        {"6000", "350", "32768", CarbEntries::Efficiency},
        {"99999", "350", "99999", CarbEntries::Efficiency},
        {"6000", "1e39", "85", CarbEntries::CubicInches},
        {"6000", "1e400", "85", CarbEntries::CubicInches},
        // A CFM beyond every range blames the box out of the 32-bit range, or else the largest.
        {"32767", "3e38", "32767", CarbEntries::CubicInches},
        {"6000", "2147483647", "85", CarbEntries::CubicInches},
        {"32767", "-1e9", "100", CarbEntries::CubicInches, Negative},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rpm + ", " + c.cubicInches + ", " + c.efficiency);
        const auto failure = FailureOf([&] {
            CarbCfmCaption({c.rpm, c.cubicInches, c.efficiency}, RegionalFormat::English());
        });
        const std::string& text = c.field == CarbEntries::Rpm           ? c.rpm
                                  : c.field == CarbEntries::CubicInches ? c.cubicInches
                                                                        : c.efficiency;
        ExpectBlame(failure, {test::Kind::Overflow, c.field, text});
        if (failure) {
            EXPECT_EQ(failure->cause(), c.cause);
        }
    }
}

}  // namespace
}  // namespace motoreckon
