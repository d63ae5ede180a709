#include "codegen/WorkingStorage.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace
{

const QString Code = QStringLiteral("\r\n      *\r\n        01 A.\r\n         05 B PIC X.");

} // namespace

TEST(InsertAfterWorkingStorage, CodeGoesBehindThePeriodBeforeTheLineEnd)
{
    const QString source = QStringLiteral("       DATA DIVISION.\r\n"
                                          "       WORKING-STORAGE SECTION.\r\n"
                                          "       01 X PIC X.\r\n");
    const auto out = InsertAfterWorkingStorage(source, Code);
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, QStringLiteral("       DATA DIVISION.\r\n"
                                   "       WORKING-STORAGE SECTION.\r\n"
                                   "\r\n"
                                   "      *\r\n"
                                   "        01 A.\r\n"
                                   "         05 B PIC X.\r\n"
                                   "\r\n"
                                   "       01 X PIC X.\r\n"));
}

TEST(InsertAfterWorkingStorage, LfSourceGetsLfCode)
{
    const QString source = QStringLiteral("       working-storage section.\n       01 X PIC X.\n");
    const auto out = InsertAfterWorkingStorage(source, Code);
    ASSERT_TRUE(out);
    EXPECT_FALSE(out->contains(u'\r'));
    EXPECT_EQ(*out, QStringLiteral("       working-storage section.\n\n      *\n        01 A.\n"
                                   "         05 B PIC X.\n\n       01 X PIC X.\n"));
}

TEST(InsertAfterWorkingStorage, HeaderMatchingRules)
{
    // Fewer than seven spaces: not the header.
    EXPECT_FALSE(
        InsertAfterWorkingStorage(QStringLiteral("      WORKING-STORAGE SECTION.\r\n"), Code));
    EXPECT_FALSE(
        InsertAfterWorkingStorage(QStringLiteral("       WORKING-STORAGE SECTION\r\n"), Code));
    EXPECT_FALSE(InsertAfterWorkingStorage(QString(), Code));
    // More than seven: the last seven match.
    const auto more =
        InsertAfterWorkingStorage(QStringLiteral("         Working-Storage Section.\r\n"), Code);
    ASSERT_TRUE(more);
    EXPECT_TRUE(
        more->startsWith(QStringLiteral("         Working-Storage Section.\r\n\r\n      *")));
    // Only ASCII letters match without regard to case (U+017F folds to 's' elsewhere).
    EXPECT_FALSE(
        InsertAfterWorkingStorage(QStringLiteral("       WORKING-\u017FTORAGE SECTION.\n"), Code));
}

TEST(InsertAfterWorkingStorage, FirstOfTwoHeadersWinsAndAppendingTwiceInsertsTwice)
{
    const QString source = QStringLiteral("       WORKING-STORAGE SECTION.\n       01 A PIC X.\n"
                                          "       WORKING-STORAGE SECTION.\n");
    const auto once = InsertAfterWorkingStorage(source, QStringLiteral("\r\nCODE"));
    ASSERT_TRUE(once);
    EXPECT_EQ(*once,
              QStringLiteral("       WORKING-STORAGE SECTION.\n\nCODE\n\n       01 A PIC X.\n"
                             "       WORKING-STORAGE SECTION.\n"));
    const auto twice = InsertAfterWorkingStorage(*once, QStringLiteral("\r\nCODE"));
    ASSERT_TRUE(twice);
    EXPECT_EQ(twice->count(QStringLiteral("CODE")), 2);
    EXPECT_TRUE(
        twice->startsWith(QStringLiteral("       WORKING-STORAGE SECTION.\n\nCODE\n\n\nCODE\n\n")));
}

TEST(InsertAfterWorkingStorage, HeaderOnTheLastLineWithoutLineEnd)
{
    const auto out =
        InsertAfterWorkingStorage(QStringLiteral("       WORKING-STORAGE SECTION."), Code);
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, QStringLiteral("       WORKING-STORAGE SECTION.\r\n") + Code + "\r\n");
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
