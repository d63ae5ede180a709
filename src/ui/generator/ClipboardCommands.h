#pragma once

#include <QString>

#include <functional>
#include <utility>

class QWidget;

namespace orvane
{

class ClipboardText;
class FieldTree;
class FieldTreeView;
class MessageBoxes;

// Cut, Copy and Paste of the Edit menu and the tree keys. They act on the control that last
// got the focus: a text box through the system clipboard, a field tree through the hidden
// tree clipboard.
class ClipboardCommands
{
public:
    struct Context {
        FieldTree &clipboard;
        ClipboardText &system;
        MessageBoxes &messages;
        std::function<QWidget *()> activeControl;
        std::function<void()> markModified;
        // Names the undo step of a cut or paste in the field tree.
        std::function<void(const QString &format, const QString &name)> stepDone = {};
    };
    explicit ClipboardCommands(Context context) : c_(std::move(context)) {}

    void cut_Click();
    void copy_Click();
    void paste_Click();

    static QString pasteQuestion();

private:
    void pasteIntoTree(FieldTreeView *view);

    Context c_;
};

} // namespace orvane
