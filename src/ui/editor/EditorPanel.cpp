#include "ui/editor/EditorPanel.h"

#include "ui/shared/CheckPanel.h"
#include "ui/shared/CodeEdit.h"
#include "ui/shared/FileDialogState.h"
#include "ui/shared/TextBoxes.h"
#include "project/ProjectFile.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace orvane
{

EditorPanel::EditorPanel(const Platform &platform, FileDialogState &dlgedit, QWidget *parent)
    : QWidget(parent), platform_(platform), dlgedit_(dlgedit)
{
    setObjectName(QStringLiteral("picEditor"));
    txtEditor_ = named(new CodeEdit(this), "txtEditor");
    txtEditor_->setFont(codeFont());
    txtEditor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtEditor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtEditor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
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
    cmdEditorCheck_ =
        named(new QPushButton(QStringLiteral("Check"), fraEditorFile_), "cmdEditorCheck");
    cmdEditorCheck_->setToolTip(QStringLiteral("Check with GnuCOBOL (F7)"));
    picEditorCheck_ = named(
        new CheckPanel(platform_.messages, platform_.compiler, txtEditor_, this), "picEditorCheck");
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b :
         {cmdEditorNew_, cmdEditorOpen_, cmdEditorSave_, cmdeditorSaveAs_, cmdEditorCheck_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto *file = new QVBoxLayout(fraEditorFile_);
    file->addWidget(txtEditorFile_);
    file->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtEditor_, 1);
    layout->addWidget(picEditorCheck_);
    layout->addWidget(fraEditorFile_);

    cmdEditorSave_->setEnabled(false);
    connect(txtEditor_, &QPlainTextEdit::textChanged, cmdEditorSave_,
            [this] { cmdEditorSave_->setEnabled(true); });
    connect(cmdEditorNew_, &QPushButton::clicked, this, &EditorPanel::cmdEditorNew_Click);
    connect(cmdEditorOpen_, &QPushButton::clicked, this, &EditorPanel::cmdEditorOpen_Click);
    connect(cmdEditorSave_, &QPushButton::clicked, this, &EditorPanel::cmdEditorSave_Click);
    connect(cmdeditorSaveAs_, &QPushButton::clicked, this, &EditorPanel::cmdeditorSaveAs_Click);
    connect(cmdEditorCheck_, &QPushButton::clicked, this, &EditorPanel::cmdEditorCheck_Click);
    auto *f7 = new QShortcut(QKeySequence(Qt::Key_F7), this);
    f7->setContext(Qt::WidgetWithChildrenShortcut);
    connect(f7, &QShortcut::activated, this, &EditorPanel::cmdEditorCheck_Click);
    watchCaret(txtEditor_, [this](const QString &text) { emit statusText(text); });
}

void EditorPanel::setEditorOptions(const EditorOptions &options)
{
    txtEditor_->setColumnGuides(options.columnGuides);
    picEditorCheck_->setOptions(options);
}

void EditorPanel::cmdEditorCheck_Click()
{
    CheckRequest request;
    request.text = plainText(txtEditor_);
    const QString path = txtEditorFile_->text();
    if (!path.isEmpty() && !path.contains(u'*')) {
        // The copy keeps the file's name, and its COPY books are found beside it.
        const QFileInfo file(path);
        request.fileName = file.fileName();
        request.includeFolders = {file.absolutePath()};
    }
    picEditorCheck_->check(request);
}

bool EditorPanel::isEmpty() const
{
    return txtEditorFile_->text().isEmpty() && txtEditor_->document()->isEmpty();
}

bool EditorPanel::ownsTextBox(const QWidget *widget) const
{
    return widget && (widget == txtEditor_ || widget == txtEditorFile_);
}

void EditorPanel::cmdEditorNew_Click()
{
    if (isEmpty())
        return;
    if (cmdEditorSave_->isEnabled()) {
        switch (platform_.messages.show(QStringLiteral("Do you want to save the file?"),
                                        QStringLiteral("The Editor file is not saved"),
                                        MessageButtons::YesNoCancel, MessageIcon::Question)) {
        case MessageAnswer::Yes:
            cmdEditorSave_Click();
            break;
        case MessageAnswer::No:
            cmdEditorSave_->setEnabled(false);
            break;
        default:
            return;
        }
    }
    // Still enabled: the save failed or its Save As was cancelled, and the text must stay.
    if (cmdEditorSave_->isEnabled())
        return;
    txtEditorFile_->clear();
    txtEditor_->clear();
    form_.reset();
    cmdEditorSave_->setEnabled(false);
    picEditorCheck_->textReplaced();
}

void EditorPanel::cmdEditorOpen_Click()
{
    cmdEditorNew_Click();
    // Text the user chose to keep (Cancel, or a save that did not happen) is never replaced,
    // also when it has no path yet.
    if (!isEmpty())
        return;
    const FileDialogState::Guard guard(dlgedit_);
    dlgedit_.fileName = lastAppendSetting(platform_.settings, dlgedit_.fileName);
    dlgedit_.filter = cobolFileFilter();
    const QString chosen =
        platform_.files.openFile(QStringLiteral("Open"), dlgedit_.filter, dlgedit_.fileName);
    if (chosen.isEmpty())
        return;
    txtEditorFile_->setText(chosen);
    TextForm form;
    if (LoadTextFile(chosen, txtEditor_, form, platform_.messages))
        form_ = form;
    else if (QFileInfo::exists(chosen))
        // The file is there but was not shown: a later Save must not replace it with the
        // empty box. A file that is missing keeps its name, and Save creates it.
        txtEditorFile_->clear();
    cmdEditorSave_->setEnabled(false);
    picEditorCheck_->textReplaced();
}

bool EditorPanel::cmdEditorSave_Click()
{
    const QString path = txtEditorFile_->text();
    if (path.isEmpty() || path.contains(u'*'))
        return cmdeditorSaveAs_Click();
    return saveTo(path);
}

bool EditorPanel::saveTo(const QString &path)
{
    // A text that never had a file gets CR LF, and Windows-1252 when that can hold it.
    const TextForm form = form_ ? *form_ : newTextForm(plainText(txtEditor_));
    if (!SaveTextFile(path, txtEditor_, form, platform_.messages))
        return false;
    form_ = form;
    cmdEditorSave_->setEnabled(false);
    return true;
}

bool EditorPanel::cmdeditorSaveAs_Click()
{
    QString chosen;
    {
        const FileDialogState::Guard guard(dlgedit_);
        dlgedit_.fileName = txtEditorFile_->text();
        dlgedit_.filter = cobolFileFilter();
        chosen =
            platform_.files.saveFile(QStringLiteral("Save As"), dlgedit_.filter, dlgedit_.fileName);
    }
    if (chosen.isEmpty())
        return false;
    if (FileExists(chosen) &&
        platform_.messages.show(QStringLiteral("Do you wish to overwrite the file?"),
                                QStringLiteral("File already exists"), MessageButtons::YesNo,
                                MessageIcon::Question) != MessageAnswer::Yes)
        return false;
    txtEditorFile_->setText(chosen);
    // Written directly: a chosen name with "*" would send Save back here.
    return saveTo(chosen);
}

} // namespace orvane
