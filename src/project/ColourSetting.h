#pragma once

#include <QString>

namespace orvane
{

// A colour as the options key keeps it: one decimal integer with red in the lowest byte, then
// green, then blue, so pure red is 255 and white 16777215.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Rgb &) const = default;
};

// The leading number of the text, rounded. Text without one, and numbers that name no such
// colour (negative, or above white), read as black.
Rgb colourFromSetting(const QString &text);
QString colourSettingText(const Rgb &colour);

} // namespace orvane
