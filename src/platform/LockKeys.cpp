#include "LockKeys.h"

#include <QDir>
#include <QFile>

namespace orvane
{

namespace
{

bool anyLedOn(const QDir &leds, const QString &suffix)
{
    const QStringList names = leds.entryList({QStringLiteral("*") + suffix}, QDir::Dirs);
    for (const QString &name : names) {
        QFile brightness(leds.filePath(name + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed() != "0")
            return true;
    }
    return false;
}

} // namespace

LockKeyState readLockKeys()
{
    const QDir leds(QStringLiteral("/sys/class/leds"));
    LockKeyState state;
    if (!leds.exists())
        return state;
    state.capsLock = anyLedOn(leds, QStringLiteral("::capslock"));
    state.numLock = anyLedOn(leds, QStringLiteral("::numlock"));
    return state;
}

} // namespace orvane
