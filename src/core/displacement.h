#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/entries.h"
#include "core/failures.h"
#include "core/regional_format.h"

namespace motoreckon {

// The six entries of the displacement window: bore and stroke in inches, the number of
// cylinders, and the head (combustion chamber), gasket and deck volumes in cc.
struct DiscomFields {
    enum Field { Bore, Stroke, Cylinders, Head, Gasket, Deck, kFieldCount };
    static constexpr const char* kHints[] = {
        "Cylinder bore, in inches",         "Piston stroke, in inches",  "Number of cylinders",
        "Combustion chamber volume, in cc", "Head gasket volume, in cc", "Deck volume, in cc"};
};
using DiscomEntries = EntryTexts<DiscomFields>;

enum class DisplacementUnit { CubicInches, Liters };

// The window's options: the Displacement menu, "Check Comp. Ratio" and the rounding box.
struct DiscomOptions {
    DisplacementUnit unit = DisplacementUnit::CubicInches;
    bool checkCompression = true;
    bool roundToHundredths = false;
};

// What a computation writes into the two results.
struct DiscomTexts {
    std::optional<std::string> displacement;  // nullopt: it keeps its text
    std::optional<std::string> ratio;         // nullopt: it keeps its text
    // Set when a conversion, an overflow or a division by zero stopped the computation. The
    // texts above are then the ones it had written before it stopped; the window shows them
    // and then reports the failure.
    std::optional<CalculationFailure> failure;
};

struct DiscomMessage {
    std::string title;
    std::string text;
};

// What the Calculate button does, to be carried out in this order: the ratio text goes into
// the ratio result, the beeps sound, the message box (information icon, one OK button) is
// shown, the displacement text goes into its result, the focus moves, and last a failure is
// reported.
struct DiscomCalculation {
    bool essentialsFailed = false;  // bore, stroke or cylinders missing or not above zero
    DiscomTexts texts;
    int beeps = 0;
    std::optional<DiscomMessage> message;
    std::optional<DiscomEntries::Field> focus;  // the entry that gets the focus
};

// The Calculate button: displacement and, when the compression check is on, the compression
// ratio. `shownRatio` is the ratio shown now; with the compression check off it stays
// and is only rounded. Liters are cubic inches x 0.016387.
DiscomCalculation CalculateDisplacement(const DiscomEntries& entries, const DiscomOptions& options,
                                        std::string_view shownRatio, const RegionalFormat& format);

// The texts shown again after a change of unit or rounding, recomputed from the fields as they
// stand now, without checking them and without any message. The ratio is recomputed whether
// or not the compression check is on; with the check off, a ratio its entries cannot give is
// cleared and does not stop the displacement. The window runs it only while a displacement is
// shown. A refresh that fails clears both texts, so that no figure stays under a unit or
// rounding that is not its own.
DiscomTexts RefreshResults(const DiscomEntries& entries, const DiscomOptions& options,
                           const RegionalFormat& format);

}  // namespace motoreckon
