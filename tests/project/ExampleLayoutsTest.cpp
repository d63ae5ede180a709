// The layouts in examples/ are built here the way a user builds them in the entry panel:
// clause text from BuildFieldClause, placement by level, tags by positions and the parents'
// spans. The committed files must stay what this code builds; after a deliberate change,
// rewrite them with ORVANE_WRITE_EXAMPLES=1.

#include "project/ProjectFile.h"

#include "codegen/CodeGenerator.h"
#include "model/FieldClause.h"
#include "model/NumberText.h"
#include "model/Placement.h"
#include "model/Positions.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

#include <vector>

using namespace orvane;

namespace
{

// One field as typed: the entry panel's values and how many bytes it takes (0 for a group or
// a condition name).
struct Row {
    FieldEntry entry;
    int length = 0;
};

FieldEntry field(const char *level, const char *name, const char *picture = "")
{
    FieldEntry e;
    e.level = QString::fromLatin1(level);
    e.name = QString::fromLatin1(name);
    e.pictureText = QString::fromLatin1(picture);
    return e;
}

Row elementary(const char *level, const char *name, const char *picture, int length,
               const char *value = "", bool asString = false)
{
    Row r{field(level, name, picture), length};
    r.entry.length = QString::number(length); // by positions the panel derives the length
    r.entry.value = QString::fromLatin1(value);
    r.entry.treatAsString = asString;
    return r;
}

Row group(const char *level, const char *name)
{
    return Row{field(level, name), 0};
}

Row condition(const char *name, const char *value)
{
    Row r{field("88", name), 0};
    r.entry.value = QString::fromLatin1(value);
    r.entry.treatAsString = !r.entry.value.contains(u'"');
    r.entry.multipleValues = r.entry.value.contains(u'"'); // as the panel does for a quote
    return r;
}

Row edited(const char *level, const char *name, const char *editPicture, int length)
{
    Row r{field(level, name, editPicture), length};
    r.entry.length = QString::number(length);
    r.entry.inputField = false;
    return r;
}

Row array(const char *level, const char *name, int count, const char *keyKind, const char *keyName,
          const char *indexName)
{
    Row r{field(level, name), 0};
    r.entry.occurs = QString::number(count);
    r.entry.keyKindText = QString::fromLatin1(keyKind);
    r.entry.keyDataName = QString::fromLatin1(keyName);
    r.entry.indexName = QString::fromLatin1(indexName);
    return r;
}

// Adds the rows with record size by positions: each elementary field takes the next bytes,
// a condition name repeats its variable's positions, a top-level record starts at 1 again.
// `skip` after a row index moves the position on, for the further elements of an array.
void addRows(FieldTree &tree, const std::vector<Row> &rows,
             const std::vector<std::pair<size_t, int>> &skips = {})
{
    int position = 1;
    int selected = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        const QString clause = BuildFieldClause(row.entry);
        const double level = clauseLevel(clause);
        PlacementAnswers answers;
        answers.condition = selected && NodeLevel(tree, selected) == 88 ? ConditionAnswer::Sibling
                                                                        : ConditionAnswer::Child;
        if (level == 1)
            position = 1;
        const int variable = selected;
        NewFieldPositions in;
        in.byPositions = true;
        if (level == 88) {
            const QString tag = tree.tag(variable);
            in.fromText = TagFrom(tag);
            in.toText = TagTo(tag);
        } else {
            in.fromText = QString::number(position);
            in.toText = QString::number(row.length ? position + row.length - 1 : position);
            position += row.length;
        }
        const int node = AddField(tree, CurrentNodeIndex(tree, selected), clause, answers, in);
        ASSERT_NE(node, 0) << clause.toStdString();
        selected = node; // adding selects the new node
        for (const auto &[after, bytes] : skips)
            if (after == i)
                position += bytes;
    }
}

void buildCustomer(FieldTree &tree)
{
    const char *x = "AlphaNum (X)";
    const char *n = "Numeric (9)";
    // Each order takes 4+2+2+10+7+1 = 26 bytes; the array holds 12.
    addRows(tree,
            {
                group("1", "CUSTOMER-RECORD"),
                elementary("5", "CUST-ID", n, 8),
                group("5", "CUST-NAME"),
                elementary("10", "CUST-FIRST-NAME", x, 20),
                elementary("10", "CUST-LAST-NAME", x, 30),
                group("5", "CUST-ADDRESS"),
                elementary("10", "CUST-STREET", x, 40),
                elementary("10", "CUST-CITY", x, 30),
                elementary("10", "CUST-POSTCODE", x, 10),
                elementary("10", "CUST-COUNTRY", x, 2, "de", true),
                elementary("5", "CUST-STATUS", x, 1, "a", true),
                condition("CUST-ACTIVE", "A"),
                condition("CUST-CLOSED", "C"),
                condition("CUST-BLOCKED", "\"b\" \"x\""),
                elementary("5", "CUST-BALANCE", "S9", 9, "Zeroes"),
                elementary("5", "CUST-ORDER-COUNT", n, 2, "Zero"),
                array("5", "CUST-ORDERS", 12, "AKey", "ORDER-DATE", "ORD-IX"),
                group("10", "ORDER-DATE"),
                elementary("15", "ORDER-YEAR", n, 4),
                elementary("15", "ORDER-MONTH", n, 2),
                elementary("15", "ORDER-DAY", n, 2),
                elementary("10", "ORDER-NUMBER", x, 10),
                elementary("10", "ORDER-AMOUNT", n, 7),
                elementary("10", "ORDER-STATE", x, 1),
                condition("ORDER-OPEN", "O"),
                condition("ORDER-SHIPPED", "S"),
                elementary("5", "CUST-NOTES", x, 60, "Spaces"),
            },
            {{25, 11 * 26}});
}

