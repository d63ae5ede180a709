#pragma once

#include <QString>

namespace orvane
{

class FileBoxes;
class FileDialogState;
class MessageBoxes;
class frmQEL;

// The File menu's project commands New, Open, Save and Save As, with their prompts, the
// window title forms and the status texts. The current file name is the file name of the
// window's shared file dialog.
class ProjectCommands
{
public:
    // How New left the layout.
    enum class NewOutcome {
        Cleared,   // the layout was reset (no changes, or the user answered No)
        Saved,     // the user answered Yes and the layout was saved; it stays in the window
        NotSaved,  // the user answered Yes but the save did not happen; the changes stay
        Cancelled, // the user answered Cancel
    };

    ProjectCommands(frmQEL &window, FileDialogState &dlgedit, MessageBoxes &messages,
                    FileBoxes &files);

    NewOutcome filenew_Click();
    void fileopen_Click();
    // True when the layout was written.
    bool Save_Click();
    bool SaveAs_Click();

    // Opens the project named on the command line; a file that is not there is created empty
    // first, so that Save later writes to the name the user asked for (never one whose name
    // starts with "-", which is an option nobody understood). A file that cannot be read
    // leaves an empty layout without a name, as Open does.
    void openCommandLineProject(const QString &path);

    // Set by a successful Save; cleared when Save As shows its box.
    bool saveDone() const { return saveDone_; }

    static QString saveErrorTitle(const QString &fileName);
    static QString readOnlyText();
    static QString writeProtectedText();
    static QString unsuccessfulSaveText();

private:
    void loadProject(const QString &path);

    frmQEL &window_;
    FileDialogState &dlgedit_;
    MessageBoxes &messages_;
    FileBoxes &files_;
    bool saveDone_ = false;
};

} // namespace orvane
