#pragma once

#include "model/FieldTree.h"

#include <QString>

class QIODevice;

namespace orvane
{

// A project file is a row of fixed 270-byte records, one per node in pre-order: type code 8
// and the text length (16-bit little-endian each), then tag|depth|clause text in
// Windows-1252. There is no header and no count.
inline constexpr int ProjectRecordSize = 270;
inline constexpr int ProjectRecordTextMax = ProjectRecordSize - 4;
inline constexpr quint16 ProjectRecordTypeString = 8;

enum class ProjectStatus {
    Ok,
    OpenFailed,       // the file could not be opened
    ReadFailed,       // the device reported an error while reading
    WriteFailed,      // the device refused bytes; for a file name, the old file is kept
    CommitFailed,     // the new file could not replace the old one; the old file is kept
    RecordTooLong,    // a record text over 266 bytes; nothing was written
    TagHasSeparator,  // a tag holding '|' would load back differently; nothing was written
    NotRepresentable, // a character with no Windows-1252 byte; nothing was written
    NotAProjectFile,  // a record whose type code is not 8: some other kind of file
};

struct ProjectResult {
    ProjectStatus status = ProjectStatus::Ok;
    int record = 0;  // the record concerned (1-based, pre-order), 0 when none
    int node = 0;    // the collection index of the node concerned, 0 when none
    QString message; // one line for the user; empty when all went well

    bool ok() const { return status == ProjectStatus::Ok; }
};

// Reads every record of the device and adds one node per record, the first as a new
// top-level node behind any the tree already holds. A short last record whose text is all
// there still counts; one whose text is cut off ends the loading. Depths that the writer never
// produces are taken as gently as possible: below 1 counts as 1, a jump of more than one level
// as one level, and climbing back stops at the top level. A record whose type code is not 8
// means the file is something else (a program source, a picture) and ends the loading with
// NotAProjectFile. Returns a read error, if any; the nodes read until then stay in the tree,
// and a caller that shows the layout should drop them rather than pass off a part as the file.
ProjectResult LoadNodes(FieldTree &tree, QIODevice &device);
ProjectResult LoadNodes(FieldTree &tree, const QString &fileName);

// Writes the whole tree in pre-order. Every record is checked before the first byte is
// written, so a layout that cannot be stored faithfully produces no output at all.
ProjectResult SaveNodes(const FieldTree &tree, QIODevice &device);
// Through a temporary file that replaces `fileName` only when everything was written.
ProjectResult SaveNodes(const FieldTree &tree, const QString &fileName);

// The line a failed save shows the user: what is wrong with the layout where the user can
// mend it, the record limit for a field too long, otherwise the disk.
QString SaveFailureText(const ProjectResult &result);

// True when something exists at the path; a path with * or ? matches as a pattern in its
// folder.
bool FileExists(const QString &path);

inline constexpr int PathFolder = 2;   // up to and including the last separator
inline constexpr int PathFileName = 3; // after the last separator
// Splits at the last '/' or '\'. The folder part always ends in a separator unless the path
// has no folder at all (then it is empty); other part numbers give an empty text.
QString PathPart(const QString &path, int part);

// False when something other than a regular file (a folder, a device, a pipe) stands at the
// path: replacing it through a temporary file would destroy it.
bool IsReplaceableFile(const QString &path);

// Clears a read-only flag, deletes the file and reports whether nothing is left at the path.
bool RemoveFile(const QString &path);

} // namespace orvane