void buildInvoice(FieldTree &tree)
{
    const char *x = "AlphaNum (X)";
    const char *n = "Numeric (9)";
    addRows(tree, {
                      group("1", "INVOICE-HEADER"),
                      elementary("5", "INV-NUMBER", n, 10),
                      group("5", "INV-DATE"),
                      elementary("10", "INV-YEAR", n, 4),
                      elementary("10", "INV-MONTH", n, 2),
                      elementary("10", "INV-DAY", n, 2),
                      elementary("5", "INV-CUST-ID", n, 8),
                      elementary("5", "INV-CURRENCY", x, 3, "EUR", true),
                      elementary("5", "INV-LINE-COUNT", n, 3, "Zero"),
                      group("1", "INVOICE-LINES"),
                      array("5", "INV-LINE", 20, "DKey", "LINE-NO", "LINE-IX"),
                      elementary("10", "LINE-NO", n, 3),
                      elementary("10", "LINE-ITEM", x, 12),
                      elementary("10", "LINE-QTY", n, 5),
                      elementary("10", "LINE-PRICE", "9", 7),
                      elementary("10", "LINE-TAX-CODE", "Alpha (A)", 1, "S", true),
                      condition("LINE-TAX-STANDARD", "S"),
                      condition("LINE-TAX-REDUCED", "R"),
                      group("1", "INVOICE-PRINT"),
                      elementary("5", "PRT-LABEL", x, 12, "Total", true),
                      edited("5", "PRT-TOTAL", "ZZ,ZZZ,ZZ9.99", 13),
                      elementary("5", "FILLER", x, 3, "Spaces"),
                  });
}

QByteArray bytesOf(const FieldTree &tree)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const ProjectResult r = SaveNodes(tree, buffer);
    EXPECT_TRUE(r.ok()) << r.message.toStdString();
    return bytes;
}

void checkCommitted(const char *name, void (*builder)(FieldTree &))
{
    FieldTree built;
    builder(built);
    const QString path = QStringLiteral(ORVANE_SOURCE_DIR "/examples/") + QLatin1String(name);
    if (qEnvironmentVariableIsSet("ORVANE_WRITE_EXAMPLES")) {
        ASSERT_TRUE(SaveNodes(built, path).ok());
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    EXPECT_EQ(file.readAll(), bytesOf(built))
        << name << " differs from what the layout code builds";

    FieldTree loaded;
    ASSERT_TRUE(LoadNodes(loaded, path).ok());
    EXPECT_EQ(GenerateCode(loaded), GenerateCode(built));
}

} // namespace

TEST(ExampleLayouts, CommittedFilesAreWhatTheLayoutCodeBuilds)
{
    checkCommitted("customer.qel", buildCustomer);
    checkCommitted("invoice.qel", buildInvoice);
}

TEST(ExampleLayouts, CustomerRecordHasItsShapeAndPositions)
{
    FieldTree tree;
    buildCustomer(tree);
    ASSERT_EQ(tree.count(), 27);
    EXPECT_EQ(tree.topLevelCount(), 1);
    // The array with its key and index, four levels deep below the record.
    const int orders = 17;
    EXPECT_EQ(tree.text(orders).toStdString(),
              "05 CUST-ORDERS OCCURS 12 TIMES ASCENDING KEY IS ORDER-DATE INDEXED BY ORD-IX.");
    EXPECT_EQ(tree.depth(19), 4); // ORDER-YEAR
    EXPECT_EQ(tree.parent(19), 18);
    EXPECT_EQ(tree.tag(18), "153:160"); // ORDER-DATE spans year, month and day
    EXPECT_EQ(tree.tag(orders), "153:178");
    EXPECT_EQ(tree.text(2), QString::fromUtf16(u"05 CUST-ID \u00A0PIC 9(8)."));
    EXPECT_EQ(tree.text(15),
              QString::fromUtf16(u"05 CUST-BALANCE \u00A0PIC S9(9) \u00A0VALUE ZEROES."));
    // Condition names sit under their variable and share its positions.
    EXPECT_EQ(tree.parent(12), 11);
    EXPECT_EQ(tree.parent(14), 11);
    EXPECT_EQ(tree.tag(14), tree.tag(11));
    EXPECT_EQ(tree.text(14), QString::fromUtf16(u"88 CUST-BLOCKED \u00A0VALUES \"B\" \"X\"."));
    // After the array's twelve elements.
    EXPECT_EQ(tree.tag(27), "465:524");
    EXPECT_EQ(tree.tag(1), "1:524");
}
