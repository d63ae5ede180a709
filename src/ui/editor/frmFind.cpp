#include "ui/editor/frmFind.h"

#include "ui/generator/FieldTreeModel.h"
#include "ui/generator/FieldTreeView.h"
#include "ui/shared/TextBoxes.h"
#include "editor/TreeSearch.h"
#include "platform/Platform.h"
#include "project/StartupSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace orvane
{

frmFind::frmFind(Views views, MessageBoxes &messages, QWidget *mainForm)
    : QDialog(mainForm), views_(std::move(views)), messages_(messages), mainForm_(mainForm)
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find - Replace"));
    setModal(false);

    lblFind_ = named(new QLabel(QStringLiteral("Fin&d What:"), this), "lblFind");
    cboFind_ = named(new QComboBox(this), "cboFind");
    lblReplace_ = named(new QLabel(QStringLiteral("Replace &With:"), this), "lblReplace");
    cboReplace_ = named(new QComboBox(this), "cboReplace");
    for (QComboBox *box : {cboFind_, cboReplace_}) {
        box->setEditable(true);
        // The history list is kept in its own order; typing adds nothing to it.
        box->setInsertPolicy(QComboBox::NoInsert);
        // Typing must give exactly what was typed: completing "CUST-" to a longer text from
        // the history would make Replace All replace the wrong text.
        box->setCompleter(nullptr);
        box->setMinimumContentsLength(30);
    }
    lblFind_->setBuddy(cboFind_);
    lblReplace_->setBuddy(cboReplace_);

    cmdFind_ = named(new QPushButton(QStringLiteral("&Find"), this), "cmdFind");
    cmdFind_->setDefault(true);
    cmdReplace_ = named(new QPushButton(QStringLiteral("&Replace"), this), "cmdReplace");
    cmdReplaceAll_ = named(new QPushButton(QStringLiteral("Replace &All"), this), "cmdReplaceAll");
    cmdCancel_ = named(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCancel");

    Frame1_ = named(new QGroupBox(QStringLiteral("Search Options"), this), "Frame1");
    chkMatchCase_ = named(new QCheckBox(QStringLiteral("Match Ca&se"), Frame1_), "chkMatchCase");
    chkWholeWord_ =
        named(new QCheckBox(QStringLiteral("Find &Whole Word Only"), Frame1_), "chkWholeWord");
    picdir_ = named(new QWidget(Frame1_), "picdir");
    optUp_ = named(new QRadioButton(QStringLiteral("Up"), picdir_), "optUp");
    optdown_ = named(new QRadioButton(QStringLiteral("&Down"), picdir_), "optdown");
    optdown_->setChecked(true);
    auto *direction = new QHBoxLayout(picdir_);
    direction->setContentsMargins(0, 0, 0, 0);
    direction->addWidget(optUp_);
    direction->addWidget(optdown_);
    auto *options = new QVBoxLayout(Frame1_);
    options->addWidget(chkMatchCase_);
    options->addWidget(chkWholeWord_);
    options->addWidget(picdir_);

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblFind_, 0, 0);
    grid->addWidget(cboFind_, 0, 1);
    grid->addWidget(lblReplace_, 1, 0);
    grid->addWidget(cboReplace_, 1, 1);
    grid->addWidget(Frame1_, 2, 0, 2, 2);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {cmdFind_, cmdReplace_, cmdReplaceAll_, cmdCancel_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 2, 4, 1);

    connect(cmdFind_, &QPushButton::clicked, this, &frmFind::cmdFind_Click);
    connect(cmdReplace_, &QPushButton::clicked, this, &frmFind::cmdReplace_Click);
    connect(cmdReplaceAll_, &QPushButton::clicked, this, &frmFind::cmdReplaceAll_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmFind::cmdCancel_Click);
    // A list pick changes the edit text too.
    connect(cboFind_, &QComboBox::editTextChanged, this, &frmFind::updateButtons);
    connect(cboReplace_, &QComboBox::editTextChanged, this, &frmFind::updateButtons);
    updateButtons();
}

