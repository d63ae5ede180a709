#pragma once

#include "CompilerRun.h"
#include "FileTypeRegistration.h"

#include <QColor>
#include <QString>
#include <QStringList>

namespace orvane
{

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Question, Exclamation, Critical };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// Everything the windows show modally or hand to the outside goes through these, so a test
// can answer instead of a user and see every text the user would have seen.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(const QString &text, const QString &title, MessageButtons buttons,
                               MessageIcon icon) = 0;
};

class InputBox
{
public:
    virtual ~InputBox() = default;
    // Cancel answers an empty text.
    virtual QString ask(const QString &prompt, const QString &title,
                        const QString &defaultAnswer) = 0;
};

class FileBoxes
{
public:
    virtual ~FileBoxes() = default;
    // `filter` uses the Qt form "Desc (*.qel);;All Files (*)". Cancel answers an empty text.
    virtual QString openFile(const QString &title, const QString &filter,
                             const QString &fileName) = 0;
    virtual QString saveFile(const QString &title, const QString &filter,
                             const QString &fileName) = 0;
};

class ColourBox
{
public:
    virtual ~ColourBox() = default;
    // Cancel answers an invalid colour.
    virtual QColor choose(const QColor &initial) = 0;
};

// Per-user values kept by application name, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString get(const QString &application, const QString &section, const QString &key,
                        const QString &defaultValue) = 0;
    virtual void save(const QString &application, const QString &section, const QString &key,
                      const QString &value) = 0;
};

class ClipboardText
{
public:
    virtual ~ClipboardText() = default;
    virtual QString text() = 0;
    virtual void setText(const QString &text) = 0;
};

// The desktop outside the program: addresses for the default handler, other programs to start.
class Shell
{
public:
    virtual ~Shell() = default;
    // Hands a web or mailto: address to the desktop's handler; false when none took it.
    virtual bool openAddress(const QString &address) = 0;
    // The full path of a program found on the PATH, empty when there is none.
    virtual QString findProgram(const QString &name) = 0;
    // Starts a program on its own, not waiting for it; false when it did not start.
    virtual bool startProgram(const QString &path, const QStringList &arguments) = 0;
};

// The seams a window is built with. The objects outlive the window.
struct Platform {
    MessageBoxes &messages;
    InputBox &input;
    FileBoxes &files;
    ColourBox &colours;
    SettingsStore &settings;
    ClipboardText &clipboard;
    FileTypeRegistration &registration;
    Shell &shell;
    CompilerRunner &compiler;
};

} // namespace orvane
