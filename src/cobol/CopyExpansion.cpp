#include "CopyExpansion.h"

namespace orvane::cobol
{

namespace
{

bool isWord(const Token &t, const char *w)
{
    return t.kind == TokenKind::Word && t.text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
}

QString key(const Token &t)
{
    return t.kind == TokenKind::Word ? t.text.toString().toUpper() : t.text.toString();
}

// One operand: pseudo-text, a word or a literal, as the list of its tokens' texts.
QString operand(const std::vector<Token> &tokens, size_t &pos, size_t end, QStringList &texts,
                bool &pseudo)
{
    texts.clear();
    pseudo = false;
    if (pos >= end)
        return QStringLiteral("REPLACING needs an operand before the period");
    const Token &first = tokens[pos];
    if (first.kind == TokenKind::Word && first.text.startsWith(u"==")) {
        // The pseudo-text runs to the token that ends in "==".
        QString text;
        for (;;) {
            if (pos >= end)
                return QStringLiteral("the pseudo-text is not closed with ==");
            const Token &t = tokens[pos++];
            if (!text.isEmpty())
                text += u' ';
            text += t.text;
            const bool closes = t.text.endsWith(u"==") && (&t != &first || t.text.size() >= 4);
            if (closes)
                break;
        }
        pseudo = true;
        const TokenizedSource inner = TokenizeLine(text.mid(2, text.size() - 4));
        if (!inner.ok())
            return inner.error;
        for (const Token &t : inner.tokens)
            texts << (t.kind == TokenKind::Period ? QStringLiteral(".") : t.text.toString());
        return {};
    }
    if (first.kind == TokenKind::Period)
        return QStringLiteral("REPLACING needs an operand, found a period");
    texts << first.text.toString();
    ++pos;
    return {};
}

} // namespace

QString ParseReplacing(const std::vector<Token> &tokens, size_t &pos, size_t end,
                       std::vector<Replacement> &into)
{
    while (pos < end) {
        Replacement r;
        if (isWord(tokens[pos], "LEADING")) {
            r.mode = Replacement::Mode::Leading;
            ++pos;
        } else if (isWord(tokens[pos], "TRAILING")) {
            r.mode = Replacement::Mode::Trailing;
            ++pos;
        }
        bool pseudo = false;
        if (QString m = operand(tokens, pos, end, r.from, pseudo); !m.isEmpty())
            return m;
        if (r.from.isEmpty())
            return QStringLiteral("the text to replace is empty");
        if (r.mode != Replacement::Mode::Whole && r.from.size() != 1)
            return QStringLiteral("LEADING and TRAILING replace part of one word");
        for (QString &f : r.from)
            if (!f.startsWith(u'"') && !f.startsWith(u'\''))
                f = f.toUpper();
        r.inWords = r.mode == Replacement::Mode::Whole && r.from.size() == 1 &&
                    (r.from[0].startsWith(u':') || r.from[0].startsWith(u'('));
        if (pos >= end || !isWord(tokens[pos], "BY"))
            return QStringLiteral("REPLACING: expected BY");
        ++pos;
        if (QString m = operand(tokens, pos, end, r.to, pseudo); !m.isEmpty())
            return m;
        if (r.mode != Replacement::Mode::Whole && r.to.size() > 1)
            return QStringLiteral("LEADING and TRAILING put one word in place of part of one");
        into.push_back(std::move(r));
        if (pos < end && isWord(tokens[pos], "ALSO"))
            ++pos;
    }
    return {};
}

void ApplyReplacing(TokenizedSource &source, size_t from,
                    const std::vector<Replacement> &replacements, bool stopAtReplace)
{
    if (replacements.empty() || from >= source.tokens.size())
        return;
    // Where each token's text goes in the new text; tokens point into it once it is whole.
    struct Piece {
        Token token;
        qsizetype start;
        qsizetype size;
    };
    std::vector<Piece> pieces;
    QString text;
    const auto put = [&](const Token &t, QStringView s) {
        pieces.push_back({t, text.size(), s.size()});
        text += s;
        text += u' ';
    };
    const auto putText = [&](const Token &at, const QString &s) {
        Token t = at;
        t.kind = s == u"."                                   ? TokenKind::Period
                 : s.startsWith(u'"') || s.startsWith(u'\'') ? TokenKind::Literal
                                                             : TokenKind::Word;
        put(t, s);
    };
    const std::vector<Token> &tokens = source.tokens;
    // Only the tokens up to the next REPLACE change; those behind it keep looking into the
    // text they came from, so that many REPLACE statements cost no more than one.
    size_t stop = tokens.size();
    for (size_t i = from; stopAtReplace && i < tokens.size(); ++i) {
        if (isWord(tokens[i], "REPLACE")) {
            stop = i;
            break;
        }
    }
    for (size_t i = from; i < stop;) {
        const Token &t = tokens[i];
        bool done = false;
        for (const Replacement &r : replacements) {
            if (r.mode == Replacement::Mode::Whole && !r.inWords) {
                if (i + size_t(r.from.size()) > stop)
                    continue;
                bool match = true;
                for (qsizetype k = 0; k < r.from.size() && match; ++k)
                    match = key(tokens[i + size_t(k)]) == r.from[k];
                if (!match)
                    continue;
                for (const QString &s : r.to)
                    putText(t, s);
                i += size_t(r.from.size());
                done = true;
                break;
            }
            if (t.kind != TokenKind::Word)
                continue;
            const QString &f = r.from[0];
            const QString to = r.to.isEmpty() ? QString() : r.to[0];
            QString w = t.text.toString();
            QString upper = w.toUpper();
            if (r.inWords && upper.contains(f))
                w = upper.replace(f, to.toUpper());
            else if (r.mode == Replacement::Mode::Leading && upper.startsWith(f) &&
                     upper.size() > f.size())
                w = to + w.mid(f.size());
            else if (r.mode == Replacement::Mode::Trailing && upper.endsWith(f) &&
                     upper.size() > f.size())
                w = w.left(w.size() - f.size()) + to;
            else
                continue;
            putText(t, w);
            ++i;
            done = true;
            break;
        }
        if (!done) {
            put(t, t.text);
            ++i;
        }
    }
    std::vector<Token> result(tokens.begin(), tokens.begin() + qsizetype(from));
    result.reserve(from + pieces.size() + (tokens.size() - stop));
    source.replaced.push_back(std::move(text));
    const QString &kept = source.replaced.back();
    for (Piece &p : pieces) {
        p.token.text = QStringView(kept).mid(p.start, p.size);
        result.push_back(p.token);
    }
    result.insert(result.end(), tokens.begin() + qsizetype(stop), tokens.end());
    source.tokens = std::move(result);
}

} // namespace orvane::cobol
