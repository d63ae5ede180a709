#include "editor/FindRules.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(FindRulesTest, HistoryTurnsRoundWithEverySearch)
{
    struct Step {
        const char *find;
        const char *replace;
        QStringList expected;
    };
    const Step steps[] = {
        {"A", "B", {"B", "A"}},         {"A", "B", {"A", "B"}}, // nothing new: the list only turns
        {"C", "", {"C", "B", "A"}},     {"D", "C", {"D", "A", "B", "C"}},
        {"", "", {"C", "B", "A", "D"}}, {"d", "D", {"d", "D", "A", "B", "C"}}, // exact comparison
    };
    QStringList history;
    for (const Step &s : steps) {
        history = updatedFindHistory(history, QString::fromLatin1(s.find),
                                     QString::fromLatin1(s.replace));
        EXPECT_EQ(history, s.expected) << s.find << " / " << s.replace;
    }
}

TEST(FindRulesTest, TargetFollowsTheVisiblePanel)
{
    struct Case {
        bool generator, importTree, codeView, editor;
        FindTarget expected;
    };
    const Case cases[] = {
        {true, false, false, false, FindTarget::FieldTree},
        {true, true, false, false, FindTarget::ImportTree},
        {false, false, true, false, FindTarget::CodeView},
        {false, false, false, true, FindTarget::Editor},
        {false, false, false, false, FindTarget::None},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pickFindTarget(c.generator, c.importTree, c.codeView, c.editor), c.expected);
}
