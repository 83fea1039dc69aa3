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
// a number followed right away by a digit after the region's decimal separator (where that is
// not the full stop: "3,48" in German) or after its digit-group separator as users type it
// ("3,200" in English, "1 000" in French with a no-break space) is a ConversionFailure
// carrying the text: the reading would end the number there, a plainly wrong number, with no
// word of warning. Its correction is the number with a full stop and without grouping ("3.48",
// "3200") where the whole text reads as one number in the region's format.
double ReadLeadingNumber(std::string_view text, const RegionalFormat& format);

// The whole text, apart from leading and trailing blanks, read as one number in the regional
// format (sign, digits with group separators as users type them, decimal separator, exponent),
// or as an &H / &O whole number. Anything else is a ConversionFailure carrying the text. A number
// too large for a double reads as an infinity. Linear in the length of the text.
double ParseNumberStrict(std::string_view text, const RegionalFormat& format);

// Round to the nearest whole number, halves to the even neighbour; outside the 16-bit or
// 32-bit signed range (or not a number at all) it is an OverflowFailure.
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

}  // namespace motoreckon
