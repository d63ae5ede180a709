#include "Positions.h"

#include "FieldClause.h"
#include "NumberText.h"

#include <vector>

namespace orvane
{

namespace
{
const QString kNoTag = QStringLiteral("0:0");

QString tagText(double from, double to)
{
    return numberText(from) + u':' + numberText(to);
}
} // namespace

double clauseOccurs(QStringView clauseText)
{
    // Words split at blanks and the clause mark; a quoted literal is one word to skip.
    std::vector<QStringView> words;
    qsizetype i = 0;
    const qsizetype n = clauseText.size();
    while (i < n) {
        const QChar c = clauseText[i];
        if (c == u' ' || c == ClauseMark || c == u'.' || c == u',') {
            ++i;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            const qsizetype close = clauseText.indexOf(c, i + 1);
            i = close < 0 ? n : close + 1;
            continue;
        }
        qsizetype end = i;
        while (end < n && clauseText[end] != u' ' && clauseText[end] != ClauseMark &&
               clauseText[end] != u'"' && clauseText[end] != u'\'' &&
               !(clauseText[end] == u'.' && (end + 1 == n || clauseText[end + 1] == u' ')))
            ++end;
        words.push_back(clauseText.mid(i, end - i));
        i = end;
    }
    for (size_t w = 0; w + 1 < words.size(); ++w) {
        if (words[w].compare(u"OCCURS", Qt::CaseInsensitive) != 0)
            continue;
        double count = readNumber(words[w + 1]);
        if (w + 3 < words.size() && words[w + 2].compare(u"TO", Qt::CaseInsensitive) == 0)
            count = readNumber(words[w + 3]);
        return count >= 1 ? count : 1;
    }
    return 1;
}

double tagReachEnd(QStringView tag, QStringView clauseText)
{
    const double from = readNumber(TagFrom(tag));
    const double to = readNumber(TagTo(tag));
    const double times = clauseOccurs(clauseText);
    if (times <= 1 || to < from)
        return to;
    return from + times * (to - from + 1) - 1;
}

QString TagFrom(QStringView tag)
{
    const qsizetype colon = tag.indexOf(u':');
    return colon < 0 ? QString() : tag.left(colon).toString();
}

QString TagTo(QStringView tag)
{
    const qsizetype colon = tag.indexOf(u':');
    return colon < 0 ? tag.toString() : tag.mid(colon + 1).toString();
}

QString PreviousTag(const FieldTree &tree, int index)
{
    const int prev = tree.previous(index);
    return prev ? tree.tag(prev) : kNoTag;
}

QString ParentTag(const FieldTree &tree, int index)
{
    const int parent = tree.parent(index);
    return parent ? tree.tag(parent) : kNoTag;
}

bool HasParent(const FieldTree &tree, int index)
{
    return tree.parent(index) != 0;
}

QString NewFieldTag(const FieldTree &tree, int index, const NewFieldPositions &in)
{
    if (in.byPositions)
        return tagText(readNumber(in.fromText), readNumber(in.toText));
    // A condition name holds no storage: it stands for the positions of the field it
    // belongs to and must not move the fields after it.
    const bool condition = clauseLevel(tree.text(index)) == 88;
    if (condition && HasParent(tree, index))
        return ParentTag(tree, index);
    const double length = condition ? 0 : readNumber(in.lengthText);
    if (!HasParent(tree, index)) {
        const double p = readNumber(TagTo(PreviousTag(tree, index)));
        return tagText(p + 1, p + length);
    }
    if (tree.firstSibling(index) == index) {
        const double f = readNumber(TagFrom(ParentTag(tree, index)));
        return tagText(f, f + length);
    }
    const double p = readNumber(TagTo(PreviousTag(tree, index)));
    return tagText(p, p + length);
}

void UpdateParentSpans(FieldTree &tree, int index)
{
    while (int parent = tree.parent(index)) {
        tree.setTag(parent, TagFrom(tree.tag(tree.firstSibling(index))) + u':' +
                                TagTo(tree.tag(tree.lastSibling(index))));
        index = parent;
    }
}

QString NextFromPosition(QStringView fromText, QStringView toText)
{
    const double to = readNumber(toText);
    if (readNumber(fromText) < to)
        return numberText(to + 1);
    return {};
}

} // namespace orvane
