#include "TreeClicks.h"

namespace orvane
{

FillerButtons FillerButtonsFor(int childCount, bool isOwnFirstSibling, bool isOwnLastSibling)
{
    return FillerButtons{childCount > 0, !(isOwnFirstSibling && isOwnLastSibling)};
}

bool DragEndsAsClick(int draggedNode, int droppedOnNode)
{
    return droppedOnNode == 0 || droppedOnNode == draggedNode;
}

} // namespace orvane
