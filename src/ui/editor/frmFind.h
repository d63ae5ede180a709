#pragma once

#include "ui/shared/TextBoxes.h"
#include "editor/FindRules.h"
#include "editor/TextSearch.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace orvane
{

class FieldTreeView;
class MessageBoxes;

// "Find - Replace": a modeless dialog of the main window that finds and replaces in whatever
// the main window shows: the editor's text, the generated code, or the field texts of the
// field tree (or of the import preview while an import runs). The searching is done by the
// core; this is the glue.
class frmFind : public QDialog
{
    Q_OBJECT
public:
    // What the main window lends the dialog.
    struct Views {
        std::function<FindTarget()> target; // decided anew at each activation
        QPlainTextEdit *txtCodeView = nullptr;
        QPlainTextEdit *txtEditor = nullptr;
        FieldTreeView *trvFields = nullptr;
        FieldTreeView *trvTemp = nullptr;
        std::function<void()> markModified; // a field text was replaced
    };

    frmFind(Views views, MessageBoxes &messages, QWidget *mainForm);

    // Picks the view to work on again; the main window calls it on every tab change.
    void ActivateForm();
    void cmdFind_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();
    void cmdCancel_Click();

protected:
    bool event(QEvent *event) override;
    void reject() override; // Escape

private:
    SearchOptions options() const;
    void UpdateFindHistory();
    void updateButtons();
    void findNextInText();
    void findNextInTree();
    bool confirmTreeReplace();
    void notFound();
    void select(const TextMatch &match);

    Views views_;
    MessageBoxes &messages_;
    QWidget *mainForm_;
    QPlainTextEdit *targetText_ = nullptr;
    FieldTreeView *targetTree_ = nullptr;
    PlainTextCache texts_;
    bool treeMode_ = false;
    int lastHitIndex_ = 0;
    QString lastFindText_;
    QString lastReplaceText_;

    QLabel *lblFind_ = nullptr;
    QComboBox *cboFind_ = nullptr;
    QLabel *lblReplace_ = nullptr;
    QComboBox *cboReplace_ = nullptr;
    QPushButton *cmdFind_ = nullptr;
    QPushButton *cmdReplace_ = nullptr;
    QPushButton *cmdReplaceAll_ = nullptr;
    QPushButton *cmdCancel_ = nullptr;
    QGroupBox *Frame1_ = nullptr;
    QCheckBox *chkMatchCase_ = nullptr;
    QCheckBox *chkWholeWord_ = nullptr;
    QWidget *picdir_ = nullptr;
    QRadioButton *optUp_ = nullptr;
    QRadioButton *optdown_ = nullptr;
};

} // namespace orvane
