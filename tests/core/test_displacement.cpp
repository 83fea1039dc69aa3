#include "core/displacement.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>
#include "core/expect_failure.h"

namespace motoreckon {
namespace {

using Unit = DisplacementUnit;
using D = DiscomEntries;
using test::Blame;
using test::ExpectBlame;
using test::Kind;

const char* const kIncomplete = "Incomplete Data";
const char* const kEssentialsText =
    "The displacement and compression ratio can not be calculated without accurate bore and "
    "stroke measurements and number of cylinders.";
const char* const kCompressionText =
    "Insufficient Data To Calculate Compression Ratio. To obtain an accurate calculation all "
    "data must be entered.";

// Bore 4, stroke 3.48, 8 cylinders, head 64, gasket 8, deck 5.
DiscomEntries WorkedExample() { return {"4", "3.48", "8", "64", "8", "5"}; }

DiscomOptions Options(Unit unit, bool round, bool compression = true) {
    return {unit, compression, round};
}

struct WorkedCase {
    Unit unit;
    bool round;
    const char* displacement;
    const char* ratio;
};

void ExpectWorkedExample(const RegionalFormat& format, const std::vector<WorkedCase>& cases) {
    for (const WorkedCase& c : cases) {
        SCOPED_TRACE(std::string(c.displacement) + " " + c.ratio);
        const DiscomCalculation calc =
            CalculateDisplacement(WorkedExample(), Options(c.unit, c.round), "", format);
        EXPECT_FALSE(calc.essentialsFailed);
        EXPECT_EQ(calc.texts.displacement, c.displacement);
        EXPECT_EQ(calc.texts.ratio, c.ratio);
        EXPECT_FALSE(calc.texts.failure.has_value());
        EXPECT_EQ(calc.beeps, 0);
        EXPECT_FALSE(calc.message.has_value());
        EXPECT_FALSE(calc.focus.has_value());

        const DiscomTexts refresh =
            RefreshResults(WorkedExample(), Options(c.unit, c.round), format);
        EXPECT_EQ(refresh.displacement, c.displacement);
        EXPECT_EQ(refresh.ratio, c.ratio);
        EXPECT_FALSE(refresh.failure.has_value());
    }
}

// Liters are cubic inches x 0.016387: 349.848576 cubic inches are 5.73 liters, not 5.77.
TEST(Displacement, WorkedExampleInBothUnitsAndRoundings) {
    ExpectWorkedExample(RegionalFormat::English(),
                        {
                            {Unit::CubicInches, false, "349.848576", "10.3116883116883"},
                            {Unit::CubicInches, true, "349.85", "10.31"},
                            {Unit::Liters, false, "5.732968614912", "10.3116883116883"},
                            {Unit::Liters, true, "5.73", "10.31"},
                        });
}

TEST(Displacement, WorkedExampleInGermanFormat) {
    ExpectWorkedExample(RegionalFormat::German(),
                        {
                            {Unit::CubicInches, false, "349,848576", "10,3116883116883"},
                            {Unit::CubicInches, true, "349,85", "10,31"},
                            {Unit::Liters, false, "5,732968614912", "10,3116883116883"},
                            {Unit::Liters, true, "5,73", "10,31"},
                        });
}

// Bore, stroke and cylinders must be typed and read above zero. After the message the focus
// goes to the stroke box when it is empty, and on to the bore box when that is empty too.
TEST(Displacement, EssentialsCheckAndFocusRule) {
    struct Case {
        const char* bore;
        const char* stroke;
        const char* cylinders;
        std::optional<D::Field> focus;
    };
    const std::vector<Case> cases = {
        {"", "", "", D::Bore},
        {"", "", "8", D::Bore},
        {"4", "", "8", D::Stroke},
        {"4", "", "0", D::Stroke},
        {"", "3.48", "8", std::nullopt},
        {"4", "3.48", "", std::nullopt},
        {"4", "3.48", "0", std::nullopt},
        {"4", "3.48", "-8", std::nullopt},
        {"abc", "3.48", "8", std::nullopt},
        {"4", "-1", "8", std::nullopt},
        {"4", ".", "8", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bore) + "|" + c.stroke + "|" + c.cylinders);
        const DiscomCalculation calc = CalculateDisplacement(
            {c.bore, c.stroke, c.cylinders, "64", "8", "5"}, Options(Unit::CubicInches, true),
            "10.31", RegionalFormat::English());
        EXPECT_TRUE(calc.essentialsFailed);
        EXPECT_EQ(calc.beeps, 2);
        ASSERT_TRUE(calc.message.has_value());
        EXPECT_EQ(calc.message->title, kIncomplete);
        EXPECT_EQ(calc.message->text, kEssentialsText);
        EXPECT_EQ(calc.focus, c.focus);
        EXPECT_FALSE(calc.texts.displacement.has_value());
        EXPECT_FALSE(calc.texts.ratio.has_value());
        EXPECT_FALSE(calc.texts.failure.has_value());
    }
}

// Each factor is the leading number of its text, so units typed after it or blanks in it do
// not stop the calculation. Only the compression ratio reads the cylinder count strictly.
TEST(Displacement, FactorsReadAsLeadingNumbers) {
    struct Case {
        DiscomEntries entries;
        bool compression;
        const char* displacement;
    };
    const std::vector<Case> cases = {
        {{"4in", "3.48", "8", "64", "8", "5"}, true, "349.848576"},
        {{" 4", "3.4 8", "8", "64", "8", "5"}, true, "349.848576"},
        {{"&H4", "3.48\"", "8", "64", "8", "5"}, true, "349.848576"},
        {{"4", "3.48", "8x", "64", "8", "5"}, false, "349.848576"},
        {{"5", "3.48", "8", "64", "8", "5"}, true, "546.6384"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.displacement);
        const DiscomCalculation calc =
            CalculateDisplacement(c.entries, Options(Unit::CubicInches, false, c.compression), "",
                                  RegionalFormat::English());
        EXPECT_FALSE(calc.essentialsFailed);
        EXPECT_FALSE(calc.texts.failure.has_value());
        EXPECT_EQ(calc.texts.displacement, c.displacement);
    }
}

// The ratio needs a gasket and a head volume above zero; without them the ratio is cleared,
// one beep and the second message follow, and the displacement is still shown. The deck is
// never tested: empty, zero or negative, it simply adds in.
TEST(Displacement, CompressionRatioNeedsGasketAndHead) {
    struct Case {
        const char* head;
        const char* gasket;
        const char* deck;
        const char* ratio;
        bool incomplete;
    };
    const std::vector<Case> cases = {
        {"", "8", "5", "", true},
        {"64", "", "5", "", true},
        {"64", "0", "5", "", true},
        {"-64", "8", "5", "", true},
        {"cc", "8", "5", "", true},
        {"64", "8", "", "10.9583333333333", false},
        {"64", "8", "0", "10.9583333333333", false},
        {"64", "8", "-5", "11.7014925373134", false},
        {"64", "8", "5cc", "10.3116883116883", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.head) + "|" + c.gasket + "|" + c.deck);
        const DiscomCalculation calc = CalculateDisplacement(
            {"4", "3.48", "8", c.head, c.gasket, c.deck}, Options(Unit::CubicInches, false),
            "10.31", RegionalFormat::English());
        EXPECT_FALSE(calc.texts.failure.has_value());
        EXPECT_EQ(calc.texts.ratio, c.ratio);
        EXPECT_EQ(calc.texts.displacement, "349.848576");
        EXPECT_FALSE(calc.focus.has_value());
        if (c.incomplete) {
            EXPECT_EQ(calc.beeps, 1);
            ASSERT_TRUE(calc.message.has_value());
            EXPECT_EQ(calc.message->title, kIncomplete);
            EXPECT_EQ(calc.message->text, kCompressionText);
        } else {
            EXPECT_EQ(calc.beeps, 0);
            EXPECT_FALSE(calc.message.has_value());
        }

        // The refresh clears the ratio the same way, silently.
        const DiscomTexts refresh =
            RefreshResults({"4", "3.48", "8", c.head, c.gasket, c.deck},
                           Options(Unit::CubicInches, false), RegionalFormat::English());
        EXPECT_EQ(refresh.ratio, c.ratio);
    }
}

