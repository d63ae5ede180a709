// `orvane-cli edit`: fields set in place with nothing else changed, refusals that leave the file
// alone, and the dry run.

#include "../common/Files.h"
#include "RunCli.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane::testing;

namespace
{

const QByteArray kData = "A,B 1940}12\nCD  0000101\nEF  12X4512";

class EditCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        writeBytes(layout, "       01 REC.\n"
                           "          05 NAME PIC X(4).\n"
                           "          05 AMT  PIC S9(3)V99.\n"
                           "          05 QTY  PIC 9 OCCURS 2.\n");
        writeBytes(data, kData);
    }
    Outcome edit(const QStringList &options) const
    {
        return runCli(QStringList{"edit", data, "--layout", layout} + options);
    }
    QTemporaryDir dir;
    QString layout = dir.filePath("rec.cpy");
    QString data = dir.filePath("rec.dat");
};

} // namespace

TEST_F(EditCli, SetsTheFieldsOfOneRecordAndNothingElse)
{
    // The bad AMT of record 3 is overwritten; the missing last line end stays missing.
    EXPECT_EQ(edit({"--record", "3", "--set", "amt=-1.5", "--set", "QTY (2)=7"}),
              (Outcome{0, "", ""}));
    EXPECT_EQ(readBytes(data).toStdString(), "A,B 1940}12\nCD  0000101\nEF  0015p17");
    // Set the same again: the file is not rewritten.
    EXPECT_EQ(edit({"--record", "1", "--set", "NAME=A,B"}).status, 0);
    EXPECT_EQ(readBytes(data).toStdString(), "A,B 1940}12\nCD  0000101\nEF  0015p17");
}

TEST_F(EditCli, RefusesAndLeavesTheFileAlone)
{
    const struct {
        QStringList options;
        int status;
        const char *message;
    } rows[] = {
        {{"--record", "2", "--set", "AMT=1234"},
         1,
         "AMT takes at most 3 digits before the point, 4 given\n"},
        {{"--record", "2", "--set", "NAME=X", "--set", "CODE=1"},
         1,
         "CODE is not a field of REC\n"},
        {{"--record", "2", "--set", "QTY(3)=1"}, 1, "QTY(3) is not a field of REC\n"},
        {{"--record", "4", "--set", "NAME=X"}, 1, "DATA has 3 records; there is no record 4\n"},
        {{"--record", "0", "--set", "NAME=X"},
         2,
         "orvane-cli: --record takes a record number, counted from 1, not 0 (try orvane-cli "
         "--help)\n"},
        {{"--record", "1"},
         2,
         "orvane-cli: edit needs at least one --set FIELD=VALUE (try orvane-cli --help)\n"},
        {{"--record", "1", "--set", "NAME=X", "--record-format", "vb"},
         2,
         "orvane-cli: editing vb records is not possible yet: only fixed and lines (try "
         "orvane-cli --help)\n"},
    };
    for (const auto &row : rows) {
        Outcome o = edit(row.options);
        o.err.replace(data.toUtf8(), "DATA");
        EXPECT_EQ(o, (Outcome{row.status, "", row.message}));
        EXPECT_EQ(readBytes(data), kData);
    }
}

TEST_F(EditCli, DryRunShowsTheRecordBeforeAndAfter)
{
    EXPECT_EQ(edit({"--record", "2", "--set", "AMT=-3", "--dry-run"}),
              (Outcome{0,
                       "FIELD  BEFORE AFTER\n"
                       "NAME   CD     CD  \n"
                       "AMT    0.01   -3.00  *\n"
                       "QTY(1) 0      0\n"
                       "QTY(2) 1      1\n",
                       ""}));
    EXPECT_EQ(readBytes(data), kData);
}
