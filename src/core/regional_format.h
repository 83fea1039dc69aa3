#pragma once

#include <string>

namespace motoreckon {

// The user's regional number settings. Separators are UTF-8 text, so a region whose group
// separator is a narrow no-break space works like any other. The window layer builds one from
// the system locale; nothing in the core reads global locale state.
struct RegionalFormat {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
    int primaryGroupSize = 3;    // digits in the group next to the decimal separator
    int secondaryGroupSize = 3;  // digits in every group further left (2 in India)
    std::string negativeSign = "-";

    static RegionalFormat English();
    static RegionalFormat German();
};

}  // namespace motoreckon
