// Reading copybooks: program text in each reference format into tokens, and the entries'
// structure, errors and COPY books.

#include "cobol/CopybookReader.h"
#include "CobolTestSupport.h"
#include "cobol/SourceText.h"

#include <QDir>
#include <QTemporaryDir>

using namespace orvane;
using namespace orvane::cobol;
using orvane::testing::writeBytes;

namespace
{

// "name>parent" per entry ("-" for the top), in source order.
QString structure(const ReadResult &r)
{
    QStringList parts;
    for (size_t i = 0; i < r.entries.size(); ++i) {
        const int p = r.parents[i];
        parts << r.entries[i].name + u'>' +
                     (p < 0 ? QStringLiteral("-") : r.entries[size_t(p)].name);
    }
    return parts.join(u' ');
}

// The tokens of a text as one line: literals and words as they stand, periods as ".".
QString joined(const TokenizedSource &s)
{
    QStringList parts;
    for (const Token &t : s.tokens)
        parts << t.text.toString();
    return parts.join(u'|');
}

} // namespace

TEST(SourceText, DetectsTheReferenceFormat)
{
    struct Case {
        const char *text;
        SourceFormat format;
    } cases[] = {
        {"      * comment\n       01 REC.\n", SourceFormat::Fixed},
        {"01 REC.\n  05 A PIC X.\n", SourceFormat::Free},
        {"       >>SOURCE FORMAT IS FREE\n01 REC.\n", SourceFormat::Free},
        {"\t01 REC.\n", SourceFormat::Fixed},   // the tab reaches column 9
        {"01 A.\n05 B.\n", SourceFormat::Free}, // nothing past the sequence area
        {"", SourceFormat::Fixed},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DetectFormat(QString::fromUtf8(c.text)), c.format) << c.text;
}

TEST(SourceText, ReadsTheProgramTextOfEachFormat)
{
    struct Case {
        const char *text;
        SourceFormat format;
        const char *tokens;
    } cases[] = {
        // Sequence numbers in columns 1-6 and 73-80 are no text, nor a line of only one.
        {"000100 01 REC.                                                          CUST0001\n"
         "000150\n"
         "000200     05 A PIC X(3).                                               CUST0002\n",
         SourceFormat::Fixed, "01|REC|.|05|A|PIC|X(3)|."},
        // Comment, page and debugging lines; an inline comment.
        {"      * a comment\n      / page\n      D 05 DEBUG-ONLY PIC X.\n"
         "       01 R. *> the record\n",
         SourceFormat::Fixed, "01|R|."},
        // A literal continued: it runs to column 72 and resumes after the quote.
        {"       01 A PIC X(46) VALUE 'ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFG\n"
         "      -    'HIJ'.\n",
         SourceFormat::Fixed,
         "01|A|PIC|X(46)|VALUE|'ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGHIJ'|."},
        // A short line's literal is padded with blanks up to column 72.
        {"       01 B PIC X(50) VALUE 'AB\n      -    'CD'.\n", SourceFormat::Fixed,
         "01|B|PIC|X(50)|VALUE|'AB                                         CD'|."},
        // A word continued.
        {"       01 CUSTOMER-\n      -    NAME PIC X.\n", SourceFormat::Fixed,
         "01|CUSTOMER-NAME|PIC|X|."},
        // Tabs expand to stops of 8; CR LF line ends.
        {"\t01 R.\r\n\t  05 A PIC 9.\r\n", SourceFormat::Fixed, "01|R|.|05|A|PIC|9|."},
        // Free format: no columns, "*>" comments, separators comma and semicolon.
        {"*> head\n01 R. 05 A PIC 9,999.99 VALUE 1, 2; 3. *> tail\n", SourceFormat::Free,
         "01|R|.|05|A|PIC|9,999.99|VALUE|1|2|3|."},
        // Prefixed and doubled-quote literals.
        {"01 A VALUE X\"FF\" N'Ab' 'It''s'.", SourceFormat::Free,
         "01|A|VALUE|X\"FF\"|N'Ab'|'It''s'|."},
        // Text past column 72 is dropped even inside a word.
        {"       01 ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNXYZ.\n",
         SourceFormat::Fixed, "01|ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJ"},
    };
    for (const Case &c : cases) {
        const TokenizedSource s = Tokenize(QString::fromUtf8(c.text), c.format);
        ASSERT_TRUE(s.ok()) << c.text << s.error.toStdString();
        EXPECT_EQ(joined(s), QString::fromUtf8(c.tokens)) << c.text;
    }
}

