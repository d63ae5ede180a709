// The generator's tree commands: moves, removal, cut, copy and paste through the clipboard,
// FILLER items for the holes of a run, and the marks of the import preview.

#include "model/Reshape.h"
#include "../common/TaggedTree.h"
#include "model/Fillers.h"
#include "model/ImportMarks.h"
#include "model/TreeClipboard.h"

#include <gtest/gtest.h>

#include <functional>

using namespace orvane;
using namespace orvane::testing;

namespace
{

using Operation = std::function<TreeEdit(FieldTree &, FieldTree &, int)>;

const QString kLayout = QStringLiteral(
    "01 R.[1:30](05 A.[1:10](10 A1.[1:5],10 A2.[6:10]),05 B.[11:20],05 C.[21:30]),01 S.[31:40]");

struct FillerCase {
    const char *name;
    QString layout; // as tagged() writes it
    QString selected;
    FillerMode mode;
    QString expected; // tagged outline afterwards; empty: unchanged
    QString message;
};

// The marks of G(C1(K),C2),H are written as a string of 0/1 in collection order.
const QString kPreview = QStringLiteral("G[1:9](C1[1:4](K[1:2]),C2[5:9]),H[10:12]");

QString marks(const FieldTree &tree)
{
    QString out;
    for (int i = 1; i <= tree.count(); ++i)
        out += tree.checked(i) ? u'1' : u'0';
    return out;
}

void setMarks(FieldTree &tree, const QString &m)
{
    for (int i = 1; i <= tree.count(); ++i)
        tree.setChecked(i, m[i - 1] == u'1');
}

} // namespace

TEST(Reshape, MovesGoOutAndBackAndTakeTheHighestIndexes)
{
    const Operation down = MoveNodeDown, up = MoveNodeUp, child = MakeNodeChild,
                    parent = MakeNodeParent;
    struct Case {
        const char *name;
        Operation op;
        QString node;
        QString expected;
        QString selected; // afterwards
        int moved;        // nodes that became new ones
    } const cases[] = {
        {"down past the next sibling", down, "05 A.",
         "01 R.[11:30](05 B.[11:20],05 A.[1:10](10 A1.[1:5],10 A2.[6:10]),05 C.[21:30]),"
         "01 S.[31:40]",
         "05 A.", 3},
        {"down from the next-to-last place, at the top level", down, "01 R.",
         "01 S.[31:40],01 R.[1:30](05 A.[1:10](10 A1.[1:5],10 A2.[6:10]),05 B.[11:20],"
         "05 C.[21:30])",
         "01 R.", 6},
        {"up exchanges with the previous sibling, which moves", up, "05 B.",
         "01 R.[11:30](05 B.[11:20],05 A.[1:10](10 A1.[1:5],10 A2.[6:10]),05 C.[21:30]),"
         "01 S.[31:40]",
         "05 B.", 3},
        {"child of the next sibling, level text kept", child, "10 A1.",
         "01 R.[1:30](05 A.[1:5](10 A2.[1:5](10 A1.[1:5])),05 B.[11:20],05 C.[21:30]),"
         "01 S.[31:40]",
         "10 A1.", 1},
        {"parent: in front of the parent, the grandparent spans from it", parent, "10 A2.",
         "01 R.[6:30](10 A2.[6:10],05 A.[1:10](10 A1.[1:5]),05 B.[11:20],05 C.[21:30]),"
         "01 S.[31:40]",
         "05 A.", 1},
        {"the last field cannot move down", down, "05 C.", "", "05 C.", 0},
        {"the first field cannot move up", up, "05 A.", "", "05 A.", 0},
        {"a top-level field has no parent to leave", parent, "01 S.", "", "01 S.", 0},
        {"no selection", down, "", "", "", 0},
    };
    for (const Case &c : cases) {
        FieldTree tree, temp;
        buildTagged(tree, kLayout);
        const QString before = tagged(tree);
        const TreeEdit edit = c.op(tree, temp, find(tree, c.node));
        EXPECT_EQ(tagged(tree), c.expected.isEmpty() ? before : c.expected) << c.name;
        EXPECT_TRUE(temp.isEmpty()) << c.name;
        EXPECT_EQ(edit.changed(), !c.expected.isEmpty()) << c.name;
        if (!c.expected.isEmpty()) {
            // The copies hold the highest numbers; the removed original is kept whole.
            ASSERT_EQ(edit.removed.size(), 1u) << c.name;
            EXPECT_EQ(edit.inserted.last, tree.count()) << c.name;
            EXPECT_EQ(edit.inserted.size(), edit.removed.front().nodes->count()) << c.name;
            EXPECT_EQ(edit.spans.size(), size_t(tree.depth(edit.selected) - 1)) << c.name;
            EXPECT_EQ(edit.inserted.size(), c.moved) << c.name;
            EXPECT_EQ(tree.text(edit.selected), c.selected) << c.name;
        }
    }
}

