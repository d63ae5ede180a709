#pragma once

#include "FieldTree.h"
#include "Positions.h"

#include <QString>

namespace orvane
{

// Which question a new level raises before the field is placed.
enum class LevelKind {
    Valid,     // 1..49 and 77
    Condition, // 88: "Add as child?"
    Invalid,   // anything else: "Are you sure you want to continue?"
};
LevelKind classifyLevel(double level);

enum class ConditionAnswer { Child, Sibling, Cancel };

struct PlacementAnswers {
    ConditionAnswer condition = ConditionAnswer::Cancel; // asked for level 88
    bool confirmInvalid = false;                         // asked for an invalid level
};

// Index of the current node: the selected one, or the last added when nothing is selected.
int CurrentNodeIndex(const FieldTree &tree, int selected);
// The number in the first two characters of the node's text; 0 for no node.
double NodeLevel(const FieldTree &tree, int index);
// Climbs from `index` through its ancestors while their level is above `level`.
int ClimbToLevel(const FieldTree &tree, int index, double level);

// Adds a node with `clauseText` where its level puts it, relative to the current node, and
// returns its index; 0 when the preview is empty or the user declined.
int PlaceFieldByLevel(FieldTree &tree, int current, const QString &clauseText,
                      const PlacementAnswers &answers);

// Adds a field as the Add button does: placed by its level, given the tag of a new field, and
// its ancestors' spans recomputed. Returns its index; 0 when nothing was added.
int AddField(FieldTree &tree, int current, const QString &clauseText,
             const PlacementAnswers &answers, const NewFieldPositions &positions);

} // namespace orvane
