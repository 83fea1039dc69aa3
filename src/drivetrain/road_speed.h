#pragma once

#include <string>
#include <string_view>

#include "input/regional_format.h"

namespace motoreckon {

// Engine speed in RPM from road speed in MPH through the drivetrain:
// (((mph x axle) x transmission) x 336) / tireDiameter, each step checked. A zero tire diameter
// is a DivisionByZeroFailure (an OverflowFailure when the dividend is 0 too); any step that is
// not a finite number is an OverflowFailure.
double EngineSpeed(double mph, double axle, double transmission, double tireDiameter);

// Road speed in MPH from engine speed in RPM: (rpm x tireDiameter) / ((axle x transmission) x
// 336), failing as EngineSpeed does.
double RoadSpeed(double rpm, double tireDiameter, double axle, double transmission);

// The texts of the boxes of the engine-speed calculator.
struct EngineSpeedEntries {
    std::string_view mph;           // txtMPH
    std::string_view axle;          // txtAxle
    std::string_view transmission;  // txtTransmission
    std::string_view tireDiameter;  // txtTireDiameter
};

// The texts of the boxes of the road-speed calculator.
struct RoadSpeedEntries {
    std::string_view rpm;           // txtRPM
    std::string_view tireDiameter;  // txtTireDiameter
    std::string_view axle;          // txtAxle
    std::string_view transmission;  // txtTransmission
};

// The Calculate click of the road-speed window in its two modes: the caption for lblAnswer, as
// whole-number text. Each text is read as a regional number just before the formula first
// needs it, so the first failing step decides which failure is reported. A text that is not a
// number, or one too large for a double, blames its box; a zero divisor blames the box that
// holds it (when the divisor is a product, the first factor that is zero).
std::string EngineSpeedCaption(const EngineSpeedEntries& entries, const RegionalFormat& format);
std::string RoadSpeedCaption(const RoadSpeedEntries& entries, const RegionalFormat& format);

}  // namespace motoreckon
