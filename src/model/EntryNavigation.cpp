#include "EntryNavigation.h"

namespace orvane
{

EntryControl NextEntryControl(EntryControl from, const EntryMoveState &state)
{
    switch (from) {
    case EntryControl::Level:
        return EntryControl::Name;
    case EntryControl::Name:
        return EntryControl::FieldType;
    case EntryControl::FieldType:
        return state.byPositions ? EntryControl::FromPos : EntryControl::Length;
    case EntryControl::Length:
        return EntryControl::Occurs;
    case EntryControl::FromPos:
        return EntryControl::ToPos;
    case EntryControl::ToPos:
        return EntryControl::Occurs;
    case EntryControl::Occurs:
        return state.occursCount > 0 ? EntryControl::OccursKey : EntryControl::FieldValue;
    case EntryControl::OccursKey:
        return EntryControl::KeyDataName;
    case EntryControl::KeyDataName:
        return EntryControl::IndexName;
    case EntryControl::IndexName:
        return EntryControl::FieldValue;
    case EntryControl::FieldValue:
        return EntryControl::Add;
    default:
        return EntryControl::Stay;
    }
}

EntryControl PreviousEntryControl(EntryControl from, const EntryMoveState &state)
{
    switch (from) {
    case EntryControl::Name:
        return EntryControl::Level;
    case EntryControl::FieldType:
        return EntryControl::Name;
    case EntryControl::Length:
    case EntryControl::FromPos:
        return EntryControl::FieldType;
    case EntryControl::ToPos:
        return EntryControl::FromPos;
    case EntryControl::Occurs:
        return state.byPositions ? EntryControl::ToPos : EntryControl::Length;
    case EntryControl::OccursKey:
        return EntryControl::Occurs;
    case EntryControl::KeyDataName:
        return EntryControl::OccursKey;
    case EntryControl::IndexName:
        return EntryControl::KeyDataName;
    case EntryControl::FieldValue:
        return state.indexNameVisible ? EntryControl::IndexName : EntryControl::Occurs;
    default:
        return EntryControl::Stay; // the level box is the first control
    }
}

EntryKeyAction EntryKeyActionFor(EntryKey key, int cursorPosition, int selectionStart,
                                 int selectionLength, int textLength)
{
    const bool selected = selectionStart >= 0 && selectionLength > 0;
    const int start = selected ? selectionStart : cursorPosition;
    if (key == EntryKey::Right)
        return start >= textLength ? EntryKeyAction::MoveNext : EntryKeyAction::None;
    if (start > 0)
        return EntryKeyAction::None;
    return selected ? EntryKeyAction::CollapseSelection : EntryKeyAction::MovePrevious;
}

} // namespace orvane
