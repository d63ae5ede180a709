#pragma once

#include <QStringList>

class QIODevice;

namespace orvane::cli
{

// `check PROJECT.qel [--exact-positions] [--cobc PROGRAM] [--cobc-options TEXT]`: the layout's
// own warnings (levels, pictures, and with --exact-positions the position tags against the
// storage), then the generated code inside a minimal program, checked with cobc
// -fsyntax-only. The messages go to `err` with the code's own line numbers; the status is the
// compiler's (127 when it is not installed).
int checkProject(const QStringList &arguments, QIODevice &out, QIODevice &err);

} // namespace orvane::cli
