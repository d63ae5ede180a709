#include "CobolHighlightRules.h"

#include "cobol/SourceText.h"

#include <QString>

#include <algorithm>

namespace orvane
{

namespace
{

constexpr int IndicatorColumn = 6; // 0-based: column 7
constexpr int AreaStart = 7;       // 0-based: column 8
constexpr int CodeEnd = 72;        // columns 73 and later are not read

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Separators between words: blanks, and comma or semicolon followed by a blank (or the end).
bool isSeparatorAt(QStringView line, int at, int end)
{
    const QChar c = line[at];
    if (isBlank(c))
        return true;
    if (c == u',' || c == u';')
        return at + 1 >= end || isBlank(line[at + 1]);
    return false;
}

// Letters that may open a literal straight before its quote: X"..." hex, N"..." national,
// Z"..." zero-terminated, B"..." boolean, G"..." DBCS.
bool isLiteralPrefix(QChar c)
{
    switch (c.toUpper().unicode()) {
    case u'X':
    case u'N':
    case u'Z':
    case u'B':
    case u'G':
        return true;
    default:
        return false;
    }
}

// The end of a literal whose opening quote is at `quote`: one past its closing quote, or `end`
// with `open` set when the line ends first. A doubled quote stands for one quote character.
int literalEnd(QStringView line, int from, int end, char16_t quote, bool &open)
{
    int i = from;
    while (i < end) {
        if (line[i] == quote) {
            if (i + 1 < end && line[i + 1] == quote) {
                i += 2;
                continue;
            }
            open = false;
            return i + 1;
        }
        ++i;
    }
    open = true;
    return end;
}

bool isNumber(QStringView word)
{
    int i = 0;
    if (i < word.size() && (word[i] == u'+' || word[i] == u'-'))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < word.size(); ++i) {
        const QChar c = word[i];
        if (c.isDigit() && c.unicode() < 128)
            digits = true;
        else if ((c == u'.' || c == u',') && !point && i + 1 < word.size())
            point = true;
        else
            return false;
    }
    return digits;
}

bool isLevelNumber(QStringView word)
{
    if (word.isEmpty() || word.size() > 2)
        return false;
    for (QChar c : word)
        if (!(c.isDigit() && c.unicode() < 128))
            return false;
    const int level = word.toInt();
    return (level >= 1 && level <= 49) || level == 66 || level == 77 || level == 88;
}

// Sorted, so a word is looked up in place without a copy.
const std::vector<QString> &keywords()
{
    static const std::vector<QString> words = [] {
        // clang-format off
        const char *const list[] = {
            // divisions, sections and the headers of fixed paragraphs
            "IDENTIFICATION", "ID", "ENVIRONMENT", "DATA", "PROCEDURE", "DIVISION", "SECTION",
            "PROGRAM-ID", "AUTHOR", "INSTALLATION", "DATE-WRITTEN", "DATE-COMPILED", "SECURITY",
            "CONFIGURATION", "SOURCE-COMPUTER", "OBJECT-COMPUTER", "SPECIAL-NAMES",
            "INPUT-OUTPUT", "FILE-CONTROL", "I-O-CONTROL", "FILE", "WORKING-STORAGE",
            "LOCAL-STORAGE", "LINKAGE", "SCREEN", "REPORT", "COPY", "REPLACE", "REPLACING",
            "END", "PROGRAM", "FUNCTION-ID", "CLASS-ID", "METHOD-ID", "DECLARATIVES",
            // verbs
            "ACCEPT", "ADD", "ALLOCATE", "ALTER", "CALL", "CANCEL", "CLOSE", "COMPUTE",
            "CONTINUE", "DELETE", "DISPLAY", "DIVIDE", "ELSE", "END-ADD", "END-CALL",
            "END-COMPUTE", "END-DELETE", "END-DIVIDE", "END-EVALUATE", "END-IF",
            "END-MULTIPLY", "END-PERFORM", "END-READ", "END-RETURN", "END-REWRITE",
            "END-SEARCH", "END-START", "END-STRING", "END-SUBTRACT", "END-UNSTRING",
            "END-WRITE", "ENTRY", "EVALUATE", "EXIT", "FREE", "GENERATE", "GO", "GOBACK", "IF",
            "INITIALIZE", "INITIATE", "INSPECT", "INVOKE", "MERGE", "MOVE", "MULTIPLY", "OPEN",
            "PERFORM", "READ", "RELEASE", "RETURN", "REWRITE", "SEARCH", "SET", "SORT", "START",
            "STOP", "STRING", "SUBTRACT", "SUPPRESS", "TERMINATE", "THEN", "UNSTRING", "USE",
            "WHEN", "WRITE", "RUN", "UNTIL", "VARYING", "THRU", "THROUGH", "TIMES", "GIVING",
            "USING", "RETURNING", "INTO", "FROM", "TO", "BY", "AT", "ON", "NOT", "AND", "OR",
            "OTHER", "ALSO", "TRUE", "FALSE", "INPUT", "OUTPUT", "I-O", "EXTEND", "INVALID",
            "KEY", "OVERFLOW", "EXCEPTION", "SIZE", "ERROR", "TALLYING", "CONVERTING",
            "DELIMITED", "POINTER", "CORRESPONDING", "CORR", "ROUNDED", "REMAINDER", "WITH",
            "TEST", "BEFORE", "AFTER", "ADVANCING", "LINE", "LINES", "PAGE", "NEXT",
            "SENTENCE", "OF", "IN", "IS", "ARE", "THAN", "EQUAL", "GREATER", "LESS", "ALL",
            "FOR",
            // data clauses and figurative constants
            "PIC", "PICTURE", "VALUE", "VALUES", "OCCURS", "DEPENDING", "ASCENDING",
            "DESCENDING", "INDEXED", "REDEFINES", "RENAMES", "USAGE", "COMP", "COMP-1",
            "COMP-2", "COMP-3", "COMP-4", "COMP-5", "COMP-X", "COMPUTATIONAL",
            "COMPUTATIONAL-1", "COMPUTATIONAL-2", "COMPUTATIONAL-3", "COMPUTATIONAL-4",
            "COMPUTATIONAL-5", "BINARY", "PACKED-DECIMAL", "INDEX", "POINTER", "SIGN",
            "LEADING", "TRAILING", "SEPARATE", "CHARACTER", "CHARACTERS", "SYNC",
            "SYNCHRONIZED", "JUSTIFIED", "JUST", "RIGHT", "LEFT", "BLANK", "WHEN", "ZERO",
            "ZEROS", "ZEROES", "SPACE", "SPACES", "HIGH-VALUE", "HIGH-VALUES", "LOW-VALUE",
            "LOW-VALUES", "QUOTE", "QUOTES", "NULL", "NULLS", "FILLER", "EXTERNAL", "GLOBAL",
            "FD", "SD", "RD", "SELECT", "ASSIGN", "ORGANIZATION", "SEQUENTIAL", "RELATIVE",
            "ACCESS", "MODE", "DYNAMIC", "RANDOM", "RECORD", "RECORDS", "STATUS", "BLOCK",
            "CONTAINS", "LABEL", "STANDARD", "OMITTED", "VARYING", "ALTERNATE", "DUPLICATES",
            "LINE-SEQUENTIAL", "DECIMAL-POINT", "COMMA", "CURRENCY", "NATIONAL", "BASED",
        };
        // clang-format on
        std::vector<QString> sorted;
        for (const char *word : list)
            sorted.push_back(QString::fromLatin1(word));
        std::sort(sorted.begin(), sorted.end());
        sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
        return sorted;
    }();
    return words;
}

class LineSplitter
{
public:
    LineSplitter(QStringView line, CobolLineState &state) : line_(line), state_(state) {}

