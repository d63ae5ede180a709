#include "ColourSetting.h"

#include "model/NumberText.h"

#include <cmath>

namespace orvane
{

Rgb colourFromSetting(const QString &text)
{
    const double value = std::round(readNumber(text));
    if (!(value >= 0 && value <= 0xFFFFFF))
        return {};
    const auto v = static_cast<unsigned>(value);
    return {int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)};
}

QString colourSettingText(const Rgb &colour)
{
    const auto part = [](int c) { return unsigned(qBound(0, c, 255)); };
    return QString::number(part(colour.red) | part(colour.green) << 8 | part(colour.blue) << 16);
}

} // namespace orvane
