#pragma once

// The one application of a window benchmark, offscreen unless a display is there to look at.
#include "platform/Platform.h"

#include <QApplication>

namespace orvane::bench
{

inline QApplication &application()
{
    static int argc = 1;
    static char name[] = "orvane-bench";
    static char *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

// Message boxes that answer OK without showing anything.
struct SilentMessages : MessageBoxes {
    MessageAnswer show(const QString &, const QString &, MessageButtons, MessageIcon) override
    {
        return MessageAnswer::Ok;
    }
};

} // namespace orvane::bench
