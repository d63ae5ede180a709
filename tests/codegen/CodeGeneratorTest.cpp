#include "../common/TreeText.h"
#include "CodeGenTestSupport.h"

#include "codegen/CodeGenerator.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::test;

namespace
{

QString sp(int n)
{
    return QString(n, u' ');
}

// Table shorthand: "~" is the clause marker, "{N48}" 48 letters N, and in expected lines a
// leading "9:" stands for nine blanks; lines are separated by "|".
QString expand(const char *text)
{
    QString out = QString::fromLatin1(text).replace(u'~', ClauseMark);
    for (qsizetype at; (at = out.indexOf(u'{')) >= 0;) {
        const qsizetype close = out.indexOf(u'}', at);
        const int n = out.mid(at + 2, close - at - 2).toInt();
        out.replace(at, close - at + 1, QString(n, out[at + 1]));
    }
    return out;
}

QString expandLines(const char *text)
{
    QStringList lines = expand(text).split(u'|');
    for (QString &l : lines) {
        const qsizetype colon = l.indexOf(u':');
        l = sp(l.left(colon).toInt()) + l.mid(colon + 1);
    }
    return lines.join(u'|');
}

// The literal a run of generated lines spells, following the fixed-format continuation rule:
// a continued piece runs to column 72, the next line has '-' in column 7 and resumes with a quote.
QString literalIn(const QStringList &lines, int first)
{
    QString text = lines[first].mid(lines[first].indexOf(u'"') + 1);
    for (int i = first + 1; i < lines.size() && lines[i].size() > 6 && lines[i][6] == u'-'; ++i) {
        if (lines[i - 1].size() != CodeLastColumn)
            return QStringLiteral("<continued line not filled to column 72>");
        text += lines[i].mid(lines[i].indexOf(u'"') + 1);
    }
    return text.left(text.lastIndexOf(u'"'));
}

} // namespace

// Small layouts as a table: the tree as "depth>clause" entries separated by ";".
TEST(GenerateCode, SmallLayouts)
{
    struct Case {
        const char *tree;
        const char *lines;
    };
    const Case cases[] = {
        {"1>  01 CUSTOMER-REC.  ", "6:*|8:01 CUSTOMER-REC."},
        // every record gets its comment line, nested fields none
        {"1>01 A.;2>05 B ~PIC X(2).;1>01 C.", "6:*|8:01 A.|9:05 B PIC X(2).|6:*|8:01 C."},
        // sibling pictures align on the longest name; a group below has a column of its own
        {"1>01 R.;2>05 A ~PIC X(1).;2>05 LONGNAME ~PIC 9(3).;2>05 GRP.;3>10 X ~PIC X(4).",
         "6:*|8:01 R.|9:05 A        PIC X(1).|9:05 LONGNAME PIC 9(3).|9:05 GRP.|11:10 X PIC X(4)."},
        // a value before its picture neither sets the column nor is aligned
        {"1>01 R.;2>05 A ~PIC X(1).;2>05 TABLE-ENTRY OCCURS 3 TIMES  ~VALUE SPACE~PIC X(2).",
         "6:*|8:01 R.|9:05 A PIC X(1).|9:05 TABLE-ENTRY OCCURS 3 TIMES VALUE SPACE PIC X(2)."},
        // no blank before the marker: the gap stays zero
        {"1>01 R.;2>05 AB~PIC X.;2>05 C ~PIC X.", "6:*|8:01 R.|9:05 ABPIC X.|9:05 C PIC X."},
    };
    for (const Case &c : cases) {
        std::vector<std::pair<int, QString>> nodes;
        for (const QString &entry : expand(c.tree).split(u';'))
            nodes.push_back({entry.left(1).toInt(), entry.mid(2)});
        FieldTree tree;
        orvane::testing::build(tree, nodes);
        EXPECT_EQ(codeLines(GenerateCode(tree)).join(u'|'), expandLines(c.lines)) << c.tree;
    }
    EXPECT_EQ(GenerateCode(FieldTree()), QString());
}

TEST(GenerateCode, WalkStartsAtTheFirstRootEvenWhenNodeOneIsNested)
{
    FieldTree tree;
    const int a = addText(tree, 0, QStringLiteral("01 A."));
    tree.setParent(a, addText(tree, 0, QStringLiteral("01 B."))); // node 1 now sits under B
    EXPECT_EQ(GenerateCode(tree), "\r\n" + sp(6) + "*\r\n" + sp(8) + "01 B.\r\n" + sp(9) + "01 A.");
}

