#pragma once

#include "model/FieldTree.h"
#include "platform/Platform.h"

#include <QMainWindow>

class QAction;
class QMenu;
class QTabBar;
class QTimer;

namespace orvane
{

class CodeViewPanel;
class EditorPanel;
class EntryPanel;
class FieldTreePanel;
class FieldTreeView;
class StatusBar;

// The main window. It owns the three field trees, the menus, the tab strip and the status bar,
// and wires the panels to each other and to the core; the panels do the rest.
class frmQEL : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmQEL(const Platform &platform, QWidget *parent = nullptr);
    ~frmQEL() override;

    FieldTree &fields() { return fields_; }
    EntryPanel *entryPanel() const { return entry_; }
    FieldTreePanel *treePanel() const { return treePanel_; }
    CodeViewPanel *codeViewPanel() const { return codeView_; }
    StatusBar *stb() const { return stb_; }
    FieldTreeView *trvFields() const;
    // The entry box or tree that last got the focus; the clipboard commands act on it.
    QWidget *ActiveControl() const { return activeControl_; }

    // Loads a project file named on the command line into the (empty) layout. False, with a
    // message shown, when it could not be read.
    bool loadProject(const QString &path);

    // Handlers, public so that the start-up code and tests can run them as the events would.
    void Timer1_Timer();
    void tabGen_Click(int tab); // 0 Generator, 1 Code View, 2 Editor
    void cmdAdd_Click();
    void cmdEdit_Click();
    void stb_DblClick();
    void MarkModified();
    void ResetEntryPanel();

private:
    void buildMenus();
    void focusChanged(QWidget *old, QWidget *now);
    QAction *menuAction(QMenu *menu, const char *name, const QString &caption,
                        const QKeySequence &shortcut = {});

    Platform platform_;
    FieldTree fields_;
    FieldTree temp_;
    FieldTree clipboard_;

    QTabBar *tabGen_ = nullptr;
    QWidget *picGenerator_ = nullptr;
    EntryPanel *entry_ = nullptr;
    FieldTreePanel *treePanel_ = nullptr;
    CodeViewPanel *codeView_ = nullptr;
    EditorPanel *editor_ = nullptr;
    StatusBar *stb_ = nullptr;
    QTimer *Timer1_ = nullptr;
    QWidget *activeControl_ = nullptr;

    QMenu *file_ = nullptr;
    QMenu *edit_ = nullptr;
    QMenu *help_ = nullptr;
    QAction *filenew_ = nullptr;
    QAction *fileopen_ = nullptr;
    QAction *import_ = nullptr;
    QAction *Save_ = nullptr;
    QAction *SaveAs_ = nullptr;
    QAction *viewTreeViewclipboard_ = nullptr;
};

} // namespace orvane
