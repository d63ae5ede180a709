#include "DataEntry.h"
#include "EntryWords.h"
#include "KeywordSet.h"

#include "model/FieldClause.h"

#include <QVarLengthArray>

#include <algorithm>

namespace orvane::cobol
{

namespace
{

constexpr qint64 kMaxOccurs = 100'000'000;

// The tokens of one clause, from `from` up to, not including, `to`; empty when to == from.
struct Clause {
    size_t from = 0;
    size_t to = 0;
};
using Clauses = QVarLengthArray<Clause, 6>;

// Walks the tokens of one entry and keeps where every clause's words are, for the field text.
class EntryParser
{
public:
    EntryParser(const std::vector<Token> &tokens, size_t begin, size_t end, DataEntry &entry,
                bool keepText, const Constants *constants, PictureStrings *pictures)
        : t_(tokens), begin_(begin), pos_(begin), end_(end), e_(entry), keepText_(keepText),
          constants_(constants), pictures_(pictures)
    {
    }

    QString run(size_t &errorToken)
    {
        const QString message = parse();
        errorToken = std::min(pos_, end_ > 0 ? end_ - 1 : 0);
        if (!message.isEmpty())
            return message;
        if (keepText_)
            buildText();
        return {};
    }

private:
    bool atEnd() const { return pos_ >= end_; }
    // The current word in upper case without a copy; empty for a literal, a period or a word
    // too long to be a keyword.
    QStringView key(WordBuffer &buffer) const
    {
        return !atEnd() && t_[pos_].kind == TokenKind::Word ? UpperWord(t_[pos_].text, buffer)
                                                            : QStringView();
    }
    QString word() const
    {
        return !atEnd() && t_[pos_].kind == TokenKind::Word ? UpperText(t_[pos_].text) : QString();
    }
    // Whether the current token is the keyword `w`, compared without copying the token.
    template <size_t N> bool is(const char (&w)[N]) const
    {
        return !atEnd() && t_[pos_].kind == TokenKind::Word &&
               IsKeyword(t_[pos_].text, QLatin1StringView(w, qsizetype(N - 1)));
    }
    template <size_t N> bool accept(const char (&w)[N])
    {
        if (is(w)) {
            ++pos_;
            return true;
        }
        return false;
    }
    // The picture string in upper case: the shared copy when there are shared pictures, so a
    // picture met before costs no new string.
    QString pictureText(QStringView text) const
    {
        WordBuffer buffer;
        const QStringView upper = UpperWord(text, buffer);
        const bool ascii =
            std::all_of(upper.begin(), upper.end(), [](QChar c) { return c.unicode() < 0x80; });
        return pictures_ && !upper.isEmpty() && ascii ? pictures_->get(upper) : UpperText(text);
    }
    // A further name in a list of keys or indexes.
    bool listedName()
    {
        WordBuffer buffer;
        const QStringView w = key(buffer);
        return !w.isEmpty() && IsDataName(w) && !IsClauseWord(w) && w != u"ASCENDING" &&
               w != u"DESCENDING" && w != u"INDEXED";
    }
    QString found() const
    {
        return atEnd() ? QStringLiteral("the end of the entry")
                       : QStringLiteral("'%1'").arg(t_[pos_].text);
    }
    QString expected(const QString &what) const
    {
        return QStringLiteral("expected %1, found %2").arg(what, found());
    }
    // A clause's tokens, from `from` up to here.
    Clause piece(size_t from) const { return Clause{from, pos_}; }
    // Appends the clause's words, keywords upper case, literals as written.
    void append(QString &text, Clause c) const
    {
        for (size_t i = c.from; i < c.to; ++i) {
            if (i > c.from)
                text += u' ';
            if (t_[i].kind == TokenKind::Literal)
                text += t_[i].text;
            else
                AppendUpper(text, t_[i].text);
        }
    }
    // Keeps a clause's words for the field text.
    void keep(Clauses &clauses, size_t from)
    {
        otherClauses_ = true;
        clauses.push_back(piece(from));
    }
    QString dataName(QString &into)
    {
        const QString w = word();
        if (w.isEmpty() || !IsDataName(w) || IsClauseWord(w))
            return expected(QStringLiteral("a data name"));
        into = w;
        ++pos_;
        return {};
    }
    QString count(qint64 &value)
    {
        if (atEnd() || t_[pos_].kind != TokenKind::Word ||
            !CountValue(t_[pos_].text, constants_, value) || value > kMaxOccurs)
            return expected(QStringLiteral("a whole number"));
        ++pos_;
        return {};
    }

