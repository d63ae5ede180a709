#pragma once

// Fields of an edited record found by name and shown as text: what the command line and the
// data window share when a person sets a field. QtCore only.

#include "LayoutChoices.h"
#include "RecordEdits.h"

#include <QStringList>

namespace orvane::cobol
{

// The column named NAME, or NAME(i) / NAME(i,j) for a table entry (any case, blanks ignored);
// -1 when there is none.
int FindColumn(const RecordLayout &layout, const QString &name);

// The record's values as the viewer shows them: "" for a field the record does not have
// (another variant, past a DEPENDING ON count), <bad HEX> for one that does not decode.
QStringList RecordValues(const RecordEdits &edits, qint64 index, const RecordLayout &layout,
                         const DecodeOptions &options);

// Sets the named field of the record; returns the refusal: no such field, the field is not in
// this record, or the value does not fit.
QString SetNamedField(RecordEdits &edits, qint64 index, const RecordLayout &layout,
                      const DecodeOptions &options, const QString &name, const QString &value);
// The same for the layout's column `column` (two FILLERs share a name, not a column).
QString SetField(RecordEdits &edits, qint64 index, const RecordLayout &layout,
                 const DecodeOptions &options, int column, const QString &value);

// A new record: spaces in text fields, zero in numbers, zero bytes where no field lies. Each
// field is written once, in layout order, so that a REDEFINES variant shown by default wins.
QByteArray BlankRecord(const RecordLayout &layout, const DecodeOptions &options);

// The value a VALUE clause in a field text gives, as it would be typed into the field: a
// literal's text, a number, or SPACE / ZERO and their plurals. False without a clause, or with
// one we do not write (ALL, HIGH-VALUE, a list).
bool ValueOfClause(const QString &fieldText, QString &value);

// A new record as the layout's VALUE clauses fill it; fields without one (or whose value does
// not fit) as BlankRecord leaves them.
QByteArray InitialRecord(const FieldTree &tree, const StorageMap &map, const RecordLayout &layout,
                         const DecodeOptions &options);

// The record Insert puts in: `initial` (InitialRecord's, or BlankRecord's when empty) cut to
// `length` or filled with blanks, and in a variable-length file cut to what its DEPENDING ON
// counts hold.
QByteArray RecordToInsert(QByteArray initial, const RecordLayout &layout,
                          const DecodeOptions &options, qint64 length, bool variable);

// One line per field: its name, its value before and after, and "*" where they differ.
QString BeforeAfterText(const RecordLayout &layout, const QStringList &before,
                        const QStringList &after);

} // namespace orvane::cobol
