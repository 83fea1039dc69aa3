#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/regional_format.h"

namespace motoreckon {

// The general text: at most 15 significant digits, written out in full without an exponent,
// the regional decimal separator, no grouping, no trailing zeros, "0" before the separator
// below 1 (349.848576, 10.3116883116883, 0.5). A value that is not finite, or whose 15 digits
// would read back as an infinity (from 1.797693134862315e308 on), is an OverflowFailure, so no
// window ever shows "inf", "nan" or a number the program cannot read again.
std::string GeneralText(double value, const RegionalFormat& format);

// The two-decimal text of the pattern "###.00" applied to a text a window shows: the empty
// text stays empty; a general text is rounded half away from zero on its written digits
// (1.005 gives 1.01), with no leading zero (0.5 gives .50, 0 gives .00). Any other text that
// reads as a regional number is first written as its general text. Text that is not a number
// is a ConversionFailure.
std::string TwoDecimalText(std::string_view shown, const RegionalFormat& format);

// The whole-number text: rounded half away from zero, digits grouped, regional negative sign
// (2892.18 gives 2,892 in English and 2.892 in German). Not finite, or beyond what 15 digits
// can write (as for GeneralText): OverflowFailure.
std::string WholeNumberText(double value, const RegionalFormat& format);

// A number shown as `written`, a text of the writings above, in exponent form with at most
// `digits` significant digits (1 to 15), its written digits rounded once, halves away from
// zero, trailing zeros dropped; the regional decimal separator and negative sign:
// 7.80463195540995E+307, -1.5E+20, 2E-7. For a result too long to be shown whole: its digits
// agree with the whole text. A text that is not a number is a ConversionFailure.
std::string ExponentText(std::string_view written, int digits, const RegionalFormat& format);

// Plain decimal digits with a leading "-" for a negative value; no grouping, no blanks.
std::string PlainIntegerText(std::int32_t value);

}  // namespace motoreckon