TEST(SourceText, ReportsErrorsWithLineAndColumn)
{
    struct Case {
        const char *text;
        SourceFormat format;
        int line;
        int column;
        const char *message;
    } cases[] = {
        {"       01 R.\n      X 05 A PIC X.\n", SourceFormat::Fixed, 2, 7, "is not an indicator"},
        {"       01 R.\n           05 A VALUE 'OPEN\n           05 B PIC X.\n", SourceFormat::Fixed,
         2, 23, "literal is not closed"},
        {"       01 A VALUE 'ABC\n      -    DEF'.\n", SourceFormat::Fixed, 2, 12,
         "must go on after a quote"},
        {"01 A VALUE \"never closed\n", SourceFormat::Free, 1, 12, "literal is not closed"},
    };
    for (const Case &c : cases) {
        const TokenizedSource s = Tokenize(QString::fromUtf8(c.text), c.format);
        EXPECT_TRUE(s.tokens.empty()) << c.text;
        EXPECT_EQ(s.errorLine, c.line) << c.text;
        EXPECT_EQ(s.errorColumn, c.column) << c.text;
        EXPECT_TRUE(s.error.contains(QLatin1String(c.message))) << s.error.toStdString();
    }
    // A doubled quote at the very end stands for one: the literal is what is not closed.
    EXPECT_EQ(TokenizeLine(QStringLiteral("VALUE 'AB''")).errorColumn, 7);
}

TEST(CopybookReader, LevelsMakeTheStructure)
{
    struct Case {
        const char *text;
        const char *structure;
    } cases[] = {
        {"01 R. 05 A. 10 B PIC X. 10 C PIC X. 05 D PIC X. 88 D-ON VALUE 'Y'. 88 D-OFF VALUE 'N'.",
         "R>- A>R B>A C>A D>R D-ON>D D-OFF>D"},
        {"01 R. 03 A. 07 B PIC X. 05 C PIC X. 02 D PIC X.", "R>- A>R B>A C>A D>R"},
        {"01 R. 05 A PIC X. 77 S PIC 9. 01 Q. 05 Q1 PIC X. 66 QQ RENAMES Q1.",
         "R>- A>R S>- Q>- Q1>Q QQ>-"},
        // A copybook meant for a group keeps its first level at the top.
        {"05 A. 10 B PIC X. 05 C PIC X.", "A>- B>A C>-"},
        {"05 A PIC X. 03 B PIC X.", "A>- B>-"},
    };
    for (const Case &c : cases) {
        const ReadResult r =
            ReadDataDescriptions(QString::fromUtf8(c.text), {SourceFormat::Free, {}, {}});
        ASSERT_TRUE(r.ok()) << c.text << r.errorText().toStdString();
        EXPECT_EQ(structure(r), QString::fromUtf8(c.structure)) << c.text;
    }
}

TEST(CopybookReader, ErrorsNameLineAndColumnAndImportNothing)
{
    struct Case {
        const char *text;
        SourceFormat format;
        const char *error;
    } cases[] = {
        {"       01 R.\n           05 A PIC X.\n           05 B PIC Q.\n", SourceFormat::Fixed,
         "Line 3, column 21: PICTURE Q: 'Q' is not a picture symbol"},
        {"       01 R.\n           05 A PIC X\n", SourceFormat::Fixed,
         "Line 2, column 12: the entry does not end with a period"},
        {"01 R.\n  05 A PIC X.\n  MOVE A TO B.\n", SourceFormat::Free,
         "Line 3, column 3: expected a level number, found 'MOVE'"},
        {"01 R.\n  05 A PIC X.\n    10 B PIC X.\n", SourceFormat::Free,
         "Line 3, column 5: A is an elementary item and cannot hold B"},
        {"01 R.\n  05 A.\n01 S PIC X.\n", SourceFormat::Free,
         "Line 2, column 3: A has neither a PICTURE nor subordinate items"},
        {"88 LOST VALUE 1.\n", SourceFormat::Free,
         "Line 1, column 1: a condition (88) must follow the item it tests"},
        {"66 A RENAMES B.\n", SourceFormat::Free,
         "Line 1, column 1: a level-66 entry must follow a record"},
        {"01 R.\n77 S PIC X.\n  05 A PIC X.\n", SourceFormat::Free,
         "Line 3, column 3: level 05 has no group above it"},
    };
    for (const Case &c : cases) {
        const ReadResult r =
            ReadDataDescriptions(QString::fromUtf8(c.text), ReadOptions{c.format, {}, {}});
        EXPECT_EQ(r.errorText(), QString::fromUtf8(c.error)) << c.text;
        EXPECT_TRUE(r.entries.empty()) << c.text;
    }
}