    QString parse();
    QString parseOccurs();
    QString parseValue();
    QString parseUsage(size_t start);
    QString parseConstant(size_t start);
    QString checkConstant();
    void buildText();

    const std::vector<Token> &t_;
    size_t begin_;
    size_t pos_;
    size_t end_;
    DataEntry &e_;
    bool keepText_;
    const Constants *constants_;
    PictureStrings *pictures_;
    bool otherClauses_ = false; // any clause besides PICTURE, OCCURS and VALUE
    QString nameText_;
    Clauses front_; // clauses that stand before the picture (and OCCURS)
    Clause occurs_;
    bool picture_ = false;
    Clauses behind_; // clauses that follow the picture
    Clause value_;
};

QString EntryParser::parse()
{
    if (atEnd() || t_[pos_].kind != TokenKind::Word || !IsLevelWord(t_[pos_].text))
        return expected(QStringLiteral("a level number"));
    const QStringView lw = t_[pos_].text;
    e_.level = 0;
    for (const QChar c : lw) // one or two digits
        e_.level = e_.level * 10 + (c.unicode() - u'0');
    if (!((e_.level >= 1 && e_.level <= 49) || e_.level == 66 || e_.level == 77 || e_.level == 78 ||
          e_.level == 88))
        return QStringLiteral("%1 is not a level number (01 to 49, 66, 77, 78 or 88)").arg(lw);
    e_.constant = e_.level == 78;
    ++pos_;

    WordBuffer buffer;
    const QStringView nk = key(buffer);
    if (!atEnd() && t_[pos_].kind == TokenKind::Word && !IsClauseWord(nk)) {
        QString nw = word();
        if (nw == u"FILLER")
            e_.filler = true;
        else if (!IsDataName(nw))
            return QStringLiteral("'%1' is not a data name").arg(t_[pos_].text);
        if (keepText_) // only the field text needs the name twice
            nameText_ = nw;
        if (!e_.filler) // moved: a layout reads a name for every field
            e_.name = std::move(nw);
        ++pos_;
    }

    while (!atEnd()) {
        const size_t start = pos_;
        if (t_[pos_].kind != TokenKind::Word)
            return QStringLiteral("unexpected literal %1").arg(t_[pos_].text);
        const QStringView w = key(buffer);
        if (accept("REDEFINES")) {
            if (QString m = dataName(e_.redefines); !m.isEmpty())
                return m;
            keep(front_, start);
        } else if (accept("RENAMES")) {
            if (QString m = dataName(e_.renames); !m.isEmpty())
                return m;
            if (accept("THRU") || accept("THROUGH"))
                if (QString m = dataName(e_.renamesThru); !m.isEmpty())
                    return m;
            keep(front_, start);
        } else if (w == u"IS" || w == u"EXTERNAL" || w == u"GLOBAL") {
            accept("IS");
            if (accept("EXTERNAL"))
                e_.external = true;
            else if (accept("GLOBAL"))
                e_.global = true;
            else
                return expected(QStringLiteral("EXTERNAL or GLOBAL"));
            keep(front_, start);
        } else if (accept("PIC") || accept("PICTURE")) {
            if (!e_.picture.isEmpty())
                return QStringLiteral("the entry has two PICTURE clauses");
            accept("IS");
            if (atEnd() || t_[pos_].kind != TokenKind::Word)
                return expected(QStringLiteral("a picture string"));
            e_.picture = pictureText(t_[pos_].text);
            if (QString m = pictures_ ? pictures_->analyze(e_.picture, e_.pictureInfo, constants_)
                                      : AnalyzePicture(e_.picture, e_.pictureInfo, constants_);
                !m.isEmpty())
                return m;
            ++pos_;
            picture_ = true;
        } else if (w == u"USAGE" || IsUsageWord(w)) {
            if (QString m = parseUsage(start); !m.isEmpty())
                return m;
        } else if (w == u"CONSTANT") {
            ++pos_;
            if (QString m = parseConstant(start); !m.isEmpty())
                return m;
        } else if (w == u"OCCURS") {
            if (e_.occursMax > 0)
                return QStringLiteral("the entry has two OCCURS clauses");
            ++pos_;
            if (QString m = parseOccurs(); !m.isEmpty())
                return m;
            occurs_ = piece(start);
        } else if (accept("SIGN") || w == u"LEADING" || w == u"TRAILING") {
            accept("IS");
            if (accept("LEADING"))
                e_.sign = SignPosition::Leading;
            else if (accept("TRAILING"))
                e_.sign = SignPosition::Trailing;
            else
                return expected(QStringLiteral("LEADING or TRAILING"));
            if (accept("SEPARATE")) {
                e_.signSeparate = true;
                accept("CHARACTER");
            }
            keep(behind_, start);
        } else if (accept("SYNC") || accept("SYNCHRONIZED")) {
            e_.sync = true;
            if (!accept("LEFT"))
                accept("RIGHT");
            keep(behind_, start);
        } else if (accept("JUST") || accept("JUSTIFIED")) {
            e_.justified = true;
            accept("RIGHT");
            keep(behind_, start);
        } else if (accept("BLANK")) {
            accept("WHEN");
            if (!accept("ZERO") && !accept("ZEROS") && !accept("ZEROES"))
                return expected(QStringLiteral("ZERO"));
            e_.blankWhenZero = true;
            keep(behind_, start);
        } else if (w == u"VALUE" || w == u"VALUES") {
            if (e_.hasValue)
                return QStringLiteral("the entry has two VALUE clauses");
            ++pos_;
            if (!accept("IS"))
                accept("ARE");
            const size_t valueAt = pos_;
            if (QString m = parseValue(); !m.isEmpty())
                return m;
            if (e_.level == 78)
                e_.constantValue = t_[valueAt].text.toString();
            value_ = piece(start);
        } else {
            return QStringLiteral("'%1' is not a clause of a data description entry")
                .arg(t_[pos_].text);
        }
    }

    // What the entry says must hang together.
    const size_t last = pos_;
    pos_ = begin_; // these errors concern the whole entry
    if (e_.constant)
        return checkConstant();
    if (e_.level == 66) {
        if (e_.renames.isEmpty())
            return QStringLiteral("a level-66 entry needs a RENAMES clause");
        if (e_.name.isEmpty())
            return QStringLiteral("a level-66 entry needs a name");
    } else if (!e_.renames.isEmpty()) {
        return QStringLiteral("only a level-66 entry may have a RENAMES clause");
    }
    if (e_.level == 88) {
        if (e_.name.isEmpty())
            return QStringLiteral("a condition (level 88) needs a name");
        if (!e_.hasValue)
            return QStringLiteral("a condition (level 88) needs a VALUE clause");
        if (!e_.picture.isEmpty() || e_.usageGiven || e_.occursMax > 0 || otherClauses_)
            return QStringLiteral("a condition (level 88) takes only a VALUE clause");
    }
    if (e_.level == 66 && e_.occursMax > 0)
        return QStringLiteral("a level-%1 entry cannot have an OCCURS clause")
            .arg(e_.level, 2, 10, QLatin1Char('0'));
    if (HasUsageSize(e_.usage, e_.usageDetail) && !e_.picture.isEmpty())
        return QStringLiteral("a USAGE that fixes the size (COMP-1, COMP-2, INDEX, POINTER, "
                              "BINARY-LONG, FLOAT-LONG, ...) takes no PICTURE");
    if (!e_.picture.isEmpty() && !e_.usageDetail.fewest &&
        (e_.usage == Usage::Binary || e_.usage == Usage::Comp5 || e_.usage == Usage::Packed)) {
        if (e_.pictureInfo.category != Category::Numeric)
            return QStringLiteral("a binary or packed item needs a numeric picture, not %1")
                .arg(e_.picture);
    }
    pos_ = last;
    return {};
}

QString EntryParser::parseUsage(size_t start)
{
    accept("USAGE");
    accept("IS");
    WordBuffer buffer;
    Usage usage = Usage::Display;
    UsageDetail detail;
    QString unsupported;
    if (!LookupUsage(key(buffer), usage, detail, unsupported))
        return !unsupported.isEmpty()
                   ? unsupported
                   : expected(QStringLiteral("a usage (DISPLAY, COMP, COMP-1 to COMP-5, COMP-X, "
                                             "BINARY, BINARY-LONG, FLOAT-LONG, PACKED-DECIMAL, "
                                             "INDEX, POINTER, ...)"));
    ++pos_;
    if (e_.usageGiven)
        return QStringLiteral("the entry has two USAGE clauses");
    if (detail.takesSign) {
        if (accept("UNSIGNED"))
            detail.isUnsigned = true;
        else
            accept("SIGNED");
    }
    e_.usage = usage;
    e_.usageDetail = detail;
    e_.usageGiven = true;
    keep(behind_, start);
    return {};
}

// 01 NAME CONSTANT [IS GLOBAL] [AS] literal.
QString EntryParser::parseConstant(size_t start)
{
    if (e_.level != 1)
        return QStringLiteral("only a level-01 entry may be a CONSTANT");
    e_.constant = true;
    if (accept("IS"))
        if (!accept("GLOBAL"))
            return expected(QStringLiteral("GLOBAL"));
    if (accept("GLOBAL"))
        e_.global = true;
    accept("AS");
    const size_t valueAt = pos_;
    if (QString m = parseValue(); !m.isEmpty())
        return m;
    e_.constantValue = t_[valueAt].text.toString();
    keep(front_, start);
    return {};
}

QString EntryParser::checkConstant()
{
    if (e_.name.isEmpty())
        return QStringLiteral("a constant needs a name");
    if (!e_.picture.isEmpty() || e_.usageGiven || e_.occursMax > 0 || !e_.redefines.isEmpty() ||
        e_.sign != SignPosition::None || e_.sync || e_.justified || e_.blankWhenZero)
        return QStringLiteral("a constant takes no storage clauses");
    if (e_.level == 78 && !e_.hasValue)
        return QStringLiteral("a level-78 constant needs a VALUE clause");
    return {};
}

QString EntryParser::parseOccurs()
{
    qint64 first = 0;
    if (QString m = count(first); !m.isEmpty())
        return m;
    e_.occursMin = e_.occursMax = first;
    if (accept("TO")) {
        qint64 second = 0;
        if (QString m = count(second); !m.isEmpty())
            return m;
        if (second < first || second < 1)
            return QStringLiteral("OCCURS %1 TO %2: the maximum must be at least the minimum "
                                  "and at least 1")
                .arg(first)
                .arg(second);
        e_.occursMax = second;
    } else if (first < 1) {
        return QStringLiteral("OCCURS needs a count of at least 1");
    }
    accept("TIMES");
    if (accept("DEPENDING")) {
        accept("ON");
        if (QString m = dataName(e_.dependingOn); !m.isEmpty())
            return m;
    }
    // Any number of KEY phrases and INDEXED BY, each with one or more names.
    for (;;) {
        const bool key = accept("ASCENDING") || accept("DESCENDING");
        if (!key && !accept("INDEXED"))
            return {};
        if (key) {
            accept("KEY");
            accept("IS");
        } else {
            accept("BY");
        }
        QString name;
        if (QString m = dataName(name); !m.isEmpty())
            return m;
        while (listedName())
            ++pos_;
    }
}

QString EntryParser::parseValue()
{
    int values = 0;
    bool needValue = true; // after THRU or '&' a value must follow
    WordBuffer buffer;
    while (!atEnd()) {
        const Token &t = t_[pos_];
        const QStringView w = key(buffer);
        if (t.kind == TokenKind::Literal || IsNumericLiteral(t.text) || IsFigurative(w) ||
            (constants_ && !constants_->isEmpty() && t.kind == TokenKind::Word &&
             constants_->contains(UpperText(t.text)))) {
            ++pos_;
        } else if (w == u"ALL") {
            ++pos_;
            if (atEnd() || (t_[pos_].kind != TokenKind::Literal && !IsFigurative(key(buffer))))
                return expected(QStringLiteral("a literal after ALL"));
            ++pos_;
        } else if ((w == u"THRU" || w == u"THROUGH" || w == u"&") && !needValue) {
            ++pos_;
            needValue = true;
            continue;
        } else {
            break;
        }
        ++values;
        needValue = false;
    }
    if (values == 0 || needValue)
        return expected(QStringLiteral("a literal"));
    e_.hasValue = true;
    return {};
}

void EntryParser::buildText()
{
    size_t room = 16 + nameText_.size();
    for (size_t i = begin_; i < end_; ++i)
        room += size_t(t_[i].text.size()) + 1;
    QString &text = e_.fieldText;
    text.clear();
    text.reserve(qsizetype(room));
    text += QChar(u'0' + e_.level / 10); // a sound level has two digits
    text += QChar(u'0' + e_.level % 10);
    if (!nameText_.isEmpty()) {
        text += u' ';
        text += nameText_;
    }
    const auto appendAll = [&](const Clauses &clauses) {
        for (const Clause &c : clauses) {
            text += u' ';
            append(text, c);
        }
    };
    appendAll(front_);
    const bool occurs = occurs_.to > occurs_.from;
    if (occurs) {
        text += u' ';
        append(text, occurs_);
    }
    if (!picture_)
        appendAll(behind_);
    const auto appendPicture = [&] {
        text += ClauseMark;
        text += QLatin1StringView("PIC ");
        text += e_.picture;
        appendAll(behind_);
    };
    const bool value = value_.to > value_.from;
    const auto appendValue = [&] {
        text += ClauseMark;
        append(text, value_);
    };
    // The order the entry panel builds: with OCCURS the value comes before the picture.
    if (occurs) {
        if (value) {
            text += u' ';
            appendValue();
        }
        if (picture_ && !value)
            text += u' ';
        if (picture_)
            appendPicture();
    } else {
        if (picture_) {
            text += u' ';
            appendPicture();
        }
        if (value) {
            text += u' ';
            appendValue();
        }
    }
    text += u'.';
}

} // namespace

bool IsLevelWord(QStringView word)
{
    if (word.isEmpty() || word.size() > 2)
        return false;
    for (const QChar c : word)
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    return true;
}

QString ParseEntry(const std::vector<Token> &tokens, size_t begin, size_t end, DataEntry &entry,
                   size_t &errorToken, const Constants *constants)
{
    EntryParser parser(tokens, begin, end, entry, true, constants, nullptr);
    return parser.run(errorToken);
}

QString ParseFieldText(const QString &fieldText, DataEntry &entry, bool keepText,
                       const Constants *constants, PictureStrings *pictures)
{
    // The clause mark is a blank to the tokenizer. One token list per thread serves every call,
    // so that laying out a large layout does not allocate one per field.
    thread_local TokenizedSource source;
    TokenizeLine(fieldText, source);
    if (!source.ok())
        return source.error;
    size_t end = source.tokens.size();
    while (end > 0 && source.tokens[end - 1].kind == TokenKind::Period)
        --end;
    for (size_t i = 0; i < end; ++i)
        if (source.tokens[i].kind == TokenKind::Period)
            return QStringLiteral("a period inside the entry");
    size_t errorToken = 0;
    return EntryParser(source.tokens, 0, end, entry, keepText, constants, pictures).run(errorToken);
}

} // namespace orvane::cobol
