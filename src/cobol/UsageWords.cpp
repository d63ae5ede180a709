#include "UsageWords.h"

#include "KeywordSet.h"

#include <QLatin1String>

namespace orvane::cobol
{

namespace
{

struct Entry {
    const char *word;
    Usage usage;
    UsageDetail detail;
};

// The same storage for every dialect cobc knows: only COMP/BINARY sizes differ by dialect.
const Entry kEntries[] = {
    {"DISPLAY", Usage::Display, {}},
    {"COMP", Usage::Binary, {}},
    {"COMPUTATIONAL", Usage::Binary, {}},
    {"COMP-4", Usage::Binary, {}},
    {"COMPUTATIONAL-4", Usage::Binary, {}},
    {"BINARY", Usage::Binary, {}},
    {"COMP-5", Usage::Comp5, {}},
    {"COMPUTATIONAL-5", Usage::Comp5, {}},
    {"COMP-3", Usage::Packed, {}},
    {"COMPUTATIONAL-3", Usage::Packed, {}},
    {"PACKED-DECIMAL", Usage::Packed, {}},
    {"COMP-1", Usage::Float, {}},
    {"COMPUTATIONAL-1", Usage::Float, {}},
    {"COMP-2", Usage::Double, {}},
    {"COMPUTATIONAL-2", Usage::Double, {}},
    {"INDEX", Usage::Index, {}},
    {"POINTER", Usage::Pointer, {}},
    {"NATIONAL", Usage::National, {}},
    {"BINARY-CHAR", Usage::Comp5, {"BINARY-CHAR", 1, false, false, true}},
    {"BINARY-SHORT", Usage::Comp5, {"BINARY-SHORT", 2, false, false, true}},
    {"BINARY-LONG", Usage::Comp5, {"BINARY-LONG", 4, false, false, true}},
    {"BINARY-DOUBLE", Usage::Comp5, {"BINARY-DOUBLE", 8, false, false, true}},
    {"FLOAT-SHORT", Usage::Float, {"FLOAT-SHORT", 4, false, false, false}},
    {"FLOAT-LONG", Usage::Double, {"FLOAT-LONG", 8, false, false, false}},
    {"FLOAT-DECIMAL-16", Usage::FloatDecimal, {"FLOAT-DECIMAL-16", 8, false, false, false}},
    {"FLOAT-DECIMAL-34", Usage::FloatDecimal, {"FLOAT-DECIMAL-34", 16, false, false, false}},
    {"PROGRAM-POINTER", Usage::Pointer, {"PROGRAM-POINTER", 8, false, false, false}},
    {"COMP-X", Usage::Binary, {"COMP-X", 0, true, false, false}},
    {"COMPUTATIONAL-X", Usage::Binary, {"COMP-X", 0, true, false, false}},
    {"COMP-N", Usage::Comp5, {"COMP-N", 0, true, false, false}},
    {"COMPUTATIONAL-N", Usage::Comp5, {"COMP-N", 0, true, false, false}},
};

// Reserved by cobc 3.1.2 in every dialect, and refused by it in a data description.
const char *const kUnsupported[] = {"FLOAT-EXTENDED", "FUNCTION-POINTER"};

} // namespace

bool LookupUsage(QStringView word, Usage &usage, UsageDetail &detail, QString &unsupported)
{
    for (const Entry &e : kEntries) {
        if (word == QLatin1String(e.word)) {
            usage = e.usage;
            detail = e.detail;
            return true;
        }
    }
    for (const char *w : kUnsupported)
        if (word == QLatin1String(w))
            unsupported = QStringLiteral("'%1' is a reserved word, but isn't supported").arg(w);
    return false;
}

bool IsUsageWord(QStringView word)
{
    // Asked of every word of every entry: a set by length answers without a scan.
    static const KeywordSet words = [] {
        KeywordSet set;
        for (const Entry &e : kEntries)
            set.add(e.word);
        for (const char *w : kUnsupported)
            set.add(w);
        return set;
    }();
    return words.contains(word);
}

} // namespace orvane::cobol
