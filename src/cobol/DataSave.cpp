#include "DataSave.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace orvane::cobol
{

namespace
{

constexpr qint64 kChunk = qint64(1) << 20;

// Calls `put` with each stretch of the new file's bytes in order; stops when it returns false.
template <typename Put> bool forEachStretch(const RecordEdits &edits, Put put)
{
    const FrameWriter &f = edits.framing();
    const std::vector<RecordEdits::Run> runs = edits.runs();
    QByteArray framed;
    for (size_t i = 0; i < runs.size(); ++i) {
        const RecordEdits::Run &run = runs[i];
        const bool last = i + 1 == runs.size();
        if (run.first < 0) {
            framed.clear();
            f.frame(reinterpret_cast<const unsigned char *>(run.bytes->constData()),
                    run.bytes->size(), last, framed);
            if (!put(reinterpret_cast<const unsigned char *>(framed.constData()), framed.size()))
                return false;
            continue;
        }
        const qint64 from = f.frameStart(run.first);
        const qint64 to = f.frameEnd(run.first + run.n - 1);
        for (qint64 at = from; at < to; at += kChunk)
            if (!put(edits.data() + at, std::min(kChunk, to - at)))
                return false;
        if (!last) {
            const QByteArray missing = f.missingAfter(run.first + run.n - 1);
            if (!put(reinterpret_cast<const unsigned char *>(missing.constData()), missing.size()))
                return false;
        }
    }
    const qint64 tail = f.tailStart();
    for (qint64 at = tail; at < edits.size(); at += kChunk)
        if (!put(edits.data() + at, std::min(kChunk, edits.size() - at)))
            return false;
    return true;
}

} // namespace

qint64 SavedSize(const RecordEdits &edits)
{
    qint64 total = 0;
    forEachStretch(edits, [&](const unsigned char *, qint64 n) {
        total += n;
        return true;
    });
    return total;
}

SaveResult SaveDataFile(const RecordEdits &edits, const QString &path, const SaveProgress &progress)
{
    SaveResult result;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        result.message = QStringLiteral("Cannot write %1: it is not a regular file").arg(path);
        return result;
    }
    // Writing through a temporary file would quietly lift the protection.
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner)) {
        result.message = QStringLiteral("Cannot write %1: the file is read only").arg(path);
        return result;
    }
    const qint64 total = progress ? SavedSize(edits) : 0;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.message = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return result;
    }
    qint64 written = 0;
    const bool complete = forEachStretch(edits, [&](const unsigned char *p, qint64 n) {
        if (file.write(reinterpret_cast<const char *>(p), n) != n)
            return false;
        written += n;
        if (progress && !progress(written, total)) {
            result.cancelled = true;
            return false;
        }
        return true;
    });
    if (!complete) {
        const QString why = file.errorString();
        file.cancelWriting();
        file.commit(); // removes the temporary file
        if (!result.cancelled)
            result.message = QStringLiteral("Cannot write %1: %2").arg(path, why);
        return result;
    }
    if (!file.commit()) {
        result.message = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace orvane::cobol