// Where the width decisions tip: the name part and picture, the gap to the group's column, the
// value behind the picture or before it, and words too long to break, at and beside the line
// width (65) and column 72.
TEST(FormatFieldLines, WidthDecisionsAtTheirBoundaries)
{
    struct Case {
        const char *text;
        int depth;
        int picColumn;
        const char *lines;
    };
    const Case cases[] = {
        // name part plus picture exactly and one over the width
        {"05 {N49} ~PIC X(10).", 2, 0, "9:05 {N49} PIC X(10)."},
        {"05 {N50} ~PIC X(10).", 2, 0, "9:05 {N50}|9:PIC X(10). "},
        // the picture below keeps the group's column while it fits, else it follows the depth
        {"05 {N50} ~PIC X(10).", 2, 53, "9:05 {N50}|62:PIC X(10).|7:"},
        {"05 {N50} ~PIC X(10).", 2, 54, "9:05 {N50}|9:PIC X(10). "},
        {"05 {N57} ~PIC X(10) ~VALUE SPACES.", 2, 5, "9:05 {N57}|14:PIC X(10) VALUE SPACES."},
        {"05 {N50} ~PIC X(10).", 2, 52, "9:05 {N50}|61:PIC X(10). "}, // 72 with its blank
        // the clause marker first, or twice: only the one before PIC counts
        {"~PIC X.", 2, 0, "10:PIC X."},
        {"~VALUE 1.", 2, 0, "10:VALUE 1."},
        {"05 A ~~PIC X.", 2, 0, "9:05 A ~ PIC X."},
        // the gap to the group's column: kept, narrowed, or no room left at all
        {"05 {N40} ~PIC X(10).", 2, 54, "9:05 {N40}          PIC X(10)."},
        {"05 {N40} ~PIC X(10).", 2, 55, "9:05 {N40}        PIC X(10)."},
        {"05 {N47} ~PIC X(10).", 2, 60, "9:05 {N47} PIC X(10)."},
        {"05 {N48} ~PIC X(10).", 2, 60, "9:05 {N48}|7:PIC X(10)."},
        // a value that exactly fits behind the picture, and one character more
        {"05 A ~PIC X(10) ~VALUE \"{Q39}\".", 2, 0, "9:05 A PIC X(10) VALUE \"{Q39}\"."},
        {"05 A ~PIC X(10) ~VALUE \"{Q40}\".", 2, 0, "9:05 A PIC X(10)|7:VALUE \"{Q40}\"."},
        // value before picture: behind the name, then with the picture, on one line or two
        {"05 {N20} OCCURS 2 TIMES ~VALUE \"{Q16}\"~PIC X(50).", 2, 0,
         "9:05 {N20} OCCURS 2 TIMES VALUE \"{Q16}\"|7:PIC X(50)."},
        {"05 {N20} OCCURS 2 TIMES ~VALUE \"{Q17}\"~PIC X(50).", 2, 0,
         "9:05 {N20} OCCURS 2 TIMES|7:VALUE \"{Q17}\" PIC X(50)."},
        {"05 {N20} OCCURS 2 TIMES ~VALUE \"{Q46}\"~PIC X(50).", 2, 0,
         "9:05 {N20} OCCURS 2 TIMES|7:VALUE \"{Q46}\" PIC X(50)."},
        {"05 {N20} OCCURS 2 TIMES ~VALUE \"{Q47}\"~PIC X(50).", 2, 0,
         "9:05 {N20} OCCURS 2 TIMES|7:VALUE \"{Q47}\"|7:PIC X(50)."},
        {"05 {N10} OCCURS 2 TIMES ~VALUE \"{Q15}\"~PIC X(50).", 2, 0,
         "9:05 {N10} OCCURS 2 TIMES VALUE \"{Q15}\" PIC X(50)."},
        {"05 {N10} OCCURS 2 TIMES ~VALUE \"{Q16}\"~PIC X(50).", 2, 0,
         "9:05 {N10} OCCURS 2 TIMES VALUE \"{Q16}\"|7:PIC X(50)."},
        // a picture as long as the width starts right at the prefix
        {"05 A ~PIC {X59}.", 2, 0, "9:05 A|7:PIC {X59}. "},
        // literals that fit a line move to the next one whole, empty ones included; one too
        // long for any line starts behind the word before it when ten characters fit there
        {"88 C ~VALUES \"{A30}\" \"{B30}\" \"{C30}\".", 2, 0,
         "9:88 C|7:VALUES \"{A30}\"|13:\"{B30}\"|13:\"{C30}\"."},
        {"88 C ~VALUES \"{A30}\" \"{B23}\" \"{C30}\".", 2, 0, // the second ends in column 72
         "9:88 C|7:VALUES \"{A30}\" \"{B23}\"|13:\"{C30}\"."},
        {"88 C ~VALUES \"\" \"{A40}\" \"\" \"{B20}\".", 2, 0,
         "9:88 C|7:VALUES \"\" \"{A40}\" \"\"|13:\"{B20}\"."},
        {"88 C ~VALUES \"{A44}\" \"{B70}\".", 2, 0,
         "9:88 C|7:VALUES \"{A44}\" \"{B10}|6:-      \"{B58}|6:-      \"BB\"."},
        {"88 C ~VALUES \"{A30}\" \"{B59}\" \"\".", 2, 0, // exactly Area B: moves whole
         "9:88 C|7:VALUES \"{A30}\"|11:\"{B59}\"|13:\"\"."},
        {"88 C ~VALUES \"{A45}\" \"{B70}\".", 2, 0,
         "9:88 C|7:VALUES \"{A45}\"|13:\"{B58}|6:-      \"{B12}\"."},
        // a word of 61 fits Area B flush right; longer ones start in Area B and stay long
        {"05 {W61}", 4, 0, "9:05|11:{W61}"},
        {"05 {W62}", 2, 0, "7:05 {W62}|10:"},
        {"05 {W62}", 3, 0, "8:05|12:{W62}|12:"},
        {"05 {W63}", 2, 0, "7:05|11:{W63}|10:"},
        {"05 {W70} ~PIC X(3) ~VALUE SPACES.", 2, 0, "7:05|11:{W70}|9:PIC X(3) VALUE SPACES."},
        // deep fields start over at depth 2, which is written back for what follows
        {"03 F ~PIC X.", 10, 0, "25:03 F PIC X."},
        {"03 F ~PIC X.", 11, 0, "9:03 F PIC X."},
        // a line ending exactly at column 72 stays; one column more and it is broken
        {"10 ITEM OCCURS 12 TIMES ASCENDING KEY IS ITEM-KEY INDEXED BY IX ~VALUE SPACE~PIC A(5).",
         4, 0,
         "9:10 ITEM OCCURS 12 TIMES ASCENDING KEY IS ITEM-KEY INDEXED BY IX|9:VALUE SPACE PIC "
         "A(5)."},
        {"10 ITEM OCCURS 12 TIMES ASCENDING KEY IS ITEM-KEY INDEXED BY IX ~VALUE SPACE~PIC A(5).",
         5, 0,
         "10:10 ITEM OCCURS 12 TIMES ASCENDING KEY IS ITEM-KEY INDEXED BY|14:IX|10:VALUE SPACE PIC "
         "A(5)."},
    };
    for (const Case &c : cases) {
        FieldTree tree;
        const int f = addText(tree, 0, expand(c.text));
        int depth = c.depth;
        EXPECT_EQ(
            codeLines(FormatFieldLines(tree, f, CodeLineWidth, c.picColumn, depth)).join(u'|'),
            expandLines(c.lines))
            << c.text << " at depth " << c.depth << ", column " << c.picColumn;
        EXPECT_EQ(depth, c.depth > 10 ? 2 : c.depth);
    }
}

