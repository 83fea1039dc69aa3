#include "engine/displacement.h"

#include "input/number_parse.h"
#include "input/number_text.h"

namespace motoreckon {

namespace {

constexpr double kPistonAreaFactor = 0.7854;      // pi / 4 to four places
constexpr double kCcPerCubicInch = 16.387;        // one cylinder's cubic inches into cc
constexpr double kLitersPerCubicInch = 0.016387;  // liters in a cubic inch: 16.387 cc

constexpr const char* kBoreBox = "txtBore";
constexpr const char* kStrokeBox = "txtStroke";
constexpr const char* kCylindersBox = "txtCylinders";
constexpr const char* kDeckBox = "decktx";

constexpr const char* kIncompleteTitle = "Incomplete Data";
constexpr const char* kEssentialsText =
    "The displacement and compression ratio can not be calculated without accurate bore and "
    "stroke measurements and number of cylinders.";
constexpr const char* kCompressionText =
    "Insufficient Data To Calculate Compression Ratio. To obtain an accurate calculation all "
    "data must be entered.";

// Bore, stroke and cylinders must be typed and read as more than zero.
bool EssentialsMissing(const DiscomEntries& entries) {
    if (entries.bore.empty() || entries.stroke.empty() || entries.cylinders.empty()) return true;
    return !(ParseLeadingNumber(entries.bore) > 0) || !(ParseLeadingNumber(entries.stroke) > 0) ||
           !(ParseLeadingNumber(entries.cylinders) > 0);
}

// bore x bore x 0.7854 x stroke x cylinders in cubic inches, multiplied left to right.
double SweptVolume(const DiscomEntries& entries) {
    const double bore = ParseLeadingNumber(entries.bore);
    return CheckedResult(bore * bore * kPistonAreaFactor * ParseLeadingNumber(entries.stroke) *
                         ParseLeadingNumber(entries.cylinders));
}

// The cylinder box read strictly, as the compression ratio needs it.
double CylinderCount(const DiscomEntries& entries, const RegionalFormat& format) {
    return BlameEntry(kCylindersBox, entries.cylinders,
                      [&] { return ParseNumberStrict(entries.cylinders, format); });
}

// One cylinder's share of the displacement. No cylinders at all divides by zero, whatever the
// displacement.
double PerCylinder(double cubicInches, double cylinders, const DiscomEntries& entries) {
    if (cylinders == 0) throw DivisionByZeroFailure(entries.cylinders, kCylindersBox);
    return CheckedDivide(cubicInches, cylinders);
}

struct Volumes {
    double head;
    double gasket;
    double deck;

    explicit Volumes(const DiscomEntries& entries)
        : head(ParseLeadingNumber(entries.head)),
          gasket(ParseLeadingNumber(entries.gasket)),
          deck(ParseLeadingNumber(entries.deck)) {}

    // The ratio needs a gasket and a head; the deck may be empty, zero or negative.
    bool ratioPossible() const { return gasket > 0 && head > 0; }
};

// One cylinder's swept volume in cc plus the clearance, added in this order and rounded to a
// whole cc, halves to the even neighbour; then the clearance on its own.
void CompressionVolumes(double perCylinderCubicInches, const Volumes& volumes,
                        DiscomRetained& retained) {
    retained.totalCylVolume = RoundToInt32(perCylinderCubicInches * kCcPerCubicInch + volumes.deck +
                                           volumes.gasket + volumes.head);
    retained.clearanceVolume = volumes.deck + volumes.gasket + volumes.head;
}

// The whole-cc total over the unrounded clearance. With a gasket and a head above zero the
// clearance can only be zero when a negative deck volume cancels them.
std::string RatioText(const DiscomRetained& retained, const DiscomEntries& entries,
                      const RegionalFormat& format) {
    if (retained.clearanceVolume == 0) throw DivisionByZeroFailure(entries.deck, kDeckBox);
    return GeneralText(CheckedDivide(retained.totalCylVolume, retained.clearanceVolume), format);
}

// Runs the steps of a computation, which write into `texts` as they go; a failure stops them
// and is kept beside the texts written so far.
template <class Steps>
void RunSteps(DiscomTexts& texts, Steps&& steps) {
    try {
        steps();
    } catch (const CalculationFailure& failure) {
        texts.failure = failure;
    }
}

}  // namespace

DiscomCalculation CalculateDisplacement(const DiscomEntries& entries, const DiscomOptions& options,
                                        std::string_view shownRatio, DiscomRetained& retained,
                                        const RegionalFormat& format) {
    DiscomCalculation result;
    if (EssentialsMissing(entries)) {
        result.essentialsFailed = true;
        result.beeps = 2;
        result.message = DiscomMessage{kIncompleteTitle, kEssentialsText};
        if (entries.stroke.empty()) result.focus = entries.bore.empty() ? kBoreBox : kStrokeBox;
        return result;
    }

    DiscomTexts& texts = result.texts;
    RunSteps(texts, [&] {
        retained.dispCubicInches = SweptVolume(entries);

        std::string ratio(shownRatio);
        if (options.checkCompression) {
            const Volumes volumes(entries);
            const double cylinders = CylinderCount(entries, format);
            CompressionVolumes(PerCylinder(retained.dispCubicInches, cylinders, entries), volumes,
                               retained);
            if (volumes.ratioPossible()) {
                ratio = RatioText(retained, entries, format);
            } else {
                ratio.clear();
                result.beeps = 1;
                result.message = DiscomMessage{kIncompleteTitle, kCompressionText};
            }
            texts.ratio = ratio;
        }

        const double shown = options.unit == DisplacementUnit::Liters
                                 ? retained.dispCubicInches * kLitersPerCubicInch
                                 : retained.dispCubicInches;
        texts.displacement = GeneralText(shown, format);

        if (options.roundToHundredths) {
            texts.displacement = TwoDecimalText(*texts.displacement, format);
            texts.ratio = TwoDecimalText(ratio, format);
        }

        if (retained.dispCubicInches == 0) texts.displacement = "";
    });
    return result;
}

DiscomTexts RefreshResults(const DiscomEntries& entries, const DiscomOptions& options,
                           DiscomRetained& retained, const RegionalFormat& format) {
    DiscomTexts texts;
    RunSteps(texts, [&] {
        std::string displacement = GeneralText(SweptVolume(entries), format);
        texts.displacement = displacement;

        const Volumes volumes(entries);
        const double cubicInches = ParseNumberStrict(displacement, format);
        const double cylinders = CylinderCount(entries, format);
        CompressionVolumes(PerCylinder(cubicInches, cylinders, entries), volumes, retained);
        std::string ratio = volumes.ratioPossible() ? RatioText(retained, entries, format) : "";
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
    return texts;
}

}  // namespace motoreckon
