// Where the first run registers the file type, and how it and an installed package stay out of
// each other's way.
#include "platform/XdgFileTypeRegistration.h"

#include "../common/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane;

namespace
{
QString readAll(const QString &path)
{
    return QString::fromUtf8(orvane::testing::readBytes(path));
}

void touch(const QString &path)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    orvane::testing::writeBytes(path, {});
}
} // namespace

// What the first run writes declares the same file type as the installed package.
TEST(XdgFileTypeRegistration, WritesTheFileTypeAndMenuEntryThePackageDeclares)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    XdgFileTypeRegistration reg(home.path() + "/share", "/opt/my tools/orvane");
    ASSERT_TRUE(reg.registerFileType(".qel"));
    // Registering again (a second first run after the settings were lost) just rewrites.
    EXPECT_TRUE(reg.registerFileType(".qel"));

    const QString packaging = QStringLiteral(ORVANE_SOURCE_DIR "/packaging/");
    const QString type = XdgFileTypeRegistration::mimeTypeName(".qel");
    for (const QString &mime : {readAll(packaging + "orvane.xml"),
                                readAll(home.path() + "/share/mime/packages/orvane.xml")}) {
        EXPECT_TRUE(mime.contains("<mime-type type=\"" + type + "\">")) << mime.toStdString();
        EXPECT_TRUE(mime.contains("<glob pattern=\"*.qel\"/>")) << mime.toStdString();
    }
    const QString desktop = readAll(home.path() + "/share/applications/orvane.desktop");
    EXPECT_TRUE(desktop.contains("\nExec=\"/opt/my tools/orvane\" %f\n")) << desktop.toStdString();
    for (const QString &entry : {readAll(packaging + "orvane.desktop"), desktop})
        EXPECT_TRUE(entry.contains("\nMimeType=" + type + ";\n")) << entry.toStdString();
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
    orvane::testing::writeBytes(home.path() + "/share", {}); // a file where the folder should be
    XdgFileTypeRegistration reg(home.path() + "/share", "/usr/bin/orvane");
    EXPECT_FALSE(reg.registerFileType(".qel"));
    EXPECT_FALSE(XdgFileTypeRegistration("", "/usr/bin/orvane").registerFileType(".qel"));
}

TEST(InstalledRegistration, TheFirstRunLeavesAnInstalledRegistrationAlone)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString home = root.path() + "/home";
    const QStringList system{root.path() + "/usr/local/share", root.path() + "/usr/share"};

    // Half a package (a menu entry without its file type) does not count.
    touch(system[1] + "/applications/orvane.desktop");
    ASSERT_TRUE(XdgFileTypeRegistration(home, "/opt/orvane", system).registerFileType(".qel"));
    EXPECT_TRUE(QFile::exists(home + "/applications/orvane.desktop"));
    ASSERT_TRUE(QDir(home).removeRecursively());

    touch(system[1] + "/mime/packages/orvane.xml");
    EXPECT_TRUE(XdgFileTypeRegistration(home, "/opt/orvane", system).registerFileType(".qel"));
    EXPECT_FALSE(QDir(home).exists()) << "nothing written in the user's folder";
}
