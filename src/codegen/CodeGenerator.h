#pragma once

#include "model/FieldTree.h"

#include <QString>

namespace orvane
{

// Characters of field text allowed on one line in the layout's wrapping decisions.
inline constexpr int CodeLineWidth = 65;
// Fixed-format COBOL ignores everything after this column, so no generated line passes it.
inline constexpr int CodeLastColumn = 72;

// The code for the whole tree, exactly as the Code View shows it: every line preceded by CR LF
// (so the text starts with CR LF and has no final line end), a comment line with '*' in column
// 7 before each top-level record. Empty for an empty tree. The walk is iterative, so any depth
// is fine.
QString GenerateCode(const FieldTree &tree);

// The column of the PIC clauses of the sibling group that starts at firstSibling: the largest
// position (1-based) of the clause marker before PIC among the group's texts, counting only
// texts whose VALUE marker (if any) stands after their PIC marker. 0 when none qualifies.
int FindPicColumn(const FieldTree &tree, int firstSibling);

// The lines of one field, each preceded by CR LF. `width` is the layout's line width (65),
// `picColumn` the group's FindPicColumn. A depth above 10 is reset to 2 and written back, so
// that the caller lays out the following siblings and the children from there.
//
// A line of the layout that would pass column 72 is broken at a blank between words and
// continued a few columns right of the level number (never left of column 12); a quoted literal
// too long for any line continues by the fixed-format rule (it runs to column 72, the next line
// has '-' in column 7 and resumes it with a quote). A single word longer than Area B (61
// characters) cannot be placed anywhere and is the one thing left passing column 72.
QString FormatFieldLines(const FieldTree &tree, int index, int width, int picColumn, int &depth);

} // namespace orvane
