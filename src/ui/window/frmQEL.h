#pragma once

#include "ui/shared/FileDialogState.h"
#include "model/FieldTree.h"
#include "platform/Platform.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QMenu;
class QTabBar;
class QTimer;

namespace orvane
{

class ClipboardCommands;
class DialogWindows;
struct EditorOptions;
class CodeViewPanel;
class EditorPanel;
class EntryPanel;
class FieldTreePanel;
class FieldTreeView;
class GeneratorWiring;
class ImportBar;
class PositionCommands;
class frmAbout;
class frmOptions;
class ProjectCommands;
class StatusBar;
class UndoCommands;
class WindowLifecycle;
class frmFind;

// The main window. It owns the three field trees, the menus, the tab strip and the status bar,
// builds the panels and hands them to each other; each area wires itself (GeneratorWiring,
// DialogWindows, DataWindow::openBeside) and the panels do the rest.
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
    EditorPanel *editorPanel() const { return editor_; }
    // The find dialog, made hidden on first use and kept for the rest of the run.
    frmFind *findDialog();
    StatusBar *stb() const { return stb_; }
    FieldTreeView *trvFields() const;
    // The entry box or tree that last got the focus; the clipboard commands act on it.
    QWidget *ActiveControl() const { return activeControl_; }

    // The shared file dialog; its file name is the current project file.
    FileDialogState &dlgedit() { return dlgedit_; }
    ProjectCommands &projectCommands() const { return *commands_; }
    WindowLifecycle &lifecycle() const { return *lifecycle_; }
    ImportBar *picImport() const { return picImport_; }
    ClipboardCommands &clipboardCommands() const;
    FieldTree &trvClipboardTree() { return clipboard_; }
    // Undo and redo of the field tree; commands name their steps through it.
    UndoCommands &undoCommands() const { return *undo_; }

    // The rest of loading, after construction: first run, settings and the project named on
    // the command line (the program's arguments without the program itself).
    void Form_Load(const QStringList &arguments);

    // Handlers, public so that the start-up code and tests can run them as the events would.
    void Timer1_Timer();
    void tabGen_Click(int tab); // 0 Generator, 1 Code View, 2 Editor
    void cmdAdd_Click();
    void cmdEdit_Click();
    void stb_DblClick();
    // The trailing "*" of the title is the layout's only modified flag.
    bool isModified() const;
    void MarkModified();
    void ResetEntryPanel();
    void file_Click(); // the File menu opens
    void edit_Click(); // the Edit menu opens
    void find_Click();
    // Show the options window (without owner) and the about box (owned), each made on demand.
    void options_Click();
    void About_Click();
    frmOptions *optionsWindow() const;
    frmAbout *aboutWindow() const;
    PositionCommands &positionCommands() const { return *positions_; }
    // FILLER fields are drawn in this colour in every field tree.
    void setFillerColor(const QColor &colour);
    void setEditorOptions(const EditorOptions &options);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void focusChanged(QWidget *old, QWidget *now);
    QAction *menuAction(QMenu *menu, const char *name, const QString &caption,
                        const QKeySequence &shortcut = {});

    Platform platform_;
    FileDialogState dlgedit_;
    std::unique_ptr<ProjectCommands> commands_;
    std::unique_ptr<WindowLifecycle> lifecycle_;
    std::unique_ptr<GeneratorWiring> generator_;
    std::unique_ptr<DialogWindows> dialogs_;
    PositionCommands *positions_ = nullptr;
    FieldTree fields_;
    FieldTree temp_;
    FieldTree clipboard_;
    // After fields_: it takes its journal off the tree before the tree goes.
    std::unique_ptr<UndoCommands> undo_;

    QTabBar *tabGen_ = nullptr;
    QWidget *picGenerator_ = nullptr;
    EntryPanel *entry_ = nullptr;
    FieldTreePanel *treePanel_ = nullptr;
    CodeViewPanel *codeView_ = nullptr;
    EditorPanel *editor_ = nullptr;
    frmFind *find_ = nullptr;
    StatusBar *stb_ = nullptr;
    ImportBar *picImport_ = nullptr;
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
    QAction *cut_ = nullptr;
    QAction *copy_ = nullptr;
    QAction *paste_ = nullptr;
};

} // namespace orvane
