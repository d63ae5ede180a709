#include "cobol/CopybookReader.h"
#include "model/Fillers.h"
#include "model/ImportMarks.h"
#include "model/Placement.h"
#include "model/Positions.h"
#include "model/Reshape.h"
#include "model/TreeClipboard.h"
#include "model/TreeHistory.h"

#include "../common/ProjectRecords.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace orvane;

namespace
{

// Everything a later command or the saved file could tell apart, node by node in index order.
QString dump(const FieldTree &tree)
{
    QString out;
    for (int i = 1; i <= tree.count(); ++i)
        out += QStringLiteral("%1|%2|%3|%4|%5|%6\n")
                   .arg(i)
                   .arg(tree.text(i), tree.tag(i))
                   .arg(tree.parent(i))
                   .arg(tree.node(i)->row())
                   .arg(tree.checked(i));
    return out + QString::fromLatin1(orvane::testing::projectBytes(tree).toHex());
}

struct Random {
    std::mt19937 rng;
    int serial = 0;

    int pick(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng); }
    int node(const FieldTree &t) { return t.isEmpty() ? 0 : 1 + pick(t.count()); }
    QString clause(int level)
    {
        return QStringLiteral("%1 F%2 PIC X(%3).")
            .arg(level, 2, 10, QChar(u'0'))
            .arg(serial++)
            .arg(1 + pick(9));
    }
    QString tag()
    {
        const int from = 1 + pick(50);
        return QStringLiteral("%1:%2").arg(from).arg(from + pick(9));
    }
    void layout(FieldTree &t, int n)
    {
        for (int i = 0; i < n; ++i) {
            const int rel = node(t);
            t.setTag(t.add(rel, rel ? Relationship(pick(5)) : Relationship::Last,
                           clause(5 + 5 * pick(3))),
                     tag());
        }
    }
};

struct Trees {
    FieldTree fields, temp, clipboard;
};
using Command = std::function<void(Random &, Trees &, int selected)>;

// The user's commands as the window runs them on the core.
// clang-format off
const Command kCommands[] = {
    [](Random &r, Trees &t, int s) {
        const NewFieldPositions pos{r.pick(2) == 1, QString::number(1 + r.pick(20)), QString::number(21 + r.pick(20)), QString::number(1 + r.pick(8))};
        AddField(t.fields, CurrentNodeIndex(t.fields, s), r.clause(1 + 4 * r.pick(4)), {ConditionAnswer::Child, true}, pos);
    },
    [](Random &r, Trees &t, int s) { t.fields.setText(s, r.clause(5)); },
    [](Random &r, Trees &t, int s) { t.fields.setTag(s, r.tag()); UpdateParentSpans(t.fields, s); },
    [](Random &, Trees &t, int s) { RemoveNode(t.fields, s); },
    [](Random &r, Trees &t, int) { if (r.pick(4) == 0) RemoveAllNodes(t.fields); },
    [](Random &, Trees &t, int s) { MoveNodeUp(t.fields, t.temp, s); },
    [](Random &, Trees &t, int s) { MoveNodeDown(t.fields, t.temp, s); },
    [](Random &, Trees &t, int s) { MakeNodeChild(t.fields, t.temp, s); },
    [](Random &, Trees &t, int s) { MakeNodeParent(t.fields, t.temp, s); },
    [](Random &r, Trees &t, int s) { t.fields.setParent(s, r.node(t.fields)); UpdateParentSpans(t.fields, s); },
    [](Random &, Trees &t, int s) { CutToClipboard(t.fields, s, t.clipboard); },
    [](Random &r, Trees &t, int s) {
        PasteFromClipboard(t.fields, s, t.clipboard, PasteTargetFor(t.fields, s, t.clipboard), r.pick(2) ? Relationship::Previous : Relationship::Next);
    },
    [](Random &r, Trees &t, int) {
        FieldTree preview;
        r.layout(preview, 1 + r.pick(6));
        for (int i = 1; i <= preview.count(); ++i)
            preview.setChecked(i, r.pick(3) != 0);
        ImportChecked(preview, t.fields);
    },
    [](Random &, Trees &t, int) {
        cobol::ImportEntries(t.fields, cobol::ReadDataDescriptions(QStringLiteral("01 CB.\n 05 CB-A PIC X(3).\n 05 CB-B PIC 9(2).\n"), {cobol::SourceFormat::Free, {}, {}}));
    },
    [](Random &r, Trees &t, int s) { InsertFillers(r.pick(2) ? FillerMode::Children : FillerMode::SameLevel, t.fields, s, QStringLiteral("SPACES"), QStringLiteral("X")); },
    [](Random &, Trees &t, int s) { t.fields.setChecked(s, !t.fields.checked(s)); },
};
// clang-format on

} // namespace

TEST(Undo, RandomCommandsUndoneAndRedoneGiveBackEveryStateExactly)
{
    int steps = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        Random r{std::mt19937(seed)};
        Trees t;
        r.layout(t.fields, r.pick(40));
        TreeJournal journal;
        t.fields.setJournal(&journal);
        std::vector<TreeStep> history;
        std::vector<QString> states{dump(t.fields)}; // states[i]: before step i
        auto run = [&](int commands) {
            for (int i = 0; i < commands; ++i) {
                kCommands[r.pick(std::size(kCommands))](r, t, r.node(t.fields));
                if (journal.hasChanges()) {
                    history.push_back(journal.take());
                    states.push_back(dump(t.fields));
                }
            }
        };
        run(25);
        // Undo half; a new branch of commands replaces the steps undone.
        const size_t keep = history.size() / 2;
        for (size_t i = history.size(); i > keep; --i)
            history[i - 1].undo(t.fields);
        ASSERT_EQ(dump(t.fields), states[keep]);
        history.resize(keep);
        states.resize(keep + 1);
        run(15);
        steps += int(history.size());
        for (size_t i = history.size(); i > 0; --i) {
            history[i - 1].undo(t.fields);
            ASSERT_EQ(dump(t.fields), states[i - 1]) << "undo of step " << i;
        }
        for (size_t i = 0; i < history.size(); ++i) {
            history[i].redo(t.fields);
            ASSERT_EQ(dump(t.fields), states[i + 1]) << "redo of step " << i + 1;
        }
        t.fields.setJournal(nullptr);
    }
    EXPECT_GT(steps, 3000);
}
