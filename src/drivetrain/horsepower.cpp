#include "drivetrain/horsepower.h"

#include <cmath>

#include "drivetrain/operand.h"
#include "input/failures.h"
#include "input/number_parse.h"
#include "input/number_text.h"

namespace motoreckon {

namespace {

constexpr double kSpeedScale = 234.0;
constexpr double kPower = 3.0;

double HorsepowerSteps(const auto& mph, const auto& weight) {
    const double speed = mph();
    const double pounds = weight();
    const double cube =
        mph.blame([speed] { return CheckedResult(std::pow(speed / kSpeedScale, kPower)); });
    return CheckedResult(cube * pounds);
}

struct LeadingNumber {
    double operator()(std::string_view text) const { return ParseLeadingNumber(text); }
};

using LenientEntry = EntryOperand<LeadingNumber>;

}  // namespace

double HorsepowerByTrapSpeed(double mph, double weight) {
    return HorsepowerSteps(NumberOperand{mph}, NumberOperand{weight});
}

std::string HorsepowerCaption(const TrapSpeedEntries& entries, const RegionalFormat& format) {
    const double hp = HorsepowerSteps(LenientEntry{"txtMPH", entries.mph, {}},
                                      LenientEntry{"txtWeight", entries.weight, {}});
    return WholeNumberText(hp, format);
}

}  // namespace motoreckon
