#pragma once

#include "FieldTree.h"
#include "TreeEdit.h"

#include <QString>

namespace orvane
{

// Which sibling run the FILLER items go into.
enum class FillerMode {
    SameLevel, // the selected field and its siblings
    Children,  // the children of the selected field
};

// What the entry panel says about the FILLER items to make.
struct FillerEntry {
    bool multipleValues = false; // chkvalues
    QString fieldType;           // cboFieldType
    bool treatAsString = false;  // chkTreatAsString
    QString value;               // cboFieldValue
};

enum class FillerCheck {
    Ok,
    MultipleValues, // "Make sure the checkbox for multiple values is not selected"
    NoPicture,      // "Make sure picture for field type specified"
    AskNoValue,     // the fillers would get no initial value: ask first
};
FillerCheck CheckFillerEntry(const FillerEntry &entry);

// The picture letter of a picture kind ("AlphaNum (X)" gives X), or the typed text itself.
QString FillerPicture(const QString &fieldType);
// The initial value: quoted exactly as typed for a string, otherwise trimmed; empty when the
// entry gives none (the user agreed to fillers without one).
QString FillerValue(const FillerEntry &entry);
// "05 FILLER ¤PIC X(3) VALUE SPACES." in upper case; no VALUE clause for an empty value.
QString FillerText(const QString &levelText, const QString &picture, double length,
                   const QString &value);
// The notice shown before the insertion.
QString FillerNoticeText(FillerMode mode);

// The parent of the run the mode works on (0: the top level), or -1 when there is no run:
// no selected node, or Children on a node without children.
int FillerRunParent(const FieldTree &tree, FillerMode mode, int selected);

struct FillerResult {
    int count = 0;
    InsertedRange inserted;
    QString message; // "N Fillers inserted" or "No Fillers inserted"
};

// Fills the holes of the run with FILLER items. Condition names (level 88) hold no storage:
// holes are measured between the fields that do, and a FILLER goes behind the condition
// names of the field before it. A field with OCCURS n reaches over n times its tag's span.
// The hole before the run is measured from the parent's From
// (position 1 at the top level). Nothing else in the tree changes; overlaps are left alone.
FillerResult InsertFillers(FillerMode mode, FieldTree &tree, int selected, const QString &value,
                           const QString &picture);

} // namespace orvane
