#pragma once

#include "FileTypeRegistration.h"

#include <QStringList>

namespace orvane
{

// The freedesktop.org way: a shared-MIME-info package with a glob for the extension and a
// desktop entry that opens such files, both in the user's own data folder, then the two
// databases brought up to date where their tools are installed.
class XdgFileTypeRegistration : public FileTypeRegistration
{
public:
    // dataHome: the user's data folder ($XDG_DATA_HOME, usually ~/.local/share);
    // programPath: the program to start with the file.
    // systemDataDirs: where an installed package keeps its files ($XDG_DATA_DIRS).
    XdgFileTypeRegistration(QString dataHome, QString programPath, QStringList systemDataDirs = {});
    // The user's data folder and this program, as found at run time.
    XdgFileTypeRegistration();

    bool registerFileType(const QString &extension) override;

    // True when a package installed the program's menu entry and file type for everybody; the
    // user's own copy is then not written, as it would only shadow the installed one.
    static bool installedForEveryone(const QStringList &systemDataDirs);

    static QString mimeTypeName(const QString &extension);
    static QString mimePackage(const QString &extension);
    static QString desktopEntry(const QString &programPath, const QString &extension);
    // The program path as one quoted argument of a desktop entry's Exec line.
    static QString quotedExecArgument(const QString &programPath);

private:
    QString dataHome_;
    QString programPath_;
    QStringList systemDataDirs_;
};

} // namespace orvane
