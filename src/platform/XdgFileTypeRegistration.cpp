#include "XdgFileTypeRegistration.h"

#include "project/StartupSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace orvane
{

namespace
{
bool writeFile(const QString &path, const QString &text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

// The database tools are optional; a missing or hanging tool must not hold up the start.
void runIfInstalled(const QString &tool, const QString &folder)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty())
        return;
    QProcess process;
    process.start(exe, {folder});
    if (!process.waitForFinished(10000))
        process.kill();
}
} // namespace

XdgFileTypeRegistration::XdgFileTypeRegistration(QString dataHome, QString programPath,
                                                 QStringList systemDataDirs)
    : dataHome_(std::move(dataHome)), programPath_(std::move(programPath)),
      systemDataDirs_(std::move(systemDataDirs))
{
}

namespace
{
QStringList systemDataLocations()
{
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    dirs.removeAll(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return dirs;
}
} // namespace

XdgFileTypeRegistration::XdgFileTypeRegistration()
    : XdgFileTypeRegistration(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                              QCoreApplication::applicationFilePath(), systemDataLocations())
{
}

bool XdgFileTypeRegistration::installedForEveryone(const QStringList &systemDataDirs)
{
    for (const QString &dir : systemDataDirs) {
        if (QFileInfo::exists(dir + QStringLiteral("/applications/orvane.desktop")) &&
            QFileInfo::exists(dir + QStringLiteral("/mime/packages/orvane.xml")))
            return true;
    }
    return false;
}

QString XdgFileTypeRegistration::mimeTypeName(const QString &extension)
{
    QString ext = extension;
    if (ext.startsWith(u'.'))
        ext.remove(0, 1);
    return QStringLiteral("application/x-orvane-") + ext.toLower();
}

QString XdgFileTypeRegistration::mimePackage(const QString &extension)
{
    QString ext = extension;
    if (ext.startsWith(u'.'))
        ext.remove(0, 1);
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info "
                          "xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>%2 project</comment>\n"
                          "    <glob pattern=\"*.%3\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(mimeTypeName(extension), ApplicationTitle, ext.toLower().toHtmlEscaped());
}

QString XdgFileTypeRegistration::quotedExecArgument(const QString &programPath)
{
    // Inside a quoted Exec argument ", `, $ and \ are escaped with a backslash; the value as a
    // whole then escapes each backslash once more, and % is doubled as field codes use it.
    QString quoted;
    for (QChar c : programPath) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    quoted.replace(u'%', QStringLiteral("%%"));
    return u'"' + quoted + u'"';
}

QString XdgFileTypeRegistration::desktopEntry(const QString &programPath, const QString &extension)
{
    QString name = programPath;
    name.remove(u'\n').remove(u'\r');
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Comment=COBOL record layouts\n"
                          "Exec=%2 %f\n"
                          "MimeType=%3;\n"
                          "Terminal=false\n"
                          "Categories=Development;\n")
        .arg(ApplicationTitle, quotedExecArgument(name), mimeTypeName(extension));
}

bool XdgFileTypeRegistration::registerFileType(const QString &extension)
{
    if (installedForEveryone(systemDataDirs_))
        return true;
    if (dataHome_.isEmpty())
        return false;
    const QString mimeDir = dataHome_ + QStringLiteral("/mime");
    const QString appsDir = dataHome_ + QStringLiteral("/applications");
    const bool written =
        writeFile(mimeDir + QStringLiteral("/packages/orvane.xml"), mimePackage(extension)) &&
        writeFile(appsDir + QStringLiteral("/orvane.desktop"),
                  desktopEntry(programPath_, extension));
    if (!written)
        return false;
    runIfInstalled(QStringLiteral("update-mime-database"), mimeDir);
    runIfInstalled(QStringLiteral("update-desktop-database"), appsDir);
    return true;
}

} // namespace orvane
