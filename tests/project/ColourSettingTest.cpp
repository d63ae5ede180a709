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
        {"", {0, 0, 0}},
        {"255", {255, 0, 0}},
        {"65280", {0, 255, 0}},
        {"16711680", {0, 0, 255}},
        {"16777215", {255, 255, 255}},
        {"8421504", {128, 128, 128}},
        {" 255 ", {255, 0, 0}},
        {"254.6", {255, 0, 0}}, // rounded
        {"255abc", {255, 0, 0}},
        {"red", {0, 0, 0}},
        {"-1", {0, 0, 0}},       // no such colour
        {"16777216", {0, 0, 0}}, // above white
        {"99999999999999999999", {0, 0, 0}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(colourFromSetting(QString::fromLatin1(c.text)), c.colour) << c.text;
}

TEST(ColourSetting, EveryColourReadsBackAsItWasStored)
{
    for (const Rgb colour : {Rgb{0, 0, 0}, Rgb{255, 0, 0}, Rgb{1, 2, 3}, Rgb{255, 255, 255}})
        EXPECT_EQ(colourFromSetting(colourSettingText(colour)), colour);
    EXPECT_EQ(colourSettingText({255, 0, 0}), "255");
}