// With the compression check off, Calculate leaves the ratio shown; rounding still rounds the
// ratio that is shown.
TEST(Displacement, CompressionCheckOffKeepsTheShownRatio) {
    struct Case {
        const char* shown;
        bool round;
        std::optional<std::string> ratio;
        const char* displacement;
    };
    const std::vector<Case> cases = {
        {"10.3116883116883", false, std::nullopt, "349.848576"},
        {"10.3116883116883", true, "10.31", "349.85"},
        {"10.31", true, "10.31", "349.85"},
        {"", true, "", "349.85"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        DiscomEntries entries = WorkedExample();
        entries[DiscomEntries::Head] = "";
        const DiscomCalculation calc =
            CalculateDisplacement(entries, Options(Unit::CubicInches, c.round, false), c.shown,
                                  RegionalFormat::English());
        EXPECT_EQ(calc.texts.ratio, c.ratio);
        EXPECT_EQ(calc.texts.displacement, c.displacement);
        EXPECT_EQ(calc.beeps, 0);
        EXPECT_FALSE(calc.message.has_value());
    }
}

// The cylinder volume plus clearance is rounded to a whole cc, halves to the even neighbour,
// before it is divided by the unrounded clearance. A bore of 1E-9 makes the swept volume too
// small to change the sum, so the head volume alone puts it on a half.
TEST(Displacement, TotalVolumeRoundsHalvesToEven) {
    struct Case {
        const char* head;
        const char* ratio;
    };
    const std::vector<Case> cases = {
        {"785.5", "1.00063011972275"},   // 793.5 rounds to 794, over 793.5
        {"786.5", "0.999370673379484"},  // 794.5 rounds to 794, over 794.5
        {"787.5", "1.00062853551226"},   // 795.5 rounds to 796, over 795.5
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.head);
        const DiscomEntries entries = {"1E-9", "1", "1", c.head, "8", ""};
        const DiscomCalculation calc = CalculateDisplacement(
            entries, Options(Unit::CubicInches, false), "", RegionalFormat::English());
        EXPECT_EQ(calc.texts.ratio, c.ratio);

        const DiscomTexts refresh =
            RefreshResults(entries, Options(Unit::CubicInches, false), RegionalFormat::English());
        EXPECT_EQ(refresh.ratio, c.ratio);
    }
}

