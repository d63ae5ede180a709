#pragma once

#include <QWidget>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvane
{

// The "Code View" tab: the generated code, and the frames for copying it and appending it to a
// source file (their actions come with the code-view commands).
class CodeViewPanel : public QWidget
{
    Q_OBJECT
public:
    explicit CodeViewPanel(QWidget *parent = nullptr);

    QPlainTextEdit *txtCodeView() const { return txtCodeView_; }
    void clear();
    // Fills the text box; its text is the only copy (Copy and Append read it from there).
    void showCode(const QString &code);

private:
    QPlainTextEdit *txtCodeView_ = nullptr;
    QGroupBox *fraCodeViewGrabCode_ = nullptr;
    QPushButton *cmdCodeViewCopy_ = nullptr;
    QGroupBox *fraCodeViewAppendCodeToFIle_ = nullptr;
    QLineEdit *txtCodeViewBrowseFile_ = nullptr;
    QPushButton *cmdCodeViewBrowse_ = nullptr;
    QPushButton *cmdCodeViewAppend_ = nullptr;
};

// The "Editor" tab's controls; editing files comes with the editor.
class EditorPanel : public QWidget
{
    Q_OBJECT
public:
    explicit EditorPanel(QWidget *parent = nullptr);

    QPlainTextEdit *txtEditor() const { return txtEditor_; }
    QLineEdit *txtEditorFile() const { return txtEditorFile_; }
    QPushButton *cmdEditorSave() const { return cmdEditorSave_; }

private:
    QPlainTextEdit *txtEditor_ = nullptr;
    QGroupBox *fraEditorFile_ = nullptr;
    QLineEdit *txtEditorFile_ = nullptr;
    QPushButton *cmdEditorNew_ = nullptr;
    QPushButton *cmdEditorOpen_ = nullptr;
    QPushButton *cmdEditorSave_ = nullptr;
    QPushButton *cmdeditorSaveAs_ = nullptr;
};

} // namespace orvane
