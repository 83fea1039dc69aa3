#pragma once

#include <string>
#include <string_view>

#include "input/regional_format.h"

namespace motoreckon {

// Horsepower from the car's weight in pounds and its trap speed in MPH:
// ((mph / 234) to the power 3.0) x weight. A step whose result is not a finite number is an
// OverflowFailure.
double HorsepowerByTrapSpeed(double mph, double weight);

// The texts of the boxes of the horsepower window.
struct TrapSpeedEntries {
    std::string_view weight;  // txtWeight
    std::string_view mph;     // txtMPH
};

// The Calculate click of the horsepower window: the caption for lblHP, as whole-number text.
// Both texts are read leniently (their leading number; anything else reads as 0), the speed
// first. A text too large for a double blames its box, and so does a speed whose cube is.
std::string HorsepowerCaption(const TrapSpeedEntries& entries, const RegionalFormat& format);

}  // namespace motoreckon
