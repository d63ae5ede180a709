// `orvane-cli view`: its formats, the record range, bad fields, a file that does not fit the
// layout, variants and a file GnuCOBOL wrote; and `edit` on the same file.

#include "../cobol/CobolTestSupport.h"
#include "RunCli.h"

#include <gtest/gtest.h>

using namespace orvane::testing;

namespace
{

class ViewCli : public CliFolder
{
protected:
    // The data file viewed through the layout, with the options given.
    Outcome view(const QStringList &options) const
    {
        return runCli(QStringList{"view", data, "--layout", layout} + options);
    }
    Outcome edit(const QStringList &options) const
    {
        return runCli(QStringList{"edit", data, "--layout", layout} + options);
    }
    QString layout = write("rec.cpy", "       01 REC.\n"
                                      "          05 NAME PIC X(4).\n"
                                      "          05 AMT  PIC S9(3)V99.\n"
                                      "          05 QTY  PIC 9 OCCURS 2.\n");
    QString data = write("rec.dat", "A,B 1940}12\nCD  0000101\nEF  12X4512\n");
};

} // namespace

TEST_F(ViewCli, EachFormatRangeAndDisagreementWritesAndSays)
{
    const QByteArray header = "NAME,AMT,QTY(1),QTY(2)\n";
    const QByteArray record2 =
        "{\"record\":2,\"fields\":{\"NAME\":\"CD  \",\"AMT\":0.01,\"QTY(1)\":0,\"QTY(2)\":1}}";
    const struct {
        QStringList options;
        Outcome expected;
    } cases[] = {
        {{"--format", "csv", "--records", ":2"},
         {0, header + "\"A,B\",-194.00,1,2\nCD,0.01,0,1\n",
          "2 of 3 records shown, 11 bytes each and LF; 0 fields did not decode\n"}},
        {{"--records", "3:3"},
         {1, "RECORD NAME AMT     QTY(1) QTY(2)\n3      EF   <bad 3132583435> 1      2\n",
          "1 of 3 records shown, 11 bytes each and LF; 1 fields did not decode\n"}},
        {{"--format", "json"},
         {1,
          "[\n{\"record\":1,\"fields\":{\"NAME\":\"A,B \",\"AMT\":-194.00,\"QTY(1)\":1,"
          "\"QTY(2)\":2}},\n" +
              record2 +
              ",\n{\"record\":3,\"fields\":{\"NAME\":\"EF  \",\"AMT\":{\"bad\":\"3132583435\"},"
              "\"QTY(1)\":1,\"QTY(2)\":2}}\n]\n",
          "3 of 3 records shown, 11 bytes each and LF; 1 fields did not decode\n"}},
        {{"--format", "jsonl", "--records", "2:2"},
         {0, record2 + "\n",
          "1 of 3 records shown, 11 bytes each and LF; 0 fields did not decode\n"}},
        {{"--records", "3:5", "--format", "csv"},
         {1, header + "EF,<bad 3132583435>,1,2\n",
          "--records 3:5 goes past the end of the file, which has 3 records\n"
          "1 of 3 records shown, 11 bytes each and LF; 1 fields did not decode\n"}},
        // Read without line ends, the records slip and the size does not fit.
        {{"--line-ends", "none", "--format", "csv"},
         {1, header + "\"A,B\",-194.00,1,2\n.CD,<bad 2030303030>,1,0\n1.EF,<bad 2020313258>,4,5\n",
          "file size is not a multiple of 11: 3 bytes left over\n"
          "3 of 3 records shown, 11 bytes each; 2 fields did not decode\n"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(view(c.options), c.expected) << c.options.join(' ').toStdString();

    writeBytes(data, QByteArray::fromHex("000F0000") + "WXYZ0000101" +
                         QByteArray::fromHex("00630000") + "AB");
    EXPECT_EQ(view({"--format", "csv", "--record-format", "rdw"}),
              (Outcome{1, header + "WXYZ,0.01,0,1\n",
                       "record 2 at byte 15: the record descriptor word gives 99 "
                       "bytes, more than the 6 left\n1 of 1 rdw records of 11 to 11 "
                       "bytes shown; 0 fields did not decode\n"}));
}

// `edit` on the same file: only the fields set change, refusals and the dry run leave it alone.
TEST_F(ViewCli, EditSetsOnlyTheFieldsGiven)
{
    const QByteArray old = readBytes(data);
    const std::pair<QStringList, QByteArray> refused[] = {
        {{"--record", "2", "--set", "NAME=X", "--set", "CODE=1"}, "CODE is not a field of REC\n"},
        {{"--record", "4", "--set", "NAME=X"}, "DATA has 3 records; there is no record 4\n"},
        {{"--record", "1", "--set", "NAME=X", "--record-format", "vb"},
         "A damaged vb file cannot be edited: block 1 at byte 0 (before record 1): 41 2C 42 20 "
         "is not a block descriptor word\n"},
    };
    for (const auto &[options, err] : refused) {
        Outcome o = edit(options);
        o.err.replace(data.toUtf8(), "DATA");
        EXPECT_EQ(o, (Outcome{1, "", err}));
    }
    EXPECT_EQ(edit({"--record", "2", "--set", "AMT=-3", "--dry-run"}),
              (Outcome{0,
                       "FIELD  BEFORE AFTER\n"
                       "NAME   CD     CD  \n"
                       "AMT    0.01   -3.00  *\n"
                       "QTY(1) 0      0\n"
                       "QTY(2) 1      1\n",
                       ""}));
    EXPECT_EQ(readBytes(data), old);
    // The bad AMT of record 3 is typed over.
    EXPECT_EQ(edit({"--record", "3", "--set", "amt=-1.5", "--set", "QTY (2)=7"}),
              (Outcome{0, "", ""}));
    EXPECT_EQ(readBytes(data).toStdString(), "A,B 1940}12\nCD  0000101\nEF  0015p17\n");
}

// EBCDIC files take the mainframe's binary order unless told otherwise, in view and edit alike.
TEST_F(ViewCli, EbcdicTakesBigEndianComp5)
{
    writeBytes(layout, "       01 R.\n          05 B PIC S9(4) COMP-5.\n");
    writeBytes(data, QByteArray::fromHex("0005"));
    EXPECT_EQ(view({"--format", "csv", "--encoding", "cp037"}).out, "B\n5\n");
    EXPECT_EQ(edit({"--encoding", "cp037", "--record", "1", "--set", "B=-2"}).status, 0);
    EXPECT_EQ(readBytes(data).toHex(), "fffe");
}

// --when shows a variant in the records that name it; which one is the decoder's rule
// (RecordDecoder.ARuleOnARecordTypeFieldPicksTheVariant).
TEST_F(ViewCli, WhenShowsTheVariantARecordNames)
{
    writeBytes(layout, "       01 R.\n          05 K PIC X.\n          05 A PIC X(2).\n"
                       "          05 B REDEFINES A PIC 99.\n");
    writeBytes(data, "Nxy\nT12\n");
    EXPECT_EQ(view({"--format", "csv", "--when", "K=T:B"}).out, "K,A,B\nN,xy,\nT,,12\n");
}

// GnuCOBOL writes a variable-length file whose table count moves the field after it; the view
// reads back what the program moved.
TEST_F(ViewCli, ReadsTheVariableLengthFileGnuCobolWrote)
{
    COBC_OR_SKIP(cobc);
    compileAndRun(cobc, dir.path(),
                  programHead("out.dat") +
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
                      "       01 REC-SIZE PIC 9(4) COMP.\n"
                      "       PROCEDURE DIVISION.\n"
                      "           OPEN OUTPUT OUT-FILE\n"
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
                      "           WRITE REC\n"
                      "           CLOSE OUT-FILE\n"
                      "           STOP RUN.\n",
                  {"-fodoslide"});
    layout = path("program.cbl");
    data = path("out.dat");
    const Outcome o = view({"--format", "csv"});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(o.out.mid(o.out.indexOf('\n') + 1).toStdString(),
              "AAAA,2,123,-45,,,,ONE,TWO,,,,Z\n"
              "BBBB,0,,,,,,,,,,,Y\n"
              "CCCC,5,1,2,3,-4,99999,ONE,TWO,THR,FOU,FIV,X\n");
}
