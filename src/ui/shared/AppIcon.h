#pragma once

#include <QIcon>

namespace orvane
{

// The program's icon: the installed theme icon where there is one, else the copy built in.
QIcon appIcon();

} // namespace orvane
