// The first run and an installed package register the same file type without getting in
// each other's way.
#include "platform/XdgFileTypeRegistration.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane;

namespace
{

QString text(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void touch(const QString &path)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

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

TEST(InstalledRegistration, ThePackageDeclaresTheFileTypeTheFirstRunWrites)
{
    const QString packaging = QStringLiteral(ORVANE_SOURCE_DIR "/packaging/");
    const QString type = XdgFileTypeRegistration::mimeTypeName(".qel");
    for (const QString &mime : {text(packaging + "orvane.xml"),
                                XdgFileTypeRegistration::mimePackage(".qel")}) {
        EXPECT_TRUE(mime.contains("<mime-type type=\"" + type + "\">")) << mime.toStdString();
        EXPECT_TRUE(mime.contains("<glob pattern=\"*.qel\"/>")) << mime.toStdString();
    }
    for (const QString &entry : {text(packaging + "orvane.desktop"),
                                 XdgFileTypeRegistration::desktopEntry("/opt/orvane", ".qel")})
        EXPECT_TRUE(entry.contains("\nMimeType=" + type + ";\n")) << entry.toStdString();
}
