#pragma once

// Sizes kept in twips, the unit the layouts of the windows were drawn in.

namespace orvane
{

// Pixels for a length in twips at a logical resolution.
int TwipsToPixels(int twips, double logicalDpi);

} // namespace orvane
