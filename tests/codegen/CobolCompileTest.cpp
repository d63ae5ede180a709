// GnuCOBOL judges the generated code: a random layout, with one long continued literal among its
// fields, wrapped in a minimal fixed-format program, must compile and show that literal.

#include "../cobol/CobolTestSupport.h"
#include "CodeGenTestSupport.h"

#include "codegen/CodeGenerator.h"
#include "codegen/WorkingStorage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace orvane;
using namespace orvane::test;

namespace
{

const char *const X = "AlphaNum (X)";

FieldEntry entry(const QString &level, const QString &name)
{
    FieldEntry e;
    e.level = level;
    e.name = name;
    return e;
}

// About `count` fields of valid COBOL in random shapes: groups up to 16 deep, names up to 30
// characters, pictures up to 300 bytes, quoted values up to 200 characters with doubled
// quotes, numbers, condition names with value lists, arrays with a key and an index, and the
// value-before-picture form they bring.
void randomLayout(FieldTree &tree, unsigned seed, int count)
{
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto word = [&](int length, int serial) {
        QString w = QStringLiteral("F%1").arg(serial);
        while (w.size() < length)
            w += pick(0, 5) == 0 ? u'-' : QChar(u'A' + pick(0, 25));
        return w.endsWith(u'-') ? w.chopped(1) + u'Z' : w;
    };
    std::vector<int> path;   // the open groups, outermost first
    bool emptyGroup = false; // a group needs an item below it
    for (int serial = 1; serial <= count || emptyGroup; ++serial) {
        const int depth = path.empty() ? 1
                          : emptyGroup ? int(path.size()) + 1
                                       : pick(1, int(path.size()) + 1);
        path.resize(size_t(depth - 1));
        FieldEntry f = entry(QString::number(depth), word(pick(2, 30), serial));
        const bool group = serial < count && (depth == 1 || (depth < 16 && pick(0, 2) == 0));
        emptyGroup = group;
        if (depth > 1 && depth < 5 && pick(0, 4) == 0) {
            f.occurs = QString::number(pick(1, 99));
            f.indexName = QStringLiteral("IX%1").arg(serial);
            if (!group) {
                f.keyKindText = pick(0, 1) ? "AKey" : "DKey";
                f.keyDataName = f.name;
            }
        }
        const bool numeric = !group && pick(0, 3) == 0;
        if (numeric) {
            f.pictureText = "Numeric (9)";
            f.length = QString::number(pick(1, 18));
            f.value = pick(0, 1) ? "Zero" : QString();
        } else if (!group) {
            const int length = pick(1, 300);
            f.pictureText = X;
            f.length = QString::number(length);
            if (pick(0, 1) == 0) {
                f.value = word(pick(0, std::min(length, 200)), serial).toLower();
                if (f.value.size() > 4 && pick(0, 3) == 0)
                    f.value.replace(2, 2, QStringLiteral("\"\""));
                f.treatAsString = true;
            }
        }
        const int index = addText(tree, path.empty() ? 0 : path.back(), BuildFieldClause(f));
        if (group)
            path.push_back(index);
        else if (!numeric && pick(0, 5) == 0) { // condition names, some with a long list
            FieldEntry c =
                entry("88", QStringLiteral("C%1-").arg(serial) + word(pick(2, 20), serial));
            c.value = QStringLiteral("\"o\" \"p\" \"q\" \"r\" ").repeated(pick(1, 6));
            c.multipleValues = true;
            addText(tree, index, BuildFieldClause(c));
        }
    }
}

} // namespace

// The layout's line width, the continuation of long lines and literals, and the depth reset
// meet in random layouts: every line stays inside column 72, the compiler accepts them, and a
// continued literal (with doubled quotes) keeps its text when the program shows it.
TEST(Cobol, RandomLayoutsStayInsideColumn72AndContinuedLiteralsKeepTheirText)
{
    FieldTree tree;
    randomLayout(tree, 1234, 3000);
    int parent = addText(tree, 0, BuildFieldClause(entry("1", "MSG-REC")));
    for (int level = 5; level <= 25; level += 5)
        parent =
            addText(tree, parent, BuildFieldClause(entry(QString::number(level), "MSG-GROUP")));
    QString text;
    for (int i = 0; text.size() < 200; ++i)
        text += QStringLiteral("part %1 of the \"\"message\"\" ").arg(i);
    FieldEntry msg = entry("30", "MSG-TEXT");
    msg.pictureText = X;
    msg.length = QString::number(text.size());
    msg.value = text;
    msg.treatAsString = true;
    addText(tree, parent, BuildFieldClause(msg));
    const QString code = GenerateCode(tree);
    ASSERT_TRUE(code.contains(u"\r\n      -")) << "the layouts should need continued literals";
    for (const QString &line : codeLines(code))
        ASSERT_LE(line.size(), CodeLastColumn) << qPrintable(line);
    COBC_OR_SKIP(cobc);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program =
        InsertAfterWorkingStorage(QStringLiteral("       IDENTIFICATION DIVISION.\r\n"
                                                 "       PROGRAM-ID. GENCHECK.\r\n"
                                                 "       DATA DIVISION.\r\n"
                                                 "       WORKING-STORAGE SECTION.\r\n"
                                                 "       PROCEDURE DIVISION.\r\n"
                                                 "           DISPLAY MSG-TEXT.\r\n"
                                                 "           STOP RUN.\r\n"),
                                  code)
            .value();
    const QString shown =
        QString::fromLatin1(orvane::testing::compileAndRun(cobc, dir.path(), program)).trimmed();
    // A quote inside the value is typed doubled, and the program shows it once.
    EXPECT_EQ(shown,
              text.toUpper().replace(QStringLiteral("\"\""), QStringLiteral("\"")).trimmed());
}
