#pragma once

#include <QString>

namespace orvane
{

class SettingsStore;

// What the options window sets for the source boxes and the compiler check.
struct EditorOptions {
    bool columnGuides = true;
    // A program name looked up on the PATH, or a full path.
    QString compilerPath = QStringLiteral("cobc");
    // Extra arguments in shell-like form, e.g. -std=ibm -I copy.
    QString compilerOptions;

    bool operator==(const EditorOptions &) const = default;
};

EditorOptions readEditorOptions(SettingsStore &settings, const QString &programName);
void saveEditorOptions(SettingsStore &settings, const QString &programName,
                       const EditorOptions &options);

} // namespace orvane
