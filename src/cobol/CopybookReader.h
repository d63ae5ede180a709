#pragma once

// Reads the data description entries of a copybook or of a program's DATA DIVISION, and puts
// them into a field tree. QtCore only.

#include "DataEntry.h"
#include "SourceText.h"

#include "model/FieldTree.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace orvane::cobol
{

struct ReadOptions {
    SourceFormat format = SourceFormat::Auto;
    QString baseDir;         // where COPY looks first: the folder of the file being read
    QStringList includeDirs; // then these, in order (cobc's -I)
    // A COPY whose member is not found: an error, as the compiler has it, where the entries
    // become positions and data; otherwise a note, so an import keeps what it could read.
    bool copiesRequired = false;
};

struct ReadResult {
    std::vector<DataEntry> entries; // in source order
    std::vector<int> parents;       // per entry: the index of its parent entry, -1 at the top
    QStringList notes;              // what was read but not imported (COPY not found, ...)
    int commentLines = 0;

    QString error; // empty when everything was read
    QString errorFile;
    int errorLine = 0;
    int errorColumn = 0;
    bool notDataDescription = false; // no entry at all, or not text: errorFile names the file

    bool ok() const { return error.isEmpty(); }
    // "FILE:LINE:COLUMN: message" (or "line L, column C: message" for unnamed text).
    QString errorText() const;
};

// Reads every entry of WORKING-STORAGE, LOCAL-STORAGE, LINKAGE and FILE SECTION of a program,
// or all entries of a copybook. `name` is how errors name the text (may be empty). On an error
// the result holds no entries.
ReadResult ReadDataDescriptions(const QString &text, const ReadOptions &options,
                                const QString &name = QString());
ReadResult ReadDataDescriptionFile(const QString &path, ReadOptions options);

// Appends the entries to the tree, after its last top-level field: each becomes a field with its
// field text, placed under its parent entry, with the tag of its storage (default dialect; see
// StorageTags). Returns the number of fields added.
int ImportEntries(FieldTree &tree, const ReadResult &read);

// The entries whose field texts pass a project record's limit, each named with its line and
// length; a layout holds them, a project file cannot.
QStringList TooLongToSave(const ReadResult &read);

// The import summary for the user: how many fields came in, and what was left out.
QString ImportSummary(const ReadResult &read, int fields);

} // namespace orvane::cobol
