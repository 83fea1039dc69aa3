#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/failures.h"

namespace motoreckon::test {

using Kind = CalculationFailure::Kind;

// The failure a calculation is expected to end with: its kind and the box it blames (an empty
// field: kNoField) with the text quoted from it, and where it matters why the box is to blame.
struct Blame {
    Kind kind;
    FieldId field;
    std::string text;
    std::optional<CalculationFailure::Cause> cause = std::nullopt;
};

// The failure `calculation` ends with, or nothing when it runs to its end.
template <class Calculation>
std::optional<CalculationFailure> FailureOf(Calculation&& calculation) {
    try {
        calculation();
    } catch (const CalculationFailure& failure) {
        return failure;
    }
    return std::nullopt;
}

inline void ExpectBlame(const std::optional<CalculationFailure>& actual, const Blame& expected) {
    ASSERT_TRUE(actual.has_value()) << "no failure";
    EXPECT_EQ(actual->kind(), expected.kind);
    EXPECT_EQ(actual->field().number, expected.field.number);
    EXPECT_EQ(actual->text(), expected.text);
    if (expected.cause) {
        EXPECT_EQ(actual->cause(), *expected.cause);
    }
}

}  // namespace motoreckon::test
