#include "ui/generator/ClipboardCommands.h"

#include "model/FieldNames.h"

#include "ui/generator/FieldTreeModel.h"
#include "ui/generator/FieldTreeView.h"
#include "model/TreeClipboard.h"
#include "platform/Platform.h"
#include "project/StartupSettings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace orvane
{

namespace
{

QLineEdit *lineEditOf(QWidget *w)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit;
    auto *combo = qobject_cast<QComboBox *>(w);
    return combo ? combo->lineEdit() : nullptr;
}

QString selectedText(QWidget *w)
{
    if (QLineEdit *edit = lineEditOf(w))
        return edit->selectedText();
    if (auto *text = qobject_cast<QPlainTextEdit *>(w))
        return text->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n');
    return {};
}

bool isReadOnly(QWidget *w)
{
    if (QLineEdit *edit = lineEditOf(w))
        return edit->isReadOnly();
    if (auto *text = qobject_cast<QPlainTextEdit *>(w))
        return text->isReadOnly();
    return true;
}

// Replaces the selection (or inserts at the caret) as typing would.
void replaceSelection(QWidget *w, const QString &text)
{
    if (isReadOnly(w))
        return;
    if (QLineEdit *edit = lineEditOf(w))
        edit->insert(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        plain->insertPlainText(text);
}

void show(MessageBoxes &messages, const QString &text)
{
    messages.show(text, ApplicationTitle, MessageButtons::Ok, MessageIcon::None);
}

} // namespace

QString ClipboardCommands::pasteQuestion()
{
    return QStringLiteral(
        "Add as Previous?\r\n"
        "If you choose no, it will be added as next\r\n"
        "NOTE FOR INFO: Since the item you're pasting has a greater than or equal (>=) to "
        "level, then it's being added as previous or next\r\n"
        "but if it had a lower level it would automatically be added as a child");
}

void ClipboardCommands::copy_Click()
{
    QWidget *w = c_.activeControl();
    if (!w)
        return;
    auto *view = qobject_cast<FieldTreeView *>(w);
    if (!view) {
        c_.system.setText(selectedText(w));
        return;
    }
    if (!CopyToClipboard(view->fieldModel()->tree(), view->selectedNode(), c_.clipboard))
        show(c_.messages, QStringLiteral("No data to copy"));
}

void ClipboardCommands::cut_Click()
{
    QWidget *w = c_.activeControl();
    if (!w)
        return;
    auto *view = qobject_cast<FieldTreeView *>(w);
    if (!view) {
        c_.system.setText(selectedText(w));
        // A read-only box gives its text but keeps it.
        replaceSelection(w, QString());
        return;
    }
    FieldTree &tree = view->fieldModel()->tree();
    const TreeEdit edit = CutToClipboard(tree, view->selectedNode(), c_.clipboard);
    if (!edit.changed()) {
        show(c_.messages, QStringLiteral("No data to cut"));
        return;
    }
    if (edit.selected)
        view->selectNode(edit.selected);
    c_.markModified();
    if (c_.stepDone)
        c_.stepDone(QStringLiteral("Cut %1"), QString());
}

void ClipboardCommands::paste_Click()
{
    QWidget *w = c_.activeControl();
    if (!w)
        return;
    if (auto *view = qobject_cast<FieldTreeView *>(w))
        pasteIntoTree(view);
    else
        replaceSelection(w, c_.system.text());
}

void ClipboardCommands::pasteIntoTree(FieldTreeView *view)
{
    FieldTree &tree = view->fieldModel()->tree();
    const int selected = view->selectedNode();
    const PasteTarget target = PasteTargetFor(tree, selected, c_.clipboard);
    Relationship placement = Relationship::Child;
    switch (target) {
    case PasteTarget::Nothing:
        show(c_.messages, QStringLiteral("No data to paste"));
        return;
    case PasteTarget::AskPreviousOrNext:
        placement =
            c_.messages.show(pasteQuestion(), QStringLiteral("Paste"), MessageButtons::YesNo,
                             MessageIcon::Question) == MessageAnswer::Yes
                ? Relationship::Previous
                : Relationship::Next;
        break;
    default:
        break;
    }
    const TreeEdit edit = PasteFromClipboard(tree, selected, c_.clipboard, target, placement);
    const QString name = clauseDataName(c_.clipboard.text(c_.clipboard.topLevelAt(0)));
    // Into an empty tree the subtree only arrives: nothing is selected or marked.
    if (target == PasteTarget::IntoEmpty) {
        if (c_.stepDone)
            c_.stepDone(QStringLiteral("Paste %1"), name);
        return;
    }
    c_.markModified();
    if (edit.selected)
        view->selectNode(edit.selected);
    if (c_.stepDone)
        c_.stepDone(QStringLiteral("Paste %1"), name);
}

} // namespace orvane
