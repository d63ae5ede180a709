#pragma once

#include <QString>
#include <QStringList>

namespace orvane
{

// The find dialog's one history list, shared by both its boxes, after a search with these two
// texts: each text that is not empty and not yet listed joins the end, then the whole list is
// turned round, so a new text comes first and the older ones swap order with every search.
QStringList updatedFindHistory(const QStringList &history, const QString &findText,
                               const QString &replaceText);

enum class FindTarget { None, FieldTree, ImportTree, CodeView, Editor };

// What the find dialog works on, by which panels of the main window are showing: the field
// tree on the generator, unless an import preview covers it; else the code or the editor.
FindTarget pickFindTarget(bool generatorVisible, bool importTreeVisible, bool codeViewVisible,
                          bool editorVisible);

// Panel 1 of the status bar for a caret on the 0-based line and column, with a selection of
// that many characters.
QString caretStatusText(qsizetype line, qsizetype column, qsizetype selectionLength);

} // namespace orvane
