#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/centerform.h"

namespace motoreckon {
namespace {

struct FakeParent final : CenterParent {
    bool frame = false;
    float width = 0, height = 0, scaleWidth = 0, scaleHeight = 0;
    bool IsMdiFrame() const override { return frame; }
    float Width() const override { return width; }
    float Height() const override { return height; }
    float ScaleWidth() const override { return scaleWidth; }
    float ScaleHeight() const override { return scaleHeight; }
};

struct FakeChild final : CenterChild {
    float width = 0, height = 0;
    std::vector<std::string> moves;
    float left = 0, top = 0;
    float Width() const override { return width; }
    float Height() const override { return height; }
    void SetLeft(float value) override {
        left = value;
        moves.push_back("left");
    }
    void SetTop(float value) override {
        top = value;
        moves.push_back("top");
    }
};

TEST(CenterForm, CentresOnTheOuterSizeOfAScreenAndTheClientAreaOfAFrame) {
    struct Case {
        bool frame;
        float outerWidth, outerHeight, clientWidth, clientHeight;
        float childWidth, childHeight;
        float left, top;
    };
    const Case cases[] = {
        {false, 15360, 11520, 0, 0, 9600, 6000, 2880, 2760},
        {false, 15360, 11520, 0, 0, 9601, 6001, 2879.5f, 2759.5f},
        {true, 9999, 9999, 4000, 3000, 6000, 4000, -1000, -500},
        {true, 9405, 6525, 9285, 5715, 4845, 2205, 2220, 1755},
    };
    for (const auto& c : cases) {
        FakeParent parent;
        parent.frame = c.frame;
        parent.width = c.outerWidth;
        parent.height = c.outerHeight;
        parent.scaleWidth = c.clientWidth;
        parent.scaleHeight = c.clientHeight;
        FakeChild child;
        child.width = c.childWidth;
        child.height = c.childHeight;
        CenterForm(parent, child);
        EXPECT_EQ(child.left, c.left);
        EXPECT_EQ(child.top, c.top);
        EXPECT_EQ(child.moves, (std::vector<std::string>{"left", "top"}));
    }
}

}  // namespace
}  // namespace motoreckon
