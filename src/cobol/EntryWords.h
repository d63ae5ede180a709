#pragma once

// The words of a data description entry: clause keywords, figurative constants, numeric
// literals and data names. QtCore only.

#include <QStringView>

namespace orvane::cobol
{

// Upper-case words only.
bool IsClauseWord(QStringView w);
bool IsFigurative(QStringView w);

bool IsNumericLiteral(QStringView w);
bool IsDataName(QStringView w);

} // namespace orvane::cobol
