#pragma once

#include <QWidget>

class QPushButton;

namespace orvane
{

class FieldTree;
class FieldTreeModel;
class FieldTreeView;
class MessageBoxes;
class TreeButtons;

// The field tree `trvFields` with its buttons, and the two hidden scratch trees `trvTemp` and
// `trvClipboard`, which cover the whole panel when they are shown.
class FieldTreePanel : public QWidget
{
    Q_OBJECT
public:
    FieldTreePanel(FieldTree &fields, FieldTree &temp, FieldTree &clipboard, MessageBoxes &messages,
                   QWidget *parent = nullptr);

    FieldTreeView *trvFields() const { return trvFields_; }
    FieldTreeView *trvTemp() const { return trvTemp_; }
    FieldTreeView *trvClipboard() const { return trvClipboard_; }
    QPushButton *cmdAutoInsertFiller() const { return cmdAutoInsertFiller_; }
    QPushButton *autoInsertFillerForSameLevel() const { return autoInsertFillerForSameLevel_; }
    TreeButtons *treeButtons() const { return treeButtons_; }

    // Shows a scratch tree over the whole panel, or parks it hidden.
    void showOverlay(FieldTreeView *tree, bool visible);
    void setFillerButtonsEnabled(bool forSubitems, bool forSameLevel);
    // The status text and the FILLER buttons follow the selected field again (after its
    // positions or its place changed); without one the status text goes.
    void showSelectedField();
    // The buttons that depend on the selected field follow it, however the selection changed.
    void selectionChanged();

signals:
    // Text for the first panel of the status bar.
    void statusText(const QString &text);
    // The selected field's storage, for the panel beside it; after every change of the layout.
    void storageText(const QString &text);
    // The field with this name was dropped onto another one.
    void dropped(const QString &name);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void nodeClicked(int nodeIndex);
    void updateFillerButtons(int node);
    void nodeDropped();
    void placeOverlays();
    void scheduleSelectionChanged();

    FieldTree &fields_;
    MessageBoxes &messages_;
    FieldTreeView *trvFields_ = nullptr;
    FieldTreeView *trvTemp_ = nullptr;
    FieldTreeView *trvClipboard_ = nullptr;
    QPushButton *cmdAutoInsertFiller_ = nullptr;
    QPushButton *autoInsertFillerForSameLevel_ = nullptr;
    TreeButtons *treeButtons_ = nullptr;
    bool selectionUpdatePending_ = false;
};

} // namespace orvane
