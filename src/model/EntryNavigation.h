#pragma once

// How the arrow keys and Backspace move between the entry panel's boxes. No Qt needed.

namespace orvane
{

// The controls the arrow keys move between, in tab order.
enum class EntryControl {
    Stay,
    Level,
    Name,
    FieldType,
    Length,
    FromPos,
    ToPos,
    Occurs,
    OccursKey,
    KeyDataName,
    IndexName,
    FieldValue,
    Add,
};

struct EntryMoveState {
    bool byPositions = false;      // record size defined by positions
    double occursCount = 0;        // the number in txtFieldOccurs
    bool indexNameVisible = false; // the array controls are shown
};

// Right arrow at the end of a box.
EntryControl NextEntryControl(EntryControl from, const EntryMoveState &state);
// Left arrow or Backspace at the start of a box.
EntryControl PreviousEntryControl(EntryControl from, const EntryMoveState &state);

// What a key does in a text box before the box itself sees it.
enum class EntryKeyAction { None, MoveNext, MovePrevious, CollapseSelection };
enum class EntryKey { Right, Left, Backspace };
// `selectionStart` is -1 without a selection.
EntryKeyAction EntryKeyActionFor(EntryKey key, int cursorPosition, int selectionStart,
                                 int selectionLength, int textLength);

} // namespace orvane
