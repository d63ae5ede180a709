#pragma once

// The one application of the platform test program, shared by its tests.

#include <QApplication>

namespace orvane::testing
{

// Offscreen whatever the environment says: the boxes under test must not pop up on a desktop.
inline void application()
{
    static int argc = 1;
    static char name[] = "platform_tests";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

} // namespace orvane::testing
