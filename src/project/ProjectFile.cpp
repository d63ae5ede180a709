#include "ProjectFile.h"

#include "model/Cp1252.h"
#include "model/FieldNames.h"
#include "model/NumberText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

#include <cmath>
#include <cstring>
#include <utility>

namespace orvane
{

namespace
{

constexpr qsizetype kRecordsPerChunk = 1024;
constexpr qsizetype kChunkSize = kRecordsPerChunk * ProjectRecordSize;
// Depths beyond this are no different in effect: climbing stops at the top level anyway.
constexpr double kDepthLimit = 1e12;

ProjectResult failure(ProjectStatus status, QString message, int record = 0, int node = 0)
{
    return ProjectResult{status, record, node, std::move(message)};
}

// Fills `buffer` up to the end of the data; a device may deliver less per call.
qint64 readFully(QIODevice &device, char *buffer, qint64 size, bool &failed)
{
    qint64 got = 0;
    while (got < size) {
        const qint64 n = device.read(buffer + got, size - got);
        if (n < 0) {
            failed = true;
            break;
        }
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

qint64 readDepth(QByteArrayView text)
{
    // The writer stores plain digits; anything else goes by the leading-number rule.
    if (!text.isEmpty() && text.size() <= 12) {
        qint64 value = 0;
        bool digits = true;
        for (char c : text) {
            if (c < '0' || c > '9') {
                digits = false;
                break;
            }
            value = value * 10 + (c - '0');
        }
        if (digits)
            return std::max<qint64>(value, 1);
    }
    const double d = std::floor(readNumber(cp1252::decode(text)));
    if (!(d >= 1))
        return 1;
    return qint64(std::min(d, kDepthLimit));
}

// Adds one record's node following the depth rules; returns the new node's index.
int attach(FieldTree &tree, int previousNode, qint64 &previousDepth, qint64 depth,
           const QString &clause)
{
    if (previousNode == 0)
        return tree.add(0, Relationship::Last, clause);
    if (depth > previousDepth)
        return tree.add(previousNode, Relationship::Child, clause);
    if (depth == previousDepth)
        return tree.add(previousNode, Relationship::Next, clause);
    // Climb one real level per step; a depth the file claimed but the tree never had runs
    // out at the top level instead of going on counting.
    int node = previousNode;
    while (previousDepth > depth) {
        const int parent = tree.parent(node);
        if (parent == 0)
            break;
        node = parent;
        --previousDepth;
    }
    return tree.add(node, Relationship::Next, clause);
}

int digitCount(qint64 value)
{
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

qsizetype firstUnrepresentable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!cp1252::representable(text[i]))
            return i;
    return -1;
}

void putText(char *&p, QStringView text)
{
    for (QChar c : text)
        *p++ = char(cp1252::byteFor(c.unicode()));
}

} // namespace

ProjectResult LoadNodes(FieldTree &tree, QIODevice &device)
{
    QByteArray chunk(kChunkSize, Qt::Uninitialized);
    int previousNode = 0;
    qint64 previousDepth = 0;
    int recordsBefore = 0; // records in the chunks already done
    bool failed = false;
    const auto readFailure = [&]() {
        return failure(
            ProjectStatus::ReadFailed,
            QStringLiteral("Cannot read the project file: %1").arg(device.errorString()));
    };
    for (;;) {
        const qint64 got = readFully(device, chunk.data(), kChunkSize, failed);
        const auto *bytes = reinterpret_cast<const unsigned char *>(chunk.constData());
        for (qint64 at = 0; at < got; at += ProjectRecordSize) {
            const qint64 available = std::min<qint64>(ProjectRecordSize, got - at);
            const unsigned char *r = bytes + at;
            if (available >= 2 && (int(r[0]) | int(r[1]) << 8) != ProjectRecordTypeString) {
                const int record = int(at / ProjectRecordSize) + recordsBefore + 1;
                return failure(ProjectStatus::NotAProjectFile,
                               QStringLiteral("This is not a project file: record %1 does not "
                                              "hold a field")
                                   .arg(record),
                               record);
            }
            if (available < 4)
                return failed ? readFailure() : ProjectResult{};
            const int length = std::min(int(r[2]) | int(r[3]) << 8, ProjectRecordTextMax);
            if (available < 4 + length)
                return failed ? readFailure() : ProjectResult{}; // the text is cut off
            const QByteArrayView text(r + 4, length);
            const qsizetype bar1 = text.indexOf('|');
            const qsizetype bar2 = bar1 < 0 ? -1 : text.indexOf('|', bar1 + 1);
            const QString tag = cp1252::decode(bar1 < 0 ? text : text.first(bar1));
            QByteArrayView depthText;
            QString clause;
            if (bar1 >= 0) {
                depthText =
                    bar2 < 0 ? text.sliced(bar1 + 1) : text.sliced(bar1 + 1, bar2 - bar1 - 1);
                if (bar2 >= 0)
                    clause = cp1252::decode(text.sliced(bar2 + 1));
            }
            const qint64 depth = readDepth(depthText);
            previousNode = attach(tree, previousNode, previousDepth, depth, clause);
            tree.setTag(previousNode, tag);
            previousDepth = depth;
        }
        if (failed)
            return readFailure();
        if (got < kChunkSize)
            return {};
        recordsBefore += int(kRecordsPerChunk);
    }
}

ProjectResult LoadNodes(FieldTree &tree, const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return failure(ProjectStatus::OpenFailed,
                       QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()));
    ProjectResult result = LoadNodes(tree, file);
    if (result.status == ProjectStatus::NotAProjectFile)
        result.message = QStringLiteral("%1 is not a project file: record %2 does not hold a "
                                        "field")
                             .arg(fileName)
                             .arg(result.record);
    else if (!result.ok())
        result.message = QStringLiteral("Cannot read %1: %2").arg(fileName, file.errorString());
    return result;
}

ProjectResult SaveNodes(const FieldTree &tree, QIODevice &device)
{
    // Check everything first: a layout that cannot be stored as it is gets no file at all,
    // rather than one that loads back as a different layout.
    ProjectResult problem;
    int record = 0;
    forEachPreOrder(tree, [&](const FieldNode *n, int depth) {
        ++record;
        const QString &tag = n->tag();
        const QString &text = n->text();
        if (tag.contains(u'|')) {
            problem = failure(ProjectStatus::TagHasSeparator,
                              QStringLiteral("%1: its position tag \"%2\" contains '|', "
                                             "which separates the parts of a record")
                                  .arg(fieldPlaceText(tree, n->index(), record), tag),
                              record, n->index());
            return false;
        }
        for (const QString *part : {&tag, &text}) {
            const qsizetype bad = firstUnrepresentable(*part);
            if (bad >= 0) {
                const QString code =
                    QStringLiteral("%1").arg(int(part->at(bad).unicode()), 4, 16, QChar(u'0'));
                problem =
                    failure(ProjectStatus::NotRepresentable,
                            QStringLiteral("%1: the character U+%2 cannot be stored "
                                           "in Windows-1252")
                                .arg(fieldPlaceText(tree, n->index(), record), code.toUpper()),
                            record, n->index());
                return false;
            }
        }
        const qsizetype length = tag.size() + 2 + digitCount(depth) + text.size();
        if (length > ProjectRecordTextMax) {
            problem = failure(ProjectStatus::RecordTooLong,
                              QStringLiteral("%1 needs %2 bytes; a project record holds at "
                                             "most %3")
                                  .arg(fieldPlaceText(tree, n->index(), record))
                                  .arg(length)
                                  .arg(ProjectRecordTextMax),
                              record, n->index());
            return false;
        }
        return true;
    });
    if (!problem.ok())
        return problem;

    QByteArray chunk;
    chunk.reserve(kChunkSize);
    const auto flush = [&]() {
        if (chunk.isEmpty())
            return true;
        const bool written = device.write(chunk) == chunk.size();
        chunk.resize(0);
        return written;
    };
    const bool written = forEachPreOrder(tree, [&](const FieldNode *n, int depth) {
        const qsizetype start = chunk.size();
        chunk.resize(start + ProjectRecordSize, '\0');
        char *r = chunk.data() + start;
        const QByteArray depthText = QByteArray::number(depth);
        const qsizetype length = n->tag().size() + 2 + depthText.size() + n->text().size();
        r[0] = char(ProjectRecordTypeString & 0xFF);
        r[1] = char(ProjectRecordTypeString >> 8);
        r[2] = char(length & 0xFF);
        r[3] = char((length >> 8) & 0xFF);
        char *p = r + 4;
        putText(p, n->tag());
        *p++ = '|';
        std::memcpy(p, depthText.constData(), size_t(depthText.size()));
        p += depthText.size();
        *p++ = '|';
        putText(p, n->text());
        return chunk.size() < kChunkSize || flush();
    });
    if (!written || !flush())
        return failure(
            ProjectStatus::WriteFailed,
            QStringLiteral("Cannot write the project file: %1").arg(device.errorString()));
    return {};
}

ProjectResult SaveNodes(const FieldTree &tree, const QString &fileName)
{
    if (!IsReplaceableFile(fileName))
        return failure(ProjectStatus::OpenFailed,
                       QStringLiteral("Cannot write %1: it is not a regular file").arg(fileName));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return failure(ProjectStatus::OpenFailed,
                       QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString()));
    ProjectResult result = SaveNodes(tree, file);
    if (!result.ok()) {
        file.cancelWriting();
        if (result.status == ProjectStatus::WriteFailed)
            result.message =
                QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString());
        return result;
    }
    if (!file.commit())
        return failure(ProjectStatus::CommitFailed,
                       QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString()));
    return {};
}

