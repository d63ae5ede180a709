#include "EntryWords.h"

#include "UsageWords.h"

#include <QLatin1String>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace orvane::cobol
{

namespace
{

constexpr int kMaxNameLength = 63;

// Keyword lists looked up by binary search, so that no word needs a copy to be found.
class WordList
{
public:
    WordList(std::initializer_list<const char *> words) : words_(words)
    {
        std::sort(words_.begin(), words_.end(),
                  [](const char *a, const char *b) { return QLatin1String(a) < QLatin1String(b); });
    }
    bool contains(QStringView w) const
    {
        return std::binary_search(words_.begin(), words_.end(), w, Less{});
    }

private:
    struct Less {
        bool operator()(const char *a, QStringView b) const
        {
            return QStringView(b).compare(QLatin1String(a)) > 0;
        }
        bool operator()(QStringView a, const char *b) const
        {
            return a.compare(QLatin1String(b)) < 0;
        }
    };
    std::vector<const char *> words_;
};

} // namespace

bool IsClauseWord(QStringView w)
{
    static const WordList words = [] {
        WordList list{"REDEFINES", "RENAMES", "EXTERNAL",     "GLOBAL", "PIC",
                      "PICTURE",   "USAGE",   "OCCURS",       "SIGN",   "LEADING",
                      "TRAILING",  "SYNC",    "SYNCHRONIZED", "JUST",   "JUSTIFIED",
                      "BLANK",     "VALUE",   "VALUES",       "IS",     "CONSTANT"};
        return list;
    }();
    return words.contains(w) || IsUsageWord(w);
}

bool IsFigurative(QStringView w)
{
    static const WordList words{"ZERO",       "ZEROS",       "ZEROES",    "SPACE",      "SPACES",
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
