#include "StartupSettings.h"

#include "model/NumberText.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace orvane
{

SettingKey settingKey(Setting setting)
{
    switch (setting) {
    case Setting::FirstRun:
        return {false, QStringLiteral("firstrun"), QStringLiteral("firstrun")};
    case Setting::ResizeByLength:
        return {false, QStringLiteral("init"), QStringLiteral("resizebylength")};
    case Setting::LastUsedFile:
        return {false, QStringLiteral("history"), QStringLiteral("lastusedfile")};
    case Setting::LastAppend:
        return {false, QStringLiteral("history"), QStringLiteral("lastappend")};
    case Setting::FillerColor:
        return {true, QStringLiteral("OPT"), QStringLiteral("fillercolor")};
    case Setting::ColumnGuides:
        return {true, QStringLiteral("OPT"), QStringLiteral("columnguides")};
    case Setting::CompilerPath:
        return {true, QStringLiteral("OPT"), QStringLiteral("compilerpath")};
    case Setting::CompilerOptions:
        return {true, QStringLiteral("OPT"), QStringLiteral("compileroptions")};
    }
    return {};
}

QString settingApplication(Setting setting, const QString &programName)
{
    return settingKey(setting).underProgramName ? programName : ApplicationTitle;
}

QString currentProgramName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

bool isFirstRun(const QString &firstRunValue)
{
    return readNumber(firstRunValue) == 0;
}

QString projectFileFilter()
{
    return ApplicationTitle + QStringLiteral(" (*.qel);;All Files (*)");
}

QString settingBoolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool readSettingBool(const QString &text, bool defaultValue)
{
    const QString t = text.trimmed();
    if (t.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    if (!t.isEmpty() && (t.at(0).isDigit() || t.at(0) == u'-'))
        return readNumber(t) != 0;
    return defaultValue;
}

QString projectPathFromArguments(const QStringList &arguments)
{
    QString path = arguments.join(u' ');
    if (path.startsWith(u'"'))
        path.remove(0, 1);
    if (path.endsWith(u'"'))
        path.chop(1);
    return path;
}

StartupRequest startupRequest(const QStringList &arguments)
{
    if (arguments.size() == 1 && arguments[0] == u"--help")
        return StartupRequest::Help;
    if (arguments.size() == 1 && arguments[0] == u"--version")
        return StartupRequest::Version;
    return StartupRequest::Run;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: orvane [PROJECT.qel]\n"
        "Opens the record layout editor, with the project file named, if any. A project file\n"
        "that does not exist yet is created. Without a display the generated code of the\n"
        "project (or of the bundled example) is printed instead.\n"
        "  --help     show this text\n"
        "  --version  show the version\n");
}

QString versionText()
{
    return QStringLiteral("orvane " ORVANE_VERSION "\n");
}

QString folderPattern(const QString &lastUsedFile)
{
    if (lastUsedFile.isEmpty())
        return {};
    QString folder = lastUsedFile;
    const qsizetype slash = std::max(folder.lastIndexOf(u'/'), folder.lastIndexOf(u'\\'));
    folder = slash < 0 ? QString() : folder.left(slash + 1);
    return folder + QStringLiteral("*.*");
}

bool isUnnamedProject(const QString &currentFileName)
{
    return currentFileName.isEmpty() || currentFileName.contains(u'*');
}

QString projectTitle(const QString &currentFileName, bool modified)
{
    QString name;
    if (!isUnnamedProject(currentFileName)) {
        const qsizetype slash =
            std::max(currentFileName.lastIndexOf(u'/'), currentFileName.lastIndexOf(u'\\'));
        name = currentFileName.mid(slash + 1);
    }
    QString title = ApplicationTitle + QStringLiteral(" [") + name + u']';
    if (modified)
        title += u'*';
    return title;
}

} // namespace orvane
