#pragma once

#include <QStringList>

class QIODevice;

namespace orvane::cli
{

// `edit DATA --layout PROJECT.qel|COPYBOOK --record N --set FIELD=VALUE... [--dry-run] ...`:
// sets fields of record N and replaces the file in one step; a refused value, an unknown field
// or a record past the end leaves the file untouched and exits 1. --dry-run writes the record's
// values before and after to `out` and leaves the file alone.
int editData(const QStringList &arguments, QIODevice &out, QIODevice &err);

} // namespace orvane::cli
