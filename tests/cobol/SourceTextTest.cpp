#include "cobol/SourceText.h"
#include "../common/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace orvane::cobol;

namespace
{

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
