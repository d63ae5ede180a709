#include "SourceText.h"

#include "model/Cp1252.h"

#include <QStringDecoder>

#include <algorithm>

namespace orvane::cobol
{

namespace
{

constexpr int kTabWidth = 8;    // cobc's tab stops
constexpr int kAreaStart = 7;   // column 8, 0-based
constexpr int kAreaLength = 65; // columns 8 to 72
constexpr int kIndicator = 6;   // column 7, 0-based

// The no-break space counts too: it is the clause mark of field texts.
bool isBlank(QChar c)
{
    return c.unicode() <= u' ' || c.unicode() == 0xA0;
}

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

QString expandTabs(QStringView line)
{
    QString out;
    out.reserve(line.size() + kTabWidth);
    for (const QChar c : line) {
        if (c == u'\t')
            out.append(QString(kTabWidth - out.size() % kTabWidth, u' '));
        else
            out.append(c);
    }
    return out;
}

bool isIndicator(QChar c)
{
    return c == u' ' || c == u'*' || c == u'-' || c == u'/' || c == u'D' || c == u'd' || c == u'$';
}

// The format a ">>SOURCE [FORMAT] [IS] FREE|FIXED" directive names, or Auto for another one.
SourceFormat directiveFormat(QStringView directive)
{
    if (!directive.startsWith(u">>"))
        return SourceFormat::Auto;
    const QString upper = directive.toString().toUpper();
    if (!upper.startsWith(QLatin1String(">>SOURCE")))
        return SourceFormat::Auto;
    if (upper.contains(QLatin1String("FREE")))
        return SourceFormat::Free;
    if (upper.contains(QLatin1String("FIXED")))
        return SourceFormat::Fixed;
    return SourceFormat::Auto;
}

template <typename Visit> void forEachLine(QStringView text, Visit visit)
{
    int number = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QStringView line = text.mid(start, end - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!visit(line, ++number))
            return;
        start = end + 1;
    }
}

// Joins the lines' program text into one string and remembers where each piece came from.
class Joiner
{
public:
    struct Piece {
        qsizetype start;
        int line;
        int column;
    };

    QString text;
    std::vector<Piece> pieces;
    QChar quote;                // the quote of a literal still open at the end of the text
    qsizetype literalStart = 0; // where that literal starts
    QString error;
    qsizetype errorAt = -1;

    void fail(const QString &message, qsizetype at)
    {
        error = message;
        errorAt = at;
    }

    // A line of program text; with `continues` it joins the previous line without a blank.
    // Returns false after an error.
    bool add(QStringView content, int line, int column, bool fixed, bool continues)
    {
        if (!quote.isNull() && !continues) {
            fail(QStringLiteral("the literal is not closed"), literalStart);
            return false;
        }
        if (continues) {
            qsizetype first = 0;
            while (first < content.size() && isBlank(content[first]))
                ++first;
            if (first == content.size())
                return true;
            if (!quote.isNull()) {
                if (!isQuote(content[first])) {
                    pieces.push_back({text.size(), line, column + int(first)});
                    fail(QStringLiteral("a continued literal must go on after a quote"),
                         text.size());
                    return false;
                }
                ++first; // the literal resumes behind this quote
            } else {
                while (!text.isEmpty() && text.back() == u' ')
                    text.chop(1);
            }
            content = content.mid(first);
            column += int(first);
        }
        qsizetype end = content.size();
        for (qsizetype i = 0; i < content.size(); ++i) {
            const QChar c = content[i];
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (isQuote(c)) {
                quote = c;
                literalStart = text.size() + i;
            } else if (c == u'*' && i + 1 < content.size() && content[i + 1] == u'>') {
                end = i;
                break;
            }
        }
        content = content.first(end);
        pieces.push_back({text.size(), line, column});
        if (!quote.isNull()) {
            // An open literal runs to column 72; the next line must continue it.
            text.append(content);
            if (fixed)
                text.append(QString(std::max<qsizetype>(0, kAreaLength - content.size()), u' '));
            return true;
        }
        while (!content.isEmpty() && isBlank(content.back()))
            content.chop(1);
        text.append(content);
        text.append(u' ');
        return true;
    }

