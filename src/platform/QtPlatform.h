#pragma once

#include "Platform.h"
#include "QtCompilerRun.h"
#include "XdgFileTypeRegistration.h"

#include <functional>

namespace orvane
{

// The real seams: Qt's standard dialogs, QSettings and the system clipboard. Dialogs are
// parented to the active window so they stay on top of it.
class QtMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(const QString &text, const QString &title, MessageButtons buttons,
                       MessageIcon icon) override;
};

class QtInputBox : public InputBox
{
public:
    QString ask(const QString &prompt, const QString &title, const QString &defaultAnswer) override;
};

class QtFileBoxes : public FileBoxes
{
public:
    QString openFile(const QString &title, const QString &filter, const QString &fileName) override;
    QString saveFile(const QString &title, const QString &filter, const QString &fileName) override;
};

class QtColourBox : public ColourBox
{
public:
    QColor choose(const QColor &initial) override;
};

// One settings file per application name, the section as a group, in the user's XDG config
// folder ($XDG_CONFIG_HOME, usually ~/.config): <folder>/orvane/<application>.conf.
class QtSettingsStore : public SettingsStore
{
public:
    // The folder the files go into; empty means the user's config folder at the time of use.
    explicit QtSettingsStore(QString folder = {});
    QString fileFor(const QString &application) const;
    QString get(const QString &application, const QString &section, const QString &key,
                const QString &defaultValue) override;
    void save(const QString &application, const QString &section, const QString &key,
              const QString &value) override;

private:
    QString folder_;
};

class QtClipboardText : public ClipboardText
{
public:
    QString text() override;
    void setText(const QString &text) override;
};

class QtShell : public Shell
{
public:
    bool openAddress(const QString &address) override;
    QString findProgram(const QString &name) override;
    bool startProgram(const QString &path, const QStringList &arguments) override;
};

// Where an X server named by a DISPLAY value listens: a local socket (":0", "unix:0") or a
// TCP port (6000 + display number, "localhost:10.0" as ssh forwarding sets it).
struct XDisplayAddress {
    bool valid = false;
    QByteArray socketPath; // local: /tmp/.X11-unix/X<n>
    QByteArray host;       // remote: host name and port
    int port = 0;
    bool operator==(const XDisplayAddress &) const = default;
};
XDisplayAddress xDisplayAddress(const QByteArray &display);

// What the environment says about the display, read before QApplication exists.
struct DisplayEnvironment {
    QByteArray qpaPlatform;        // QT_QPA_PLATFORM
    QByteArray display;            // DISPLAY
    QByteArray waylandDisplay;     // WAYLAND_DISPLAY
    QByteArray runtimeDir;         // XDG_RUNTIME_DIR, where a relative Wayland name lives
    bool platformArgument = false; // "-platform" on the command line

    static DisplayEnvironment current(int argc, char **argv);
};

enum class DisplayCheck {
    Usable,      // a platform was chosen on purpose, or a display answers
    NotSet,      // neither DISPLAY nor WAYLAND_DISPLAY
    Unreachable, // set, but nothing answers (a stale DISPLAY after ssh, a stopped server)
};

// Decides whether QApplication can start. The probes connect to a display (`xAnswers`) or a
// Wayland socket path (`waylandAnswers`); tests pass their own. Qt would abort with an
// obscure message on an X server that does not answer, so it is asked first.
DisplayCheck checkDisplay(const DisplayEnvironment &environment,
                          const std::function<bool(const XDisplayAddress &)> &xAnswers,
                          const std::function<bool(const QByteArray &)> &waylandAnswers);
// The real probes: a connection attempt of at most about a second.
bool xDisplayAnswers(const XDisplayAddress &address);
bool waylandSocketAnswers(const QByteArray &path);

// All real seams in one place, for main(); made after the QApplication.
struct QtPlatform {
    QtMessageBoxes messages;
    QtInputBox input;
    QtFileBoxes files;
    QtColourBox colours;
    QtSettingsStore settings;
    QtClipboardText clipboard;
    XdgFileTypeRegistration registration;
    QtShell shell;
    QtCompilerRunner compiler;

    Platform seams()
    {
        return Platform{messages,  input,        files, colours, settings,
                        clipboard, registration, shell, compiler};
    }
};

} // namespace orvane
