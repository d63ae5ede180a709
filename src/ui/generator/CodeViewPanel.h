#pragma once

#include "ui/shared/CodeEdit.h"
#include "ui/shared/EditorOptions.h"
#include "cobol/LayoutCheck.h"
#include "platform/Platform.h"

#include <QWidget>

#include <functional>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvane
{

class CheckPanel;
class FileDialogState;

// The "Code View" tab: the generated code, copied to the clipboard or inserted behind the
// WORKING-STORAGE SECTION header of a source file.
class CodeViewPanel : public QWidget
{
    Q_OBJECT
public:
    CodeViewPanel(const Platform &platform, FileDialogState &dlgedit, QWidget *parent = nullptr);

    CodeEdit *txtCodeView() const { return txtCodeView_; }
    void setEditorOptions(const EditorOptions &options);
    // Asks GnuCOBOL about the generated code (F7).
    void cmdCodeViewCheck_Click();
    CheckPanel *picCodeViewCheck() const { return picCodeViewCheck_; }
    // The layout's own warnings, listed with the compiler's by each check.
    void setLayoutWarnings(std::function<std::vector<cobol::LayoutWarning>()> warnings)
    {
        layoutWarnings_ = std::move(warnings);
    }
    void clear();
    // Fills the text box; its text is the only copy (Copy and Append read it from there).
    void showCode(const QString &code);

    void cmdCodeViewCopy_Click();
    void cmdCodeViewBrowse_Click();
    // Leaves the project, the tree and the code as they are.
    void cmdCodeViewAppend_Click();
    // A path that names an existing file is remembered for the source file boxes.
    void txtCodeViewBrowseFile_Change(const QString &path);

    // The boxes that take part in the main window's cut, copy and paste.
    bool ownsTextBox(const QWidget *widget) const;

signals:
    void statusText(const QString &text);

private:
    Platform platform_;
    FileDialogState &dlgedit_;
    CodeEdit *txtCodeView_ = nullptr;
    QGroupBox *fraCodeViewGrabCode_ = nullptr;
    QPushButton *cmdCodeViewCopy_ = nullptr;
    QPushButton *cmdCodeViewCheck_ = nullptr;
    CheckPanel *picCodeViewCheck_ = nullptr;
    QGroupBox *fraCodeViewAppendCodeToFIle_ = nullptr;
    QLineEdit *txtCodeViewBrowseFile_ = nullptr;
    QPushButton *cmdCodeViewBrowse_ = nullptr;
    QPushButton *cmdCodeViewAppend_ = nullptr;
    std::function<std::vector<cobol::LayoutWarning>()> layoutWarnings_;
};

} // namespace orvane
