#include "ui/generator/CodeViewPanel.h"

#include "ui/shared/CheckPanel.h"
#include "ui/shared/CodeEdit.h"
#include "cobol/CompilerMessages.h"

#include "ui/shared/FileDialogState.h"
#include "ui/shared/TextBoxes.h"
#include "codegen/WorkingStorage.h"
#include "project/ProjectFile.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace orvane
{

CodeViewPanel::CodeViewPanel(const Platform &platform, FileDialogState &dlgedit, QWidget *parent)
    : QWidget(parent), platform_(platform), dlgedit_(dlgedit)
{
    setObjectName(QStringLiteral("picCodeView"));
    txtCodeView_ = named(new CodeEdit(this), "txtCodeView");
    txtCodeView_->setFont(codeFont());
    txtCodeView_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtCodeView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtCodeView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Generated text is plain: keep the undo stack from holding every regeneration.
    txtCodeView_->setUndoRedoEnabled(false);

    fraCodeViewGrabCode_ =
        named(new QGroupBox(QStringLiteral("Grab Code"), this), "fraCodeViewGrabCode");
    cmdCodeViewCopy_ =
        named(new QPushButton(QStringLiteral("Copy"), fraCodeViewGrabCode_), "cmdCodeViewCopy");
    auto *grab = new QHBoxLayout(fraCodeViewGrabCode_);
    grab->addWidget(cmdCodeViewCopy_);
    cmdCodeViewCheck_ =
        named(new QPushButton(QStringLiteral("Check"), fraCodeViewGrabCode_), "cmdCodeViewCheck");
    cmdCodeViewCheck_->setToolTip(QStringLiteral("Check with GnuCOBOL (F7)"));
    grab->addWidget(cmdCodeViewCheck_);
    picCodeViewCheck_ =
        named(new CheckPanel(platform_.messages, platform_.compiler, txtCodeView_, this),
              "picCodeViewCheck");

    fraCodeViewAppendCodeToFIle_ = named(
        new QGroupBox(QStringLiteral("Append Code To WORKING-STORAGE SECTION. of File"), this),
        "fraCodeViewAppendCodeToFIle");
    txtCodeViewBrowseFile_ =
        named(new QLineEdit(fraCodeViewAppendCodeToFIle_), "txtCodeViewBrowseFile");
    cmdCodeViewBrowse_ =
        named(new QPushButton(QStringLiteral("Browse..."), fraCodeViewAppendCodeToFIle_),
              "cmdCodeViewBrowse");
    cmdCodeViewAppend_ =
        named(new QPushButton(QStringLiteral("Append"), fraCodeViewAppendCodeToFIle_),
              "cmdCodeViewAppend");
    auto *append = new QHBoxLayout(fraCodeViewAppendCodeToFIle_);
    append->addWidget(txtCodeViewBrowseFile_, 1);
    append->addWidget(cmdCodeViewBrowse_);
    append->addWidget(cmdCodeViewAppend_);

    auto *frames = new QHBoxLayout;
    frames->addWidget(fraCodeViewGrabCode_);
    frames->addWidget(fraCodeViewAppendCodeToFIle_, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtCodeView_, 1);
    layout->addWidget(picCodeViewCheck_);
    layout->addLayout(frames);
    connect(cmdCodeViewCheck_, &QPushButton::clicked, this, &CodeViewPanel::cmdCodeViewCheck_Click);
    auto *f7 = new QShortcut(QKeySequence(Qt::Key_F7), this);
    f7->setContext(Qt::WidgetWithChildrenShortcut);
    connect(f7, &QShortcut::activated, this, &CodeViewPanel::cmdCodeViewCheck_Click);

    connect(cmdCodeViewCopy_, &QPushButton::clicked, this, &CodeViewPanel::cmdCodeViewCopy_Click);
    connect(cmdCodeViewBrowse_, &QPushButton::clicked, this,
            &CodeViewPanel::cmdCodeViewBrowse_Click);
    connect(cmdCodeViewAppend_, &QPushButton::clicked, this,
            &CodeViewPanel::cmdCodeViewAppend_Click);
    connect(txtCodeViewBrowseFile_, &QLineEdit::textChanged, this,
            &CodeViewPanel::txtCodeViewBrowseFile_Change);
    watchCaret(txtCodeView_, [this](const QString &text) { emit statusText(text); });
}

void CodeViewPanel::clear()
{
    txtCodeView_->clear();
}

void CodeViewPanel::showCode(const QString &code)
{
    // One document for the box's whole life, so whoever holds its pointer keeps a live one.
    // Filling it in one call lets its layout take the text in a single change, which measured
    // faster than filling a detached document and swapping it in.
    txtCodeView_->document()->setPlainText(code);
    // Searches start from the caret: put it at the top of the new code.
    txtCodeView_->moveCursor(QTextCursor::Start);
    picCodeViewCheck_->textReplaced();
}

bool CodeViewPanel::ownsTextBox(const QWidget *widget) const
{
    return widget && (widget == txtCodeView_ || widget == txtCodeViewBrowseFile_);
}

void CodeViewPanel::cmdCodeViewCopy_Click()
{
    txtCodeView_->setFocus(Qt::OtherFocusReason);
    txtCodeView_->selectAll();
    // The box holds LF line ends, which is what this platform's clipboard expects.
    platform_.clipboard.setText(plainText(txtCodeView_));
}

void CodeViewPanel::cmdCodeViewBrowse_Click()
{
    const FileDialogState::Guard guard(dlgedit_);
    dlgedit_.fileName = lastAppendSetting(platform_.settings, dlgedit_.fileName);
    dlgedit_.filter = cobolFileFilter();
    const QString chosen =
        platform_.files.openFile(QStringLiteral("Open"), dlgedit_.filter, dlgedit_.fileName);
    if (!chosen.isEmpty())
        txtCodeViewBrowseFile_->setText(chosen);
}

void CodeViewPanel::txtCodeViewBrowseFile_Change(const QString &path)
{
    if (!path.contains(u'*') && !path.contains(u'?') && QFileInfo(path).isFile())
        saveLastAppendSetting(platform_.settings, path);
}

void CodeViewPanel::cmdCodeViewAppend_Click()
{
    const QString path = txtCodeViewBrowseFile_->text();
    if (path.contains(u'*') || !FileExists(path)) {
        platform_.messages.show(QStringLiteral("File ") + path + QStringLiteral(" not found"),
                                QStringLiteral("File Not found"), MessageButtons::Ok,
                                MessageIcon::Exclamation);
        return;
    }
    // The file is worked on as it is stored, line ends included, so nothing but the inserted
    // code changes in it (the same insertion as the command-line tool's append).
    DecodedText source;
    const TextFileResult read = readTextFile(path, source);
    if (!read.ok()) {
        platform_.messages.show(
            textFileErrorText(QStringLiteral("Error opening file ") + path, read),
            QStringLiteral("Error"), MessageButtons::Ok, MessageIcon::Critical);
        return;
    }
    const std::optional<QString> result =
        InsertAfterWorkingStorage(source.text, plainText(txtCodeView_));
    if (!result) {
        platform_.messages.show(QStringLiteral("WORKING-STORAGE SECTION. not found"),
                                QStringLiteral("Not Found"), MessageButtons::Ok,
                                MessageIcon::Exclamation);
        return;
    }
    if (platform_.messages.show(
            QStringLiteral("WORKING-STORAGE SECTION. found. Continue to append?"),
            QStringLiteral("Found"), MessageButtons::YesNo,
            MessageIcon::Question) != MessageAnswer::Yes)
        return;
    const TextFileResult written = writeTextFile(path, *result, source.form);
    if (!written.ok()) {
        platform_.messages.show(
            textFileErrorText(QStringLiteral("Error saving file ") + path, written),
            QStringLiteral("Error"), MessageButtons::Ok, MessageIcon::Critical);
        return;
    }
    platform_.messages.show(QStringLiteral("Append Successful"), QStringLiteral("Append"),
                            MessageButtons::Ok, MessageIcon::Information);
}

void CodeViewPanel::setEditorOptions(const EditorOptions &options)
{
    txtCodeView_->setColumnGuides(options.columnGuides);
    picCodeViewCheck_->setOptions(options);
}

void CodeViewPanel::cmdCodeViewCheck_Click()
{
    // Data items alone are no program: the compiler gets them inside a minimal one, and its
    // lines are taken back to the generated code's.
    const cobol::WrappedProgram program = cobol::wrapDataItems(plainText(txtCodeView_));
    CheckRequest request;
    request.text = program.text;
    request.fileName = QStringLiteral("generated.cbl");
    request.boxLine = [program](int line) { return cobol::itemLine(program, line); };
    if (layoutWarnings_)
        request.layoutWarnings = layoutWarnings_();
    picCodeViewCheck_->check(request);
}

} // namespace orvane
