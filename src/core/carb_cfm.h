#pragma once

#include <cstdint>
#include <string>

#include "core/entries.h"
#include "core/failures.h"
#include "core/regional_format.h"

namespace motoreckon {

// Airflow in cubic feet per minute: rpm x cubicInches / 3456 x (efficiency x 0.01), in double
// precision, rounded to single precision. A result too large for single precision is an
// OverflowFailure.
float CalcCarbCFM(std::int16_t rpm, float cubicInches, std::int16_t efficiency);

// The entries of the carburetor window: maximum RPM, displacement in cubic inches, volumetric
// efficiency in percent.
struct CarbFields {
    enum Field { Rpm, CubicInches, Efficiency, kFieldCount };
    static constexpr const char* kHints[] = {"Enter the maximum expected RPM",
                                             "Engine displacement, in cubic inches",
                                             "Volumetric efficiency, in %"};
};
using CarbEntries = EntryTexts<CarbFields>;

// The Calculate click of the carburetor window: the required CFM as it is shown. The entries are
// read leniently in the user's region (ReadLeadingNumber). The efficiency is converted before the
// RPM, so when both are out of range the efficiency is blamed; a CFM out of range blames the box
// that makes it so.
std::string CarbCfmCaption(const CarbEntries& entries, const RegionalFormat& format);

}  // namespace motoreckon
