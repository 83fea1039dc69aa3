#pragma once

#include <cstdint>
#include <string_view>

#include "input/regional_format.h"

namespace motoreckon {

// The leading number of the text, blanks, tabs and line feeds removed wherever they stand;
// "." is the decimal point whatever the region; &H and &O read hexadecimal and octal whole
// numbers. Text that does not start with a number reads as 0. Never fails; a number too large
// for a double reads as an infinity. Linear in the length of the text.
double ParseLeadingNumber(std::string_view text);

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