TEST(CopybookReader, ReadsTheDataSectionsOfAProgram)
{
    const ReadResult r = ReadDataDescriptions(
        orvane::testing::programHead("F.DAT") +
            QStringLiteral("       FD  OUT-FILE RECORD CONTAINS 10 CHARACTERS.\n"
                           "       01  F-REC PIC X(10).\n"
                           "       WORKING-STORAGE SECTION.\n"
                           "       01  WS-A PIC 9.\n"
                           "           EXEC SQL INCLUDE SQLCA END-EXEC.\n"
                           "       LOCAL-STORAGE SECTION.\n"
                           "       77  LS-B PIC X.\n"
                           "       LINKAGE SECTION.\n"
                           "       01  LK-C PIC X.\n"
                           "       SCREEN SECTION.\n"
                           "       01  SCR-D.\n"
                           "       PROCEDURE DIVISION USING LK-C.\n"
                           "           DISPLAY WS-A. 01 NOT-DATA.\n"
                           "           STOP RUN.\n"),
        ReadOptions{});
    ASSERT_TRUE(r.ok()) << r.errorText().toStdString();
    EXPECT_EQ(structure(r), QStringLiteral("F-REC>- WS-A>- LS-B>- LK-C>-"));
    EXPECT_EQ(r.notes.size(), 1);
}

TEST(CopybookReader, CopyIsExpandedWhenFoundAndReportedWhenNot)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkdir(QStringLiteral("lib"));
    writeBytes(dir.filePath(QStringLiteral("lib/ADDR.cpy")),
               "       05 STREET PIC X(20).\n       05 CITY PIC X(10).\n");
    writeBytes(dir.filePath(QStringLiteral("BAD.cpy")), "       05 ZIP PIC ?.\n");
    const char *text = "       01 CUST.\n"
                       "           05 NAME PIC X(30).\n"
                       "           COPY ADDR.\n"
                       "           COPY \"MISSING\".\n"
                       "           COPY ADDR REPLACING ==CITY== BY ==TOWN==.\n";
    const ReadResult notFound = ReadDataDescriptions(
        QString::fromUtf8(text), ReadOptions{SourceFormat::Auto, dir.path(), {}});
    ASSERT_TRUE(notFound.ok()) << notFound.errorText().toStdString();
    EXPECT_EQ(structure(notFound), QStringLiteral("CUST>- NAME>CUST"));
    EXPECT_EQ(notFound.notes,
              QStringList({QStringLiteral("Line 3: COPY ADDR was not found and not expanded"),
                           QStringLiteral("Line 4: COPY MISSING was not found and not expanded"),
                           QStringLiteral("Line 5: COPY ADDR was not found and not expanded")}));

    const ReadResult found = ReadDataDescriptions(
        QString::fromUtf8(text),
        ReadOptions{SourceFormat::Auto, dir.path(), {dir.filePath(QStringLiteral("lib"))}});
    ASSERT_TRUE(found.ok()) << found.errorText().toStdString();
    EXPECT_EQ(structure(found), QStringLiteral("CUST>- NAME>CUST STREET>CUST CITY>CUST "
                                               "STREET>CUST TOWN>CUST"));
    EXPECT_EQ(found.entries[2].file, QStringLiteral("ADDR.cpy"));
    EXPECT_EQ(found.entries[2].line, 1);
    // A copybook's loop and its REDEFINES rule are in the compiler test's corpus.
    const ReadResult bad = ReadDataDescriptions(QStringLiteral("       01 R.\n       COPY BAD.\n"),
                                                ReadOptions{SourceFormat::Auto, dir.path(), {}});
    EXPECT_EQ(bad.errorText(),
              QStringLiteral("BAD.cpy:1:19: PICTURE ?: '?' is not a picture symbol"));
}
