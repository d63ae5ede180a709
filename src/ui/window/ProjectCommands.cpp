#include "ui/window/ProjectCommands.h"

#include "ui/generator/UndoCommands.h"

#include "ui/generator/FieldTreeView.h"
#include "ui/shared/FileDialogState.h"
#include "ui/window/StatusBar.h"
#include "ui/window/frmQEL.h"
#include "platform/Platform.h"
#include "project/ProjectFile.h"
#include "project/StartupSettings.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

namespace orvane
{

namespace
{

const QString OpenBoxTitle = QStringLiteral("Open");
const QString SaveBoxTitle = QStringLiteral("Save As");

// The wait cursor for as long as a save runs, gone again on every way out.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    void restore()
    {
        if (active_)
            QApplication::restoreOverrideCursor();
        active_ = false;
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool active_ = true;
};

// The read-only attribute: the owner may not write the file. The owner bit alone is not
// enough when the file belongs to someone else or lies on a read-only mount, and the access
// test alone is not enough for root, who may write everything.
bool isReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && (!(info.permissions() & QFileDevice::WriteOwner) || !info.isWritable());
}

} // namespace

ProjectCommands::ProjectCommands(frmQEL &window, FileDialogState &dlgedit, MessageBoxes &messages,
                                 FileBoxes &files)
    : window_(window), dlgedit_(dlgedit), messages_(messages), files_(files)
{
}

QString ProjectCommands::saveErrorTitle(const QString &fileName)
{
    return QStringLiteral("Error saving file [") + fileName + u']';
}

QString ProjectCommands::readOnlyText()
{
    return QStringLiteral("The file you are trying to save is read only\r\n"
                          "Would you like to save the file under different name?");
}

QString ProjectCommands::writeProtectedText()
{
    return SaveFailureText({ProjectStatus::WriteFailed, 0, 0, {}});
}

QString ProjectCommands::unsuccessfulSaveText()
{
    return SaveFailureText({ProjectStatus::RecordTooLong, 0, 0, {}});
}

ProjectCommands::NewOutcome ProjectCommands::filenew_Click()
{
    if (window_.isModified()) {
        switch (messages_.show(QStringLiteral("Do you want to save the file?"),
                               QStringLiteral("File not saved"), MessageButtons::YesNoCancel,
                               MessageIcon::Question)) {
        case MessageAnswer::Yes:
            // The layout stays in the window, now under its file name.
            return Save_Click() ? NewOutcome::Saved : NewOutcome::NotSaved;
        case MessageAnswer::No:
            window_.ResetEntryPanel();
            return NewOutcome::Cleared;
        default:
            return NewOutcome::Cancelled;
        }
    }
    FieldTreeView *tree = window_.trvFields();
    tree->hide();
    window_.ResetEntryPanel();
    tree->show();
    return NewOutcome::Cleared;
}

void ProjectCommands::fileopen_Click()
{
    const NewOutcome outcome = filenew_Click();
    // Cancel, or a Yes whose save did not happen: the unsaved layout must stay.
    if (outcome == NewOutcome::Cancelled || outcome == NewOutcome::NotSaved)
        return;
    const QString chosen = files_.openFile(OpenBoxTitle, dlgedit_.filter, dlgedit_.fileName);
    if (!chosen.isEmpty()) {
        // After Yes the saved layout is still shown; the reader builds on an empty tree.
        if (outcome == NewOutcome::Saved)
            window_.ResetEntryPanel();
        loadProject(chosen);
    }
    FieldTreeView *tree = window_.trvFields();
    tree->show();
    tree->clearDragState();
    window_.stb()->setMessage(QStringLiteral("Done"));
}

bool ProjectCommands::Save_Click()
{
    const QString name = dlgedit_.fileName;
    if (isUnnamedProject(name))
        return SaveAs_Click();
    const QString title = saveErrorTitle(name);
    if (isReadOnlyFile(name)) {
        if (messages_.show(readOnlyText(), title, MessageButtons::YesNo, MessageIcon::Critical) !=
            MessageAnswer::Yes)
            return false;
        // Save As saves under the new name itself; the read-only file is never touched.
        return SaveAs_Click();
    }

    saveDone_ = false; // a save that fails is not reported as done
    WaitCursor wait;
    StatusBar *stb = window_.stb();
    FieldTreeView *tree = window_.trvFields();
    stb->setMessage(QStringLiteral("Saving File..."));
    tree->hide();
    // Written to a temporary file that replaces the old one only when complete, so any
    // failure leaves the old file as it was.
    const ProjectResult result = SaveNodes(window_.fields(), name);
    tree->show();
    wait.restore();
    if (result.ok()) {
        stb->setMessage(QStringLiteral("Done"));
        saveDone_ = true;
        window_.setWindowTitle(projectTitle(name, false));
        window_.undoCommands().setClean();
        return true;
    }
    messages_.show(SaveFailureText(result), title, MessageButtons::Ok, MessageIcon::Critical);
    stb->setMessage(QStringLiteral("Error"));
    return false;
}

bool ProjectCommands::SaveAs_Click()
{
    // A save that fails under the new name leaves the layout under the name it had, which the
    // title still shows.
    const QString previous = dlgedit_.fileName;
    for (;;) {
        const QString chosen = files_.saveFile(SaveBoxTitle, dlgedit_.filter, dlgedit_.fileName);
        if (chosen.isEmpty())
            return false; // cancelled: nothing saved, the name as it was
        saveDone_ = false;
        dlgedit_.fileName = chosen;
        if (!FileExists(chosen))
            break;
        const MessageAnswer answer =
            messages_.show(QStringLiteral("Do you wish to overwrite the file?"),
                           QStringLiteral("File already exists"), MessageButtons::YesNoCancel,
                           MessageIcon::Question);
        if (answer == MessageAnswer::Yes)
            break;
        saveDone_ = true;
        dlgedit_.fileName.clear();
        if (answer != MessageAnswer::No)
            return false;
        // No: the box opens anew.
    }
    if (saveDone_)
        return false;
    if (Save_Click())
        return true;
    dlgedit_.fileName = previous;
    return false;
}

void ProjectCommands::loadProject(const QString &path)
{
    dlgedit_.fileName = path;
    window_.stb()->setMessage(QStringLiteral("Opening File..."));
    window_.setWindowTitle(projectTitle(path, false));
    FieldTreeView *tree = window_.trvFields();
    tree->hide();
    const ProjectResult result = LoadNodes(window_.fields(), path);
    // The layout just read is where its history starts.
    window_.undoCommands().clear();
    tree->show();
    if (!result.ok()) {
        messages_.show(result.message, ApplicationTitle, MessageButtons::Ok, MessageIcon::Critical);
        // A part of the file, or a file of another kind, must not pass for the project under
        // its name: the next Save would overwrite the file with it. Start over without a name.
        window_.ResetEntryPanel();
    }
}

void ProjectCommands::openCommandLineProject(const QString &path)
{
    // A name like "-x" is a mistyped option, not a project to make.
    if (!QFileInfo::exists(path) && !PathPart(path, PathFileName).startsWith(u'-')) {
        QFile create(path);
        if (create.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            create.close();
    }
    loadProject(path);
    window_.stb()->setMessage(QStringLiteral("Done"));
}

} // namespace orvane
