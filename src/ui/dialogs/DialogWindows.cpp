#include "ui/dialogs/DialogWindows.h"

#include "project/StartupSettings.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmOptions.h"

namespace orvane
{

DialogWindows::DialogWindows(const Platform &platform, QWidget *owner, Applied applied)
    : platform_(platform), owner_(owner), applied_(std::move(applied))
{
}

DialogWindows::~DialogWindows()
{
    delete options_;
}

void DialogWindows::options_Click()
{
    if (!options_) {
        options_ = new frmOptions(platform_.colours, platform_.settings, currentProgramName());
        QObject::connect(options_, &frmOptions::fillerColorApplied, owner_, applied_.fillerColour);
        QObject::connect(options_, &frmOptions::editorOptionsApplied, owner_,
                         applied_.editorOptions);
    }
    options_->show();
    options_->raise();
    options_->activateWindow();
}

void DialogWindows::About_Click()
{
    if (!about_)
        about_ = new frmAbout(platform_.messages, platform_.shell, owner_);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void DialogWindows::closeAll()
{
    if (options_)
        options_->close();
    if (about_)
        about_->close();
}

frmOptions *DialogWindows::optionsWindow() const
{
    return options_;
}

frmAbout *DialogWindows::aboutWindow() const
{
    return about_;
}

} // namespace orvane
