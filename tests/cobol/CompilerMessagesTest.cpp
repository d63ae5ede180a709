// Reading cobc's messages, and what the check panel lists for a finished run: moved out of the
// panel so each branch is checked here; the panel's tests check that the rows and the line show.

#include "cobol/CompilerMessages.h"
#include "../common/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace orvane::cobol;
using S = CompilerSeverity;

TEST(CompilerMessages, ReadsErrorsWarningsAndNotesFromCobcOutput)
{
    const struct {
        const char *name;
        QString output;
        std::vector<CompilerMessage> messages;
    } cases[] = {
        {"cobc 3.1 without columns",
         "t.cbl: in paragraph 'MAIN':\n"
         "t.cbl:6: error: unbalanced parentheses\n"
         "t.cbl:5: warning: value size exceeds data size [-Wothers]\n",
         {{"t.cbl", 6, 0, S::Error, "unbalanced parentheses"},
          {"t.cbl", 5, 0, S::Warning, "value size exceeds data size [-Wothers]"}}},
        {"with a column and CR LF",
         "/tmp/a b/x.cbl:12:8: note: here\r\n",
         {{"/tmp/a b/x.cbl", 12, 8, S::Note, "here"}}},
        {"a file name with a colon",
         "C:/src/p.cbl:3: error: 'X' is not defined",
         {{"C:/src/p.cbl", 3, 0, S::Error, "'X' is not defined"}}},
        {"a message naming a line of its own",
         "p.cbl:7: error: see p.cbl:2: warning: x",
         {{"p.cbl", 7, 0, S::Error, "see p.cbl:2: warning: x"}}},
        {"nothing to read", "cobc: error: no input files\n\n", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseCompilerMessages(c.output), c.messages) << c.name;
}

TEST(CompilerMessages, WrapsDataItemsAndMapsLinesBackInsideThem)
{
    const WrappedProgram program =
        wrapDataItems(QStringLiteral("       01 A PIC X.\n       01 B PIC 9."));
    const QStringList lines = program.text.split(u'\n');
    EXPECT_EQ(lines[program.firstLine - 1], "       01 A PIC X.");
    // That the program around the items compiles, cobc judges in the compiler sizes test.
    const struct {
        int programLine, itemLine;
    } lineCases[] = {{program.firstLine, 1}, {program.firstLine + 1, 2}, {1, 1}, {100, 2}};
    for (const auto &c : lineCases)
        EXPECT_EQ(itemLine(program, c.programLine), c.itemLine) << c.programLine;
}

TEST(CompilerMessages, BuildsSyntaxCheckArgumentsWithQuotedOptionsKeptWhole)
{
    EXPECT_EQ(
        syntaxCheckArguments(R"(-std=ibm -I "my copy")", {"/src"}, "/tmp/x.cbl"),
        (QStringList{"-fsyntax-only", "-std=ibm", "-I", "my copy", "-I", "/src", "/tmp/x.cbl"}));
}

TEST(CheckReport, RowsAndStatusForEachKindOfRun)
{
    const struct {
        const char *name;
        const char *output;
        int exitStatus;
        int shift;        // the box's line is the run's line less this
        const char *rows; // "line:column severity: text", one a line
        const char *status;
    } cases[] = {
        {"errors of the box's file, other lines skipped",
         "t.cbl:5: error: unbalanced parentheses\nt.cbl: in paragraph 'MAIN':\n"
         "t.cbl:7: error: 'C' is not defined\n",
         1, 0, "5:0 error: unbalanced parentheses\n7:0 error: 'C' is not defined\n",
         "2 errors, 0 warnings."},
        {"lines taken back to the box; a COPY book's message names its file",
         "/tmp/run/t.cbl:9:12: warning: truncated\nBOOK.cpy:3: error: bad picture\n", 1, 4,
         "5:12 warning: truncated\n0:0 error: BOOK.cpy:3: bad picture\n", "1 error, 1 warning."},
        {"a failure no message explains is shown as said", "cobc: fatal: out of memory\n  ", 1, 0,
         "0:0 error: cobc: fatal: out of memory\n", "1 error, 0 warnings."},
        {"warnings only", "t.cbl:2: warning: x\n", 0, 0, "2:0 warning: x\n",
         "0 errors, 1 warning."},
        {"clean", "", 0, 0, "", "No errors or warnings."},
    };
    for (const auto &c : cases) {
        const CheckReport report =
            checkReport(QString::fromUtf8(c.output), c.exitStatus, QStringLiteral("t.cbl"),
                        [&](int line) { return line - c.shift; });
        QString rows;
        for (const CheckRow &r : report.rows)
            rows +=
                QStringLiteral("%1:%2 %3: %4\n").arg(r.line).arg(r.column).arg(r.severity, r.text);
        EXPECT_EQ(rows.toStdString(), c.rows) << c.name;
        EXPECT_EQ(report.status.toStdString(), c.status) << c.name;
    }
}
