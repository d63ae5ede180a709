// GnuCOBOL writes a variable-length file whose table count moves the field after it, and a
// file of two record types; the command line reads back what the programs moved. The data
// window's model shows what the same decoder gives, so reading it again here would add nothing.
#include "../cobol/CobolTestSupport.h"
#include "RunCli.h"

#include <gtest/gtest.h>

using namespace orvane::testing;

namespace
{

struct Program {
    const char *options; // cobc's
    const char *data;    // the FD and what follows up to the PROCEDURE DIVISION
    const char *moves;
    const char *rules; // --when for the viewer, or empty
    const char *csv;   // the values the viewer shows, one line a record
};

const Program kPrograms[] = {
    {"-fodoslide",
     "       FD  OUT-FILE RECORD IS VARYING IN SIZE FROM 7 TO 37\n"
     "               DEPENDING ON REC-SIZE.\n"
     "       01  REC.\n"
     "           05 R-KEY PIC X(4).\n"
     "           05 R-N PIC 9(2).\n"
     "           05 R-TAB OCCURS 0 TO 5 DEPENDING ON R-N.\n"
     "              10 R-AMT PIC S9(5) COMP-3.\n"
     "              10 R-CODE PIC X(3).\n"
     "           05 R-END PIC X.\n"
     "       WORKING-STORAGE SECTION.\n"
     "       01 REC-SIZE PIC 9(4) COMP.\n",
     "           MOVE 'AAAA' TO R-KEY MOVE 2 TO R-N\n"
     "           MOVE 123 TO R-AMT(1) MOVE 'ONE' TO R-CODE(1)\n"
     "           MOVE -45 TO R-AMT(2) MOVE 'TWO' TO R-CODE(2)\n"
     "           MOVE 'Z' TO R-END\n"
     "           COMPUTE REC-SIZE = FUNCTION LENGTH(REC)\n"
     "           WRITE REC\n"
     "           MOVE 'BBBB' TO R-KEY MOVE 0 TO R-N MOVE 'Y' TO R-END\n"
     "           COMPUTE REC-SIZE = FUNCTION LENGTH(REC)\n"
     "           WRITE REC\n"
     "           MOVE 'CCCC' TO R-KEY MOVE 5 TO R-N MOVE 'X' TO R-END\n"
     "           MOVE 1 TO R-AMT(1) MOVE 2 TO R-AMT(2) MOVE 3 TO R-AMT(3)\n"
     "           MOVE 'THR' TO R-CODE(3) MOVE -4 TO R-AMT(4)\n"
     "           MOVE 'FOU' TO R-CODE(4)\n"
     "           MOVE 99999 TO R-AMT(5) MOVE 'FIV' TO R-CODE(5)\n"
     "           COMPUTE REC-SIZE = FUNCTION LENGTH(REC)\n"
     "           WRITE REC\n",
     "",
     "AAAA,2,123,-45,,,,ONE,TWO,,,,Z\n"
     "BBBB,0,,,,,,,,,,,Y\n"
     "CCCC,5,1,2,3,-4,99999,ONE,TWO,THR,FOU,FIV,X\n"},
    {"",
     "       FD  OUT-FILE.\n"
     "       01  REC.\n"
     "           05 R-TYPE PIC X.\n"
     "           05 R-CUST.\n"
     "              10 C-NAME PIC X(8).\n"
     "              10 C-LIMIT PIC S9(7)V99 COMP-3.\n"
     "           05 R-TRAN REDEFINES R-CUST.\n"
     "              10 T-AMOUNT PIC S9(5)V99 COMP-3.\n"
     "              10 T-COUNT PIC S9(4) COMP.\n"
     "              10 T-REF PIC X(7).\n",
     "           MOVE SPACES TO REC MOVE 'C' TO R-TYPE\n"
     "           MOVE 'ALICE' TO C-NAME MOVE 1234.5 TO C-LIMIT\n"
     "           WRITE REC\n"
     "           MOVE SPACES TO REC MOVE 'T' TO R-TYPE\n"
     "           MOVE -12.34 TO T-AMOUNT MOVE 7 TO T-COUNT\n"
     "           MOVE 'REF0001' TO T-REF\n"
     "           WRITE REC\n"
     "           MOVE SPACES TO REC MOVE 'X' TO R-TYPE\n"
     "           MOVE 'BOB' TO C-NAME MOVE 0 TO C-LIMIT\n"
     "           WRITE REC\n",
     "R-TYPE=C:R-CUST;R-TYPE=T:R-TRAN",
     "C,ALICE,1234.50,,,\n"
     "T,,,-12.34,7,REF0001\n"
     "X,BOB,0.00,,,\n"},
};

} // namespace

using VariableRoundTrip = CliFolder;

TEST_F(VariableRoundTrip, TheCliReadsWhatGnuCobolWrote)
{
    COBC_OR_SKIP(cobc);
    for (const Program &p : kPrograms) {
        const QString text = programHead("out.dat") + QLatin1String(p.data) +
                             QStringLiteral("       PROCEDURE DIVISION.\n"
                                            "           OPEN OUTPUT OUT-FILE\n") +
                             QLatin1String(p.moves) +
                             QStringLiteral("           CLOSE OUT-FILE\n           STOP RUN.\n");
        compileAndRun(cobc, dir.path(), text,
                      QString::fromLatin1(p.options).split(u' ', Qt::SkipEmptyParts));
        QStringList cli = {"view", path("out.dat"), "--layout", path("program.cbl"), "--format",
                           "csv"};
        for (const QString &rule : QString::fromLatin1(p.rules).split(u';', Qt::SkipEmptyParts))
            cli << QStringLiteral("--when") << rule;
        const Outcome o = runCli(cli);
        EXPECT_EQ(o.status, 0) << o.err.toStdString();
        EXPECT_EQ(o.out.mid(o.out.indexOf('\n') + 1).toStdString(), p.csv);
    }
}
