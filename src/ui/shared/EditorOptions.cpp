#include "ui/shared/EditorOptions.h"

#include "platform/Platform.h"
#include "project/StartupSettings.h"

namespace orvane
{

namespace
{

QString read(SettingsStore &settings, const QString &programName, Setting setting,
             const QString &defaultValue)
{
    const SettingKey key = settingKey(setting);
    return settings.get(settingApplication(setting, programName), key.section, key.key,
                        defaultValue);
}

void save(SettingsStore &settings, const QString &programName, Setting setting,
          const QString &value)
{
    const SettingKey key = settingKey(setting);
    settings.save(settingApplication(setting, programName), key.section, key.key, value);
}

} // namespace

EditorOptions readEditorOptions(SettingsStore &settings, const QString &programName)
{
    const EditorOptions defaults;
    EditorOptions options;
    options.columnGuides = readSettingBool(
        read(settings, programName, Setting::ColumnGuides, QString()), defaults.columnGuides);
    options.compilerPath =
        read(settings, programName, Setting::CompilerPath, defaults.compilerPath).trimmed();
    // An emptied path box means the default compiler, not none.
    if (options.compilerPath.isEmpty())
        options.compilerPath = defaults.compilerPath;
    options.compilerOptions = read(settings, programName, Setting::CompilerOptions, QString());
    return options;
}

void saveEditorOptions(SettingsStore &settings, const QString &programName,
                       const EditorOptions &options)
{
    save(settings, programName, Setting::ColumnGuides, settingBoolText(options.columnGuides));
    save(settings, programName, Setting::CompilerPath, options.compilerPath);
    save(settings, programName, Setting::CompilerOptions, options.compilerOptions);
}

} // namespace orvane
