#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "core/failures.h"
#include "core/number_parse.h"
#include "core/regional_format.h"

namespace motoreckon {
namespace {

struct LeadingCase {
    std::string text;
    double expected;
};

TEST(ParseLeadingNumber, ReadsTheLeadingNumberAndIgnoresTheRest) {
    const LeadingCase cases[] = {
        {"85%", 85},
        {"%85", 0},
        {"12 34", 1234},
        {"3,5", 3},
        {"1.5E3", 1500},
        {"1.5d3", 1500},
        {"-7", -7},
        {"abc", 0},
        {"", 0},
        {"12abc", 12},
        {"350.5", 350.5},
        {" \t\n42", 42},
        {"4 . 5", 4.5},
        {".5", 0.5},
        {"5.", 5},
        {"+3", 3},
        {"-", 0},
        {".", 0},
        {"1e", 1},
        {"1e+", 1},
        {"2E-2x", 0.02},
        {"1..5", 1},
        {"--1", 0},
        {"6000.5", 6000.5},
        {"&HFFFF", -1},
        {"&h7fff", 32767},
        {"&H10000", 65536},
        {"&O17", 15},
        {"&o177777", -1},
        {"&HFFFFFFFF", -1},
        {"&H8000", -32768},
        {"&H", 0},
        {"&Hxyz", 0},
        {"&H1G", 1},
        {"& H10", 16},
        {"&X12", 0},
        {"&H1000000000", 268435456},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseLeadingNumber(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseLeadingNumber, IsCorrectlyRoundedForLongAndExtremeTexts) {
    EXPECT_EQ(ParseLeadingNumber("0.1"), 0.1);
    EXPECT_EQ(ParseLeadingNumber("349.848576"), 349.848576);
    EXPECT_EQ(ParseLeadingNumber("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseLeadingNumber("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseLeadingNumber("1e-400"), 0.0);
    EXPECT_EQ(ParseLeadingNumber("1e99999999999999999999"),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseLeadingNumber("4.9406564584124654e-324"),
              std::numeric_limits<double>::denorm_min());

    // 2^53 + 1 is halfway between two doubles; a non-zero digit far beyond decides the rounding.
    const std::string halfway = "9007199254740993";
    EXPECT_EQ(ParseLeadingNumber(halfway), 9007199254740992.0);
    EXPECT_EQ(ParseLeadingNumber(halfway + "." + std::string(2000, '0') + "1"), 9007199254740994.0);

    const std::string digits(1 << 20, '7');
    EXPECT_EQ(ParseLeadingNumber(digits), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseLeadingNumber("0." + std::string(1 << 20, '0') + "5"), 0.0);
    EXPECT_EQ(ParseLeadingNumber(std::string(1 << 20, ' ') + "9"), 9.0);
}

TEST(ParseLeadingNumber, StopsAtEmbeddedNulsAndInvalidUtf8) {
    EXPECT_EQ(ParseLeadingNumber(std::string("12\0"
                                             "34",
                                             5)),
              12.0);
    EXPECT_EQ(ParseLeadingNumber("7\xff\xfe"
                                 "8"),
              7.0);
    EXPECT_EQ(ParseLeadingNumber("\xc3"), 0.0);
}

// The regions whose separators a user most often types where a box reads only the full stop.
RegionalFormat French() {
    RegionalFormat format = RegionalFormat::German();
    format.groupSeparator = "\u202f";
    return format;
}

RegionalFormat Swiss() {
    RegionalFormat format = RegionalFormat::English();
    format.groupSeparator = "\u2019";
    return format;
}

// A calculator box is read for its leading number with the full stop as its decimal point. A
// number followed by the region's decimal separator, or by its digit-group separator as users
// type it, and a digit is refused rather than read as the part before the separator; anything
// else reads as before. The correction offered is the whole text as one number, where it is one.
TEST(ReadLeadingNumber, RefusesRegionalSeparatorsWhereTheyWouldBeMisread) {
    using enum CalculationFailure::Cause;
    const RegionalFormat english = RegionalFormat::English();
    const RegionalFormat german = RegionalFormat::German();
    const RegionalFormat french = French();
    const RegionalFormat swiss = Swiss();
    RegionalFormat arabic = RegionalFormat::English();
    arabic.decimalSeparator = "\u066b";
    const struct {
        const RegionalFormat& format;
        std::string text;
        double read;
    } reads[] = {
        {english, "99.9mph", 99.9}, {english, "85%", 85},    {english, "3,", 3},
        {english, ",200", 0},       {german, "3.48", 3.48},  {german, "85%", 85},
        {german, "3,", 3},          {german, "3,x", 3},      {german, "1.000,", 1},
        {german, "12abc", 12},      {german, "", 0},         {german, "abc,5", 0},
        {arabic, "3.48", 3.48},     {french, "1 000", 1000}, {french, "3\u202f", 3},
        {swiss, "1.5'", 1.5},       {german, "3.200", 3.2},
    };
    for (const auto& c : reads) EXPECT_EQ(ReadLeadingNumber(c.text, c.format), c.read) << c.text;

    const struct {
        const RegionalFormat& format;
        std::string text;
        std::string correction;  // the number with a full stop, where that is clear
        CalculationFailure::Cause cause = DecimalSeparator;
    } refusals[] = {
        {german, "3,48", "3.48"},
        {german, " 3 ,4 8", "3.48"},
        {german, "3,200", "3.200"},
        {german, "-,5", "-.5"},
        {german, ",5", ".5"},
        {german, "100,5mph", ""},
        {german, "1.5,3", ""},
        {german, "2e3,5", ""},
        {german, "&H1F,5", ""},
        {german, "3,5e2", "3.5e2"},
        {german, "1,5D2", "1.5D2"},
        {german, "3,5,6", ""},
        {german, "1.000.000", "1000000", GroupSeparator},
        {arabic, "3\u066b48", "3.48"},
        {arabic, "3,48", "", GroupSeparator},
        {german, std::string(50, '1') + ",5", ""},
        {english, "3,200", "3200", GroupSeparator},
        {english, "3,200.5", "3200.5", GroupSeparator},
        {english, "3,48", "", GroupSeparator},
        {english, "1e5,000", "", GroupSeparator},
        {french, "1\u202f000,5", "1000.5", GroupSeparator},
        {french, "1\u00a0000,5", "1000.5", GroupSeparator},
        {french, "1 000,5", "1000.5"},
        {french, "3\u202f200", "3200", GroupSeparator},
        {french, "12,34,567", ""},
        {swiss, "1\u2019000", "1000", GroupSeparator},
        {swiss, "1'000.5", "1000.5", GroupSeparator},
        // A first group of 0 is never a digit group: at most a decimal written with a comma.
        {english, "0,500", "0.500"},
        {english, "-0,250", "-0.250"},
        {english, "000,500", "000.500"},
        {arabic, "0,5", "0.5"},
        {english, "0,500,000", ""},
        {english, "0,5mph", ""},
        {german, "0.500.000", "", GroupSeparator},
        {swiss, "0'500", "", GroupSeparator},
        {french, "0\u202f500", "", GroupSeparator},
    };
    for (const auto& c : refusals) {
        try {
            ReadLeadingNumber(c.text, c.format);
            ADD_FAILURE() << "read " << c.text;
        } catch (const ConversionFailure& failure) {
            EXPECT_EQ(failure.cause(), c.cause) << c.text;
            EXPECT_EQ(failure.text(), c.text);
            EXPECT_EQ(failure.correction(), c.correction) << c.text;
        }
    }
}

struct StrictCase {
    std::string text;
    double english;
    double german;
};

TEST(ParseNumberStrict, ReadsTheWholeTextInTheRegionalFormat) {
    const RegionalFormat english = RegionalFormat::English();
    const RegionalFormat german = RegionalFormat::German();
    constexpr double kFails = std::numeric_limits<double>::quiet_NaN();
    const StrictCase cases[] = {
        {"1,000", 1000, 1},
        {"1.000", 1, 1000},
        {"3.73", 3.73, kFails},
        {"3,73", kFails, 3.73},
        {"  26  ", 26, 26},
        {"-60", -60, -60},
        {"+5", 5, 5},
        {"1.5E3", 1500, kFails},
        {"1,5E3", kFails, 1500},
        {"2e-1", 0.2, 0.2},
        {"1D2", 100, 100},
        {"&HFF", 255, 255},
        {"&HFFFF", -1, -1},
        {"&O10", 8, 8},
        {".5", 0.5, kFails},
        {"5.", 5, kFails},
        {"1,234,567.5", 1234567.5, kFails},
        {"1.234.567,5", kFails, 1234567.5},
        {"1234,567", kFails, 1234.567},
        {"1,0", kFails, 1.0},
        {"12,3456", kFails, 12.3456},
        {"1,000,00", kFails, kFails},
        {"26in", kFails, kFails},
        {"3.73:1", kFails, kFails},
        {"", kFails, kFails},
        {"   ", kFails, kFails},
        {"abc", kFails, kFails},
        {"1 000", kFails, kFails},
        {",5", kFails, 0.5},
        {",000", kFails, 0},
        {"5,", kFails, 5},
        {"1,,0", kFails, kFails},
        {"1e", kFails, kFails},
        {"&H", kFails, kFails},
        {"&HG", kFails, kFails},
        {"- 5", kFails, kFails},
        {"1.2.3", kFails, kFails},
        {std::string("1\0", 2), kFails, kFails},
        {"0,700", kFails, 0.7},
        {"0.700", 0.7, kFails},
        {"-00,500", kFails, -0.5},
        {"0,000,000", kFails, kFails},
    };
    for (const auto& c : cases) {
        for (const auto& [format, expected] : {std::pair{english, c.english}, {german, c.german}}) {
            const std::string where = '"' + c.text + "\" with separator " + format.decimalSeparator;
            if (std::isnan(expected)) {
                try {
                    ParseNumberStrict(c.text, format);
                    ADD_FAILURE() << where << " was accepted";
                } catch (const ConversionFailure& failure) {
                    EXPECT_EQ(failure.text(), c.text) << where;
                }
            } else {
                EXPECT_EQ(ParseNumberStrict(c.text, format), expected) << where;
            }
        }
    }
}

TEST(ParseNumberStrict, HandlesExtremeTexts) {
    const RegionalFormat english = RegionalFormat::English();
    EXPECT_EQ(ParseNumberStrict("1e400", english), std::numeric_limits<double>::infinity());
    EXPECT_THROW(ParseNumberStrict("&H100000000", english), OverflowFailure);
    EXPECT_EQ(ParseNumberStrict(std::string(1 << 20, '1'), english),
              std::numeric_limits<double>::infinity());
    EXPECT_THROW(ParseNumberStrict(std::string(1 << 20, '1') + "x", english), ConversionFailure);

    RegionalFormat indian = english;
    indian.secondaryGroupSize = 2;
    EXPECT_EQ(ParseNumberStrict("12,34,567", indian), 1234567.0);
    EXPECT_THROW(ParseNumberStrict("1,234,567", indian), ConversionFailure);

    // The group separator as users type it: any kind of space where the region groups with one.
    for (const char* grouped : {"1 000,5", "1\u00a0000,5", "1\u202f000,5"}) {
        EXPECT_EQ(ParseNumberStrict(grouped, French()), 1000.5) << grouped;
    }
    EXPECT_EQ(ParseNumberStrict("1'000", Swiss()), 1000.0);
    EXPECT_THROW(ParseNumberStrict("1 000", english), ConversionFailure);

    RegionalFormat minus = english;
    minus.negativeSign = "\xe2\x88\x92";  // U+2212 MINUS SIGN
    EXPECT_EQ(ParseNumberStrict("\xe2\x88\x92"
                                "4",
                                minus),
              -4.0);
    EXPECT_EQ(ParseNumberStrict("-4", minus), -4.0);
}

// A text refused in the region's format that is a number written with the other decimal mark
// names that number as the region writes it; where the reading is not clear, none.
TEST(ParseNumberStrict, OffersTheRegionsWritingOfAnotherDecimalMark) {
    const RegionalFormat english = RegionalFormat::English();
    const RegionalFormat german = RegionalFormat::German();
    const struct {
        const RegionalFormat& format;
        std::string text;
        std::string correction;
    } cases[] = {
        {english, "0,700", "0.700"},
        {english, "-00,5", "-00.5"},
        {english, "3,48", "3.48"},
        {english, "1,5e3", "1.5e3"},
        {german, "0.700", "0,700"},
        {german, "1.5", "1,5"},
        {english, "0,7.5", ""},
        {english, "0,700,5", ""},
        {english, "0,7x", ""},
        {French(), "0 700", ""},
        {english, std::string(50, '0') + ",5", ""},
    };
    for (const auto& c : cases) {
        try {
            ParseNumberStrict(c.text, c.format);
            ADD_FAILURE() << "read " << c.text;
        } catch (const ConversionFailure& failure) {
            EXPECT_EQ(failure.correction(), c.correction) << c.text;
            EXPECT_EQ(failure.cause(), c.correction.empty()
                                           ? CalculationFailure::Cause::Unknown
                                           : CalculationFailure::Cause::OtherDecimalMark)
                << c.text;
        }
    }
}

struct RoundCase {
    double value;
    std::optional<std::int32_t> expected;  // nothing: an overflow failure
};

// Past the first few hundred significant digits, a digit still counts for the place of the
// decimal point and, when it is not zero, for rounding a halfway case up. 2^53 + 1 lies halfway
// between two doubles; a 1 a thousand places further on must round it up.
TEST(ParseNumbers, DigitsFarBeyondTheFirstStillCount) {
    const std::string halfway = "9007199254740993";
    std::string grouped = "9,007,199,254,740,993";
    for (int i = 0; i < 333; ++i) grouped += ",000";
    grouped += ",001";
    const std::string zeros(1000, '0');
    const double up = 9007199254740994.0;
    const double down = 9007199254740992.0;
    const RegionalFormat english = RegionalFormat::English();
    const struct {
        std::string text;
        double expected;
    } cases[] = {
        {halfway + zeros + "1e-1001", up},   {halfway + zeros + "0e-1001", down},
        {halfway + zeros + "e-1000", down},  {halfway + "." + zeros + "1", up},
        {halfway + "." + zeros + "0", down}, {grouped + "e-1002", up},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(c.text.size() - 12));
        EXPECT_EQ(ParseNumberStrict(c.text, english), c.expected);
        if (c.text.find(',') == std::string::npos) {
            EXPECT_EQ(ParseLeadingNumber(c.text), c.expected);
        }
    }
}

TEST(RoundToInt, RoundsHalvesToEvenAndFailsOutsideTheRange) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const RoundCase int16Cases[] = {
        {2.5, 2},           {3.5, 4},
        {-2.5, -2},         {-3.5, -4},
        {2.4999, 2},        {2.5001, 3},
        {0.5, 0},           {-0.5, 0},
        {32767.4, 32767},   {32767.5, {}},
        {-32768.5, -32768}, {-32768.6, {}},
        {1e300, {}},        {kInf, {}},
        {-kInf, {}},        {std::numeric_limits<double>::quiet_NaN(), {}},
    };
    for (const auto& c : int16Cases) {
        if (c.expected) {
            EXPECT_EQ(RoundToInt16(c.value), *c.expected) << c.value;
        } else {
            EXPECT_THROW(RoundToInt16(c.value), OverflowFailure) << c.value;
        }
    }
    const RoundCase int32Cases[] = {
        {793.5, 794},
        {794.5, 794},
        {2147483647.4, 2147483647},
        {2147483647.5, {}},
        {-2147483648.5, std::numeric_limits<std::int32_t>::min()},
        {-2147483649.0, {}},
        {kInf, {}},
    };
    for (const auto& c : int32Cases) {
        if (c.expected) {
            EXPECT_EQ(RoundToInt32(c.value), *c.expected) << c.value;
        } else {
            EXPECT_THROW(RoundToInt32(c.value), OverflowFailure) << c.value;
        }
    }
}

}  // namespace
}  // namespace motoreckon
