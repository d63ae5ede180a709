#include "UsageWords.h"

#include <QLatin1String>

#include <algorithm>
#include <cstring>
#include <vector>

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
    // Asked of every word of every entry: a sorted list answers without a scan.
    static const std::vector<const char *> words = [] {
        std::vector<const char *> list;
        for (const Entry &e : kEntries)
            list.push_back(e.word);
        for (const char *w : kUnsupported)
            list.push_back(w);
        std::sort(list.begin(), list.end(),
                  [](const char *x, const char *y) { return std::strcmp(x, y) < 0; });
        return list;
    }();
    struct Less {
        bool operator()(const char *a, QStringView b) const
        {
            return b.compare(QLatin1String(a)) > 0;
        }
        bool operator()(QStringView a, const char *b) const
        {
            return a.compare(QLatin1String(b)) < 0;
        }
    };
    return std::binary_search(words.begin(), words.end(), word, Less{});
}

} // namespace orvane::cobol
