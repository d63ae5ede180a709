#include "ui/window/WindowLifecycle.h"

#include "ui/generator/EntryPanel.h"
#include "ui/shared/FileDialogState.h"
#include "ui/window/ProjectCommands.h"
#include "ui/window/frmQEL.h"

namespace orvane
{

WindowLifecycle::WindowLifecycle(frmQEL &window, FileDialogState &dlgedit,
                                 ProjectCommands &commands, const Platform &platform)
    : window_(window), dlgedit_(dlgedit), commands_(commands), platform_(platform)
{
}

QString WindowLifecycle::firstRunText()
{
    return QStringLiteral("You must restart your computer for some changes to take effect\r\n"
                          "if you don't restart the computer and continue using the program you "
                          "may experience some freezes");
}

QString WindowLifecycle::setting(Setting which, const QString &defaultValue)
{
    const SettingKey key = settingKey(which);
    return platform_.settings.get(settingApplication(which, currentProgramName()), key.section,
                                  key.key, defaultValue);
}

void WindowLifecycle::saveSetting(Setting which, const QString &value)
{
    const SettingKey key = settingKey(which);
    platform_.settings.save(settingApplication(which, currentProgramName()), key.section, key.key,
                            value);
}

void WindowLifecycle::Form_Load(const QStringList &arguments)
{
    if (isFirstRun(setting(Setting::FirstRun, QString()))) {
        // Registration never stops the start; it is tried once per user either way.
        platform_.registration.registerFileType(QStringLiteral(".qel"));
        saveSetting(Setting::FirstRun, QStringLiteral("1"));
        platform_.messages.show(firstRunText(), QStringLiteral("Message"), MessageButtons::Ok,
                                MessageIcon::Information);
        // The message speaks of going on with the program, so the start simply goes on.
    }
    LoadSettings();
    const QString path = projectPathFromArguments(arguments);
    if (!path.isEmpty())
        commands_.openCommandLineProject(path);
}

void WindowLifecycle::LoadSettings()
{
    // By length is how the option buttons come up when nothing was kept.
    const bool byLength = readSettingBool(setting(Setting::ResizeByLength, QString()), true);
    window_.entryPanel()->setRecordSizeByPositions(!byLength);
    // The file boxes start in the folder of the last used file.
    dlgedit_.fileName = folderPattern(setting(Setting::LastUsedFile, dlgedit_.fileName));
}

void WindowLifecycle::SaveSettings()
{
    saveSetting(Setting::ResizeByLength, settingBoolText(!window_.entryPanel()->byPositions()));
    if (!dlgedit_.fileName.isEmpty())
        saveSetting(Setting::LastUsedFile, dlgedit_.fileName);
}

bool WindowLifecycle::Form_Unload()
{
    SaveSettings();
    commands_.filenew_Click();
    // Cancel leaves the "*"; Yes saved the layout but kept it under its name. Either way the
    // window stays, and closing it again finds a layout without unsaved changes.
    bool keep = window_.isModified() || !dlgedit_.fileName.isEmpty();
    // The editor gets its own chance to keep its work, even when the layout already keeps the
    // window open.
    if (closeSteps_.editorKeepsWork())
        keep = true;
    if (!keep) {
        closeSteps_.closeDialogs();
        for (const auto &close : dialogClosers_)
            close();
    }
    return !keep;
}

} // namespace orvane
