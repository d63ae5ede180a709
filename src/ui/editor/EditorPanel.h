#pragma once

#include "ui/shared/CodeEdit.h"
#include "ui/shared/EditorOptions.h"
#include "editor/TextFile.h"
#include "platform/Platform.h"

#include <QWidget>

#include <optional>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvane
{

class CheckPanel;
class FileDialogState;

// The "Editor" tab: one COBOL source at a time, its path and its four file commands. The
// enabled state of the Save button is the editor's only modified flag.
class EditorPanel : public QWidget
{
    Q_OBJECT
public:
    EditorPanel(const Platform &platform, FileDialogState &dlgedit, QWidget *parent = nullptr);

    CodeEdit *txtEditor() const { return txtEditor_; }
    QLineEdit *txtEditorFile() const { return txtEditorFile_; }
    QPushButton *cmdEditorSave() const { return cmdEditorSave_; }

    // Offers to save unsaved work, then empties the editor unless the user kept it.
    void cmdEditorNew_Click();
    void cmdEditorOpen_Click();
    // True when the text was written.
    bool cmdEditorSave_Click();
    bool cmdeditorSaveAs_Click();

    void setEditorOptions(const EditorOptions &options);
    // Asks GnuCOBOL about the text as it stands, not the file (F7).
    void cmdEditorCheck_Click();
    CheckPanel *picEditorCheck() const { return picEditorCheck_; }

    // Neither a path nor text: closing the window loses nothing here.
    bool isEmpty() const;
    // The boxes that take part in the main window's cut, copy and paste.
    bool ownsTextBox(const QWidget *widget) const;

signals:
    void statusText(const QString &text);

private:
    bool saveTo(const QString &path);

    Platform platform_;
    FileDialogState &dlgedit_;
    // How the file on disk stores its text; none for a text that has no file yet.
    std::optional<TextForm> form_;

    CodeEdit *txtEditor_ = nullptr;
    QGroupBox *fraEditorFile_ = nullptr;
    QLineEdit *txtEditorFile_ = nullptr;
    QPushButton *cmdEditorNew_ = nullptr;
    QPushButton *cmdEditorOpen_ = nullptr;
    QPushButton *cmdEditorSave_ = nullptr;
    QPushButton *cmdeditorSaveAs_ = nullptr;
    QPushButton *cmdEditorCheck_ = nullptr;
    CheckPanel *picEditorCheck_ = nullptr;
};

} // namespace orvane