bool frmFind::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        ActivateForm();
    } else if (event->type() == QEvent::WindowDeactivate) {
        lastFindText_ = cboFind_->currentText();
        lastReplaceText_ = cboReplace_->currentText();
    }
    return QDialog::event(event);
}

void frmFind::reject()
{
    cmdCancel_Click();
}

void frmFind::ActivateForm()
{
    targetText_ = nullptr;
    targetTree_ = nullptr;
    switch (views_.target()) {
    case FindTarget::FieldTree:
        targetTree_ = views_.trvFields;
        break;
    case FindTarget::ImportTree:
        targetTree_ = views_.trvTemp;
        break;
    case FindTarget::CodeView:
        targetText_ = views_.txtCodeView;
        break;
    case FindTarget::Editor:
        targetText_ = views_.txtEditor;
        break;
    case FindTarget::None:
        break;
    }
    treeMode_ = targetTree_ != nullptr;
    if (treeMode_) {
        if (targetTree_->fieldModel()->tree().isEmpty())
            cmdCancel_Click();
        lastHitIndex_ = 0;
    }
    // Trees are searched downward only.
    optUp_->setEnabled(!treeMode_);
    if (!lastFindText_.isEmpty())
        cboFind_->setEditText(lastFindText_);
    else if (targetText_)
        cboFind_->setEditText(
            targetText_->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n'));
    cboReplace_->setEditText(lastReplaceText_);
    updateButtons();
}

SearchOptions frmFind::options() const
{
    return {chkMatchCase_->isChecked(), chkWholeWord_->isChecked()};
}

void frmFind::updateButtons()
{
    const bool differ = cboFind_->currentText() != cboReplace_->currentText();
    cmdReplace_->setEnabled(differ);
    cmdReplaceAll_->setEnabled(differ);
}

void frmFind::UpdateFindHistory()
{
    lastFindText_ = cboFind_->currentText();
    lastReplaceText_ = cboReplace_->currentText();
    QStringList items;
    for (int i = 0; i < cboFind_->count(); ++i)
        items << cboFind_->itemText(i);
    const QStringList history = updatedFindHistory(items, lastFindText_, lastReplaceText_);
    for (QComboBox *box : {cboFind_, cboReplace_}) {
        box->clear();
        box->addItems(history);
    }
    cboFind_->setEditText(lastFindText_);
    cboReplace_->setEditText(lastReplaceText_);
}

void frmFind::notFound()
{
    messages_.show(QStringLiteral("The search string was not found."), ApplicationTitle,
                   MessageButtons::Ok, MessageIcon::None);
}

void frmFind::cmdFind_Click()
{
    if (cboFind_->currentText().isEmpty()) {
        messages_.show(QStringLiteral("Please enter a value in Find field"), ApplicationTitle,
                       MessageButtons::Ok, MessageIcon::None);
        return;
    }
    UpdateFindHistory();
    if (treeMode_)
        findNextInTree();
    else
        findNextInText();
}

void frmFind::findNextInTree()
{
    if (!targetTree_)
        return;
    const FieldTree &tree = targetTree_->fieldModel()->tree();
    int start = targetTree_->selectedNode();
    if (!start)
        start = GetFirstNode(tree);
    const int hit = findInTree(tree, start, lastHitIndex_, cboFind_->currentText(), options());
    if (!hit) {
        notFound();
        return;
    }
    targetTree_->selectNode(hit);
    lastHitIndex_ = hit;
}

void frmFind::select(const TextMatch &match)
{
    QTextCursor cursor = targetText_->textCursor();
    cursor.setPosition(int(match.start));
    cursor.setPosition(int(match.start + match.length), QTextCursor::KeepAnchor);
    targetText_->setTextCursor(cursor);
}

void frmFind::findNextInText()
{
    if (!targetText_)
        return;
    const QString &text = texts_.text(targetText_);
    const QString what = cboFind_->currentText();
    const QTextCursor cursor = targetText_->textCursor();
    const qsizetype start = cursor.selectionStart();
    const TextMatch match =
        optUp_->isChecked() ? findUp(text, what, start, options())
                            : findDown(text, what, start, cursor.selectionEnd() - start, options());
    if (match.found())
        select(match);
    else
        notFound();
    // The selection shows best in the box that has the focus.
    targetText_->setFocus(Qt::OtherFocusReason);
}

bool frmFind::confirmTreeReplace()
{
    return !chkWholeWord_->isChecked() ||
           messages_.show(
               QStringLiteral("During Replacement Find Whole Word Only option doesn't work"),
               QStringLiteral("Are you sure you want to continue?"), MessageButtons::YesNo,
               MessageIcon::Question) == MessageAnswer::Yes;
}

void frmFind::cmdReplace_Click()
{
    if (treeMode_) {
        if (!confirmTreeReplace())
            return;
        if (targetTree_ && lastHitIndex_ && targetTree_->selectedNode() == lastHitIndex_) {
            replaceInNode(targetTree_->fieldModel()->tree(), lastHitIndex_, cboFind_->currentText(),
                          cboReplace_->currentText(), chkMatchCase_->isChecked());
            views_.markModified();
        }
        cmdFind_Click();
        cmdReplace_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!targetText_)
        return;
    QTextCursor cursor = targetText_->textCursor();
    if (cursor.hasSelection()) {
        // Whatever is selected is replaced; the next search starts from the caret.
        const QString with = cboReplace_->currentText();
        cursor.insertText(with);
        if (optUp_->isChecked())
            cursor.setPosition(cursor.position() - int(with.size()));
        targetText_->setTextCursor(cursor);
    }
    cmdFind_Click();
}

void frmFind::cmdReplaceAll_Click()
{
    const QString find = cboFind_->currentText();
    const QString with = cboReplace_->currentText();
    if (treeMode_) {
        if (!confirmTreeReplace())
            return;
        UpdateFindHistory();
        if (targetTree_)
            replaceInTree(targetTree_->fieldModel()->tree(), find, with,
                          chkMatchCase_->isChecked());
        views_.markModified();
        messages_.show(QStringLiteral("Done"), ApplicationTitle, MessageButtons::Ok,
                       MessageIcon::None);
        return;
    }
    if (find.isEmpty()) {
        messages_.show(QStringLiteral("Please enter a value in Find field"), ApplicationTitle,
                       MessageButtons::Ok, MessageIcon::None);
        return;
    }
    if (!targetText_)
        return;
    UpdateFindHistory();
    const std::vector<qsizetype> starts =
        replaceAllMatches(texts_.text(targetText_), find, with, options());
    // One edit, from the back so the earlier positions stay put: the box lays its text out
    // once and Undo takes the whole replacement back.
    QTextCursor cursor(targetText_->document());
    cursor.beginEditBlock();
    for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
        cursor.setPosition(int(*it));
        cursor.setPosition(int(*it + find.size()), QTextCursor::KeepAnchor);
        cursor.insertText(with);
    }
    cursor.endEditBlock();
    // The caret ends behind the last replacement, as if each had been made in turn.
    const qsizetype count = qsizetype(starts.size());
    cursor.setPosition(
        count ? int(starts.back() + count * (with.size() - find.size()) + find.size()) : 0);
    targetText_->setTextCursor(cursor);
    messages_.show(QString::number(count) + QStringLiteral(" items replaced"), ApplicationTitle,
                   MessageButtons::Ok, MessageIcon::None);
    cboFind_->setEditText(find);
    cboReplace_->setEditText(with);
}

void frmFind::cmdCancel_Click()
{
    if (!isVisible())
        return;
    hide();
    mainForm_->activateWindow();
}

} // namespace orvane
