#pragma once

#include "FieldTree.h"

#include <QString>

namespace orvane
{

// The data name of a clause text: the word after the level number ("CUST-NAME" in
// "05 CUST-NAME \u00A0PIC X(30)."), without a closing period. A text typed in the tree without
// a level starts with its name. Empty when there is none.
QString clauseDataName(QStringView clauseText);
// True for the fields that only fill a gap: their data name is FILLER, in any case.
bool isFillerClause(QStringView clauseText);

// Where a field stands, for messages: its data name, its line in the layout when every field
// is shown (1 for the first), and the names of the groups it belongs to, e.g.
// "CUST-NAME on line 12 of the layout (in CUSTOMER > ADDRESS)".
QString fieldPlaceText(const FieldTree &tree, int index, int line);

} // namespace orvane
