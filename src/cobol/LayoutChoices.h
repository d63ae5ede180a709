#pragma once

// What the command line and the data window offer for choosing a record's layout: the records
// and REDEFINES variants a storage map has, and "when FIELD = VALUE use VARIANT" rules written
// as FIELD=VALUE:VARIANT. QtCore only.

#include "RecordDecoder.h"

namespace orvane::cobol
{

// FIELD=VALUE:VARIANT; the value may hold neither = nor :. False when the text is not one.
bool ParseVariantRule(const QString &text, VariantRule &rule);
// Several rules, one a line or separated by semicolons; blank ones skipped. False with the
// first that is not a rule in `bad`.
bool ParseVariantRules(const QString &text, std::vector<VariantRule> &rules, QString &bad);
QString VariantRulesText(const std::vector<VariantRule> &rules);

// The records a layout can read a file as: its level-01 (and lower) records, not its 77s.
QStringList RecordNames(const StorageMap &map);
// The items of the record (the first when `record` is empty) that redefine another.
QStringList VariantNames(const StorageMap &map, const QString &record);

} // namespace orvane::cobol
