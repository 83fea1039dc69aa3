#include "core/regional_format.h"

namespace motoreckon {

RegionalFormat RegionalFormat::English() { return RegionalFormat{}; }

RegionalFormat RegionalFormat::German() {
    RegionalFormat format;
    format.decimalSeparator = ",";
    format.groupSeparator = ".";
    return format;
}

}  // namespace motoreckon
