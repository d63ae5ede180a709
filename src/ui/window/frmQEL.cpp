#include "ui/window/frmQEL.h"

#include "ui/generator/ClipboardCommands.h"
#include "ui/shared/CodeEdit.h"
#include "ui/generator/CodeViewPanel.h"
#include "ui/data/DataWindow.h"
#include "ui/window/CopybookImportCommand.h"
#include "ui/shared/EditorOptions.h"
#include "ui/editor/EditorPanel.h"
#include "ui/generator/EntryPanel.h"
#include "ui/generator/FieldTreeModel.h"
#include "ui/generator/FieldTreePanel.h"
#include "ui/generator/FieldTreeView.h"
#include "ui/generator/FillerCommands.h"
#include "ui/generator/ImportBar.h"
#include "ui/window/PositionCommands.h"
#include "ui/window/ProjectCommands.h"
#include "ui/window/StatusBar.h"
#include "ui/generator/TreeButtons.h"
#include "ui/generator/UndoCommands.h"
#include "ui/window/WindowLifecycle.h"
#include "codegen/CodeGenerator.h"
#include "editor/FindRules.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/editor/frmFind.h"
#include "ui/dialogs/frmOptions.h"
#include "model/EntryRules.h"
#include "model/FieldClause.h"
#include "model/Placement.h"
#include "model/Positions.h"
#include "project/ProjectFile.h"
#include "project/StartupSettings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

