#pragma once

#include "FieldTree.h"

#include <QString>

namespace orvane
{

// Position tags are "from:to". Readers accept any text: From is what stands before the first
// colon (empty without a colon), To what stands after it (the whole tag without a colon).
QString TagFrom(QStringView tag);
QString TagTo(QStringView tag);
// The tag of the previous sibling / the parent; "0:0" when there is none.
QString PreviousTag(const FieldTree &tree, int index);
QString ParentTag(const FieldTree &tree, int index);
bool HasParent(const FieldTree &tree, int index);

// What decides the tag of a field that has just been added.
struct NewFieldPositions {
    bool byPositions = false; // record size defined by first and last position
    QString fromText;         // txtFieldFromPos
    QString toText;           // txtFieldToPos
    QString lengthText;       // txtFieldLength
};

// The tag for the node just added at `index`: by positions the two boxes; by length it
// follows the previous sibling or, for a first child, the parent. A condition name (level 88)
// by length takes its parent's tag, or a zero length at the top level.
QString NewFieldTag(const FieldTree &tree, int index, const NewFieldPositions &in);

// Recomputes every ancestor's tag from the From of its first child to the To of its last
// child, copying the parts as text.
void UpdateParentSpans(FieldTree &tree, int index);

// How often a field's storage repeats: n for OCCURS n (and for OCCURS m TO n), 1 without
// OCCURS. Words inside literals do not count.
double clauseOccurs(QStringView clauseText);
// The last position a field's storage reaches. A tag spans one occurrence, so a field with
// OCCURS n reaches over n times that span; otherwise this is the tag's To.
double tagReachEnd(QStringView tag, QStringView clauseText);

// After adding by positions: the From box moves behind the field just added when From < To;
// returns the new From text, or a null string when it stays as it is.
QString NextFromPosition(QStringView fromText, QStringView toText);

} // namespace orvane