QString SaveFailureText(const ProjectResult &result)
{
    switch (result.status) {
    case ProjectStatus::RecordTooLong:
        return QStringLiteral("Unsuccessful Save. Posible cause may be that the length of a field "
                              "is greater than the maximum allowed length (255)");
    case ProjectStatus::TagHasSeparator:
    case ProjectStatus::NotRepresentable:
        return result.message;
    default:
        return QStringLiteral("The disk may be write protected");
    }
}

bool IsReplaceableFile(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    if (!path.contains(u'*') && !path.contains(u'?')) {
        const QFileInfo info(path);
        return info.exists() || info.isSymLink();
    }
    const QString folder = PathPart(path, PathFolder);
    const QString pattern = PathPart(path, PathFileName);
    if (pattern.isEmpty())
        return false;
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    return !dir.entryList({pattern},
                          QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                .isEmpty();
}

QString PathPart(const QString &path, int part)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    switch (part) {
    case PathFolder:
        return cut < 0 ? QString() : path.left(cut + 1);
    case PathFileName:
        return path.mid(cut + 1);
    default:
        return {};
    }
}

bool RemoveFile(const QString &path)
{
    QFile file(path);
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    file.remove();
    const QFileInfo info(path);
    return !info.exists() && !info.isSymLink();
}

} // namespace orvane
