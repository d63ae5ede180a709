#include "EntryWords.h"

#include "KeywordSet.h"
#include "UsageWords.h"

namespace orvane::cobol
{

namespace
{

constexpr int kMaxNameLength = 63;

} // namespace

bool IsClauseWord(QStringView w)
{
    static const KeywordSet words{"REDEFINES", "RENAMES", "EXTERNAL",     "GLOBAL", "PIC",
                                  "PICTURE",   "USAGE",   "OCCURS",       "SIGN",   "LEADING",
                                  "TRAILING",  "SYNC",    "SYNCHRONIZED", "JUST",   "JUSTIFIED",
                                  "BLANK",     "VALUE",   "VALUES",       "IS",     "CONSTANT"};
    return words.contains(w) || IsUsageWord(w);
}

bool IsFigurative(QStringView w)
{
    static const KeywordSet words{"ZERO",       "ZEROS",       "ZEROES",    "SPACE",      "SPACES",
                                  "HIGH-VALUE", "HIGH-VALUES", "LOW-VALUE", "LOW-VALUES", "QUOTE",
                                  "QUOTES",     "NULL",        "NULLS"};
    return words.contains(w);
}

bool IsNumericLiteral(QStringView w)
{
    qsizetype i = 0;
    if (i < w.size() && (w[i] == u'+' || w[i] == u'-'))
        ++i;
    bool digit = false;
    bool point = false;
    for (; i < w.size(); ++i) {
        if (w[i].isDigit() && w[i].unicode() < 128)
            digit = true;
        else if (w[i] == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

bool IsDataName(QStringView w)
{
    if (w.isEmpty() || w.size() > kMaxNameLength || w.front() == u'-' || w.back() == u'-')
        return false;
    bool letter = false;
    for (const QChar c : w) {
        const char16_t u = c.unicode();
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_')
            letter = true;
        else if (!(u >= '0' && u <= '9') && u != '-')
            return false;
    }
    return letter;
}

} // namespace orvane::cobol
