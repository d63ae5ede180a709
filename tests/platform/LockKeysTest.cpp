#include "platform/LockKeys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane;

namespace
{

void light(const QString &leds, const QString &name, const QByteArray &brightness)
{
    ASSERT_TRUE(QDir().mkpath(leds + u'/' + name));
    QFile f(leds + u'/' + name + QStringLiteral("/brightness"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(brightness);
}

} // namespace

TEST(LockKeys, TheKernelsLightsAreOnWhenAnyKeyboardShowsThem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString leds = dir.path() + QStringLiteral("/leds");
    EXPECT_EQ(readKernelLockKeys(leds), (LockKeyState{false, false})) << "no lights at all";

    light(leds, QStringLiteral("input3::capslock"), "0\n");
    light(leds, QStringLiteral("input3::numlock"), "0\n");
    light(leds, QStringLiteral("input3::scrolllock"), "1\n");
    EXPECT_EQ(readKernelLockKeys(leds), (LockKeyState{false, false}));

    // A second keyboard's light counts as much as the first one's.
    light(leds, QStringLiteral("input7::numlock"), "1\n");
    EXPECT_EQ(readKernelLockKeys(leds), (LockKeyState{false, true}));
    light(leds, QStringLiteral("input3::capslock"), "255\n");
    EXPECT_EQ(readKernelLockKeys(leds), (LockKeyState{true, true}));
}
