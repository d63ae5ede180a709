#include "Placement.h"

#include "FieldClause.h"

namespace orvane
{

LevelKind classifyLevel(double level)
{
    if ((level > 0 && level < 50) || level == 77)
        return LevelKind::Valid;
    return level == 88 ? LevelKind::Condition : LevelKind::Invalid;
}

int CurrentNodeIndex(const FieldTree &tree, int selected)
{
    return selected >= 1 && tree.contains(selected) ? selected : tree.count();
}

double NodeLevel(const FieldTree &tree, int index)
{
    return tree.contains(index) ? clauseLevel(tree.text(index)) : 0;
}

int ClimbToLevel(const FieldTree &tree, int index, double level)
{
    while (NodeLevel(tree, index) > level) {
        const int parent = tree.parent(index);
        if (!parent)
            break;
        index = parent;
    }
    return index;
}

int PlaceFieldByLevel(FieldTree &tree, int current, const QString &clauseText,
                      const PlacementAnswers &answers)
{
    if (clauseText.isEmpty())
        return 0;
    const double level = clauseLevel(clauseText);
    const int cur = tree.contains(current) ? current : 0;

    switch (classifyLevel(level)) {
    case LevelKind::Condition:
        if (answers.condition == ConditionAnswer::Cancel)
            return 0;
        if (!cur)
            return tree.add(0, Relationship::Last, clauseText);
        return tree.add(cur,
                        answers.condition == ConditionAnswer::Child ? Relationship::Child
                                                                    : Relationship::Next,
                        clauseText);
    case LevelKind::Invalid:
        if (!answers.confirmInvalid)
            return 0;
        break;
    case LevelKind::Valid:
        break;
    }

    if (!cur)
        return tree.add(0, Relationship::Last, clauseText);
    const double currentLevel = NodeLevel(tree, cur);
    if (currentLevel < level)
        return tree.add(cur, Relationship::Child, clauseText);
    if (currentLevel == level) {
        const int parent = tree.parent(cur);
        const int now = parent ? parent : cur;
        return tree.add(now, level > 1 ? Relationship::Child : Relationship::Next, clauseText);
    }
    return tree.add(ClimbToLevel(tree, cur, level), Relationship::Next, clauseText);
}

int AddField(FieldTree &tree, int current, const QString &clauseText,
             const PlacementAnswers &answers, const NewFieldPositions &positions)
{
    const int added = PlaceFieldByLevel(tree, current, clauseText, answers);
    if (added) {
        tree.setTag(added, NewFieldTag(tree, added, positions));
        UpdateParentSpans(tree, added);
    }
    return added;
}

} // namespace orvane
