#include "core/horsepower.h"

#include <cmath>

#include "core/failures.h"
#include "core/number_parse.h"
#include "core/number_text.h"

namespace motoreckon {

namespace {

constexpr double kSpeedScale = 234.0;
constexpr double kPower = 3.0;

}  // namespace

std::string HorsepowerCaption(const TrapSpeedEntries& entries, const RegionalFormat& format) {
    // A number too large for a double fails as it is read.
    const auto read = [&format](std::string_view text) {
        return CheckedResult(ReadLeadingNumber(text, format));
    };
    const EntryValue mph = ReadEntry(entries, TrapSpeedEntries::Mph, read);
    const EntryValue weight = ReadEntry(entries, TrapSpeedEntries::Weight, read);
    const double cube =
        BlameStep({mph}, [&] { return CheckedResult(std::pow(mph.value / kSpeedScale, kPower)); });
    // The speed takes part as its cube, which is what can be out of range.
    return BlameStep({{mph.field, mph.text, cube}, weight},
                     [&] { return WholeNumberText(CheckedResult(cube * weight.value), format); });
}

}  // namespace motoreckon
