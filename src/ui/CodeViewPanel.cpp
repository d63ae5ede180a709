#include "CodeViewPanel.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace orvane
{

namespace
{

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QFont codeFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(9);
    return font;
}

} // namespace

CodeViewPanel::CodeViewPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picCodeView"));
    txtCodeView_ = named(new QPlainTextEdit(this), "txtCodeView");
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
    layout->addLayout(frames);
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
}

EditorPanel::EditorPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picEditor"));
    txtEditor_ = named(new QPlainTextEdit(this), "txtEditor");
    txtEditor_->setFont(codeFont());
    txtEditor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    fraEditorFile_ = named(new QGroupBox(QStringLiteral("File"), this), "fraEditorFile");
    txtEditorFile_ = named(new QLineEdit(fraEditorFile_), "txtEditorFile");
    txtEditorFile_->setReadOnly(true);
    cmdEditorNew_ = named(new QPushButton(QStringLiteral("New"), fraEditorFile_), "cmdEditorNew");
    cmdEditorOpen_ =
        named(new QPushButton(QStringLiteral("Open"), fraEditorFile_), "cmdEditorOpen");
    cmdEditorSave_ =
        named(new QPushButton(QStringLiteral("Save"), fraEditorFile_), "cmdEditorSave");
    cmdeditorSaveAs_ =
        named(new QPushButton(QStringLiteral("Save As"), fraEditorFile_), "cmdeditorSaveAs");
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdEditorNew_, cmdEditorOpen_, cmdEditorSave_, cmdeditorSaveAs_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto *file = new QVBoxLayout(fraEditorFile_);
    file->addWidget(txtEditorFile_);
    file->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtEditor_, 1);
    layout->addWidget(fraEditorFile_);
}

} // namespace orvane
