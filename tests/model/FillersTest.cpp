#include "model/Fillers.h"
#include "../common/TaggedTree.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::testing;

namespace
{

struct FillerCase {
    const char *name;
    QString layout; // as tagged() writes it
    QString selected;
    FillerMode mode;
    QString expected; // tagged outline afterwards; empty: unchanged
    QString message;
};

} // namespace

TEST(Fillers, HolesOfARunAreFilled)
{
    const FillerMode same = FillerMode::SameLevel;
    const FillerMode kids = FillerMode::Children;
    const FillerCase cases[] = {
        {"a hole between two top-level fields", "01 A.[1:10],01 B.[16:20],01 C.[21:30]", "01 A.",
         same, "01 A.[1:10],01 FILLER ~PIC X(5) VALUE SPACES.[11:15],01 B.[16:20],01 C.[21:30]",
         "1 Fillers inserted"},
        {"children measured from the group's From, not from position 1",
         "01 R.[11:40](05 A.[11:20],05 B.[26:40])", "01 R.", kids,
         "01 R.[11:40](05 A.[11:20],05 FILLER ~PIC X(5) VALUE SPACES.[21:25],05 B.[26:40])",
         "1 Fillers inserted"},
        {"a group whose From was typed before its first child", "01 R.[11:40](05 A.[15:40])",
         "05 A.", same, "01 R.[11:40](05 FILLER ~PIC X(4) VALUE SPACES.[11:14],05 A.[15:40])",
         "1 Fillers inserted"},
        {"condition names hold no storage: the run starts at the first field after them",
         "01 R.[1:20](88 R-OK.[1:20],05 A.[5:20])", "01 R.", kids,
         "01 R.[1:20](88 R-OK.[1:20],05 FILLER ~PIC X(4) VALUE SPACES.[1:4],05 A.[5:20])",
         "1 Fillers inserted"},
        {"a group's From that is no number: the run starts at its first field",
         "01 R.[x:20](05 A.[5:9],05 B.[12:20])", "01 R.", kids,
         "01 R.[x:20](05 A.[5:9],05 FILLER ~PIC X(2) VALUE SPACES.[10:11],05 B.[12:20])",
         "1 Fillers inserted"},
        {"positions typed by hand: letters read as 0, overlaps stay",
         "01 A.[abc],01 B.[20:25],01 C.[22:30]", "01 C.", same,
         "01 A.[abc],01 FILLER ~PIC X(19) VALUE SPACES.[1:19],01 B.[20:25],01 C.[22:30]",
         "1 Fillers inserted"},
        {"several holes in one pass; deeper fields are not examined",
         "01 A.[3:4](05 X.[9:9]),01 B.[8:8],01 C.[10:10]", "01 A.", same,
         "01 FILLER ~PIC X(2) VALUE SPACES.[1:2],01 A.[3:4](05 X.[9:9]),"
         "01 FILLER ~PIC X(3) VALUE SPACES.[5:7],01 B.[8:8],"
         "01 FILLER ~PIC X(1) VALUE SPACES.[9:9],01 C.[10:10]",
         "3 Fillers inserted"},
        {"a table reaches over all its occurrences: its storage is no hole",
         "01 R.[1:140](05 A PIC X(10).[1:10],05 T OCCURS 12 TIMES PIC X(10).[11:20],05 B PIC "
         "X(10).[131:140])",
         "01 R.", kids, "", "No Fillers inserted"},
        {"a hole after a table counts from its last occurrence; OCCURS m TO n reaches n",
         "01 T OCCURS 1 TO 4 DEPENDING ON N.[1:5],01 U.[26:29]",
         "01 T OCCURS 1 TO 4 DEPENDING ON N.", same,
         "01 T OCCURS 1 TO 4 DEPENDING ON N.[1:5],01 FILLER ~PIC X(5) VALUE SPACES.[21:25],01 "
         "U.[26:29]",
         "1 Fillers inserted"},
        {"children of a field without children: nothing", "01 A.[1:4],01 B.[8:8]", "01 A.", kids,
         "", "No Fillers inserted"},
        {"no selected field: nothing", "01 A.[1:4],01 B.[8:8]", "", same, "",
         "No Fillers inserted"},
    };
    for (const FillerCase &c : cases) {
        FieldTree tree;
        buildTagged(tree, c.layout);
        const int before = tree.count();
        const FillerResult r =
            InsertFillers(c.mode, tree, find(tree, c.selected), QStringLiteral("SPACES"), "X");
        EXPECT_EQ(tagged(tree), c.expected.isEmpty() ? c.layout : marked(c.expected)) << c.name;
        EXPECT_EQ(r.message, c.message) << c.name;
        // The FILLER items are the newest nodes, numbered in the order they were found.
        EXPECT_EQ(r.inserted.size(), r.count) << c.name;
        if (r.count) {
            EXPECT_EQ(r.inserted.first, before + 1) << c.name;
        }
    }
}

TEST(Fillers, EntryChecksPictureAndValue)
{
    struct Case {
        FillerEntry entry;
        FillerCheck check;
        QString picture;
        QString value;
    } const cases[] = {
        {{true, "AlphaNum (X)", false, "SPACES"}, FillerCheck::MultipleValues, "X", "SPACES"},
        {{false, "  ", false, "SPACES"}, FillerCheck::NoPicture, "  ", "SPACES"},
        {{false, "Numeric (9)", false, "  "}, FillerCheck::AskNoValue, "9", ""},
        {{false, "alpha (a)", true, ""}, FillerCheck::AskNoValue, "A", ""},
        {{false, "S9", true, " abc"}, FillerCheck::Ok, "S9", "\" abc\""},
        {{false, "9", false, " ZERO "}, FillerCheck::Ok, "9", "ZERO"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CheckFillerEntry(c.entry), c.check) << c.entry.fieldType.toStdString();
        EXPECT_EQ(FillerPicture(c.entry.fieldType), c.picture);
        EXPECT_EQ(FillerValue(c.entry), c.value);
    }
    // The whole text goes to upper case, the value included; no value, no VALUE clause.
    EXPECT_EQ(FillerText("05", "S9", 3, "\"abc\""), marked("05 FILLER ~PIC S9(3) VALUE \"ABC\"."));
    EXPECT_EQ(FillerText("10", "X", 12, ""), marked("10 FILLER ~PIC X(12)."));
}
