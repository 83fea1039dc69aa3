#include "drivetrain/road_speed.h"

#include "drivetrain/operand.h"
#include "input/failures.h"
#include "input/number_parse.h"
#include "input/number_text.h"

namespace motoreckon {

namespace {

// Inches of tire diameter, miles per hour and revolutions per minute meet in this factor:
// 63360 inches a mile over 60 minutes an hour, over pi, rounded.
constexpr double kSpeedFactor = 336.0;

double Multiply(double a, double b) { return CheckedResult(a * b); }

// Operands are read one at a time in the order the formula uses them: C++ leaves the order of
// evaluation of function arguments open, so every read is a statement of its own.

double EngineSpeedSteps(const auto& mph, const auto& axle, const auto& transmission,
                        const auto& tireDiameter) {
    const double speed = mph();
    const double axleRatio = axle();
    const double atAxle = Multiply(speed, axleRatio);
    const double transmissionRatio = transmission();
    const double atEngine = Multiply(Multiply(atAxle, transmissionRatio), kSpeedFactor);
    const double diameter = tireDiameter();
    try {
        return CheckedDivide(atEngine, diameter);
    } catch (const DivisionByZeroFailure&) {
        tireDiameter.zeroDivisor();
        throw;
    }
}

double RoadSpeedSteps(const auto& rpm, const auto& tireDiameter, const auto& axle,
                      const auto& transmission) {
    const double engineSpeed = rpm();
    const double diameter = tireDiameter();
    const double travel = Multiply(engineSpeed, diameter);
    const double axleRatio = axle();
    const double transmissionRatio = transmission();
    const double gearing = Multiply(Multiply(axleRatio, transmissionRatio), kSpeedFactor);
    try {
        return CheckedDivide(travel, gearing);
    } catch (const DivisionByZeroFailure&) {
        if (axleRatio == 0.0) axle.zeroDivisor();
        if (transmissionRatio == 0.0) transmission.zeroDivisor();
        throw;
    }
}

// Reads a box text as a number in the user's regional format.
struct RegionalNumber {
    const RegionalFormat* format;
    double operator()(std::string_view text) const { return ParseNumberStrict(text, *format); }
};

using RegionalEntry = EntryOperand<RegionalNumber>;

}  // namespace

double EngineSpeed(double mph, double axle, double transmission, double tireDiameter) {
    return EngineSpeedSteps(NumberOperand{mph}, NumberOperand{axle}, NumberOperand{transmission},
                            NumberOperand{tireDiameter});
}

double RoadSpeed(double rpm, double tireDiameter, double axle, double transmission) {
    return RoadSpeedSteps(NumberOperand{rpm}, NumberOperand{tireDiameter}, NumberOperand{axle},
                          NumberOperand{transmission});
}

std::string EngineSpeedCaption(const EngineSpeedEntries& entries, const RegionalFormat& format) {
    const RegionalNumber read{&format};
    const double rpm = EngineSpeedSteps(
        RegionalEntry{"txtMPH", entries.mph, read}, RegionalEntry{"txtAxle", entries.axle, read},
        RegionalEntry{"txtTransmission", entries.transmission, read},
        RegionalEntry{"txtTireDiameter", entries.tireDiameter, read});
    return WholeNumberText(rpm, format);
}

std::string RoadSpeedCaption(const RoadSpeedEntries& entries, const RegionalFormat& format) {
    const RegionalNumber read{&format};
    const double mph = RoadSpeedSteps(RegionalEntry{"txtRPM", entries.rpm, read},
                                      RegionalEntry{"txtTireDiameter", entries.tireDiameter, read},
                                      RegionalEntry{"txtAxle", entries.axle, read},
                                      RegionalEntry{"txtTransmission", entries.transmission, read});
    return WholeNumberText(mph, format);
}

}  // namespace motoreckon
