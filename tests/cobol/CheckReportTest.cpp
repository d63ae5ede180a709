// What the check panel lists for a finished compiler run, moved out of the panel so each
// branch is checked here; the panel's tests check that the rows and the line are shown.

#include "cobol/CompilerMessages.h"

#include <gtest/gtest.h>

using namespace orvane::cobol;

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
