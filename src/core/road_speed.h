#pragma once

#include <string>

#include "core/entries.h"
#include "core/failures.h"
#include "core/regional_format.h"

namespace motoreckon {

// The entries of the engine-speed calculator: road speed in MPH, axle and transmission
// ratios, tire diameter in inches.
struct EngineSpeedFields {
    enum Field { Mph, Axle, Transmission, TireDiameter, kFieldCount };
    static constexpr const char* kHints[] = {
        "Road speed, in miles per hour", "Axle ratio, as a plain number",
        "Transmission ratio of the gear in use, as a plain number", "Tire diameter, in inches"};
};
using EngineSpeedEntries = EntryTexts<EngineSpeedFields>;

// The entries of the road-speed calculator: engine speed in RPM, tire diameter in inches, axle
// and transmission ratios.
struct RoadSpeedFields {
    enum Field { Rpm, TireDiameter, Axle, Transmission, kFieldCount };
    static constexpr const char* kHints[] = {
        "Engine speed, in RPM", "Tire diameter, in inches", "Axle ratio, as a plain number",
        "Transmission ratio of the gear in use, as a plain number"};
};
using RoadSpeedEntries = EntryTexts<RoadSpeedFields>;

// The Calculate click of the road-speed window in its two modes: the answer as
// whole-number text.
//   engine speed: RPM = (((MPH x axle) x transmission) x 336) / tire diameter
//   road speed:   MPH = (RPM x tire diameter) / ((axle x transmission) x 336)
// Each text is read as a regional number just before the formula first needs it, so the first
// failing step decides which failure is reported. A text that is not a number blames its box; a
// zero divisor blames the box that holds it (when the divisor is a product, the first factor
// that is zero, or the one nearest zero when they only come too close to it), as a division by
// zero, or as an overflow when the dividend is 0 too; a step out of the double range blames the
// box out of range, else the one that takes it furthest: the largest factor or the divisor
// nearest zero.
std::string EngineSpeedCaption(const EngineSpeedEntries& entries, const RegionalFormat& format);
std::string RoadSpeedCaption(const RoadSpeedEntries& entries, const RegionalFormat& format);

}  // namespace motoreckon
