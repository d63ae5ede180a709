#include "editor/FindRules.h"

#include <algorithm>

namespace orvane
{

QStringList updatedFindHistory(const QStringList &history, const QString &findText,
                               const QString &replaceText)
{
    QStringList list = history;
    for (const QString &text : {findText, replaceText})
        if (!text.isEmpty() && !list.contains(text, Qt::CaseSensitive))
            list.append(text);
    list.removeAll(QString());
    std::reverse(list.begin(), list.end());
    return list;
}

FindTarget pickFindTarget(bool generatorVisible, bool importTreeVisible, bool codeViewVisible,
                          bool editorVisible)
{
    if (generatorVisible && !importTreeVisible)
        return FindTarget::FieldTree;
    if (importTreeVisible)
        return FindTarget::ImportTree;
    if (codeViewVisible)
        return FindTarget::CodeView;
    if (editorVisible)
        return FindTarget::Editor;
    return FindTarget::None;
}

QString caretStatusText(qsizetype line, qsizetype column, qsizetype selectionLength)
{
    return QStringLiteral("Line: %1  Col: %2  Sel: %3")
        .arg(line + 1)
        .arg(column + 1)
        .arg(selectionLength);
}

} // namespace orvane
