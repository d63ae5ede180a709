#pragma once

#include <QStringList>

class QIODevice;

namespace orvane::cli
{

// Runs one command of the command-line tool and returns its exit status: 0 on success, 1 when
// a file cannot be read or written or the source has no WORKING-STORAGE SECTION header, 2 for
// a usage error. `arguments` leaves out the program name. Both streams take bytes: generated
// code is Windows-1252 like the project files, messages and `show` are UTF-8.
int run(const QStringList &arguments, QIODevice &out, QIODevice &err);

// The exit statuses above, shared by every command.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

} // namespace orvane::cli