    // Line and column of a position in the joined text.
    std::pair<int, int> where(qsizetype at) const
    {
        auto it = std::upper_bound(pieces.begin(), pieces.end(), at,
                                   [](qsizetype a, const Piece &p) { return a < p.start; });
        if (it == pieces.begin())
            return {1, 1};
        --it;
        return {it->line, it->column + int(at - it->start)};
    }
};

bool isLiteralPrefix(QStringView word)
{
    static const char *const prefixes[] = {"X", "N", "NX", "Z", "B", "BX", "G", "H"};
    for (const char *p : prefixes)
        if (word.compare(QLatin1String(p), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The end (exclusive) of the literal whose opening quote is at `at`, or -1 when it never closes.
qsizetype literalEnd(const QString &text, qsizetype at)
{
    const QChar q = text[at];
    for (qsizetype j = at + 1; j < text.size(); ++j) {
        if (text[j] != q)
            continue;
        if (j + 1 < text.size() && text[j + 1] == q) {
            ++j; // a doubled quote stands for one
            continue;
        }
        return j + 1;
    }
    return -1;
}

inline bool endsWord(const QString &text, qsizetype j)
{
    const QChar c = text[j];
    if (c.unicode() > u';' && c.unicode() != 0xA0) // letters and most else: the common case
        return false;
    if (isBlank(c) || isQuote(c))
        return true;
    // A period, comma or semicolon ends a word only when a blank follows.
    return (c == u'.' || c == u',' || c == u';') && (j + 1 == text.size() || isBlank(text[j + 1]));
}

// Splits joined program text into words, literals and periods.
template <typename Where> bool scanTokens(const QString &s, Where where, TokenizedSource &result)
{
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = s[i];
        if (isBlank(c) || ((c == u',' || c == u';') && endsWord(s, i))) {
            ++i;
            continue;
        }
        Token token;
        std::tie(token.line, token.column) = where(i);
        qsizetype end = i + 1;
        if (c == u'.' && endsWord(s, i)) {
            token.kind = TokenKind::Period;
        } else {
            qsizetype j = i;
            while (j < n && !endsWord(s, j))
                ++j;
            qsizetype quoteAt = -1;
            if (j == i)
                quoteAt = i;
            else if (j < n && isQuote(s[j]) && isLiteralPrefix(QStringView(s).mid(i, j - i)))
                quoteAt = j;
            if (quoteAt >= 0) {
                end = literalEnd(s, quoteAt);
                if (end < 0) {
                    result.error = QStringLiteral("the literal is not closed");
                    result.errorLine = token.line;
                    result.errorColumn = token.column;
                    return false;
                }
                token.kind = TokenKind::Literal;
            } else {
                end = j;
            }
        }
        token.text = QStringView(s).mid(i, end - i);
        result.tokens.push_back(std::move(token));
        i = end;
    }
    return true;
}

} // namespace

SourceFormat DetectFormat(QStringView text)
{
    SourceFormat found = SourceFormat::Fixed;
    // Lines no longer than the sequence area fit the fixed format but hold nothing in it; a
    // text of only such lines is free format.
    bool programText = false;
    bool anyText = false;
    forEachLine(text, [&](QStringView raw, int) {
        QString expanded;
        const QStringView line =
            raw.contains(u'\t') ? QStringView(expanded = expandTabs(raw)) : raw;
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty())
            return true;
        const SourceFormat directive = directiveFormat(trimmed);
        if (directive != SourceFormat::Auto) {
            found = directive;
            return false;
        }
        if (line.size() > kIndicator && !isIndicator(line[kIndicator])) {
            found = SourceFormat::Free;
            return false;
        }
        anyText = true;
        programText = programText || line.size() > kIndicator;
        return true;
    });
    if (found == SourceFormat::Fixed && anyText && !programText)
        return SourceFormat::Free;
    return found;
}

TokenizedSource Tokenize(QStringView text, SourceFormat format)
{
    TokenizedSource result;
    if (format == SourceFormat::Auto)
        format = DetectFormat(text);
    Joiner joiner;
    joiner.text.reserve(text.size() + 1); // about as long as the lines it comes from
    joiner.pieces.reserve(size_t(text.count(u'\n')) + 1);
    int errorLine = 0;
    int errorColumn = 0;
    forEachLine(text, [&](QStringView raw, int number) {
        QString expanded;
        const QStringView line =
            raw.contains(u'\t') ? QStringView(expanded = expandTabs(raw)) : raw;
        const bool fixed = format == SourceFormat::Fixed;
        QStringView content = line;
        int column = 1;
        bool continues = false;
        if (fixed) {
            if (line.size() <= kIndicator)
                return true;
            const QChar indicator = line[kIndicator];
            if (indicator == u'*' || indicator == u'/' || indicator == u'D' || indicator == u'd') {
                ++result.commentLines;
                return true;
            }
            if (indicator == u'$')
                return true;
            if (!isIndicator(indicator)) {
                errorLine = number;
                errorColumn = kIndicator + 1;
                result.error = QStringLiteral("'%1' is not an indicator (column 7 holds a blank, "
                                              "'*', '/', '-' or 'D')")
                                   .arg(indicator);
                return false;
            }
            continues = indicator == u'-';
            content = line.mid(kAreaStart, kAreaLength);
            column = kAreaStart + 1;
        }
        const QStringView trimmed = content.trimmed();
        if (!continues && joiner.quote.isNull()) {
            if (trimmed.startsWith(u"*>")) {
                ++result.commentLines;
                return true;
            }
            if (trimmed.startsWith(u">>")) {
                const SourceFormat switched = directiveFormat(trimmed);
                if (switched != SourceFormat::Auto)
                    format = switched;
                return true;
            }
        }
        if (!joiner.add(content, number, column, fixed, continues)) {
            std::tie(errorLine, errorColumn) = joiner.where(joiner.errorAt);
            result.error = joiner.error;
            return false;
        }
        return true;
    });
    if (result.ok() && !joiner.quote.isNull()) {
        std::tie(errorLine, errorColumn) = joiner.where(joiner.literalStart);
        result.error = QStringLiteral("the literal is not closed");
    }
    if (!result.ok()) {
        result.errorLine = errorLine;
        result.errorColumn = errorColumn;
        return result;
    }

    result.text = std::move(joiner.text);
    result.tokens.reserve(size_t(result.text.size() / 6));
    // Tokens come in order, so the piece that holds each one is found by walking on.
    size_t piece = 0;
    const auto where = [&](qsizetype at) {
        const std::vector<Joiner::Piece> &pieces = joiner.pieces;
        if (pieces.empty() || at < pieces.front().start)
            return joiner.where(at);
        while (piece + 1 < pieces.size() && pieces[piece + 1].start <= at)
            ++piece;
        return std::pair<int, int>(pieces[piece].line,
                                   pieces[piece].column + int(at - pieces[piece].start));
    };
    if (!scanTokens(result.text, where, result))
        result.tokens.clear();
    return result;
}

void TokenizeLine(const QString &text, TokenizedSource &into)
{
    into.text.clear();
    into.tokens.clear();
    into.error.clear();
    if (!scanTokens(
            text, [](qsizetype at) { return std::pair<int, int>(1, int(at) + 1); }, into))
        into.tokens.clear();
}

TokenizedSource TokenizeLine(const QString &text)
{
    TokenizedSource result;
    TokenizeLine(text, result);
    result.text = text; // shared, so the tokens still look into the same characters
    return result;
}

QString DecodeSource(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? cp1252::decode(bytes) : text;
}

} // namespace orvane::cobol
