#include "editor/TextSearch.h"

#include <gtest/gtest.h>

using namespace orvane;

// Down from the selection's end (start + length), or up from its start.
TEST(TextSearchTest, FindDownAndUp)
{
    const SearchOptions plain{}, whole{false, true}, caseOn{true, false};
    const struct {
        const char *text;
        const char *what;
        bool up;
        qsizetype selStart, selLength;
        SearchOptions options;
        TextMatch expected;
    } cases[] = {
        // Overlapping matches come one after the other.
        {"AAA", "AA", false, 0, 0, plain, {0, 2}},
        {"AAA", "AA", false, 0, 2, plain, {1, 2}},
        {"AAA", "AA", false, 1, 2, plain, {}},
        // "_" and "." bound words; a blank does too.
        {"A_B A", "A", false, 0, 0, whole, {0, 1}},
        {"A_B A", "A", false, 0, 1, whole, {4, 1}},
        // A match inside a longer word is passed over.
        {"ab abc ab", "ab", false, 0, 2, whole, {7, 2}},
        {"9ab", "ab", false, 0, 0, whole, {}},
        {"\u00e9ab", "ab", false, 0, 0, whole, {1, 2}},
        {"ab", "AB", false, 0, 0, plain, {0, 2}},
        {"ab AB", "AB", false, 0, 0, caseOn, {3, 2}},
        {"abc", "", false, 0, 0, plain, {}},
        {"abc", "c", false, 3, 0, plain, {}},
        {"AAA", "AA", true, 0, 0, plain, {}}, // at the very start nothing is above
        {"AAA", "AA", true, 3, 0, plain, {1, 2}},
        {"AAA", "AA", true, 2, 0, plain, {0, 2}},
        {"AAA", "AA", true, 1, 0, plain, {}}, // a match must end before the selection
        {"ab abc ab", "ab", true, 9, 0, whole, {7, 2}},
        {"ab abc ab", "ab", true, 7, 0, whole, {0, 2}},
        {"abc", "abc", true, 99, 0, plain, {0, 3}},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text), what = QString::fromUtf8(c.what);
        EXPECT_EQ(c.up ? findUp(text, what, c.selStart, c.options)
                       : findDown(text, what, c.selStart, c.selLength, c.options),
                  c.expected)
            << c.text << " / " << c.what << " from " << c.selStart << (c.up ? " up" : "");
    }
}

TEST(TextSearchTest, ReplaceAll)
{
    const SearchOptions plain{}, whole{false, true}, caseOn{true, false};
    const struct {
        const char *text;
        const char *what;
        const char *with;
        SearchOptions options;
        int count;
        const char *result;
    } cases[] = {
        {"aaa", "a", "aa", plain, 3, "aaaaaa"},
        {"AAAA", "AA", "B", plain, 2, "BB"},
        {"aA", "a", "b", caseOn, 1, "bA"},
        {"ab abc ab", "ab", "X", whole, 2, "X abc X"},
        // The word test sees the text as replaced so far: behind "!" the next ".x" starts a
        // word, behind "ab" it does not.
        {".x.x", ".x", "!", whole, 2, "!!"},
        {".x.x", ".x", "ab", whole, 1, "ab.x"},
        {"aa", "a", "a-", whole, 0, "aa"},
        {"a a", "a", "", whole, 2, " "},
        {"ba a", "a", "", whole, 1, "ba "},
        {"abc", "", "z", plain, 0, "abc"},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text), what = QString::fromUtf8(c.what),
                      with = QString::fromUtf8(c.with);
        const std::vector<qsizetype> starts = replaceAllMatches(text, what, with, c.options);
        EXPECT_EQ(int(starts.size()), c.count) << c.text << " / " << c.what;
        EXPECT_EQ(applyReplacements(text, starts, what.size(), with), QString::fromUtf8(c.result))
            << c.text << " / " << c.what;
    }
}
