#include "core/road_speed.h"

#include "core/failures.h"
#include "core/number_parse.h"
#include "core/number_text.h"

namespace motoreckon {

namespace {

// Inches of tire diameter, miles per hour and revolutions per minute meet in this factor:
// 63360 inches a mile over 60 minutes an hour, over pi, rounded.
constexpr double kSpeedFactor = 336.0;

// Each box is read as a regional number just before the formula first needs it, so that the
// first failing step decides which failure is reported; a number too large for a double fails
// as it is read.
auto RegionalReader(const RegionalFormat& format) {
    return
        [&format](std::string_view text) { return CheckedResult(ParseNumberStrict(text, format)); };
}

}  // namespace

std::string EngineSpeedCaption(const EngineSpeedEntries& entries, const RegionalFormat& format) {
    const auto read = RegionalReader(format);
    const EntryValue mph = ReadEntry(entries, EngineSpeedEntries::Mph, read);
    const EntryValue axle = ReadEntry(entries, EngineSpeedEntries::Axle, read);
    const double atAxle =
        BlameStep({mph, axle}, [&] { return CheckedResult(mph.value * axle.value); });
    const EntryValue transmission = ReadEntry(entries, EngineSpeedEntries::Transmission, read);
    const double atEngine = BlameStep({mph, axle, transmission}, [&] {
        return CheckedResult(CheckedResult(atAxle * transmission.value) * kSpeedFactor);
    });
    const EntryValue tire = ReadEntry(entries, EngineSpeedEntries::TireDiameter, read);
    return QuotientStep({mph, axle, transmission, tire}, {tire}, [&] {
        return WholeNumberText(CheckedDivide(atEngine, tire.value), format);
    });
}

std::string RoadSpeedCaption(const RoadSpeedEntries& entries, const RegionalFormat& format) {
    const auto read = RegionalReader(format);
    const EntryValue rpm = ReadEntry(entries, RoadSpeedEntries::Rpm, read);
    const EntryValue tire = ReadEntry(entries, RoadSpeedEntries::TireDiameter, read);
    const double travel =
        BlameStep({rpm, tire}, [&] { return CheckedResult(rpm.value * tire.value); });
    const EntryValue axle = ReadEntry(entries, RoadSpeedEntries::Axle, read);
    const EntryValue transmission = ReadEntry(entries, RoadSpeedEntries::Transmission, read);
    const double gearing = BlameStep({axle, transmission}, [&] {
        return CheckedResult(CheckedResult(axle.value * transmission.value) * kSpeedFactor);
    });
    return QuotientStep({rpm, tire, axle, transmission}, {axle, transmission},
                        [&] { return WholeNumberText(CheckedDivide(travel, gearing), format); });
}

}  // namespace motoreckon