TEST(Reshape, RemoveKeepsTheSubtreeAndSelectsTheNeighbour)
{
    struct Case {
        QString node;
        QString expected;
        QString selected;
    } const cases[] = {
        {"05 A.", "01 R.[11:30](05 B.[11:20],05 C.[21:30]),01 S.[31:40]", "05 B."},
        {"05 C.", "01 R.[1:20](05 A.[1:10](10 A1.[1:5],10 A2.[6:10]),05 B.[11:20]),01 S.[31:40]",
         "05 B."},
        {"10 A1.", "01 R.[6:30](05 A.[6:10](10 A2.[6:10]),05 B.[11:20],05 C.[21:30]),01 S.[31:40]",
         "10 A2."},
    };
    for (const Case &c : cases) {
        FieldTree tree;
        buildTagged(tree, kLayout);
        const int node = find(tree, c.node);
        const int row = tree.node(node)->row();
        const TreeEdit edit = RemoveNode(tree, node);
        // The siblings keep their tags; only the ancestors of the node selected then change.
        EXPECT_EQ(tagged(tree), c.expected) << c.node.toStdString();
        EXPECT_EQ(tree.text(edit.selected), c.selected) << c.node.toStdString();
        ASSERT_EQ(edit.removed.size(), 1u);
        EXPECT_EQ(edit.removed.front().place.row, row);
        EXPECT_EQ(outline(*edit.removed.front().nodes).left(c.node.size()), c.node);
    }
    FieldTree tree;
    buildTagged(tree, kLayout);
    EXPECT_FALSE(RemoveNode(tree, 0).changed());
    const TreeEdit all = RemoveAllNodes(tree);
    EXPECT_TRUE(tree.isEmpty());
    EXPECT_EQ(all.removed.front().nodes->count(), 7);
    EXPECT_FALSE(RemoveAllNodes(tree).changed());
}

