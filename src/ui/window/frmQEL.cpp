#include "ui/window/frmQEL.h"

#include "codegen/CodeGenerator.h"
#include "editor/FindRules.h"
#include "model/Twips.h"
#include "project/ProjectFile.h"
#include "project/StartupSettings.h"
#include "ui/data/DataWindow.h"
#include "ui/dialogs/DialogWindows.h"
#include "ui/dialogs/frmOptions.h"
#include "ui/editor/EditorPanel.h"
#include "ui/editor/frmFind.h"
#include "ui/generator/CodeViewPanel.h"
#include "ui/generator/EntryPanel.h"
#include "ui/generator/FieldTreeModel.h"
#include "ui/generator/FieldTreePanel.h"
#include "ui/generator/FieldTreeView.h"
#include "ui/generator/GeneratorWiring.h"
#include "ui/generator/ImportBar.h"
#include "ui/generator/UndoCommands.h"
#include "ui/shared/CodeEdit.h"
#include "ui/shared/EditorOptions.h"
#include "ui/window/CopybookImportCommand.h"
#include "ui/window/PositionCommands.h"
#include "ui/window/ProjectCommands.h"
#include "ui/window/StatusBar.h"
#include "ui/window/WindowLifecycle.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
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
    generator_ = std::make_unique<GeneratorWiring>(
        GeneratorWiring::Context{fields_, clipboard_, picGenerator_, entry_, treePanel_, *undo_,
                                 platform_, [this] { return activeControl_; },
                                 [this] { MarkModified(); }},
        this);
    // Undo and redo give the title its mark or take it away at the state last saved; a step
    // away from that state marks it too, so that a drop or an import is not lost unasked.
    connect(undo_.get(), &UndoCommands::cleanChanged, this, [this](bool clean) {
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
    generator_->wireImport(picImport_, viewTreeViewclipboard_);
    generator_->wireClipboard(cut_, copy_, paste_);
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
    generator_->wireEnter();
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
    dialogs_ = std::make_unique<DialogWindows>(
        platform_, this,
        DialogWindows::Applied{[this](const QColor &c) { setFillerColor(c); },
                               [this](const EditorOptions &o) { setEditorOptions(o); }});
    lifecycle_->addDialogCloser([this] { dialogs_->closeAll(); });
}

frmQEL::~frmQEL()
{
    // The options window has no owner to take it down.
    dialogs_.reset();
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

ClipboardCommands &frmQEL::clipboardCommands() const
{
    return generator_->clipboardCommands();
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
    connect(menuAction(file_, "viewData", QStringLiteral("View Data File...")), &QAction::triggered,
            this, [this] { DataWindow::openBeside(platform_, fields_, this); });
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

void frmQEL::cmdAdd_Click()
{
    generator_->cmdAdd_Click();
}

void frmQEL::cmdEdit_Click()
{
    generator_->cmdEdit_Click();
}

void frmQEL::stb_DblClick()
{
    generator_->stb_DblClick();
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
    dialogs_->options_Click();
}

frmOptions *frmQEL::optionsWindow() const
{
    return dialogs_->optionsWindow();
}

frmAbout *frmQEL::aboutWindow() const
{
    return dialogs_->aboutWindow();
}

void frmQEL::About_Click()
{
    dialogs_->About_Click();
}

void frmQEL::setFillerColor(const QColor &colour)
{
    for (FieldTreeView *tree :
         {treePanel_->trvFields(), treePanel_->trvTemp(), treePanel_->trvClipboard()})
        tree->fieldModel()->setFillerColour(colour);
}

void frmQEL::focusChanged(QWidget *, QWidget *now)
{
    if (now && (now == trvFields() || now == treePanel_->trvTemp() || entry_->isEntryControl(now) ||
                editor_->ownsTextBox(now) || codeView_->ownsTextBox(now)))
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
