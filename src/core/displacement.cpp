#include "core/displacement.h"

#include <limits>

#include "core/number_parse.h"
#include "core/number_text.h"

namespace motoreckon {

namespace {

constexpr double kPistonAreaFactor = 0.7854;      // pi / 4 to four places
constexpr double kCcPerCubicInch = 16.387;        // one cylinder's cubic inches into cc
constexpr double kLitersPerCubicInch = 0.016387;  // liters in a cubic inch: 16.387 cc

using Field = DiscomEntries::Field;

// A box read for its leading number, the full stop its decimal point.
auto Lenient(const RegionalFormat& format) {
    return [&format](std::string_view text) { return ReadLeadingNumber(text, format); };
}

constexpr const char* kIncompleteTitle = "Incomplete Data";
constexpr const char* kEssentialsText =
    "The displacement and compression ratio can not be calculated without accurate bore and "
    "stroke measurements and number of cylinders.";
constexpr const char* kCompressionText =
    "Insufficient Data To Calculate Compression Ratio. To obtain an accurate calculation all "
    "data must be entered.";

constexpr double kInt32Lowest = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32Highest = std::numeric_limits<std::int32_t>::max();

// The boxes of the displacement, read leniently in the user's region.
struct Factors {
    EntryValue bore;
    EntryValue stroke;
    EntryValue cylinders;

    Factors(const DiscomEntries& entries, const RegionalFormat& format)
        : bore(ReadEntry(entries, Field::Bore, Lenient(format))),
          stroke(ReadEntry(entries, Field::Stroke, Lenient(format))),
          cylinders(ReadEntry(entries, Field::Cylinders, Lenient(format))) {}

    // bore x bore x 0.7854 x stroke x cylinders in cubic inches, multiplied left to right.
    double sweptVolume() const {
        return BlameStep({bore, stroke, cylinders}, [this] {
            return CheckedResult(bore.value * bore.value * kPistonAreaFactor * stroke.value *
                                 cylinders.value);
        });
    }

    // The general text of a displacement made of these factors.
    std::string text(double cubicInches, const RegionalFormat& format) const {
        return BlameStep({bore, stroke, cylinders},
                         [&] { return GeneralText(cubicInches, format); });
    }
};

// Bore, stroke and cylinders must be typed and read as more than zero.
bool EssentialsMissing(const DiscomEntries& entries) {
    return entries[Field::Bore].empty() || entries[Field::Stroke].empty() ||
           entries[Field::Cylinders].empty();
}

bool EssentialsMissing(const Factors& factors) {
    return !(factors.bore.value > 0) || !(factors.stroke.value > 0) ||
           !(factors.cylinders.value > 0);
}

// The cylinder box read strictly, as the compression ratio needs it.
EntryValue CylinderCount(const DiscomEntries& entries, const RegionalFormat& format) {
    return ReadEntry(entries, Field::Cylinders,
                     [&](std::string_view text) { return ParseNumberStrict(text, format); });
}

// One cylinder's share of the displacement. No cylinders at all divides by zero, whatever the
// displacement.
double PerCylinder(double cubicInches, const EntryValue& cylinders, const Factors& factors) {
    if (cylinders.value == 0) {
        throw DivisionByZeroFailure(std::string(cylinders.text), Field::Cylinders);
    }
    return QuotientStep({factors.bore, factors.stroke, cylinders}, {cylinders},
                        [&] { return CheckedDivide(cubicInches, cylinders.value); });
}

struct Volumes {
    EntryValue head;
    EntryValue gasket;
    EntryValue deck;

    Volumes(const DiscomEntries& entries, const RegionalFormat& format)
        : head(ReadEntry(entries, Field::Head, Lenient(format))),
          gasket(ReadEntry(entries, Field::Gasket, Lenient(format))),
          deck(ReadEntry(entries, Field::Deck, Lenient(format))) {}

    // The ratio needs a gasket and a head; the deck may be empty, zero or negative.
    bool ratioPossible() const { return gasket.value > 0 && head.value > 0; }
};

// One cylinder's swept volume in cc plus the clearance, and the clearance on its own.
struct CompressionVolumes {
    std::int32_t totalCylVolume;  // whole cc
    double clearanceVolume;       // deck + gasket + head, cc

