#pragma once

#include <QString>

namespace orvane
{

// The leading number of a text: blanks skipped, then an optional sign, digits and one decimal
// point, up to the first other character. A text without one reads as 0.
double readNumber(QStringView text);
// Shortest decimal form: whole numbers without point or leading zeros.
QString numberText(double value);

} // namespace orvane