TEST(FormatFieldLines, NoNodeGivesNothingAndOddDepthsDoNotCrash)
{
    FieldTree tree;
    int depth = 3;
    EXPECT_EQ(FormatFieldLines(tree, 1, CodeLineWidth, 0, depth), QString());
    EXPECT_EQ(FindPicColumn(tree, 1), 0);
    const int f = addText(tree, 0, expand("05 F ~PIC X(3) ~VALUE \"A\"."));
    EXPECT_EQ(FindPicColumn(tree, f), 6);
    for (int odd : {-100, -5, 0, 32767})
        EXPECT_TRUE(FormatFieldLines(tree, f, CodeLineWidth, -40, odd).contains(u"PIC X(3)"))
            << odd;
    depth = 2;
    EXPECT_TRUE(FormatFieldLines(tree, f, -3, 1000000, depth).contains(u"VALUE \"A\"."));
}

TEST(GenerateCode, HundredThousandLevelsDeepGeneratesEveryLine)
{
    FieldTree tree;
    const int n = 100000;
    int parent = addText(tree, 0, QStringLiteral("01 TOP."));
    for (int i = 2; i < n; ++i)
        parent = addText(tree, parent, QStringLiteral("05 G."));
    addText(tree, parent, expand("05 LEAF ~PIC X(4) ~VALUE SPACES."));
    const QStringList lines = codeLines(GenerateCode(tree));
    ASSERT_EQ(lines.size(), n + 1);
    // Below the first level the depth runs 2..10 over and over, each reset carried on to the
    // children: field n sits at 2 + (n - 2) % 9.
    EXPECT_EQ(lines.last(), sp(2 * 10 + 5) + "05 LEAF PIC X(4) VALUE SPACES.");
    EXPECT_EQ(lines[lines.size() - 2], sp(2 * 9 + 5) + "05 G.");
}

TEST(Column72, DoubledQuoteIsNeverCutApart)
{
    FieldTree tree;
    const int root = addText(tree, 0, QStringLiteral("01 R."));
    // Try every cut position: some land on a doubled quote, inside the literal or at its end.
    for (int pad = 0; pad < 70; ++pad) {
        QString literal =
            QString(54 + pad, u'A') + QStringLiteral("\"\"") + QString(pad < 6 ? 60 : 0, u'B');
        const int f = addText(tree, root, expand("05 Q ~PIC X(200) ~VALUE \"") + literal + "\".");
        int depth = 2;
        const QStringList lines = codeLines(FormatFieldLines(tree, f, CodeLineWidth, 0, depth));
        for (int i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i + 1].startsWith(u"      -")) {
                EXPECT_FALSE(lines[i].endsWith(u'"') && !lines[i].endsWith(u"\"\""))
                    << qPrintable(lines[i]);
            }
        }
        EXPECT_EQ(literalIn(lines, 1), literal) << pad;
    }
}
