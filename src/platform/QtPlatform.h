#pragma once

#include "Platform.h"
#include "XdgFileTypeRegistration.h"

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

// All real seams in one place, for main(); made after the QApplication.
struct QtPlatform {
    QtMessageBoxes messages;
    QtInputBox input;
    QtFileBoxes files;
    QtColourBox colours;
    QtSettingsStore settings;
    QtClipboardText clipboard;
    XdgFileTypeRegistration registration;

    Platform seams()
    {
        return Platform{messages, input, files, colours, settings, clipboard, registration};
    }
};

} // namespace orvane
