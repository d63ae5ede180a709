#include "project/ColourSetting.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(ColourSetting, TheStoredNumberHoldsRedGreenAndBlueFromTheLowByteUp)
{
    struct Case {
        const char *text;
        Rgb colour;
    };
    const Case cases[] = {
        {"", {0, 0, 0}},           {"255", {255, 0, 0}},
        {"16711680", {0, 0, 255}}, {"8421504", {128, 128, 128}},
        {"254.6x", {255, 0, 0}},   {"red", {0, 0, 0}},
        {"-1", {0, 0, 0}},         {"16777216", {0, 0, 0}}, // no such colours
    };
    for (const Case &c : cases) {
        EXPECT_EQ(colourFromSetting(QString::fromLatin1(c.text)), c.colour) << c.text;
        EXPECT_EQ(colourFromSetting(colourSettingText(c.colour)), c.colour) << c.text;
    }
}