    std::vector<CobolSpan> run()
    {
        const int size = int(line_.size());
        add(0, std::min(size, IndicatorColumn), CobolSpanKind::SequenceArea);
        if (size <= IndicatorColumn)
            return spans_;
        end_ = std::min(size, CodeEnd);
        const QChar indicator = line_[IndicatorColumn];
        if (indicator == u'*' || indicator == u'/') {
            // A comment between a literal and its continuation leaves the literal open.
            add(IndicatorColumn, end_ - IndicatorColumn, CobolSpanKind::Comment);
        } else {
            const bool continuation = indicator == u'-';
            if (continuation || indicator == u'D' || indicator == u'd')
                add(IndicatorColumn, 1, CobolSpanKind::Indicator);
            state_.openQuote = 0;
            words(continuation);
        }
        add(CodeEnd, size - CodeEnd, CobolSpanKind::Ignored);
        return spans_;
    }

private:
    void add(int start, int length, CobolSpanKind kind)
    {
        if (length > 0)
            spans_.push_back({start, length, kind});
    }

    // A literal with its opening quote at `quote` (and a prefix letter from `start`).
    int literal(int start, int quote)
    {
        bool open = false;
        const char16_t q = line_[quote].unicode();
        const int stop = literalEnd(line_, quote + 1, end_, q, open);
        add(start, stop - start, CobolSpanKind::Literal);
        if (open)
            state_.openQuote = q;
        return stop;
    }

