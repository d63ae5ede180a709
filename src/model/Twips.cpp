#include "Twips.h"

#include <QtMath>

namespace orvane
{

int TwipsToPixels(int twips, double logicalDpi)
{
    return qRound(twips * logicalDpi / 1440.0);
}

} // namespace orvane
