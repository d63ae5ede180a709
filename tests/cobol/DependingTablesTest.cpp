// Each record's DEPENDING ON count places the fields after its table, unless the file pads
// every table to its maximum.
#include "CobolTestSupport.h"

#include <cstring>

using namespace orvane::cobol;

TEST(DependingTables, CountsPlaceLaterFieldsUnlessPadded)
{
    const StorageMap map = orvane::testing::mapOf(
        QStringLiteral("01 R. 05 N PIC 9. 05 T PIC X OCCURS 0 TO 3 DEPENDING ON N.\n"
                       "   05 M PIC 9. 05 U PIC XX OCCURS 0 TO 2 DEPENDING ON M. 05 E PIC X."));
    struct Case {
        const char *record;
        bool padded;
        const char *values; // N T(1..3) M U(1..2) E
        qint64 endAt;       // where E lies
    };
    const Case cases[] = {
        {"1A1BBE", false, "1 A - - 1 BB - E", 5},
        {"0E", false, "0 - - - <bad 45> <bad > <bad > <bad >", -1},
        {"3ABC0E", false, "3 A B C 0 - - E", 5},
        {"2AB2CCDDE", false, "2 A B - 2 CC DD E", 8},
        {"1A..1BB..E", true, "1 A - - 1 BB - E", 9},
    };
    for (const Case &c : cases) {
        LayoutChoice choice;
        choice.paddedTables = c.padded;
        RecordLayout layout;
        QString error;
        ASSERT_TRUE(BuildRecordLayout(map, choice, layout, error));
        RecordDecoder decoder(layout, {});
        const qint64 length = qint64(strlen(c.record));
        EXPECT_EQ(orvane::testing::shownValues(decoder, layout, c.record, length).toStdString(),
                  c.values)
            << c.record;
        const qint64 end = decoder.offset(layout.columns.size() - 1);
        EXPECT_EQ(end < length ? end : -1, c.endAt) << c.record;
    }
}

// A new record, laid out at its tables' maximum, is cut to its counts (two tables, the second
// counter after the first table).
TEST(DependingTables, NewRecordFitsItsCounts)
{
    const RecordLayout layout = orvane::testing::layoutOf(
        QStringLiteral("01 R. 05 N PIC 9. 05 T PIC X OCCURS 0 TO 3 DEPENDING ON N.\n"
                       "   05 M PIC 9. 05 U PIC XX OCCURS 0 TO 2 DEPENDING ON M. 05 E PIC X."));
    const struct {
        const char *padded;
        const char *fitted;
    } cases[] = {{"1A..1BB..E", "1A1BBE"},
                 {"3ABC2BBCCE", "3ABC2BBCCE"},
                 {"0...0....E", "00E"},
                 {"X...1BB..E", "X...1BBE"}};
    for (const auto &c : cases) {
        QByteArray record(c.padded);
        FitDependingTables(layout, {}, record);
        EXPECT_EQ(record.toStdString(), c.fitted);
    }
}
