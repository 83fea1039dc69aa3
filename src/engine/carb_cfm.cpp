#include "engine/carb_cfm.h"

#include <cmath>

#include "input/failures.h"
#include "input/number_parse.h"
#include "input/number_text.h"

namespace motoreckon {

namespace {

// The smallest magnitude that no longer rounds to a finite float: halfway between the largest
// float and 2^128.
const double kFloatOverflow = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);

float ToSingle(double value) {
    if (!(std::fabs(value) < kFloatOverflow)) throw OverflowFailure();
    return static_cast<float>(value);
}

}  // namespace

float CalcCarbCFM(std::int16_t rpm, float cubicInches, std::int16_t efficiency) {
    const double t = CheckedResult(static_cast<double>(rpm) * cubicInches / 3456.0);
    const double f = efficiency * 0.01;
    return ToSingle(t * f);
}

std::string CarbCfmCaption(const CarbEntries& entries) {
    const double rpm = ParseLeadingNumber(entries.rpm);
    const double cubicInches = ParseLeadingNumber(entries.cubicInches);
    const std::int16_t efficiency = BlameEntry("txtEfficency", entries.efficiency, [&] {
        return RoundToInt16(ParseLeadingNumber(entries.efficiency));
    });
    const float displacement =
        BlameEntry("txtCubicInches", entries.cubicInches, [&] { return ToSingle(cubicInches); });
    const std::int16_t wholeRpm =
        BlameEntry("txtRPM", entries.rpm, [&] { return RoundToInt16(rpm); });
    return PlainIntegerText(RoundToInt32(CalcCarbCFM(wholeRpm, displacement, efficiency)));
}

}  // namespace motoreckon
