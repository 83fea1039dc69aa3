// The Calculate and the refresh computations of the displacement window on any entries and
// options. The input is lines of text:
//   1  the options of Calculate: "l" liters, "r" round to 1/100, "c" check the compression
//      ratio, "g" the German number format (any other character is ignored)
//   2-7  bore, stroke, cylinders, head, gasket and deck, as typed
//   8  the ratio the window shows before Calculate
//   9  the options of the refresh that follows, after a change of unit or rounding ("l", "r";
//      when the line is missing, those of Calculate)
// No failure escapes either computation; every result text is empty or a plain number that
// reads back as a finite one, never "inf", "nan" or an exponent; the failure blames only an
// entry box; a failed essentials check changes nothing.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/displacement.h"
#include "core/number_parse.h"
#include "fuzz_checks.h"

using namespace motoreckon;
using namespace motoreckon::fuzz;

namespace {

std::vector<std::string> Lines(std::string_view input) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= input.size()) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        lines.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

DiscomOptions OptionsFrom(std::string_view line) {
    DiscomOptions options;
    options.unit = line.find('l') != std::string_view::npos ? DisplacementUnit::Liters
                                                            : DisplacementUnit::CubicInches;
    options.roundToHundredths = line.find('r') != std::string_view::npos;
    options.checkCompression = line.find('c') != std::string_view::npos;
    return options;
}

// A result text: empty, or a number with no grouping that reads back as a finite number; with
// `twoDecimals`, exactly two digits after the separator.
void CheckResultText(const std::optional<std::string>& text, bool twoDecimals, bool neverNegative,
                     const RegionalFormat& format, std::string_view input) {
    if (!text || text->empty()) return;
    WrittenNumber n;
    Require(SplitWritten(*text, format, false, n), "a result is not a plain number", input);
    if (twoDecimals) {
        Require(n.separator && n.fraction.size() == 2, "a rounded result has not two decimals",
                input);
    }
    Require(!(neverNegative && n.negative), "the displacement is negative", input);
    Require(std::isfinite(ParseNumberStrict(*text, format)), "a result does not read back", input);
}

void CheckFailure(const DiscomTexts& texts, std::string_view input) {
    if (!texts.failure) return;
    const int field = texts.failure->field().number;
    Require(field >= kNoField.number && field <= DiscomEntries::Deck,
            "a failure blames something that is not an entry", input);
    Require(*texts.failure->what() != '\0', "a failure says nothing", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = AsText(data, size);
    std::vector<std::string> lines = Lines(input);
    const bool hasRefreshOptions = lines.size() > 8;
    lines.resize(9);
    const RegionalFormat& format = lines[0].find('g') != std::string::npos ? German() : English();
    const DiscomOptions options = OptionsFrom(lines[0]);
    DiscomOptions refreshOptions = hasRefreshOptions ? OptionsFrom(lines[8]) : options;
    refreshOptions.checkCompression = options.checkCompression;
    const DiscomEntries entries{lines[1], lines[2], lines[3], lines[4], lines[5], lines[6]};

    const DiscomCalculation calc = CalculateDisplacement(entries, options, lines[7], format);
    if (calc.essentialsFailed) {
        Require(!calc.texts.displacement && !calc.texts.ratio && !calc.texts.failure,
                "a failed essentials check changed a result", input);
        Require(calc.beeps == 2 && calc.message.has_value(),
                "a failed essentials check did not beep twice and tell", input);
    } else {
        const bool done = !calc.texts.failure;
        Require(!calc.focus, "the focus moved after the essentials check passed", input);
        Require(calc.beeps == (calc.message ? 1 : 0), "a beep without its message", input);
        Require(!calc.message || calc.texts.ratio == "", "a ratio shown beside its message", input);
        Require(!done || calc.texts.displacement.has_value(), "Calculate showed no displacement",
                input);
        Require(!done || !options.checkCompression || calc.texts.ratio.has_value(),
                "Calculate showed no ratio", input);
        const bool rounded = done && options.roundToHundredths;
        CheckResultText(calc.texts.displacement, rounded, true, format, input);
        CheckResultText(calc.texts.ratio, rounded, false, format, input);
        CheckFailure(calc.texts, input);
    }

    const DiscomTexts refresh = RefreshResults(entries, refreshOptions, format);
    const bool refreshed = !refresh.failure;
    Require(!refreshed || (refresh.displacement && refresh.ratio), "the refresh left a result out",
            input);
    const bool rounded = refreshed && refreshOptions.roundToHundredths;
    // The refresh checks no entry, so a negative stroke typed since gives a negative result.
    CheckResultText(refresh.displacement, rounded, false, format, input);
    CheckResultText(refresh.ratio, rounded, false, format, input);
    CheckFailure(refresh, input);

    // Without a change of unit or rounding, the refresh shows the displacement Calculate showed.
    const bool sameShape = refreshOptions.unit == options.unit &&
                           refreshOptions.roundToHundredths == options.roundToHundredths;
    if (!calc.essentialsFailed && !calc.texts.failure && refreshed && sameShape &&
        options.unit == DisplacementUnit::CubicInches && !options.roundToHundredths) {
        Require(refresh.displacement == calc.texts.displacement,
                "the refresh changed the displacement", input);
    }
    return 0;
}
