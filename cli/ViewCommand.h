#pragma once

#include <QStringList>

class QIODevice;

namespace orvane::cli
{

// `view DATA --layout PROJECT.qel|COPYBOOK [--encoding E] [--record-length N]
//  [--format table|csv|json] [--records FROM:TO] ...`: the file's records decoded through the
// layout, streamed to `out`; the count of fields that did not decode and the size against the
// record length to `err`.
int viewData(const QStringList &arguments, QIODevice &out, QIODevice &err);

} // namespace orvane::cli
