#pragma once

// The keys of the key-kind box of an array (ascending or descending key), decided without a
// window. QtCore only.

#include <Qt>

namespace orvane
{

// The box changes only by its own keys: A and D choose a kind, Escape goes back to none. Any
// other typing is swallowed and drops the key phrase, which shows with the next change.
enum class OccursKeyAction {
    PassOn,             // the box's own handling: focus keys, opening the list, shortcuts
    Ascending,          // "AKey"
    Descending,         // "DKey"
    Reset,              // back to "Key"
    MovePrevious,       // the previous entry box
    MoveNext,           // the next entry box
    LeaveAndDropPhrase, // the previous entry box, and the phrase is dropped
    DropPhrase,         // swallowed; the phrase is dropped while the text stays
};

// `typesText` tells whether the key produces text (a letter, a digit, a blank...).
OccursKeyAction OccursKeyActionFor(int key, Qt::KeyboardModifiers modifiers, bool typesText);

} // namespace orvane