    // The total is added in this order and rounded to a whole cc, halves to the even
    // neighbour. A total out of the 32-bit range blames the box that takes it there.
    CompressionVolumes(double perCylinderCubicInches, const Factors& factors,
                       const Volumes& volumes)
        : totalCylVolume(BlameStep(
              {factors.bore, factors.stroke, factors.cylinders, volumes.deck, volumes.gasket,
               volumes.head},
              [&] {
                  return RoundToInt32(perCylinderCubicInches * kCcPerCubicInch +
                                      volumes.deck.value + volumes.gasket.value +
                                      volumes.head.value);
              },
              kInt32Lowest, kInt32Highest)),
          clearanceVolume(volumes.deck.value + volumes.gasket.value + volumes.head.value) {}
};

// The whole-cc total over the unrounded clearance. With a gasket and a head above zero the
// clearance can only be zero when a negative deck volume cancels them, which is said so; a ratio
// beyond every number comes of a clearance too close to zero, which the largest of the volumes
// makes up.
std::string RatioText(const CompressionVolumes& compression, const Volumes& volumes,
                      const RegionalFormat& format) {
    if (compression.clearanceVolume == 0) {
        throw DivisionByZeroFailure(std::string(volumes.deck.text), Field::Deck,
                                    CalculationFailure::Cause::CancelsOut);
    }
    try {
        return GeneralText(CheckedDivide(compression.totalCylVolume, compression.clearanceVolume),
                           format);
    } catch (const CalculationFailure& failure) {
        RethrowBlaming(failure,
                       OverflowCulprit({volumes.deck, volumes.gasket, volumes.head},
                                       -std::numeric_limits<double>::max(),
                                       std::numeric_limits<double>::max()),
                       CalculationFailure::Cause::NearZero);
    }
}

// Runs the steps of a computation, which write into `texts` as they go; a failure stops them
// and is kept beside the texts written so far.
template <class Steps>
void KeepFailure(DiscomTexts& texts, Steps&& steps) {
    try {
        steps();
    } catch (const CalculationFailure& failure) {
        texts.failure = failure;
    }
}

void FailEssentials(const DiscomEntries& entries, DiscomCalculation& result) {
    result.essentialsFailed = true;
    result.beeps = 2;
    result.message = DiscomMessage{kIncompleteTitle, kEssentialsText};
    if (entries[Field::Stroke].empty())
        result.focus = entries[Field::Bore].empty() ? Field::Bore : Field::Stroke;
}

}  // namespace

DiscomCalculation CalculateDisplacement(const DiscomEntries& entries, const DiscomOptions& options,
                                        std::string_view shownRatio, const RegionalFormat& format) {
    DiscomCalculation result;
    if (EssentialsMissing(entries)) {
        FailEssentials(entries, result);
        return result;
    }

    DiscomTexts& texts = result.texts;
    KeepFailure(texts, [&] {
        const Factors factors(entries, format);
        if (EssentialsMissing(factors)) {
            FailEssentials(entries, result);
            return;
        }
        const double dispCubicInches = factors.sweptVolume();

        std::string ratio(shownRatio);
        if (options.checkCompression) {
            const Volumes volumes(entries, format);
            const EntryValue cylinders = CylinderCount(entries, format);
            const CompressionVolumes compression(PerCylinder(dispCubicInches, cylinders, factors),
                                                 factors, volumes);
            if (volumes.ratioPossible()) {
                ratio = RatioText(compression, volumes, format);
            } else {
                ratio.clear();
                result.beeps = 1;
                result.message = DiscomMessage{kIncompleteTitle, kCompressionText};
            }
            texts.ratio = ratio;
        }

        const double shown = options.unit == DisplacementUnit::Liters
                                 ? dispCubicInches * kLitersPerCubicInch
                                 : dispCubicInches;
        texts.displacement = factors.text(shown, format);

        if (options.roundToHundredths) {
            texts.displacement = TwoDecimalText(*texts.displacement, format);
            texts.ratio = TwoDecimalText(ratio, format);
        }

        if (dispCubicInches == 0) texts.displacement = "";
    });
    return result;
}

DiscomTexts RefreshResults(const DiscomEntries& entries, const DiscomOptions& options,
                           const RegionalFormat& format) {
    DiscomTexts texts;
    KeepFailure(texts, [&] {
        const Factors factors(entries, format);
        std::string displacement = factors.text(factors.sweptVolume(), format);
        texts.displacement = displacement;

        // The ratio is worked out again whether or not the compression check is on. With the
        // check off its entries are out of use: a ratio they cannot give is cleared, as one they
        // give no data for is, and the displacement is shown all the same.
        std::string ratio;
        const auto workOutRatio = [&] {
            const Volumes volumes(entries, format);
            const double cubicInches = ParseNumberStrict(displacement, format);
            const EntryValue cylinders = CylinderCount(entries, format);
            const CompressionVolumes compression(PerCylinder(cubicInches, cylinders, factors),
                                                 factors, volumes);
            ratio = volumes.ratioPossible() ? RatioText(compression, volumes, format) : "";
        };
        if (options.checkCompression) {
            workOutRatio();
        } else {
            try {
                workOutRatio();
            } catch (const CalculationFailure&) {
                ratio.clear();
            }
        }
        texts.ratio = ratio;

        if (options.unit == DisplacementUnit::Liters) {
            displacement =
                GeneralText(ParseNumberStrict(displacement, format) * kLitersPerCubicInch, format);
            texts.displacement = displacement;
        }

        if (options.roundToHundredths) {
            displacement = TwoDecimalText(displacement, format);
            texts.displacement = displacement;
            texts.ratio = TwoDecimalText(ratio, format);
        }

        if (ParseNumberStrict(displacement, format) == 0) texts.displacement = "";
    });
    // A refresh that fails leaves nothing that could be shown under the unit and rounding just
    // chosen: the results are cleared rather than left in another unit or rounding.
    if (texts.failure) {
        texts.displacement = "";
        texts.ratio = "";
    }
    return texts;
}

}  // namespace motoreckon
