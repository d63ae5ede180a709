#pragma once

// What a click on the field tree leads to: which FILLER buttons it offers, and when a drag
// counts as a click. No Qt needed.

namespace orvane
{

// The FILLER buttons of a clicked node.
struct FillerButtons {
    bool forSubitems = false;  // cmdAutoInsertFiller
    bool forSameLevel = false; // autoInsertFillerForSameLevel
    bool operator==(const FillerButtons &) const = default;
};
FillerButtons FillerButtonsFor(int childCount, bool isOwnFirstSibling, bool isOwnLastSibling);

// Whether a drag of a field ended as a plain click on it: dropped nowhere (0) or back onto
// the dragged node itself.
bool DragEndsAsClick(int draggedNode, int droppedOnNode);

} // namespace orvane
