#include "cobol/CopybookReader.h"
#include "model/Fillers.h"
#include "model/ImportMarks.h"
#include "model/Placement.h"
#include "model/Positions.h"
#include "model/Reshape.h"
#include "model/TreeClipboard.h"
#include "model/TreeHistory.h"
#include "project/ProjectFile.h"

#include <QBuffer>

#include <gtest/gtest.h>

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
    QBuffer saved;
    saved.open(QIODevice::WriteOnly);
    SaveNodes(tree, saved);
    return out + QString::fromLatin1(saved.data().toHex());
}

class Commands
{
public:
    explicit Commands(unsigned seed) : rng_(seed) {}

    int pick(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    int node(const FieldTree &t) { return t.isEmpty() ? 0 : 1 + pick(t.count()); }
    QString clause(int level)
    {
        return QStringLiteral("%1 F%2 PIC X(%3).")
            .arg(level, 2, 10, QChar(u'0'))
            .arg(serial_++)
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
            const int idx = t.add(rel, rel ? Relationship(pick(5)) : Relationship::Last,
                                  clause(5 * (1 + pick(3))));
            t.setTag(idx, tag());
        }
    }

    // One user command, as the window runs it on the core.
    void run(FieldTree &t, FieldTree &temp, FieldTree &clipboard)
    {
        const int sel = node(t);
        switch (pick(16)) {
        case 0: {
            const NewFieldPositions pos{pick(2) == 1, QString::number(1 + pick(20)),
                                        QString::number(21 + pick(20)),
                                        QString::number(1 + pick(8))};
            AddField(t, CurrentNodeIndex(t, sel), clause(1 + 4 * pick(4)),
                     {ConditionAnswer::Child, true}, pos);
            break;
        }
        case 1:
            t.setText(sel, clause(5));
            break;
        case 2:
            t.setTag(sel, tag());
            UpdateParentSpans(t, sel);
            break;
        case 3:
            RemoveNode(t, sel);
            break;
        case 4:
            if (pick(4) == 0)
                RemoveAllNodes(t);
            break;
        case 5:
            MoveNodeUp(t, temp, sel);
            break;
        case 6:
            MoveNodeDown(t, temp, sel);
            break;
        case 7:
            MakeNodeChild(t, temp, sel);
            break;
        case 8:
            MakeNodeParent(t, temp, sel);
            break;
        case 9:
            t.setParent(sel, node(t));
            UpdateParentSpans(t, sel);
            break;
        case 10:
            CutToClipboard(t, sel, clipboard);
            break;
        case 11:
            PasteFromClipboard(t, sel, clipboard, PasteTargetFor(t, sel, clipboard),
                               pick(2) ? Relationship::Previous : Relationship::Next);
            break;
        case 12: {
            FieldTree preview;
            layout(preview, 1 + pick(6));
            for (int i = 1; i <= preview.count(); ++i)
                preview.setChecked(i, pick(3) != 0);
            ImportChecked(preview, t);
            break;
        }
        case 13:
            cobol::ImportEntries(
                t, cobol::ReadDataDescriptions(
                       QStringLiteral("01 CB.\n  05 CB-A PIC X(3).\n  05 CB-B PIC 9(2).\n"),
                       cobol::ReadOptions{cobol::SourceFormat::Free, {}, {}}));
            break;
        case 14:
            InsertFillers(pick(2) ? FillerMode::Children : FillerMode::SameLevel, t, sel,
                          QStringLiteral("SPACES"), QStringLiteral("X"));
            break;
        default:
            t.setChecked(sel, !t.checked(sel));
            break;
        }
    }

private:
    std::mt19937 rng_;
    int serial_ = 0;
};

struct History {
    std::vector<TreeStep> steps;
    std::vector<QString> states; // states[i]: before step i; the last one after all
};

// Runs `n` commands, each one step, noting the state after each.
void record(Commands &c, FieldTree &t, FieldTree &temp, FieldTree &clip, TreeJournal &j, History &h,
            int n)
{
    for (int i = 0; i < n; ++i) {
        c.run(t, temp, clip);
        if (!j.hasChanges())
            continue;
        h.steps.push_back(j.take());
        h.states.push_back(dump(t));
    }
}

} // namespace

TEST(Undo, RandomCommandsUndoneAndRedoneGiveBackEveryStateExactly)
{
    int steps = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        Commands c(seed);
        FieldTree t, temp, clip;
        c.layout(t, c.pick(40));
        TreeJournal journal;
        t.setJournal(&journal);
        History h{{}, {dump(t)}};
        record(c, t, temp, clip, journal, h, 25);
        // Undo half, then a new branch of commands replaces the steps undone.
        const size_t keep = h.steps.size() / 2;
        for (size_t i = h.steps.size(); i > keep; --i)
            h.steps[i - 1].undo(t);
        ASSERT_EQ(dump(t), h.states[keep]);
        h.steps.resize(keep);
        h.states.resize(keep + 1);
        record(c, t, temp, clip, journal, h, 15);
        steps += int(h.steps.size());
        for (size_t i = h.steps.size(); i > 0; --i) {
            h.steps[i - 1].undo(t);
            ASSERT_EQ(dump(t), h.states[i - 1]) << "undo of step " << i;
        }
        for (size_t i = 0; i < h.steps.size(); ++i) {
            h.steps[i].redo(t);
            ASSERT_EQ(dump(t), h.states[i + 1]) << "redo of step " << i + 1;
        }
        EXPECT_FALSE(journal.hasChanges());
        t.setJournal(nullptr);
    }
    EXPECT_GT(steps, 3000);
}

TEST(Undo, ReinsertedNodesTakeBackTheirNumbersAndPlaces)
{
    struct Case {
        std::vector<int> roots;
        int countAfter;
    } const cases[] = {{{2}, 4}, {{2, 6}, 3}, {{6, 2, 3}, 2}, {{4, 2}, 4},
                       {{1}, 1}, {{1, 7}, 0}, {{9, 0}, 7}};
    for (const Case &k : cases) {
        FieldTree t;
        // 1 R(2 A(4 A1, 5 A2), 3 B, 6 C), 7 S; node 6 added last under R, as a drop leaves it.
        t.add(0, Relationship::Last, "R");
        t.add(1, Relationship::Child, "A");
        t.add(1, Relationship::Child, "B");
        t.add(2, Relationship::Child, "A1");
        t.add(2, Relationship::Child, "A2");
        t.add(1, Relationship::Child, "C");
        t.add(0, Relationship::Last, "S");
        const QString before = dump(t);
        DetachedNodes d = t.detach(k.roots);
        EXPECT_EQ(t.count(), k.countAfter);
        t.attach(std::move(d));
        EXPECT_EQ(dump(t), before);
    }
}

TEST(Undo, ADeepLayoutIsTakenOutAndPutBackWithoutRecursion)
{
    FieldTree t;
    for (int i = 0; i < 100000; ++i)
        t.add(i, Relationship::Child, QStringLiteral("05 F."));
    TreeJournal journal;
    t.setJournal(&journal);
    RemoveNode(t, 2);
    TreeStep step = journal.take();
    EXPECT_EQ(t.count(), 1);
    step.undo(t);
    EXPECT_EQ(t.depth(100000), 100000);
    step.redo(t);
    EXPECT_EQ(t.count(), 1);
    t.setJournal(nullptr);
}
