#include "codegen/CodeGenerator.h"

#include "model/FieldClause.h"

#include <algorithm>
#include <climits>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace orvane
{

namespace
{

constexpr QStringView Crlf = u"\r\n";
constexpr QStringView CommentLine = u"\r\n      *";
// Area B starts here; continuation lines never start further left.
constexpr int AreaBColumn = 12;
// How far right of the level number a broken line continues.
constexpr int ContinuationIndent = 4;
// A literal is begun behind the previous word only when this much of it fits there.
constexpr int MinLiteralPiece = 10;

void appendSpaces(QString &s, qsizetype n)
{
    if (n > 0)
        s.resize(s.size() + n, u' ');
}

struct Markers {
    qsizetype pic = 0; // 1-based position of the clause marker before PIC, 0 when absent
    qsizetype value = 0;
};

// Both markers in one pass: only the rare clause-marker character needs a closer look.
Markers findMarkers(QStringView s)
{
    Markers m;
    for (qsizetype at = s.indexOf(ClauseMark); at >= 0; at = s.indexOf(ClauseMark, at + 1)) {
        const QStringView after = s.sliced(at + 1);
        if (m.pic == 0 && after.startsWith(u"PIC"))
            m.pic = at + 1;
        else if (m.value == 0 && after.startsWith(u"VALUE"))
            m.value = at + 1;
        if (m.pic && m.value)
            break;
    }
    return m;
}

// Text before the 1-based position x.
QStringView leftOf(QStringView s, qsizetype x)
{
    return s.first(std::clamp<qsizetype>(x - 1, 0, s.size()));
}

// Text after the 1-based position x.
QStringView rightOf(QStringView s, qsizetype x)
{
    return s.sliced(std::clamp<qsizetype>(x, 0, s.size()));
}

const FieldNode *siblingAt(const FieldTree &tree, const FieldNode *parent, int row)
{
    return parent ? parent->childAt(row) : tree.topLevelNode(row);
}

int picColumnOf(const FieldTree &tree, const FieldNode *parent, int fromRow)
{
    qsizetype column = 0;
    for (int row = fromRow;; ++row) {
        const FieldNode *n = siblingAt(tree, parent, row);
        if (!n)
            break;
        const auto [p, v] = findMarkers(n->text());
        if ((v == 0 || v > p) && p > column)
            column = p;
    }
    return int(std::min<qsizetype>(column, INT_MAX));
}

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

struct Literal {
    qsizetype bodyEnd; // index of the closing quote, or the end of the text when unterminated
    qsizetype end;     // index just past the closing quote
};

// The literal whose opening quote is at `open`; a doubled quote inside it is part of the text.
Literal literalAt(QStringView s, qsizetype open)
{
    const QChar q = s[open];
    qsizetype i = open + 1;
    while (i < s.size()) {
        if (s[i] == q) {
            if (i + 1 < s.size() && s[i + 1] == q) {
                i += 2;
                continue;
            }
            return {i, i + 1};
        }
        ++i;
    }
    return {s.size(), s.size()};
}

qsizetype quoteIn(QStringView word)
{
    return std::find_if(word.begin(), word.end(), isQuote) - word.begin();
}

// End of the word that starts at pos: the next blank that is not inside a quoted literal.
qsizetype wordEnd(QStringView s, qsizetype pos)
{
    while (pos < s.size() && s[pos] != u' ')
        pos = isQuote(s[pos]) ? literalAt(s, pos).end : pos + 1;
    return pos;
}

// Re-flows one line that would pass the last column: words are moved to continuation lines,
// and a literal too long for any line is continued with '-' in column 7.
class LineBreaker
{
public:
    LineBreaker(QString &out, int continuationColumn) : out_(out), cont_(continuationColumn) {}

    void run(QStringView line)
    {
        qsizetype pos = 0;
        while (pos < line.size() && line[pos] == u' ')
            ++pos;
        startLine(int(std::min<qsizetype>(pos + 1, INT_MAX / 2)));
        for (;;) {
            const qsizetype sepStart = pos;
            while (pos < line.size() && line[pos] == u' ')
                ++pos;
            if (pos >= line.size())
                break; // blanks at the end of a broken line are dropped
            const qsizetype sep = pos - sepStart;
            const qsizetype end = wordEnd(line, pos);
            const QStringView word = line.sliced(pos, end - pos);
            pos = end;
            if (hasWord_) {
                if (col_ + sep + word.size() - 1 <= CodeLastColumn) {
                    appendSpaces(out_, sep);
                    col_ += sep;
                    append(word);
                    continue;
                }
                // A literal that needs continuing anyway starts right here when there is
                // room, so that VALUE and its literal stay together.
                const qsizetype quote = quoteIn(word);
                if (word.size() > CodeLastColumn + 1 - AreaBColumn && quote < word.size() &&
                    CodeLastColumn + 1 - (col_ + sep) - (quote + 1) >= MinLiteralPiece) {
                    appendSpaces(out_, sep);
                    col_ += sep;
                    continueLiteral(word, quote);
                    continue;
                }
                startLine(cont_);
            }
            placeFirst(word);
        }
    }

private:
    void startLine(int column)
    {
        out_ += Crlf;
        lineStart_ = out_.size();
        appendSpaces(out_, column - 1);
        col_ = column;
        hasWord_ = false;
    }

    // Moves the start of the current (still empty) line to another column.
    void moveStart(int column)
    {
        out_.truncate(lineStart_);
        appendSpaces(out_, column - 1);
        col_ = column;
    }

    void append(QStringView word)
    {
        out_ += word;
        col_ += word.size();
        hasWord_ = true;
    }

    bool fitsAt(qsizetype column, qsizetype length) const
    {
        return column + length - 1 <= CodeLastColumn;
    }

    void placeFirst(QStringView word)
    {
        const qsizetype len = word.size();
        if (fitsAt(col_, len)) {
            append(word);
            return;
        }
        // Only ever further left, and never into Area A.
        if (cont_ < col_ && fitsAt(cont_, len)) {
            moveStart(cont_);
            append(word);
            return;
        }
        const qsizetype flush = CodeLastColumn + 1 - len;
        if (flush >= AreaBColumn && flush < col_) {
            moveStart(int(flush));
            append(word);
            return;
        }
        if (cont_ < col_)
            moveStart(cont_);
        const qsizetype quote = quoteIn(word);
        if (quote < len)
            continueLiteral(word, quote);
        else
            append(word); // longer than Area B: nothing can be done
    }

    // The word holds a literal at `quote` and fits no line: the literal is cut so that each
    // piece runs to the last column, and every following line resumes it with a quote.
    void continueLiteral(QStringView word, qsizetype quote)
    {
        const QChar q = word[quote];
        const Literal lit = literalAt(word, quote);
        QStringView rest = word.sliced(quote + 1, lit.bodyEnd - quote - 1);
        const QStringView tail = word.sliced(lit.bodyEnd);
        QStringView head = word.first(quote + 1);
        for (;;) {
            if (head.size() == 1 && fitsAt(col_, 1 + rest.size() + tail.size())) {
                append(head);
                append(rest);
                append(tail);
                return;
            }
            const qsizetype room = CodeLastColumn + 1 - col_ - head.size();
            // Cut between characters, never inside a doubled quote, and leave some for the
            // next line so that it has something to resume.
            qsizetype cut = 0;
            for (qsizetype i = 0; i < rest.size();) {
                const qsizetype next = i + (rest[i] == q && i + 1 < rest.size() ? 2 : 1);
                if (next > room || next >= rest.size())
                    break;
                cut = next;
                i = next;
            }
            if (cut == 0) {
                append(head);
                append(rest);
                append(tail);
                return;
            }
            appendSpaces(out_, room - cut);
            col_ += room - cut;
            append(head);
            append(rest.first(cut));
            rest = rest.sliced(cut);
            out_ += Crlf;
            lineStart_ = out_.size();
            out_ += u"      -";
            appendSpaces(out_, cont_ - 8);
            col_ = cont_;
            hasWord_ = false;
            head = QStringView(&q, 1);
        }
    }

    QString &out_;
    const int cont_;
    qsizetype lineStart_ = 0;
    qsizetype col_ = 1;
    bool hasWord_ = false;
};

// Appends one line behind its CR LF: as it is when it ends by the last column, else broken.
void emitLine(QString &out, int prefix, QStringView content, int continuationColumn)
{
    if (prefix + content.size() <= CodeLastColumn) {
        out += Crlf;
        appendSpaces(out, prefix);
        out += content;
        return;
    }
    QString line;
    line.reserve(prefix + content.size());
    appendSpaces(line, prefix);
    line += content;
    LineBreaker(out, continuationColumn).run(line);
}

// The lines of one field, appended to `out`. `s` is scratch space kept across calls.
void formatNode(QStringView text, int width, int picColumn, int &depth, QString &s, QString &out)
{
    const QStringView t = trimBlanksView(text);
    const auto [p, v] = findMarkers(t);
    QStringView name;
    QStringView picture;
    QStringView value;
    bool valueFirst = false;
    if (p > 0 && v == 0) {
        name = trimBlanksView(leftOf(t, p));
        picture = trimBlanksView(rightOf(t, p));
    } else if (p == 0 && v > 0) {
        name = trimBlanksView(leftOf(t, v));
        value = trimBlanksView(rightOf(t, v));
    } else if (p > 0 && v > p) {
        value = trimBlanksView(rightOf(t, v));
        const QStringView front = trimBlanksView(leftOf(t, v));
        name = trimBlanksView(leftOf(front, p));
        picture = trimBlanksView(rightOf(front, p));
    } else if (v > 0 && p > v) {
        picture = trimBlanksView(rightOf(t, p));
        const QStringView front = trimBlanksView(leftOf(t, p));
        value = trimBlanksView(rightOf(front, v));
        name = trimBlanksView(leftOf(front, v));
        valueFirst = true;
    } else {
        name = t;
    }

    // Deep trees start over at depth 2; the caller continues from the reset depth.
    if (depth > 10)
        depth = 2;
    const int d = depth;
    const qsizetype indent = name.size() + d < width ? std::max(d, 0) : 0;
    const qsizetype nameLen = name.size() + indent;

    s.resize(0); // keeps the buffer, unlike clear()
    appendSpaces(s, indent);
    s += name;
    if (valueFirst) {
        if (nameLen + value.size() + 1 > width) {
            s += Crlf;
            s += value;
            s += value.size() + picture.size() + 1 > width ? Crlf : u" ";
        } else {
            s += u' ';
            s += value;
            s += nameLen + 1 + value.size() + picture.size() + 1 > width ? Crlf : u" ";
        }
        s += picture;
    } else if (nameLen + picture.size() + 1 > width) {
        s += Crlf;
        qsizetype picIndent = 0;
        if (picture.size() + picColumn + d > width) {
            if (picture.size() + d < width)
                picIndent = d;
        } else {
            picIndent = qsizetype(picColumn) + d;
        }
        picIndent = std::max<qsizetype>(picIndent, 0);
        appendSpaces(s, picIndent);
        s += picture;
        s += value.size() + picIndent + picture.size() + 1 > width ? Crlf : u" ";
        s += value;
    } else {
        qsizetype gap = qsizetype(picColumn) - name.size() - 1;
        if (gap < 0)
            gap = 1;
        if (picture.size() + nameLen + gap > width) {
            if (picture.size() + nameLen + gap + d > width)
                gap = width - nameLen - picture.size() - d;
            if (gap < 1)
                s += Crlf;
            else
                appendSpaces(s, gap);
            s += picture;
        } else if (!picture.isEmpty()) {
            appendSpaces(s, gap);
            s += picture;
        }
        if (!value.isEmpty()) {
            s += s.size() + value.size() + 1 > width ? Crlf : u" ";
            s += value;
        }
    }

    // Every line of the field gets the same prefix; depth 1 one blank more.
    const int prefix = std::max(d + 5 + (d == 1 ? 1 : 0), 0);
    const int levelColumn = prefix + int(indent) + 1;
    const int continuation = std::max(AreaBColumn, levelColumn + ContinuationIndent);
    const QStringView all(s);
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = all.indexOf(Crlf, from);
        if (at < 0) {
            emitLine(out, prefix, all.sliced(from), continuation);
            break;
        }
        emitLine(out, prefix, all.sliced(from, at - from), continuation);
        from = at + 2;
    }
}

} // namespace

