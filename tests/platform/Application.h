#pragma once

// The one application of a widget test program, shared by its tests.

#include <QApplication>

namespace orvane::testing
{

// Offscreen whatever the environment says: no box or window pops up on the developer's
// screen, and the clipboard the tests write is the program's own, not the desktop's.
inline void application()
{
    static int argc = 1;
    static char name[] = "orvane_tests";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

} // namespace orvane::testing
