#pragma once

#include <cstdint>
#include <string_view>

#include "core/regional_format.h"

namespace motoreckon {

// The leading number of the text, blanks, tabs and line feeds removed wherever they stand;
// "." is the decimal point whatever the region; &H and &O read hexadecimal and octal whole
// numbers. Text that does not start with a number reads as 0. Never fails; a number too large
// for a double reads as an infinity. Linear in the length of the text.
double ParseLeadingNumber(std::string_view text);

// The leading number of an entry box's text as a calculator reads it: ParseLeadingNumber, but
// where the region's decimal separator is not the full stop, a number followed right away by
// that separator and a digit ("3,48" in German) is a ConversionFailure carrying the text, whose
// correction is the number written with a full stop where that is clear ("3.48"): the full
// stop alone would read it as 3, a plainly wrong number, with no word of warning.
double ReadLeadingNumber(std::string_view text, const RegionalFormat& format);

// The whole text, apart from leading and trailing blanks, read as one number in the regional
// format (sign, digits with group separators, decimal separator, exponent), or as an &H / &O
// whole number. Anything else is a ConversionFailure carrying the text. A number too large
// for a double reads as an infinity. Linear in the length of the text.
double ParseNumberStrict(std::string_view text, const RegionalFormat& format);

// Round to the nearest whole number, halves to the even neighbour; outside the 16-bit or
// 32-bit signed range (or not a number at all) it is an OverflowFailure.
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

}  // namespace motoreckon
