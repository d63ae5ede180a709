#pragma once

// Writes a value typed by a person into a field's bytes: the exact inverse of DecodeField, so
// that what the viewer shows can be typed back. The value is checked against the field first
// and refused with a message that names the field and the rule it breaks. QtCore only.

#include "RecordDecoder.h"

#include <QString>

namespace orvane::cobol
{

// Checks `value` against the column and, when it fits, overwrites the column's bytes in
// `record` (which must hold them) and returns an empty string. Otherwise returns the refusal
// ("ACCT-CURR-BAL takes at most 10 digits before the point, 12 given") and leaves the record as
// it was. Bytes outside the column are never touched. A zoned sign byte keeps the convention
// the field already uses (mainframe letters or GnuCOBOL's p-y) where the code page allows both.
QString EncodeField(const Column &column, QStringView value, const DecodeOptions &options,
                    unsigned char *record, qint64 recordLength);

// What a field holds in a new record: spaces for text, zero for a number.
void BlankField(const Column &column, const DecodeOptions &options, unsigned char *record,
                qint64 recordLength);

} // namespace orvane::cobol
