#pragma once

#include <QWidget>

class QPushButton;

namespace orvane
{

class FieldTree;
class FieldTreeView;
class MessageBoxes;
struct TreeEdit;

// The column of buttons beside the field tree that reshape it: remove, remove all, move up
// and down, make child, make parent, expand or collapse all.
class TreeButtons : public QWidget
{
    Q_OBJECT
public:
    TreeButtons(FieldTree &fields, FieldTree &temp, FieldTreeView *trvFields,
                MessageBoxes &messages, QWidget *parent = nullptr);

    void cmdRemove_Click();
    void cmdRemoveAll_Click();
    void cmdMoveNodeUp_Click();
    void cmdMoveNodeDown_Click();
    void cmdMakeNodeChild_Click();
    void cmdMakeNodeParent_Click();
    void cmdExpandCollaplse_Click();
    // The four moving buttons follow the selected field.
    void UpdateMoveButtons();
    // True while the expand-or-collapse button offers collapsing.
    bool offersCollapse() const { return offersCollapse_; }
    void showExpandPicture(bool offersCollapse);

signals:
    void modified();
    // A command ran; its undo step is named `step` ("%1": the field selected before it).
    void stepDone(const QString &step);
    void statusText(const QString &text);

private:
    QPushButton *button(const char *name, const char *icon, const QString &toolTip,
                        void (TreeButtons::*handler)());
    void finish(const TreeEdit &edit);
    void finish(const TreeEdit &edit, const QString &step);

    FieldTree &fields_;
    FieldTree &temp_;
    FieldTreeView *trvFields_;
    MessageBoxes &messages_;
    QPushButton *cmdRemove_ = nullptr;
    QPushButton *cmdRemoveAll_ = nullptr;
    QPushButton *cmdMoveNodeUp_ = nullptr;
    QPushButton *cmdMoveNodeDown_ = nullptr;
    QPushButton *cmdMakeNodeChild_ = nullptr;
    QPushButton *cmdMakeNodeParent_ = nullptr;
    QPushButton *cmdExpandCollaplse_ = nullptr;
    bool offersCollapse_ = false;
};

} // namespace orvane
