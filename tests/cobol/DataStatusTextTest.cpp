// The data window's status line, moved out of the window so every form of it is checked here;
// the window's test checks that it shows the line.

#include "cobol/DataFile.h"

#include <gtest/gtest.h>

using namespace orvane::cobol;

TEST(DataStatusText, SaysWhatTheLayoutAndTheFileSizeLeftOpen)
{
    const FileShape lf{11, 1, 3, 0, {}};
    const FileShape crlfShort{20, 2, 5, 7, QStringLiteral("file size is not a multiple of 22")};
    const FileShape bare{4, 0, 1000, 0, {}};
    const struct {
        const char *problem; // of the layout
        FileShape shape;
        qint64 bad, sampled;
        const char *expected;
    } cases[] = {
        {"", lf, 0, 3, "3 records of 11 bytes and LF; 0 fields did not decode"},
        {"", crlfShort, 2, 5,
         "file size is not a multiple of 22; 5 records of 20 bytes and CR LF; "
         "2 fields did not decode"},
        {"no counter for ITEMS", bare, 7, 100,
         "no counter for ITEMS; 1000 records of 4 bytes; "
         "7 fields did not decode in the first 100 records"},
    };
    for (const auto &c : cases) {
        const QStringList problems = *c.problem ? QStringList{c.problem} : QStringList{};
        EXPECT_EQ(DataStatusText(problems, c.shape, c.bad, c.sampled),
                  QString::fromLatin1(c.expected));
    }
}