namespace orvane
{

frmQEL::frmQEL(const Platform &platform, QWidget *parent) : QMainWindow(parent), platform_(platform)
{
    setObjectName(QStringLiteral("frmQEL"));

    tabGen_ = new QTabBar(this);
    tabGen_->setObjectName(QStringLiteral("tabGen"));
    tabGen_->addTab(QStringLiteral("Generator"));
    tabGen_->addTab(QStringLiteral("Code View"));
    tabGen_->addTab(QStringLiteral("Editor"));
    tabGen_->setExpanding(false);

    picGenerator_ = new QWidget(this);
    picGenerator_->setObjectName(QStringLiteral("picGenerator"));
    entry_ = new EntryPanel(platform_.messages, picGenerator_);
    treePanel_ = new FieldTreePanel(fields_, temp_, clipboard_, platform_.messages, picGenerator_);
    undo_ = std::make_unique<UndoCommands>(fields_, treePanel_->trvFields(), this);
    auto *generator = new QVBoxLayout(picGenerator_);
    generator->setContentsMargins(0, 0, 0, 0);
    generator->addWidget(entry_);
    generator->addWidget(treePanel_, 1);

    codeView_ = new CodeViewPanel(platform_, dlgedit_, this);
    editor_ = new EditorPanel(platform_, dlgedit_, this);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(tabGen_);
    layout->addWidget(picGenerator_, 1);
    layout->addWidget(codeView_, 1);
    layout->addWidget(editor_, 1);
    setCentralWidget(central);

    stb_ = new StatusBar(this);
    setStatusBar(stb_);
    commands_ =
        std::make_unique<ProjectCommands>(*this, dlgedit_, platform_.messages, platform_.files);
    lifecycle_ = std::make_unique<WindowLifecycle>(*this, dlgedit_, *commands_, platform_);
    lifecycle_->setCloseSteps({[this] {
                                   editor_->cmdEditorNew_Click();
                                   return !editor_->isEmpty();
                               },
                               [this] {
                                   delete find_;
                                   find_ = nullptr;
                               }});
    buildMenus();
    wireReshaping();
    positions_ = new PositionCommands(*this, edit_);
    layout->insertWidget(1, picImport_);

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setSingleShot(true);
    Timer1_->setInterval(100);
    connect(Timer1_, &QTimer::timeout, this, &frmQEL::Timer1_Timer);

    // Every way of changing the tab (click, wheel, arrow keys) runs the tab handler once; a
    // click on the tab already shown changes nothing on the strip, yet still regenerates.
    connect(tabGen_, &QTabBar::currentChanged, this, [this](int tab) {
        if (tab >= 0)
            tabGen_Click(tab);
    });
    connect(tabGen_, &QTabBar::tabBarClicked, this, [this](int tab) {
        if (tab >= 0 && tab == tabGen_->currentIndex())
            tabGen_Click(tab);
    });
    // Add is the default button of the generator: Enter anywhere in it adds, except in the
    // tree's in-place editor, where Enter ends the edit.
    enterShortcut_ = new QShortcut(picGenerator_);
    enterShortcut_->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enterShortcut_->setContext(Qt::WidgetWithChildrenShortcut);
    connect(enterShortcut_, &QShortcut::activated, this, &frmQEL::enterPressed);
    connect(trvFields(), &FieldTreeView::editingChanged, enterShortcut_,
            [this](bool editing) { enterShortcut_->setEnabled(!editing); });
    connect(entry_, &EntryPanel::addClicked, this, &frmQEL::cmdAdd_Click);
    connect(entry_, &EntryPanel::editClicked, this, &frmQEL::cmdEdit_Click);
    connect(treePanel_, &FieldTreePanel::statusText, stb_, &StatusBar::setMessage);
    connect(codeView_, &CodeViewPanel::statusText, stb_, &StatusBar::setMessage);
    connect(editor_, &EditorPanel::statusText, stb_, &StatusBar::setMessage);
    connect(stb_, &StatusBar::doubleClicked, this, &frmQEL::stb_DblClick);
    connect(qApp, &QApplication::focusChanged, this, &frmQEL::focusChanged);

    // Start-up steps that stay inside the window: the Generator tab, the title, the entry
    // lists and the project filter. Form_Load does the rest.
    tabGen_Click(0);
    setWindowTitle(projectTitle(QString(), false));
    trvFields()->clearDragState();
    entry_->FillEntryLists();
    dlgedit_.filter = projectFileFilter();

    // The design minimum, raised to what the Generator panel needs to keep every control
    // whole, with a few rows of the tree still in sight.
    trvFields()->setMinimumHeight(trvFields()->fontMetrics().height() * 5);
    ensurePolished();
    const QSize minimum(TwipsToPixels(10965, logicalDpiX()), TwipsToPixels(4500, logicalDpiY()));
    setMinimumSize(minimum.expandedTo(minimumSizeHint()));
    resize(qMax(minimumWidth(), 1000), qMax(minimumHeight(), 720));
    Timer1_->start();

    setFillerColor(frmOptions::storedFillerColor(platform_.settings, currentProgramName()));
    setEditorOptions(readEditorOptions(platform_.settings, currentProgramName()));
    lifecycle_->addDialogCloser([this] {
        if (options_)
            options_->close();
        if (about_)
            about_->close();
    });
}

frmQEL::~frmQEL()
{
    // The options window has no owner to take it down.
    delete options_;
    disconnect(qApp, &QApplication::focusChanged, this, &frmQEL::focusChanged);
    // The tree views' models listen to the trees, which are members and so die before QWidget's
    // destructor deletes the child widgets: take the views down while the trees still live.
    delete treePanel_;
    treePanel_ = nullptr;
}

FieldTreeView *frmQEL::trvFields() const
{
    return treePanel_->trvFields();
}

QAction *frmQEL::menuAction(QMenu *menu, const char *name, const QString &caption,
                            const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void frmQEL::buildMenus()
{
    file_ = menuBar()->addMenu(QStringLiteral("&File"));
    file_->setObjectName(QStringLiteral("file"));
    file_->menuAction()->setObjectName(QStringLiteral("fileMenu"));
    connect(file_, &QMenu::aboutToShow, this, &frmQEL::file_Click);
    filenew_ =
        menuAction(file_, "filenew", QStringLiteral("New"), QKeySequence(QStringLiteral("Ctrl+N")));
    connect(filenew_, &QAction::triggered, this, [this] { commands_->filenew_Click(); });
    fileopen_ = menuAction(file_, "fileopen", QStringLiteral("Open..."),
                           QKeySequence(QStringLiteral("Ctrl+O")));
    connect(fileopen_, &QAction::triggered, this, [this] { commands_->fileopen_Click(); });
    file_->addSeparator();
    import_ = menuAction(file_, "import", QStringLiteral("Import..."));
    QAction *importCopybook =
        menuAction(file_, "importCopybook", QStringLiteral("Import COBOL Copybook..."));
    connect(importCopybook, &QAction::triggered, this, [this] {
        CopybookImportCommand(*this, platform_.messages, platform_.files).importCopybook_Click();
    });
    // A window of its own, so the data can stay beside the layout while the layout is edited.
    connect(menuAction(file_, "viewData", QStringLiteral("View Data File...")),
            &QAction::triggered, this, [this] {
                auto *window = new DataWindow(platform_, fields_, this);
                window->setAttribute(Qt::WA_DeleteOnClose);
                window->showInFront();
                window->cmdDataBrowse_Click();
            });
    file_->addSeparator();
    Save_ =
        menuAction(file_, "Save", QStringLiteral("Save"), QKeySequence(QStringLiteral("Ctrl+S")));
    SaveAs_ = menuAction(file_, "SaveAs", QStringLiteral("Save As..."),
                         QKeySequence(QStringLiteral("Ctrl+A")));
    connect(Save_, &QAction::triggered, this, [this] { commands_->Save_Click(); });
    connect(SaveAs_, &QAction::triggered, this, [this] { commands_->SaveAs_Click(); });
    file_->addSeparator();
    QAction *exit = menuAction(file_, "exit", QStringLiteral("E&xit"));
    // Exit closes the window the same way its close box does.
    connect(exit, &QAction::triggered, this, &QWidget::close);

    // The key names after the tab are display text only; the tree and text boxes handle the keys.
    edit_ = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit_->setObjectName(QStringLiteral("edit"));
    connect(edit_, &QMenu::aboutToShow, this, &frmQEL::edit_Click);
    edit_->addAction(undo_->undoAction());
    edit_->addAction(undo_->redoAction());
    edit_->addSeparator();
    cut_ = menuAction(edit_, "cut", QStringLiteral("Cut\tCtrl+X"));
    copy_ = menuAction(edit_, "copy", QStringLiteral("Copy\tCtrl+C"));
    paste_ = menuAction(edit_, "paste", QStringLiteral("Paste\tCtrl+V"));
    edit_->addSeparator();
    viewTreeViewclipboard_ =
        menuAction(edit_, "viewTreeViewclipboard", QStringLiteral("View TreeView clipboard"));
    edit_->addSeparator();
    QAction *find = menuAction(edit_, "find", QStringLiteral("Find..."),
                               QKeySequence(QStringLiteral("Ctrl+F")));
    connect(find, &QAction::triggered, this, &frmQEL::find_Click);
    edit_->addSeparator();
    connect(menuAction(edit_, "options", QStringLiteral("Options...")), &QAction::triggered, this,
            &frmQEL::options_Click);

    help_ = menuBar()->addMenu(QStringLiteral("&Help"));
    help_->setObjectName(QStringLiteral("help"));
    connect(menuAction(help_, "About", QStringLiteral("&About...")), &QAction::triggered, this,
            &frmQEL::About_Click);
}

void frmQEL::wireReshaping()
{
    connect(treePanel_->treeButtons(), &TreeButtons::modified, this, &frmQEL::MarkModified);
    UndoCommands *undo = undo_.get();
    connect(treePanel_->treeButtons(), &TreeButtons::stepDone, undo,
            [undo](const QString &step) { undo->commit(step); });
    connect(treePanel_, &FieldTreePanel::dropped, undo,
            [undo](const QString &name) { undo->commit(QStringLiteral("Drop %1"), name); });
    connect(undo, &UndoCommands::applied, treePanel_, &FieldTreePanel::showSelectedField);
    connect(trvFields(), &FieldTreeView::editingChanged, undo, [undo](bool editing) {
        if (!editing)
            undo->commit(QStringLiteral("Edit %1"));
    });
    // Undo and redo give the title its mark or take it away at the state last saved; a step
    // away from that state marks it too, so that a drop or an import is not lost unasked.
    connect(undo, &UndoCommands::cleanChanged, this, [this](bool clean) {
        if (!clean)
            MarkModified();
        else if (isModified())
            setWindowTitle(windowTitle().chopped(1));
    });

    picImport_ = new ImportBar({fields_, temp_, treePanel_, tabGen_, file_->menuAction(), dlgedit_,
                                platform_.files, platform_.messages},
                               centralWidget());
    // The preview covers the Generator panel, so an import from another tab goes there first.
    connect(import_, &QAction::triggered, this, [this] {
        if (tabGen_->currentIndex() != 0)
            tabGen_Click(0);
        picImport_->import_Click();
    });
    connect(picImport_, &ImportBar::importing, undo, &UndoCommands::begin);
    connect(picImport_, &ImportBar::imported, undo, [this, undo] {
        undo->commit(QStringLiteral("Import %1 Fields"),
                     QString::number(fields_.count() - undo->countBefore()));
    });
    connect(viewTreeViewclipboard_, &QAction::triggered, picImport_,
            &ImportBar::viewTreeViewclipboard_Click);

    clipboardCommands_ = std::make_unique<ClipboardCommands>(
        ClipboardCommands::Context{clipboard_, platform_.clipboard, platform_.messages,
                                   [this] { return activeControl_; }, [this] { MarkModified(); },
                                   [undo](const QString &format, const QString &name) {
                                       undo->commit(format, name);
                                   }});
    ClipboardCommands *clip = clipboardCommands_.get();
    connect(cut_, &QAction::triggered, this, [clip] { clip->cut_Click(); });
    connect(copy_, &QAction::triggered, this, [clip] { clip->copy_Click(); });
    connect(paste_, &QAction::triggered, this, [clip] { clip->paste_Click(); });
    for (FieldTreeView *tree : {treePanel_->trvFields(), treePanel_->trvTemp()}) {
        connect(tree, &FieldTreeView::cutPressed, this, [clip] { clip->cut_Click(); });
        connect(tree, &FieldTreeView::copyPressed, this, [clip] { clip->copy_Click(); });
        connect(tree, &FieldTreeView::pastePressed, this, [clip] { clip->paste_Click(); });
    }

    fillers_ = std::make_unique<FillerCommands>(*entry_, fields_, trvFields(), platform_.messages);
    auto fill = [this, undo](FillerMode mode) {
        undo->begin();
        const int before = fields_.count();
        if (fillers_->run(mode))
            MarkModified();
        const int n = fields_.count() - before;
        // No FILLER inserted, yet the spans above were recomputed.
        undo->commit(n == 0   ? QStringLiteral("Change Positions of %1")
                     : n == 1 ? QStringLiteral("Insert 1 Filler")
                              : QStringLiteral("Insert %1 Fillers"),
                     n > 1 ? QString::number(n) : QString());
        treePanel_->selectionChanged();
    };
    connect(treePanel_->cmdAutoInsertFiller(), &QPushButton::clicked, this,
            [fill] { fill(FillerMode::Children); });
    connect(treePanel_->autoInsertFillerForSameLevel(), &QPushButton::clicked, this,
            [fill] { fill(FillerMode::SameLevel); });
}

void frmQEL::Timer1_Timer()
{
    Timer1_->stop();
    Timer1_->setInterval(0);
    trvFields()->setFocus(Qt::OtherFocusReason);
    entry_->txtFieldName()->setFocus(Qt::OtherFocusReason);
    entry_->startColouring();
}

void frmQEL::tabGen_Click(int tab)
{
    file_->menuAction()->setEnabled(true);
    const bool generator = tab == 0;
    if (generator) {
        // An import in progress shows trvTemp and keeps the File menu closed.
        if (treePanel_->trvTemp()->isVisibleTo(treePanel_))
            file_->menuAction()->setEnabled(false);
        if (fields_.isEmpty())
            treePanel_->setFillerButtonsEnabled(false, false);
        picGenerator_->show();
        codeView_->hide();
        editor_->hide();
        codeView_->clear();
    } else if (tab == 1) {
        codeView_->show();
        picGenerator_->hide();
        editor_->hide();
        codeView_->clear();
        stb_->setMessage(QStringLiteral("Generating Code..."));
        codeView_->showCode(GenerateCode(fields_));
        stb_->setMessage(QStringLiteral("Done"));
    } else {
        editor_->show();
        codeView_->hide();
        picGenerator_->hide();
        if (editor_->txtEditorFile()->text().isEmpty() &&
            editor_->txtEditor()->document()->isEmpty())
            editor_->cmdEditorSave()->setEnabled(false);
    }
    for (QAction *a : {Save_, SaveAs_, fileopen_, filenew_, viewTreeViewclipboard_})
        a->setEnabled(generator);
    import_->setEnabled(true);
    if (tabGen_->currentIndex() != tab) {
        // The handler has run already; the strip only follows.
        const QSignalBlocker block(tabGen_);
        tabGen_->setCurrentIndex(tab);
    }
    findDialog()->ActivateForm();
}

frmFind *frmQEL::findDialog()
{
    if (find_)
        return find_;
    frmFind::Views views;
    views.target = [this] {
        const bool generator = picGenerator_->isVisibleTo(this);
        return pickFindTarget(generator,
                              generator && treePanel_->trvTemp()->isVisibleTo(picGenerator_),
                              codeView_->isVisibleTo(this), editor_->isVisibleTo(this));
    };
    views.txtCodeView = codeView_->txtCodeView();
    views.txtEditor = editor_->txtEditor();
    views.trvFields = trvFields();
    views.trvTemp = treePanel_->trvTemp();
    views.markModified = [this] {
        MarkModified();
        undo_->commit(QStringLiteral("Replace"));
    };
    find_ = new frmFind(std::move(views), platform_.messages, this);
    return find_;
}

void frmQEL::find_Click()
{
    frmFind *dialog = findDialog();
    dialog->show();
    dialog->ActivateForm();
    if (dialog->isVisible()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

void frmQEL::enterPressed()
{
    // A focused button takes Enter itself, as the default button gives way to it.
    auto *button = qobject_cast<QPushButton *>(QApplication::focusWidget());
    if (button && button->isEnabled() && picGenerator_->isAncestorOf(button)) {
        button->click();
        return;
    }
    entry_->cmdAdd()->click();
}

void frmQEL::cmdAdd_Click()
{
    const QString clause = entry_->previewText();
    if (clause.isEmpty())
        return;
    PlacementAnswers answers;
    switch (classifyLevel(clauseLevel(clause))) {
    case LevelKind::Condition:
        switch (platform_.messages.show(QStringLiteral("Add as child?"),
                                        QStringLiteral("Exception"), MessageButtons::YesNoCancel,
                                        MessageIcon::Question)) {
        case MessageAnswer::Yes:
            answers.condition = ConditionAnswer::Child;
            break;
        case MessageAnswer::No:
            answers.condition = ConditionAnswer::Sibling;
            break;
        default:
            return;
        }
        break;
    case LevelKind::Invalid:
        if (platform_.messages.show(QStringLiteral("Are you sure you want to continue?"),
                                    QStringLiteral("Level Number Is Invalid"),
                                    MessageButtons::YesNo,
                                    MessageIcon::Exclamation) != MessageAnswer::Yes)
            return;
        answers.confirmInvalid = true;
        break;
    case LevelKind::Valid:
        break;
    }

    FieldTreeView *tree = trvFields();
    undo_->begin();
    const int current = CurrentNodeIndex(fields_, tree->selectedNode());
    const int added = AddField(fields_, current, clause, answers, entry_->positions());
    if (!added)
        return;
    tree->selectNode(added);
    entry_->prepareNextField();
    entry_->focusLevel();
    tree->clearDragState();
    MarkModified();
    undo_->commit(QStringLiteral("Add %1"), undo_->fieldName(added));
}

void frmQEL::cmdEdit_Click()
{
    FieldTreeView *tree = trvFields();
    const int selected = tree->selectedNode();
    if (!selected)
        return;
    const QModelIndex index = tree->fieldModel()->modelIndex(selected);
    tree->setFocus(Qt::OtherFocusReason);
    tree->edit(index);
    MarkModified();
}

void frmQEL::stb_DblClick()
{
    const int selected = trvFields()->selectedNode();
    if (!selected)
        return;
    undo_->begin();
    const QString answer =
        platform_.input.ask(PositionDialogPrompt(), PositionDialogTitle(), fields_.tag(selected));
    const QString tag = PositionDialogTag(answer);
    if (!tag.isNull())
        fields_.setTag(selected, tag);
    UpdateParentSpans(fields_, selected);
    treePanel_->showSelectedField();
    undo_->commit(QStringLiteral("Change Positions of %1"));
}

bool frmQEL::isModified() const
{
    return windowTitle().endsWith(QLatin1Char('*'));
}

void frmQEL::MarkModified()
{
    if (!isModified())
        setWindowTitle(windowTitle() + QLatin1Char('*'));
}

void frmQEL::ResetEntryPanel()
{
    dlgedit_.fileName.clear();
    setWindowTitle(projectTitle(QString(), false));
    fields_.clear();
    undo_->clear();
    entry_->resetControls();
    positions_->layoutReset();
}

void frmQEL::Form_Load(const QStringList &arguments)
{
    lifecycle_->Form_Load(arguments);
}

void frmQEL::closeEvent(QCloseEvent *event)
{
    if (lifecycle_->Form_Unload())
        event->accept();
    else
        event->ignore();
}

void frmQEL::file_Click()
{
    // Other tabs set these entries themselves when they are selected.
    if (tabGen_->currentIndex() != 0)
        return;
    const bool any = !fields_.isEmpty();
    Save_->setEnabled(any);
    SaveAs_->setEnabled(any);
}

void frmQEL::edit_Click()
{
    // The clipboard view takes the Generator panel, so it waits until an import is closed.
    viewTreeViewclipboard_->setEnabled(!clipboard_.isEmpty() && tabGen_->currentIndex() == 0 &&
                                       !picImport_->isVisibleTo(this));
}

void frmQEL::options_Click()
{
    if (!options_) {
        options_ = new frmOptions(platform_.colours, platform_.settings, currentProgramName());
        connect(options_, &frmOptions::fillerColorApplied, this, &frmQEL::setFillerColor);
        connect(options_, &frmOptions::editorOptionsApplied, this, &frmQEL::setEditorOptions);
    }
    options_->show();
    options_->raise();
    options_->activateWindow();
}

frmOptions *frmQEL::optionsWindow() const
{
    return options_;
}

frmAbout *frmQEL::aboutWindow() const
{
    return about_;
}

void frmQEL::About_Click()
{
    if (!about_)
        about_ = new frmAbout(platform_.messages, platform_.shell, this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void frmQEL::setFillerColor(const QColor &colour)
{
    for (FieldTreeView *tree :
         {treePanel_->trvFields(), treePanel_->trvTemp(), treePanel_->trvClipboard()})
        tree->fieldModel()->setFillerColour(colour);
}

void frmQEL::focusChanged(QWidget *, QWidget *now)
{
    if (now && (now == trvFields() || now == treePanel_->trvTemp() ||
                entry_->isEntryControl(now) || editor_->ownsTextBox(now) ||
                codeView_->ownsTextBox(now)))
        activeControl_ = now;
    else
        activeControl_ = nullptr;
}

void frmQEL::setEditorOptions(const EditorOptions &options)
{
    editor_->setEditorOptions(options);
    codeView_->setEditorOptions(options);
}

} // namespace orvane