// A conversion, an overflow or a division by zero stops Calculate where it happens. None of
// them can happen after a text is written, so both labels keep their texts.
TEST(Displacement, CalculateFailuresLeaveBothTexts) {
    struct Case {
        DiscomEntries entries;
        Blame blame;
    };
    const std::vector<Case> cases = {
        {{"4", "3.48", "8x", "64", "8", "5"}, {Kind::Conversion, D::Cylinders, "8x"}},
        {{"4", "3.48", "8,", "64", "8", "5"}, {Kind::Conversion, D::Cylinders, "8,"}},
        {{"4", "3.48", "8", "64", "8", "-72"},
         {Kind::DivisionByZero, D::Deck, "-72", CalculationFailure::Cause::CancelsOut}},
        // An overflow blames the box that takes its step out of range, or else the largest.
        {{"4", "3.48", "8", "9E99", "8", "5"}, {Kind::Overflow, D::Head, "9E99"}},
        {{"4", "3.48", "8", "64", "8", "-3E9"}, {Kind::Overflow, D::Deck, "-3E9"}},
        {{"9E999", "3.48", "8", "64", "8", "5"}, {Kind::Overflow, D::Bore, "9E999"}},
        {{"1E200", "3.48", "8", "64", "8", "5"}, {Kind::Overflow, D::Bore, "1E200"}},
        {{"999999", "3.48", "8", "64", "8", "5"}, {Kind::Overflow, D::Bore, "999999"}},
        // A clearance too close to zero to divide by, made up by the largest of the volumes.
        {{"4", "3.48", "8", "1E-320", "1E-320", "0"},
         {Kind::Overflow, D::Gasket, "1E-320", CalculationFailure::Cause::NearZero}},
        {{"4", "3.48", "8", "64", "8", "-1e309"},
         {Kind::Overflow, D::Deck, "-1e309", CalculationFailure::Cause::Negative}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entries[DiscomEntries::Bore] + "|" + c.entries[DiscomEntries::Cylinders] +
                     "|" + c.entries[DiscomEntries::Head] + "|" + c.entries[DiscomEntries::Deck]);
        const DiscomCalculation calc = CalculateDisplacement(c.entries, Options(Unit::Liters, true),
                                                             "10.31", RegionalFormat::English());
        EXPECT_FALSE(calc.essentialsFailed);
        ExpectBlame(calc.texts.failure, c.blame);
        EXPECT_FALSE(calc.texts.displacement.has_value());
        EXPECT_FALSE(calc.texts.ratio.has_value());
        EXPECT_EQ(calc.beeps, 0);
        EXPECT_FALSE(calc.message.has_value());
        EXPECT_FALSE(calc.focus.has_value());
    }
}

