#pragma once

#include "model/Fillers.h"
#include "platform/Platform.h"

#include <functional>
#include <memory>

class QAction;
class QObject;
class QWidget;

namespace orvane
{

class ClipboardCommands;
class EntryPanel;
class FieldTree;
class FieldTreePanel;
class FillerCommands;
class ImportBar;
class UndoCommands;

// The Generator panel wires itself: the tree's steps onto the undo stack, the clipboard and
// FILLER commands, Enter as Add, and the field commands behind Add, Edit and the status bar.
// The main window builds the parts and hands them over.
class GeneratorWiring
{
public:
    struct Context {
        FieldTree &fields;
        FieldTree &clipboard;
        QWidget *generator; // the panel in which Enter adds
        EntryPanel *entry;
        FieldTreePanel *treePanel;
        UndoCommands &undo;
        Platform platform;
        std::function<QWidget *()> activeControl;
        std::function<void()> markModified;
    };
    // `window` receives the connections made here, so they end with it.
    GeneratorWiring(Context context, QObject *window);
    ~GeneratorWiring();

    // An import becomes one undo step; the Edit menu's clipboard view opens in the bar.
    void wireImport(ImportBar *import, QAction *viewTreeViewclipboard);
    // The Edit menu's Cut, Copy and Paste and the same keys in the two field trees.
    void wireClipboard(QAction *cut, QAction *copy, QAction *paste);
    // Add is the generator's default button: Enter anywhere in it adds, except in the tree's
    // in-place editor, where Enter ends the edit.
    void wireEnter();
    ClipboardCommands &clipboardCommands() const { return *clipboardCommands_; }

    void cmdAdd_Click();
    void cmdEdit_Click();
    // The status bar's double click: the selected field's positions typed by hand.
    void stb_DblClick();

private:
    void wireUndo();
    void wireFillers();
    void enterPressed();
    void fill(FillerMode mode);

    Context c_;
    QObject *window_;
    std::unique_ptr<ClipboardCommands> clipboardCommands_;
    std::unique_ptr<FillerCommands> fillers_;
};

} // namespace orvane
