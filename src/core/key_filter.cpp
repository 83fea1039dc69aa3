#include "core/key_filter.h"

namespace motoreckon {

void FilterNumericKey(std::int16_t& keyAscii) {
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (digit || keyAscii == kKeyTab || keyAscii == kKeyBackspace || keyAscii == kKeyPercent) {
        return;
    }
    keyAscii = 0;
}

KeyRefusal FilterLimitedNumericKey(std::int16_t& keyAscii, std::size_t currentLength,
                                   std::size_t maxLength) {
    if (currentLength >= maxLength) {
        keyAscii = 0;
        return KeyRefusal::BoxFull;
    }
    FilterNumericKey(keyAscii);
    return keyAscii == 0 ? KeyRefusal::NotNumeric : KeyRefusal::None;
}

}  // namespace motoreckon
