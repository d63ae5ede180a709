#include "FieldNames.h"

#include "FieldClause.h"

#include <QStringList>

namespace orvane
{

namespace
{

bool endsWord(QChar c)
{
    return c == u' ' || c == ClauseMark || c == u'\t';
}

// A name longer than any COBOL data name is cut short in messages.
constexpr int kMaxNameShown = 40;

QString shownName(const QString &name)
{
    return name.size() > kMaxNameShown ? name.left(kMaxNameShown - 3) + QStringLiteral("...")
                                       : name;
}

// Deeper fields name their outermost group, "...", and the three nearest.
constexpr int kMaxGroupsShown = 4;

} // namespace

QString clauseDataName(QStringView clauseText)
{
    qsizetype i = 0;
    const qsizetype n = clauseText.size();
    const auto skipBlanks = [&] {
        while (i < n && endsWord(clauseText[i]))
            ++i;
    };
    const auto word = [&] {
        const qsizetype start = i;
        while (i < n && !endsWord(clauseText[i]))
            ++i;
        return clauseText.mid(start, i - start);
    };
    skipBlanks();
    QStringView name = word();
    if (!name.isEmpty() && name.front().isDigit()) {
        skipBlanks();
        name = word();
    }
    while (name.endsWith(u'.'))
        name.chop(1);
    return name.toString();
}

bool isFillerClause(QStringView clauseText)
{
    return clauseDataName(clauseText).compare(u"FILLER", Qt::CaseInsensitive) == 0;
}

QString fieldPlaceText(const FieldTree &tree, int index, int line)
{
    const QString name = shownName(clauseDataName(tree.text(index)));
    QString text = name.isEmpty() ? QStringLiteral("The field without a name")
                                  : QStringLiteral("Field ") + name;
    text += QStringLiteral(" on line %1 of the layout").arg(line);
    QStringList groups;
    int depth = 0;
    for (int p = tree.parent(index); p; p = tree.parent(p)) {
        // Only the outermost group and the nearest ones are named; a deep chain is cut short.
        if (depth < kMaxGroupsShown - 1 || !tree.parent(p))
            groups.prepend(shownName(clauseDataName(tree.text(p))));
        else if (depth == kMaxGroupsShown - 1)
            groups.prepend(QStringLiteral("..."));
        ++depth;
    }
    if (!groups.isEmpty())
        text += QStringLiteral(" (in ") + groups.join(QStringLiteral(" > ")) + u')';
    return text;
}

} // namespace orvane
