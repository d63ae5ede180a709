#pragma once

#include "model/Fillers.h"

namespace orvane
{

class EntryPanel;
class FieldTree;
class FieldTreeView;
class MessageBoxes;

// The two FILLER buttons: check the entry panel, insert the FILLER items into the selected
// field's run and report how many.
class FillerCommands
{
public:
    FillerCommands(EntryPanel &entry, FieldTree &fields, FieldTreeView *trvFields,
                   MessageBoxes &messages)
        : entry_(entry), fields_(fields), trvFields_(trvFields), messages_(messages)
    {
    }

    // True when FILLER items were inserted.
    bool run(FillerMode mode);

private:
    EntryPanel &entry_;
    FieldTree &fields_;
    FieldTreeView *trvFields_;
    MessageBoxes &messages_;
};

} // namespace orvane
