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
    EXPECT_TRUE(program.text.contains("WORKING-STORAGE SECTION.\n       01 A"));
    EXPECT_TRUE(program.text.contains("       01 B PIC 9.\n       PROCEDURE DIVISION."));
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
