#include "LockKeys.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#ifdef ORVANE_HAVE_XKB
#include <qguiapplication_platform.h>
// Xlib's macros (None, Bool, Status, ...) clash with Qt names, so it comes last.
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#endif

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

std::optional<LockKeyState> readDisplayLockKeys()
{
#ifdef ORVANE_HAVE_XKB
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    auto *x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    XkbStateRec state{};
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success)
        return std::nullopt;
    // Caps Lock is always the Lock modifier; Num Lock is whichever modifier its key sets.
    const unsigned numMask = XkbKeysymToModifiers(display, XK_Num_Lock);
    LockKeyState keys;
    keys.capsLock = (state.locked_mods & LockMask) != 0;
    keys.numLock = numMask != 0 && (state.locked_mods & numMask) != 0;
    return keys;
#else
    return std::nullopt;
#endif
}

LockKeyState readKernelLockKeys(const QString &ledsFolder)
{
    const QDir leds(ledsFolder);
    LockKeyState state;
    if (!leds.exists())
        return state;
    state.capsLock = anyLedOn(leds, QStringLiteral("::capslock"));
    state.numLock = anyLedOn(leds, QStringLiteral("::numlock"));
    return state;
}

LockKeyState readLockKeys()
{
    return readDisplayLockKeys().value_or(readKernelLockKeys());
}

} // namespace orvane