    void words(bool continuation)
    {
        int i = AreaStart;
        bool first = !continuation;
        bool pictureNext = false;
        while (i < end_) {
            const QChar c = line_[i];
            if (isSeparatorAt(line_, i, end_)) {
                ++i;
                continue;
            }
            if (isQuote(c)) {
                // The continued part of an open literal starts again with its own quote, so
                // it reads as a literal of its own.
                i = literal(i, i);
                first = false;
                pictureNext = false;
                continue;
            }
            if (isLiteralPrefix(c) && i + 1 < end_ && isQuote(line_[i + 1])) {
                i = literal(i, i + 1);
                first = false;
                pictureNext = false;
                continue;
            }
            int stop = i;
            while (stop < end_ && !isSeparatorAt(line_, stop, end_) && !isQuote(line_[stop]))
                ++stop;
            // A period closing the entry or sentence is not part of the word.
            int wordEnd = stop;
            if (line_[wordEnd - 1] == u'.')
                --wordEnd;
            if (wordEnd > i) {
                const QStringView word = line_.sliced(i, wordEnd - i);
                const bool is = (word.compare(u"IS", Qt::CaseInsensitive) == 0);
                if (pictureNext && !is) {
                    add(i, wordEnd - i, CobolSpanKind::Picture);
                    pictureNext = false;
                } else {
                    // PIC IS X(5): the optional IS keeps the picture coming.
                    pictureNext = (pictureNext && is) ||
                                  (word.compare(u"PIC", Qt::CaseInsensitive) == 0) ||
                                  (word.compare(u"PICTURE", Qt::CaseInsensitive) == 0);
                    token(i, word, first);
                }
            }
            first = false;
            i = stop;
        }
    }

    // A word outside a picture: parts between parentheses (subscripts, reference
    // modification, function arguments) are classified on their own.
    void token(int at, QStringView word, bool first)
    {
        if (first && isLevelNumber(word)) {
            add(at, int(word.size()), CobolSpanKind::Level);
            return;
        }
        int i = 0;
        while (i < word.size()) {
            if (word[i] == u'(' || word[i] == u')' || word[i] == u':') {
                ++i;
                continue;
            }
            int j = i;
            while (j < word.size() && word[j] != u'(' && word[j] != u')' && word[j] != u':')
                ++j;
            const QStringView part = word.sliced(i, j - i);
            if (isNumber(part))
                add(at + i, j - i, CobolSpanKind::Number);
            else if (isCobolKeyword(part))
                add(at + i, j - i, CobolSpanKind::Keyword);
            i = j;
        }
    }

    QStringView line_;
    CobolLineState &state_;
    std::vector<CobolSpan> spans_;
    int end_ = 0;
};

} // namespace

bool isCobolKeyword(QStringView word)
{
    cobol::WordBuffer buffer;
    const QStringView upper = cobol::UpperWord(word, buffer);
    if (upper.isEmpty())
        return false;
    const auto &words = keywords();
    const auto found =
        std::lower_bound(words.begin(), words.end(), upper,
                         [](const QString &a, QStringView b) { return QStringView(a) < b; });
    return found != words.end() && QStringView(*found) == upper;
}

std::vector<CobolSpan> cobolLineSpans(QStringView line, CobolLineState &state)
{
    return LineSplitter(line, state).run();
}

} // namespace orvane
