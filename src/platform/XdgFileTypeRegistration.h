#pragma once

#include "FileTypeRegistration.h"

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
    XdgFileTypeRegistration(QString dataHome, QString programPath);
    // The user's data folder and this program, as found at run time.
    XdgFileTypeRegistration();

    bool registerFileType(const QString &extension) override;

    static QString mimeTypeName(const QString &extension);
    static QString mimePackage(const QString &extension);
    static QString desktopEntry(const QString &programPath, const QString &extension);
    // The program path as one quoted argument of a desktop entry's Exec line.
    static QString quotedExecArgument(const QString &programPath);

private:
    QString dataHome_;
    QString programPath_;
};

} // namespace orvane