// A refresh that fails clears both texts: a displacement it wrote before it failed would stand
// in cubic inches, unrounded, under a unit or rounding that is not its own. With the compression
// check off, the ratio's entries are out of use: what they cannot give only clears the ratio.
TEST(Displacement, RefreshFailuresClearBothTexts) {
    struct Case {
        DiscomEntries entries;
        Blame blame;
        std::optional<std::string> withoutRatio = std::nullopt;  // shown with the check off
    };
    const std::vector<Case> cases = {
        {{"4", "3.48", "8x", "64", "8", "5"}, {Kind::Conversion, D::Cylinders, "8x"}, "5.73"},
        {{"4", "3.48", "", "64", "8", "5"}, {Kind::Conversion, D::Cylinders, ""}, ""},
        {{"4", "3.48", "0", "64", "8", "5"}, {Kind::DivisionByZero, D::Cylinders, "0"}, ""},
        {{"", "3.48", "0", "64", "8", "5"}, {Kind::DivisionByZero, D::Cylinders, "0"}, ""},
        {{"4", "3.48", "8", "64", "8", "-72"}, {Kind::DivisionByZero, D::Deck, "-72"}, "5.73"},
        {{"4", "3.48", "8", "9E99", "8", "5"}, {Kind::Overflow, D::Head, "9E99"}, "5.73"},
        {{"4", "3.48", "8", "64", "8,5", "5"}, {Kind::Conversion, D::Gasket, "8,5"}, "5.73"},
        {{"9E999", "3.48", "8", "64", "8", "5"}, {Kind::Overflow, D::Bore, "9E999"}},
        {{"4", "3,48", "8", "64", "8", "5"}, {Kind::Conversion, D::Stroke, "3,48"}},
    };
    for (const bool compression : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.entries[DiscomEntries::Bore] + "|" + c.entries[DiscomEntries::Stroke] +
                         "|" + c.entries[DiscomEntries::Cylinders] + "|" +
                         c.entries[DiscomEntries::Head] + "|" + c.entries[DiscomEntries::Gasket] +
                         "|" + c.entries[DiscomEntries::Deck]);
            const DiscomTexts refresh = RefreshResults(
                c.entries, Options(Unit::Liters, true, compression), RegionalFormat::English());
            if (!compression && c.withoutRatio) {
                EXPECT_FALSE(refresh.failure.has_value());
                EXPECT_EQ(refresh.displacement, *c.withoutRatio);
            } else {
                ExpectBlame(refresh.failure, c.blame);
                EXPECT_EQ(refresh.displacement, "");
            }
            EXPECT_EQ(refresh.ratio, "");
        }
    }
}

