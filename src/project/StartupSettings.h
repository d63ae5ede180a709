#pragma once

#include <QString>
#include <QStringList>

namespace orvane
{

inline const QString ApplicationTitle = QStringLiteral("Orvane");

// Every value kept per user. All live under the application title except the options key,
// which lives under the program's own name (the executable's name without extension).
enum class Setting {
    FirstRun,
    ResizeByLength,
    LastUsedFile,
    LastAppend,
    FillerColor,
    // The source boxes' column guides and the compiler the check runs, from the options window.
    ColumnGuides,
    CompilerPath,
    CompilerOptions,
};

struct SettingKey {
    bool underProgramName;
    QString section;
    QString key;
};

SettingKey settingKey(Setting setting);
// The application name a setting is stored under: the application title, or for the options
// key the program's name (its file name without extension).
QString settingApplication(Setting setting, const QString &programName);
// The running program's file name without extension, which the options key is kept under.
QString currentProgramName();
// "firstrun" holds "1" once the first run is over; anything without a leading number reads 0.
bool isFirstRun(const QString &firstRunValue);

// The project files' choice in the file boxes, then all files.
QString projectFileFilter();

// Booleans are stored as "True" / "False"; numbers and other case forms are read too, and
// anything else falls back to the default.
QString settingBoolText(bool value);
bool readSettingBool(const QString &text, bool defaultValue);

// The project named on the command line: the arguments joined by single blanks (so an
// unquoted path with spaces is taken whole), less one double quote at either end.
// Empty when there are no arguments.
QString projectPathFromArguments(const QStringList &arguments);

// What the program was asked for before any window: its usage, its version, or a normal start.
// Only a first argument of exactly "--help" or "--version" counts, so a project path is never
// taken for one.
enum class StartupRequest { Run, Help, Version };
StartupRequest startupRequest(const QStringList &arguments);
// "Usage: orvane [project.qel]" and a few lines on it; "orvane 1.0.19".
QString usageText();
QString versionText();

// The folder of the last used file followed by "*.*": the file box opens there, and Save
// treats such a name as a layout without a file.
QString folderPattern(const QString &lastUsedFile);

// "Orvane []" for a layout without a file, "Orvane [cust.qel]" for a named one, each with a
// trailing "*" when modified.
QString projectTitle(const QString &currentFileName, bool modified);
// True when the current file name stands for a layout without a file (empty or a pattern).
bool isUnnamedProject(const QString &currentFileName);

} // namespace orvane
