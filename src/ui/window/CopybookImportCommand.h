#pragma once

#include <QString>

namespace orvane
{

class FileBoxes;
class MessageBoxes;
class frmQEL;

// File > "Import COBOL Copybook...": reads a copybook (or a program's data division) and
// appends its records after the last top-level field. A copybook the reader rejects changes
// nothing; the message names the line and column.
class CopybookImportCommand
{
public:
    CopybookImportCommand(frmQEL &window, MessageBoxes &messages, FileBoxes &files);

    // Returns the number of fields added.
    int importCopybook_Click();

    static QString title();
    static QString filter();

private:
    frmQEL &window_;
    MessageBoxes &messages_;
    FileBoxes &files_;
};

} // namespace orvane
