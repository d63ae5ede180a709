#pragma once

// The texts the generator panels show: the status line, the position dialog and the
// clause-length warning. QtCore only.

#include <QString>

namespace orvane
{

// "Fields 1 To 10" for a node's position tag.
QString FieldsStatusText(const QString &tag);

// The position dialog's texts, and the tag its answer stores: the trimmed answer, or a null
// string when it is blank (the tag stays).
QString PositionDialogTitle();
QString PositionDialogPrompt();
QString PositionDialogTag(const QString &answer);

// The warning shown when the clause text passes the most a field may hold (MaxClauseLength).
QString ClauseTooLongText();

} // namespace orvane