int FindPicColumn(const FieldTree &tree, int firstSibling)
{
    const FieldNode *n = tree.node(firstSibling);
    return n ? picColumnOf(tree, n->parentNode(), n->row()) : 0;
}

QString FormatFieldLines(const FieldTree &tree, int index, int width, int picColumn, int &depth)
{
    QString out;
    const FieldNode *n = tree.node(index);
    if (!n)
        return out;
    QString scratch;
    formatNode(n->text(), width, picColumn, depth, scratch, out);
    return out;
}

namespace
{
// The code of a large layout needs a buffer of many megabytes, which the allocator takes fresh
// from the system on every run; paging it in 4 KiB at a time costs more than generating the
// text on virtual machines. Asking for huge pages makes that ~20x cheaper. Only advice: where
// it is refused nothing changes.
void adviseHugePages([[maybe_unused]] QString &buffer)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr quintptr huge = quintptr(2) << 20;
    const auto begin = reinterpret_cast<quintptr>(buffer.data());
    const quintptr end = begin + quintptr(buffer.capacity()) * sizeof(QChar);
    const quintptr first = (begin + huge - 1) & ~(huge - 1);
    const quintptr last = end & ~(huge - 1);
    if (last > first)
        madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE);
#endif
}
} // namespace

QString GenerateCode(const FieldTree &tree)
{
    QString out;
    const FieldNode *first = tree.node(GetFirstNode(tree));
    if (!first)
        return out;

    qsizetype estimate = qsizetype(tree.topLevelCount()) * CommentLine.size();
    for (int i = 1; i <= tree.count(); ++i)
        estimate += tree.node(i)->text().size() + 24;
    out.reserve(estimate);
    adviseHugePages(out);

    // One frame per open sibling group: a pre-order walk without recursion, since a layout may
    // nest a hundred thousand levels. Each group has its own depth, which a reset changes for
    // the rest of the group and its subtrees.
    struct Group {
        const FieldNode *parent;
        int row;
        int depth;
        int picColumn;
    };
    std::vector<Group> stack;
    stack.push_back({first->parentNode(), first->row(), 1,
                     picColumnOf(tree, first->parentNode(), first->row())});
    QString scratch;
    while (!stack.empty()) {
        Group &g = stack.back();
        const FieldNode *n = siblingAt(tree, g.parent, g.row);
        if (!n) {
            stack.pop_back();
            continue;
        }
        ++g.row;
        if (g.depth == 1)
            out += CommentLine;
        formatNode(n->text(), CodeLineWidth, g.picColumn, g.depth, scratch, out);
        if (n->childCount() > 0) {
            const int childDepth = g.depth + 1; // g dies with the push below
            stack.push_back({n, 0, childDepth, picColumnOf(tree, n, 0)});
        }
    }
    return out;
}

} // namespace orvane