TEST(Reshape, MoveButtonsFollowTheSelectedField)
{
    FieldTree tree;
    buildTagged(tree, kLayout);
    struct Case {
        QString node;
        MoveButtons expected; // parent, child, down, up
    } const cases[] = {
        {"01 R.", {false, true, true, false}}, {"01 S.", {false, false, false, true}},
        {"05 A.", {true, true, true, false}},  {"05 B.", {true, true, true, true}},
        {"05 C.", {true, false, false, true}}, {"", {false, false, false, false}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(MoveButtonsFor(tree, find(tree, c.node)), c.expected) << c.node.toStdString();
    }
}

TEST(TreeClipboard, PasteGoesByLevel)
{
    using P = PasteTarget;
    using R = Relationship;
    const QString r05 = "01 R.[1:10](05 A.[1:10])", r10 = "01 R.[1:10](10 A.[1:10])";
    struct Case {
        const char *name;
        QString layout;
        QString selected;
        P target; // Nothing: the clipboard is empty
        R answer;
        QString expected;
        QString selectedAfter;
    } const cases[] = {
        {"a level-05 group onto a level-01 field becomes its last child", r05, "01 R.", P::Child,
         R::Child, "01 R.[1:20](05 A.[1:10],05 G.[11:20](10 H.[11:20]))", "05 G."},
        {"onto a level-05 field, Yes: before it", r05, "05 A.", P::AskPreviousOrNext, R::Previous,
         "01 R.[11:10](05 G.[11:20](10 H.[11:20]),05 A.[1:10])", "05 G."},
        {"onto a level-10 field, No: after it", r10, "10 A.", P::AskPreviousOrNext, R::Next,
         "01 R.[1:20](10 A.[1:10],05 G.[11:20](10 H.[11:20]))", "05 G."},
        {"into an empty tree: the only field, nothing selected", "", "", P::IntoEmpty, R::Child,
         "05 G.[11:20](10 H.[11:20])", ""},
        {"fields but none selected: after the last top-level field",
         "01 R.[1:10](05 A.[1:10]),01 S.[11:12]", "", P::AtEnd, R::Child,
         "01 R.[1:10](05 A.[1:10]),01 S.[11:12],05 G.[11:20](10 H.[11:20])", "05 G."},
        {"an empty clipboard", "01 R.[1:10]", "01 R.", P::Nothing, R::Child, "01 R.[1:10]", ""},
    };
    for (const Case &c : cases) {
        FieldTree tree, clipboard;
        buildTagged(tree, c.layout);
        const bool filled = c.target != P::Nothing;
        if (filled)
            buildTagged(clipboard, {{1, "05 G.", "11:20"}, {2, "10 H.", "11:20"}});
        const int selected = find(tree, c.selected);
        const PasteTarget target = PasteTargetFor(tree, selected, clipboard);
        EXPECT_EQ(target, c.target) << c.name;
        const TreeEdit edit = PasteFromClipboard(tree, selected, clipboard, target, c.answer);
        EXPECT_EQ(tagged(tree), c.expected) << c.name;
        EXPECT_EQ(tree.text(edit.selected), c.selectedAfter) << c.name;
        EXPECT_EQ(clipboard.count(), filled ? 2 : 0) << c.name; // kept for again
    }
}

TEST(TreeClipboard, CutAndCopy)
{
    FieldTree tree, clipboard;
    buildTagged(tree, {{1, "01 R.", "1:15"}, {2, "05 A.", "1:10"}, {2, "05 B.", "11:15"}});
    EXPECT_FALSE(CopyToClipboard(tree, 0, clipboard));
    EXPECT_TRUE(CopyToClipboard(tree, find(tree, "01 R."), clipboard));
    EXPECT_EQ(outline(clipboard), "01 R.(05 A.,05 B.)");

    // Cutting the last child: the group is recomputed from the field selected then.
    const TreeEdit cut = CutToClipboard(tree, find(tree, "05 B."), clipboard);
    EXPECT_EQ(tagged(clipboard), "05 B.[11:15]");
    EXPECT_EQ(tagged(tree), "01 R.[1:10](05 A.[1:10])");
    EXPECT_EQ(tree.text(cut.selected), "05 A.");
    ASSERT_EQ(cut.removed.size(), 1u);
    EXPECT_EQ(cut.removed.front().place.row, 1);
    EXPECT_EQ(outline(*cut.removed.front().nodes), "05 B.");
    EXPECT_FALSE(CutToClipboard(tree, 0, clipboard).changed());

    // Pasting twice gives two independent copies.
    PasteFromClipboard(tree, 2, clipboard, PasteTarget::AskPreviousOrNext, Relationship::Next);
    PasteFromClipboard(tree, 2, clipboard, PasteTarget::AskPreviousOrNext, Relationship::Next);
    EXPECT_EQ(outline(tree), "01 R.(05 A.,05 B.,05 B.)");
}

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

TEST(ImportMarks, AChangedMarkCarriesItsSubtreeAndCheckedAncestors)
{
    struct Case {
        const char *name;
        QString before;
        QString node;
        bool mark; // the user's new mark on the node
        QString after;
    } const cases[] = {
        {"unchecking a group unchecks its subtree, not its siblings", "11111", "G", false, "00001"},
        {"unchecking a child leaves its parent checked", "11111", "C1", false, "10011"},
        {"checking a grandchild checks its parent and grandparent", "00000", "K", true, "11100"},
        {"checking a group checks its whole subtree", "00001", "G", true, "11111"},
        {"unchecking under an unchecked parent checks nothing", "01111", "C2", false, "01101"},
    };
    for (const Case &c : cases) {
        FieldTree tree;
        buildTagged(tree, kPreview);
        setMarks(tree, c.before);
        const int node = find(tree, c.node);
        tree.setChecked(node, c.mark);
        NodeCheckChanged(tree, node);
        EXPECT_EQ(marks(tree), c.after) << c.name;
    }
}

TEST(ImportMarks, OnlyCheckedFieldsAreAppendedAfterTheLastTopLevelField)
{
    struct Case {
        const char *name;
        QString marks;
        QString imported; // after the field X[1:5] already in the layout
    } const cases[] = {
        {"everything", "11111", "G[1:9](C1[1:4](K[1:2]),C2[5:9]),H[10:12]"},
        {"the last top-level field left out", "11110", "G[1:9](C1[1:4](K[1:2]),C2[5:9])"},
        {"a subtree and its grandchild", "10011", "G[1:9](C2[5:9]),H[10:12]"},
        {"nothing", "00000", ""},
    };
    for (const Case &c : cases) {
        FieldTree preview, fields;
        buildTagged(preview, kPreview);
        setMarks(preview, c.marks);
        buildTagged(fields, {{1, "X", "1:5"}});
        const InsertedRange range = ImportChecked(preview, fields);
        const QString expected = c.imported.isEmpty() ? "X[1:5]" : "X[1:5]," + c.imported;
        EXPECT_EQ(tagged(fields), expected) << c.name;
        EXPECT_EQ(range.size(), fields.count() - 1) << c.name;
        EXPECT_EQ(range.first, 2) << c.name;
    }
    // Into an empty layout the file's first top-level field becomes the first one.
    FieldTree preview, fields;
    buildTagged(preview, kPreview);
    SetAllChecked(preview, true);
    ImportChecked(preview, fields);
    EXPECT_EQ(outline(fields), "G(C1(K),C2),H");
}
