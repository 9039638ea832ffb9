#include "core/meter_keys.h"

#include <gtest/gtest.h>

#include <set>

using namespace meter;

TEST(MeterKeys, CommandIsTheHeaderThenTheKeyCode) {
    EXPECT_EQ(keyCommand(0x09), (std::array<std::uint8_t, 3>{0xAA, 0xBB, 0x09}));
    EXPECT_EQ(keyCommand(meterKeyByArea("Image7")->keyCode), (std::array<std::uint8_t, 3>{0xAA, 0xBB, 0x0D}));
    EXPECT_EQ(KeyCommand{0x0A}.bytes(), keyCommand(0x0A));
}

TEST(MeterKeys, OneAreaPerKeyInsideThePanelWithoutOverlap) {
    constexpr DesignRect panel{0, 0, 2910, 7185};
    std::set<std::string_view> areas;
    std::set<int> codes;
    for (const MeterKey& k : meterKeys) {
        SCOPED_TRACE(std::string(k.key));
        EXPECT_TRUE(areas.insert(k.area).second);
        EXPECT_TRUE(codes.insert(k.keyCode).second);
        EXPECT_EQ(meterKeyByArea(k.area), &k);
        EXPECT_GT(k.rect.width, 0);
        EXPECT_GT(k.rect.height, 0);
        EXPECT_GE(k.rect.left, panel.left);
        EXPECT_GE(k.rect.top, panel.top);
        EXPECT_LE(k.rect.left + k.rect.width, panel.width);
        EXPECT_LE(k.rect.top + k.rect.height, panel.height);
        EXPECT_EQ(k.visible, k.key != "MAX/MIN");
        for (const MeterKey& other : meterKeys) {
            if (&other == &k) continue;
            const bool apart =
                k.rect.left + k.rect.width <= other.rect.left || other.rect.left + other.rect.width <= k.rect.left ||
                k.rect.top + k.rect.height <= other.rect.top || other.rect.top + other.rect.height <= k.rect.top;
            EXPECT_TRUE(apart) << other.key;
        }
    }
    EXPECT_EQ(areas,
              (std::set<std::string_view>{"Image1", "Image2", "Image3", "Image4", "Image5", "Image6", "Image7"}));
    EXPECT_EQ(meterKeyByArea("Image8"), nullptr);
    EXPECT_EQ(meterKeyByArea("image1"), nullptr);
}
