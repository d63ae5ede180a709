#include "DataSave.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace orvane::cobol
{

namespace
{

constexpr qint64 kChunk = qint64(1) << 20;

template <typename Put> bool putFile(const RecordEdits &edits, qint64 from, qint64 to, Put &put)
{
    for (qint64 at = from; at < to; at += kChunk)
        if (!put(edits.data() + at, std::min(kChunk, to - at)))
            return false;
    return true;
}

// A blocked file: a block whose records all stay, in order, is copied whole; the records of a
// block that changed (with records inserted among them) go into new blocks no longer than the
// file's longest.
template <typename Put> bool forEachBlock(const RecordEdits &edits, Put put)
{
    const FrameWriter &f = edits.framing();
    struct Item {
        qint64 first; // a run of the file's records, or -1: `bytes` holds the record
        qint64 n;
        const QByteArray *bytes;
        qint64 size(const FrameWriter &f) const
        {
            return bytes ? 4 + bytes->size() : f.frameEnd(first + n - 1) - f.frameStart(first);
        }
    };
    std::vector<Item> pending;
    qint64 pendingBlock = -1;
    QByteArray framed;
    auto flush = [&] {
        for (size_t i = 0; i < pending.size();) {
            qint64 total = 4;
            size_t end = i;
            while (end < pending.size() &&
                   (end == i || total + pending[end].size(f) <= f.blockLimit()))
                total += pending[end++].size(f);
            framed.clear();
            f.word(total, framed);
            for (; i < end; ++i) {
                const Item &item = pending[i];
                if (!item.bytes) {
                    if (!put(reinterpret_cast<const unsigned char *>(framed.constData()),
                             framed.size()) ||
                        !putFile(edits, f.frameStart(item.first),
                                 f.frameEnd(item.first + item.n - 1), put))
                        return false;
                    framed.clear();
                    continue;
                }
                f.frame(reinterpret_cast<const unsigned char *>(item.bytes->constData()),
                        item.bytes->size(), false, framed);
            }
            if (!put(reinterpret_cast<const unsigned char *>(framed.constData()), framed.size()))
                return false;
        }
        pending.clear();
        return true;
    };
    for (const RecordEdits::Run &run : edits.runs()) {
        if (run.first < 0) {
            if (pending.empty())
                pendingBlock = -1;
            pending.push_back({-1, 1, run.bytes});
            continue;
        }
        for (qint64 r = run.first, end = run.first + run.n; r < end;) {
            const qint64 b = f.blockOf(r);
            const qint64 upto = std::min(end, f.blockFirst(b + 1));
            // Records written anew before any of the file's join the block that follows.
            if (!pending.empty() && pendingBlock >= 0 && pendingBlock != b && !flush())
                return false;
            pendingBlock = b;
            if (pending.empty() && r == f.blockFirst(b) && upto == f.blockFirst(b + 1)) {
                if (!putFile(edits, f.blockStart(b), f.blockEnd(b), put))
                    return false;
            } else {
                pending.push_back({r, upto - r, nullptr});
            }
            r = upto;
        }
    }
    return flush() && putFile(edits, f.tailStart(), edits.size(), put);
}

// Calls `put` with each stretch of the new file's bytes in order; stops when it returns false.
template <typename Put> bool forEachStretch(const RecordEdits &edits, Put put)
{
    if (edits.framing().blocked())
        return forEachBlock(edits, put);
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
