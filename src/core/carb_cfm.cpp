#include "core/carb_cfm.h"

#include <cmath>
#include <limits>

#include "core/failures.h"
#include "core/number_parse.h"
#include "core/number_text.h"

namespace motoreckon {

namespace {

// The smallest magnitude that no longer rounds to a finite float: halfway between the largest
// float and 2^128.
const double kFloatOverflow = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);

float ToSingle(double value) {
    if (!(std::fabs(value) < kFloatOverflow)) throw OverflowFailure();
    return static_cast<float>(value);
}

constexpr double kInt32Lowest = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32Highest = std::numeric_limits<std::int32_t>::max();

}  // namespace

float CalcCarbCFM(std::int16_t rpm, float cubicInches, std::int16_t efficiency) {
    const double t = CheckedResult(static_cast<double>(rpm) * cubicInches / 3456.0);
    const double f = efficiency * 0.01;
    return ToSingle(t * f);
}

std::string CarbCfmCaption(const CarbEntries& entries, const RegionalFormat& format) {
    const auto read = [&format](std::string_view text) { return ReadLeadingNumber(text, format); };
    const EntryValue rpm = ReadEntry(entries, CarbEntries::Rpm, read);
    const EntryValue cubicInches = ReadEntry(entries, CarbEntries::CubicInches, read);
    const EntryValue efficiency = ReadEntry(entries, CarbEntries::Efficiency, read);
    const std::int16_t wholeEfficiency =
        BlameStep({efficiency}, [&] { return RoundToInt16(efficiency.value); });
    const float displacement =
        BlameStep({cubicInches}, [&] { return ToSingle(cubicInches.value); });
    const std::int16_t wholeRpm = BlameStep({rpm}, [&] { return RoundToInt16(rpm.value); });
    // The displacement takes part as the single-precision number it became.
    return BlameStep(
        {rpm, {cubicInches.field, cubicInches.text, displacement}, efficiency},
        [&] {
            return PlainIntegerText(
                RoundToInt32(CalcCarbCFM(wholeRpm, displacement, wholeEfficiency)));
        },
        kInt32Lowest, kInt32Highest);
}

}  // namespace motoreckon
