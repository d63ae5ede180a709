#include "platform/XdgFileTypeRegistration.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane;

namespace
{
QString readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

TEST(XdgFileTypeRegistration, WritesTheMimePackageAndDesktopEntryIntoTheDataFolder)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    XdgFileTypeRegistration reg(home.path() + "/share", "/opt/my tools/orvane");
    ASSERT_TRUE(reg.registerFileType(".qel"));

    const QString mime = readAll(home.path() + "/share/mime/packages/orvane.xml");
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.qel\"/>")) << mime.toStdString();
    EXPECT_TRUE(mime.contains("type=\"application/x-orvane-qel\""));
    const QString desktop = readAll(home.path() + "/share/applications/orvane.desktop");
    EXPECT_TRUE(desktop.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(desktop.contains("\nExec=\"/opt/my tools/orvane\" %f\n")) << desktop.toStdString();
    EXPECT_TRUE(desktop.contains("\nMimeType=application/x-orvane-qel;\n"));
    // Registering again (a second first run after the settings were lost) just rewrites.
    EXPECT_TRUE(reg.registerFileType(".qel"));
}

TEST(XdgFileTypeRegistration, QuotesAwkwardProgramPaths)
{
    EXPECT_EQ(XdgFileTypeRegistration::quotedExecArgument("/a b/orvane"), "\"/a b/orvane\"");
    EXPECT_EQ(XdgFileTypeRegistration::quotedExecArgument("/x$y/\"q\"/100%/o"),
              "\"/x\\\\$y/\\\\\"q\\\\\"/100%%/o\"");
    EXPECT_EQ(XdgFileTypeRegistration::quotedExecArgument("/b\\s"), "\"/b\\\\\\\\s\"");
}

TEST(XdgFileTypeRegistration, FailsQuietlyWhereItCannotWrite)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QFile blocker(home.path() + "/share");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    XdgFileTypeRegistration reg(home.path() + "/share", "/usr/bin/orvane");
    EXPECT_FALSE(reg.registerFileType(".qel"));
    EXPECT_FALSE(XdgFileTypeRegistration("", "/usr/bin/orvane").registerFileType(".qel"));
}