// Bore 1e154, stroke 2.288888636188332 and one cylinder give the largest double, whose
// 15-digit text would read back as an infinity: an overflow, in Calculate before any text is
// written, in the refresh at its first step.
TEST(Displacement, DisplacementTooLargeToWriteIsAnOverflow) {
    const DiscomEntries entries{"1e154", "2.288888636188332", "1", "64", "8", "5"};
    for (const bool round : {false, true}) {
        SCOPED_TRACE(round ? "rounded" : "unrounded");
        const DiscomCalculation calc = CalculateDisplacement(
            entries, Options(Unit::CubicInches, round, false), "10.31", RegionalFormat::English());
        ExpectBlame(calc.texts.failure, {Kind::Overflow, D::Bore, "1e154"});
        EXPECT_FALSE(calc.texts.displacement.has_value());
        EXPECT_FALSE(calc.texts.ratio.has_value());

        const DiscomTexts refresh =
            RefreshResults(entries, Options(Unit::CubicInches, round), RegionalFormat::English());
        ExpectBlame(refresh.failure, {Kind::Overflow, D::Bore, "1e154"});
        EXPECT_EQ(refresh.displacement, "");
        EXPECT_EQ(refresh.ratio, "");
    }
}

// A displacement that reads as zero is not shown: "0" unrounded, ".00" rounded. The ratio is
// still recomputed from the clearance alone.
TEST(Displacement, ZeroDisplacementIsBlanked) {
    struct Case {
        DiscomEntries entries;
        Unit unit;
        bool round;
        const char* displacement;
        const char* ratio;
        RegionalFormat format;
    };
    const RegionalFormat english = RegionalFormat::English();
    const RegionalFormat german = RegionalFormat::German();
    const std::vector<Case> cases = {
        {{"", "3.48", "8", "64", "8", "5"}, Unit::CubicInches, false, "", "1", english},
        {{"", "3.48", "8", "64", "8", "5"}, Unit::CubicInches, true, "", "1.00", english},
        {{"", "3.48", "8", "64", "8", "5"}, Unit::Liters, true, "", "1.00", english},
        {{"4", "", "8", "64", "8", "5"}, Unit::Liters, false, "", "1", english},
        {{"", "3.48", "8", "64", "8", "5"}, Unit::CubicInches, true, "", "1,00", german},
        {{".001", "3.48", "8", "64", "8", "5"}, Unit::CubicInches, true, "", "1.00", english},
        {{".001", "3.48", "8", "64", "8", "5"},
         Unit::CubicInches,
         false,
         "0.000021865536",
         "1",
         english},
        {{".01", "3.48", "8", "64", "8", "5"}, Unit::Liters, true, "", "1.00", english},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entries[DiscomEntries::Bore] + "|" + c.entries[DiscomEntries::Stroke] + " " +
                     c.displacement);
        const DiscomTexts refresh = RefreshResults(c.entries, Options(c.unit, c.round), c.format);
        EXPECT_FALSE(refresh.failure.has_value());
        EXPECT_EQ(refresh.displacement, c.displacement);
        EXPECT_EQ(refresh.ratio, c.ratio);
    }
}

// Calculate blanks the displacement only when it is exactly zero, which takes a bore so small
// that its square vanishes; a tiny displacement that rounds to .00 stays on display.
TEST(Displacement, CalculateBlanksOnlyAnExactZero) {
    struct Case {
        const char* bore;
        bool round;
        const char* displacement;
    };
    const std::vector<Case> cases = {
        {"1E-200", false, ""},
        {"1E-200", true, ""},
        {".001", true, ".00"},
        {".001", false, "0.000021865536"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bore);
        const DiscomCalculation calc = CalculateDisplacement({c.bore, "3.48", "8", "64", "8", "5"},
                                                             Options(Unit::CubicInches, c.round),
                                                             "", RegionalFormat::English());
        EXPECT_FALSE(calc.texts.failure.has_value());
        EXPECT_EQ(calc.texts.displacement, c.displacement);
    }
}

// The refresh reads the fields as they stand now, with no check of the inputs, and always
// recomputes the ratio, even with the compression check off.
TEST(Displacement, RefreshRecomputesFromTheCurrentFields) {
    DiscomEntries entries = WorkedExample();
    entries[DiscomEntries::Bore] = "5";
    const DiscomTexts refresh = RefreshResults(entries, Options(Unit::CubicInches, false, false),
                                               RegionalFormat::English());
    EXPECT_EQ(refresh.displacement, "546.6384");
    // 546.6384 / 8 x 16.387 + 77 = 1196.72 cc, rounded to 1197, over 77.
    EXPECT_EQ(refresh.ratio, "15.5454545454545");
}

}  // namespace
}  // namespace motoreckon
