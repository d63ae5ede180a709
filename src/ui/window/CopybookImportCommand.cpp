#include "ui/window/CopybookImportCommand.h"

#include "ui/generator/UndoCommands.h"

#include "ui/generator/FieldTreePanel.h"
#include "ui/shared/FileDialogState.h"
#include "ui/window/StatusBar.h"
#include "ui/generator/TreeButtons.h"
#include "ui/window/frmQEL.h"

#include "cobol/CopybookReader.h"
#include "platform/Platform.h"

namespace orvane
{

CopybookImportCommand::CopybookImportCommand(frmQEL &window, MessageBoxes &messages,
                                             FileBoxes &files)
    : window_(window), messages_(messages), files_(files)
{
}

QString CopybookImportCommand::title()
{
    return QStringLiteral("Import COBOL Copybook");
}

QString CopybookImportCommand::filter()
{
    return QStringLiteral("COBOL Copybooks (*.cpy *.cob *.cbl *.CPY *.COB *.CBL);;All Files (*)");
}

int CopybookImportCommand::importCopybook_Click()
{
    QString path;
    {
        // The shared dialog holds the project's name; borrowing it must not change that.
        FileDialogState::Guard guard(window_.dlgedit());
        path = files_.openFile(title(), filter(), QString());
    }
    if (path.isEmpty())
        return 0;
    window_.stb()->setMessage(QStringLiteral("Importing Copybook..."));
    const cobol::ReadResult read = cobol::ReadDataDescriptionFile(path, cobol::ReadOptions{});
    if (!read.ok()) {
        window_.stb()->setMessage(QStringLiteral("Error"));
        messages_.show(read.errorText(), title(), MessageButtons::Ok, MessageIcon::Exclamation);
        return 0;
    }
    const int added = cobol::ImportEntries(window_.fields(), read);
    if (added > 0)
        window_.MarkModified();
    window_.undoCommands().commit(QStringLiteral("Import Copybook"));
    // The new records come in closed.
    window_.treePanel()->treeButtons()->showExpandPicture(false);
    window_.stb()->setMessage(QStringLiteral("Done"));
    messages_.show(cobol::ImportSummary(read, added), title(), MessageButtons::Ok,
                   MessageIcon::Information);
    return added;
}

} // namespace orvane
