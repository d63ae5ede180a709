#pragma once

// Writes an edited data file: the file's unchanged runs of records copied byte for byte, the
// edited records framed anew, into a temporary file that replaces the target in one rename.
// Stopped or failed half-way, the target is left as it was. QtCore only.

#include "RecordEdits.h"

#include <QString>

#include <functional>

namespace orvane::cobol
{

// Called as the bytes go out; returning false cancels the save.
using SaveProgress = std::function<bool(qint64 written, qint64 total)>;

struct SaveResult {
    bool ok = false;
    bool cancelled = false;
    QString message;
};

// The size the saved file will have.
qint64 SavedSize(const RecordEdits &edits);

SaveResult SaveDataFile(const RecordEdits &edits, const QString &path,
                        const SaveProgress &progress = {});

} // namespace orvane::cobol
