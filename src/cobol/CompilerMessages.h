#pragma once

// What GnuCOBOL's cobc says about a source, read from its output, and the small program a
// run of data items is wrapped in so the compiler will take it. QtCore only.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace orvane::cobol
{

enum class CompilerSeverity { Error, Warning, Note };

struct CompilerMessage {
    QString file;
    int line = 0;   // 1-based
    int column = 0; // 1-based; 0 when the compiler gave none
    CompilerSeverity severity = CompilerSeverity::Error;
    QString text;

    bool operator==(const CompilerMessage &) const = default;
};

// The messages of the form "FILE:LINE: error: TEXT" (also with ":COLUMN" after the line, and
// "warning" or "note"), in the order given; other lines ("in paragraph ...") are skipped.
std::vector<CompilerMessage> parseCompilerMessages(QStringView output);

// "error", "warning", "note".
QString severityText(CompilerSeverity severity);

// Data items (level entries) inside a minimal program, for a syntax check.
struct WrappedProgram {
    QString text;
    int firstLine = 1; // the line of the program that holds the items' first line
    int lineCount = 0; // the items' lines
};
WrappedProgram wrapDataItems(const QString &items);

// The program's line number taken back to the items' own, kept inside them: a message about
// the wrapper is shown at the nearest item line.
int itemLine(const WrappedProgram &program, int line);

// What the check panel lists after a finished run: one row per message, and the summary.
struct CheckRow {
    int line = 0; // in the checked box; 0 for a message about another file
    int column = 0;
    QString severity;
    QString text;

    bool operator==(const CheckRow &) const = default;
};
struct CheckReport {
    std::vector<CheckRow> rows;
    QString status;
};

// The rows and the status line for cobc's `output` and exit status. Messages about `fileName`
// (the file the box was written to) are placed by `boxLine`; a message about another file (a
// COPY book) names it instead. A failure that no error explains is listed as the compiler's
// own words.
CheckReport checkReport(QStringView output, int exitStatus, const QString &fileName,
                        const std::function<int(int)> &boxLine);

// cobc's arguments for a syntax check of `file`: the user's extra options (split as a shell
// would, quotes kept together), one -I per folder, then the file.
QStringList syntaxCheckArguments(const QString &extraOptions, const QStringList &includeFolders,
                                 const QString &file);

} // namespace orvane::cobol
