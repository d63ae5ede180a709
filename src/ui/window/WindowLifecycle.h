#pragma once

#include "platform/Platform.h"
#include "project/StartupSettings.h"

#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace orvane
{

class FileDialogState;
class ProjectCommands;
class frmQEL;

// What the main window does when it is loaded and when it is closed: the first-run
// registration of the project file type, the settings kept from one run to the next, the
// project named on the command line, and the checks that guard unsaved work on the way out.
class WindowLifecycle
{
public:
    // What the other parts of the window add to closing it. The source editor fills
    // `editorKeepsWork` when it gets its file commands: it runs the editor's New command (which
    // offers to save its text) and answers whether the editor still holds a file name or
    // text. The find and options dialogs fill `closeDialogs` when they exist. Until then there
    // is no editor work to keep and no dialog to close.
    struct CloseSteps {
        std::function<bool()> editorKeepsWork = [] { return false; };
        std::function<void()> closeDialogs = [] {};
    };

    WindowLifecycle(frmQEL &window, FileDialogState &dlgedit, ProjectCommands &commands,
                    const Platform &platform);

    // The load steps that reach outside the window, in their order: first run, settings,
    // command line. The window's own set-up (tab, title, lists, filter) is done by then.
    void Form_Load(const QStringList &arguments);
    // True when the window may close; false keeps it open.
    bool Form_Unload();

    void LoadSettings();
    void SaveSettings();

    static QString firstRunText();

    void setCloseSteps(CloseSteps steps) { closeSteps_ = std::move(steps); }
    // A further window to unload with the others when the main window closes.
    void addDialogCloser(std::function<void()> close)
    {
        dialogClosers_.push_back(std::move(close));
    }

private:
    QString setting(Setting which, const QString &defaultValue);
    void saveSetting(Setting which, const QString &value);

    frmQEL &window_;
    FileDialogState &dlgedit_;
    ProjectCommands &commands_;
    Platform platform_;
    CloseSteps closeSteps_;
    std::vector<std::function<void()>> dialogClosers_;
};

} // namespace orvane
