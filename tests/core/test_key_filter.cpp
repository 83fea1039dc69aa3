#include <gtest/gtest.h>

#include "core/key_filter.h"

namespace motoreckon {
namespace {

TEST(FilterNumericKey, PassesDigitsPercentTabAndBackspaceOnly) {
    for (int code = -32768; code <= 32767; ++code) {
        std::int16_t key = static_cast<std::int16_t>(code);
        FilterNumericKey(key);
        const bool allowed = (code >= '0' && code <= '9') || code == 37 || code == 8 || code == 9;
        EXPECT_EQ(key, allowed ? code : 0) << "code " << code;
    }
}

TEST(FilterLimitedNumericKey, RefusesEverythingOnceTheBoxIsFull) {
    using enum KeyRefusal;
    struct Case {
        std::int16_t code;
        std::size_t length;
        std::int16_t expected;
        KeyRefusal why;
    };
    const Case cases[] = {
        {'7', 5, '7', None},    {'7', 6, 0, BoxFull},    {8, 6, 0, BoxFull},   {8, 5, 8, None},
        {'7', 9, 0, BoxFull},   {'.', 0, 0, NotNumeric}, {'%', 0, '%', None},  {'%', 6, 0, BoxFull},
        {22, 2, 0, NotNumeric}, {13, 0, 0, NotNumeric},  {'.', 6, 0, BoxFull},
    };
    for (const auto& c : cases) {
        std::int16_t key = c.code;
        EXPECT_EQ(FilterLimitedNumericKey(key, c.length, 6), c.why)
            << "code " << c.code << " at length " << c.length;
        EXPECT_EQ(key, c.expected) << "code " << c.code << " at length " << c.length;
    }
}

}  // namespace
}  // namespace motoreckon
