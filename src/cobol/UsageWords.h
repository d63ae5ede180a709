#pragma once

// The words a USAGE clause may hold, classic and of COBOL 2002/2014, and the storage each one
// gives. QtCore only.

#include <QString>

namespace orvane::cobol
{

enum class Usage {
    Display,
    Binary, // COMP, COMPUTATIONAL, COMP-4, BINARY: sized by the dialect
    Comp5,  // native binary
    Packed, // COMP-3, PACKED-DECIMAL
    Float,  // COMP-1
    Double, // COMP-2
    Index,
    Pointer,
    National,
    FloatDecimal, // FLOAT-DECIMAL-16/34: decimal floating point, shown as bytes
};

// What a usage word adds to its usage: a size of its own, or a size by the fewest bytes.
struct UsageDetail {
    const char *word = nullptr; // the 2002/2014 word as maps name it; null for the classic ones
    int bytes = 0;              // fixed by the word; 0 when the picture decides
    bool fewest = false;        // COMP-X, COMP-N: the fewest bytes that hold the picture
    bool isUnsigned = false;    // BINARY-xxx UNSIGNED
    bool takesSign = false;     // BINARY-xxx: SIGNED or UNSIGNED may follow
};

// Looks up an upper-case usage word. A word cobc reserves but does not support gives false and
// cobc's own complaint in `unsupported`.
bool LookupUsage(QStringView word, Usage &usage, UsageDetail &detail, QString &unsupported);

// Whether the word is one of the usage words (for telling clauses from names).
bool IsUsageWord(QStringView word);

// Items whose usage fixes the size take no PICTURE.
inline bool HasUsageSize(Usage usage, const UsageDetail &detail)
{
    return detail.bytes > 0 || usage == Usage::Float || usage == Usage::Double ||
           usage == Usage::Index || usage == Usage::Pointer || usage == Usage::FloatDecimal;
}

} // namespace orvane::cobol
