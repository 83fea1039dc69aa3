#pragma once

#include <string>

#include "core/entries.h"
#include "core/failures.h"
#include "core/regional_format.h"

namespace motoreckon {

// The entries of the horsepower window: the car's weight in pounds, its trap speed in MPH.
struct TrapSpeedFields {
    enum Field { Weight, Mph, kFieldCount };
    static constexpr const char* kHints[] = {"Car weight with driver, in pounds",
                                             "Trap speed, in miles per hour"};
};
using TrapSpeedEntries = EntryTexts<TrapSpeedFields>;

// The Calculate click of the horsepower window: horsepower from the car's weight in pounds and
// its trap speed in MPH, ((mph / 234) to the power 3.0) x weight, as whole-number text.
// Both texts are read leniently in the user's region (ReadLeadingNumber), the speed first. A
// step whose result is not a finite number is an OverflowFailure: a speed whose cube is blames
// the speed, a product out of range the box out of range or else the larger of cube and weight.
std::string HorsepowerCaption(const TrapSpeedEntries& entries, const RegionalFormat& format);

}  // namespace motoreckon
