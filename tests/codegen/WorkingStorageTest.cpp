#include "codegen/WorkingStorage.h"

#include <gtest/gtest.h>

#include <optional>

using namespace orvane;

const QString Code = QStringLiteral("\r\n      *\r\n        01 A.\r\n         05 B PIC X.");

TEST(InsertAfterWorkingStorage, CodeGoesBehindThePeriodOfTheFirstRealHeader)
{
    // "|" marks where the code must go; no mark: the source has no header.
    const char *const cases[] = {
        "       DATA DIVISION.\r\n       WORKING-STORAGE SECTION.|\r\n       01 X PIC X.\r\n",
        "       working-storage section.|\n       01 X PIC X.\n",
        "         Working-Storage Section.|\r\n", // more than seven blanks: the last seven count
        "       WORKING-STORAGE SECTION.|",       // the last line, without a line end
        "       WORKING-STORAGE SECTION.|\n       WORKING-STORAGE SECTION.\n",
        "      WORKING-STORAGE SECTION.\r\n", // fewer than seven blanks
        "       WORKING-STORAGE SECTION\r\n",
        "",
        "       WORKING-\xC5\xBFTORAGE SECTION.\n", // U+017F folds to 's' outside ASCII only
        // Comments are not the header: '*' or '/' in column 7, or behind a free-format "*>".
        "      *       WORKING-STORAGE SECTION. is below\r\n"
        "       WORKING-STORAGE SECTION.|\r\n",
        "      /       WORKING-STORAGE SECTION.\n",
        "000100*       WORKING-STORAGE SECTION.\n",
        " *>       WORKING-STORAGE SECTION.\n       WORKING-STORAGE SECTION.|\n",
        "       WORKING-STORAGE SECTION.| *> not a comment before it\n",
    };
    for (const char *c : cases) {
        const QString marked = QString::fromUtf8(c);
        const qsizetype at = marked.indexOf(u'|');
        const QString source = QString(marked).remove(u'|');
        const std::optional<QString> out = InsertAfterWorkingStorage(source, Code);
        if (at < 0) {
            EXPECT_FALSE(out) << c;
            continue;
        }
        const QString eol = LineEndOf(source);
        ASSERT_TRUE(out) << c;
        EXPECT_EQ(*out, source.left(at) + eol + ConvertLineEnds(Code, eol) + eol + source.mid(at))
            << c;
    }
}

TEST(LineEnds, ConventionAndConversion)
{
    EXPECT_EQ(LineEndOf(u"A\r\nB\nC"), QStringLiteral("\r\n"));
    EXPECT_EQ(LineEndOf(u"A\nB\r\nC"), QStringLiteral("\n"));
    EXPECT_EQ(LineEndOf(u"\nB"), QStringLiteral("\n"));
    EXPECT_EQ(LineEndOf(u"no line end"), QStringLiteral("\r\n"));
    EXPECT_EQ(ConvertLineEnds(u"a\r\nb\nc\rd\r\n", u"\n"), QStringLiteral("a\nb\nc\nd\n"));
    EXPECT_EQ(ConvertLineEnds(u"a\nb\r\n\r\n", u"\r\n"), QStringLiteral("a\r\nb\r\n\r\n"));
}
